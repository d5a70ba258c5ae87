// The note screen through the real ink control: typing and strokes, undo
// and redo, zoom per mode, modes with and without drawing allowed, and the
// note files it writes and reads.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ShellTestSupport.h"
#include "notes/NoteMessages.h"
#include "notes/NoteWnd.h"
#include "notes/Notebar.h"
#include "notes/OpenFileWnd.h"
#include "resource.h"
#include "richink.h"
#include "ui/Messages.h"

using namespace shelltest;

namespace {

// Stands in for the main frame: answers whether drawing is allowed and
// counts the recent-list changes it is told about.
class FakeFrame {
public:
    FakeFrame() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"NoteTestFrame";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowExW(0, L"NoteTestFrame", L"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 300, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~FakeFrame() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }
    bool drawingAllowed = false;
    int recentChanged = 0;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto *self = reinterpret_cast<FakeFrame *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && msg == UWM_QUERY_DRAWING)
            return self->drawingAllowed;
        if (self && msg == UWM_RECENT_CHANGED)
            ++self->recentChanged;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    HWND hwnd_;
};

// A note folder of its own in the temporary folder.
std::wstring MakeNoteFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    std::wstring folder = std::wstring(temp) + L"TallyPadNoteWnd-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(++serial);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void RemoveFolder(const std::wstring &folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

bool Exists(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class NoteWindow : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = MakeNoteFolder();
        lstrcpynW(noteDir_, folder_.c_str(), MAX_PATH);
        frame_ = std::make_unique<FakeFrame>();
        MakeNote();
    }
    void TearDown() override {
        note_.reset();
        frame_.reset();
        RemoveFolder(folder_);
    }
    void MakeNote() {
        note_.reset();
        NoteSettings settings = {noteName_, noteDir_, &scale1_, &scale2_, &penMode_, recent_, &feedback_};
        note_ = std::make_unique<CMyNoteWnd>(settings);
        ASSERT_NE(note_->Create(L"CalcWnd", WS_CHILD | WS_VISIBLE, RECT{0, 0, 240, 260}, frame_->hwnd(), 5543, false),
                  nullptr);
        ASSERT_NE(note_->Ink(), nullptr) << "the ink control was not made";
        Pump();
    }
    HWND Ink() const { return note_->Ink(); }
    void Type(const wchar_t *text) {
        for (const wchar_t *c = text; *c; ++c)
            SendMessageW(Ink(), WM_CHAR, *c, 0);
    }
    std::wstring Text() const {
        wchar_t text[1024] = L"";
        GetWindowTextW(Ink(), text, 1024);
        return text;
    }
    void Stroke(int x, int y) {
        Press(Ink(), x, y);
        MoveTo(Ink(), x + 20, y + 5);
        MoveTo(Ink(), x + 40, y);
        Release(Ink(), x + 40, y);
    }
    void Command(UINT id) { SendMessageW(note_->GetHwnd(), WM_COMMAND, id, 0); }
    void NotebarButton(int button) { SendMessageW(note_->GetHwnd(), UWM_NOTEBAR_BUTTON, 0, button); }
    LRESULT Zoom() const { return SendMessageW(Ink(), RIM_GETZOOM, 0, 0); }

    std::wstring folder_;
    wchar_t noteName_[kNoteNameChars] = L"Note";
    wchar_t noteDir_[MAX_PATH] = L"";
    DWORD scale1_ = 75, scale2_ = 75, penMode_ = 1, feedback_ = 0;
    wchar_t recent_[4][MAX_PATH] = {};
    std::unique_ptr<FakeFrame> frame_;
    std::unique_ptr<CMyNoteWnd> note_;
};

} // namespace

TEST_F(NoteWindow, TypingAndStrokesAreUndoneAndRedone) {
    EXPECT_FALSE(note_->IsModified()) << "a new note starts unmodified";
    Type(L"Hello");
    EXPECT_EQ(L"Hello", Text());
    EXPECT_TRUE(note_->IsModified());
    Stroke(30, 60);
    SendMessageW(Ink(), RIM_UNDO, 0, 0);
    EXPECT_NE(0, SendMessageW(Ink(), RIM_CANREDO, 0, 0)) << "the stroke cannot be redone";
    EXPECT_EQ(L"Hello", Text()) << "undoing the stroke changed the text";
    SendMessageW(Ink(), RIM_UNDO, 0, 0);
    EXPECT_EQ(L"", Text()) << "undoing the typing left text";
    SendMessageW(Ink(), RIM_REDO, 0, 0);
    EXPECT_EQ(L"Hello", Text());
}

TEST_F(NoteWindow, ZoomIsKeptPerModeAndShownOnTheBar) {
    frame_->drawingAllowed = true;
    MakeNote();
    Command(IDM_ZOOM_FIRST + 2); // 150 in typing mode
    EXPECT_EQ(150u, scale1_);
    EXPECT_EQ(150, Zoom());
    EXPECT_EQ(150, note_->Notebar()->Zoom());
    NotebarButton(kNoteMode);
    EXPECT_EQ(0u, penMode_) << "the mode button did not switch to drawing";
    EXPECT_EQ(75, Zoom()) << "drawing mode shows its own zoom";
    Command(IDM_ZOOM_FIRST + 3); // 200 in drawing mode
    EXPECT_EQ(200u, scale2_);
    EXPECT_EQ(150u, scale1_) << "the typing zoom changed";
    NotebarButton(kNoteMode);
    EXPECT_EQ(1u, penMode_);
    EXPECT_EQ(150, Zoom()) << "typing mode's zoom did not come back";
    EXPECT_EQ(RI_PAGE_LINED, SendMessageW(Ink(), RIM_GETPAGESTYLE, 0, 0));
}

TEST_F(NoteWindow, WithoutDrawingTheNoteStaysInTypingMode) {
    penMode_ = 0;
    MakeNote();
    EXPECT_EQ(1u, penMode_) << "drawing mode kept although drawing is not allowed";
    EXPECT_FALSE(IsShown(note_->Notebar()->Button(kNoteMode)->GetHwnd())) << "the mode button is shown";
    NotebarButton(kNoteMode);
    EXPECT_EQ(1u, penMode_);
    EXPECT_EQ(RI_INPUT_TYPING, SendMessageW(Ink(), RIM_GETINPUTMODE, 0, 0));
}

TEST_F(NoteWindow, ANewNoteIsSavedUnderItsTitleWithoutOverwritingAnother) {
    Type(L"  Shopping list\rmilk");
    ASSERT_TRUE(note_->Save());
    const std::wstring first = folder_ + L"\\Shopping list.pwi";
    EXPECT_TRUE(Exists(first));
    EXPECT_STREQ(first.c_str(), recent_[0]);
    EXPECT_STREQ(first.c_str(), note_->NotePath());
    Pump();
    EXPECT_EQ(1, frame_->recentChanged) << "the frame was not told of the new recent entry";

    Command(IDM_NEW);
    EXPECT_STREQ(L"", note_->NotePath());
    Type(L"Shopping list");
    ASSERT_TRUE(note_->Save());
    EXPECT_STREQ((folder_ + L"\\Shopping list (2).pwi").c_str(), note_->NotePath())
        << "a second note of the same title overwrote the first";

    Command(IDM_NEW);
    Stroke(30, 60); // a drawing only: the default name
    ASSERT_TRUE(note_->Save());
    EXPECT_STREQ((folder_ + L"\\Note1.pwi").c_str(), note_->NotePath());
}

TEST_F(NoteWindow, AFailedSaveKeepsTheNoteModifiedAndOutOfTheRecentList) {
    lstrcpynW(noteDir_, (folder_ + L"\\missing folder").c_str(), MAX_PATH);
    Type(L"unsaved");
    SendMessageW(note_->GetHwnd(), UWM_NOTE_SAVE, 0, 0);
    EXPECT_TRUE(note_->IsModified()) << "a failed save cleared the modified flag";
    EXPECT_STREQ(L"", recent_[0]) << "a failed save entered the recent list";
    EXPECT_STREQ(L"", note_->NotePath());
}

TEST_F(NoteWindow, ASavedNoteLoadsBackWithItsTextAndAMissingFileChangesNothing) {
    Type(L"Kept text");
    Stroke(30, 80);
    ASSERT_TRUE(note_->Save());
    const std::wstring path = note_->NotePath();
    Command(IDM_NEW);
    Type(L"other");
    EXPECT_FALSE(note_->LoadNote((folder_ + L"\\absent.pwi").c_str()));
    EXPECT_EQ(L"other", Text()) << "loading a missing file changed the note";

    EXPECT_TRUE(note_->LoadNote(path.c_str()));
    EXPECT_EQ(L"Kept text", Text());
    EXPECT_FALSE(note_->IsModified());
    EXPECT_TRUE(Exists(folder_ + L"\\other.pwi")) << "the modified note was not saved before another was loaded";
}

TEST_F(NoteWindow, CopyWithoutSelectionCopiesTheWholeNote) {
    Type(L"all of it");
    ASSERT_TRUE(note_->Copy());
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::wstring copied = data ? static_cast<const wchar_t *>(GlobalLock(data)) : L"";
    if (data)
        GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(L"all of it", copied);
    EXPECT_EQ(0, SendMessageW(Ink(), RIM_HASSELECTION, 0, 0)) << "the selection was not restored";
}

TEST_F(NoteWindow, AFileChosenInThePickerOpensAndComesFirstInTheRecentList) {
    Type(L"Picked note");
    ASSERT_TRUE(note_->Save());
    const std::wstring path = note_->NotePath();
    Command(IDM_NEW);
    lstrcpynW(recent_[0], L"C:\\elsewhere\\a.pwi", MAX_PATH);
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Velmora\\TallyPad", L"LastPath", REG_SZ, folder_.c_str(),
                    static_cast<DWORD>((folder_.size() + 1) * sizeof(wchar_t)));

    Command(IDM_OPEN_FILES);
    COpenFileWnd *picker = note_->Picker();
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(IsWindowVisible(picker->GetHwnd())) << "the picker is not shown over the note";
    EXPECT_EQ(folder_, std::wstring(picker->Folder().Text())) << "the picker did not open at LastPath";
    ASSERT_EQ(1u, picker->Names().size());
    picker->OnItemClick(nullptr, 1, POINT{10, 10}, 0);
    picker->OnRightButton();
    Pump();
    EXPECT_EQ(L"Picked note", Text());
    EXPECT_STREQ(path.c_str(), note_->NotePath());
    EXPECT_STREQ(path.c_str(), recent_[0]) << "the opened note is not first in the recent list";
    EXPECT_FALSE(IsWindowVisible(picker->GetHwnd()));
}

namespace {

// The menu's command ids in order (0 for a separator), each negated when
// the item is greyed.
std::vector<int> Items(HMENU menu) {
    std::vector<int> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const int id = static_cast<int>(GetMenuItemID(menu, i));
        const bool greyed = (GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) != 0;
        items.push_back(id == -1 ? 0 : (greyed ? -id : id));
    }
    DestroyMenu(menu);
    return items;
}

void PutTextOnClipboard(const wchar_t *text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(block), text, bytes);
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

} // namespace

TEST_F(NoteWindow, TheEditMenuOffersWhatTheNoteCanDo) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    const int R = IDM_RECOGNIZE, U = IDM_UNDO, D = IDM_REDO, I = IDM_INSERT_DATE, P = IDM_PASTE, X = IDM_CUT,
              C = IDM_COPY, L = IDM_CLEAR, A = IDM_SELECT_ALL, Z = IDM_CLEAR_ALL;
    EXPECT_EQ((std::vector<int>{R, -U, -D, 0, I, 0, -P, 0, A, 0, Z}), Items(note_->MakeEditMenu()))
        << "a new note: nothing to undo, redo or paste";

    Type(L"word");
    PutTextOnClipboard(L"pasted");
    EXPECT_EQ((std::vector<int>{R, U, -D, 0, I, 0, P, 0, A, 0, Z}), Items(note_->MakeEditMenu()))
        << "typed text can be undone; clipboard text can be pasted";

    SendMessageW(Ink(), RIM_UNDO, 0, 0);
    SendMessageW(Ink(), EM_SETSEL, 0, 0);
    Type(L"ab");
    SendMessageW(Ink(), EM_SETSEL, 0, 1);
    EXPECT_EQ((std::vector<int>{R, U, -D, 0, X, C, P, L, 0, A, 0, Z}), Items(note_->MakeEditMenu()))
        << "with a selection: cut, copy, paste and clear";

    SendMessageW(Ink(), RIM_UNDO, 0, 0);
    EXPECT_EQ(D, Items(note_->MakeEditMenu())[2]) << "redo is offered after an undo";
}
