// Key-to-painted-display time of the calculator screen: from a key message
// until the display's new picture is on the screen, for a typed key
// (WM_CHAR), a tap on the keypad (posted on by the keypad) and an operator
// key that computes. Needs a display (run it in the device).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "BaseLib/Clock.h"
#include "BenchScreen.h"
#include "calc/CalcMessages.h"
#include "calc/CalcWnd.h"
#include "calc/Keyboard.h"
#include "calc/LCD.h"
#include "shell/Settings.h"
#include "shell/Tools.h"
#include "ui/ScreenDescriptor.h"
#include "ui/Scaling.h"

namespace {

double Microseconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1e6 * double(now.QuadPart) / double(frequency.QuadPart);
}

// One key: the message, then the display painted on the screen.
template <class Press>
double TimeKey(HWND lcd, Press press) {
    const double start = Microseconds();
    press();
    UpdateWindow(lcd);
    return Microseconds() - start;
}

} // namespace

int main() {
    BenchScreen bench(kScreenCalculator, 300);
    if (!bench.Screen()) {
        std::printf("cannot make the calculator window\n");
        return 1;
    }
    CMyCalcWnd &calc = static_cast<CMyCalcWnd &>(*bench.Screen());
    HWND window = calc.GetHwnd();
    HWND lcd = calc.LCD()->GetHwnd();
    const int kKeys = 2000;

    std::vector<double> typed;
    for (int i = 0; i < kKeys; ++i) {
        if (i % 18 == 0)
            SendMessageW(window, UWM_CALC_CLEAR, 0, 0); // stay below the 19-digit limit
        typed.push_back(TimeKey(lcd, [&] { SendMessageW(window, WM_CHAR, L'1' + i % 9, 0); }));
    }
    Report("typed digit (WM_CHAR)", typed, "keys");

    // The keypad's lock-out is passed by moving the frozen clock on.
    SYSTEMTIME day = {2026, 1, 0, 1, 12, 0, 0, 0};
    Clock::Fake(1000, day);
    HWND pad = calc.Keyboard()->GetHwnd();
    std::vector<double> tapped;
    for (int i = 0; i < kKeys; ++i) {
        if (i % 18 == 0)
            SendMessageW(window, UWM_CALC_CLEAR, 0, 0);
        Clock::Advance(250);
        tapped.push_back(TimeKey(lcd, [&] {
            SendMessageW(pad, 5689 /* UWM_BAR_COMMAND */, 0, CMyKeyboard::kKeyDigit0 + 1 + i % 9);
            Pump(); // the keypad posts the key to the calculator
        }));
    }
    Clock::Real();
    Report("keypad tap (posted on to the calculator)", tapped, "keys");

    std::vector<double> computed;
    SendMessageW(window, UWM_CALC_CLEAR, 0, 0);
    SendMessageW(window, WM_CHAR, L'7', 0);
    for (int i = 0; i < kKeys; ++i) {
        SendMessageW(window, WM_CHAR, L'3', 0);
        computed.push_back(TimeKey(lcd, [&] { SendMessageW(window, WM_CHAR, L'/', 0); }));
        if (i % 20 == 19) {
            SendMessageW(window, UWM_CALC_CLEAR, 0, 0);
            SendMessageW(window, WM_CHAR, L'7', 0);
        }
    }
    Report("operator that divides (WM_CHAR '/')", computed, "keys");
    return 0;
}
