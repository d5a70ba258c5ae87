// The programs as the platform and the user meet them: started as processes
// in the device, found by their windows, ended by messages.
#include <gtest/gtest.h>

#include <vector>

#include "support/Clipboard.h"

#include "Harness.h"
#include "aygshell.h"
#include "shell/Messages.h"

namespace {

const wchar_t *const kFrameClass = kMainWindowClass;

class ProgramsTest : public ::testing::Test {
protected:
    void TearDown() override { e2e::KillWindowOwners(kFrameClass); }

    HWND StartMainProgram(e2e::Process &process) {
        process = e2e::Start(L"VelmoraTallyPad.exe");
        EXPECT_TRUE(process.Started());
        return e2e::WaitForWindow(kFrameClass, L"TallyPad", 10000);
    }
};

const wchar_t kSettingsKey[] = L"Software\\Velmora\\TallyPad";

// What the user sees of the program.
enum class View { Hidden, FloatingButton, Full };

View ViewOf(HWND frame) {
    if (!IsWindowVisible(frame))
        return View::Hidden;
    RECT rc;
    GetWindowRect(frame, &rc);
    return rc.right - rc.left < 100 ? View::FloatingButton : View::Full;
}

::testing::AssertionResult ShowsWithin(HWND frame, View expected, DWORD milliseconds) {
    for (DWORD waited = 0;; waited += 50) {
        View view = ViewOf(frame);
        if (view == expected)
            return ::testing::AssertionSuccess();
        if (waited >= milliseconds)
            return ::testing::AssertionFailure() << "the program shows view " << int(view) << ", not " << int(expected);
        Sleep(50);
    }
}

TEST_F(ProgramsTest, SecondStartTogglesBetweenFullViewAndFloatingButton) {
    e2e::Process first;
    HWND frame = StartMainProgram(first);
    ASSERT_NE(frame, nullptr) << "the main window did not appear";
    ASSERT_TRUE(ShowsWithin(frame, View::Full, 5000));

    for (View next : {View::FloatingButton, View::Full}) {
        e2e::Process again = e2e::Start(L"VelmoraTallyPad.exe");
        EXPECT_EQ(again.WaitExit(10000), 0u) << "a second start must end with exit code 0";
        EXPECT_TRUE(ShowsWithin(frame, next, 5000));
        EXPECT_EQ(e2e::CountWindows(kFrameClass), 1) << "a second start must not open a second frame";
    }
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitExit(10000), 0u) << "closing the frame ends the program with code 0";
}

// Starts at the same moment take turns: one makes the frame, every other
// one toggles it and ends with code 0.
TEST_F(ProgramsTest, ABurstOfStartsAlwaysLeavesExactlyOneFrame) {
    const int starts = 6;
    for (int round = 1; round <= 10; ++round) {
        std::vector<e2e::Process> burst;
        for (int i = 0; i < starts; ++i)
            burst.push_back(e2e::Start(L"VelmoraTallyPad.exe"));
        int ended = 0;
        for (DWORD waited = 0; waited < 20000 && ended < starts - 1; waited += 50) {
            Sleep(50);
            ended = 0;
            for (const e2e::Process &p : burst)
                ended += p.WaitExit(0) != STILL_ACTIVE;
        }
        ASSERT_EQ(ended, starts - 1) << "round " << round << ": " << starts - ended << " programs run on";
        for (const e2e::Process &p : burst) {
            DWORD code = p.WaitExit(0);
            EXPECT_TRUE(code == 0 || code == STILL_ACTIVE) << "round " << round << ": exit code " << code;
        }
        ASSERT_EQ(e2e::CountWindows(kFrameClass), 1) << "round " << round;

        PostMessageW(FindWindowW(kFrameClass, nullptr), WM_CLOSE, 0, 0);
        for (const e2e::Process &p : burst)
            EXPECT_EQ(p.WaitExit(10000), 0u) << "round " << round << ": the frame did not close";
    }
}

TEST_F(ProgramsTest, MiniStartsMinimisedOnlyWhenItIsTheWholeCommandLine) {
    e2e::Process mini = e2e::Start(L"VelmoraTallyPad.exe", L"-MINI");
    HWND frame = e2e::WaitForWindow(kFrameClass, L"TallyPad", 10000);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(ShowsWithin(frame, View::FloatingButton, 5000));
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(mini.WaitExit(10000), 0u);

    e2e::Process notMini = e2e::Start(L"VelmoraTallyPad.exe", L"-mini x");
    frame = e2e::WaitForWindow(kFrameClass, L"TallyPad", 10000);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(ShowsWithin(frame, View::Full, 5000));
}

TEST_F(ProgramsTest, LauncherStartsAStoppedProgramWithItsCommandLineAndTogglesARunningOne) {
    e2e::Process launcher = e2e::Start(L"TallyPadLauncher.exe", L"-mini");
    EXPECT_EQ(launcher.WaitExit(10000), 0u);
    HWND frame = e2e::WaitForWindow(kFrameClass, L"TallyPad", 10000);
    ASSERT_NE(frame, nullptr) << "the launcher did not start the main program";
    EXPECT_TRUE(ShowsWithin(frame, View::FloatingButton, 5000)) << "-mini was not passed on";

    for (View next : {View::Full, View::FloatingButton}) {
        e2e::Process again = e2e::Start(L"TallyPadLauncher.exe", L"-mini");
        EXPECT_EQ(again.WaitExit(10000), 0u);
        EXPECT_TRUE(ShowsWithin(frame, next, 5000));
        EXPECT_EQ(e2e::CountWindows(kFrameClass), 1) << "a running program must not be started twice";
    }
}

TEST_F(ProgramsTest, WithoutShowIconMinimisingHidesTheProgramUntilStartedAgain) {
    DWORD off = 0;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"ShowIcon", REG_DWORD, &off, sizeof off),
              ERROR_SUCCESS);
    e2e::Process program;
    HWND frame = StartMainProgram(program);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(ShowsWithin(frame, View::Full, 5000));

    PostMessageW(frame, UWM_MINIMISE, 0, 0);
    EXPECT_TRUE(ShowsWithin(frame, View::Hidden, 5000));
    e2e::Process launcher = e2e::Start(L"TallyPadLauncher.exe");
    EXPECT_EQ(launcher.WaitExit(10000), 0u);
    EXPECT_TRUE(ShowsWithin(frame, View::Full, 5000));

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(10000), 0u);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"ShowIcon");
}

TEST_F(ProgramsTest, ClosingTheProgramWritesEverySetting) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    e2e::Process program;
    HWND frame = StartMainProgram(program);
    ASSERT_NE(frame, nullptr);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitExit(10000), 0u);

    const wchar_t *const dwords[] = {
        L"PopupBtt",    L"ShowIcon",   L"FeedbackVibro", L"MinimizedPosX", L"MinimizedPosY", L"MaxPosCalcX",
        L"MaxPosCalcY", L"IsFullNote", L"IsFullCalc",    L"MaxPosNoteX",   L"MaxPosNoteY",   L"MaxPosConvX",
        L"MaxPosConvY", L"NoteScale1", L"NoteScale2",    L"PenMode",       L"UseDrawing"};
    for (const wchar_t *name : dwords)
        EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_DWORD, nullptr, nullptr, nullptr),
                  ERROR_SUCCESS)
            << "missing " << testing::PrintToString(std::wstring(name));
    for (const wchar_t *name : {L"NoteName", L"NoteDir", L"Recent0", L"Recent1", L"Recent2", L"Recent3"})
        EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, nullptr, nullptr),
                  ERROR_SUCCESS)
            << "missing " << testing::PrintToString(std::wstring(name));
}

// The device's boot runs the start-up folder's shortcuts, written in the
// handheld's text form, and then starts the main program.
TEST_F(ProgramsTest, BootRunsStartupShortcutsThenTheMainProgram) {
    std::wstring probeFile = e2e::TempFile(L"boot-args.txt");
    std::wstring folderFile = e2e::TempFile(L"boot-folder.txt");
    SetEnvironmentVariableW(L"ARGS_PROBE_FILE", probeFile.c_str());
    SetEnvironmentVariableW(L"ARGS_PROBE_CWD_FILE", folderFile.c_str());
    wchar_t shortcut[] = L"C:\\Windows\\StartUp\\Probe.lnk";
    std::wstring target = L"\"" + e2e::TestProgramPath(L"ArgsProbe.exe") + L"\" -mini \"two words\"";
    ASSERT_TRUE(SHCreateShortcut(shortcut, &target[0]));

    e2e::Process boot = e2e::StartPath(L"C:\\Windows\\DeviceBoot.exe");
    EXPECT_EQ(boot.WaitExit(10000), 0u);
    EXPECT_NE(e2e::WaitForWindow(kFrameClass, L"TallyPad", 10000), nullptr) << "the boot did not start the program";
    DeleteFileW(shortcut);
    EXPECT_EQ(e2e::WaitForFileText(probeFile, 5000), "-mini \"two words\"\n");
    // Handheld paths ("\My Documents") are rooted at the current drive.
    EXPECT_EQ(e2e::WaitForFileText(folderFile, 5000), "C:\\") << "a program of the device starts off its drive";
    SetEnvironmentVariableW(L"ARGS_PROBE_CWD_FILE", nullptr);
}

} // namespace

namespace {

using testsupport::ClipboardText;

void PutOnClipboard(const wchar_t *text) { ASSERT_TRUE(testsupport::PutOnClipboard(text)); }

HWND WaitForChild(HWND parent, UINT id, DWORD milliseconds) {
    for (DWORD waited = 0; waited <= milliseconds; waited += 50) {
        if (HWND child = GetDlgItem(parent, id))
            return child;
        Sleep(50);
    }
    return nullptr;
}

// Opens a tool screen as the desk does and checks its window's caption;
// null when it did not appear.
HWND OpenToolScreen(HWND frame, int screenId, UINT childId, const wchar_t *caption) {
    PostMessageW(frame, UWM_OPEN_SCREEN, screenId, 0);
    HWND screen = WaitForChild(frame, childId, 5000);
    if (screen) {
        wchar_t shown[32] = L"";
        GetWindowTextW(screen, shown, 32);
        EXPECT_STREQ(shown, caption);
    }
    return screen;
}

} // namespace

// The calculator opened from outside, keys typed into it, and the bottom
// bar's Copy and Paste going through the clipboard.
TEST_F(ProgramsTest, CalculatorTypesCopiesAndPastesThroughTheClipboard) {
    e2e::Process program;
    HWND frame = StartMainProgram(program);
    ASSERT_NE(frame, nullptr) << "the main window did not appear";
    HWND calc = OpenToolScreen(frame, 1, 5507, L"CalcWnd");
    ASSERT_NE(calc, nullptr) << "the calculator screen was not made";

    for (const wchar_t *k = L"1234*2="; *k; ++k)
        SendMessageW(calc, WM_CHAR, *k, 0);
    Sleep(250); // bottom-bar actions closer than 200 ms are dropped
    SendMessageW(frame, UWM_BOTTOM_ACTION, 0, 1);
    EXPECT_EQ(ClipboardText(), L"2468") << "Copy puts the shown number, without grouping";

    PutOnClipboard(L"1+2*3");
    Sleep(250);
    SendMessageW(frame, UWM_BOTTOM_ACTION, 0, 2);
    Sleep(250);
    SendMessageW(frame, UWM_BOTTOM_ACTION, 0, 1);
    EXPECT_EQ(ClipboardText(), L"7") << "Paste evaluates the expression";

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(10000), 0u);
}

namespace {

// The converter's messages and ids as another program meets them.
const UINT kListChosen = 13890;
const UINT kConverterId = 5551, kCategoryList = 38247, kFromList = 38248, kToList = 38249, kToField = 38257;

// A choice in one of the converter's lists, as its drop-down list reports it
// to the selector.
void Choose(HWND converter, UINT listId, int row) { SendMessageW(GetDlgItem(converter, listId), kListChosen, row, 0); }

// The bottom bar's Copy, the clipboard read back with a point as separator.
std::wstring CopiedValue(HWND frame) {
    Sleep(250); // bottom-bar actions closer than 200 ms are dropped
    SendMessageW(frame, UWM_BOTTOM_ACTION, 0, 1);
    std::wstring text = ClipboardText();
    for (wchar_t &c : text)
        if (c == L',')
            c = L'.';
    return text;
}

} // namespace

// The converter opened from outside: a category and units chosen, a value
// pasted with the bottom bar's Paste and the results read with its Copy. A
// new source unit recomputes the source field, a new target unit the target.
TEST_F(ProgramsTest, ConverterPastesConvertsAndCopiesThroughTheClipboard) {
    e2e::Process program;
    HWND frame = StartMainProgram(program);
    ASSERT_NE(frame, nullptr) << "the main window did not appear";
    HWND converter = OpenToolScreen(frame, 3, kConverterId, L"ConvWnd");
    ASSERT_NE(converter, nullptr) << "the converter screen was not made";

    Choose(converter, kCategoryList, 2); // Temperature
    Choose(converter, kToList, 1);       // Fahrenheit
    PutOnClipboard(L"50*2");
    Sleep(250);
    SendMessageW(frame, UWM_BOTTOM_ACTION, 0, 2);
    EXPECT_EQ(CopiedValue(frame), L"100") << "no field focused: Copy takes the from-field";

    Choose(converter, kFromList, 2); // Kelvin: the 212 F stay, the source is recomputed
    EXPECT_EQ(CopiedValue(frame), L"373.15");

    Choose(converter, kToList, 0); // Celsius: the 373.15 K stay, the target is recomputed
    HWND toField = GetDlgItem(converter, kToField);
    ASSERT_NE(toField, nullptr);
    SendMessageW(toField, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(toField, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(CopiedValue(frame), L"100") << "Copy takes the tapped field";

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(10000), 0u);
}
