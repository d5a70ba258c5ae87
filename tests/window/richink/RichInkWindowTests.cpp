// The ink control as the notes screen drives it: a real "RichInk" window
// made after InitRichInkDLL, fed keys, stylus messages and the control's
// own messages; what it holds is read back with its messages and streams.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InkStream.h"
#include "richink.h"
#include "support/Clipboard.h"

using namespace richink;

namespace {

const UINT_PTR kHoldTimer = 1; // the control's timer for a held press

std::vector<NMRICHINKMENU> g_menus; // edit-menu requests the parent received

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR *>(lParam)->code == RIN_EDITMENU)
        g_menus.push_back(*reinterpret_cast<NMRICHINKMENU *>(lParam));
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class RichInkWindow : public ::testing::Test {
protected:
    // One parent for the whole suite: each top-level window costs Wine a
    // moment to show and take down.
    static void SetUpTestSuite() {
        InitRichInkDLL();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"RichInkTestParent";
        RegisterClassW(&wc);
        parent_ = CreateWindowExW(0, wc.lpszClassName, L"ink test", WS_POPUP | WS_VISIBLE, 0, 0, 240, 300, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(parent_); }

    void SetUp() override {
        ink_ = CreateWindowExW(0, WC_RICHINKW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 0, 0, 240, 300,
                               parent_, reinterpret_cast<HMENU>(7), GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(ink_, nullptr) << "the RichInk class is not registered";
        g_menus.clear();
    }
    void TearDown() override { DestroyWindow(ink_); }

    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) { return SendMessageW(ink_, msg, wParam, lParam); }

    void Type(const wchar_t *text) {
        for (const wchar_t *c = text; *c; ++c)
            Send(WM_CHAR, *c);
    }

    std::wstring Text() {
        std::vector<wchar_t> buffer(Send(WM_GETTEXTLENGTH) + 1);
        Send(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
        return buffer.data();
    }

    void Draw(std::vector<POINT> points) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(points[0].x, points[0].y));
        for (size_t i = 1; i < points.size(); ++i)
            Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(points[i].x, points[i].y));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(points.back().x, points.back().y));
    }

    struct Bytes {
        std::vector<unsigned char> data;
        size_t readAt = 0;
        LONG piece = 1 << 20; // the most the callback hands over at once
    };
    static DWORD CALLBACK Collect(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG *done) {
        auto *bytes = reinterpret_cast<Bytes *>(cookie);
        bytes->data.insert(bytes->data.end(), buffer, buffer + size);
        *done = size;
        return 0;
    }
    static DWORD CALLBACK Deliver(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG *done) {
        auto *bytes = reinterpret_cast<Bytes *>(cookie);
        const size_t n = std::min<size_t>({size_t(size), size_t(bytes->piece), bytes->data.size() - bytes->readAt});
        std::copy_n(bytes->data.begin() + bytes->readAt, n, buffer);
        bytes->readAt += n;
        *done = LONG(n);
        return 0;
    }

    std::vector<unsigned char> StreamOut() {
        Bytes bytes;
        EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&bytes), 0, Collect};
        const LRESULT answer = Send(EM_STREAMOUT, SF_RICHINK, reinterpret_cast<LPARAM>(&es));
        EXPECT_EQ(answer, LRESULT(bytes.data.size()));
        return bytes.data;
    }

    // Answer of EM_STREAMIN and the error it left.
    std::pair<LRESULT, DWORD> StreamIn(std::vector<unsigned char> data, LONG piece = 1 << 20) {
        Bytes bytes{std::move(data), 0, piece};
        EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&bytes), 0, Deliver};
        const LRESULT answer = Send(EM_STREAMIN, SF_RICHINK, reinterpret_cast<LPARAM>(&es));
        return {answer, es.dwError};
    }

    std::vector<InkStroke> Strokes() {
        std::wstring text;
        std::vector<InkStroke> strokes;
        NoteView view;
        EXPECT_TRUE(ReadNote(StreamOut(), text, strokes, view)) << "the control wrote a stream it cannot read";
        return strokes;
    }

    // The control's picture, as it paints it from its back buffer.
    std::vector<COLORREF> Picture(int &width, int &height) {
        RECT rc;
        GetClientRect(ink_, &rc);
        width = rc.right;
        height = rc.bottom;
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void *bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
        std::vector<COLORREF> pixels(static_cast<COLORREF *>(bits), static_cast<COLORREF *>(bits) + width * height);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        return pixels;
    }

    static HWND parent_;
    HWND ink_ = nullptr;
};

HWND RichInkWindow::parent_ = nullptr;

TEST_F(RichInkWindow, TypedKeysEditTheText) {
    Type(L"hello\rworld");
    EXPECT_EQ(Text(), L"hello\r\nworld");
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 12);
    Send(WM_CHAR, L'\b');
    Send(WM_KEYDOWN, VK_HOME);
    Send(WM_KEYDOWN, VK_DELETE);
    EXPECT_EQ(Text(), L"hello\r\norl");
    Send(WM_KEYDOWN, VK_LEFT); // over the line break
    Send(WM_CHAR, L'!');
    EXPECT_EQ(Text(), L"hello!\r\norl");
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 6u);
    EXPECT_EQ(end, 6u);
    Send(EM_SETSEL, 0, 5);
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"bye"));
    EXPECT_EQ(Text(), L"bye!\r\norl");
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"one\ntwo"));
    EXPECT_EQ(Text(), L"one\r\ntwo");
}

TEST_F(RichInkWindow, TheCaretFollowsTyping) {
    SetFocus(ink_);
    ASSERT_EQ(GetFocus(), ink_);
    POINT before, after, below;
    GetCaretPos(&before);
    Type(L"abc");
    GetCaretPos(&after);
    EXPECT_GT(after.x, before.x);
    Send(WM_CHAR, L'\r');
    GetCaretPos(&below);
    EXPECT_GT(below.y, after.y);
    EXPECT_EQ(below.x, before.x);
}

TEST_F(RichInkWindow, LongTextWrapsAtTheWindowWidthUnlessWrappingIsOff) {
    Type(L"the quick brown fox jumps over the lazy dog and runs far away into the woods");
    Send(WM_KEYDOWN, VK_HOME);
    DWORD wrappedHome = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&wrappedHome), 0);
    EXPECT_GT(wrappedHome, 0u) << "the caret's row starts at the text's start: no wrap";
    Send(RIM_SETWRAP, 0);
    Send(EM_SETSEL, 70, 70);
    Send(WM_KEYDOWN, VK_HOME);
    DWORD home = 1;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&home), 0);
    EXPECT_EQ(home, 0u);
}

TEST_F(RichInkWindow, UndoAndRedoStepThroughTypingAndStrokes) {
    Send(RIM_SETINPUTMODE, RI_INPUT_DRAWING);
    EXPECT_FALSE(Send(EM_CANUNDO));
    Type(L"ab");
    Draw({{20, 100}, {60, 140}});
    EXPECT_TRUE(Send(EM_CANUNDO));
    Send(RIM_UNDO);
    EXPECT_EQ(Strokes().size(), 0u);
    EXPECT_EQ(Text(), L"ab");
    EXPECT_TRUE(Send(RIM_CANREDO));
    EXPECT_TRUE(Send(EM_UNDO));
    EXPECT_EQ(Text(), L"");
    Send(RIM_REDO);
    Send(RIM_REDO);
    EXPECT_EQ(Text(), L"ab");
    EXPECT_EQ(Strokes().size(), 1u);
    EXPECT_FALSE(Send(RIM_CANREDO));
    Send(RIM_CLEARALL);
    EXPECT_EQ(Text(), L"");
    EXPECT_EQ(Strokes().size(), 0u);
    EXPECT_FALSE(Send(EM_CANUNDO));
    EXPECT_FALSE(Send(RIM_CANREDO));
}

TEST_F(RichInkWindow, StrokesAreKeptAtZoom100) {
    Send(RIM_SETINPUTMODE, RI_INPUT_DRAWING);
    Send(RIM_SETZOOM, 0, 200);
    Draw({{40, 60}, {80, 100}, {120, 60}});
    const auto strokes = Strokes();
    ASSERT_EQ(strokes.size(), 1u);
    ASSERT_EQ(strokes[0].points.size(), 3u);
    EXPECT_EQ(strokes[0].points[0].x, 20);
    EXPECT_EQ(strokes[0].points[0].y, 30);
    EXPECT_EQ(strokes[0].points[2].x, 60);
}

TEST_F(RichInkWindow, ZoomPageStyleAndInputModeKeepTheirValues) {
    struct ZoomCase {
        LPARAM set;
        LRESULT expected;
    };
    for (const ZoomCase &c : {ZoomCase{150, 150}, {0, 100}, {75, 75}, {300, 300}, {500, 300}, {10, 75}}) {
        Send(RIM_SETZOOM, 0, c.set);
        EXPECT_EQ(Send(RIM_GETZOOM), c.expected) << "zoom set to " << c.set;
    }
    Send(RIM_SETPAGESTYLE, RI_PAGE_BLANK);
    Send(RIM_SETPAGESTYLE, 5); // not a style: ignored
    EXPECT_EQ(Send(RIM_GETPAGESTYLE), RI_PAGE_BLANK);
    Send(RIM_SETINPUTMODE, RI_INPUT_DRAWING);
    Send(RIM_SETINPUTMODE, 9);
    EXPECT_EQ(Send(RIM_GETINPUTMODE), RI_INPUT_DRAWING);
    Send(RIM_SETINPUTMODE, RI_INPUT_TYPING);
    EXPECT_EQ(Send(RIM_GETINPUTMODE), RI_INPUT_TYPING);
}

TEST_F(RichInkWindow, InTypingModeThePenWritesInkBesideTextAndSelectsOnIt) {
    Type(L"word");
    Draw({{150, 10}, {180, 15}}); // right of the text
    EXPECT_EQ(Strokes().size(), 1u);
    EXPECT_EQ(Text(), L"word");
    Draw({{5, 10}, {40, 10}}); // across the text
    EXPECT_EQ(Strokes().size(), 1u) << "a drag over text wrote ink";
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_GT(end, 0u);
    EXPECT_TRUE(Send(RIM_HASSELECTION));
}

TEST_F(RichInkWindow, EveryChangeSetsTheModifiedFlag) {
    EXPECT_FALSE(Send(EM_GETMODIFY));
    Type(L"a");
    EXPECT_TRUE(Send(EM_GETMODIFY));
    Send(EM_SETMODIFY, FALSE);
    Send(RIM_SETINPUTMODE, RI_INPUT_DRAWING);
    Draw({{30, 30}, {50, 50}});
    EXPECT_TRUE(Send(EM_GETMODIFY)) << "a stroke";
    Send(EM_SETMODIFY, FALSE);
    Send(RIM_SETZOOM, 0, 150);
    Send(EM_SETSEL, 0, 0);
    EXPECT_FALSE(Send(EM_GETMODIFY)) << "zoom and caret change nothing in the note";
    Send(RIM_SELECTALL);
    Send(WM_CLEAR);
    EXPECT_TRUE(Send(EM_GETMODIFY));
    EXPECT_EQ(Text(), L"");
    EXPECT_EQ(Strokes().size(), 0u) << "clear after select all leaves strokes";
}

TEST_F(RichInkWindow, CutCopyAndPasteGoThroughTheClipboard) {
    Type(L"copy me");
    Send(EM_SETSEL, 0, 4);
    Send(WM_COPY);
    EXPECT_EQ(testsupport::ClipboardText(), L"copy");
    Send(EM_SETSEL, 4, -1);
    Send(WM_CUT);
    EXPECT_EQ(testsupport::ClipboardText(), L" me");
    EXPECT_EQ(Text(), L"copy");
    ASSERT_TRUE(testsupport::PutOnClipboard(L"one\ntwo"));
    EXPECT_TRUE(Send(EM_CANPASTE));
    Send(WM_PASTE);
    EXPECT_EQ(Text(), L"copyone\r\ntwo");
    Send(RIM_UNDO);
    EXPECT_EQ(Text(), L"copy") << "a paste is one step";
}

TEST_F(RichInkWindow, AHugePasteIsCutToTheLimit) {
    ASSERT_TRUE(testsupport::PutOnClipboard(std::wstring(1500000, L'x').c_str()));
    Send(WM_PASTE);
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 1000000);
    Send(WM_CHAR, L'y');
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 1000000) << "typing past the limit";
}

TEST_F(RichInkWindow, AHeldPressAsksTheParentForTheEditMenu) {
    Send(RIM_SETINPUTMODE, RI_INPUT_DRAWING);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 60));
    Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(51, 61)); // a tremble, not a stroke
    Send(WM_TIMER, kHoldTimer);
    ASSERT_EQ(g_menus.size(), 1u);
    EXPECT_EQ(g_menus[0].hdr.code, UINT(RIN_EDITMENU));
    EXPECT_EQ(g_menus[0].hdr.hwndFrom, ink_);
    EXPECT_EQ(g_menus[0].hdr.idFrom, 7u);
    EXPECT_EQ(g_menus[0].pt.x, 50);
    EXPECT_EQ(g_menus[0].pt.y, 60);
    Send(WM_LBUTTONUP, 0, MAKELPARAM(51, 61));
    EXPECT_EQ(Strokes().size(), 0u) << "the held press left ink";

    Draw({{10, 10}, {60, 80}});
    Send(WM_TIMER, kHoldTimer); // late: the press has ended
    EXPECT_EQ(g_menus.size(), 1u);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(140, 140));
    Send(WM_TIMER, kHoldTimer);
    Send(WM_LBUTTONUP, 0, MAKELPARAM(140, 140));
    EXPECT_EQ(g_menus.size(), 1u) << "a moving stylus asked for the menu";

    Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ink_), -1);
    EXPECT_EQ(g_menus.size(), 2u) << "the menu key";
}

TEST_F(RichInkWindow, InkShowsInThePicture) {
    Send(RIM_SETINPUTMODE, RI_INPUT_DRAWING);
    Send(RIM_SETPAGESTYLE, RI_PAGE_BLANK);
    Draw({{20, 150}, {120, 150}, {200, 150}});
    int width = 0, height = 0;
    const auto pixels = Picture(width, height);
    ASSERT_EQ(pixels.size(), size_t(width * height));
    auto dark = [&](int x, int y) { return (pixels[y * width + x] & 0xFFFFFF) < 0x404040; };
    for (int x : {25, 60, 120, 190})
        EXPECT_TRUE(dark(x, 150)) << "no ink at " << x << ",150";
    for (POINT p : {POINT{60, 100}, POINT{60, 200}, POINT{5, 5}})
        EXPECT_FALSE(dark(p.x, p.y)) << "ink at " << p.x << "," << p.y;
}

TEST_F(RichInkWindow, StreamsReadBackThroughSmallPiecesAndBadOnesChangeNothing) {
    Type(L"saved text");
    Send(RIM_SETINPUTMODE, RI_INPUT_DRAWING);
    Draw({{30, 100}, {90, 130}});
    Send(RIM_SETZOOM, 0, 150);
    const auto saved = StreamOut();
    Send(RIM_CLEARALL);
    Send(RIM_SETZOOM, 0, 100);
    Send(RIM_SETINPUTMODE, RI_INPUT_TYPING);

    const auto loaded = StreamIn(saved, 3);
    EXPECT_EQ(loaded.first, LRESULT(saved.size()));
    EXPECT_EQ(Text(), L"saved text");
    EXPECT_EQ(Strokes().size(), 1u);
    EXPECT_EQ(Send(RIM_GETZOOM), 150);
    EXPECT_EQ(Send(RIM_GETINPUTMODE), RI_INPUT_DRAWING);
    EXPECT_FALSE(Send(EM_GETMODIFY));
    EXPECT_EQ(StreamOut(), saved);

    auto damaged = saved;
    damaged[damaged.size() / 2] ^= 0x10;
    const std::vector<std::vector<unsigned char>> bad = {
        damaged, std::vector<unsigned char>(saved.begin(), saved.end() - 1), {}, {'{', '\\', 'r', 't', 'f'}};
    for (const auto &stream : bad) {
        const auto refused = StreamIn(stream, 7);
        EXPECT_EQ(refused.first, 0);
        EXPECT_EQ(refused.second, DWORD(RI_E_BADSTREAM));
        EXPECT_EQ(Text(), L"saved text");
        EXPECT_EQ(Strokes().size(), 1u);
    }
}

// With the model beside the program, written ink becomes text in one step
// that undo takes back.
TEST_F(RichInkWindow, RecognitionTurnsInkIntoTextInOneUndoStep) {
    Draw({{150, 20}, {170, 30}});
    Send(RIM_RECOGNIZE);
    EXPECT_EQ(Strokes().size(), 0u) << "the recognised stroke stayed";
    EXPECT_NE(Text().find(L'-'), std::wstring::npos) << "a short line was not read as a dash";
    Send(RIM_UNDO);
    EXPECT_EQ(Strokes().size(), 1u) << "undo did not bring the ink back";
    EXPECT_EQ(Text(), L"");
}

} // namespace
