#include "calc/CalcWnd.h"

#include <cwchar>

#include "calc/CalcMessages.h"
#include "calc/Keyboard.h"
#include "calc/LCD.h"
#include "ui/Clipboard.h"
#include "ui/Messages.h"
#include "ui/Gdi.h"
#include "ui/Scaling.h"

namespace {

const COLORREF kCalcBackground = RGB(194, 195, 200);

} // namespace

CMyCalcWnd::CMyCalcWnd(const DWORD *feedbackVibro) : feedbackVibro_(feedbackVibro) {}

CMyCalcWnd::~CMyCalcWnd() {
    // The children's windows go before this one's.
    keyboard_.reset();
    lcd_.reset();
}

LRESULT CMyCalcWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (drag_.OnMessage(hwnd, msg, lParam))
        return 0;
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case UWM_CALC_KEY:
    case WM_CHAR:
        OnKey(LOWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case UWM_CALC_CLEAR:
        engine_.Clear();
        ShowEngine();
        return 0;
    case UWM_CALC_SIGN:
        engine_.ChangeSign();
        ShowEngine();
        return 0;
    case UWM_CALC_MEM_CLEAR:
        engine_.MemoryClear();
        ShowEngine();
        return 0;
    case UWM_CALC_MEM_RECALL:
        engine_.MemoryRecall();
        ShowEngine();
        return 0;
    case UWM_CALC_MEM_ADD:
        engine_.MemoryAdd();
        ShowEngine();
        return 0;
    case UWM_CALC_SQRT:
        engine_.SquareRoot();
        ShowEngine();
        return 0;
    case UWM_DRAG_MOVE:
    case UWM_DRAG_END:
        return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
    case UWM_DRAG_STATE:
        if (keyboard_)
            SendMessageW(keyboard_->GetHwnd(), msg, 0, lParam);
        return 0;
    }
    return CNormalWnd::WindowProc(hwnd, msg, wParam, lParam);
}

// The separators are read first so the display shows the locale's from the
// start; the display and keypad get their places at the first layout.
void CMyCalcWnd::OnCreate() {
    engine_.LoadLocaleSeparators();
    RECT client;
    GetClientRect(hwnd_, &client);
    lcd_.reset(new CMyLCD());
    lcd_->SetSeparator(engine_.DecimalSeparator());
    lcd_->CreateLCD(hwnd_, RECT{ScaleX(11), ScaleY(9), client.right - ScaleX(10), ScaleY(9 + 31)}, kLCDId);
    keyboard_.reset(new CMyKeyboard(feedbackVibro_));
    keyboard_->CreateKeyboard(hwnd_, RECT{ScaleX(11), ScaleY(50), client.right - ScaleX(10), client.bottom},
                              kKeyboardId);
    engine_.Clear();
    ShowEngine();
}

bool CMyCalcWnd::OnKey(wchar_t key) {
    if (!engine_.OnKey(key))
        return false; // ignored without a redraw
    ShowEngine();
    return true;
}

// A hardware key's code is taken as the character. When this window has the
// focus, the key's translated WM_CHAR follows in the queue; for a key that
// was already entered it is dropped, else the digit would come twice.
void CMyCalcWnd::OnKeyDown(WPARAM virtualKey) {
    const wchar_t key = LOWORD(virtualKey);
    if (!OnKey(key))
        return;
    MSG next;
    if (PeekMessageW(&next, hwnd_, WM_CHAR, WM_CHAR, PM_NOREMOVE) && LOWORD(next.wParam) == key)
        PeekMessageW(&next, hwnd_, WM_CHAR, WM_CHAR, PM_REMOVE);
}

void CMyCalcWnd::ShowEngine() {
    if (!lcd_)
        return;
    lcd_->SetOperatorSign(engine_.OperatorSign());
    lcd_->SetMemorySign(engine_.MemorySign());
    lcd_->SetText(engine_.DisplayText()); // redraws
}

bool CMyCalcWnd::WorkAreaIsLandscape() const {
    RECT area;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        SetRect(&area, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return area.right - area.left > area.bottom - area.top;
}

void CMyCalcWnd::Layout() {
    if (!hwnd_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const bool landscape = WorkAreaIsLandscape();
    RECT display, pad;
    if (landscape) {
        const int width = ScaleX(286);
        const int left = (client.right - width) / 2;
        display = RECT{left, ScaleY(4), left + width, ScaleY(4 + 31)};
        pad = RECT{left, ScaleY(39), left + width, client.bottom};
    } else {
        // The display's width is fixed for the two kinds of screen.
        const int width = Metrics().highRes ? 428 : 217;
        display = RECT{ScaleX(11), ScaleY(9), ScaleX(11) + width, ScaleY(9 + 31)};
        pad = RECT{ScaleX(11), ScaleY(31 + 10 + 9), client.right - ScaleX(10), client.bottom};
    }
    if (lcd_) {
        lcd_->Move(display.left, display.top, display.right - display.left, display.bottom - display.top, true);
        lcd_->SetFullSize();
        lcd_->Redraw();
    }
    if (keyboard_) {
        keyboard_->Move(pad.left, pad.top, pad.right - pad.left, pad.bottom - pad.top, true);
        keyboard_->LayoutKeys(landscape, kCalcBackground);
    }
    Redraw();
}

// The background only: the display and the keypad are child windows.
void CMyCalcWnd::Paint(HDC dc, const RECT &client) { FillSolid(dc, client, kCalcBackground); }

bool CMyCalcWnd::Copy() { return lcd_ && ui::PutClipboardText(hwnd_, lcd_->ShownText()); }

bool CMyCalcWnd::Paste() {
    const Str text = ui::ClipboardText(hwnd_);
    if (text.IsEmpty() || !engine_.Paste(text))
        return false;
    ShowEngine();
    return true;
}
