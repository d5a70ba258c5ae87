// The world clock under a recording stand-in for the main window, on a
// frozen clock: rows painted with the cities' times, the minute refresh,
// the modes, the edit areas and the add window, and the user's list in the
// registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>

#include "BaseLib/Clock.h"
#include "ShellTestSupport.h"
#include "WorldTestSupport.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"
#include "world/WorldAdd.h"
#include "world/WorldMessages.h"
#include "world/WorldWnd.h"

using namespace shelltest;

namespace {

const wchar_t kKey[] = L"Software\\Velmora\\TallyPad\\WorldTime";
const wchar_t kCities[] = L"\xFEFF# cities\r\n"
                          L"Tokyo,9,0#Asia/Tokyo\r\n"
                          L"Paris,1,0#Europe/Paris\r\n"
                          L"New York,-5,0#America/New_York\r\n"
                          L"broken line\r\n"
                          L"Kolkata,5,30#Asia/Kolkata\r\n";
const RECT kScreen = {0, 0, 240, 268};

std::wstring ListValue() {
    wchar_t text[256] = L"";
    DWORD bytes = sizeof text;
    RegGetValueW(HKEY_CURRENT_USER, kKey, L"RecentList", RRF_RT_REG_SZ, nullptr, text, &bytes);
    return text;
}

void SetListValue(const wchar_t *text) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"RecentList", REG_SZ, text,
                    static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

// Answers the next message box of this thread with the button, from a
// second thread while the box runs modal here.
class BoxAnswer {
public:
    explicit BoxAnswer(WPARAM button) : thread_(GetCurrentThreadId()) {
        closer_ = std::thread([this, button] {
            for (int i = 0; i < 500 && !stop_; ++i, Sleep(10)) {
                HWND box = FindWindowW(L"#32770", nullptr);
                if (box && GetWindowThreadProcessId(box, nullptr) == thread_) {
                    wchar_t caption[64] = L"";
                    GetWindowTextW(box, caption, 64);
                    caption_ = caption;
                    PostMessageW(box, WM_COMMAND, button, 0);
                    return;
                }
            }
        });
    }
    ~BoxAnswer() {
        stop_ = true;
        if (closer_.joinable())
            closer_.join();
    }
    std::wstring Caption() {
        stop_ = true;
        if (closer_.joinable())
            closer_.join();
        return caption_;
    }

private:
    DWORD thread_;
    std::atomic<bool> stop_{false};
    std::wstring caption_;
    std::thread closer_;
};

class WorldWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // 15 January 2026, 23:30 on the device.
        Clock::Fake(100000, SYSTEMTIME{2026, 1, 4, 15, 23, 30, 10, 0});
        SetListValue(L"0,1,2,");
        frame_ = std::make_unique<Recorder>(kScreen);
        Make();
    }
    void TearDown() override {
        screen_.reset();
        frame_.reset();
        RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
        Clock::Real();
    }
    void Make() {
        screen_ = std::make_unique<CMyWorldWnd>(worldtest::Cities(kCities), nullptr);
        ASSERT_NE(screen_->Wnd::Create(L"WorldWnd", WS_CHILD | WS_VISIBLE, kScreen, frame_->hwnd(), 0, true), nullptr);
        Pump();
    }
    void Command(WPARAM command) {
        Clock::Advance(300); // past the bounce lock-out
        SendMessageW(screen_->GetHwnd(), UWM_TITLE_COMMAND, command, 0);
        Pump();
    }
    HWND ListWindow() { return screen_->List()->GetHwnd(); }
    // Taps a row of the list at x (negative: from the right edge).
    void TapRow(int row, int x) {
        const RECT rc = screen_->List()->RowRect(row);
        Tap(ListWindow(), x < 0 ? rc.right + x : x, (rc.top + rc.bottom) / 2);
        Pump();
    }
    std::vector<int> Listed() { return screen_->Recent().Cities(); }
    // The city's time now, from the fake clock's UTC and a fixed offset.
    std::wstring Expected(int offsetMinutes, bool twelveHour) {
        SYSTEMTIME utc;
        Clock::UtcTime(&utc);
        const int minutes = (utc.wHour * 60 + utc.wMinute + offsetMinutes + 1440) % 1440;
        int hour = minutes / 60;
        if (twelveHour && hour > 12)
            hour -= 12;
        wchar_t text[8];
        _snwprintf(text, 8, L"%02d:%02d", hour, minutes % 60);
        return text;
    }
    // Pixels of the list's back buffer in a row's band from x0 to x1 that
    // are not the row background.
    int InkIn(int row, int x0, int x1) {
        const RECT rc = screen_->List()->RowRect(row);
        HDC dc = screen_->List()->BackDC();
        const COLORREF ground = GetPixel(dc, rc.left + 1, rc.top + 1);
        int ink = 0;
        for (int y = rc.top + 2; y < rc.bottom - 4; ++y)
            for (int x = x0; x < x1; ++x)
                ink += GetPixel(dc, x, y) != ground;
        return ink;
    }

    std::unique_ptr<Recorder> frame_;
    std::unique_ptr<CMyWorldWnd> screen_;
};

} // namespace

TEST_F(WorldWindowTest, RowsShowTheCitiesTimesAndDayLabels) {
    ASSERT_EQ(screen_->List()->RowCount(), 3);
    EXPECT_FALSE(screen_->EditMode());
    // Tokyo is always UTC+9, New York UTC-5 in January.
    EXPECT_EQ(std::wstring(screen_->RowTime(0)), Expected(540, true));
    EXPECT_EQ(std::wstring(screen_->RowTime(2)), Expected(-300, true));
    SYSTEMTIME utc;
    Clock::UtcTime(&utc);
    const bool tokyoTomorrow = utc.wHour * 60 + utc.wMinute + 540 >= 1440 || utc.wDay > 15;
    const world::CityClock tokyo = screen_->RowClock(0);
    EXPECT_EQ(tokyo.label, tokyoTomorrow ? world::kTomorrow : world::kToday);
    EXPECT_STREQ(screen_->RowDayText(0), tokyo.hour < 12 ? (tokyoTomorrow ? L"am\nTomorrow" : L"am\nToday")
                                                         : (tokyoTomorrow ? L"pm\nTomorrow" : L"pm\nToday"));
    // Every row is painted: name at the left, time and day label at the right.
    const int width = screen_->List()->RowWidth();
    for (int row = 0; row < 3; ++row) {
        EXPECT_GT(InkIn(row, 5, 60), 20) << "name of row " << row;
        EXPECT_GT(InkIn(row, width - 120, width - 50), 40) << "time of row " << row;
        EXPECT_GT(InkIn(row, width - 45, width), 20) << "day label of row " << row;
    }
}

// The screen wakes at the minute change, not before, and shows the new
// minute; ticks before the change change nothing.
TEST_F(WorldWindowTest, MinuteRefreshRepaintsAtTheMinuteChange) {
    const std::wstring before = screen_->RowTime(0).Text();
    Clock::Advance(20000); // 23:30:30
    SendMessageW(screen_->GetHwnd(), WM_TIMER, kWorldMinuteTimer, 0);
    EXPECT_EQ(std::wstring(screen_->RowTime(0)), before);
    const int width = screen_->List()->RowWidth();
    HDC dc = screen_->List()->BackDC();
    const RECT rc = screen_->List()->RowRect(0);
    std::vector<COLORREF> pixels;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = width - 120; x < width - 50; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    Clock::Advance(30000); // 23:31:00
    SendMessageW(screen_->GetHwnd(), WM_TIMER, kWorldMinuteTimer, 0);
    Pump();
    EXPECT_EQ(std::wstring(screen_->RowTime(0)), Expected(540, true));
    EXPECT_NE(std::wstring(screen_->RowTime(0)), before);
    size_t i = 0, changed = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = width - 120; x < width - 50; ++x)
            changed += GetPixel(dc, x, y) != pixels[i++];
    EXPECT_GT(changed, 10u) << "the time's figures were painted anew";
}

TEST_F(WorldWindowTest, EditModeShows24HourTimesAndBouncesAreDropped) {
    Command(kWorldCommandEdit);
    ASSERT_TRUE(screen_->EditMode());
    EXPECT_EQ(std::wstring(screen_->RowTime(0)), Expected(540, false));
    EXPECT_STREQ(screen_->RowDayText(0), L"");
    // A second command within 200 ms is a bounce.
    SendMessageW(screen_->GetHwnd(), UWM_TITLE_COMMAND, kWorldCommandDone, 0);
    EXPECT_TRUE(screen_->EditMode());
    Command(kWorldCommandDone);
    EXPECT_FALSE(screen_->EditMode());
}

TEST_F(WorldWindowTest, EditAreasMoveAndDeleteCities) {
    TapRow(1, -ScaleX(CMyWorldWnd::kMoveUnits) - 2);
    EXPECT_EQ(Listed(), (std::vector<int>{0, 1, 2})) << "taps move nothing in normal mode";
    Command(kWorldCommandEdit);
    const int inner = -ScaleX(CMyWorldWnd::kMoveUnits) - 2, outer = -2;
    TapRow(1, inner);
    EXPECT_EQ(Listed(), (std::vector<int>{1, 0, 2})) << "up";
    TapRow(0, inner);
    EXPECT_EQ(Listed(), (std::vector<int>{1, 0, 2})) << "nothing above the first row";
    TapRow(1, outer);
    EXPECT_EQ(Listed(), (std::vector<int>{1, 2, 0})) << "down";
    TapRow(2, outer);
    EXPECT_EQ(Listed(), (std::vector<int>{1, 2, 0})) << "nothing below the last row";
    {
        BoxAnswer cancel(IDCANCEL);
        TapRow(0, 10);
        EXPECT_EQ(cancel.Caption(), L" Question");
    }
    EXPECT_EQ(Listed(), (std::vector<int>{1, 2, 0})) << "cancelled";
    {
        BoxAnswer ok(IDOK);
        TapRow(0, 10);
    }
    EXPECT_EQ(Listed(), (std::vector<int>{2, 0}));
    EXPECT_EQ(screen_->List()->RowCount(), 2);
    screen_.reset();
    EXPECT_EQ(ListValue(), L"2,0,") << "written back when the screen goes";
}

TEST_F(WorldWindowTest, AddWindowListsEveryCityAndAddsTheTappedOne) {
    Command(kWorldCommandAdd);
    CMyWorldAdd *add = screen_->AddWindow();
    ASSERT_NE(add, nullptr);
    EXPECT_TRUE(IsWindowVisible(add->GetHwnd()));
    EXPECT_EQ(add->RowCities(), (std::vector<int>{0, 1, 2, 4})) << "the broken line is no row";
    const RECT rc = add->List()->RowRect(3);
    Tap(add->List()->GetHwnd(), 20, (rc.top + rc.bottom) / 2);
    Pump();
    EXPECT_FALSE(IsWindowVisible(add->GetHwnd()));
    EXPECT_EQ(Listed(), (std::vector<int>{0, 1, 2, 4}));
    EXPECT_EQ(screen_->List()->RowCount(), 4);
    // Adding a listed city again, or an index that names no city, changes nothing.
    SendMessageW(screen_->GetHwnd(), UWM_WORLD_ADD, 1, 0);
    SendMessageW(screen_->GetHwnd(), UWM_WORLD_ADD, 3, 0);
    SendMessageW(screen_->GetHwnd(), UWM_WORLD_ADD, 99, 0);
    EXPECT_EQ(Listed(), (std::vector<int>{0, 1, 2, 4}));
    // The back button only hides the window.
    Command(kWorldCommandAdd);
    EXPECT_TRUE(IsWindowVisible(add->GetHwnd()));
    SendMessageW(add->GetHwnd(), UWM_TITLE_COMMAND, kWorldCommandBack, 0);
    EXPECT_FALSE(IsWindowVisible(add->GetHwnd()));
    EXPECT_EQ(screen_->AddWindow(), add) << "made once";
}

TEST_F(WorldWindowTest, BadStoredEntriesAreDroppedAndWrittenBack) {
    screen_.reset();
    SetListValue(L"2,-1,x,3,99,0,");
    Make();
    EXPECT_EQ(Listed(), (std::vector<int>{2, 0}));
    EXPECT_EQ(ListValue(), L"2,0,");
}

TEST_F(WorldWindowTest, MissingCityListIsReportedAndGivesNoScreen) {
    BoxAnswer ok(IDOK);
    EXPECT_EQ(CMyWorldWnd::Open(nullptr), nullptr) << "no city list lies beside the test program";
    EXPECT_EQ(ok.Caption(), L"   Error");
}
