#include "RichInkWnd.h"

#include <windowsx.h>

#include <algorithm>
#include <cwchar>

#include "InkRecognizer.h"
#include "richink.h"

extern "C" IMAGE_DOS_HEADER __ImageBase; // this DLL's module, for its window class

namespace richink {

namespace {

const UINT_PTR kHoldTimer = 1;
const UINT kHoldMs = 600;         // a press held this long without moving asks for the edit menu
const int kHoldSlop = 3;          // pixels a held stylus may wander and still be holding
const size_t kMaxPaste = 1000000; // characters taken from the clipboard; the rest is left out

// Reads the whole stream through the callback, in whatever pieces it
// delivers; false when the callback fails or the stream is too long to be a note.
bool ReadAll(EDITSTREAM &stream, std::vector<unsigned char> &bytes) {
    unsigned char piece[4096];
    while (true) {
        LONG got = 0;
        DWORD error = stream.pfnCallback(stream.dwCookie, piece, sizeof piece, &got);
        if (error != 0) {
            stream.dwError = error;
            return false;
        }
        if (got <= 0)
            return true;
        if (got > LONG(sizeof piece) || bytes.size() + size_t(got) > kMaxStreamBytes)
            return false;
        bytes.insert(bytes.end(), piece, piece + got);
    }
}

} // namespace

RichInkWnd::RichInkWnd(HWND hwnd) : hwnd_(hwnd) {
    HDC screen = GetDC(nullptr);
    dpi_ = std::max(96, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
}

LRESULT CALLBACK RichInkWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto *self = reinterpret_cast<RichInkWnd *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = new RichInkWnd(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete self;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->OnMessage(msg, wParam, lParam);
}

LRESULT RichInkWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        MakeFont();
        Relayout();
        return 0;
    case WM_SIZE:
        Relayout();
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers everything
    case WM_PAINT:
        Paint();
        return 0;
    case WM_PRINTCLIENT:
        PrintClient(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETFOCUS:
        focused_ = true;
        UpdateCaret();
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        DestroyCaret();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_CHAR:
        OnChar(wchar_t(wParam));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(UINT(wParam));
        return DefWindowProcW(hwnd_, msg, wParam, lParam); // the menu key becomes WM_CONTEXTMENU
    case WM_LBUTTONDOWN:
        OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (wParam & MK_SHIFT) != 0);
        return 0;
    case WM_MOUSEMOVE:
        OnPointerMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd_)
            OnButtonUp(); // capture taken away: keep what was written
        return 0;
    case WM_TIMER:
        if (wParam == kHoldTimer)
            OnHoldTimer();
        return 0;
    case WM_CONTEXTMENU: {
        POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (lParam == -1)
            pt = CaretPoint(); // from the keyboard: at the caret
        else
            ScreenToClient(hwnd_, &pt);
        RequestEditMenu(pt);
        return 0;
    }
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(scrollY_ - GET_WHEEL_DELTA_WPARAM(wParam) * 3 * LinePitch() / WHEEL_DELTA);
        return 0;

    case WM_GETTEXTLENGTH:
        return LRESULT(doc_.Text().size());
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return 0;
        const size_t n = std::min(doc_.Text().size(), size_t(wParam) - 1);
        auto *out = reinterpret_cast<wchar_t *>(lParam);
        doc_.Text().copy(out, n);
        out[n] = L'\0';
        return LRESULT(n);
    }
    case WM_SETTEXT: {
        const auto *text = reinterpret_cast<const wchar_t *>(lParam);
        doc_.SetText(text ? std::wstring(text, wcsnlen(text, kMaxTextLength + 1)) : std::wstring());
        Changed();
        return TRUE;
    }
    case WM_COPY:
        Copy();
        return 0;
    case WM_CUT:
        Copy();
        if (doc_.DeleteSelection())
            Changed();
        return 0;
    case WM_PASTE:
        Paste();
        return 0;
    case WM_CLEAR:
        if (doc_.DeleteSelection())
            Changed();
        return 0;
    case EM_GETSEL: {
        const DWORD start = DWORD(doc_.SelectionStart()), end = DWORD(doc_.SelectionEnd());
        if (wParam)
            *reinterpret_cast<DWORD *>(wParam) = start;
        if (lParam)
            *reinterpret_cast<DWORD *>(lParam) = end;
        return (start > 0xFFFF || end > 0xFFFF) ? -1 : MAKELRESULT(start, end);
    }
    case EM_SETSEL: {
        // As in an edit control: start -1 removes the selection, end -1 is the end.
        const size_t length = doc_.Text().size();
        if (int(wParam) == -1) {
            doc_.SetSelection(doc_.Caret(), doc_.Caret());
        } else {
            const size_t start = std::min(size_t(int(wParam) < 0 ? length : wParam), length);
            const size_t end = int(lParam) < 0 ? length : std::min(size_t(lParam), length);
            doc_.SetSelection(start, end);
        }
        doc_.ClearStrokeSelection();
        Changed(0);
        return 0;
    }
    case EM_REPLACESEL: {
        const auto *text = reinterpret_cast<const wchar_t *>(lParam);
        if (text && doc_.ReplaceSelection(std::wstring(text, wcsnlen(text, kMaxTextLength + 1))))
            Changed();
        return 0;
    }
    case EM_CANUNDO:
        return doc_.CanUndo();
    case EM_UNDO:
    case RIM_UNDO:
        if (!doc_.Undo())
            return msg == EM_UNDO ? FALSE : 0;
        Changed();
        return msg == EM_UNDO ? TRUE : 0;
    case EM_CANPASTE:
        return IsClipboardFormatAvailable(CF_UNICODETEXT);
    case EM_GETMODIFY:
        return doc_.Modified();
    case EM_SETMODIFY:
        doc_.SetModified(wParam != 0);
        return 0;
    case EM_STREAMIN:
        return StreamIn(wParam, reinterpret_cast<EDITSTREAM *>(lParam));
    case EM_STREAMOUT:
        return StreamOut(wParam, reinterpret_cast<EDITSTREAM *>(lParam));

    case RIM_SELECTALL:
        doc_.SelectAll();
        Changed(0);
        return 0;
    case RIM_HASSELECTION:
        return doc_.HasSelection();
    case RIM_REDO:
        if (doc_.Redo())
            Changed();
        return 0;
    case RIM_CANREDO:
        return doc_.CanRedo();
    case RIM_RECOGNIZE:
        Recognize();
        return 0;
    case RIM_SETVIEW:
        if (wParam == 2) {
            doc_.SetSelection(0, 0);
            doc_.ClearStrokeSelection();
            ScrollTo(0);
            UpdateCaret();
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
        return 0;
    case RIM_SETWRAP:
        view_.wrap = wParam != 0;
        Changed();
        return 0;
    case RIM_SETPENTIP:
    case RIM_SETINKCOLOR:
        return 0; // round tips and black ink are all the control draws
    case RIM_SETPAGESTYLE:
        if (wParam == RI_PAGE_BLANK || wParam == RI_PAGE_LINED) {
            view_.pageStyle = int(wParam);
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
        return 0;
    case RIM_GETPAGESTYLE:
        return view_.pageStyle;
    case RIM_SETINPUTMODE:
        if (wParam == RI_INPUT_DRAWING || wParam == RI_INPUT_TYPING)
            view_.inputMode = int(wParam);
        return 0;
    case RIM_GETINPUTMODE:
        return view_.inputMode;
    case RIM_GETZOOM:
        return view_.zoom;
    case RIM_SETZOOM:
        SetZoom(lParam == 0 ? 100 : int(std::min<LPARAM>(std::max<LPARAM>(lParam, kMinZoom), kMaxZoom)));
        return 0;
    case RIM_SHOWSELECTION:
        ScrollIntoView();
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case RIM_CLEARALL:
        CancelPress();
        doc_.Reset(std::wstring(), {});
        scrollY_ = 0;
        Changed();
        return 0;
    case RIM_SETPARAM:
        if (wParam == RI_PARAM_PAGEEXTRA) {
            view_.pageExtra = int(std::min<LPARAM>(std::max<LPARAM>(lParam, 0), kMaxPageExtra));
            UpdateScrollBar();
        } else if (wParam == RI_PARAM_PENWIDTH) {
            view_.penWidth = int(std::min<LPARAM>(std::max<LPARAM>(lParam, kMinPenWidth), kMaxPenWidth));
        }
        return 0;
    case RIM_RELAYOUT:
        if (wParam == 1)
            Changed();
        return 0;
    default:
        return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

void RichInkWnd::Changed(size_t fromRow) {
    const size_t rowsBefore = layout_.Rows().size();
    Relayout();
    if (fromRow == size_t(-1) || layout_.Rows().size() != rowsBefore || fromRow >= layout_.Rows().size()) {
        InvalidateRect(hwnd_, nullptr, FALSE);
    } else {
        RECT rc;
        GetClientRect(hwnd_, &rc);
        rc.top = std::max<LONG>(0, LONG(fromRow) * LinePitch() - scrollY_);
        InvalidateRect(hwnd_, &rc, FALSE);
    }
    UpdateCaret();
}

void RichInkWnd::OnChar(wchar_t ch) {
    switch (ch) {
    case 1: // Ctrl+A
        SendMessageW(hwnd_, RIM_SELECTALL, 0, 0);
        return;
    case 3: // Ctrl+C
        Copy();
        return;
    case 22: // Ctrl+V
        Paste();
        return;
    case 24: // Ctrl+X
        SendMessageW(hwnd_, WM_CUT, 0, 0);
        return;
    case 25: // Ctrl+Y
        SendMessageW(hwnd_, RIM_REDO, 0, 0);
        return;
    case 26: // Ctrl+Z
        SendMessageW(hwnd_, RIM_UNDO, 0, 0);
        return;
    case L'\b': {
        const size_t row = layout_.RowOf(doc_.Caret());
        if (doc_.DeleteBackward())
            Changed(row > 0 ? row - 1 : 0);
        return;
    }
    default:
        break;
    }
    if (ch != L'\r' && ch != L'\t' && (ch < 0x20 || ch == 0x7F))
        return;
    const size_t row = layout_.RowOf(doc_.SelectionStart());
    doc_.ClearStrokeSelection();
    if (!doc_.Type(ch)) {
        MessageBeep(MB_OK); // the note is full
        return;
    }
    preferredX_ = -1;
    Changed(row > 0 ? row - 1 : 0); // a word may move up to the row before
    ScrollIntoView();
}

void RichInkWnd::OnKeyDown(UINT vk) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const size_t caret = doc_.Caret();
    const size_t row = layout_.RowOf(caret);
    const auto &rows = layout_.Rows();
    switch (vk) {
    case VK_LEFT:
        MoveCaret(doc_.HasTextSelection() && !shift ? doc_.SelectionStart() : doc_.PreviousPosition(caret), shift);
        break;
    case VK_RIGHT:
        MoveCaret(doc_.HasTextSelection() && !shift ? doc_.SelectionEnd() : doc_.NextPosition(caret), shift);
        break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        if (preferredX_ < 0)
            preferredX_ = layout_.XOf(caret);
        const size_t page = std::max(1, ClientHeight() / LinePitch());
        const size_t step = (vk == VK_PRIOR || vk == VK_NEXT) ? page : 1;
        const bool up = vk == VK_UP || vk == VK_PRIOR;
        const size_t target = up ? (row > step ? row - step : 0) : std::min(row + step, rows.size() - 1);
        const int x = preferredX_;
        MoveCaret(layout_.PositionAt(target, x), shift);
        preferredX_ = x;
        return;
    }
    case VK_HOME:
        MoveCaret(control ? 0 : rows[row].start, shift);
        break;
    case VK_END: {
        // The end of a wrapped row is the next row's start: stop before its last space.
        size_t end = rows[row].end;
        if (rows[row].wrapped && end > rows[row].start && doc_.Text()[end - 1] == L' ')
            --end;
        MoveCaret(control ? doc_.Text().size() : end, shift);
        break;
    }
    case VK_DELETE:
        if (doc_.DeleteForward())
            Changed(row > 0 ? row - 1 : 0);
        break;
    default:
        return;
    }
    preferredX_ = -1;
}

void RichInkWnd::MoveCaret(size_t pos, bool extend) {
    const size_t before = std::min(layout_.RowOf(doc_.SelectionStart()), layout_.RowOf(pos));
    const bool strokesSelected = !doc_.SelectedStrokes().empty();
    doc_.SetSelection(extend ? doc_.Anchor() : pos, pos);
    doc_.ClearStrokeSelection();
    Changed(strokesSelected ? size_t(-1) : before);
    ScrollIntoView();
}

void RichInkWnd::OnButtonDown(POINT pt, bool extend) {
    SetFocus(hwnd_);
    SetCapture(hwnd_);
    pressPoint_ = pt;
    holding_ = true;
    SetTimer(hwnd_, kHoldTimer, kHoldMs, nullptr);
    // What the press would undo of the selection waits until it is known not
    // to be a hold, so that the edit menu still finds the selection.
    pressKeepsSelection_ = true;
    if (view_.inputMode == RI_INPUT_TYPING && OnText(pt)) {
        // On typed text the stylus places the caret and drags a selection.
        press_ = Press::kSelect;
        const size_t pos = PositionAt(pt);
        const bool inSelection = doc_.HasTextSelection() && pos >= doc_.SelectionStart() && pos < doc_.SelectionEnd();
        if (extend || !inSelection) {
            MoveCaret(pos, extend);
            pressKeepsSelection_ = false;
        }
        return;
    }
    press_ = Press::kInk;
    current_ = InkStroke();
    current_.penWidth = view_.penWidth;
    current_.points.push_back(ToPage(pt));
    current_.UpdateBounds();
    InvalidateStroke(current_);
}

// The press is a tap or a drag, not a hold: it takes the selection's place.
void RichInkWnd::EndSelectionKeptByPress() {
    if (!pressKeepsSelection_)
        return;
    pressKeepsSelection_ = false;
    if (press_ == Press::kSelect) {
        MoveCaret(PositionAt(pressPoint_), false);
    } else if (!doc_.SelectedStrokes().empty()) {
        doc_.ClearStrokeSelection();
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

void RichInkWnd::OnPointerMove(POINT pt) {
    if (press_ == Press::kNone)
        return;
    if (holding_ && (std::abs(pt.x - pressPoint_.x) > kHoldSlop || std::abs(pt.y - pressPoint_.y) > kHoldSlop)) {
        holding_ = false;
        KillTimer(hwnd_, kHoldTimer);
        EndSelectionKeptByPress();
    }
    if (press_ == Press::kSelect) {
        if (holding_)
            return;
        doc_.SetSelection(doc_.Anchor(), PositionAt(pt));
        // Strokes under the dragged rectangle join the selection.
        const POINT a = ToPage(pressPoint_), b = ToPage(pt);
        const RECT area = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
        for (size_t i = 0; i < doc_.Strokes().size(); ++i) {
            const RECT &r = doc_.Strokes()[i].bounds;
            doc_.SelectStroke(i, r.left <= area.right && r.right >= area.left && r.top <= area.bottom &&
                                     r.bottom >= area.top);
        }
        InvalidateRect(hwnd_, nullptr, FALSE);
        UpdateCaret();
        return;
    }
    const POINT p = ToPage(pt);
    const POINT &last = current_.points.back();
    if ((p.x == last.x && p.y == last.y) || current_.points.size() >= kMaxStrokePoints)
        return;
    InkStroke segment;
    segment.penWidth = current_.penWidth;
    segment.points = {last, p};
    segment.UpdateBounds();
    current_.points.push_back(p);
    current_.bounds = RECT{std::min(current_.bounds.left, p.x), std::min(current_.bounds.top, p.y),
                           std::max(current_.bounds.right, p.x), std::max(current_.bounds.bottom, p.y)};
    InvalidateStroke(segment);
}

void RichInkWnd::OnButtonUp() {
    KillTimer(hwnd_, kHoldTimer);
    holding_ = false;
    EndSelectionKeptByPress();
    const Press press = press_;
    press_ = Press::kNone; // before the capture goes: its loss comes back here
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    if (press != Press::kInk)
        return;
    InkStroke stroke = std::move(current_);
    current_ = InkStroke();
    if (doc_.AddStroke(stroke)) {
        InvalidateStroke(doc_.Strokes().back());
        UpdateScrollBar();
    } else {
        InvalidateStroke(stroke); // the note holds no more ink
        MessageBeep(MB_OK);
    }
}

void RichInkWnd::OnHoldTimer() {
    KillTimer(hwnd_, kHoldTimer);
    if (press_ == Press::kNone || !holding_)
        return;
    CancelPress(); // the press asked for the menu: it writes nothing
    RequestEditMenu(pressPoint_);
}

void RichInkWnd::CancelPress() {
    KillTimer(hwnd_, kHoldTimer);
    holding_ = false;
    pressKeepsSelection_ = false;
    if (press_ == Press::kInk)
        InvalidateStroke(current_);
    current_ = InkStroke();
    press_ = Press::kNone;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
}

void RichInkWnd::RequestEditMenu(POINT pt) {
    NMRICHINKMENU nm = {};
    nm.hdr.hwndFrom = hwnd_;
    nm.hdr.idFrom = UINT_PTR(GetDlgCtrlID(hwnd_));
    nm.hdr.code = RIN_EDITMENU;
    nm.pt = pt;
    if (HWND parent = GetParent(hwnd_))
        SendMessageW(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void RichInkWnd::Copy() {
    if (!doc_.HasTextSelection() || !OpenClipboard(hwnd_))
        return;
    const size_t start = doc_.SelectionStart(), length = doc_.SelectionEnd() - start;
    EmptyClipboard();
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (length + 1) * sizeof(wchar_t))) {
        auto *out = static_cast<wchar_t *>(GlobalLock(block));
        doc_.Text().copy(out, length, start);
        out[length] = L'\0';
        GlobalUnlock(block);
        if (!SetClipboardData(CF_UNICODETEXT, block))
            GlobalFree(block); // not taken by the clipboard: still ours
    }
    CloseClipboard();
}

void RichInkWnd::Paste() {
    if (!OpenClipboard(hwnd_))
        return;
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        // The block's size bounds the search for the end: its text need not be terminated.
        const size_t units = GlobalSize(data) / sizeof(wchar_t);
        if (const auto *p = static_cast<const wchar_t *>(GlobalLock(data))) {
            text.assign(p, wcsnlen(p, std::min(units, kMaxPaste)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (text.empty())
        return;
    const size_t row = layout_.RowOf(doc_.SelectionStart());
    if (doc_.ReplaceSelection(text)) {
        Changed(row > 0 ? row - 1 : 0);
        ScrollIntoView();
    }
}

void RichInkWnd::Recognize() {
    std::vector<size_t> which = doc_.SelectedStrokes();
    if (which.empty())
        for (size_t i = 0; i < doc_.Strokes().size(); ++i)
            which.push_back(i);
    std::vector<size_t> recognised;
    doc_.BeginStep();
    for (const std::vector<size_t> &line : GroupIntoLines(doc_.Strokes(), which)) {
        std::vector<ink::Stroke> strokes;
        RECT area = doc_.Strokes()[line[0]].bounds;
        for (size_t i : line) {
            const InkStroke &s = doc_.Strokes()[i];
            strokes.push_back(ink::Stroke{s.points});
            area.top = std::min(area.top, s.bounds.top);
            area.bottom = std::max(area.bottom, s.bounds.bottom);
        }
        std::wstring text = ink::RecognizeLine(strokes);
        if (text.empty())
            continue;
        // The text goes where the line was written: into the row under it,
        // after the characters left of it; below the text, new lines lead to it.
        const int y = (area.top + area.bottom) / 2 * Shown() / 100;
        const size_t row = size_t(std::max(0, y / LinePitch()));
        size_t pos;
        if (row < layout_.Rows().size()) {
            pos = layout_.PositionAt(row, area.left * Shown() / 100 - Margin());
        } else {
            pos = doc_.Text().size();
            std::wstring breaks;
            for (size_t r = layout_.Rows().size(); r <= row; ++r)
                breaks += L"\r\n";
            text = breaks + text;
        }
        const std::wstring &all = doc_.Text();
        if (pos > 0 && all[pos - 1] != L' ' && all[pos - 1] != L'\n' && text[0] != L'\r')
            text = L" " + text;
        if (pos < all.size() && all[pos] != L' ' && all[pos] != L'\r')
            text += L' ';
        doc_.InsertText(pos, text);
        Relayout();
        recognised.insert(recognised.end(), line.begin(), line.end());
    }
    std::sort(recognised.rbegin(), recognised.rend());
    for (size_t i : recognised)
        doc_.RemoveStroke(i);
    doc_.EndStep();
    if (!recognised.empty())
        Changed();
}

LRESULT RichInkWnd::StreamIn(WPARAM format, EDITSTREAM *stream) {
    if (!stream || !stream->pfnCallback || format != SF_RICHINK)
        return 0;
    std::vector<unsigned char> bytes;
    std::wstring text;
    std::vector<InkStroke> strokes;
    NoteView view;
    if (!ReadAll(*stream, bytes) || !ReadNote(bytes, text, strokes, view)) {
        if (stream->dwError == 0)
            stream->dwError = RI_E_BADSTREAM;
        return 0;
    }
    CancelPress();
    doc_.Reset(std::move(text), std::move(strokes));
    const int zoom = view.zoom;
    view.zoom = view_.zoom; // SetZoom remakes the font when it changes
    view_ = view;
    scrollY_ = 0;
    SetZoom(zoom);
    Changed();
    return LRESULT(bytes.size());
}

LRESULT RichInkWnd::StreamOut(WPARAM format, EDITSTREAM *stream) {
    if (!stream || !stream->pfnCallback || format != SF_RICHINK)
        return 0;
    std::vector<unsigned char> bytes = WriteNote(doc_.Text(), doc_.Strokes(), view_);
    size_t done = 0;
    while (done < bytes.size()) {
        LONG wrote = 0;
        const LONG piece = LONG(std::min<size_t>(bytes.size() - done, 65536));
        DWORD error = stream->pfnCallback(stream->dwCookie, bytes.data() + done, piece, &wrote);
        if (error != 0 || wrote <= 0 || wrote > piece) {
            stream->dwError = error != 0 ? error : DWORD(RI_E_BADSTREAM);
            break;
        }
        done += size_t(wrote);
    }
    return LRESULT(done);
}

void RichInkWnd::SetZoom(int zoom) {
    if (zoom == view_.zoom)
        return;
    // Keep the same part of the page at the top.
    scrollY_ = int(LONGLONG(scrollY_) * zoom / view_.zoom);
    view_.zoom = zoom;
    MakeFont();
    Changed();
}

} // namespace richink

RICHINK_API void WINAPI InitRichInkDLL(void) {
    WNDCLASSW wc = {};
    wc.style = CS_GLOBALCLASS; // made by the programs, whose instance is not this DLL's
    wc.lpfnWndProc = richink::RichInkWnd::WindowProc;
    wc.hInstance = reinterpret_cast<HINSTANCE>(&__ImageBase);
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.lpszClassName = WC_RICHINKW;
    RegisterClassW(&wc); // a second call finds the class there already
}
