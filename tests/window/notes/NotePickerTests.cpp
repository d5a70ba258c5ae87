// The note pickers on the test device's screen: real pickers over a parent
// that records what it is told, rows tapped by stylus messages, OK and
// Cancel through the title-bar command.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "ListTestSupport.h"
#include "notes/BrowserFolderWnd.h"
#include "notes/OpenFileWnd.h"
#include "notes/SelectNoteDirWnd.h"
#include "support/TempTree.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

using listtest::Parent;
using listtest::Point;
using listtest::Pump;

const int kRowHeight = 43; // at 96 dpi

void NoWait(DWORD) {}

BOOL CALLBACK CollectText(HWND window, LPARAM texts) {
    wchar_t buffer[128] = L"";
    GetWindowTextW(window, buffer, 128);
    reinterpret_cast<std::vector<std::wstring> *>(texts)->push_back(buffer);
    return TRUE;
}

// The messages the parent took, in order, without the row window's own
// input-panel requests.
std::vector<UINT> Posted(const Parent &parent) {
    std::vector<UINT> messages;
    for (const listtest::Received &r : parent.received)
        if (r.msg != UWM_INPUT_PANEL)
            messages.push_back(r.msg);
    return messages;
}

// The last input-panel request the parent took: 1, 0, or -1 for none.
int LastInputPanel(const Parent &parent) {
    for (auto it = parent.received.rbegin(); it != parent.received.rend(); ++it)
        if (it->msg == UWM_INPUT_PANEL)
            return static_cast<int>(it->wParam);
    return -1;
}

class NotePickers : public ::testing::Test {
protected:
    void SetUp() override {
        SetMetrics(ComputeScreenMetrics(240, 320, 96, 96));
        CListWnd::SetWaitFunction(NoWait);
        for (const wchar_t *folder : {L"Notes", L"alpha", L"Beta"})
            tree.Folder(folder);
        for (const wchar_t *file :
             {L"Notes\\b.pwi", L"Notes\\a.PWI", L"Notes\\c.txt", L"Notes\\readme", L"alpha\\x.pwi"})
            tree.File(file);
        ASSERT_NE(parent.GetHwnd(), nullptr);
    }
    void TearDown() override {
        Pump();
        CListWnd::SetWaitFunction(nullptr);
    }
    // A tap in the middle of a row of a picker's list.
    static void Tap(CUIList &picker, int row) {
        HWND rows = picker.List()->GetHwnd();
        const LPARAM at = Point(100, row * kRowHeight + kRowHeight / 2);
        SendMessageW(rows, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(rows, WM_LBUTTONUP, 0, at);
        Pump();
    }
    static void Command(CUIList &picker, WPARAM command) {
        SendMessageW(picker.GetHwnd(), UWM_TITLE_COMMAND, command, 0);
    }
    std::wstring At(const wchar_t *relative) const { return tree.Path(relative); }

    TempTree tree;
    Parent parent;
};

TEST_F(NotePickers, BrowserWalksTheTreeAndReportsTheFolderOnOk) {
    CBrowserFolderWnd browser;
    ASSERT_TRUE(browser.Open(parent.GetHwnd(), tree.Root().c_str()));
    EXPECT_TRUE(IsWindowVisible(browser.GetHwnd()));
    ASSERT_EQ(browser.Names().size(), 4u); // .. alpha Beta Notes
    EXPECT_EQ(browser.List()->RowCount(), 5) << "row 0 shows the folder";
    Tap(browser, 0);
    EXPECT_STREQ(browser.Folder(), tree.Root().c_str()) << "row 0 does nothing";
    Tap(browser, 4);
    EXPECT_STREQ(browser.Folder(), At(L"Notes").c_str());
    EXPECT_EQ(browser.List()->RowCount(), 2) << "the folder and ..";
    Tap(browser, 1);
    EXPECT_STREQ(browser.Folder(), tree.Root().c_str());
    Tap(browser, 2);
    EXPECT_STREQ(browser.Folder(), At(L"alpha").c_str());

    parent.received.clear();
    Command(browser, kTitleCommandDone);
    EXPECT_EQ(Posted(parent), std::vector<UINT>{UWM_FOLDER_PICKED}) << "sent before the window goes";
    Pump();
    EXPECT_EQ(Posted(parent), (std::vector<UINT>{UWM_FOLDER_PICKED, WM_ENABLE}));
    EXPECT_EQ(parent.received.back().wParam, 1u);
    EXPECT_FALSE(IsWindowVisible(browser.GetHwnd()));

    ASSERT_TRUE(browser.Open(parent.GetHwnd(), At(L"Notes").c_str()));
    EXPECT_TRUE(IsWindowVisible(browser.GetHwnd())) << "shown again";
    parent.received.clear();
    Command(browser, kTitleCommandCancel);
    Pump();
    EXPECT_EQ(Posted(parent), std::vector<UINT>{WM_ENABLE}) << "Cancel only hides";
    EXPECT_FALSE(IsWindowVisible(browser.GetHwnd()));
}

TEST_F(NotePickers, BrowserGivenAPathTooLongStartsAtTheRoot) {
    CBrowserFolderWnd browser;
    const std::wstring tooLong = L"\\" + std::wstring(400, L'x');
    ASSERT_TRUE(browser.Open(parent.GetHwnd(), tooLong.c_str()));
    EXPECT_STREQ(browser.Folder(), L"");
}

TEST_F(NotePickers, OpenFileChoosesANoteFileAndPostsItsPath) {
    COpenFileWnd picker;
    Str picked(L"before");
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), At(L"Notes").c_str(), &picked));
    ASSERT_EQ(picker.Names().size(), 2u) << "a.PWI and b.pwi, not c.txt or readme";
    EXPECT_STREQ(picker.Names()[0], L"a.PWI");
    EXPECT_EQ(picker.Selected(), -1);
    Tap(picker, 2);
    EXPECT_EQ(picker.Selected(), 1);
    picker.List()->Repaint();
    EXPECT_EQ(GetPixel(picker.List()->BackDC(), 230, 2 * kRowHeight + 5), RGB(78, 102, 128))
        << "the chosen row shows as chosen";
    EXPECT_EQ(GetPixel(picker.List()->BackDC(), 230, kRowHeight + 5), RGB(238, 232, 255));

    parent.received.clear();
    Command(picker, kTitleCommandDone);
    Pump();
    EXPECT_STREQ(picked, At(L"Notes\\b.pwi").c_str());
    EXPECT_EQ(Posted(parent), (std::vector<UINT>{WM_ENABLE, UWM_OPEN_RECENT}));
    EXPECT_FALSE(IsWindowVisible(picker.GetHwnd()));

    // Opened again, no file is chosen; Cancel leaves the result alone.
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), At(L"Notes").c_str(), &picked));
    EXPECT_EQ(picker.Selected(), -1);
    parent.received.clear();
    Command(picker, kTitleCommandCancel);
    Pump();
    EXPECT_EQ(Posted(parent), (std::vector<UINT>{WM_ENABLE, UWM_CLOSE_PICKER}));
    EXPECT_STREQ(picked, At(L"Notes\\b.pwi").c_str());
}

TEST_F(NotePickers, OpenFileReopenedOnAnUnchangedFolderKeepsItsListing) {
    COpenFileWnd picker;
    Str picked;
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), At(L"Notes").c_str(), &picked));
    Command(picker, kTitleCommandCancel);
    tree.File(L"Notes\\later.pwi");
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), At(L"Notes").c_str(), &picked));
    EXPECT_EQ(picker.Names().size(), 2u) << "the folder was read again";
}

TEST_F(NotePickers, OkWithoutAChosenFileSaysSoAndStaysOpen) {
    COpenFileWnd picker;
    Str picked(L"stale");
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), At(L"Notes").c_str(), &picked));
    parent.received.clear();
    // The box is modal on this thread: a second thread reads and closes it.
    std::atomic<bool> stop(false);
    std::wstring caption;
    std::vector<std::wstring> texts;
    std::thread closer([&] {
        for (int i = 0; i < 500 && !stop; ++i) {
            HWND box = FindWindowW(L"#32770", nullptr);
            if (box && GetWindowThreadProcessId(box, nullptr) == GetWindowThreadProcessId(picker.GetHwnd(), nullptr)) {
                wchar_t buffer[128] = L"";
                GetWindowTextW(box, buffer, 128);
                caption = buffer;
                EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&texts));
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(10);
        }
    });
    Command(picker, kTitleCommandDone);
    stop = true;
    closer.join();
    EXPECT_EQ(caption, L"VelTallyPad") << "no box was shown";
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Please Select Note file!"), texts.end());
    EXPECT_STREQ(picked, L"");
    EXPECT_TRUE(IsWindowVisible(picker.GetHwnd()));
    Pump();
    // The box disables and enables the parent while it is up; no choice is
    // posted, and the picker does not re-enable the parent itself.
    EXPECT_EQ(parent.Count(UWM_OPEN_RECENT), 0);
    EXPECT_EQ(parent.Count(UWM_CLOSE_PICKER), 0);
}

TEST_F(NotePickers, OpenFileRowZeroBrowsesToAnotherFolder) {
    COpenFileWnd picker;
    Str picked;
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), At(L"Notes").c_str(), &picked));
    Tap(picker, 1);
    ASSERT_EQ(picker.Selected(), 0);
    Tap(picker, 0);
    CBrowserFolderWnd *browser = picker.Browser();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(IsWindowVisible(browser->GetHwnd()));
    EXPECT_EQ(GetParent(browser->GetHwnd()), picker.GetHwnd());
    EXPECT_STREQ(browser->Folder(), At(L"Notes").c_str()) << "the browser starts at the picker's folder";
    Tap(*browser, 1); // ..
    Tap(*browser, 2); // alpha
    parent.received.clear();
    Command(*browser, kTitleCommandDone);
    Pump();
    EXPECT_STREQ(picker.Folder(), At(L"alpha").c_str());
    ASSERT_EQ(picker.Names().size(), 1u);
    EXPECT_STREQ(picker.Names()[0], L"x.pwi");
    EXPECT_EQ(picker.Selected(), -1) << "the choice of the other folder is gone";
    EXPECT_TRUE(IsWindowVisible(picker.GetHwnd()));
    EXPECT_TRUE(Posted(parent).empty()) << "the browser reports to the picker, not to its parent";
}

class NoteDirPicker : public NotePickers {
protected:
    void SetUp() override {
        NotePickers::SetUp();
        lstrcpynW(noteDir, tree.Root().c_str(), MAX_PATH);
        // The picker asks the program's foreground window for the input panel.
        SetForegroundWindow(parent.GetHwnd());
        Pump();
        ASSERT_EQ(GetForegroundWindow(), parent.GetHwnd());
    }
    wchar_t name[100] = L"Note";
    wchar_t noteDir[MAX_PATH] = L"";
};

TEST_F(NoteDirPicker, EditsTheNameInPlaceWithinItsLimit) {
    CSelectNoteDirWnd picker;
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), name, 100, noteDir, MAX_PATH));
    EXPECT_EQ(picker.List()->RowCount(), 2);
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
    EXPECT_EQ(rc.left, 5 + 90) << "the editor leaves the label free";
    SendMessageW(rows, WM_LBUTTONUP, 0, Point(100, kRowHeight / 2));
    Pump();
    SetWindowTextW(editor, L"Memo");
    EXPECT_STREQ(name, L"Memo");
    EXPECT_EQ(SendMessageW(editor, EM_GETLIMITTEXT, 0, 0), 49);
    SetWindowTextW(editor, std::wstring(80, L'n').c_str()); // past the editor's limit, as a paste could
    EXPECT_EQ(lstrlenW(name), 49) << "the name is cut to what the setting keeps";
    SetWindowTextW(editor, L"Memo");
    // A press elsewhere ends the edit; Cancel keeps the edited name.
    SendMessageW(rows, WM_LBUTTONDOWN, MK_LBUTTON, Point(100, 3 * kRowHeight));
    SendMessageW(rows, WM_LBUTTONUP, 0, Point(100, 3 * kRowHeight));
    EXPECT_EQ(picker.List()->EditRow(), -1);
    parent.received.clear();
    Command(picker, kTitleCommandCancel);
    Pump();
    EXPECT_STREQ(name, L"Memo");
    EXPECT_STREQ(noteDir, tree.Root().c_str());
    EXPECT_EQ(Posted(parent), std::vector<UINT>{WM_ENABLE}) << "Cancel posts no choice";
    EXPECT_FALSE(IsWindowVisible(picker.GetHwnd()));
    EXPECT_EQ(LastInputPanel(parent), 0) << "the panel goes down on closing";
}

TEST_F(NoteDirPicker, BrowsesToANewFolderAndWritesItOnOk) {
    CSelectNoteDirWnd picker;
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), name, 100, noteDir, MAX_PATH));
    Pump();
    EXPECT_EQ(LastInputPanel(parent), 1) << "shown: the panel is wanted";
    Tap(picker, 1);
    CBrowserFolderWnd *browser = picker.Browser();
    ASSERT_NE(browser, nullptr);
    EXPECT_STREQ(browser->Folder(), tree.Root().c_str());
    Tap(*browser, 3); // Beta
    parent.received.clear();
    Command(*browser, kTitleCommandDone);
    Pump();
    EXPECT_STREQ(picker.EditedFolder(), At(L"Beta").c_str());
    EXPECT_STREQ(noteDir, tree.Root().c_str()) << "written only on OK";
    EXPECT_TRUE(Posted(parent).empty());
    EXPECT_EQ(LastInputPanel(parent), 1) << "re-enabled: the panel is wanted again";

    parent.received.clear();
    Command(picker, kTitleCommandDone);
    Pump();
    EXPECT_STREQ(noteDir, At(L"Beta").c_str());
    EXPECT_EQ(Posted(parent), (std::vector<UINT>{WM_ENABLE, UWM_NOTE_DIR_PICKED}));
    EXPECT_FALSE(IsWindowVisible(picker.GetHwnd()));
    EXPECT_EQ(LastInputPanel(parent), 0);
}

TEST_F(NoteDirPicker, AFolderTooLongForTheCallersBufferIsNotWritten) {
    CSelectNoteDirWnd picker;
    wchar_t small[8] = L"\\old";
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), name, 100, small, 8));
    Tap(picker, 1);
    ASSERT_NE(picker.Browser(), nullptr);
    ASSERT_TRUE(picker.Browser()->Open(picker.GetHwnd(), tree.Root().c_str()));
    Command(*picker.Browser(), kTitleCommandDone);
    Pump();
    ASSERT_STREQ(picker.EditedFolder(), tree.Root().c_str());
    Command(picker, kTitleCommandDone);
    Pump();
    EXPECT_STREQ(small, L"\\old") << "a cut folder would name another one";
    EXPECT_FALSE(picker.Open(parent.GetHwnd(), nullptr, 0, small, 8)) << "no name buffer";
}

} // namespace
