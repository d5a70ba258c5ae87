// CMessageDlg: the program's top-most message box: a picture header, one line
// of text and an OK button. It keeps itself on top until OK is tapped and,
// given a sound, rings until then ("Timer Done").
//
// The owner sets the template id (IDD_MESSAGE), the sound path and the text,
// calls DoModal, and deletes the object when DoModal returns.
#pragma once
#include <windows.h>

#include <memory>

#include "BaseLib/Str.h"
#include "alarm/RingPlayer.h"
#include "ui/CustomBtt.h"
#include "ui/Dlg.h"
#include "ui/Gdi.h"
#include "ui/PBufferDC.h"

class CMessageDlg : public Dlg {
public:
    static constexpr UINT kOkCommand = 30068;
    static constexpr UINT_PTR kTickTimer = 1;
    static constexpr UINT kTickMs = 300;

    CMessageDlg();
    ~CMessageDlg() override;

    INT_PTR DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    void SetText(const wchar_t *text) { text_ = text; }
    void SetSoundPath(const wchar_t *path) { soundPath_ = path; }
    // The countdown's ring volume code and vibrate flag ("Volume", "Vibro").
    void SetRing(int volume, int vibrate) {
        volume_ = volume;
        vibrate_ = vibrate;
    }
    const Str &Text() const { return text_; }
    int Ticks() const { return ticks_; }
    bool Stopped() const { return stopped_; }
    CCustomBtt *OkButton() const { return okButton_.get(); }
    HDC BackDC() const { return backBuffer_.Dc(); }

private:
    void OnInitDialog();
    void Layout();
    void PlaceOkButton();
    void DrawHeader();
    void OnPaint();
    void OnTick();
    void OnOk();
    // The first tick starts the ring player with the sound path, volume and
    // vibrate flag; OK, Enter, Escape and the
    // destruction stop it, restoring what it changed.
    void StartRinging();
    void StopRinging();

    PBufferDC backBuffer_; // the body and header; the text is drawn over it on the screen
    Bitmap headerLeft_, headerMiddle_, headerRight_;
    Font textFont_;
    RECT client_;
    Str text_;
    std::unique_ptr<CCustomBtt> okButton_;
    int ticks_;
    SIZE layoutScreen_; // screen size at the last layout
    bool stopped_;
    Str soundPath_;
    int volume_ = -1; // the system volume
    int vibrate_ = 1;
    std::unique_ptr<RingPlayer> ringPlayer_; // while ringing
};
