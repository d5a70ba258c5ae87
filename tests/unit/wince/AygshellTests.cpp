// aygshell.dll: a desktop has no input panel, menu bars are hidden
// placeholders, dialogs fill the work area, shortcuts are "<length>#<target>".
#include <gtest/gtest.h>

#include <string>

#include "DeviceFolder.h"
#include "aygshell.h"

namespace {

RECT WorkArea() {
    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

HWND MakeTopWindow() {
    return CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_CAPTION, 10, 20, 100, 80, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

} // namespace

TEST(Shell, InputPanelQueriesFailSoCallersUseTheWorkArea) {
    SIPINFO info = {};
    info.cbSize = sizeof info;
    EXPECT_FALSE(SipGetInfo(&info));
    EXPECT_FALSE(SHSipInfo(SPI_GETSIPINFO, 0, &info, 0));
    EXPECT_FALSE(SHSipInfo(SPI_SETSIPINFO, 0, &info, 0));
    EXPECT_TRUE(SHSipPreference(nullptr, SIP_UP));
    EXPECT_TRUE(SHSipPreference(nullptr, SIP_FORCEDOWN));
}

TEST(Shell, ShortcutIsLengthHashTargetInAnsi) {
    DeviceFolder folder; // a scratch folder; SHCreateShortcut does not create folders
    folder.Create();
    const std::wstring link = folder.File(L"VelmoraTallyPad.lnk");
    const struct {
        const wchar_t *target;
        const char *text;
    } cases[] = {
        {L"\"\\Program Files\\TallyPad\\VelmoraTallyPad.exe\" -mini",
         "51#\"\\Program Files\\TallyPad\\VelmoraTallyPad.exe\" -mini"},
        {L"x", "1#x"},
        {L"\\Windows\\a b.exe", "16#\\Windows\\a b.exe"},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(SHCreateShortcut(const_cast<LPWSTR>(link.c_str()), const_cast<LPWSTR>(c.target)))
            << c.text << ": error " << GetLastError();
        EXPECT_EQ(c.text, folder.Read(L"VelmoraTallyPad.lnk")) << "an existing shortcut is replaced whole";
    }

    wchar_t empty[] = L"";
    EXPECT_FALSE(SHCreateShortcut(nullptr, const_cast<LPWSTR>(L"x")));
    EXPECT_FALSE(SHCreateShortcut(const_cast<LPWSTR>(link.c_str()), nullptr));
    EXPECT_FALSE(SHCreateShortcut(const_cast<LPWSTR>(link.c_str()), empty));
    EXPECT_FALSE(
        SHCreateShortcut(const_cast<LPWSTR>(folder.File(L"missing\\x.lnk").c_str()), const_cast<LPWSTR>(L"x")));
    if (GetACP() != CP_UTF8) {
        DeleteFileW(link.c_str());
        EXPECT_FALSE(SHCreateShortcut(const_cast<LPWSTR>(link.c_str()), const_cast<LPWSTR>(L"\\\u65e5\u8a18.exe")))
            << "a target the code page cannot hold would point elsewhere";
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(link.c_str()));
    }
}

TEST(Shell, FullScreenDialogFillsTheWorkArea) {
    HWND dlg = MakeTopWindow();
    ASSERT_NE(nullptr, dlg);
    SHINITDLGINFO init = {SHIDIM_FLAGS, dlg, SHIDIF_DONEBUTTON | SHIDIF_SIPDOWN};
    ASSERT_TRUE(SHInitDialog(&init));
    RECT r;
    GetWindowRect(dlg, &r);
    EXPECT_EQ(10, r.left) << "sized without SHIDIF_SIZEDLGFULLSCREEN";
    EXPECT_EQ(100, r.right - r.left);

    init.dwFlags |= SHIDIF_SIZEDLGFULLSCREEN;
    ASSERT_TRUE(SHInitDialog(&init));
    GetWindowRect(dlg, &r);
    RECT area = WorkArea();
    EXPECT_EQ(area.left, r.left);
    EXPECT_EQ(area.top, r.top);
    EXPECT_EQ(area.right, r.right);
    EXPECT_EQ(area.bottom, r.bottom);
    DestroyWindow(dlg);

    SHINITDLGINFO noWindow = {SHIDIM_FLAGS, nullptr, SHIDIF_SIZEDLGFULLSCREEN};
    EXPECT_FALSE(SHInitDialog(&noWindow));
    EXPECT_FALSE(SHInitDialog(nullptr));
}

TEST(Shell, EmptyMenuBarIsAHiddenWindowOwnedByItsParent) {
    HWND parent = MakeTopWindow();
    ASSERT_NE(nullptr, parent);
    SHMENUBARINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.hwndParent = parent;
    bar.dwFlags = SHCMBF_EMPTYBAR;
    ASSERT_TRUE(SHCreateMenuBar(&bar));
    ASSERT_TRUE(IsWindow(bar.hwndMB));
    EXPECT_FALSE(IsWindowVisible(bar.hwndMB));
    EXPECT_EQ(nullptr, GetWindow(bar.hwndMB, GW_CHILD));
    EXPECT_EQ(parent, GetWindow(bar.hwndMB, GW_OWNER));
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(bar.hwndMB)) << "the bar outlived its parent";

    SHMENUBARINFO fromResource = {};
    fromResource.cbSize = sizeof fromResource;
    fromResource.nToolBarId = 100;
    EXPECT_FALSE(SHCreateMenuBar(&fromResource)) << "menus from resources are not simulated";
    EXPECT_EQ(nullptr, fromResource.hwndMB);
}
