// The page of the ink control: metrics at the zoom, layout, scrolling, the
// caret and the picture. Sizes are given at zoom 100 and scaled.
#include <algorithm>

#include "RichInkWnd.h"
#include "richink.h"

namespace richink {

namespace {

const int kLinePitch = 20;  // distance of the page's lines
const int kFontHeight = 13; // character height of the typed text
const int kMargin = 4;      // left of the text
const int kPenWidth = 3;    // a pen at 100 percent
const COLORREF kInk = RGB(0, 0, 0);
const COLORREF kRule = RGB(170, 200, 235);
const COLORREF kStrokeHighlight = RGB(150, 190, 255); // under selected strokes

int Scale(int value, int zoom) { return int(LONGLONG(value) * zoom / 100); }

// Pens made once per picture, one per width and colour.
class PenCache {
public:
    HPEN Get(int width, COLORREF colour) {
        for (Entry &e : pens_)
            if (e.width == width && e.colour == colour)
                return e.pen.Get();
        LOGBRUSH lb = {BS_SOLID, colour, 0};
        pens_.push_back(Entry{width, colour,
                              Pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, DWORD(width),
                                               &lb, 0, nullptr))});
        return pens_.back().pen.Get();
    }

private:
    struct Entry {
        int width;
        COLORREF colour;
        Pen pen;
    };
    std::vector<Entry> pens_;
};

// A stroke's points on the screen: joined with round ends, a dot for a tap,
// over a wider highlight when the stroke is selected.
void DrawStroke(HDC dc, const std::vector<POINT> &points, int width, bool selected, PenCache &pens) {
    auto draw = [&](int w, COLORREF colour) {
        if (points.size() == 1) {
            // A line of no length may draw nothing.
            Brush brush(CreateSolidBrush(colour));
            Selection b(dc, brush.Get());
            Selection p(dc, GetStockObject(NULL_PEN));
            const int r = std::max(1, w / 2);
            Ellipse(dc, points[0].x - r, points[0].y - r, points[0].x + r + 1, points[0].y + r + 1);
            return;
        }
        Selection p(dc, pens.Get(w, colour));
        Polyline(dc, points.data(), int(points.size()));
    };
    if (selected)
        draw(width + 4, kStrokeHighlight);
    draw(width, kInk);
}

} // namespace

void RichInkWnd::MakeFont() {
    LOGFONTW lf = {};
    lf.lfHeight = -std::max(1, Scale(kFontHeight, Shown()));
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
    font_.Reset(CreateFontIndirectW(&lf));
    charWidths_.assign(0x10000, -1);
    fontHeight_ = -lf.lfHeight;
    HDC dc = GetDC(hwnd_);
    {
        Selection font(dc, font_.Get());
        TEXTMETRICW tm;
        if (GetTextMetricsW(dc, &tm))
            fontHeight_ = tm.tmHeight;
    }
    ReleaseDC(hwnd_, dc);
}

void RichInkWnd::Relayout() {
    // Measure every character not measured yet, with one device context.
    const std::wstring &text = doc_.Text();
    std::vector<wchar_t> unmeasured;
    for (wchar_t c : text) {
        if (charWidths_[c] == -1) {
            charWidths_[c] = -2; // listed
            unmeasured.push_back(c);
        }
    }
    if (!unmeasured.empty()) {
        HDC dc = GetDC(hwnd_);
        {
            Selection font(dc, font_.Get());
            for (wchar_t c : unmeasured) {
                const bool surrogate = c >= 0xD800 && c <= 0xDFFF; // half of a character each
                const wchar_t measured = c == L'\t' ? L' ' : surrogate ? L'M' : c;
                INT w = 0;
                GetCharWidth32W(dc, measured, measured, &w);
                charWidths_[c] = c == L'\t' ? 4 * w : surrogate ? (w + 1) / 2 : w;
            }
        }
        ReleaseDC(hwnd_, dc);
    }
    RECT rc;
    GetClientRect(hwnd_, &rc);
    const int wrapWidth = view_.wrap ? std::max(1, int(rc.right) - 2 * Margin()) : 0;
    layout_.Build(text, wrapWidth, [this](wchar_t c) { return charWidths_[c]; });
    UpdateScrollBar();
}

int RichInkWnd::LinePitch() const { return std::max(1, Scale(kLinePitch, Shown())); }

int RichInkWnd::Margin() const { return Scale(kMargin, Shown()); }

int RichInkWnd::ClientHeight() const {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    return rc.bottom;
}

int RichInkWnd::ContentHeight() const {
    LONG inkBottom = 0;
    for (const InkStroke &s : doc_.Strokes())
        inkBottom = std::max(inkBottom, s.bounds.bottom);
    const int ink = Scale(inkBottom, Shown()) + PenPixels(kMaxPenWidth);
    const int text = int(layout_.Rows().size()) * LinePitch();
    return std::max(ink, text) + Scale(view_.pageExtra, Shown());
}

void RichInkWnd::UpdateScrollBar() {
    const int content = ContentHeight(), page = ClientHeight();
    scrollY_ = std::max(0, std::min(scrollY_, content - page));
    SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, content - 1, UINT(std::max(0, page)), scrollY_, 0};
    // Setting the bar repaints it: only when something changed.
    if (si.nMax == scrollBar_.nMax && si.nPage == scrollBar_.nPage && si.nPos == scrollBar_.nPos)
        return;
    scrollBar_ = si;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
}

void RichInkWnd::ScrollTo(int y) {
    y = std::max(0, std::min(y, ContentHeight() - ClientHeight()));
    if (y == scrollY_)
        return;
    scrollY_ = y;
    UpdateScrollBar();
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateCaret();
}

void RichInkWnd::OnVScroll(int code) {
    const int page = std::max(LinePitch(), ClientHeight() - LinePitch());
    SCROLLINFO si = {sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    switch (code) {
    case SB_LINEUP:
        ScrollTo(scrollY_ - LinePitch());
        break;
    case SB_LINEDOWN:
        ScrollTo(scrollY_ + LinePitch());
        break;
    case SB_PAGEUP:
        ScrollTo(scrollY_ - page);
        break;
    case SB_PAGEDOWN:
        ScrollTo(scrollY_ + page);
        break;
    case SB_TOP:
        ScrollTo(0);
        break;
    case SB_BOTTOM:
        ScrollTo(ContentHeight());
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        if (GetScrollInfo(hwnd_, SB_VERT, &si))
            ScrollTo(si.nTrackPos);
        break;
    default:
        break;
    }
}

void RichInkWnd::ScrollIntoView() {
    const int top = int(layout_.RowOf(doc_.Caret())) * LinePitch();
    if (top < scrollY_)
        ScrollTo(top);
    else if (top + LinePitch() > scrollY_ + ClientHeight())
        ScrollTo(top + LinePitch() - ClientHeight());
}

POINT RichInkWnd::CaretPoint() const {
    const size_t row = layout_.RowOf(doc_.Caret());
    return POINT{Margin() + layout_.XOf(doc_.Caret()),
                 int(row) * LinePitch() - scrollY_ + std::max(0, LinePitch() - fontHeight_ - 1)};
}

void RichInkWnd::UpdateCaret() {
    if (!focused_)
        return;
    // Made anew each time: its height follows the zoom.
    CreateCaret(hwnd_, nullptr, std::max(2, Scale(2, Shown())), fontHeight_);
    const POINT p = CaretPoint();
    SetCaretPos(p.x, p.y);
    ShowCaret(hwnd_);
}

size_t RichInkWnd::PositionAt(POINT pt) const {
    const int y = pt.y + scrollY_;
    const size_t row = y < 0 ? 0 : std::min(size_t(y / LinePitch()), layout_.Rows().size() - 1);
    return layout_.PositionAt(row, pt.x - Margin());
}

bool RichInkWnd::OnText(POINT pt) const {
    const int y = pt.y + scrollY_;
    if (y < 0)
        return false;
    const size_t row = size_t(y / LinePitch());
    return row < layout_.Rows().size() && pt.x - Margin() < layout_.RowWidth(row);
}

POINT RichInkWnd::ToPage(POINT client) const {
    auto page = [&](LONGLONG v) {
        return LONG(std::min<LONGLONG>(std::max<LONGLONG>(v * 100 / Shown(), 0), kMaxCoordinate));
    };
    return POINT{page(client.x), page(LONGLONG(client.y) + scrollY_)};
}

int RichInkWnd::PenPixels(int penWidth) const {
    return std::max(1, int((LONGLONG(kPenWidth) * penWidth * Shown() + 5000) / 10000));
}

RECT RichInkWnd::ToClient(const RECT &page, int penWidth) const {
    const int reach = PenPixels(penWidth) / 2 + 3; // the pen's half width, the highlight and rounding
    return RECT{Scale(page.left, Shown()) - reach, Scale(page.top, Shown()) - scrollY_ - reach,
                Scale(page.right, Shown()) + reach + 1, Scale(page.bottom, Shown()) - scrollY_ + reach + 1};
}

void RichInkWnd::InvalidateStroke(const InkStroke &stroke) {
    const RECT rc = ToClient(stroke.bounds, stroke.penWidth);
    InvalidateRect(hwnd_, &rc, FALSE);
}

void RichInkWnd::Render(HDC dc, const RECT &clip) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    FillRect(dc, &clip, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (view_.pageStyle == RI_PAGE_LINED)
        PaintRules(dc, clip);
    PaintText(dc, clip);
    PenCache pens;
    std::vector<POINT> points;
    auto paint = [&](const InkStroke &s) {
        RECT area = ToClient(s.bounds, s.penWidth), visible;
        if (s.points.empty() || !IntersectRect(&visible, &area, &clip))
            return;
        points.resize(s.points.size());
        for (size_t i = 0; i < points.size(); ++i)
            points[i] = POINT{Scale(s.points[i].x, Shown()), Scale(s.points[i].y, Shown()) - scrollY_};
        DrawStroke(dc, points, PenPixels(s.penWidth), s.selected, pens);
    };
    for (const InkStroke &s : doc_.Strokes())
        paint(s);
    if (press_ == Press::kInk)
        paint(current_);
    RestoreDC(dc, saved);
}

void RichInkWnd::PaintRules(HDC dc, const RECT &clip) {
    Pen pen(CreatePen(PS_SOLID, 1, kRule));
    Selection selected(dc, pen.Get());
    const int pitch = LinePitch();
    for (int row = std::max(0, int(clip.top) + scrollY_) / pitch;; ++row) {
        const int y = (row + 1) * pitch - 1 - scrollY_;
        if (y >= clip.bottom)
            break;
        MoveToEx(dc, clip.left, y, nullptr);
        LineTo(dc, clip.right, y);
    }
}

void RichInkWnd::PaintText(HDC dc, const RECT &clip) {
    const auto &rows = layout_.Rows();
    const std::wstring &text = doc_.Text();
    const int pitch = LinePitch(), margin = Margin();
    const int textTop = std::max(0, pitch - fontHeight_ - 1);
    const size_t selStart = doc_.SelectionStart(), selEnd = doc_.SelectionEnd();
    Selection font(dc, font_.Get());
    SetBkMode(dc, TRANSPARENT);
    std::wstring shown;
    std::vector<INT> dx;
    const size_t first = size_t(std::max(0, int(clip.top) + scrollY_) / pitch);
    for (size_t r = first; r < rows.size(); ++r) {
        const int top = int(r) * pitch - scrollY_;
        if (top >= clip.bottom)
            break;
        const TextRow &row = rows[r];
        shown.assign(text, row.start, row.end - row.start);
        std::replace(shown.begin(), shown.end(), L'\t', L' ');
        dx.clear();
        for (size_t p = row.start; p < row.end; ++p)
            dx.push_back(layout_.XOf(p + 1) - layout_.XOf(p));
        SetTextColor(dc, kInk);
        ExtTextOutW(dc, margin, top + textTop, 0, nullptr, shown.data(), UINT(shown.size()), dx.data());
        // The selected part: highlighted, with a little more when it runs on past a line break.
        const size_t a = std::max(selStart, row.start), b = std::min(selEnd, row.end);
        const bool runsOn = selEnd > row.end && selStart <= row.end;
        if (a < b || (runsOn && a <= b)) {
            const int left = margin + layout_.XOf(a);
            const int right = margin + layout_.XOf(b) + (runsOn ? std::max(2, pitch / 4) : 0);
            RECT box = {left, top, right, top + pitch - 1};
            FillRect(dc, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            ExtTextOutW(dc, left, top + textTop, 0, nullptr, shown.data() + (a - row.start), UINT(b - a),
                        dx.data() + (a - row.start));
        }
    }
}

void RichInkWnd::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    if (buffer_.Fit(hwnd_, rc.right, rc.bottom)) {
        Render(buffer_.Dc(), ps.rcPaint);
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, buffer_.Dc(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    } else {
        Render(dc, ps.rcPaint); // no memory for a buffer: draw straight on
    }
    EndPaint(hwnd_, &ps);
}

void RichInkWnd::PrintClient(HDC dc) {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    if (!buffer_.Fit(hwnd_, rc.right, rc.bottom))
        return;
    Render(buffer_.Dc(), rc);
    BitBlt(dc, 0, 0, rc.right, rc.bottom, buffer_.Dc(), 0, 0, SRCCOPY);
}

} // namespace richink
