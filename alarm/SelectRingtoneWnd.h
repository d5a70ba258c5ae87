// CSelectRingtoneWnd: picks a ring-tone file and the ring volume.
//
// Row 0 shows the volume and opens the volume picker; row 1 is the "File"
// heading; row 2 shows the folder and opens the folder browser; the rows
// below list the folder's sound files, and a tap on one chooses it and
// plays it as a preview. OK fills the owner's slots (empty texts when no
// file is chosen), hides the picker, re-enables the owner and posts
// UWM_RINGTONE_PICKED to it; Cancel only hides and re-enables.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "alarm/RingVolumeWnd.h"
#include "ui/BrowserFolderWnd.h"
#include "ui/FolderListing.h"
#include "ui/PickerList.h"

// Posted to the owner after OK; the slots are filled by then.
const UINT UWM_RINGTONE_PICKED = 33268;

class MediaPlayer;

class CSelectRingtoneWnd : public CPickerList {
public:
    enum Row { kVolumeRow = 0, kFileHeadingRow = 1, kFolderRow = 2, kFirstFileRow = 3 };

    // Where OK writes the choice; each slot may be null. Not owned: they
    // must outlive the picker.
    struct Slots {
        Str *path;   // folder + "\" + name
        Str *folder; // the folder the file lies in
        Str *name;   // the file name
    };

    CSelectRingtoneWnd();
    ~CSelectRingtoneWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The volume code and vibrate flag the volume row starts from; the owner
    // reads them back after UWM_RINGTONE_PICKED.
    void SetVolume(int code, int vibrate);
    int VolumeCode() const { return code_; }
    int Vibrate() const { return vibrate_; }

    // Shows the picker over the owner on the folder of the current full path
    // (an empty path keeps the folder shown last), with the file of that
    // name chosen when the folder holds it. False when the window cannot be
    // made.
    bool Open(HWND owner, const Str &currentPath, const Slots &slots);

    const Str &Folder() const { return folder_; }
    const std::vector<Str> &Names() const { return names_; }
    // Index into Names() of the chosen file, or -1.
    int Selected() const { return selected_; }
    CRingVolumeWnd *VolumePicker() const { return volume_.get(); }
    CBrowserFolderWnd *Browser() const { return browser_.get(); }

    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;
    void OnRightButton() override;
    void OnLeftButton() override;

    // The player of every preview in the program, made at the first one:
    // one preview sounds at a time, whichever picker started it, and the
    // media control is started only when someone listens.
    static MediaPlayer &PreviewPlayer();

private:
    // Lists the folder unless it is the one listed and that held files;
    // the choice is cleared either way.
    void Scan(const Str &folder);
    void ShowRows();
    // Scrolls so that the chosen file's row shows.
    void ScrollToSelection();
    void StopPreview();

    Str folder_;
    Str listed_; // the folder names_ were read from
    std::vector<Str> names_;
    FileFilter filter_;
    int selected_;
    int code_, vibrate_;
    bool volumeOpen_; // the volume picker is up: its result comes back on WM_ENABLE
    Slots slots_;
    std::unique_ptr<CRingVolumeWnd> volume_;
    std::unique_ptr<CBrowserFolderWnd> browser_;
};
