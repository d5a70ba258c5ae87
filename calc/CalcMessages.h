// Private messages from the calculator's keypad to the calculator window
// (posted with lParam 0). Digit keys arrive as WM_CHAR instead. Each maps
// onto one CalcEngine call.
#pragma once
#include <windows.h>

enum : UINT {
    UWM_CALC_KEY = 9794,        // wParam low word: key character -> CalcEngine::OnKey
    UWM_CALC_CLEAR = 9795,      // -> CalcEngine::Clear
    UWM_CALC_SIGN = 9796,       // -> CalcEngine::ChangeSign
    UWM_CALC_MEM_CLEAR = 9797,  // -> CalcEngine::MemoryClear
    UWM_CALC_MEM_RECALL = 9798, // -> CalcEngine::MemoryRecall
    UWM_CALC_MEM_ADD = 9799,    // -> CalcEngine::MemoryAdd
    UWM_CALC_SQRT = 9800,       // -> CalcEngine::SquareRoot
};
