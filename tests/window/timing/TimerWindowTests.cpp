// The timer screen: a duration chosen in the time selector, Start writing
// the countdown record and registering exactly one runner notification 15 s
// before the end, Stop clearing both, the display's rounding as it counts
// down, the end with the "Timer Done" box, picking a countdown up from the
// record when the screen is shown (also after the device restarted), and the
// end sound chosen through "When Timer Ends".
#include <gtest/gtest.h>
#include <notify.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "BaseLib/Clock.h"
#include "BaseLib/Registry.h"
#include "alarm/SelectRingtoneWnd.h"
#include "ShellTestSupport.h"
#include "timing/CountdownRecord.h"
#include "timing/EndSound.h"
#include "timing/TimerDisplayCtrl.h"
#include "timing/TimerWnd.h"
#include "timing/TimingMessages.h"
#include "ui/CustomBtt.h"
#include "ui/Messages.h"
#include "ui/PDateTimeSelectCtrl.h"
#include "PrivateNotifications.h"
#include "support/Notifications.h"
#include "support/TempTree.h"

using namespace shelltest;

namespace {

// Far ahead, so that no registered ring fires during the suite.
const SYSTEMTIME kNow = {2040, 5, 2, 1, 23, 59, 30, 0};

using Pending = testsupport::PendingNotification;
using testsupport::PendingNotifications;

// Closes the "Timer Done" box of this thread as soon as it shows.
void CALLBACK CloseDoneBox(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            wchar_t name[16] = L"";
            GetClassNameW(window, name, 16);
            if (wcscmp(name, L"#32770") == 0 && IsWindowVisible(window))
                PostMessageW(window, WM_COMMAND, IDOK, 0);
            return TRUE;
        },
        0);
}

class TimerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { notifications_ = std::make_unique<PrivateNotifications>(); }
    static void TearDownTestSuite() { notifications_.reset(); }

    void SetUp() override {
        ClearAll();
        Clock::Fake(500000, kNow);
        frame_ = std::make_unique<Recorder>(RECT{0, 0, 240, 268});
    }
    void TearDown() override {
        screen_.reset();
        frame_.reset();
        Clock::Real();
        ClearAll();
    }

    // The screen made, then shown as the frame shows it.
    void Open() {
        screen_ = std::make_unique<CMyTimerWnd>();
        ASSERT_NE(screen_->Create(L"TimerWnd", WS_CHILD, RECT{0, 0, 240, 268}, frame_->hwnd(), 5555, true), nullptr);
        ShowWindow(screen_->GetHwnd(), SW_SHOW);
        Pump();
    }
    void Press(UINT commandId) {
        Clock::Advance(250);
        SendMessageW(screen_->GetHwnd(), UWM_BAR_COMMAND, 0, commandId);
    }
    // Time passes by ms, then the display ticks.
    void Pass(DWORD ms) {
        Clock::Advance(ms);
        SendMessageW(Display().GetHwnd(), WM_TIMER, CMyTimerDisplayCtrl::kTickTimer, 0);
    }
    // The one-shot timer after Start that registers the runner.
    void ScheduleFires() { SendMessageW(screen_->GetHwnd(), WM_TIMER, CMyTimerWnd::kScheduleTimer, 0); }
    // The duration moved by minutes in the time selector, then chosen.
    void ChooseMinutesMore(int minutes) {
        Press(UWM_TIMER_SET_REQUEST);
        PDateTimeSelectCtrl *selector = screen_->TimeSelector();
        ASSERT_NE(selector, nullptr);
        for (int i = 0; i < (minutes < 0 ? -minutes : minutes); ++i)
            selector->StepValue(minutes < 0);
        selector->Confirm();
        Pump();
        if (screen_->TimeSelector()) // the selector closes when it loses the focus
            SendMessageW(screen_->GetHwnd(), UWM_DATE_CLOSING, 0, 0);
    }
    CMyTimerDisplayCtrl &Display() { return *screen_->Display(); }
    const wchar_t *SetButtonText() { return Display().SetButton()->Caption(); }
    static DWORD RecordNumber(const wchar_t *name) { return ReadRegDword(kCountdownKey, name, 99); }

    static void ClearAll() {
        PrivateNotifications::ClearAll();
        RegDeleteKeyW(HKEY_CURRENT_USER, kCountdownKey);
    }

    static std::unique_ptr<PrivateNotifications> notifications_;
    std::unique_ptr<Recorder> frame_;
    std::unique_ptr<CMyTimerWnd> screen_;
};

std::unique_ptr<PrivateNotifications> TimerTest::notifications_;

} // namespace

TEST_F(TimerTest, StartWritesTheRecordAndRegistersOneRunner15sBeforeTheEnd) {
    Open();
    EXPECT_FALSE(screen_->Running());
    EXPECT_TRUE(Display().SetModeOn());
    ChooseMinutesMore(1); // 1 min -> 2 min
    EXPECT_EQ(120u, screen_->DurationS());
    Press(kTimerStart);
    ASSERT_TRUE(screen_->Running());
    EXPECT_FALSE(Display().SetModeOn());
    EXPECT_STREQ(L"02:00", Display().LastText());

    CountdownRecord record;
    ASSERT_TRUE(ReadCountdownRecord(&record));
    EXPECT_TRUE(record.Live());
    EXPECT_EQ(Clock::TickCount(), record.start);
    EXPECT_EQ(120000u, record.set);
    EXPECT_STREQ(screen_->SoundFolder(), record.path);
    EXPECT_STREQ(screen_->SoundName(), record.sound);
    SYSTEMTIME utc;
    Clock::UtcTime(&utc);
    EXPECT_EQ(utc.wHour * 3600 + utc.wMinute * 60 + utc.wSecond,
              record.startUtc.wHour * 3600 + record.startUtc.wMinute * 60 + record.startUtc.wSecond);
    EXPECT_EQ(1u, RecordNumber(L"Vibro"));
    EXPECT_EQ(0xFFFFFFFFu, RecordNumber(L"Volume"));

    EXPECT_TRUE(PendingNotifications().empty()) << "registered only 300 ms after Start";
    ScheduleFires();
    const std::vector<Pending> pending = PendingNotifications();
    ASSERT_EQ(1u, pending.size());
    const std::wstring path = SoundPath(screen_->SoundFolder(), screen_->SoundName()).Text();
    EXPECT_EQ(L"sort=1 adx=\"" + path + L"\"", pending[0].arguments);
    // Started 23:59:30.25 (+ the selector's presses) for 2 min: the end at
    // 00:01:30, the runner at 00:01:15 of the next day, seconds dropped.
    EXPECT_EQ(2040, pending[0].trigger.stStartTime.wYear);
    EXPECT_EQ(2, pending[0].trigger.stStartTime.wDay);
    EXPECT_EQ(0, pending[0].trigger.stStartTime.wHour);
    EXPECT_EQ(1, pending[0].trigger.stStartTime.wMinute);
    EXPECT_EQ(0, pending[0].trigger.stStartTime.wSecond);

    Press(kTimerStop);
    EXPECT_FALSE(screen_->Running());
    EXPECT_TRUE(Display().SetModeOn());
    EXPECT_FALSE(ReadCountdownRecord(&record)) << "Stop clears the record";
    EXPECT_TRUE(PendingNotifications().empty()) << "Stop withdraws the notification";
    Press(kTimerStart);
    EXPECT_STREQ(L"02:00", Display().LastText()) << "no pause: a new Start begins from the full duration";
}

TEST_F(TimerTest, DisplayRoundsToTheSecondAndEndsWithTheDoneBox) {
    Open();
    Press(kTimerStart); // the first duration: 1 min
    Pass(400);
    EXPECT_STREQ(L"01:00", Display().LastText()) << "59.6 s left";
    Pass(59500 - 400);
    EXPECT_STREQ(L"00:01", Display().LastText()) << "0.5 s left";
    Pass(100);
    EXPECT_STREQ(L"00:00", Display().LastText()) << "0.4 s left";
    EXPECT_TRUE(screen_->Running());

    const UINT_PTR closer = SetTimer(nullptr, 0, 100, CloseDoneBox);
    Pass(400); // the end: the box shows until closed
    KillTimer(nullptr, closer);
    EXPECT_FALSE(screen_->Running());
    EXPECT_TRUE(Display().SetModeOn());
    EXPECT_STREQ(L"01:00", SetButtonText()) << "back to the same duration";
    CountdownRecord record;
    EXPECT_FALSE(ReadCountdownRecord(&record));
    EXPECT_TRUE(PendingNotifications().empty());
}

TEST_F(TimerTest, ZeroDurationIsRefusedAndQuickRepeatsActOnce) {
    Open();
    ChooseMinutesMore(-1); // 1 min -> 0:00
    EXPECT_EQ(0u, screen_->DurationS());
    Press(kTimerStart);
    EXPECT_FALSE(screen_->Running());
    ChooseMinutesMore(90);
    EXPECT_STREQ(L"01:30:00", SetButtonText());
    Press(kTimerStart);
    Clock::Advance(200);
    SendMessageW(screen_->GetHwnd(), UWM_BAR_COMMAND, 0, kTimerStop);
    EXPECT_TRUE(screen_->Running()) << "a press 200 ms after the last is dropped";
}

TEST_F(TimerTest, ShownAgainItResumesALiveCountdownWithTheTimeLeft) {
    struct Case {
        const char *what;
        DWORD secondsAgo;     // when the 2-minute countdown started, by the wall clock
        bool restarted;       // the device restarted since: the tick count lies below "Start"
        const wchar_t *shown; // null: over, the screen stays idle
    };
    const Case cases[] = {
        {"program restarted 20 s into 2 min", 20, false, L"01:40"},
        {"device restarted 30 s into 2 min", 30, true, L"01:30"},
        {"device restarted after the end", 125, true, nullptr},
        {"over by the ticks", 121, false, nullptr},
    };
    for (const Case &c : cases) {
        SYSTEMTIME utc;
        Clock::UtcTime(&utc);
        FILETIME file;
        SystemTimeToFileTime(&utc, &file);
        ULARGE_INTEGER units = {{file.dwLowDateTime, file.dwHighDateTime}};
        units.QuadPart -= c.secondsAgo * 10000000ULL;
        file = {units.LowPart, units.HighPart};
        CountdownRecord record;
        FileTimeToSystemTime(&file, &record.startUtc);
        record.start = c.restarted ? Clock::TickCount() + 3600000 : Clock::TickCount() - c.secondsAgo * 1000;
        record.set = 120000;
        record.path = L"\\My Documents";
        record.sound = L"Bell.wav";
        ASSERT_TRUE(WriteCountdownRecord(record));
        WriteEndOptions(0, 3);
        Open();
        EXPECT_EQ(c.shown != nullptr, screen_->Running()) << c.what;
        EXPECT_STREQ(L"Bell.wav", screen_->SoundName()) << c.what << ": the record's sound either way";
        EXPECT_EQ(0u, screen_->Vibrate()) << c.what;
        EXPECT_EQ(3, screen_->Volume()) << c.what;
        if (c.shown) {
            EXPECT_EQ(120u, screen_->DurationS()) << c.what;
            EXPECT_STREQ(c.shown, Display().LastText()) << c.what;
            Pass(10000);
            EXPECT_STRNE(c.shown, Display().LastText()) << c.what << ": counts on";
        }
        EXPECT_TRUE(PendingNotifications().empty()) << c.what << ": resuming registers nothing";
        screen_.reset();
    }
}

TEST_F(TimerTest, WhenTimerEndsChoosesTheEndSoundAndARunningCountdownsRecordFollows) {
    TempTree tree;
    tree.Folder(L"Tones");
    tree.File(L"Tones\\Bell.wav");
    tree.File(L"Tones\\Gong.wma");
    // The last end sound, kept in the record while no countdown runs.
    CountdownRecord last;
    last.path = tree.Path(L"Tones").c_str();
    last.sound = L"Bell.wav";
    ASSERT_TRUE(WriteCountdownRecord(last));
    Open();
    Press(kTimerStart);
    ASSERT_TRUE(screen_->Running());

    Press(kTimerEnds);
    CSelectRingtoneWnd *picker = screen_->RingtonePicker();
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(IsWindowVisible(picker->GetHwnd()));
    ASSERT_EQ(picker->Names().size(), 2u);
    EXPECT_EQ(picker->Selected(), 0) << "opens on the current end sound";
    EXPECT_EQ(picker->VolumeCode(), -1);
    EXPECT_EQ(picker->Vibrate(), 1);

    // Gong chosen at 60 % without vibration, then OK.
    picker->SetVolume(3, 0);
    RECT row = picker->List()->RowRect(CSelectRingtoneWnd::kFirstFileRow + 1);
    const LPARAM at = MAKELPARAM(100, (row.top + row.bottom) / 2);
    SendMessageW(picker->List()->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(picker->List()->GetHwnd(), WM_LBUTTONUP, 0, at);
    Pump();
    ASSERT_EQ(picker->Selected(), 1);
    SendMessageW(picker->GetHwnd(), UWM_TITLE_COMMAND, kTitleCommandDone, 0);
    Pump();

    EXPECT_STREQ(screen_->SoundName(), L"Gong.wma");
    EXPECT_STREQ(screen_->SoundFolder(), tree.Path(L"Tones").c_str());
    EXPECT_EQ(screen_->Volume(), 3);
    EXPECT_EQ(screen_->Vibrate(), 0u);
    EXPECT_STREQ(screen_->Button(kTimerEnds)->SecondLine(), L"Gong")
        << "the label shows the name without its extension";
    CountdownRecord record;
    ASSERT_TRUE(ReadCountdownRecord(&record));
    EXPECT_TRUE(record.Live()) << "the running countdown goes on";
    EXPECT_STREQ(record.sound, L"Gong.wma");
    EXPECT_EQ(3u, RecordNumber(L"Volume"));
    EXPECT_EQ(0u, RecordNumber(L"Vibro"));
}
