#include "calc/LCD.h"

#include "calc/DisplayText.h"
#include "resource.h"
#include "ui/Drawing.h"
#include "ui/Scaling.h"

namespace {

const COLORREF kNumberColor = RGB(15, 34, 108);

struct PictureIds {
    UINT normal, highRes;
};

const PictureIds kSignPictures[CMyLCD::kSignCount] = {
    {IDB_CALC_SIGN_MEMORY, IDB_CALC_SIGN_MEMORY_HI}, {IDB_CALC_SIGN_PLUS, IDB_CALC_SIGN_PLUS_HI},
    {IDB_CALC_SIGN_MINUS, IDB_CALC_SIGN_MINUS_HI},   {IDB_CALC_SIGN_TIMES, IDB_CALC_SIGN_TIMES_HI},
    {IDB_CALC_SIGN_DIVIDE, IDB_CALC_SIGN_DIVIDE_HI}, {IDB_CALC_SIGN_PERCENT, IDB_CALC_SIGN_PERCENT_HI},
};

bool LoadPicture(Bitmap &target, const PictureIds &ids) {
    target.Reset(LoadProgramBitmap(PickBitmap(ids.normal, ids.highRes)));
    return static_cast<bool>(target);
}

// Draws a picture with its transparent parts left out.
void DrawTransparent(HDC dc, HBITMAP picture, int x, int y) {
    const SIZE size = BitmapSize(picture);
    if (size.cx <= 0)
        return;
    MemoryDC src(dc);
    SelectedObject sel(src, picture);
    TransparentBlt(dc, x, y, size.cx, size.cy, src, 0, 0, size.cx, size.cy, kTransparentKey);
}

} // namespace

CMyLCD::CMyLCD() : separator_(L'.'), memorySign_(false), operatorSign_(-1), fullSize_(false), changedCount_(0) {
    lstrcpynW(shownText_, L"0", kTextSize);
    paintedText_[0] = 0;
}

CMyLCD::~CMyLCD() = default;

HWND CMyLCD::CreateLCD(HWND parent, const RECT &rect, UINT childId) {
    // The compact font until the first layout gives the display its size.
    font_.Reset(ui::CreatePointFont(L"Tahoma", 10, FW_NORMAL));
    HWND window = Create(L"LCDWnd", WS_CHILD | WS_VISIBLE, rect, parent, childId, true);
    if (!window)
        return nullptr;
    LoadPictures();
    Redraw();
    return window;
}

void CMyLCD::SetFullSize() {
    if (fullSize_)
        return;
    fullSize_ = true;
    font_.Reset(ui::CreatePointFont(L"Tahoma", 12, FW_SEMIBOLD));
}

bool CMyLCD::LoadPictures() {
    frame_.Free();
    if (!LoadPicture(frameLeft_, {IDB_CALC_LCD_LEFT, IDB_CALC_LCD_LEFT_HI}) ||
        !LoadPicture(frameMiddle_, {IDB_CALC_LCD_MIDDLE, IDB_CALC_LCD_MIDDLE_HI}) ||
        !LoadPicture(frameRight_, {IDB_CALC_LCD_RIGHT, IDB_CALC_LCD_RIGHT_HI}))
        return false;
    for (int i = 0; i < kSignCount; ++i) {
        if (!LoadPicture(signs_[i], kSignPictures[i]))
            return false;
    }
    return true;
}

void CMyLCD::SetMemorySign(bool on) {
    if (on == memorySign_)
        return;
    memorySign_ = on;
    MarkChanged(MemorySignPlace());
}

void CMyLCD::SetOperatorSign(int sign) {
    if (sign == operatorSign_)
        return;
    // The old sign's place is cleared, the new one's drawn.
    RECT both;
    const RECT before = OperatorSignPlace(operatorSign_);
    const RECT after = OperatorSignPlace(sign);
    UnionRect(&both, &before, &after);
    operatorSign_ = sign;
    MarkChanged(both);
}

void CMyLCD::SetText(const wchar_t *text) {
    const Str trimmed = TrimFraction(text ? text : L"", separator_);
    lstrcpynW(shownText_, trimmed, kTextSize);
    const Str grouped = GroupDigits(shownText_, separator_);
    if (lstrcmpW(grouped, paintedText_) != 0) {
        lstrcpynW(paintedText_, grouped, kTextSize * 2);
        MarkChanged(NumberBox());
    }
    RepaintChanged();
}

void CMyLCD::MarkChanged(const RECT &part) {
    if (IsRectEmpty(&part))
        return;
    if (changedCount_ == kMaxChanged) {
        // Not expected (one part per kind); merge rather than drop.
        UnionRect(&changed_[kMaxChanged - 1], &changed_[kMaxChanged - 1], &part);
        return;
    }
    changed_[changedCount_++] = part;
}

// Without a back buffer (no window yet) there is nothing to keep up to
// date: the whole picture is painted when the window gets one.
void CMyLCD::RepaintChanged() {
    const int count = changedCount_;
    changedCount_ = 0;
    if (!hwnd_ || !HasBackBuffer())
        return;
    for (int i = 0; i < count; ++i) {
        PaintPart(BackDC(), changed_[i]);
        InvalidateRect(hwnd_, &changed_[i], FALSE);
    }
}

RECT CMyLCD::NumberBox() const {
    RECT client = {};
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    return RECT{client.left + ScaleX(14), client.top + ScaleY(1), client.right - ScaleX(5), client.bottom - ScaleY(2)};
}

RECT CMyLCD::MemorySignPlace() const {
    const SIZE size = BitmapSize(signs_[0].get());
    const int x = ScaleX(7), y = ScaleY(1);
    return RECT{x, y, x + size.cx, y + size.cy};
}

// The root (5) has no picture: after it the sign area stays empty.
RECT CMyLCD::OperatorSignPlace(int sign) const {
    if (sign < 0 || sign > 4)
        return RECT{};
    RECT client = {};
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    const SIZE size = BitmapSize(signs_[1 + sign].get());
    const int x = ScaleX(5), y = client.bottom - ScaleY(2) - size.cy;
    return RECT{x, y, x + size.cx, y + size.cy};
}

LRESULT CMyLCD::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (drag_.OnMessage(hwnd, msg, lParam))
        return 0;
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CMyLCD::Paint(HDC dc, const RECT &client) {
    const Str grouped = GroupDigits(shownText_, separator_);
    lstrcpynW(paintedText_, grouped, kTextSize * 2);
    changedCount_ = 0; // all of it is painted now
    PaintPart(dc, client);
}

// The frame comes from the composed picture; the signs and the number are
// drawn over it, clipped to the part, so that a part painted alone has the
// same pixels as in a picture painted whole.
void CMyLCD::PaintPart(HDC dc, const RECT &part) {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    if (MakeFrame(client)) {
        BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, frame_.Dc(), part.left,
               part.top, SRCCOPY);
    } else {
        FillSolid(dc, client, kScreenColor);
        DrawFrame(dc, client);
    }
    DrawSigns(dc);
    DrawNumber(dc);
    RestoreDC(dc, saved);
}

bool CMyLCD::MakeFrame(const RECT &client) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (frame_.Dc() && frame_.Width() == width && frame_.Height() == height)
        return true;
    if (width <= 0 || height <= 0 || !frame_.Make(hwnd_, width, height))
        return false;
    FillSolid(frame_.Dc(), client, kScreenColor);
    DrawFrame(frame_.Dc(), client);
    return true;
}

// Left end, right end, and the middle stretched between them, all the
// height of the window.
void CMyLCD::DrawFrame(HDC dc, const RECT &client) {
    const int leftWidth = BitmapSize(frameLeft_.get()).cx;
    const int rightWidth = BitmapSize(frameRight_.get()).cx;
    const RECT left = {0, 0, leftWidth, client.bottom};
    const RECT middle = {leftWidth, 0, client.right - rightWidth, client.bottom};
    const RECT right = {client.right - rightWidth, 0, client.right, client.bottom};
    ui::DrawBitmap(dc, frameMiddle_.get(), middle);
    ui::DrawBitmap(dc, frameLeft_.get(), left);
    ui::DrawBitmap(dc, frameRight_.get(), right);
}

void CMyLCD::DrawSigns(HDC dc) {
    if (memorySign_) {
        const RECT place = MemorySignPlace();
        DrawTransparent(dc, signs_[0].get(), place.left, place.top);
    }
    const RECT place = OperatorSignPlace(operatorSign_);
    if (!IsRectEmpty(&place))
        DrawTransparent(dc, signs_[1 + operatorSign_].get(), place.left, place.top);
}

void CMyLCD::DrawNumber(HDC dc) {
    RECT box = NumberBox();
    SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kNumberColor);
    DrawTextW(dc, paintedText_, -1, &box, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
