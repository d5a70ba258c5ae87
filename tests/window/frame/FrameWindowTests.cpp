// The main frame made for real in this process: screen switching, the
// debounce of repeated requests, the floating button, the stored positions,
// the recent-files menu, the start-up shortcut and the world clock's missing
// city list. Requests are sent as the bars and other programs send them; the
// test clock stands in for the time between them.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "BaseLib/Clock.h"
#include "BaseLib/Str.h"
#include "resource.h"
#include "shell/BlindWnd.h"
#include "shell/BottomBar.h"
#include "shell/IconCmb.h"
#include "ui/Desktop.h"
#include "ui/Drawing.h"
#include "ui/PopupBtt.h"
#include "shell/Messages.h"
#include "shell/TabBar.h"
#include "ui/ScreenDescriptor.h"
#include "ui/Scaling.h"

namespace {

const wchar_t kSettingsKey[] = L"Software\\Velmora\\TallyPad";

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void WriteDword(const wchar_t *name, DWORD value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value);
    RegCloseKey(key);
}

void WriteText(const wchar_t *name, const wchar_t *text) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                   static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::wstring LoadText(UINT id) {
    Str text;
    text.LoadResourceString(id);
    return text.Text();
}

std::string Narrow(const std::wstring &text) { return std::string(text.begin(), text.end()); }

std::wstring StartupShortcut() {
    wchar_t folder[MAX_PATH] = L"";
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, TRUE);
    return std::wstring(folder) + L"\\VelmoraTallyPad.lnk";
}

bool FileExists(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFileText(const std::wstring &path) {
    // Shared for writing too: the vibrator's log is appended to meanwhile.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    char buffer[4096];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

// A direct child of the main window with that caption that is shown.
HWND ShownScreen(HWND main, const wchar_t *caption) {
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[64] = L"";
        GetWindowTextW(child, text, 64);
        if (lstrcmpW(text, caption) == 0 && ui::IsShown(child))
            return child;
    }
    return nullptr;
}

LPARAM Point(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        // A feedback pulse waits on the frozen test clock; the pop-up key
        // balloons only cost time here.
        WriteDword(L"FeedbackVibro", 0);
        WriteDword(L"PopupBtt", 0);
        SYSTEMTIME noon = {2026, 3, 0, 11, 12, 0, 0, 0};
        Clock::Fake(100000, noon);
        InitScreenMetrics();
        ASSERT_EQ(FindWindowW(kMainWindowClass, nullptr), nullptr) << "a main window is left from elsewhere";
    }

    void TearDown() override {
        CloseFrame();
        Clock::Real();
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    }

    void MakeFrame() {
        frame_ = new CBlindWnd();
        main_ = frame_->CreateMainFrame(false);
        ASSERT_NE(main_, nullptr);
    }

    // As the program ends: the window goes, then the frame object. The quit
    // message that the window's end posts is taken off the queue so that it
    // cannot end a later modal loop.
    void CloseFrame() {
        if (main_ && IsWindow(main_))
            SendMessageW(main_, WM_CLOSE, 0, 0);
        delete frame_;
        frame_ = nullptr;
        main_ = nullptr;
        Pump();
    }

    int Screen() const { return CurrentScreen().screenId; }
    void Open(int id) { SendMessageW(main_, UWM_OPEN_SCREEN, id, 0); }
    void Back(int to) { SendMessageW(main_, UWM_BACK, 0, to); }
    // An accepted request, well after the one before.
    void OpenLater(int id) {
        Clock::Advance(1000);
        Open(id);
    }

    CMyBottomBar *BottomBar() const {
        return static_cast<CMyBottomBar *>(Wnd::FromHandle(GetDlgItem(main_, CMyBottomBar::kChildId)));
    }
    CMyTabbar *TabBar() const {
        return static_cast<CMyTabbar *>(Wnd::FromHandle(GetDlgItem(main_, CMyTabbar::kChildId)));
    }
    RECT WindowRect() const {
        RECT rc = {};
        GetWindowRect(main_, &rc);
        return rc;
    }
    SIZE ButtonSize() const { return BitmapSize(frame_->FloatButton()); }

    void Minimise() {
        SendMessageW(main_, UWM_MINIMISE, 0, 0);
        ASSERT_TRUE(frame_->IsMinimised());
    }

    CBlindWnd *frame_ = nullptr; // owned
    HWND main_ = nullptr;
};

// Screens ---------------------------------------------------------------------

struct ScreenRow {
    int id;
    const wchar_t *caption;
    UINT titleId;
    int buttons[CMyBottomBar::kActionCount]; // menu, copy, paste, new, next recent, minimise
};

const ScreenRow kScreens[] = {
    {1, L"CalcWnd", 171, {1, 1, 1, 0, 0, 1}},  {2, L"CalcWnd", 172, {1, 1, 1, 1, 1, 0}},
    {3, L"ConvWnd", 173, {1, 1, 1, 0, 0, 1}},  {4, L"CalendarWnd", 174, {1, 0, 0, 0, 0, 1}},
    {5, L"StopWWnd", 175, {1, 0, 0, 0, 0, 1}}, {6, L"TimerWnd", 27, {1, 0, 0, 0, 0, 1}},
    {7, L"AlarmWnd", 26, {1, 0, 0, 0, 0, 1}},  {0, L"DeskWnd", 170, {1, 0, 0, 0, 0, 1}},
};

TEST_F(FrameTest, OpenScreenShowsTheScreenWithItsTitleAndBarButtons) {
    MakeFrame();
    ASSERT_EQ(Screen(), kScreenDesk);
    for (const ScreenRow &row : kScreens) {
        SCOPED_TRACE(testing::Message() << "screen " << row.id);
        OpenLater(row.id);
        EXPECT_EQ(Screen(), row.id);
        EXPECT_EQ(CurrentScreen().titleId, static_cast<int32_t>(row.titleId));
        EXPECT_NE(ShownScreen(main_, row.caption), nullptr) << "the screen's window is not shown";
        EXPECT_EQ(TabBar()->Title(), LoadText(row.titleId));
        for (int action = 0; action < CMyBottomBar::kActionCount; ++action) {
            EXPECT_EQ(CurrentScreen().Word(1 + action), row.buttons[action]) << "descriptor word " << 1 + action;
            EXPECT_EQ(ui::IsShown(BottomBar()->Button(action)->GetHwnd()), row.buttons[action] != 0)
                << "bottom-bar button " << action;
        }
    }
}

// The start paints the desk first and makes what it does not show after:
// when the frame is made, the frame fills the visible desktop, the desk
// shows, the note screen exists hidden in the screen's place, and the key
// balloons and the floating button's picture are there.
TEST_F(FrameTest, StartShowsTheDeskWithTheNoteScreenBalloonsAndButtonMade) {
    WriteDword(L"PopupBtt", 1);
    MakeFrame();
    RECT frame = WindowRect(), visible = VisibleDesktop();
    EXPECT_TRUE(EqualRect(&frame, &visible)) << "the frame does not fill the visible desktop";
    HWND desk = GetDlgItem(main_, 5483), note = GetDlgItem(main_, 5543);
    ASSERT_NE(desk, nullptr);
    EXPECT_TRUE(ui::IsShown(desk));
    ASSERT_NE(note, nullptr) << "the note screen is not made at start";
    EXPECT_FALSE(IsWindowVisible(note));
    RECT deskRect, noteRect;
    GetWindowRect(desk, &deskRect);
    GetWindowRect(note, &noteRect);
    EXPECT_TRUE(EqualRect(&deskRect, &noteRect)) << "the note screen is not in the screens' place";
    EXPECT_EQ(Screen(), kScreenDesk);
    for (UINT id : {kBalloonPlain, kBalloonPadPlain}) {
        CPopupBtt *balloon = FindBalloon(id);
        EXPECT_TRUE(balloon && balloon->GetHwnd()) << "balloon " << id << " not built";
    }
    EXPECT_NE(frame_->FloatButton(), nullptr);
}

TEST_F(FrameTest, ToolScreensAreMadeOnceAndKept) {
    MakeFrame();
    OpenLater(kScreenCalculator);
    HWND calc = ShownScreen(main_, L"CalcWnd");
    OpenLater(kScreenDesk);
    OpenLater(kScreenCalculator);
    EXPECT_EQ(ShownScreen(main_, L"CalcWnd"), calc);
}

// Slides ------------------------------------------------------------------------

// The frame's client area as the screen shows it, one 32-bit pixel per entry.
struct Picture {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

Picture ReadScreen(HWND main) {
    RECT client;
    GetClientRect(main, &client);
    Picture picture;
    picture.width = client.right;
    picture.height = client.bottom;
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, picture.width, -picture.height, 1, 32, BI_RGB};
    void *bits = nullptr;
    HDC screen = GetDC(main);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    memcpy(picture.pixels.data(), bits, picture.pixels.size() * sizeof(DWORD));
    SelectObject(memory, previous);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(main, screen);
    return picture;
}

// Every window painted again from nothing, then read.
Picture RepaintAndRead(HWND main) {
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return ReadScreen(main);
}

// The first pixel where two pictures differ, as text; empty when equal.
std::string FirstDifference(const Picture &a, const Picture &b, const RECT &area) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (a.At(x, y) != b.At(x, y))
                return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return "";
}

RECT ClientRectOf(HWND main) {
    RECT client;
    GetClientRect(main, &client);
    return client;
}

RECT RectIn(HWND window, HWND main) {
    RECT rc;
    GetWindowRect(window, &rc);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT *>(&rc), 2);
    return rc;
}

class SlideTest : public FrameTest {
protected:
    // Opens a screen (or goes back to the desk) and keeps the screen's
    // picture after each step of the slide, with the desk's left edge.
    void SwitchWatched(int id) {
        steps_.clear();
        frame_->SetSlideStepObserver([this](int deskLeft) { steps_.push_back({deskLeft, ReadScreen(main_)}); });
        Clock::Advance(1000);
        if (id == kScreenDesk)
            Back(kScreenDesk);
        else
            Open(id);
        frame_->SetSlideStepObserver(nullptr);
        Pump();
        UpdateWindow(main_);
    }

    // Each step shows the desk's picture from its left edge on, clipped by
    // the frame, and beside it, what the tool screen and the frame's border
    // show when the desk is gone.
    void ExpectStepsShowTheDeskOver(const Picture &desk, const Picture &tool, const RECT &home) {
        const RECT client = ClientRectOf(main_);
        for (const Step &step : steps_) {
            SCOPED_TRACE(testing::Message() << "desk at x " << step.deskLeft);
            int wrong = 0;
            std::string first;
            for (int y = home.top; y < home.bottom; ++y) {
                for (int x = home.left; x < client.right; ++x) {
                    const int deskX = x - step.deskLeft + home.left;
                    const bool onDesk = x >= step.deskLeft && deskX < home.right;
                    const DWORD expected = onDesk ? desk.At(deskX, y) : tool.At(x, y);
                    if (step.picture.At(x, y) != expected && !wrong++)
                        first = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
                }
            }
            EXPECT_EQ(wrong, 0) << "pixels unlike the desk moved over the tool screen, first at " << first;
        }
    }

    struct Step {
        int deskLeft;
        Picture picture;
    };
    std::vector<Step> steps_;
};

// Desk -> tool -> desk, with the desk's steps drawn from pictures (the
// calculator) and with the desk's window moved (the note, which paints only
// on the screen): every step shows the desk moved by 50 pixels over the tool
// screen, and after each switch the screen equals a full repaint, the desk's
// icons are shown above it and open their tools, and the desk stays above
// the screens.
TEST_F(SlideTest, StepsShowTheDeskMovingAndTheEndEqualsAFullRepaint) {
    MakeFrame();
    HWND desk = GetDlgItem(main_, 5483);
    ASSERT_NE(desk, nullptr);
    const RECT home = RectIn(desk, main_);
    const RECT client = ClientRectOf(main_);
    const int width = home.right - home.left;
    for (int id : {kScreenCalculator, kScreenNote}) {
        SCOPED_TRACE(testing::Message() << "screen " << id);
        // The first opening makes the screen; the slides compared are later.
        OpenLater(id);
        Clock::Advance(1000);
        Back(kScreenDesk);
        const Picture deskPicture = RepaintAndRead(main_);

        SwitchWatched(id);
        ASSERT_EQ(Screen(), id);
        const Picture toolAfter = ReadScreen(main_);
        const Picture toolPicture = RepaintAndRead(main_);
        EXPECT_EQ(FirstDifference(toolAfter, toolPicture, client), "") << "the tool screen after the slide";
        std::vector<int> expected;
        for (int step = 50;; step += 50) {
            expected.push_back(home.left + step);
            if (step >= width)
                break;
        }
        std::vector<int> seen;
        for (const Step &step : steps_)
            seen.push_back(step.deskLeft);
        EXPECT_EQ(seen, expected) << "the steps of the slide out";
        if (id == kScreenCalculator)
            ExpectStepsShowTheDeskOver(deskPicture, toolPicture, home);

        SwitchWatched(kScreenDesk);
        ASSERT_EQ(Screen(), kScreenDesk);
        const Picture deskAfter = ReadScreen(main_);
        EXPECT_EQ(FirstDifference(deskAfter, RepaintAndRead(main_), client), "") << "the desk after the slide";
        EXPECT_EQ(FirstDifference(deskAfter, deskPicture, client), "") << "the desk unlike before the switch";
        expected.clear();
        for (int x = home.right - 100; x > home.left; x -= 50)
            expected.push_back(x);
        seen.clear();
        for (const Step &step : steps_)
            seen.push_back(step.deskLeft);
        EXPECT_EQ(seen, expected) << "the steps of the slide in";
        if (id == kScreenCalculator)
            ExpectStepsShowTheDeskOver(deskPicture, toolPicture, home);

        // Back in place, above every screen, its icons shown and working.
        const RECT deskNow = RectIn(desk, main_);
        EXPECT_TRUE(EqualRect(&deskNow, &home)) << "the desk is not back home";
        EXPECT_TRUE(IsWindowVisible(desk));
        HWND tool = GetDlgItem(main_, id == kScreenNote ? 5543 : 5507);
        EXPECT_FALSE(IsWindowVisible(tool));
        for (HWND above = GetWindow(desk, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV))
            EXPECT_NE(above, tool) << "a tool screen lies above the desk";
        HWND icon = GetDlgItem(desk, 34407);
        ASSERT_NE(icon, nullptr);
        RECT iconRect;
        GetWindowRect(icon, &iconRect);
        POINT centre = {(iconRect.left + iconRect.right) / 2, (iconRect.top + iconRect.bottom) / 2};
        EXPECT_EQ(WindowFromPoint(centre), icon) << "the first icon is not what a tap at its centre hits";
    }
    // A tap on the first icon still opens its tool.
    HWND icon = GetDlgItem(GetDlgItem(main_, 5483), 34407);
    const auto *iconObject = static_cast<CMyIconCmb *>(Wnd::FromHandle(icon));
    ASSERT_NE(iconObject, nullptr);
    Clock::Advance(1000);
    SendMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    SendMessageW(icon, WM_LBUTTONUP, 0, Point(5, 5));
    Pump();
    EXPECT_EQ(Screen(), iconObject->ScreenId()) << "a tap on the desk's first icon after the slides";
}

// The windows of a tree that have a back buffer.
int WindowsWithBuffers(HWND root) {
    int count = 0;
    std::vector<HWND> windows = {root};
    EnumChildWindows(
        root,
        [](HWND child, LPARAM list) { return reinterpret_cast<std::vector<HWND> *>(list)->push_back(child), TRUE; },
        reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        const Wnd *object = Wnd::FromHandle(window);
        count += object && object->HasBackBuffer();
    }
    return count;
}

// A tool screen neither shown nor shown last gives its windows' buffers
// back; shown again, it paints what it showed before, with what happened
// meanwhile.
TEST_F(SlideTest, ToolScreensNotUsedLatelyGiveTheirBuffersBackAndPaintTheirStateAgain) {
    MakeFrame();
    const RECT client = ClientRectOf(main_);
    OpenLater(kScreenCalculator);
    HWND calc = ShownScreen(main_, L"CalcWnd");
    ASSERT_NE(calc, nullptr);
    const int buffered = WindowsWithBuffers(calc);
    EXPECT_GT(buffered, 20) << "the calculator's screen, display, keypad and keys";
    SendMessageW(calc, WM_CHAR, L'4', 0);
    SendMessageW(calc, WM_CHAR, L'2', 0);
    Pump();
    const Picture typed = RepaintAndRead(main_);

    SwitchWatched(kScreenDesk);
    EXPECT_EQ(WindowsWithBuffers(calc), buffered) << "the tool shown last is kept for the way back";
    SwitchWatched(kScreenConverter);
    SwitchWatched(kScreenDesk);
    EXPECT_EQ(WindowsWithBuffers(calc), 0) << "the calculator not used lately keeps buffers";
    SendMessageW(calc, WM_CHAR, L'7', 0); // typed while hidden: drawn when shown
    SwitchWatched(kScreenCalculator);
    ASSERT_EQ(Screen(), kScreenCalculator);
    EXPECT_EQ(WindowsWithBuffers(calc), buffered);
    const Picture shown = ReadScreen(main_);
    EXPECT_EQ(FirstDifference(shown, RepaintAndRead(main_), client), "") << "the calculator after the slide";
    EXPECT_NE(FirstDifference(shown, typed, client), "") << "the key typed while hidden is not shown";
    SendMessageW(calc, WM_CHAR, 8, 0); // backspace: 427 -> 42
    Pump();
    EXPECT_EQ(FirstDifference(RepaintAndRead(main_), typed, client), "") << "the calculator unlike before";
}

// A switch lays the bottom bar out in the normal look: a button left pressed
// (the menu's, while its menu was open) comes back up.
TEST_F(FrameTest, SwitchBringsPressedBottomBarButtonsBackUp) {
    MakeFrame();
    for (int action : {CMyBottomBar::kMenu, CMyBottomBar::kMinimise}) {
        SCOPED_TRACE(testing::Message() << "button " << action);
        BottomBar()->Button(action)->SetState(CCustomBtt::kPressed);
        OpenLater(Screen() == kScreenDesk ? kScreenCalculator : kScreenDesk);
        EXPECT_EQ(BottomBar()->Button(action)->GetState(), CCustomBtt::kNormal);
    }
}

// Debounce ---------------------------------------------------------------------

// The last accepted request of the kind under test lies `gap` ms before the
// next one.
struct DebounceRow {
    const char *name;
    DWORD gap;
    bool accepted;
};

TEST_F(FrameTest, SecondOpenScreenWithin200msIsIgnored) {
    MakeFrame();
    const DebounceRow rows[] = {{"199 ms", 199, false}, {"200 ms", 200, true}};
    for (const DebounceRow &row : rows) {
        SCOPED_TRACE(row.name);
        OpenLater(kScreenConverter);
        Clock::Advance(row.gap);
        Open(kScreenCalculator);
        EXPECT_EQ(Screen(), row.accepted ? kScreenCalculator : kScreenConverter);
    }
}

TEST_F(FrameTest, SecondBackWithin201msIsIgnored) {
    MakeFrame();
    const DebounceRow rows[] = {{"200 ms", 200, false}, {"201 ms", 201, true}};
    for (const DebounceRow &row : rows) {
        SCOPED_TRACE(row.name);
        OpenLater(kScreenCalculator);
        Clock::Advance(1000);
        Back(kScreenDesk); // accepted: the stamp of back requests
        ASSERT_EQ(Screen(), kScreenDesk);
        Open(kScreenConverter); // its own stamp is 1000 ms old
        ASSERT_EQ(Screen(), kScreenConverter);
        Clock::Advance(row.gap);
        Back(kScreenDesk);
        EXPECT_EQ(Screen(), row.accepted ? kScreenDesk : kScreenConverter);
    }
}

TEST_F(FrameTest, RequestsRightAfterStartAreAccepted) {
    // Every stamp starts empty: a first request is never taken for a repeat,
    // whatever the tick count.
    SYSTEMTIME noon = {2026, 3, 0, 11, 12, 0, 0, 0};
    Clock::Fake(0, noon);
    MakeFrame();
    Open(kScreenCalculator);
    EXPECT_EQ(Screen(), kScreenCalculator);
    Clock::Advance(100);
    Open(kScreenConverter);
    EXPECT_EQ(Screen(), kScreenCalculator) << "a repeat at tick 100 after one at tick 0";
}

TEST_F(FrameTest, BottomBarActionsAndMenuCommandsHaveTheirOwnDebounce) {
    MakeFrame();
    // Bottom-bar action 5 minimises; a repeat within 200 ms is dropped.
    SendMessageW(main_, UWM_BOTTOM_ACTION, 0, CMyBottomBar::kMinimise);
    ASSERT_TRUE(frame_->IsMinimised());
    SendMessageW(main_, UWM_TOGGLE, 0, 0);
    ASSERT_FALSE(frame_->IsMinimised());
    Clock::Advance(199);
    SendMessageW(main_, UWM_BOTTOM_ACTION, 0, CMyBottomBar::kMinimise);
    EXPECT_FALSE(frame_->IsMinimised()) << "bottom-bar action 199 ms after the last";
    Clock::Advance(1);
    SendMessageW(main_, UWM_BOTTOM_ACTION, 0, CMyBottomBar::kMinimise);
    EXPECT_TRUE(frame_->IsMinimised()) << "bottom-bar action 200 ms after the last";
    SendMessageW(main_, UWM_TOGGLE, 0, 0);

    // A menu command repeated within 200 ms is dropped; the bottom bar's
    // stamp does not hold it back.
    const DWORD before = frame_->GetSettings().showIcon;
    SendMessageW(main_, WM_COMMAND, IDM_SHOW_ICON, 0);
    EXPECT_NE(frame_->GetSettings().showIcon, before);
    Clock::Advance(199);
    SendMessageW(main_, WM_COMMAND, IDM_SHOW_ICON, 0);
    EXPECT_NE(frame_->GetSettings().showIcon, before) << "menu command 199 ms after the last";
    Clock::Advance(1);
    SendMessageW(main_, WM_COMMAND, IDM_SHOW_ICON, 0);
    EXPECT_EQ(frame_->GetSettings().showIcon, before) << "menu command 200 ms after the last";
}

// Minimised mode -------------------------------------------------------------

TEST_F(FrameTest, BackOnTheDeskMinimisesToTheFloatingButton) {
    MakeFrame();
    HBITMAP button = frame_->FloatButton();
    ASSERT_NE(button, nullptr);
    BITMAP bm = {};
    GetObjectW(button, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 16) << "the floating button is kept in 16 bits per pixel";

    Back(kScreenDesk);
    ASSERT_TRUE(frame_->IsMinimised());
    const RECT rc = WindowRect();
    EXPECT_EQ(rc.right - rc.left, bm.bmWidth);
    EXPECT_EQ(rc.bottom - rc.top, bm.bmHeight);
    EXPECT_EQ(rc.left, static_cast<LONG>(frame_->GetSettings().minimizedPosX));
    EXPECT_EQ(rc.top, static_cast<LONG>(frame_->GetSettings().minimizedPosY));
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_FALSE(ui::IsShown(GetDlgItem(main_, CMyTabbar::kChildId)));
}

TEST_F(FrameTest, TapShorterThan500msRestoresALongerPressDoesNot) {
    struct Row {
        const char *name;
        DWORD hold;
        bool insideInset; // pressed in the middle, not at the rim
        bool restores;
    };
    const Row rows[] = {
        {"tap of 499 ms", 499, true, true},
        {"press of 500 ms", 500, true, false},
        {"tap on the rim", 10, false, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        MakeFrame();
        OpenLater(kScreenCalculator);
        const RECT full = WindowRect();
        Minimise();
        const SIZE size = ButtonSize();
        const int x = row.insideInset ? size.cx / 2 : 1, y = row.insideInset ? size.cy / 2 : 1;
        SendMessageW(main_, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
        Clock::Advance(row.hold);
        SendMessageW(main_, WM_LBUTTONUP, 0, Point(x, y));
        EXPECT_EQ(!frame_->IsMinimised(), row.restores);
        if (row.restores) {
            EXPECT_EQ(Screen(), kScreenCalculator) << "restored to the screen shown before";
            const RECT rc = WindowRect();
            EXPECT_EQ(rc.right - rc.left, full.right - full.left);
            EXPECT_EQ(rc.bottom - rc.top, full.bottom - full.top);
            EXPECT_NE(ShownScreen(main_, L"CalcWnd"), nullptr);
        }
        EXPECT_NE(GetCapture(), main_);
        CloseFrame();
    }
}

TEST_F(FrameTest, MinimisingTwiceStillRestoresTheScreen) {
    MakeFrame();
    OpenLater(kScreenConverter);
    const RECT full = WindowRect();
    Minimise();
    SendMessageW(main_, UWM_MINIMISE_NOW, 0, 0);
    SendMessageW(main_, UWM_TOGGLE, 0, 0);
    ASSERT_FALSE(frame_->IsMinimised());
    EXPECT_EQ(Screen(), kScreenConverter);
    const RECT rc = WindowRect();
    EXPECT_EQ(rc.right - rc.left, full.right - full.left);
    EXPECT_EQ(rc.bottom - rc.top, full.bottom - full.top);
}

TEST_F(FrameTest, DraggingTheFloatingButtonStopsAtTheEdge) {
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    const int topLimit = static_cast<int>(Settings::MinimizedTopLimit(Metrics().dpiY));
    struct Row {
        const char *name;
        int dx, dy;           // stylus movement far beyond the edge
        int left, top;        // where the button stops (-1: unchanged)
        int storedX, storedY; // the position kept for the next minimise (-1: where it stopped)
    };
    const Row rows[] = {
        {"left edge", -1000, 0, 0, -1, 1, -1},
        {"top edge", 0, -1000, -1, caption, -1, caption > topLimit ? caption : topLimit},
        {"right edge", 1000, 0, GetSystemMetrics(SM_CXSCREEN), -1, -1, -1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        MakeFrame();
        Minimise();
        const RECT start = WindowRect();
        const SIZE size = ButtonSize();
        SendMessageW(main_, WM_LBUTTONDOWN, MK_LBUTTON, Point(size.cx / 2, size.cy / 2));
        ASSERT_EQ(GetCapture(), main_);
        SendMessageW(main_, WM_MOUSEMOVE, MK_LBUTTON, Point(size.cx / 2 + row.dx, size.cy / 2 + row.dy));
        const RECT rc = WindowRect();
        const int left = row.left == -1 ? start.left : (row.dx > 0 ? row.left - size.cx : row.left);
        const int top = row.top == -1 ? start.top : row.top;
        EXPECT_EQ(rc.left, left);
        EXPECT_EQ(rc.top, top);
        EXPECT_NE(GetCapture(), main_) << "the drag ends at the edge";
        EXPECT_TRUE(frame_->IsMinimised());
        EXPECT_EQ(static_cast<int>(frame_->GetSettings().minimizedPosX), row.storedX == -1 ? left : row.storedX);
        EXPECT_EQ(static_cast<int>(frame_->GetSettings().minimizedPosY), row.storedY == -1 ? top : row.storedY);
        // The release that follows neither restores nor moves anything.
        SendMessageW(main_, WM_LBUTTONUP, 0, Point(0, 0));
        EXPECT_TRUE(frame_->IsMinimised());
        CloseFrame();
    }
}

TEST_F(FrameTest, SettingChangeWhileMinimisedPullsTheButtonBackOnScreen) {
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int bottomLimit = GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYCAPTION);
    MakeFrame();
    Minimise();
    const SIZE size = ButtonSize();
    struct Row {
        const char *name;
        int x, y;                 // where the button was when the screen changed
        int expectedX, expectedY; // where it is afterwards
    };
    const Row rows[] = {
        {"inside", 50, 100, 50, 100},
        {"beyond the right edge", screenW - size.cx / 2, 100, screenW - size.cx, 100},
        {"below the bottom limit", 50, bottomLimit, 50, bottomLimit - size.cy},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        SetWindowPos(main_, nullptr, row.x, row.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(main_, WM_SETTINGCHANGE, 0, 0);
        const RECT rc = WindowRect();
        EXPECT_EQ(rc.left, row.expectedX);
        EXPECT_EQ(rc.top, row.expectedY);
        EXPECT_TRUE(frame_->IsMinimised());
    }
}

TEST_F(FrameTest, StoredFloatingButtonPositionIsRaisedToItsLimits) {
    const DWORD topLimit = Settings::MinimizedTopLimit(Metrics().dpiY);
    struct Row {
        const char *name;
        DWORD storedX, storedY;
        DWORD x, y;
    };
    const Row rows[] = {
        {"X 0, Y above the top bar", 0, 5, 1, topLimit},
        {"negative X, Y at the limit", 0xFFFFFFF6, topLimit, 1, topLimit},
        {"inside", 50, 100, 50, 100},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        WriteDword(L"MinimizedPosX", row.storedX);
        WriteDword(L"MinimizedPosY", row.storedY);
        MakeFrame();
        EXPECT_EQ(frame_->GetSettings().minimizedPosX, row.x);
        EXPECT_EQ(frame_->GetSettings().minimizedPosY, row.y);
        CloseFrame();
    }
}

TEST_F(FrameTest, SettingsAreWrittenWhenTheFrameEnds) {
    MakeFrame();
    SendMessageW(main_, WM_COMMAND, IDM_USE_DRAWING, 0);
    CloseFrame();
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD value = 0, size = sizeof value;
    EXPECT_EQ(RegQueryValueExW(key, L"UseDrawing", nullptr, nullptr, reinterpret_cast<BYTE *>(&value), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(value, 1u);
}

// The simulated vibrator's switches ("<date> <time> <tick> <led> <0|1>" lines)
// while this process's device folder is a throwaway one.
class VibratorLog {
public:
    VibratorLog() {
        wchar_t saved[MAX_PATH] = L"";
        hadFolder_ = GetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", saved, MAX_PATH) > 0;
        saved_ = saved;
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"FrameVibrator" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        DeleteFileW(Path().c_str());
        SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", folder_.c_str());
    }
    ~VibratorLog() {
        SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", hadFolder_ ? saved_.c_str() : nullptr);
        DeleteFileW(Path().c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    // Switches of the vibrator (LED 1) to that state.
    int Count(int state) const {
        const std::string text = ReadFileText(Path());
        const std::string tail = " 1 " + std::to_string(state) + "\r\n";
        int count = 0;
        for (size_t at = text.find(tail); at != std::string::npos; at = text.find(tail, at + 1))
            ++count;
        return count;
    }
    // Waits (real time) until there are that many switches to the state.
    bool WaitFor(int state, int count) const {
        for (int i = 0; i < 300; ++i) {
            if (Count(state) >= count)
                return true;
            Sleep(10);
        }
        return false;
    }
    bool EndsOff() const {
        const std::string text = ReadFileText(Path()), off = " 1 0\r\n";
        return text.size() >= off.size() && text.compare(text.size() - off.size(), off.size(), off) == 0;
    }

private:
    std::wstring Path() const { return folder_ + L"\\vibrator.log"; }
    std::wstring folder_, saved_;
    bool hadFolder_;
};

TEST_F(FrameTest, TurningFeedbackVibroOnGivesOnePulseAndTheEndSwitchesTheVibratorOff) {
    VibratorLog log;
    MakeFrame();
    ASSERT_EQ(frame_->GetSettings().feedbackVibro, 0u);
    SendMessageW(main_, WM_COMMAND, IDM_FEEDBACK_VIBRO, 0);
    EXPECT_EQ(frame_->GetSettings().feedbackVibro, 1u);
    ASSERT_TRUE(log.WaitFor(1, 1)) << "no pulse when the option was turned on";
    Clock::Advance(100); // the pulse lasts 50 ms of the test clock
    ASSERT_TRUE(log.WaitFor(0, 1));
    Sleep(100);
    EXPECT_EQ(log.Count(1), 1) << "one pulse, not one per check";

    const int offs = log.Count(0);
    CloseFrame();
    EXPECT_EQ(log.Count(0), offs + 1);
    EXPECT_TRUE(log.EndsOff()) << "the vibrator is left off at the end";
}

// Menus ----------------------------------------------------------------------

bool RecentFilesGreyed(const CBlindWnd &frame) {
    // "Recent Files" is the sixth entry of the main menu.
    return (GetMenuState(frame.Menu().Main(), 5, MF_BYPOSITION) & MF_GRAYED) != 0;
}

std::wstring RecentEntry(const CBlindWnd &frame, int slot) {
    wchar_t text[MAX_PATH + 8] = L"";
    GetMenuStringW(frame.Menu().Recent(), IDM_RECENT_FIRST + slot, text, MAX_PATH + 8, MF_BYCOMMAND);
    return text;
}

TEST_F(FrameTest, RecentFilesIsGreyedUntilTheFirstFileArrives) {
    MakeFrame();
    EXPECT_TRUE(RecentFilesGreyed(*frame_));
    EXPECT_EQ(GetMenuItemCount(frame_->Menu().Recent()), 0);

    lstrcpynW(frame_->GetSettings().recent[0], L"C:\\My Documents\\Note1.pwi", MAX_PATH);
    SendMessageW(main_, UWM_RECENT_CHANGED, 0, 0);
    EXPECT_FALSE(RecentFilesGreyed(*frame_));
    EXPECT_EQ(RecentEntry(*frame_, 0), L"1. Note1.pwi") << "after start-up the first entry shows the file name";
}

TEST_F(FrameTest, RecentMenuNumbersNonEmptySlotsAndMovesTheChosenOneUp) {
    WriteText(L"Recent0", L"C:\\Notes\\a.pwi");
    WriteText(L"Recent2", L"C:\\Notes\\c.pwi");
    WriteText(L"Recent3", L"C:\\Notes\\d.pwi");
    MakeFrame();
    EXPECT_FALSE(RecentFilesGreyed(*frame_));
    EXPECT_EQ(RecentEntry(*frame_, 0), L"1. C:\\Notes\\a.pwi");
    EXPECT_EQ(RecentEntry(*frame_, 2), L"2. C:\\Notes\\c.pwi") << "numbered by count, not by slot";
    EXPECT_EQ(RecentEntry(*frame_, 3), L"3. C:\\Notes\\d.pwi");

    SendMessageW(main_, UWM_OPEN_RECENT, 3, 0);
    const Settings &s = frame_->GetSettings();
    EXPECT_STREQ(s.recent[0], L"C:\\Notes\\d.pwi");
    EXPECT_STREQ(s.recent[1], L"C:\\Notes\\a.pwi");
    EXPECT_STREQ(s.recent[2], L"");
    EXPECT_STREQ(s.recent[3], L"C:\\Notes\\c.pwi");
    EXPECT_EQ(RecentEntry(*frame_, 0), L"1. d.pwi");
    EXPECT_EQ(RecentEntry(*frame_, 1), L"2. C:\\Notes\\a.pwi");
}

TEST_F(FrameTest, LoadOnStartupWritesAndRemovesTheStartupShortcut) {
    const std::wstring shortcut = StartupShortcut();
    // Keep whatever the device had there and put it back afterwards.
    const bool existed = FileExists(shortcut);
    const std::string original = existed ? ReadFileText(shortcut) : "";
    DeleteFileW(shortcut.c_str());

    MakeFrame();
    ASSERT_FALSE(frame_->LoadOnStartup());
    SendMessageW(main_, WM_COMMAND, IDM_LOAD_ON_STARTUP, 0);
    EXPECT_TRUE(frame_->LoadOnStartup());
    wchar_t program[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring target = std::wstring(L"\"") + program + L"\" -mini";
    EXPECT_EQ(ReadFileText(shortcut), std::to_string(target.size()) + "#" + Narrow(target));

    Clock::Advance(200);
    SendMessageW(main_, WM_COMMAND, IDM_LOAD_ON_STARTUP, 0);
    EXPECT_FALSE(frame_->LoadOnStartup());
    EXPECT_FALSE(FileExists(shortcut));

    if (existed) {
        HANDLE file = CreateFileW(shortcut.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, original.data(), static_cast<DWORD>(original.size()), &written, nullptr);
        CloseHandle(file);
    }
}

// World clock ----------------------------------------------------------------

TEST_F(FrameTest, WorldClockWithoutCityListIsNotMade) {
    wchar_t program[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring list(program);
    list = list.substr(0, list.rfind(L'\\') + 1) + L"GMTList.txt";
    if (FileExists(list))
        GTEST_SKIP() << "a city list lies beside the test program";

    MakeFrame();
    OpenLater(kScreenCalculator);
    // The message box is modal on this thread: a second thread finds it and
    // presses its button.
    std::atomic<bool> boxSeen(false), stop(false);
    std::thread closer([&] {
        for (int i = 0; i < 500 && !stop; ++i) {
            if (HWND box = FindWindowW(L"#32770", nullptr)) {
                if (GetWindowThreadProcessId(box, nullptr) == GetWindowThreadProcessId(main_, nullptr)) {
                    boxSeen = true;
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                    return;
                }
            }
            Sleep(10);
        }
    });
    OpenLater(kScreenWorldClock);
    stop = true;
    closer.join();
    EXPECT_TRUE(boxSeen) << "the user is told that the city list is missing";
    EXPECT_EQ(Screen(), kScreenCalculator) << "the screen shown before stays";
    EXPECT_EQ(ShownScreen(main_, L"WorldWnd"), nullptr);
    EXPECT_NE(ShownScreen(main_, L"CalcWnd"), nullptr);
}

} // namespace
