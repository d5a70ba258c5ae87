// CMyCalcWnd: the calculator screen. It owns the calculator's engine (the
// key state machine, operands and memory), the display above and the keypad
// below, maps every key message onto one engine call and shows the result.
// The main frame calls Copy and Paste for its bottom-bar buttons.
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
    static constexpr UINT kChildId = 5507;
    static constexpr UINT kLCDId = 5511;
    static constexpr UINT kKeyboardId = 5515;
    static const wchar_t kCaption[]; // "CalcWnd"

    // feedbackVibro: the frame's "Feedback Vibro" option, read by the keypad
    // at every accepted key (not owned; null: no pulse).
    explicit CMyCalcWnd(const DWORD *feedbackVibro = nullptr);
    ~CMyCalcWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Places the display and the keypad for the orientation of the work area.
    void Layout() override;

    // Makes the screen as a child of the main window (the frame makes it
    // through Create with the same caption and id).
    HWND CreateCalc(HWND parent, const RECT &rect);

    // Puts what the display shows on the clipboard as Unicode text.
    bool Copy();
    // Evaluates the clipboard's text as an arithmetic expression and enters
    // the result; false, and nothing changed, when it does not evaluate.
    bool Paste();

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
