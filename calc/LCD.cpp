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

CMyLCD::CMyLCD() : separator_(L'.'), memorySign_(false), operatorSign_(-1), fullSize_(false) {
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

void CMyLCD::SetText(const wchar_t *text) {
    const Str trimmed = TrimFraction(text ? text : L"", separator_);
    lstrcpynW(shownText_, trimmed, kTextSize);
    Redraw();
}

LRESULT CMyLCD::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (drag_.OnMessage(hwnd, msg, lParam))
        return 0;
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CMyLCD::Paint(HDC dc, const RECT &client) {
    const Str grouped = GroupDigits(shownText_, separator_);
    lstrcpynW(paintedText_, grouped, kTextSize * 2);
    FillSolid(dc, client, kScreenColor);
    DrawFrame(dc, client);
    DrawSigns(dc, client);
    DrawNumber(dc, client);
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

void CMyLCD::DrawSigns(HDC dc, const RECT &client) {
    if (memorySign_)
        DrawTransparent(dc, signs_[0].get(), ScaleX(7), ScaleY(1));
    // The root has no picture: after it the sign area stays empty.
    if (operatorSign_ >= 0 && operatorSign_ <= 4) {
        HBITMAP sign = signs_[1 + operatorSign_].get();
        const int height = BitmapSize(sign).cy;
        DrawTransparent(dc, sign, ScaleX(5), client.bottom - ScaleY(2) - height);
    }
}

void CMyLCD::DrawNumber(HDC dc, const RECT &client) {
    RECT box = {client.left + ScaleX(14), client.top + ScaleY(1), client.right - ScaleX(5), client.bottom - ScaleY(2)};
    SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kNumberColor);
    DrawTextW(dc, paintedText_, -1, &box, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
