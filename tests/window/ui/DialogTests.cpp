// Dialogs from the program's templates: the plain dialog base, the message
// box and the About box. Modal dialogs are driven from inside their own loop:
// a message posted at WM_INITDIALOG runs the test's checks and taps.
#include <gtest/gtest.h>
#include <windows.h>

#include <aygshell.h>

#include <functional>
#include <vector>

#include "UiTestSupport.h"
#include "resource.h"
#include "ui/AboutDlg.h"
#include "ui/Dlg.h"
#include "ui/Gdi.h"
#include "ui/Messages.h"
#include "ui/MessageDlg.h"
#include "ui/Scaling.h"
#include "ui/Desktop.h"

namespace {

using uitest::Point;

const UINT kShown = WM_APP + 7;

// Runs onShown once the dialog is up, inside its modal loop. Whatever the
// checks do, a cancel is posted after them so that a dialog that failed to
// close cannot hang the test.
template <class Base>
class Driven : public Base {
public:
    std::function<void(Driven &)> onShown;
    std::vector<UINT> seen;

    INT_PTR DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(msg);
        if (msg == kShown) {
            if (onShown)
                onShown(*this);
            if (IsWindow(hwnd))
                PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        }
        INT_PTR result = Base::DialogProc(hwnd, msg, wParam, lParam);
        if (msg == WM_INITDIALOG)
            PostMessageW(hwnd, kShown, 0, 0);
        return result;
    }
};

void Tap(HWND button) {
    RECT rc;
    GetClientRect(button, &rc);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, Point(rc.right / 2, rc.bottom / 2));
    SendMessageW(button, WM_LBUTTONUP, 0, Point(rc.right / 2, rc.bottom / 2));
}

TEST(PlainDialog, EndsWithTheIdOfOkOrCancel) {
    struct Case {
        WPARAM command;
        INT_PTR code;
    } cases[] = {{IDOK, 1}, {IDCANCEL, 2}};
    for (const Case &c : cases) {
        Driven<Dlg> dlg;
        dlg.SetTemplateId(IDD_MESSAGE);
        dlg.onShown = [&](Driven<Dlg> &d) {
            SendMessageW(d.GetHwnd(), WM_COMMAND, 1000, 0); // another command does not end it
            EXPECT_TRUE(IsWindow(d.GetHwnd()));
            PostMessageW(d.GetHwnd(), WM_COMMAND, c.command, 0);
        };
        EXPECT_EQ(dlg.DoModal(nullptr), c.code);
        EXPECT_EQ(dlg.GetHwnd(), nullptr) << "the window is forgotten";
        ASSERT_FALSE(dlg.seen.empty());
        EXPECT_EQ(dlg.seen.front(), static_cast<UINT>(WM_INITDIALOG))
            << "nothing before WM_INITDIALOG reaches the object (WM_SETFONT comes earlier)";
    }
}

TEST(PlainDialog, WithoutATemplateNothingRuns) {
    Dlg none;
    EXPECT_EQ(none.DoModal(nullptr), 0);
    EXPECT_EQ(none.CreateModeless(nullptr), nullptr);
    Dlg missing;
    missing.SetTemplateId(9999);
    EXPECT_EQ(missing.DoModal(nullptr), -1);
    EXPECT_EQ(missing.CreateModeless(nullptr), nullptr);
}

class ResultDlg : public Dlg {
public:
    INT_PTR PreDialogProc(HWND, UINT msg, WPARAM, LPARAM, INT_PTR *result) override {
        if (msg != WM_APP)
            return 0;
        *result = 77;
        return 1;
    }
};

BOOL PanelUp(void *sipInfo) {
    SetRect(&static_cast<SIPINFO *>(sipInfo)->rcVisibleDesktop, 0, 26, 240, 200);
    return TRUE;
}

TEST(ModelessDialog, RoutesFitsAndKeepsItsMenuBar) {
    ResultDlg dlg;
    dlg.SetTemplateId(IDD_MESSAGE);
    HWND hwnd = dlg.CreateModeless(nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(SendMessageW(hwnd, WM_APP, 0, 0), 77) << "a handled message returns the stored result";

    dlg.MakeMenuBar();
    HWND firstBar = dlg.MenuBar();
    ASSERT_NE(firstBar, nullptr);
    dlg.MakeMenuBar();
    EXPECT_FALSE(IsWindow(firstBar)) << "the previous bar is destroyed";
    HWND bar = dlg.MenuBar();

    SetSipInfoQuery(PanelUp);
    SendMessageW(hwnd, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
    RECT rc;
    GetWindowRect(hwnd, &rc);
    EXPECT_NE(rc.top, 26) << "not fit-flagged: stays";
    dlg.SetFit(true);
    SendMessageW(hwnd, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
    GetWindowRect(hwnd, &rc);
    RECT expected = {0, 26, 240, 200};
    EXPECT_TRUE(EqualRect(&rc, &expected)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    SetSipInfoQuery(nullptr);

    SendMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(hwnd)) << "cancel ends a modeless dialog too";
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(dlg.GetHwnd(), nullptr);
    EXPECT_EQ(dlg.MenuBar(), nullptr);
}

// The message box at normal and at high resolution.
struct Resolution {
    const char *name;
    ScreenMetrics metrics;
    SIZE okImage;
};

std::vector<Resolution> Resolutions() {
    return {
        {"normal", ComputeScreenMetrics(240, 320, 96, 96), {64, 26}},
        {"high", ComputeScreenMetrics(480, 640, 192, 192), {128, 52}},
    };
}

TEST(MessageDialog, ShowsCentredOnTopAndClosesOnItsButton) {
    const ScreenMetrics saved = Metrics();
    for (const Resolution &res : Resolutions()) {
        SetMetrics(res.metrics);
        Driven<CMessageDlg> box;
        box.SetText(L"Timer Done");
        bool checked = false;
        box.onShown = [&](Driven<CMessageDlg> &d) {
            HWND hwnd = d.GetHwnd();
            EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) << res.name;
            RECT rc, client;
            GetWindowRect(hwnd, &rc);
            GetClientRect(hwnd, &client);
            EXPECT_NEAR((rc.left + rc.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1) << res.name;
            EXPECT_NEAR((rc.top + rc.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2 - ScaleY(20), 1) << res.name;

            CCustomBtt *ok = d.OkButton();
            ASSERT_NE(ok, nullptr);
            EXPECT_EQ(ok->ImageSize().cx, res.okImage.cx) << res.name;
            EXPECT_EQ(ok->ImageSize().cy, res.okImage.cy) << res.name;
            EXPECT_TRUE(GetWindowLongW(ok->GetHwnd(), GWL_STYLE) & WS_VISIBLE);
            RECT okRect;
            GetWindowRect(ok->GetHwnd(), &okRect);
            MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT *>(&okRect), 2);
            EXPECT_EQ(okRect.bottom, client.bottom * 9 / 10) << res.name;
            EXPECT_NEAR((okRect.left + okRect.right) / 2, client.right / 2, 1) << res.name;

            // Back buffer: the blue header on top, the body below it.
            HDC back = d.BackDC();
            ASSERT_NE(back, nullptr);
            COLORREF header = GetPixel(back, client.right / 2, client.bottom / 5);
            EXPECT_GT(GetBValue(header), 100) << res.name;
            EXPECT_LT(GetRValue(header), 110) << res.name;
            if (!res.metrics.highRes) { // the large header needs the large template of a 192-dpi screen
                EXPECT_EQ(GetPixel(back, client.right / 2, client.bottom - 3), kScreenColor) << res.name;
            }

            for (int i = 0; i < 3; ++i) // 300 ms ticks
                SendMessageW(hwnd, WM_TIMER, CMessageDlg::kTickTimer, 0);
            EXPECT_EQ(d.Ticks(), 3);
            EXPECT_FALSE(d.Stopped());

            Tap(ok->GetHwnd());
            EXPECT_TRUE(d.Stopped());
            checked = true;
        };
        EXPECT_EQ(box.DoModal(nullptr), IDOK) << res.name << ": closed by its button";
        EXPECT_TRUE(checked);
        EXPECT_EQ(box.OkButton(), nullptr) << "freed with the dialog";
        EXPECT_EQ(box.GetHwnd(), nullptr);
    }
    SetMetrics(saved);
}

TEST(MessageDialog, ResizingCentresItAgain) {
    Driven<CMessageDlg> box;
    box.SetText(L"Moved");
    box.SetSoundPath(L"\\Windows\\Alarm1.wav"); // rings through the player once it exists
    box.onShown = [&](Driven<CMessageDlg> &d) {
        HWND hwnd = d.GetHwnd();
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        RECT rc;
        GetWindowRect(hwnd, &rc);
        SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right - rc.left, rc.bottom - rc.top));
        GetWindowRect(hwnd, &rc);
        EXPECT_NEAR((rc.left + rc.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
        PostMessageW(hwnd, WM_COMMAND, IDOK, 0); // Enter
    };
    EXPECT_EQ(box.DoModal(nullptr), IDOK);
    EXPECT_TRUE(box.Stopped());
}

TEST(AboutBox, FillsTheScreenWithTheVersionAndEndsWithZero) {
    const ScreenMetrics saved = Metrics();
    // The main window whose caption the box takes.
    HWND main = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"TallyPad", WS_POPUP | WS_VISIBLE, 20, 65, 200, 200,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(main, nullptr);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    struct Case {
        const char *name;
        ScreenMetrics metrics;
        UINT templateId;
        bool byButton;
    } cases[] = {
        {"normal, OK button", ComputeScreenMetrics(240, 320, 96, 96), IDD_ABOUT, true},
        {"high resolution, cancel", ComputeScreenMetrics(480, 640, 192, 192), IDD_ABOUT_HI, false},
    };
    for (const Case &c : cases) {
        SetMetrics(c.metrics);
        Driven<CMyAboutDlg> about;
        EXPECT_EQ(about.TemplateId(), c.templateId) << c.name;
        bool checked = false;
        about.onShown = [&](Driven<CMyAboutDlg> &d) {
            HWND hwnd = d.GetHwnd();
            wchar_t text[64] = {};
            GetWindowTextW(hwnd, text, 64);
            EXPECT_STREQ(text, L"TallyPad") << c.name;
            GetDlgItemTextW(hwnd, IDC_ABOUT_VERSION, text, 64);
            EXPECT_STREQ(text, L"Version 4.4") << c.name;
            RECT rc;
            GetWindowRect(hwnd, &rc);
            EXPECT_TRUE(EqualRect(&rc, &work)) << c.name << ": full screen";
            EXPECT_NE(d.MenuBar(), nullptr) << c.name;
            ASSERT_NE(d.OkButton(), nullptr);
            RECT ok;
            GetWindowRect(d.OkButton()->GetHwnd(), &ok);
            EXPECT_LE(ok.bottom, rc.bottom) << c.name << ": the button is inside the box";
            EXPECT_GT(ok.top, (rc.top + rc.bottom) / 2) << c.name << ": in its lower half";
            if (c.byButton)
                Tap(d.OkButton()->GetHwnd());
            else
                PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
            checked = true;
        };
        EXPECT_EQ(about.DoModal(main), 0) << c.name;
        EXPECT_TRUE(checked);
    }
    SetMetrics(saved);
    DestroyWindow(main);
}

} // namespace
