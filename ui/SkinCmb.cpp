#include "ui/SkinCmb.h"

#include "ui/Drawing.h"

namespace {

// Text starts this far right of the left cap and ends this far before the
// right cap.
const int kTextLeftGap = 4;
const int kTextRightGap = 2;

} // namespace

CMySkinCmb::CMySkinCmb()
    : owner_(nullptr), childId_(0), style_(kStyleTwoLooks), press_(PressTracker::SlideOff::kGiveUp), bold_(false),
      current_(0) {}

CMySkinCmb::~CMySkinCmb() {
    list_.reset();
    press_.Cancel(GetHwnd());
}

HWND CMySkinCmb::CreateSelector(HWND owner, const RECT &rect, UINT childId) {
    if (GetHwnd())
        return GetHwnd();
    owner_ = owner;
    childId_ = childId;
    if (!Create(L"SkinCmbWnd", WS_CHILD | WS_CLIPSIBLINGS, rect, owner, childId, true))
        return nullptr;
    font_.Reset(ui::CreatePointFont(L"Arial", 9, bold_ ? 600 : 400));
    Redraw();
    return GetHwnd();
}

void CMySkinCmb::SetBitmaps(UINT leftId, UINT middleId, UINT rightId, Style style) {
    left_.Reset(LoadProgramBitmap(leftId));
    middle_.Reset(LoadProgramBitmap(middleId));
    right_.Reset(LoadProgramBitmap(rightId));
    style_ = style;
    Redraw();
}

void CMySkinCmb::SetEntries(const wchar_t *const *entries, int count, int current) {
    entries_.clear();
    for (int i = 0; i < count; ++i)
        entries_.push_back(Str(entries[i]).Prefix(kMaxEntryLength));
    current_ = current;
    if (IsListOpen())
        list_->SetEntries(entries_.data(), Count(), current_);
    Redraw();
}

void CMySkinCmb::SetBold(bool bold) {
    bold_ = bold;
    if (GetHwnd())
        font_.Reset(ui::CreatePointFont(L"Arial", 9, bold_ ? 600 : 400));
    Redraw();
}

const wchar_t *CMySkinCmb::Entry(int index) const {
    return index >= 0 && index < Count() ? entries_[index].Text() : nullptr;
}

bool CMySkinCmb::IsListOpen() const { return list_ && ui::IsShown(list_->ListWindow()); }

bool CMySkinCmb::CloseList() {
    if (!IsListOpen())
        return false;
    ShowWindow(list_->ListWindow(), SW_HIDE);
    return true;
}

void CMySkinCmb::FitListToOwner() {
    if (!IsListOpen() || !owner_)
        return;
    RECT area;
    GetClientRect(owner_, &area);
    MoveWindow(list_->ListWindow(), area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

ISkinCmbList *CMySkinCmb::MakeDropDownList(HWND, const RECT &) { return nullptr; }

// A tap tells the owner and opens the list; sliding off the selector gives
// the press up.
LRESULT CMySkinCmb::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (press_.OnMessage(*this, msg, lParam)) {
    case PressTracker::Result::kTapped:
        if (owner_)
            SendMessageW(owner_, UWM_POPUP_SET, childId_, 0);
        OpenList();
        return 0;
    case PressTracker::Result::kHandled:
        return 0;
    case PressTracker::Result::kNotStylus:
        break;
    }
    switch (msg) {
    case UWM_LIST_CHOSEN:
        OnSelect(static_cast<int>(wParam));
        return 0;
    case WM_KEYDOWN:
        if (IsListOpen())
            return SendMessageW(list_->ListWindow(), msg, wParam, lParam);
        break;
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CMySkinCmb::OnSelect(int index) {
    current_ = index;
    if (owner_)
        SendMessageW(owner_, UWM_LIST_CHOSEN, childId_, index);
    Redraw();
}

void CMySkinCmb::OpenList() {
    if (!owner_)
        return;
    RECT area;
    GetClientRect(owner_, &area);
    if (!list_) {
        SendMessageW(owner_, UWM_LIST_OPENED, 0, childId_);
        list_.reset(MakeDropDownList(owner_, area));
        if (!list_)
            return;
    }
    list_->SetEntries(entries_.data(), Count(), current_);
    SetWindowPos(list_->ListWindow(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_SHOWWINDOW);
}

void CMySkinCmb::Paint(HDC dc, const RECT &client) {
    FillSolid(dc, client, kControlColor);
    // The look's part of a picture: with two looks, the left or right half.
    const bool twoLooks = style_ == kStyleTwoLooks;
    auto part = [&](HBITMAP bitmap, int *srcX) {
        const int width = BitmapSize(bitmap).cx;
        const int look = twoLooks ? width / 2 : width;
        *srcX = twoLooks && press_.Pressed() ? width - look : 0;
        return look;
    };
    int leftX, middleX, rightX;
    const int leftWidth = part(left_.get(), &leftX);
    const int middleWidth = part(middle_.get(), &middleX);
    const int rightWidth = part(right_.get(), &rightX);
    ui::DrawBitmapPart(dc, left_.get(), RECT{0, 0, leftWidth, client.bottom}, leftX, leftWidth);
    ui::DrawBitmapPart(dc, middle_.get(), RECT{leftWidth, 0, client.right - rightWidth, client.bottom}, middleX,
                       middleWidth);
    ui::DrawBitmapPart(dc, right_.get(), RECT{client.right - rightWidth, 0, client.right, client.bottom}, rightX,
                       rightWidth);

    // An index that names no entry shows no text.
    const wchar_t *text = Entry(current_);
    if (!text)
        return;
    RECT rc = {leftWidth + kTextLeftGap, 0, client.right - rightWidth - kTextRightGap, client.bottom};
    SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextColor);
    DrawTextW(dc, text, -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}
