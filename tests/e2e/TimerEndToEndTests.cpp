// The countdown outliving the main program: closed and started again during
// a countdown, the timer screen comes back running and the "Timer Done" box
// shows at the countdown's own end; likewise after the device restarted
// (its tick count below the record's "Start"), played here by a record
// whose "Start" lies ahead of the tick count.
#include <gtest/gtest.h>

#include "Harness.h"
#include "shell/Messages.h"
#include "timing/CountdownRecord.h"
#include "timing/TimingMessages.h"
#include "ui/Messages.h"

namespace {

const UINT kTimerScreenId = 5555;
const int kTimerScreen = 6;

// The "Timer Done" box: a visible dialog of the process.
HWND FindDoneBox(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search = {processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto *s = reinterpret_cast<Search *>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[16] = L"";
            GetClassNameW(window, name, 16);
            if (owner == s->processId && wcscmp(name, L"#32770") == 0 && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Milliseconds until the box shows, or -1 when it did not within the time.
long WaitForDoneBox(DWORD processId, DWORD milliseconds, HWND *box) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start <= milliseconds) {
        if ((*box = FindDoneBox(processId)) != nullptr)
            return static_cast<long>(GetTickCount() - start);
        Sleep(100);
    }
    return -1;
}

SYSTEMTIME UtcSecondsAgo(DWORD seconds) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    FILETIME file;
    SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER units = {{file.dwLowDateTime, file.dwHighDateTime}};
    units.QuadPart -= seconds * 10000000ULL;
    file = {units.LowPart, units.HighPart};
    FileTimeToSystemTime(&file, &now);
    return now;
}

class TimerProgramTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyW(HKEY_CURRENT_USER, kCountdownKey); }
    void TearDown() override {
        e2e::KillWindowOwners(kMainWindowClass);
        RegDeleteKeyW(HKEY_CURRENT_USER, kCountdownKey);
    }

    HWND StartProgram(e2e::Process &process) {
        process = e2e::Start(L"VelmoraTallyPad.exe");
        EXPECT_TRUE(process.Started());
        return e2e::WaitForWindow(kMainWindowClass, L"TallyPad", 10000);
    }
    static HWND OpenTimer(HWND frame) {
        PostMessageW(frame, UWM_OPEN_SCREEN, kTimerScreen, 0);
        for (int i = 0; i < 100; ++i) {
            HWND screen = GetDlgItem(frame, kTimerScreenId);
            if (screen && IsWindowVisible(screen)) {
                Sleep(300); // the show step has run
                return screen;
            }
            Sleep(50);
        }
        return nullptr;
    }
    static bool Running(HWND timer) { return IsWindowVisible(GetDlgItem(timer, kTimerStop)) != FALSE; }
    static void CloseBox(HWND box) {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result); // wakes the modal loop
    }
};

} // namespace

TEST_F(TimerProgramTest, ClosedAndStartedAgainTheCountdownRunsOnToItsOwnEnd) {
    e2e::Process first;
    HWND frame = StartProgram(first);
    ASSERT_NE(frame, nullptr);
    HWND timer = OpenTimer(frame);
    ASSERT_NE(timer, nullptr);
    PostMessageW(timer, UWM_BAR_COMMAND, 0, kTimerStart); // the first duration: 1 minute
    Sleep(1000);
    ASSERT_TRUE(Running(timer));
    CountdownRecord record;
    ASSERT_TRUE(ReadCountdownRecord(&record));
    ASSERT_TRUE(record.Live());
    EXPECT_EQ(60000u, record.set);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(first.WaitExit(10000), 0u);

    // While the program is away the countdown goes on: 50 s of it pass.
    ASSERT_TRUE(ReadCountdownRecord(&record)) << "the record outlives the program";
    record.start -= 50000;
    record.startUtc = UtcSecondsAgo(51);
    ASSERT_TRUE(WriteCountdownRecord(record));

    e2e::Process second;
    frame = StartProgram(second);
    ASSERT_NE(frame, nullptr);
    timer = OpenTimer(frame);
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(Running(timer)) << "the screen comes back running";
    HWND box = nullptr;
    const long waited = WaitForDoneBox(second.Id(), 20000, &box);
    ASSERT_GE(waited, 0) << "the countdown never ended";
    EXPECT_GT(waited, 3000) << "ended too early: the remaining time was about 9 s";
    EXPECT_LT(waited, 14000) << "ended too late: the remaining time was about 9 s";
    CloseBox(box);
    Sleep(500);
    EXPECT_FALSE(Running(timer));
    EXPECT_FALSE(ReadCountdownRecord(&record)) << "the end clears the record";
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(second.WaitExit(10000), 0u);
}

TEST_F(TimerProgramTest, AfterADeviceRestartTheCountdownResumesByTheWallClock) {
    CountdownRecord record;
    record.start = GetTickCount() + 3600000; // started in the tick count of before the restart
    record.set = 120000;
    record.path = L"\\Windows";
    record.sound = L"";
    record.startUtc = UtcSecondsAgo(110);
    ASSERT_TRUE(WriteCountdownRecord(record));

    e2e::Process program;
    HWND frame = StartProgram(program);
    ASSERT_NE(frame, nullptr);
    HWND timer = OpenTimer(frame);
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(Running(timer)) << "a live countdown after a restart must not read as over";
    HWND box = nullptr;
    const long waited = WaitForDoneBox(program.Id(), 20000, &box);
    ASSERT_GE(waited, 0) << "the countdown never ended";
    EXPECT_GT(waited, 4000) << "ended too early: about 10 s were left";
    EXPECT_LT(waited, 15000) << "ended too late: about 10 s were left";
    CloseBox(box);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(10000), 0u);
}
