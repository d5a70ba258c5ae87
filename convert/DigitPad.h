// CMyDigitPad: the pop-up pad a tap on a converter field opens over the
// converter: a field of its own and 14 keys (digits, point, clear,
// backspace, "ok"). The first digit replaces the value; "ok" hands the value
// to the field that opened the pad.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/CustomBtt.h"
#include "ui/DragTracker.h"
#include "ui/Wnd.h"

class CMyEdit;

class CMyDigitPad : public Wnd {
public:
    static constexpr int kKeyCount = 14;
    static constexpr DWORD kLockOutMs = 200; // a key within this of the last is dropped
    static constexpr UINT_PTR kShowKeysTimer = 5;
    static constexpr UINT kShowKeysMs = 250;
    static constexpr UINT kFieldId = 38258;

    enum : UINT {
        kKeyDigit0 = 38503, // ... kKeyDigit0 + 9 for "9"
        kKeyPoint = 38513,
        kKeyBackspace = 38514,
        kKeyClear = 38515,
        kKeyOk = 38516,
    };

    // field: the field that opened the pad and takes its value (not owned).
    CMyDigitPad(CMyEdit *field, const DWORD *feedbackVibro);
    ~CMyDigitPad() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the window "DigitPadWnd" over the whole client area of parent,
    // above its siblings, its field holding value; the next digit replaces it.
    HWND CreatePad(HWND parent, const wchar_t *value);
    // Places the field and keys for the pad's size.
    void LayoutKeys();

    CMyEdit *Field() const { return field_.get(); }
    CCustomBtt *Key(UINT id) const;
    bool ReplaceNext() const { return replace_; }

private:
    void Paint(HDC dc, const RECT &client) override;
    void OnKey(UINT id);
    void OnKeyDown(WPARAM key);
    void OnPreview(UINT id, bool show);
    void ShowKeys(bool show);

    CMyEdit *owner_;             // not owned
    const DWORD *feedbackVibro_; // not owned
    std::unique_ptr<CMyEdit> field_;
    std::unique_ptr<CCustomBtt> keys_[kKeyCount];
    bool replace_;
    bool anyKeyAccepted_;
    DWORD lastKeyTime_;
    UINT shownBalloon_; // balloon shown now, 0 none
    DragTracker drag_;
};
