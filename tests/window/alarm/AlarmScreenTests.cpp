// The alarm list and editor on the test device's screen, with the registry
// of a private hive and a notification database of the suite's own. The
// clock stands in 2031 so that no ring registered here comes due.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "BaseLib/Clock.h"
#include "ListTestSupport.h"
#include "PrivateNotifications.h"
#include "TestHive.h"
#include "alarm/AlarmActions.h"
#include "alarm/AlarmLabelWnd.h"
#include "alarm/AlarmWnd.h"
#include "alarm/EditAlarmWnd.h"
#include "alarm/OleTime.h"
#include "alarm/RingVolumeWnd.h"
#include "alarm/SelectRingtoneWnd.h"
#include "ui/Messages.h"
#include "ui/PDateTimeSelectCtrl.h"
#include "ui/Scaling.h"

namespace {

using listtest::Point;
using listtest::Pump;

const int kRowHeight = 43; // at 96 dpi

void NoWait(DWORD) {}

int gAnswer = IDNO;
int WINAPI Answer(HWND, const wchar_t *, const wchar_t *, UINT) { return gAnswer; }

SYSTEMTIME Noon() {
    SYSTEMTIME t = {};
    t.wYear = 2031;
    t.wMonth = 7;
    t.wDay = 14; // a Monday
    t.wDayOfWeek = 1;
    t.wHour = 12;
    return t;
}

double Today(int hour, int minute) {
    SYSTEMTIME t = Noon();
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    double date = 0.0;
    OleTime::FromSystemTime(t, &date);
    return date;
}

// "HH:MM on day D" of a time, for comparisons that say what went wrong.
std::string Minute(const SYSTEMTIME &t) {
    char text[32];
    snprintf(text, sizeof text, "%02u-%02u %02u:%02u", t.wMonth, t.wDay, t.wHour, t.wMinute);
    return text;
}
std::string Minute(double date) {
    SYSTEMTIME t = {};
    OleTime::ToSystemTime(date, &t);
    return Minute(t);
}

class AlarmScreens : public ::testing::Test {
protected:
    static void SetUpTestSuite() { notifications_ = new PrivateNotifications; }
    static void TearDownTestSuite() {
        delete notifications_;
        notifications_ = nullptr;
    }
    void SetUp() override {
        SetMetrics(ComputeScreenMetrics(240, 320, 96, 96));
        CListWnd::SetWaitFunction(NoWait);
        CEditAlarmWnd::SetAskFunction(Answer);
        Clock::Fake(1000, Noon());
        PrivateNotifications::ClearAll();
    }
    void TearDown() override {
        Pump();
        PrivateNotifications::ClearAll();
        Clock::Real();
        CEditAlarmWnd::SetAskFunction(nullptr);
        CListWnd::SetWaitFunction(nullptr);
    }
    // The screen as the frame makes it: a child window, then its layout.
    void MakeScreen() {
        RECT rect = {0, 0, 240, 300};
        ASSERT_NE(screen.Wnd::Create(L"AlarmWnd", WS_CHILD | WS_VISIBLE, rect, parent.GetHwnd(), 0, true), nullptr);
        screen.Layout();
        ASSERT_NE(screen.List(), nullptr);
    }
    static void Tap(CUIList &list, int row, int x) {
        list.List()->SetOffset(row * kRowHeight); // clamped: the row comes into view
        const RECT r = list.List()->RowRect(row);
        const LPARAM at = Point(x, (r.top + r.bottom) / 2);
        SendMessageW(list.List()->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(list.List()->GetHwnd(), WM_LBUTTONUP, 0, at);
        Pump();
    }
    void TapSwitch(int row) { Tap(screen, row, screen.List()->RowWidth() - 30); }
    static void Command(CUIList &list, WPARAM command) {
        SendMessageW(list.GetHwnd(), UWM_TITLE_COMMAND, command, 0);
        Pump();
    }
    // What the store holds, read afresh.
    static AlarmList Stored() {
        AlarmList stored;
        stored.ReloadAlarms();
        return stored;
    }
    // One alarm at 07:30 (a one-shot, so it rings tomorrow), added as the
    // editor adds.
    int AddSevenThirty() {
        AlarmTemp record;
        record.MakeNew();
        record.time = CManageNotify::NextOneShot(Today(7, 30));
        record.label = L"Work";
        CManageNotify notify;
        const int index = AddAlarm(&screen.Alarms(), record, &notify);
        screen.Alarms().ReloadAlarms();
        return index;
    }
    std::wstring IdOf(int index) { return screen.Alarms().AlarmAt(index)->id.Text(); }

    static PrivateNotifications *notifications_;
    TestHive hive;
    listtest::Parent parent;
    CAlarmWnd screen;
};

PrivateNotifications *AlarmScreens::notifications_ = nullptr;

TEST_F(AlarmScreens, AddSavesTheNewAlarmAndRegistersItsRing) {
    MakeScreen();
    EXPECT_EQ(screen.List()->RowCount(), CAlarmWnd::kMinRows) << "an empty list still shows nine rows";
    Command(screen, kTitleCommandAddAlarm);
    CEditAlarmWnd *editor = screen.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(IsWindowVisible(editor->GetHwnd()));
    EXPECT_EQ(editor->Mode(), CEditAlarmWnd::kAddMode);
    EXPECT_EQ(editor->List()->RowCount(), 4) << "no Delete row when adding";
    Command(*editor, kTitleCommandSave);
    EXPECT_FALSE(IsWindowVisible(editor->GetHwnd()));

    ASSERT_EQ(screen.Alarms().AlarmCount(), 1);
    const AlarmTemp added = screen.Alarms().GetAlarm(0);
    EXPECT_FALSE(added.id.IsEmpty());
    EXPECT_EQ(added.enabled, 1);
    AlarmList stored = Stored();
    ASSERT_EQ(stored.AlarmCount(), 1);
    EXPECT_STREQ(EncodeAlarm(stored.GetAlarm(0)), EncodeAlarm(added));
    const auto rings = PrivateNotifications::Of(added.id.Text());
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(Minute(rings[0].start), Minute(added.time)) << "a new alarm rings at this minute tomorrow";
}

TEST_F(AlarmScreens, TheSwitchTurnsAnAlarmOffAndOnWithExactlyOneRing) {
    AddSevenThirty();
    MakeScreen();
    const std::wstring id = IdOf(0);
    ASSERT_EQ(PrivateNotifications::Of(id).size(), 1u);

    TapSwitch(0);
    EXPECT_EQ(screen.Alarms().GetAlarm(0).enabled, 0);
    EXPECT_EQ(Stored().GetAlarm(0).enabled, 0) << "stored at once";
    EXPECT_TRUE(PrivateNotifications::Of(id).empty()) << "off clears its ring";
    EXPECT_EQ(screen.Editor(), nullptr) << "the switch does not open the editor";

    TapSwitch(0);
    EXPECT_EQ(Stored().GetAlarm(0).enabled, 1);
    const auto rings = PrivateNotifications::Of(id);
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(Minute(rings[0].start), "07-15 07:30");
    TapSwitch(0);
    TapSwitch(0);
    EXPECT_EQ(PrivateNotifications::Of(id).size(), 1u) << "off and on again: still one ring";

    TapSwitch(5);
    EXPECT_EQ(screen.Alarms().AlarmCount(), 1) << "an empty row has no switch";
    Tap(screen, 5, 50);
    EXPECT_EQ(screen.Editor(), nullptr) << "nor an editor";
}

TEST_F(AlarmScreens, SavingAnEditedAlarmThatWasOffTurnsItOnAndMovesItsRing) {
    AddSevenThirty();
    MakeScreen();
    const std::wstring id = IdOf(0);
    TapSwitch(0); // off
    Tap(screen, 0, 50);
    CEditAlarmWnd *editor = screen.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Mode(), CEditAlarmWnd::kEditMode);
    EXPECT_EQ(editor->List()->RowCount(), 5);

    // The time through the selector: a minute later, confirmed with Enter.
    Tap(*editor, CEditAlarmWnd::kTimeRow, 50);
    ASSERT_NE(editor->Selector(), nullptr);
    HWND selector = editor->Selector()->GetHwnd();
    SetFocus(selector);
    SendMessageW(selector, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(selector, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_EQ(editor->Selector(), nullptr) << "closed and destroyed";
    EXPECT_EQ(Minute(screen.Alarms().GetAlarm(0).time), "07-15 07:31");

    Command(*editor, kTitleCommandSave);
    EXPECT_EQ(Stored().GetAlarm(0).enabled, 1) << "saving switches it on";
    auto rings = PrivateNotifications::Of(id);
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(Minute(rings[0].start), "07-15 07:31");

    // Edited again while on: the ring moves, no second one appears.
    Tap(screen, 0, 50);
    screen.Alarms().AlarmAt(0)->time = CManageNotify::NextOneShot(Today(6, 0));
    Command(*editor, kTitleCommandSave);
    rings = PrivateNotifications::Of(id);
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(Minute(rings[0].start), "07-15 06:00");
}

TEST_F(AlarmScreens, BackRestoresTheEditButKeepsTheVolumeChosenInTheSoundPicker) {
    AddSevenThirty();
    MakeScreen();
    const std::wstring before = EncodeAlarm(Stored().GetAlarm(0)).Text();
    Tap(screen, 0, 50);
    CEditAlarmWnd *editor = screen.Editor();
    ASSERT_NE(editor, nullptr);
    AlarmTemp *alarm = editor->Editing();
    alarm->time = Today(9, 45);
    alarm->label = L"Gym";
    alarm->snooze = 0;
    alarm->repeat_days = kWeekdays;

    // Volume 20 % with vibration, then OK on a picker without a chosen file.
    Tap(*editor, CEditAlarmWnd::kSoundRow, 50);
    CSelectRingtoneWnd *picker = editor->RingtonePicker();
    ASSERT_NE(picker, nullptr);
    Tap(*picker, CSelectRingtoneWnd::kVolumeRow, 50);
    ASSERT_NE(picker->VolumePicker(), nullptr);
    Tap(*picker->VolumePicker(), 2, 50);
    Tap(*picker->VolumePicker(), CRingVolumeWnd::kVibrateRow, 50);
    Command(*picker->VolumePicker(), kTitleCommandDone);
    Command(*picker, kTitleCommandDone);
    EXPECT_STREQ(alarm->sound, L"") << "no file chosen empties the sound";
    EXPECT_EQ(alarm->volume, 1);
    EXPECT_EQ(alarm->vibrate, 1);

    Command(*editor, kTitleCommandCancel);
    const AlarmTemp back = screen.Alarms().GetAlarm(0);
    EXPECT_EQ(Minute(back.time), "07-15 07:30");
    EXPECT_STREQ(back.label, L"Work");
    EXPECT_STREQ(back.sound, L"\\Windows\\Alarm4.wma");
    EXPECT_EQ(back.snooze, 1);
    EXPECT_EQ(back.repeat_days, 0);
    EXPECT_EQ(back.volume, 1) << "the sound picker's volume stays in memory";
    EXPECT_EQ(back.vibrate, 1);
    EXPECT_EQ(EncodeAlarm(Stored().GetAlarm(0)).Text(), before) << "back writes nothing";
}

TEST_F(AlarmScreens, DeleteAsksThenClearsTheAlarmAndItsRing) {
    AddSevenThirty();
    MakeScreen();
    const std::wstring id = IdOf(0);
    Tap(screen, 0, 50);
    CEditAlarmWnd *editor = screen.Editor();
    ASSERT_NE(editor, nullptr);
    gAnswer = IDNO;
    Tap(*editor, CEditAlarmWnd::kDeleteRow, 50);
    EXPECT_EQ(screen.Alarms().AlarmCount(), 1) << "No keeps it";
    EXPECT_TRUE(IsWindowVisible(editor->GetHwnd()));
    gAnswer = IDYES;
    Tap(*editor, CEditAlarmWnd::kDeleteRow, 50);
    EXPECT_FALSE(IsWindowVisible(editor->GetHwnd()));
    EXPECT_EQ(screen.Alarms().AlarmCount(), 0);
    EXPECT_EQ(Stored().AlarmCount(), 0);
    EXPECT_TRUE(PrivateNotifications::Of(id).empty());
}

TEST_F(AlarmScreens, TheListShowsAtLeastNineRowsAndReloadsWhenTheRunnerSaysSo) {
    for (int i = 0; i < 3; ++i)
        AddSevenThirty();
    MakeScreen();
    EXPECT_EQ(screen.List()->RowCount(), 9);
    for (int i = 3; i < 12; ++i)
        AddSevenThirty();
    SendMessageW(screen.GetHwnd(), UWM_ALARMS_CHANGED, 0, 0);
    EXPECT_EQ(screen.List()->RowCount(), 12);

    // The runner switched a one-shot alarm off in the store.
    AlarmList store;
    store.ReloadAlarms();
    store.AlarmAt(0)->enabled = 0;
    store.SaveAlarm(0);
    SendMessageW(screen.GetHwnd(), UWM_ALARMS_CHANGED, 0, 0);
    EXPECT_EQ(screen.Alarms().GetAlarm(0).enabled, 0);
}

TEST_F(AlarmScreens, TheLabelRefusesTheFieldSeparator) {
    AlarmTemp record;
    record.label = L"";
    CAlarmLabelWnd label;
    ASSERT_TRUE(label.Open(parent.GetHwnd(), &record));
    Tap(label, CAlarmLabelWnd::kLabelRow, 50);
    HWND editor = label.List()->Editor();
    ASSERT_NE(editor, nullptr);
    for (wchar_t c : std::wstring(L"back/up"))
        SendMessageW(editor, WM_CHAR, c, 1);
    wchar_t text[64] = L"";
    GetWindowTextW(editor, text, 64);
    EXPECT_STREQ(text, L"backup") << "the key does nothing";
    SendMessageW(editor, EM_SETSEL, 6, 6);
    SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L" a/b/c"));
    GetWindowTextW(editor, text, 64);
    EXPECT_STREQ(text, L"backup a-b-c") << "a pasted separator becomes a dash";
    Command(label, kTitleCommandDone);
    EXPECT_STREQ(record.label, L"backup a-b-c");

    AlarmTemp read;
    DecodeAlarm(read, EncodeAlarm(record));
    EXPECT_STREQ(read.label, L"backup a-b-c") << "the label reads back whole";

    ASSERT_TRUE(label.Open(parent.GetHwnd(), &record));
    Tap(label, CAlarmLabelWnd::kLabelRow, 50);
    SetWindowTextW(label.List()->Editor(), L"changed");
    Command(label, kTitleCommandCancel);
    EXPECT_STREQ(record.label, L"backup a-b-c") << "Cancel drops the edit";
}

} // namespace
