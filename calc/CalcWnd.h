// CMyCalcWnd: the calculator screen. It owns the calculator's engine (the
// key state machine, operands and memory), the display above and the keypad
// below, maps every key message onto one engine call and shows the result.
// Copy and Paste serve the bottom bar's buttons.
#pragma once
#include <windows.h>

#include <memory>

#include "calc/CalcEngine.h"
#include "ui/DragTracker.h"
#include "ui/NormalWnd.h"

class CMyLCD;
class CMyKeyboard;

class CMyCalcWnd : public CNormalWnd {
public:
    static constexpr UINT kLCDId = 5511;
    static constexpr UINT kKeyboardId = 5515;

    // feedbackVibro: the frame's "Feedback Vibro" option, read by the keypad
    // at every accepted key (not owned; null: no pulse).
    explicit CMyCalcWnd(const DWORD *feedbackVibro = nullptr);
    ~CMyCalcWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Places the display and the keypad for the orientation of the work area.
    void Layout() override;

    // Puts what the display shows on the clipboard as Unicode text.
    bool Copy() override;
    // Evaluates the clipboard's text as an arithmetic expression and enters
    // the result; false, and nothing changed, when it does not evaluate.
    bool Paste() override;

    const CalcEngine &Engine() const { return engine_; }
    CMyLCD *LCD() const { return lcd_.get(); }
    CMyKeyboard *Keyboard() const { return keyboard_.get(); }

private:
    void Paint(HDC dc, const RECT &client) override;
    void OnCreate();
    bool OnKey(wchar_t key);
    void OnKeyDown(WPARAM virtualKey);
    void ShowEngine();
    bool WorkAreaIsLandscape() const;

    CalcEngine engine_;
    std::unique_ptr<CMyLCD> lcd_;           // owned
    std::unique_ptr<CMyKeyboard> keyboard_; // owned
    const DWORD *feedbackVibro_;            // not owned
    DragTracker drag_;
};
