// CMyNoteWnd: the note screen. It hosts the ink control (typed text,
// handwriting and drawing) above the notebar, keeps one note open at a time
// and saves it as a ".pwi" file in the note folder: on request, every 15
// seconds when modified, before another note replaces it and on closing.
// The frame's note commands arrive as WM_COMMAND with their menu ids.
#pragma once
#include <windows.h>

#include <memory>

#include "BaseLib/Str.h"
#include "notes/NoteSettings.h"
#include "ui/DragTracker.h"
#include "ui/NormalWnd.h"

class CMyNotebar;
class COpenFileWnd;

class CMyNoteWnd : public CNormalWnd {
public:
    static constexpr UINT kInkId = 5563;
    static constexpr UINT_PTR kAutosaveTimer = 1;
    static constexpr UINT kAutosaveMs = 15000;

    explicit CMyNoteWnd(const NoteSettings &settings);
    ~CMyNoteWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Layout() override;
    // The bottom bar's Copy (everything when nothing is selected) and Paste.
    bool Copy() override;
    bool Paste() override;

    HWND Ink() const { return ink_; }
    CMyNotebar *Notebar() const { return notebar_.get(); }
    // Empty for a note never saved.
    const wchar_t *NotePath() const { return notePath_.Text(); }
    bool IsModified() const;

    // Saves the note (a new one gets its file name first); false, with the
    // note still modified and the recent list unchanged, when it could not
    // be written.
    bool Save();
    void SaveIfModified();
    void NewNote();
    // Opens the note file; false, with the current note untouched, when it
    // cannot be read.
    bool LoadNote(const wchar_t *path);
    // Asks, then deletes the note's file and starts a new note.
    void DeleteNote();
    // The file picker over the note, at the folder last opened from.
    void OpenPicker();
    COpenFileWnd *Picker() const { return picker_.get(); }
    // The edit menu as it opens now, its items enabled by the note's state;
    // the caller destroys it.
    HMENU MakeEditMenu() const;

private:
    void OnCreate();
    void OnCommand(UINT id);
    void OnPickerChosen();
    void OnNotebarButton(int button);
    void SetZoom(int zoom);
    void CheckZoomItem(int zoom); // in the zoom menu
    void ApplyMode();
    void SwitchMode();
    void ToggleKeyboard();
    void OnInputPanelChange();
    void ShowEditMenu(POINT inkPoint);
    void ShowZoomMenu();
    void InsertDate();
    bool DrawingAllowed() const;
    bool TypingMode() const { return *settings_.penMode != 0; }
    DWORD &ModeZoom() const { return TypingMode() ? *settings_.noteScale1 : *settings_.noteScale2; }
    void TellFrameInputPanel(bool up);
    void RestartAutosave();
    static LRESULT InkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, void *self, WNDPROC next);

    NoteSettings settings_;
    HWND ink_; // destroyed with this window
    std::unique_ptr<CMyNotebar> notebar_;
    std::unique_ptr<COpenFileWnd> picker_; // made on first use
    Str pickedPath_;                       // filled by the picker
    HMENU zoomMenu_;                       // owned
    Str notePath_;
    bool keyboardShown_;
    DragTracker drag_;
};
