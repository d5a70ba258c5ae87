// The calculator screen through its real window: hardware and typed keys,
// keypad taps with their lock-out, the display's texts and pictures, the
// key balloons, dragging, and Copy and Paste through the clipboard.
#include <gtest/gtest.h>

#include "support/Clipboard.h"

#include <memory>
#include <string>
#include <vector>

#include "BaseLib/Clock.h"
#include "ShellTestSupport.h"
#include "calc/CalcMessages.h"
#include "calc/CalcWnd.h"
#include "calc/Keyboard.h"
#include "calc/LCD.h"
#include "shell/Messages.h"
#include "shell/Settings.h"
#include "shell/Tools.h"
#include "ui/PopupBtt.h"
#include "ui/Gdi.h"
#include "ui/ScreenDescriptor.h"
#include "ui/Scaling.h"

using namespace shelltest;

namespace {

const SYSTEMTIME kSomeDay = {2026, 3, 0, 12, 10, 0, 0, 0};

// A calculator in a recording stand-in for the main window, its clock
// frozen so that keypad taps are spaced by the test.
class CalcWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::Fake(100000, kSomeDay);
        main_.reset(new Recorder(RECT{0, 0, 240, 300}));
        settings_.feedbackVibro = 0; // a pulse would wait on the frozen clock
        calc_.reset(static_cast<CMyCalcWnd *>(
            MakeToolScreen(kScreenCalculator, settings_, main_->hwnd(), RECT{0, 0, 240, 300}).release()));
        ASSERT_NE(calc_, nullptr);
        calc_->Show(SW_SHOW);
        calc_->Layout();
        Pump();
    }
    void TearDown() override {
        calc_.reset();
        main_.reset();
        DestroyBalloons();
        Clock::Real();
    }

    HWND Calc() const { return calc_->GetHwnd(); }
    std::wstring Shown() const { return calc_->LCD()->ShownText(); }
    std::wstring Painted() const { return calc_->LCD()->PaintedText(); }
    wchar_t Point() const { return calc_->Engine().DecimalSeparator(); }
    // The text with '.' as the locale's decimal separator.
    std::wstring Local(std::wstring text) const {
        for (wchar_t &c : text)
            if (c == L'.')
                c = Point();
        return text;
    }

    void Type(const wchar_t *keys) {
        for (const wchar_t *k = keys; *k; ++k)
            SendMessageW(Calc(), WM_CHAR, *k, 0);
    }
    // A tap on a key of the pad, as the stylus does it; the keypad posts
    // the key's message, which the pump delivers.
    void Tap(UINT keyId) {
        CCustomBtt *key = calc_->Keyboard()->Key(keyId);
        ASSERT_NE(key, nullptr) << "key " << keyId;
        shelltest::Tap(key->GetHwnd(), 3, 3);
        Pump();
    }
    // Taps far enough apart to pass the lock-out.
    void TapAll(std::initializer_list<UINT> keys) {
        for (UINT key : keys) {
            Clock::Advance(300);
            Tap(key);
        }
    }

    Settings settings_{96, 96, L""};
    std::unique_ptr<Recorder> main_;
    std::unique_ptr<CMyCalcWnd> calc_;
};

UINT Digit(int d) { return CMyKeyboard::kKeyDigit0 + d; }

using testsupport::ClipboardText;

void PutOnClipboard(const wchar_t *text) { ASSERT_TRUE(testsupport::PutOnClipboard(text)); }

// Pixels of the number's colour in a part of the display's back buffer.
int InkPixels(CMyLCD *lcd, const RECT &part) {
    int count = 0;
    for (int y = part.top; y < part.bottom; ++y)
        for (int x = part.left; x < part.right; ++x) {
            const COLORREF c = GetPixel(lcd->BackDC(), x, y);
            if (GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) > 60)
                ++count;
        }
    return count;
}

TEST_F(CalcWindow, StartsClearedWithItsChildren) {
    EXPECT_EQ(Shown(), L"0");
    EXPECT_NE(GetDlgItem(Calc(), CMyCalcWnd::kLCDId), nullptr);
    EXPECT_NE(GetDlgItem(Calc(), CMyCalcWnd::kKeyboardId), nullptr);
    wchar_t caption[32] = L"";
    GetWindowTextW(Calc(), caption, 32);
    EXPECT_STREQ(caption, L"CalcWnd");
    EXPECT_EQ(GetDlgCtrlID(Calc()), 5507);
    const ScreenDescriptor &d = calc_->Descriptor();
    EXPECT_EQ(d.screenId, 1);
    EXPECT_EQ(d.titleId, 171);
    EXPECT_EQ(d.menu + d.copy + d.paste + d.minimise, 4);
    EXPECT_EQ(d.newNote + d.nextRecent, 0);
}

TEST_F(CalcWindow, TypedAndHardwareKeysReachTheEngine) {
    struct Case {
        const char *name;
        UINT msg;
        const wchar_t *keys;
        const wchar_t *shown; // '.' stands for the locale's separator
    } cases[] = {
        {"chain without precedence", WM_CHAR, L"2+3*4=", L"20"},
        {"repeated equals", WM_CHAR, L"5+3==", L"11"},
        {"percent of the first operand", WM_CHAR, L"200+10%", L"220"},
        {"comma is the point", WM_CHAR, L"1,25*2=", L"2.5"},
        {"division by zero", WM_CHAR, L"10/0=", L"Error"},
        {"backspace", WM_CHAR, L"123\b", L"12"},
        {"other characters are ignored", WM_CHAR, L"7a x", L"7"},
        {"number keys", WM_KEYDOWN, L"42", L"42"},
        {"left arrow is percent", WM_KEYDOWN, L"50\x25", L"0.5"},
        {"backspace key", WM_KEYDOWN, L"98\x08", L"9"},
    };
    for (const Case &c : cases) {
        SendMessageW(Calc(), UWM_CALC_CLEAR, 0, 0);
        for (const wchar_t *k = c.keys; *k; ++k)
            SendMessageW(Calc(), c.msg, *k, 0);
        EXPECT_EQ(Shown(), Local(c.shown)) << c.name;
    }
}

// A focused window gets the key and, through TranslateMessage, its
// character: the digit must still be entered once.
TEST_F(CalcWindow, KeyDownAndItsTranslatedCharacterEnterOneDigit) {
    PostMessageW(Calc(), WM_CHAR, L'7', 0);
    SendMessageW(Calc(), WM_KEYDOWN, L'7', 0);
    Pump();
    EXPECT_EQ(Shown(), L"7");
    // A character that differs from the key stays.
    PostMessageW(Calc(), WM_CHAR, L'1', 0);
    SendMessageW(Calc(), WM_KEYDOWN, L'2', 0);
    Pump();
    EXPECT_EQ(Shown(), L"721");
}

TEST_F(CalcWindow, KeypadTapsWithinTheLockOutAreDropped) {
    Tap(Digit(1));
    Clock::Advance(150);
    Tap(Digit(2));
    EXPECT_EQ(Shown(), L"1") << "150 ms apart: one key";
    Clock::Advance(250);
    Tap(Digit(3));
    EXPECT_EQ(Shown(), L"13") << "250 ms apart: two keys";
    Clock::Advance(200);
    Tap(Digit(4));
    EXPECT_EQ(Shown(), L"13") << "200 ms is still within the lock-out";
    Clock::Advance(1);
    Tap(Digit(5));
    EXPECT_EQ(Shown(), L"135") << "201 ms passes";
}

TEST_F(CalcWindow, EveryKeypadKeyDoesItsJob) {
    using K = CMyKeyboard;
    struct Case {
        const char *name;
        std::initializer_list<UINT> keys;
        const wchar_t *shown;
        int operatorSign;
        bool memory;
    } cases[] = {
        {"digits and operators", {Digit(7), Digit(8), K::kKeyMultiply, Digit(2), K::kKeyEquals}, L"156", 2, false},
        {"minus and divide",
         {Digit(9), K::kKeySubtract, Digit(3), K::kKeyDivide, Digit(2), K::kKeyEquals},
         L"3",
         3,
         false},
        {"point", {Digit(1), K::kKeyPoint, Digit(5), K::kKeyAdd, Digit(1), K::kKeyEquals}, L"2.5", 0, false},
        {"root as second operand", {Digit(9), K::kKeyAdd, Digit(1), Digit(6), K::kKeyRoot}, L"13", 5, false},
        {"percent", {Digit(5), Digit(0), K::kKeyPercent}, L"0.5", 4, false},
        {"change sign", {Digit(5), K::kKeySign}, L"-5", -1, false},
        {"backspace", {Digit(1), Digit(2), Digit(3), K::kKeyBackspace}, L"12", -1, false},
        {"memory add and recall", {Digit(6), K::kKeyMemAdd, K::kKeyClear, K::kKeyMemRecall}, L"6", -1, true},
        {"memory clear", {Digit(6), K::kKeyMemAdd, K::kKeyMemClear}, L"6", -1, false},
    };
    for (const Case &c : cases) {
        TapAll({K::kKeyClear, K::kKeyMemClear});
        TapAll(c.keys);
        EXPECT_EQ(Shown(), Local(c.shown)) << c.name;
        EXPECT_EQ(calc_->LCD()->OperatorSign(), c.operatorSign) << c.name;
        EXPECT_EQ(calc_->LCD()->MemorySign(), c.memory) << c.name;
    }
}

TEST_F(CalcWindow, DisplayGroupsTheIntegerDigits) {
    struct Case {
        const wchar_t *keys;
        const wchar_t *painted; // '.' stands for the locale's separator
    } cases[] = {
        {L"1234", L"1'234"},          {L"123", L"123"},    {L"1234567.5", L"1'234'567.5"},
        {L"123456\x01", L"-123'456"}, // \x01: change sign
        {L"0.500", L"0.5"},           {L"1/0=", L"Error"},
    };
    for (const Case &c : cases) {
        SendMessageW(Calc(), UWM_CALC_CLEAR, 0, 0);
        for (const wchar_t *k = c.keys; *k; ++k) {
            if (*k == 1)
                SendMessageW(Calc(), UWM_CALC_SIGN, 0, 0);
            else
                SendMessageW(Calc(), WM_CHAR, *k, 0);
        }
        EXPECT_EQ(Painted(), Local(c.painted)) << "keys " << std::string(c.keys, c.keys + wcslen(c.keys));
    }
}

TEST_F(CalcWindow, OperatorAndMemoryPicturesArePainted) {
    CMyLCD *lcd = calc_->LCD();
    RECT client;
    GetClientRect(lcd->GetHwnd(), &client);
    const RECT memoryArea = {ScaleX(7), ScaleY(1), ScaleX(7) + ScaleX(8), ScaleY(1) + ScaleY(8)};
    const RECT operatorArea = {ScaleX(5), client.bottom - ScaleY(2) - ScaleY(8), ScaleX(5) + ScaleX(8),
                               client.bottom - ScaleY(2)};
    const int blankMemory = InkPixels(lcd, memoryArea);
    const int blankOperator = InkPixels(lcd, operatorArea);

    Type(L"5+");
    EXPECT_GT(InkPixels(lcd, operatorArea), blankOperator) << "plus sign";
    SendMessageW(Calc(), UWM_CALC_MEM_ADD, 0, 0);
    EXPECT_GT(InkPixels(lcd, memoryArea), blankMemory) << "memory sign";
    SendMessageW(Calc(), UWM_CALC_SQRT, 0, 0);
    EXPECT_EQ(InkPixels(lcd, operatorArea), blankOperator) << "no picture after the root";
    SendMessageW(Calc(), UWM_CALC_MEM_CLEAR, 0, 0);
    EXPECT_EQ(InkPixels(lcd, memoryArea), blankMemory) << "memory sign gone";
}

// The pixels of a window's client area as the screen shows them.
std::vector<DWORD> ScreenPixels(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    Bitmap shot(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<DWORD> pixels;
    if (!shot)
        return pixels;
    HDC windowDC = GetDC(window);
    {
        MemoryDC copy(windowDC);
        SelectedObject selected(copy, shot.get());
        BitBlt(copy, 0, 0, client.right, client.bottom, windowDC, 0, 0, SRCCOPY);
    }
    ReleaseDC(window, windowDC);
    GdiFlush();
    const DWORD *first = static_cast<const DWORD *>(bits);
    pixels.assign(first, first + client.right * client.bottom);
    return pixels;
}

// Where two pictures of the same size first differ, or "".
std::string FirstDifference(const std::vector<DWORD> &a, const std::vector<DWORD> &b, int width) {
    if (a.size() != b.size())
        return "sizes differ";
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            return "pixel (" + std::to_string(i % width) + ", " + std::to_string(i / width) + ")";
    }
    return "";
}

bool Inside(const RECT &inner, const RECT &outer) {
    RECT both;
    UnionRect(&both, &inner, &outer);
    return EqualRect(&both, &outer) != 0;
}

// A key repaints only the parts that changed; the screen must then show
// exactly what a repaint of the whole display shows.
TEST_F(CalcWindow, KeysRepaintOnlyWhatChangedWithTheWholePicturesPixels) {
    CMyLCD *lcd = calc_->LCD();
    HWND display = lcd->GetHwnd();
    RECT client;
    GetClientRect(display, &client);
    const RECT number = lcd->NumberBox();
    const RECT memory = lcd->MemorySignPlace();
    ASSERT_FALSE(IsRectEmpty(&memory)) << "memory sign picture";
    RECT numberAndSigns = number;
    UnionRect(&numberAndSigns, &numberAndSigns, &memory);
    for (int sign = 0; sign <= 4; ++sign) {
        const RECT place = lcd->OperatorSignPlace(sign);
        ASSERT_FALSE(IsRectEmpty(&place)) << "operator sign picture " << sign;
        UnionRect(&numberAndSigns, &numberAndSigns, &place);
    }
    UpdateWindow(display);

    enum Expect { kNothing, kNumber, kOperator, kMemory, kAny };
    struct Step {
        const char *name;
        UINT msg;
        const wchar_t *keys; // for WM_CHAR; else one message
        Expect repainted;    // what the update region must cover
    } steps[] = {
        {"digits", WM_CHAR, L"12", kNumber},
        {"a zero after a zero changes nothing", WM_CHAR, L"", kNothing},
        {"plus sign", WM_CHAR, L"+", kOperator},
        {"second operand", WM_CHAR, L"3", kNumber},
        {"memory sign on", UWM_CALC_MEM_ADD, nullptr, kMemory},
        {"times replaces plus", WM_CHAR, L"*", kOperator},
        {"divide", WM_CHAR, L"4/", kAny},
        {"root has no picture", UWM_CALC_SQRT, nullptr, kAny},
        {"percent", WM_CHAR, L"50%", kAny},
        {"memory sign off", UWM_CALC_MEM_CLEAR, nullptr, kMemory},
        {"clear", UWM_CALC_CLEAR, nullptr, kAny},
        {"number wider than its box", WM_CHAR, L"1234567890123456789", kNumber},
        {"backspace", WM_CHAR, L"\b", kNumber},
        {"negative", UWM_CALC_SIGN, nullptr, kNumber},
        {"error", WM_CHAR, L"/0=", kAny},
        {"cleared after the error", UWM_CALC_CLEAR, nullptr, kAny},
    };
    for (const Step &step : steps) {
        if (step.msg == WM_CHAR && !*step.keys) {
            SendMessageW(Calc(), UWM_CALC_CLEAR, 0, 0);
            UpdateWindow(display);
            Type(L"0");
        } else if (step.msg == WM_CHAR) {
            Type(step.keys);
        } else {
            SendMessageW(Calc(), step.msg, 0, 0);
        }
        RECT update = {};
        GetUpdateRect(display, &update, FALSE);
        switch (step.repainted) {
        case kNothing:
            EXPECT_TRUE(IsRectEmpty(&update)) << step.name;
            break;
        case kNumber:
            EXPECT_TRUE(EqualRect(&update, &number)) << step.name << ": only the number's box";
            break;
        case kOperator:
            EXPECT_TRUE(Inside(update, numberAndSigns) && update.left <= lcd->OperatorSignPlace(0).left &&
                        update.bottom >= lcd->OperatorSignPlace(0).bottom)
                << step.name << ": the operator sign's place";
            break;
        case kMemory:
            EXPECT_TRUE(Inside(update, numberAndSigns) && Inside(memory, update))
                << step.name << ": the memory sign's place";
            break;
        case kAny:
            EXPECT_TRUE(Inside(update, numberAndSigns)) << step.name << ": never the frame";
            break;
        }
        UpdateWindow(display);
        const std::vector<DWORD> incremental = ScreenPixels(display);
        lcd->Redraw();
        UpdateWindow(display);
        const std::vector<DWORD> whole = ScreenPixels(display);
        ASSERT_FALSE(whole.empty());
        EXPECT_EQ(FirstDifference(incremental, whole, client.right), "") << step.name;
    }
    EXPECT_EQ(Shown(), L"0");
    EXPECT_EQ(lcd->OperatorSign(), -1);
    EXPECT_FALSE(lcd->MemorySign());
}

// The frame is composed once: a key does not make it again, a new size does.
TEST_F(CalcWindow, DisplayFrameIsComposedOnceUntilTheSizeChanges) {
    CMyLCD *lcd = calc_->LCD();
    HDC frame = lcd->FrameDC();
    ASSERT_NE(frame, nullptr);
    Type(L"12+3");
    SendMessageW(Calc(), UWM_CALC_MEM_ADD, 0, 0);
    EXPECT_EQ(lcd->FrameDC(), frame) << "kept across keys";
    RECT client;
    GetClientRect(lcd->GetHwnd(), &client);
    lcd->Move(0, 0, client.right - 20, client.bottom, true);
    UpdateWindow(lcd->GetHwnd());
    const std::vector<DWORD> resized = ScreenPixels(lcd->GetHwnd());
    lcd->LoadPictures();
    lcd->Redraw();
    UpdateWindow(lcd->GetHwnd());
    EXPECT_EQ(FirstDifference(resized, ScreenPixels(lcd->GetHwnd()), client.right - 20), "")
        << "the frame composed at the new width";
}

TEST_F(CalcWindow, PortraitLayoutPlacesDisplayAndKeys) {
    const RECT lcd = ChildRect(calc_->LCD()->GetHwnd());
    EXPECT_EQ(lcd.left, 11);
    EXPECT_EQ(lcd.top, 9);
    EXPECT_EQ(lcd.right - lcd.left, 217);
    EXPECT_EQ(lcd.bottom - lcd.top, 31);
    const RECT pad = ChildRect(calc_->Keyboard()->GetHwnd());
    EXPECT_EQ(pad.top, 50);
    struct Case {
        UINT id;
        int x, y, width;
    } cases[] = {
        {CMyKeyboard::kKeyClear, 0, 0, 41},
        {CMyKeyboard::kKeyBackspace, 176, 0, 41},
        {Digit(7), 0, 38, 41},
        {CMyKeyboard::kKeyPercent, 176, 71, 41},
        {CMyKeyboard::kKeySubtract, 176, 104, 41},
        {CMyKeyboard::kKeyEquals, 132, 137, 83},
    };
    for (const Case &c : cases) {
        const RECT key = ChildRect(calc_->Keyboard()->Key(c.id)->GetHwnd());
        EXPECT_EQ(key.left, c.x) << "key " << c.id;
        EXPECT_EQ(key.top, c.y) << "key " << c.id;
        EXPECT_EQ(key.right - key.left, c.width) << "key " << c.id;
        EXPECT_EQ(key.bottom - key.top, 30) << "key " << c.id;
    }
}

TEST_F(CalcWindow, HeldKeyShowsItsBalloonAboveIt) {
    BuildBalloons(main_->hwnd(), BalloonSet::kPortrait);
    struct Case {
        UINT key, balloon;
        const wchar_t *text;
    } cases[] = {
        {Digit(8), kBalloonPlain, L"8"},
        {CMyKeyboard::kKeyEquals, kBalloonWide, L"="},
        {CMyKeyboard::kKeyRoot, kBalloonRoot, L""},
    };
    for (const Case &c : cases) {
        HWND key = calc_->Keyboard()->Key(c.key)->GetHwnd();
        CPopupBtt *balloon = FindBalloon(c.balloon);
        ASSERT_NE(balloon, nullptr);
        Press(key, 3, 3);
        EXPECT_TRUE(IsShown(balloon->GetHwnd())) << "balloon of key " << c.key;
        EXPECT_STREQ(balloon->Text(), c.text);
        RECT keyRect, balloonRect;
        GetWindowRect(key, &keyRect);
        GetWindowRect(balloon->GetHwnd(), &balloonRect);
        EXPECT_EQ(balloonRect.bottom, keyRect.bottom) << "stands on key " << c.key;
        EXPECT_LE(std::abs((balloonRect.left + balloonRect.right) - (keyRect.left + keyRect.right)), 1);
        Release(key, 3, 3);
        EXPECT_FALSE(IsShown(balloon->GetHwnd())) << "hidden after key " << c.key;
        Clock::Advance(300);
        Pump();
    }
}

TEST_F(CalcWindow, DraggingTheBackgroundMovesTheMainWindow) {
    struct Case {
        const char *name;
        HWND surface;
    } cases[] = {
        {"calculator", Calc()},
        {"display", calc_->LCD()->GetHwnd()},
        {"keypad", calc_->Keyboard()->GetHwnd()},
    };
    for (const Case &c : cases) {
        main_->Clear();
        Press(c.surface, 2, 2);
        MoveTo(c.surface, 3, 4); // within the threshold
        EXPECT_EQ(main_->Count(UWM_DRAG_MOVE), 0) << c.name;
        MoveTo(c.surface, 13, 4);
        ASSERT_EQ(main_->Count(UWM_DRAG_MOVE), 1) << c.name;
        EXPECT_EQ(main_->Last(UWM_DRAG_MOVE)->wParam, 10u) << c.name;
        Release(c.surface, 13, 4);
        EXPECT_EQ(main_->Count(UWM_DRAG_END), 1) << c.name;
        // A tap is no drag.
        main_->Clear();
        shelltest::Tap(c.surface, 5, 5);
        EXPECT_EQ(main_->Count(UWM_DRAG_END), 0) << c.name;
    }
    // The drag state goes on to the keypad; drags of its keys come up.
    main_->Clear();
    HWND key = calc_->Keyboard()->Key(Digit(5))->GetHwnd();
    Press(key, 3, 3);
    MoveTo(key, 3, 100);
    Release(key, 3, 100);
    EXPECT_GE(main_->Count(UWM_DRAG_MOVE), 1);
    EXPECT_EQ(main_->Count(UWM_DRAG_END), 1);
    Pump();
    EXPECT_EQ(Shown(), L"0") << "a dragged key is no key";
}

TEST_F(CalcWindow, CopyPutsTheShownTextOnTheClipboard) {
    struct Case {
        const wchar_t *keys;
        const wchar_t *copied; // '.' stands for the locale's separator
    } cases[] = {
        {L"1234.5", L"1234.5"}, // no apostrophes
        {L"5.10", L"5.1"},
        {L"1/3=", L"0.3333333333"},
        {L"1/0=", L"Error"},
    };
    for (const Case &c : cases) {
        SendMessageW(Calc(), UWM_CALC_CLEAR, 0, 0);
        Type(c.keys);
        ASSERT_TRUE(calc_->Copy());
        EXPECT_EQ(ClipboardText(), Local(c.copied));
    }
}

TEST_F(CalcWindow, PasteEvaluatesTheClipboardText) {
    PutOnClipboard(L"1+2*3");
    ASSERT_TRUE(calc_->Paste());
    EXPECT_EQ(Shown(), L"7");
    EXPECT_EQ(std::wstring(calc_->Engine().Entry()), L"7.000000");
    // The pasted value is the first operand.
    Type(L"+1=");
    EXPECT_EQ(Shown(), L"8");

    // A failed paste changes nothing.
    PutOnClipboard(L"(1+");
    EXPECT_FALSE(calc_->Paste());
    EXPECT_EQ(Shown(), L"8");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(calc_->Paste()) << "nothing on the clipboard";
    EXPECT_EQ(Shown(), L"8");
}

} // namespace
