// The converter screen through its real window: choosing with the lists'
// messages, typing into the fields, the digit pad with its lock-out, Copy
// and Paste through the clipboard, and the layout in both orientations.
#include <gtest/gtest.h>

#include "support/Clipboard.h"

#include <memory>
#include <string>

#include "BaseLib/Clock.h"
#include "BaseLib/Locale.h"
#include "ShellTestSupport.h"
#include "convert/CmbListEx.h"
#include "convert/ConvMessages.h"
#include "convert/ConvWnd.h"
#include "convert/DigitPad.h"
#include "convert/Edit.h"
#include "shell/Settings.h"
#include "shell/Tools.h"
#include "ui/Messages.h"
#include "ui/ScreenDescriptor.h"

using namespace shelltest;

namespace {

const SYSTEMTIME kSomeDay = {2026, 3, 0, 12, 10, 0, 0, 0};

enum : UINT {
    kCategory = CMyConvWnd::kCategoryListId,
    kFrom = CMyConvWnd::kFromListId,
    kTo = CMyConvWnd::kToListId,
    kFromField = CMyConvWnd::kFromFieldId,
    kToField = CMyConvWnd::kToFieldId,
};
const int kTemperature = 2, kTime = 16;

// A converter in a recording stand-in for the main window, its clock frozen
// so that pad taps are spaced by the test.
class ConvWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::Fake(100000, kSomeDay);
        SetDecimalSeparator(L'.');
        main_.reset(new Recorder(RECT{0, 0, 240, 250}));
        settings_.feedbackVibro = 0; // a pulse would wait on the frozen clock
        conv_.reset(static_cast<CMyConvWnd *>(
            MakeToolScreen(kScreenConverter, settings_, main_->hwnd(), RECT{0, 0, 240, 250}).release()));
        ASSERT_NE(conv_, nullptr);
        conv_->Show(SW_SHOW);
        conv_->Layout();
        Pump();
    }
    void TearDown() override {
        conv_.reset();
        main_.reset();
        SetDecimalSeparator(L'.');
        Clock::Real();
    }

    HWND Conv() const { return conv_->GetHwnd(); }
    CMyEdit *Field(UINT id) const { return conv_->Field(id); }
    std::wstring Value(UINT id) const { return Field(id)->Value().Text(); }
    // A choice in a list, as the drop-down list reports it to its selector.
    void Choose(UINT listId, int row) {
        SendMessageW(conv_->List(listId)->GetHwnd(), UWM_LIST_CHOSEN, row, 0);
        Pump();
    }
    // Hardware keys into a field.
    void Type(UINT fieldId, const wchar_t *keys) {
        for (const wchar_t *k = keys; *k; ++k)
            SendMessageW(Field(fieldId)->GetHwnd(), WM_KEYDOWN, *k == L'.' ? 190 : *k, 0);
    }
    // A tap on a field, and its pad opened as the field's timer does it.
    CMyDigitPad *OpenPad(UINT fieldId) {
        HWND field = Field(fieldId)->GetHwnd();
        Tap(field, 5, 5);
        SendMessageW(field, WM_TIMER, CMyEdit::kPadTimer, 0);
        Pump();
        return Field(fieldId)->Pad();
    }
    void TapKey(CMyDigitPad *pad, UINT key) { SendMessageW(pad->GetHwnd(), UWM_BAR_COMMAND, 0, key); }
    void TapKeys(CMyDigitPad *pad, std::initializer_list<UINT> keys) {
        for (UINT key : keys) {
            Clock::Advance(250);
            TapKey(pad, key);
        }
    }
    bool Paste(const wchar_t *text) {
        EXPECT_TRUE(testsupport::PutOnClipboard(text));
        return conv_->Paste();
    }
    std::wstring Copied() {
        EXPECT_TRUE(conv_->Copy());
        return testsupport::ClipboardText();
    }

    Settings settings_{96, 96, L""};
    std::unique_ptr<Recorder> main_;
    std::unique_ptr<CMyConvWnd> conv_;
};

UINT Digit(int d) { return CMyDigitPad::kKeyDigit0 + d; }

TEST_F(ConvWindow, StartsOnTheFirstCategoryWithZeroInBothFields) {
    wchar_t caption[32] = L"";
    GetWindowTextW(Conv(), caption, 32);
    EXPECT_STREQ(caption, L"ConvWnd");
    EXPECT_EQ(GetDlgCtrlID(Conv()), 5551);
    const ScreenDescriptor &d = conv_->Descriptor();
    EXPECT_EQ(d.screenId, 3);
    EXPECT_EQ(d.titleId, 173);
    EXPECT_EQ(d.menu + d.copy + d.paste + d.minimise, 4);
    EXPECT_EQ(d.newNote + d.nextRecent, 0);

    EXPECT_STREQ(conv_->List(kCategory)->Entry(conv_->List(kCategory)->Current()), L"Length");
    EXPECT_STREQ(conv_->List(kFrom)->Entry(conv_->List(kFrom)->Current()), L"Meter");
    EXPECT_STREQ(conv_->List(kTo)->Entry(conv_->List(kTo)->Current()), L"Meter");
    EXPECT_EQ(conv_->List(kCategory)->Count(), 17);
    EXPECT_EQ(Value(kFromField), L"0");
    EXPECT_EQ(Value(kToField), L"0");
    for (UINT id : {kCategory, kFrom, kTo, kFromField, kToField})
        EXPECT_NE(GetDlgItem(Conv(), id), nullptr) << "child " << id;
}

TEST_F(ConvWindow, ChoosingACategoryRefillsBothUnitListsAndResetsTheFields) {
    Type(kFromField, L"12");
    Choose(kCategory, 1);
    EXPECT_EQ(conv_->Category(), 1);
    EXPECT_EQ(conv_->List(kFrom)->Count(), 13) << "the Weight lists";
    EXPECT_EQ(conv_->List(kTo)->Count(), 13);
    EXPECT_STREQ(conv_->List(kTo)->Entry(12), L"Ton(imperial)");
    EXPECT_EQ(Value(kFromField), L"0");
    EXPECT_EQ(Value(kToField), L"0");
}

// The mended reading: a double, so all nine digits take part.
TEST_F(ConvWindow, TypingConvertsAtOnceWithEveryDigit) {
    Choose(kTo, 9); // "Killometer"
    Type(kFromField, L"123456789");
    EXPECT_EQ(Value(kToField), L"123456.789");
    // Typing 0.5 is not undone by the zero on the way.
    Type(kFromField, std::wstring(9, L'\b').c_str());
    Type(kFromField, L"0.5");
    EXPECT_EQ(Value(kFromField), L"0.5");
    EXPECT_EQ(Value(kToField), L"0.0005");
}

// A new source unit keeps the target and recomputes the source; a new
// target unit keeps the source and recomputes the target.
TEST_F(ConvWindow, ChangingAUnitRecomputesOnlyItsOwnField) {
    Choose(kCategory, kTemperature);
    Choose(kTo, 1); // Fahrenheit
    ASSERT_TRUE(Paste(L"100"));
    EXPECT_EQ(Value(kToField), L"212");
    Choose(kFrom, 2); // Kelvin
    EXPECT_EQ(Value(kToField), L"212");
    EXPECT_EQ(Value(kFromField), L"373.15");
    Choose(kTo, 0); // Celsius
    EXPECT_EQ(Value(kFromField), L"373.15");
    EXPECT_EQ(Value(kToField), L"100");
    // The same unit on both sides copies the text unrounded.
    Choose(kCategory, 0);
    Type(kFromField, L"1.23456789");
    EXPECT_EQ(Value(kToField), L"1.23456789");
}

TEST_F(ConvWindow, PasteFormatsTheValueAndNeverOverrunsTheField) {
    struct Case {
        const wchar_t *pasted, *from, *to;
    } cases[] = {
        {L"1+2*3", L"7", L"7"},
        {L"-40", L"-40", L"-40"},
        {L"20000000", L"2e+07", L"2e+07"},
        {L"-123456789012345678901", L"-1.23e+20", L"-1.23e+20"},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(Paste(c.pasted)) << "case " << (&c - cases);
        EXPECT_EQ(Value(kFromField), c.from) << "case " << (&c - cases);
        EXPECT_EQ(Value(kToField), c.to) << "case " << (&c - cases);
    }
    EXPECT_FALSE(Paste(L"(1+")) << "nothing to compute";
    EXPECT_EQ(Value(kFromField), L"-1.23e+20") << "a failed paste changes nothing";
}

// Only a pasted huge value can leave the range of a double.
TEST_F(ConvWindow, AResultBeyondRangeShowsError) {
    Choose(kCategory, kTime);
    Choose(kFrom, 2); // Day
    Choose(kTo, 11);  // Nanosecond
    const std::wstring big = L"1" + std::wstring(150, L'0');
    ASSERT_TRUE(Paste((big + L"*" + big).c_str()));
    EXPECT_EQ(Value(kFromField), L"1e+300");
    EXPECT_EQ(Value(kToField), L"Error");
    Type(kToField, L"5"); // a key replaces the text
    EXPECT_EQ(Value(kToField), L"5");
}

TEST_F(ConvWindow, CopyTakesTheFocusedFieldOrElseTheFromField) {
    Choose(kTo, 4); // Feet
    ASSERT_TRUE(Paste(L"1"));
    EXPECT_EQ(Copied(), L"1") << "no field focused: the from-field";
    CMyDigitPad *pad = OpenPad(kToField);
    ASSERT_NE(pad, nullptr);
    EXPECT_EQ(conv_->FocusedField(), static_cast<int>(kToField));
    EXPECT_EQ(Copied(), L"3.2808") << "the open pad's text";
    SetDecimalSeparator(L',');
    EXPECT_EQ(Copied(), L"3,2808") << "with the locale's separator";
}

TEST_F(ConvWindow, FieldShowsTheLocaleSeparatorAndStoresAPoint) {
    SetDecimalSeparator(L',');
    Type(kFromField, L"2.5");
    EXPECT_EQ(Value(kFromField), L"2.5");
    EXPECT_STREQ(Field(kFromField)->ShownText(), L"2,5");
}

TEST_F(ConvWindow, PadReplacesFirstThenEditsAndOkConverts) {
    Choose(kTo, 10); // Centimeter
    Type(kFromField, L"25");
    CMyDigitPad *pad = OpenPad(kFromField);
    ASSERT_NE(pad, nullptr);
    EXPECT_TRUE(Field(kFromField)->Focused());
    EXPECT_EQ(conv_->OpenPopup(), static_cast<int>(kFromField));
    EXPECT_EQ(Value(kFromField), L"25") << "the pad starts on the field's value";
    TapKeys(pad, {Digit(7), CMyDigitPad::kKeyPoint, Digit(5), CMyDigitPad::kKeyBackspace, Digit(2)});
    EXPECT_EQ(Value(kFromField), L"7.2");
    EXPECT_EQ(Value(kToField), L"2500") << "nothing converts before ok";
    TapKeys(pad, {CMyDigitPad::kKeyOk});
    Pump();
    EXPECT_EQ(Field(kFromField)->Pad(), nullptr);
    EXPECT_EQ(Value(kFromField), L"7.2");
    EXPECT_EQ(Value(kToField), L"720");
    EXPECT_EQ(conv_->OpenPopup(), 0);

    pad = OpenPad(kFromField);
    ASSERT_NE(pad, nullptr);
    TapKeys(pad, {CMyDigitPad::kKeyClear});
    EXPECT_EQ(Value(kFromField), L"0");
}

TEST_F(ConvWindow, PadTakesOneKeyFromTapsCloserThan200Ms) {
    CMyDigitPad *pad = OpenPad(kFromField);
    ASSERT_NE(pad, nullptr);
    struct Step {
        DWORD after;
        int digit;
        const wchar_t *value;
    } steps[] = {
        {0, 1, L"1"}, {150, 2, L"1"}, {49, 3, L"1"}, {1, 4, L"14"}, {200, 5, L"145"}, {199, 6, L"145"},
    };
    for (const Step &s : steps) {
        Clock::Advance(s.after);
        TapKey(pad, Digit(s.digit));
        EXPECT_EQ(Value(kFromField), s.value) << "step " << (&s - steps);
    }
}

TEST_F(ConvWindow, CloseOverlayDropsThePadOrHidesTheList) {
    Type(kFromField, L"3");
    CMyDigitPad *pad = OpenPad(kFromField);
    ASSERT_NE(pad, nullptr);
    TapKeys(pad, {Digit(9)});
    EXPECT_EQ(conv_->CloseOverlay(), 1);
    EXPECT_EQ(Field(kFromField)->Pad(), nullptr);
    EXPECT_EQ(Value(kFromField), L"3") << "the pad's edits are dropped";
    EXPECT_EQ(conv_->CloseOverlay(), 0);

    Tap(conv_->List(kFrom)->GetHwnd(), 5, 5);
    Pump();
    ASSERT_TRUE(conv_->List(kFrom)->IsListOpen());
    EXPECT_EQ(conv_->OpenPopup(), static_cast<int>(kFrom));
    EXPECT_EQ(conv_->FocusedList(), static_cast<int>(kFrom));
    EXPECT_EQ(conv_->FocusedField(), 0);
    EXPECT_FALSE(Field(kFromField)->Focused()) << "an opened list takes the focus look";
    EXPECT_EQ(conv_->CloseOverlay(), 1);
    EXPECT_FALSE(conv_->List(kFrom)->IsListOpen());
}

TEST_F(ConvWindow, ATapOnARowChoosesItThroughTheSelector) {
    Tap(conv_->List(kTo)->GetHwnd(), 5, 5);
    Pump();
    auto *list = static_cast<CMyCmbListEx *>(conv_->List(kTo)->List());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->RowCount(), 12);
    list->Choose(4); // "Feet"
    Pump();
    EXPECT_FALSE(conv_->List(kTo)->IsListOpen());
    EXPECT_EQ(conv_->List(kTo)->Current(), 4);
    EXPECT_EQ(conv_->OpenPopup(), 0);
    Type(kFromField, L"1");
    EXPECT_EQ(Value(kToField), L"3.2808");
}

TEST_F(ConvWindow, PadKeysHideDuringADragAndReturnAfterIt) {
    CMyDigitPad *pad = OpenPad(kFromField);
    ASSERT_NE(pad, nullptr);
    HWND key = pad->Key(Digit(1))->GetHwnd();
    SendMessageW(Conv(), UWM_DRAG_STATE, 0, 0);
    EXPECT_FALSE(IsShown(key));
    SendMessageW(Conv(), UWM_DRAG_STATE, 0, 1);
    EXPECT_FALSE(IsShown(key)) << "not before the timer";
    SendMessageW(pad->GetHwnd(), WM_TIMER, CMyDigitPad::kShowKeysTimer, 0);
    EXPECT_TRUE(IsShown(key));
}

// Every child inside the client area, none over another, on both kinds of
// screen and in both orientations.
TEST_F(ConvWindow, LayoutFitsBothOrientationsAndResolutions) {
    const SIZE sizes[] = {{240, 250}, {320, 170}};
    for (const Resolution &r : kResolutions) {
        ScopedMetrics metrics(r.width, r.height, r.dpi);
        const int scale = r.dpi / 96;
        for (const SIZE &size : sizes) {
            conv_->Move(0, 0, size.cx * scale, size.cy * scale, true);
            conv_->Layout();
            RECT rects[5];
            const UINT ids[5] = {kCategory, kFrom, kTo, kFromField, kToField};
            for (int i = 0; i < 5; ++i) {
                rects[i] = ChildRect(GetDlgItem(Conv(), ids[i]));
                EXPECT_GE(rects[i].left, 0) << r.name << " child " << ids[i];
                EXPECT_LE(rects[i].right, size.cx * scale) << r.name << " child " << ids[i];
                EXPECT_GE(rects[i].top, 0) << r.name << " child " << ids[i];
                for (int j = 0; j < i; ++j) {
                    RECT overlap;
                    EXPECT_FALSE(IntersectRect(&overlap, &rects[i], &rects[j]))
                        << r.name << " " << ids[i] << " over " << ids[j];
                }
            }
            EXPECT_LT(rects[3].right, rects[4].left) << "from-field on the left";
        }
    }
}

} // namespace
