// The programs as the platform and the user meet them: started as processes
// in the device, found by their windows, ended by messages.
#include <gtest/gtest.h>

#include "Harness.h"
#include "aygshell.h"

namespace {

const wchar_t kFrameClass[] = L"VelmoraTallyPad";

class ProgramsTest : public ::testing::Test {
protected:
    void TearDown() override { e2e::KillWindowOwners(kFrameClass); }

    HWND StartMainProgram(e2e::Process &process) {
        process = e2e::Start(L"VelmoraTallyPad.exe");
        EXPECT_TRUE(process.Started());
        return e2e::WaitForWindow(kFrameClass, L"TallyPad", 10000);
    }
};

TEST_F(ProgramsTest, SecondStartHandsOverToTheRunningProgramAndExitsZero) {
    e2e::Process first;
    HWND frame = StartMainProgram(first);
    ASSERT_NE(frame, nullptr) << "the main window did not appear";
    EXPECT_TRUE(IsWindowVisible(frame));

    e2e::Process second = e2e::Start(L"VelmoraTallyPad.exe");
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitExit(10000), 0u) << "a second start must end with exit code 0";
    EXPECT_EQ(e2e::CountWindows(kFrameClass), 1) << "a second start must not open a second frame";

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitExit(10000), 0u) << "closing the frame ends the program with code 0";
}

TEST_F(ProgramsTest, LauncherStartsTheMainProgramOnceAndThenOnlyHandsOver) {
    e2e::Process launcher = e2e::Start(L"TallyPadLauncher.exe");
    ASSERT_TRUE(launcher.Started());
    EXPECT_EQ(launcher.WaitExit(10000), 0u);
    HWND frame = e2e::WaitForWindow(kFrameClass, L"TallyPad", 10000);
    ASSERT_NE(frame, nullptr) << "the launcher did not start the main program";

    e2e::Process again = e2e::Start(L"TallyPadLauncher.exe");
    EXPECT_EQ(again.WaitExit(10000), 0u);
    Sleep(500);
    EXPECT_EQ(e2e::CountWindows(kFrameClass), 1) << "a running program must not be started twice";
}


// The device's boot runs the start-up folder's shortcuts, written in the
// handheld's text form, and then starts the main program.
TEST_F(ProgramsTest, BootRunsStartupShortcutsThenTheMainProgram) {
    std::wstring probeFile = e2e::TempFile(L"boot-args.txt");
    SetEnvironmentVariableW(L"ARGS_PROBE_FILE", probeFile.c_str());
    wchar_t shortcut[] = L"C:\\Windows\\StartUp\\Probe.lnk";
    std::wstring target = L"\"" + e2e::TestProgramPath(L"ArgsProbe.exe") + L"\" -mini \"two words\"";
    ASSERT_TRUE(SHCreateShortcut(shortcut, &target[0]));

    e2e::Process boot = e2e::StartPath(L"C:\\Windows\\DeviceBoot.exe");
    EXPECT_EQ(boot.WaitExit(10000), 0u);
    EXPECT_NE(e2e::WaitForWindow(kFrameClass, L"TallyPad", 10000), nullptr) << "the boot did not start the program";
    DeleteFileW(shortcut);
    EXPECT_EQ(e2e::WaitForFileText(probeFile, 5000), "-mini \"two words\"\n");
}

} // namespace
