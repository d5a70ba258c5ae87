// CMyKeyboard: the calculator's keypad of 24 keys. It holds two complete key
// sets, one arranged for landscape (6 x 4) and one for portrait (5 x 5),
// made on the first layout of each orientation and kept; the set for the
// current orientation is shown. A tap becomes one of the calculator's
// messages, posted to the parent; taps closer than 201 ms to the last
// accepted one are dropped. While a key is held its balloon (when the main
// frame built them) shows it enlarged above it.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/DragTracker.h"
#include "ui/CustomBtt.h"
#include "ui/Wnd.h"

class CMyKeyboard : public Wnd {
public:
    static constexpr int kKeyCount = 24;     // per set
    static constexpr DWORD kLockOutMs = 201; // a key within this of the last is dropped

    // The key ids.
    enum : UINT {
        kKeyClear = 9575,
        kKeyMemClear = 9576,
        kKeyMemRecall = 9577,
        kKeyMemAdd = 9578,
        kKeyDigit0 = 13671, // ... kKeyDigit0 + 9 for '9'
        kKeyMultiply = 17767,
        kKeyAdd = 17768,
        kKeyPoint = 17769,
        kKeySubtract = 17770,
        kKeyDivide = 17772,
        kKeyRoot = 17773,
        kKeyBackspace = 21864,
        kKeyPercent = 21865,
        kKeySign = 21866,
        kKeyEquals = 21867,
    };

    // feedbackVibro: the frame's "Feedback Vibro" option, read at every
    // accepted key (not owned; null: no pulse).
    explicit CMyKeyboard(const DWORD *feedbackVibro = nullptr);
    ~CMyKeyboard() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the child window ("KeyboardWnd").
    HWND CreateKeyboard(HWND parent, const RECT &rect, UINT childId);
    // Makes the set for the orientation (once), places its keys, shows it
    // and hides the other; the background takes the given colour.
    void LayoutKeys(bool landscape, COLORREF background);

    // The button of a key in the shown set, or null.
    CCustomBtt *Key(UINT id) const;
    bool Landscape() const { return landscape_; }

    // What a key sends to the calculator window; false for no key of the pad.
    static bool MessageFor(UINT id, UINT *msg, WPARAM *wParam);

private:
    void Paint(HDC dc, const RECT &client) override;
    void MakeSet(bool landscape);
    void PlaceSet(bool landscape);
    void OnKey(UINT id);
    void OnPreview(UINT id, bool show);

    std::unique_ptr<CCustomBtt> keys_[2][kKeyCount]; // [0] portrait, [1] landscape
    bool made_[2];
    bool landscape_;
    COLORREF background_;
    const DWORD *feedbackVibro_; // not owned
    bool anyKeyAccepted_;
    DWORD lastKeyTime_;
    UINT lastPreviewId_;
    UINT shownBalloon_; // balloon id shown now, 0 none
    DragTracker drag_;
};
