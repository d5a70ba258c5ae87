#include "convert/Edit.h"

#include <windowsx.h>

#include "BaseLib/Clock.h"
#include "BaseLib/Locale.h"
#include "calc/DisplayText.h"
#include "convert/ConvMessages.h"
#include "convert/Conversion.h"
#include "convert/DigitPad.h"
#include "convert/FieldKeys.h"
#include "resource.h"
#include "ui/Drawing.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

// A private message the field posts itself to free a pad that finished.
const UINT kFreeFinishedPad = WM_APP + 21;

const COLORREF kFocusTextColor = RGB(0, 0, 0);
const int kFrameUnits = 31;
const int kTextGapUnits = 4;

const UINT kFramePictures[3][3][2] = {
    {{IDB_CONV_FIELD_LEFT, IDB_CONV_FIELD_LEFT_HI},
     {IDB_CONV_FIELD_MIDDLE, IDB_CONV_FIELD_MIDDLE_HI},
     {IDB_CONV_FIELD_RIGHT, IDB_CONV_FIELD_RIGHT_HI}},
    {{IDB_CONV_FIELD_FOCUS_LEFT, IDB_CONV_FIELD_FOCUS_LEFT_HI},
     {IDB_CONV_FIELD_FOCUS_MIDDLE, IDB_CONV_FIELD_FOCUS_MIDDLE_HI},
     {IDB_CONV_FIELD_FOCUS_RIGHT, IDB_CONV_FIELD_FOCUS_RIGHT_HI}},
    {{IDB_CONV_PAD_FIELD_LEFT, IDB_CONV_PAD_FIELD_LEFT_HI},
     {IDB_CONV_PAD_FIELD_MIDDLE, IDB_CONV_PAD_FIELD_MIDDLE_HI},
     {IDB_CONV_PAD_FIELD_RIGHT, IDB_CONV_PAD_FIELD_RIGHT_HI}},
};

} // namespace

CMyEdit::CMyEdit(HWND owner, bool opensPad, bool padArtwork, const DWORD *feedbackVibro)
    : owner_(owner), fieldId_(0), opensPad_(opensPad), padArtwork_(padArtwork), focused_(false), value_(L"0"),
      feedbackVibro_(feedbackVibro), pressTime_(0) {}

CMyEdit::~CMyEdit() {
    // The pads are children of the owner, not of this window.
    finishedPad_.reset();
    pad_.reset();
}

HWND CMyEdit::CreateField(const RECT &rect, UINT fieldId) {
    fieldId_ = fieldId;
    // The pad's field always wears the pad's frame; a converter field has a
    // normal and a focus look.
    for (int look = 0; look < 2; ++look) {
        const int set = padArtwork_ ? 2 : look;
        for (int part = 0; part < 3; ++part)
            frame_[look][part].Reset(
                LoadProgramBitmap(PickBitmap(kFramePictures[set][part][0], kFramePictures[set][part][1])));
    }
    font_.Reset(ui::CreatePointFont(L"Arial", 11, FW_NORMAL));
    if (!Create(L"SkinEditWnd", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, owner_, fieldId, true))
        return nullptr;
    Redraw();
    return hwnd_;
}

void CMyEdit::SetValue(const wchar_t *text) {
    if (pad_ && pad_->Field()) {
        pad_->Field()->SetValue(text);
        return;
    }
    value_ = units::FieldText(text);
    Redraw();
}

Str CMyEdit::Value() const {
    if (pad_ && pad_->Field())
        return pad_->Field()->Value();
    return value_;
}

Str CMyEdit::ShownText() const { return EntryToDisplay(value_, DecimalSeparator()); }

bool CMyEdit::ClosePad() {
    if (!pad_)
        return false;
    pad_.reset();
    Redraw();
    return true;
}

void CMyEdit::CopyTo(HDC dc, int x, int y) const {
    if (!HasBackBuffer())
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    BitBlt(dc, x, y, client.right, client.bottom, BackDC(), 0, 0, SRCCOPY);
}

LRESULT CMyEdit::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case UWM_FIELD_UNFOCUS:
        focused_ = false;
        Redraw();
        return 0;
    case UWM_PAD_DONE:
        OnPadDone(reinterpret_cast<const wchar_t *>(lParam));
        return 0;
    case kFreeFinishedPad:
        finishedPad_.reset();
        return 0;
    case UWM_FIELD_RESET:
        value_ = L"0";
        Redraw();
        return 0;
    case UWM_DRAG_STATE:
        if (pad_)
            SendMessageW(pad_->GetHwnd(), msg, wParam, lParam);
        return 0;
    case UWM_DRAG_MOVE:
    case UWM_DRAG_END: // from the pad
        return SendMessageW(owner_, msg, wParam, lParam);
    case WM_TIMER:
        if (wParam == kPadTimer) {
            KillTimer(hwnd, kPadTimer);
            OpenPad();
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        pressTime_ = Clock::TickCount();
        drag_.OnMessage(hwnd, msg, lParam);
        return 0;
    case WM_MOUSEMOVE:
        drag_.OnMessage(hwnd, msg, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnRelease(hwnd, lParam);
        return 0;
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CMyEdit::OnKeyDown(WPARAM key) {
    if (pad_) {
        SendMessageW(pad_->GetHwnd(), WM_KEYDOWN, key, 0);
        return;
    }
    if (!units::ApplyFieldKey(static_cast<unsigned>(key), &value_))
        return;
    Redraw();
    Report(UWM_FIELD_CHANGED);
}

void CMyEdit::OnPadDone(const wchar_t *text) {
    value_ = units::FieldText(text);
    // The pad is in the middle of its own message: it is hidden now and
    // freed once that message has returned.
    if (pad_) {
        pad_->Show(SW_HIDE);
        finishedPad_ = std::move(pad_);
        PostMessageW(hwnd_, kFreeFinishedPad, 0, 0);
    }
    Report(UWM_FIELD_CHANGED);
    Redraw();
}

// A short press that did not drag is a tap; on a converter field without an
// open pad it focuses the field and opens the pad a moment later, after the
// owner has handled the tap.
void CMyEdit::OnRelease(HWND hwnd, LPARAM lParam) {
    const bool dragged = drag_.Dragging();
    drag_.OnMessage(hwnd, WM_LBUTTONUP, lParam);
    if (dragged || !opensPad_ || pad_ || Clock::TickCount() - pressTime_ > kTapMs)
        return;
    focused_ = true;
    Redraw();
    Report(UWM_FIELD_TAPPED);
    SetTimer(hwnd, kPadTimer, 1, nullptr);
}

void CMyEdit::OpenPad() {
    if (pad_ || !owner_)
        return;
    finishedPad_.reset();
    pad_.reset(new CMyDigitPad(this, feedbackVibro_));
    if (!pad_->CreatePad(owner_, value_))
        pad_.reset();
}

void CMyEdit::Report(UINT msg) {
    if (owner_)
        SendMessageW(owner_, msg, 0, fieldId_);
}

void CMyEdit::Paint(HDC dc, const RECT &client) {
    FillSolid(dc, client, kControlColor);
    const int look = focused_ ? 1 : 0;
    const int height = ScaleY(kFrameUnits);
    const int top = (client.bottom - height) / 2;
    // The ends keep their width (scaled with the screen's pictures).
    const int leftWidth = BitmapSize(frame_[look][0].get()).cx;
    const int rightWidth = BitmapSize(frame_[look][2].get()).cx;
    ui::DrawBitmap(dc, frame_[look][0].get(), RECT{0, top, leftWidth, top + height});
    ui::DrawBitmap(dc, frame_[look][1].get(), RECT{leftWidth, top, client.right - rightWidth, top + height});
    ui::DrawBitmap(dc, frame_[look][2].get(), RECT{client.right - rightWidth, top, client.right, top + height});

    const Str shown = ShownText();
    RECT text = {leftWidth + ScaleX(kTextGapUnits), top, client.right - rightWidth, top + height};
    SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, focused_ ? kFocusTextColor : kTextColor);
    DrawTextW(dc, shown, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}
