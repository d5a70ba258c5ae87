// The note pickers on the test device's screen: real pickers over a parent
// that records what it is told, rows tapped by stylus messages, OK and
// Cancel through the title-bar command.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "ListTestSupport.h"
#include "ui/BrowserFolderWnd.h"
#include "notes/OpenFileWnd.h"
#include "notes/SelectNoteDirWnd.h"
#include "support/TempTree.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

using listtest::Point;
using listtest::Pump;
typedef std::vector<UINT> Messages;

const int kRowHeight = 43; // at 96 dpi

void NoWait(DWORD) {}

class NotePickers : public ::testing::Test {
protected:
    void SetUp() override {
        SetMetrics(ComputeScreenMetrics(240, 320, 96, 96));
        CListWnd::SetWaitFunction(NoWait);
        for (const wchar_t *folder : {L"Notes", L"alpha", L"Beta"})
            tree.Folder(folder);
        for (const wchar_t *file : {L"Notes\\b.pwi", L"Notes\\a.PWI", L"Notes\\c.txt", L"alpha\\x.pwi"})
            tree.File(file);
        // The note folder picker asks the program's foreground window for the input panel.
        SetForegroundWindow(parent.GetHwnd());
        Pump();
        ASSERT_EQ(GetForegroundWindow(), parent.GetHwnd());
        parent.received.clear();
    }
    void TearDown() override {
        Pump();
        CListWnd::SetWaitFunction(nullptr);
    }
    static void Tap(CUIList &picker, int row) {
        const LPARAM at = Point(100, row * kRowHeight + kRowHeight / 2);
        SendMessageW(picker.List()->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(picker.List()->GetHwnd(), WM_LBUTTONUP, 0, at);
        Pump();
    }
    // OK or Cancel; returns what the parent took, without input-panel requests.
    Messages Command(CUIList &picker, WPARAM command) {
        parent.received.clear();
        SendMessageW(picker.GetHwnd(), UWM_TITLE_COMMAND, command, 0);
        Pump();
        Messages messages;
        for (const listtest::Received &r : parent.received)
            if (r.msg != UWM_INPUT_PANEL)
                messages.push_back(r.msg);
        return messages;
    }
    // The last input-panel request the parent took: 1, 0, or -1 for none.
    int LastInputPanel() const {
        for (auto it = parent.received.rbegin(); it != parent.received.rend(); ++it)
            if (it->msg == UWM_INPUT_PANEL)
                return static_cast<int>(it->wParam);
        return -1;
    }
    std::wstring At(const wchar_t *relative) const { return tree.Path(relative); }

    TempTree tree;
    listtest::Parent parent;
};

TEST_F(NotePickers, BrowserWalksTheTreeAndReportsTheFolderOnOk) {
    CBrowserFolderWnd browser;
    ASSERT_TRUE(browser.Open(parent.GetHwnd(), tree.Root().c_str()));
    EXPECT_EQ(browser.List()->RowCount(), 5) << "the folder, then .. alpha Beta Notes";
    Tap(browser, 0);
    EXPECT_STREQ(browser.Folder(), tree.Root().c_str()) << "row 0 does nothing";
    Tap(browser, 4);
    EXPECT_STREQ(browser.Folder(), At(L"Notes").c_str());
    EXPECT_EQ(browser.List()->RowCount(), 2);
    Tap(browser, 1);
    Tap(browser, 2);
    EXPECT_STREQ(browser.Folder(), At(L"alpha").c_str()) << "up, then down into alpha";
    EXPECT_EQ(Command(browser, kTitleCommandDone), (Messages{UWM_FOLDER_PICKED, WM_ENABLE}));
    EXPECT_EQ(parent.received.back().wParam, 1u);
    EXPECT_FALSE(IsWindowVisible(browser.GetHwnd()));

    ASSERT_TRUE(browser.Open(parent.GetHwnd(), (L"\\" + std::wstring(400, L'x')).c_str()));
    EXPECT_TRUE(IsWindowVisible(browser.GetHwnd()));
    EXPECT_STREQ(browser.Folder(), L"") << "a path too long to list gives the root";
    EXPECT_EQ(Command(browser, kTitleCommandCancel), Messages{WM_ENABLE}) << "Cancel only hides";
    EXPECT_FALSE(IsWindowVisible(browser.GetHwnd()));
}

TEST_F(NotePickers, OpenFileChoosesANoteFileAndPostsItsPath) {
    COpenFileWnd picker;
    Str picked(L"before");
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), At(L"Notes").c_str(), &picked));
    ASSERT_EQ(picker.Names().size(), 2u) << "a.PWI and b.pwi, not c.txt";
    Tap(picker, 2);
    EXPECT_EQ(picker.Selected(), 1);
    picker.List()->Repaint();
    EXPECT_EQ(GetPixel(picker.List()->BackDC(), 230, 2 * kRowHeight + 5), RGB(78, 102, 128)) << "shown chosen";
    EXPECT_EQ(GetPixel(picker.List()->BackDC(), 230, kRowHeight + 5), RGB(238, 232, 255));
    EXPECT_EQ(Command(picker, kTitleCommandDone), (Messages{WM_ENABLE, UWM_OPEN_RECENT}));
    EXPECT_STREQ(picked, At(L"Notes\\b.pwi").c_str());
    EXPECT_FALSE(IsWindowVisible(picker.GetHwnd()));

    ASSERT_TRUE(picker.Open(parent.GetHwnd(), At(L"Notes").c_str(), &picked));
    EXPECT_EQ(picker.Selected(), -1) << "opened again, nothing is chosen";
    EXPECT_EQ(Command(picker, kTitleCommandCancel), (Messages{WM_ENABLE, UWM_CLOSE_PICKER}));
    EXPECT_STREQ(picked, At(L"Notes\\b.pwi").c_str()) << "Cancel leaves the result alone";
}

TEST_F(NotePickers, OkWithoutAChosenFileSaysSoAndStaysOpen) {
    COpenFileWnd picker;
    Str picked(L"stale");
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), At(L"Notes").c_str(), &picked));
    // The box is modal on this thread: a second thread reads and closes it.
    std::atomic<bool> stop(false), boxSeen(false);
    std::thread closer([&] {
        const DWORD thread = GetWindowThreadProcessId(picker.GetHwnd(), nullptr);
        // The box's window is there a moment before its text: wait for both.
        HWND box = nullptr;
        for (int i = 0; i < 500 && !stop; ++i, Sleep(10)) {
            box = FindWindowW(L"#32770", L"VelTallyPad");
            if (box && GetWindowThreadProcessId(box, nullptr) != thread)
                box = nullptr;
            if (box && FindWindowExW(box, nullptr, L"Static", L"Please Select Note file!")) {
                boxSeen = true;
                break;
            }
        }
        if (box)
            PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    const Messages told = Command(picker, kTitleCommandDone);
    stop = true;
    closer.join();
    EXPECT_TRUE(boxSeen) << "no box \"VelTallyPad\" with the text was shown";
    EXPECT_STREQ(picked, L"");
    EXPECT_TRUE(IsWindowVisible(picker.GetHwnd()));
    // The box itself disables and enables the parent; no choice is posted.
    EXPECT_EQ(parent.Count(UWM_OPEN_RECENT) + parent.Count(UWM_CLOSE_PICKER), 0);
}

TEST_F(NotePickers, OpenFileRowZeroBrowsesToAnotherFolder) {
    COpenFileWnd picker;
    Str picked;
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), At(L"Notes").c_str(), &picked));
    Tap(picker, 1);
    Tap(picker, 0);
    CBrowserFolderWnd *browser = picker.Browser();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(IsWindowVisible(browser->GetHwnd()));
    EXPECT_STREQ(browser->Folder(), At(L"Notes").c_str()) << "the browser starts at the picker's folder";
    Tap(*browser, 1); // ..
    Tap(*browser, 2); // alpha
    EXPECT_EQ(Command(*browser, kTitleCommandDone), Messages{}) << "the browser reports to the picker";
    EXPECT_STREQ(picker.Folder(), At(L"alpha").c_str());
    ASSERT_EQ(picker.Names().size(), 1u);
    EXPECT_STREQ(picker.Names()[0], L"x.pwi");
    EXPECT_EQ(picker.Selected(), -1) << "the choice in the other folder is gone";
    EXPECT_TRUE(IsWindowVisible(picker.GetHwnd()));
}

TEST_F(NotePickers, NoteDirPickerEditsTheNameInPlaceWithinItsLimit) {
    CSelectNoteDirWnd picker;
    wchar_t name[100] = L"Note", noteDir[MAX_PATH] = L"\\Old";
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), name, 100, noteDir, MAX_PATH));
    HWND rows = picker.List()->GetHwnd();
    SendMessageW(rows, WM_LBUTTONDOWN, MK_LBUTTON, Point(100, kRowHeight / 2));
    ASSERT_EQ(picker.List()->EditRow(), 0);
    HWND editor = picker.List()->Editor();
    wchar_t text[64] = L"";
    GetWindowTextW(editor, text, 64);
    EXPECT_STREQ(text, L"Note");
    RECT rc;
    GetWindowRect(editor, &rc);
    MapWindowPoints(HWND_DESKTOP, rows, reinterpret_cast<POINT *>(&rc), 2);
    EXPECT_EQ(rc.left, 5 + 90) << "the editor leaves the row's label free";
    EXPECT_EQ(SendMessageW(editor, EM_GETLIMITTEXT, 0, 0), 49);
    SendMessageW(rows, WM_LBUTTONUP, 0, Point(100, kRowHeight / 2));
    SetWindowTextW(editor, std::wstring(80, L'n').c_str()); // past the limit, as a program may set it
    EXPECT_EQ(lstrlenW(name), 49) << "cut to what the setting keeps";
    SetWindowTextW(editor, L"Memo");
    EXPECT_STREQ(name, L"Memo");
    EXPECT_EQ(Command(picker, kTitleCommandCancel), Messages{WM_ENABLE});
    EXPECT_EQ(LastInputPanel(), 0) << "the panel goes down on closing";
    EXPECT_STREQ(name, L"Memo") << "Cancel keeps an edited name";
    EXPECT_STREQ(noteDir, L"\\Old");
    EXPECT_FALSE(IsWindowVisible(picker.GetHwnd()));
}

TEST_F(NotePickers, NoteDirPickerBrowsesToAFolderAndWritesItOnOk) {
    CSelectNoteDirWnd picker;
    wchar_t name[100] = L"Note", noteDir[MAX_PATH] = L"";
    lstrcpynW(noteDir, tree.Root().c_str(), MAX_PATH);
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), name, 100, noteDir, MAX_PATH));
    Pump();
    EXPECT_EQ(LastInputPanel(), 1) << "shown: the panel is wanted, after the rows' own request";
    Tap(picker, 1);
    ASSERT_NE(picker.Browser(), nullptr);
    Tap(*picker.Browser(), 3); // Beta
    EXPECT_EQ(Command(*picker.Browser(), kTitleCommandDone), Messages{});
    EXPECT_EQ(LastInputPanel(), 1) << "re-enabled: the panel is wanted again";
    EXPECT_STREQ(picker.EditedFolder(), At(L"Beta").c_str());
    EXPECT_STREQ(noteDir, tree.Root().c_str()) << "written only on OK";
    EXPECT_EQ(Command(picker, kTitleCommandDone), (Messages{WM_ENABLE, UWM_NOTE_DIR_PICKED}));
    EXPECT_EQ(LastInputPanel(), 0);
    EXPECT_STREQ(noteDir, At(L"Beta").c_str());

    // A folder that does not fit the caller's buffer is not written cut.
    wchar_t small[8] = L"\\Old";
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), name, 100, small, 8));
    ASSERT_TRUE(picker.Browser()->Open(picker.GetHwnd(), tree.Root().c_str()));
    Command(*picker.Browser(), kTitleCommandDone);
    Command(picker, kTitleCommandDone);
    EXPECT_STREQ(small, L"\\Old");
    EXPECT_FALSE(picker.Open(parent.GetHwnd(), nullptr, 0, small, 8)) << "no name buffer";
}

} // namespace
