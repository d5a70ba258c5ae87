#include "ui/ListWnd.h"

#include <aygshell.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "BaseLib/Clock.h"
#include "ui/CellPainter.h"
#include "ui/Scaling.h"

const COLORREF CListWnd::kEditorColor = RGB(238, 232, 255);

namespace {

const int kDefaultRowUnits = 43;
const int kDefaultRowHighRes = 74;
const UINT kEditorId = 1001;

void SleepWait(DWORD milliseconds) { Sleep(milliseconds); }
CListWnd::WaitFunction gWait = SleepWait;

} // namespace

void CListWnd::SetWaitFunction(WaitFunction wait) { gWait = wait ? wait : SleepWait; }

void CListWnd::Wait(DWORD milliseconds) {
    if (milliseconds)
        gWait(milliseconds);
}

CListWnd::CListWnd()
    : base_(nullptr), states_(0), offset_(0), rowArea_(), pressedRow_(-1), pressedButton_(-1), editRow_(-1), pressPt_(),
      lastY_(0), unbanded_(0), captured_(false), dragging_(false), highlightTicks_(0), forcedHighlight_(false),
      drawEmptyArea_(false), fillingEditor_(false), background_(CreateSolidBrush(RGB(255, 255, 255))),
      area_(CreateSolidBrush(RGB(255, 255, 255))), editor_(nullptr) {}

CListWnd::~CListWnd() = default;

int CListWnd::DefaultRowHeight() { return Metrics().highRes ? kDefaultRowHighRes : ScaleY(kDefaultRowUnits); }

HWND CListWnd::Create(HWND parent, const RECT &rect, UINT childId) {
    HWND window = Wnd::Create(L"ListWnd", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, childId, true);
    if (!window)
        return nullptr;
    // A one-pixel line of the separator colour, stretched under a pulled-down
    // first row.
    ScreenDC screen;
    line_.Reset(CreateCompatibleBitmap(screen, 1, 1));
    {
        MemoryDC mem(screen);
        SelectedObject sel(mem, line_.get());
        SetPixel(mem, 0, 0, kCellSeparatorColor);
    }
    // The list takes the whole screen: no input panel over it. The request
    // means something only to the program's own main window.
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground && GetWindowThreadProcessId(foreground, &process) && process == GetCurrentProcessId())
        PostMessageW(foreground, UWM_LIST_INPUT_PANEL, 0, 0);
    UpdateGeometry();
    return window;
}

void CListWnd::SetItems(int count, const int *editableRows, int states) {
    EndEdit();
    KillTimer(hwnd_, kHighlightTimer);
    offset_ = 0;
    pressedRow_ = pressedButton_ = -1;
    dragging_ = false;
    forcedHighlight_ = false;
    highlightTicks_ = 0;
    ClearSpeed();
    int height = base_ ? base_->GetRowHeight() : -1;
    if (height <= 0)
        height = DefaultRowHeight();
    ResetRows(count, height);
    ResetButtons(RowCount());
    for (int row = 0; row < RowCount() && base_; ++row) {
        int n = 0;
        const RECT *rects = base_->GetItemButtons(row, &n);
        SetRowButtons(row, rects, n);
    }
    pressed_.assign(RowCount(), 0);
    editable_.assign(RowCount(), 0);
    if (editableRows) {
        if (!editor_ && hwnd_) {
            editor_ = CreateWindowExW(0, L"edit", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, hwnd_,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditorId)),
                                      GetModuleHandleW(nullptr), nullptr);
            editFont_.Reset(CreateFontW(CellFontHeight(9), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                        DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
            editBrush_.Reset(CreateSolidBrush(kEditorColor));
            if (editor_) {
                SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(editFont_.get()), FALSE);
                SendMessageW(editor_, EM_LIMITTEXT, kMaxEditChars, 0);
            }
        }
        for (const int *r = editableRows; *r != -1; ++r)
            if (ValidRow(*r))
                editable_[*r] = 1;
    }
    states_ = std::max(0, states);
    RebuildBuffers();
}

void CListWnd::SetColours(COLORREF background, COLORREF area) {
    background_.Reset(CreateSolidBrush(background));
    area_.Reset(CreateSolidBrush(area));
    Repaint();
}

void CListWnd::UpdateGeometry() {
    RECT client = {};
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    const int visible = client.bottom - client.top;
    SetBarGeometry(client, ContentHeight(), visible, offset_);
    rowArea_ = client;
    if (BarShown())
        rowArea_.right = std::max(rowArea_.left, rowArea_.right - BarWidth());
}

void CListWnd::MakeRowBuffer() {
    int height = 1;
    for (int row = 0; row < RowCount(); ++row)
        height = std::max(height, RowHeight(row));
    height = std::max(height, DefaultRowHeight());
    const int width = std::max(1, RowWidth());
    if (rowBuffer_.Dc() && width == rowBuffer_.Width() && height == rowBuffer_.Height())
        return;
    rowBuffer_.Make(nullptr, width, height);
}

void CListWnd::RebuildBuffers() {
    if (!hwnd_)
        return;
    RebuildBackBuffer();
    UpdateGeometry();
    MakeRowBuffer();
    if (base_)
        base_->PrepareRows(this, states_, nullptr);
    Repaint();
}

int CListWnd::MaxOffset() const {
    RECT client = {};
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    return std::max(0, ContentHeight() - static_cast<int>(client.bottom - client.top));
}

void CListWnd::SetOffset(int offset) {
    offset_ = std::max(0, std::min(offset, MaxOffset()));
    UpdateGeometry();
    Repaint();
}

RECT CListWnd::RowRect(int row) const {
    RECT rc = {};
    if (!ValidRow(row))
        return rc;
    rc.left = rowArea_.left;
    rc.right = rowArea_.right;
    rc.top = RowTop(row) - offset_;
    rc.bottom = rc.top + RowHeight(row);
    return rc;
}

int CListWnd::RowAt(POINT pt) const {
    if (!PtInRect(&rowArea_, pt))
        return -1;
    return RowAtContent(pt.y + offset_);
}

void CListWnd::RepaintRow(int row) {
    if (!hwnd_ || !ValidRow(row))
        return;
    RECT rc = RowRect(row);
    InvalidateRect(hwnd_, &rc, FALSE);
    UpdateWindow(hwnd_);
}

void CListWnd::Repaint() {
    if (!hwnd_)
        return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

// Draws what intersects the update rectangle into the back buffer.
void CListWnd::Render(const RECT &update) {
    HDC dc = BackDC();
    if (!dc)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int width = RowWidth();
    if (offset_ < 0) {
        // Pulled down past the top: the gap, its lower edge lined.
        RECT gap = {rowArea_.left, 0, rowArea_.right, -offset_};
        FillRect(dc, &gap, background_.get());
        MemoryDC mem(dc);
        SelectedObject sel(mem, line_.get());
        StretchBlt(dc, gap.left, gap.bottom - 1, width, 1, mem, 0, 0, 1, 1, SRCCOPY);
    }
    int first = RowAtContent(std::max(0, offset_));
    if (first < 0)
        first = RowCount();
    RECT unused;
    for (int row = first; row < RowCount(); ++row) {
        RECT rc = RowRect(row);
        if (rc.top >= client.bottom)
            break;
        if (!IntersectRect(&unused, &rc, &update))
            continue;
        RECT local = {0, 0, width, RowHeight(row)};
        if (rowBuffer_.Dc() && base_) {
            base_->DrawItem(this, rowBuffer_.Dc(), row, local, pressed_[row] && HighlightDue(), PressedButton(row));
            BitBlt(dc, rc.left, rc.top, width, rc.bottom - rc.top, rowBuffer_.Dc(), 0, 0, SRCCOPY);
        }
    }
    // Below the last row.
    RECT below = rowArea_;
    below.top = std::max<LONG>(std::max(0, -offset_), ContentHeight() - offset_);
    if (below.top < below.bottom && IntersectRect(&unused, &below, &update)) {
        FillRect(dc, &below, area_.get());
        if (drawEmptyArea_ && RowCount() > 0 && base_) {
            base_->DrawItem(this, dc, -1, below, false, -1);
        }
    }
    PaintBar(dc);
}

void CListWnd::OnButtonDown(POINT pt) {
    if (BarShown() && PtInRect(&BarRect(), pt)) {
        EndEdit();
        BarPress(hwnd_, pt);
        return;
    }
    SetCapture(hwnd_);
    captured_ = true;
    if (editRow_ >= 0) {
        RECT rc = RowRect(editRow_);
        if (!PtInRect(&rc, pt))
            EndEdit();
    }
    pressPt_ = pt;
    lastY_ = pt.y;
    dragging_ = false;
    unbanded_ = Unband(offset_);
    StartSamples(Clock::TickCount(), offset_);
    const int row = RowAt(pt);
    if (row < 0)
        return;
    highlightTicks_ = 0;
    forcedHighlight_ = false;
    SetTimer(hwnd_, kHighlightTimer, kHighlightInterval, nullptr);
    pressedRow_ = row;
    pressed_[row] = 1;
    const RECT rc = RowRect(row);
    const POINT inRow = {pt.x - rc.left, pt.y - rc.top};
    pressedButton_ = ButtonAt(row, inRow);
    if (pressedButton_ >= 0)
        SetButtonPressed(row, pressedButton_, true);
    RepaintRow(row);
    if (editable_[row] && editRow_ != row)
        BeginEdit(row);
}

void CListWnd::OnHighlightTimer() {
    ++highlightTicks_;
    if (highlightTicks_ >= kHighlightTicks || pressedRow_ < 0) {
        KillTimer(hwnd_, kHighlightTimer);
        RepaintRow(pressedRow_);
    }
}

void CListWnd::ReleasePressedRow() {
    if (!ValidRow(pressedRow_)) {
        pressedRow_ = pressedButton_ = -1;
        return;
    }
    const int row = pressedRow_;
    pressed_[row] = 0;
    ReleaseButtons(row);
    pressedRow_ = pressedButton_ = -1;
    RepaintRow(row);
}

void CListWnd::StartDrag() {
    dragging_ = true;
    KillTimer(hwnd_, kHighlightTimer);
    ReleasePressedRow();
    EndEdit();
}

int CListWnd::Band(int position) const {
    const int max = MaxOffset();
    if (position < 0)
        return position / 2;
    if (position > max)
        return max + (position - max) / 2;
    return position;
}

int CListWnd::Unband(int offset) const {
    const int max = MaxOffset();
    if (offset < 0)
        return offset * 2;
    if (offset > max)
        return max + (offset - max) * 2;
    return offset;
}

void CListWnd::OnMouseMove(POINT pt) {
    if (BarTracking()) {
        BarMove(hwnd_, pt);
        return;
    }
    if (!captured_)
        return;
    if (!dragging_) {
        if (std::abs(pt.y - pressPt_.y) <= ScaleY(kDragUnits) && std::abs(pt.x - pressPt_.x) <= ScaleX(kDragUnits))
            return;
        StartDrag();
    }
    unbanded_ -= pt.y - lastY_;
    lastY_ = pt.y;
    offset_ = Band(unbanded_);
    Sample(Clock::TickCount(), offset_);
    UpdateGeometry();
    Repaint();
}

void CListWnd::FlushStylus() {
    MSG msg;
    while (PeekMessageW(&msg, hwnd_, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

void CListWnd::OnButtonUp(POINT pt) {
    if (BarTracking()) {
        BarRelease(hwnd_);
        return;
    }
    if (!captured_)
        return;
    captured_ = false;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    KillTimer(hwnd_, kHighlightTimer);
    if (offset_ < 0)
        PostMessageW(hwnd_, UWM_LIST_BOUNCE_TOP, 0, 0);
    else if (offset_ > MaxOffset())
        PostMessageW(hwnd_, UWM_LIST_BOUNCE_END, 0, 0);

    if (dragging_) {
        dragging_ = false;
        if (std::abs(FinalSpeed(Clock::TickCount(), offset_)) >= kMinFlickSpeed)
            PostMessageW(hwnd_, UWM_LIST_FLICK, 0, 0);
        return;
    }
    if (!ValidRow(pressedRow_))
        return;
    const int row = pressedRow_;
    if (!HighlightDue()) {
        // A quick tap still shows its highlight for a moment.
        forcedHighlight_ = true;
        RepaintRow(row);
        Wait(kTapHoldMs);
    }
    const int heldButton = pressedButton_;
    pressed_[row] = 0;
    pressedRow_ = pressedButton_ = -1;
    RepaintRow(row);
    if (RowAt(pt) == row) {
        const RECT rc = RowRect(row);
        const POINT inRow = {pt.x - rc.left, pt.y - rc.top};
        const int button = ButtonAt(row, inRow);
        if (heldButton >= 0) {
            ReleaseButtons(row);
            if (button == heldButton)
                Repaint();
        }
        if (base_)
            base_->OnItemClick(this, row, pt, button);
    } else {
        ReleaseButtons(row);
        RepaintRow(row);
    }
    // One tap, one click: stylus messages queued meanwhile are dropped.
    if (hwnd_)
        FlushStylus();
}

void CListWnd::OnCancelMode() {
    if (BarTracking())
        BarRelease(hwnd_);
    captured_ = false;
    dragging_ = false;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    KillTimer(hwnd_, kHighlightTimer);
    ReleasePressedRow();
}

bool CListWnd::PendingPress() const {
    MSG msg;
    return PeekMessageW(&msg, hwnd_, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE | PM_NOYIELD) != 0;
}

// One frame: moves the offset towards target by the eased step, never past it.
void CListWnd::StepTowards(int target, int a, int b) {
    const int distance = std::abs(target - offset_);
    const int step = std::max(1, ScaleY((a + distance * b) / 10000));
    offset_ = target > offset_ ? std::min(target, offset_ + step) : std::max(target, offset_ - step);
}

void CListWnd::Flick() {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int height = client.bottom - client.top;
    const int limit = ScaleY(kMaxFlickUnits);
    const int speed = std::max(-limit, std::min(limit, Speed()));
    ClearSpeed();
    // Never more than two thirds of the window beyond either end.
    const int low = -height * 2 / 3;
    const int high = MaxOffset() + height * 2 / 3;
    const int target = std::max(low, std::min(high, offset_ + speed));
    while (offset_ != target) {
        if (PendingPress())
            break;
        const DWORD start = Clock::TickCount();
        StepTowards(target, kFlickA, kFlickB);
        UpdateGeometry();
        Repaint();
        if (speed > 0) {
            const DWORD spent = Clock::TickCount() - start;
            if (spent < kFlickFrameMs)
                Wait(kFlickFrameMs - spent);
        }
    }
    if (offset_ < 0)
        PostMessageW(hwnd_, UWM_LIST_BOUNCE_TOP, 0, 0);
    else if (offset_ > MaxOffset())
        PostMessageW(hwnd_, UWM_LIST_BOUNCE_END, 0, 0);
}

void CListWnd::Bounce(bool toTop) {
    const int final = toTop ? 0 : MaxOffset();
    // Only an offset beyond that end bounces back.
    if (toTop ? offset_ >= 0 : offset_ <= final)
        return;
    while (offset_ != final) {
        if (PendingPress()) {
            offset_ = final;
            break;
        }
        StepTowards(final, kBounceA, kBounceB);
        UpdateGeometry();
        Repaint();
    }
    UpdateGeometry();
    Repaint();
}

void CListWnd::OnKeyDown(WPARAM key, LPARAM lParam) {
    switch (key) {
    case VK_UP:
    case VK_DOWN:
        if (MaxOffset() > 0) // the rows overflow the window
            SetOffset(offset_ + (key == VK_UP ? -DefaultRowHeight() : DefaultRowHeight()));
        return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_RETURN:
        return;
    default:
        if (HWND parent = GetParent(hwnd_))
            SendMessageW(parent, WM_KEYDOWN, key, lParam);
    }
}

void CListWnd::OnVScroll(WORD code, WORD position) {
    EndEdit();
    RECT client;
    GetClientRect(hwnd_, &client);
    const int page = client.bottom - client.top;
    switch (code) {
    case SB_LINEUP:
        SetOffset(offset_ - DefaultRowHeight());
        break;
    case SB_LINEDOWN:
        SetOffset(offset_ + DefaultRowHeight());
        break;
    case SB_PAGEUP:
        SetOffset(offset_ - page);
        break;
    case SB_PAGEDOWN:
        SetOffset(offset_ + page);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        SetOffset(position);
        break;
    case SB_TOP:
        SetOffset(0);
        break;
    case SB_BOTTOM:
        SetOffset(MaxOffset());
        break;
    default:
        break;
    }
}

void CListWnd::ScrollToThumb(HWND, int position) {
    EndEdit();
    SetOffset(position);
}

void CListWnd::BeginEdit(int row) {
    if (!editor_ || !ValidRow(row))
        return;
    EndEdit();
    Str text;
    RECT rc = RowRect(row);
    InflateRect(&rc, -ScaleX(5), 0);
    if (base_)
        base_->GetEditText(row, &text, &rc);
    fillingEditor_ = true;
    SetWindowTextW(editor_, text);
    fillingEditor_ = false;
    editRow_ = row;
    MoveWindow(editor_, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    ShowWindow(editor_, SW_SHOW);
    SetFocus(editor_);
    SendMessageW(editor_, EM_SETSEL, 0, -1);
    SHSipPreference(hwnd_, SIP_UP);
}

void CListWnd::EndEdit() {
    if (editRow_ < 0 || !editor_)
        return;
    const int row = editRow_;
    editRow_ = -1;
    wchar_t buffer[kMaxEditChars + 1] = {};
    GetWindowTextW(editor_, buffer, kMaxEditChars + 1);
    if (base_)
        base_->SetEditText(row, Str(buffer));
    MoveWindow(editor_, 0, 0, 0, 0, FALSE);
    ShowWindow(editor_, SW_HIDE);
    Repaint();
}

void CListWnd::OnEditorCommand(WPARAM wParam) {
    if (LOWORD(wParam) != kEditorId || HIWORD(wParam) != EN_CHANGE || fillingEditor_ || editRow_ < 0)
        return;
    wchar_t buffer[kMaxEditChars + 1] = {};
    GetWindowTextW(editor_, buffer, kMaxEditChars + 1);
    if (base_)
        base_->SetEditText(editRow_, Str(buffer));
}

LRESULT CListWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_PAINT: {
        // Rows are drawn into the back buffer when they show, where the
        // window is invalid; the base class then copies the buffer.
        RECT update;
        if (GetUpdateRect(hwnd, &update, FALSE))
            Render(update);
        break;
    }
    case WM_SIZE:
        offset_ = std::max(0, std::min(offset_, MaxOffset()));
        UpdateGeometry();
        MakeRowBuffer();
        break; // the base class makes the back buffer anew and invalidates the window
    case WM_LBUTTONDOWN:
        OnButtonDown(pt);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(pt);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(pt);
        return 0;
    case WM_CANCELMODE:
        OnCancelMode();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd && (captured_ || BarTracking()))
            OnCancelMode();
        return 0;
    case WM_TIMER:
        if (wParam == kHighlightTimer)
            OnHighlightTimer();
        else if (wParam == kRepeatTimer)
            BarRepeat(hwnd);
        return 0;
    case UWM_LIST_FLICK:
        Flick();
        return 0;
    case UWM_LIST_BOUNCE_TOP:
    case UWM_LIST_BOUNCE_END:
        Bounce(msg == UWM_LIST_BOUNCE_TOP);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_COMMAND:
        OnEditorCommand(wParam);
        return 0;
    case WM_CTLCOLOREDIT:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(editBrush_.get());
    case WM_DESTROY:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        KillTimer(hwnd, kHighlightTimer);
        KillTimer(hwnd, kRepeatTimer);
        editor_ = nullptr; // destroyed with this window
        editRow_ = -1;
        break;
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}
