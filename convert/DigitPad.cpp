#include "convert/DigitPad.h"

#include "BaseLib/Clock.h"
#include "BaseLib/FeedbackPulse.h"
#include "convert/ConvMessages.h"
#include "convert/Edit.h"
#include "convert/FieldKeys.h"
#include "resource.h"
#include "ui/Gdi.h"
#include "ui/Messages.h"
#include "ui/PopupBtt.h"
#include "ui/Scaling.h"

namespace {

enum Look { kPlain, kCommand, kBackspace, kOk };

struct PadKey {
    UINT id;
    const wchar_t *label;
    Look look;
    int column, row;
};

//   1 2 3 4 5
//   6 7 8 9 0
//   , C <- ok
const PadKey kPadKeys[CMyDigitPad::kKeyCount] = {
    {CMyDigitPad::kKeyDigit0 + 1, L"1", kPlain, 0, 0},   {CMyDigitPad::kKeyDigit0 + 2, L"2", kPlain, 1, 0},
    {CMyDigitPad::kKeyDigit0 + 3, L"3", kPlain, 2, 0},   {CMyDigitPad::kKeyDigit0 + 4, L"4", kPlain, 3, 0},
    {CMyDigitPad::kKeyDigit0 + 5, L"5", kPlain, 4, 0},   {CMyDigitPad::kKeyDigit0 + 6, L"6", kPlain, 0, 1},
    {CMyDigitPad::kKeyDigit0 + 7, L"7", kPlain, 1, 1},   {CMyDigitPad::kKeyDigit0 + 8, L"8", kPlain, 2, 1},
    {CMyDigitPad::kKeyDigit0 + 9, L"9", kPlain, 3, 1},   {CMyDigitPad::kKeyDigit0 + 0, L"0", kPlain, 4, 1},
    {CMyDigitPad::kKeyPoint, L",", kPlain, 0, 2},        {CMyDigitPad::kKeyClear, L"C", kCommand, 1, 2},
    {CMyDigitPad::kKeyBackspace, L"", kBackspace, 2, 2}, {CMyDigitPad::kKeyOk, L"ok", kOk, 3, 2},
};

const COLORREF kPadColor = RGB(194, 195, 200);
const COLORREF kPadFrameColor = RGB(45, 66, 138);
const COLORREF kLabelColor = RGB(15, 34, 108);
const COLORREF kPressedLabelColor = RGB(255, 255, 255);
const int kLabelFont = 19; // cell height (layout units) of a 12-point label

const PadKey *FindKey(UINT id) {
    for (const PadKey &key : kPadKeys) {
        if (key.id == id)
            return &key;
    }
    return nullptr;
}

UINT PictureFor(Look look) {
    switch (look) {
    case kCommand:
        return PickBitmap(IDB_CALC_KEY_PORT_OP, IDB_CALC_KEY_PORT_OP_HI);
    case kBackspace:
        return PickBitmap(IDB_CALC_KEY_PORT_BACK, IDB_CALC_KEY_PORT_BACK_HI);
    case kOk:
        return PickBitmap(IDB_CONV_KEY_OK, IDB_CONV_KEY_OK_HI);
    default:
        return PickBitmap(IDB_CALC_KEY_PORT, IDB_CALC_KEY_PORT_HI);
    }
}

UINT BalloonFor(Look look) {
    return look == kBackspace ? kBalloonPadBackspace : look == kOk ? kBalloonPadWide : kBalloonPadPlain;
}

// The key pictures' own sizes: a key is as large as one look of its picture.
int KeyPitch() { return Metrics().highRes ? 88 : 44; }

} // namespace

CMyDigitPad::CMyDigitPad(CMyEdit *field, const DWORD *feedbackVibro)
    : owner_(field), feedbackVibro_(feedbackVibro), replace_(false), anyKeyAccepted_(false), lastKeyTime_(0),
      shownBalloon_(0) {}

CMyDigitPad::~CMyDigitPad() {
    if (CPopupBtt *balloon = shownBalloon_ ? FindBalloon(shownBalloon_) : nullptr)
        balloon->Hide();
    for (auto &key : keys_)
        key.reset();
    field_.reset();
}

HWND CMyDigitPad::CreatePad(HWND parent, const wchar_t *value) {
    RECT area;
    GetClientRect(parent, &area);
    if (!Create(L"DigitPadWnd", WS_CHILD | WS_CLIPCHILDREN, area, parent, CMyEdit::kPadId, true))
        return nullptr;
    field_.reset(new CMyEdit(hwnd_, false, true));
    field_->CreateField(RECT{0, 0, ScaleX(209), ScaleY(31)}, kFieldId);
    field_->SetValue(value);
    for (int i = 0; i < kKeyCount; ++i) {
        const PadKey &def = kPadKeys[i];
        auto key = std::make_unique<CCustomBtt>(hwnd_, kLabelFont, def.look == kCommand ? 400 : 600, kLabelColor);
        key->SetBackColor(kPadColor);
        key->SetImage(PictureFor(def.look));
        if (def.look != kBackspace) {
            key->SetCaption(def.label);
            key->SetCaptionColors(kLabelColor, kPressedLabelColor);
        }
        const SIZE size = key->ImageSize();
        key->CreateButton(RECT{0, 0, size.cx, size.cy}, def.id);
        key->Show(SW_SHOW);
        keys_[i] = std::move(key);
    }
    replace_ = true;
    LayoutKeys();
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    return hwnd_;
}

void CMyDigitPad::LayoutKeys() {
    if (!hwnd_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int pitch = KeyPitch();
    const SIZE key = keys_[0] ? keys_[0]->ImageSize() : SIZE{41, 30};
    const int left = (client.right - (4 * pitch + key.cx)) / 2;
    if (field_)
        field_->Move(left + ScaleX(3), ScaleY(8), ScaleX(209), ScaleY(31), true);
    const int top = ScaleY(8 + 31 + 10);
    for (int i = 0; i < kKeyCount; ++i) {
        if (!keys_[i])
            continue;
        const SIZE size = keys_[i]->ImageSize();
        const int y = top + kPadKeys[i].row * (key.cy + ScaleY(5));
        keys_[i]->Move(left + kPadKeys[i].column * pitch, y, size.cx, size.cy, true);
    }
    Redraw();
}

CCustomBtt *CMyDigitPad::Key(UINT id) const {
    for (int i = 0; i < kKeyCount; ++i) {
        if (kPadKeys[i].id == id)
            return keys_[i].get();
    }
    return nullptr;
}

LRESULT CMyDigitPad::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (drag_.OnMessage(hwnd, msg, lParam))
        return 0;
    switch (msg) {
    case UWM_BAR_COMMAND:
        OnKey(static_cast<UINT>(lParam));
        return 0;
    case UWM_BUTTON_LOOK: // the key preview
        OnPreview(static_cast<UINT>(wParam), lParam != 0);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case UWM_DRAG_STATE:
        // The keys hide while the main window moves and come back a moment
        // after it stopped.
        if (lParam == 0) {
            KillTimer(hwnd, kShowKeysTimer);
            ShowKeys(false);
        } else {
            SetTimer(hwnd, kShowKeysTimer, kShowKeysMs, nullptr);
        }
        return 0;
    case WM_TIMER:
        if (wParam == kShowKeysTimer) {
            KillTimer(hwnd, kShowKeysTimer);
            ShowKeys(true);
            return 0;
        }
        break;
    case WM_SIZE:
        Wnd::WindowProc(hwnd, msg, wParam, lParam);
        LayoutKeys();
        return 0;
    case UWM_DRAG_MOVE:
    case UWM_DRAG_END:
        return owner_ ? SendMessageW(owner_->GetHwnd(), msg, wParam, lParam) : 0;
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

// A key 200 ms or more after the last accepted one is taken, so a bouncing
// stylus gives one key.
void CMyDigitPad::OnKey(UINT id) {
    const PadKey *def = FindKey(id);
    if (!def || !field_)
        return;
    const DWORD now = Clock::TickCount();
    if (anyKeyAccepted_ && now - lastKeyTime_ < kLockOutMs)
        return;
    anyKeyAccepted_ = true;
    lastKeyTime_ = now;
    if (feedbackVibro_ && *feedbackVibro_)
        FeedbackPulse();
    switch (id) {
    case kKeyBackspace:
        SendMessageW(field_->GetHwnd(), WM_KEYDOWN, units::kKeyBackspace, 0);
        return;
    case kKeyClear:
        SendMessageW(field_->GetHwnd(), UWM_FIELD_RESET, 0, 0);
        return;
    case kKeyOk: {
        // The field frees this pad while it handles the message: nothing of
        // the pad is touched after it.
        const Str value = field_->Value();
        if (owner_)
            SendMessageW(owner_->GetHwnd(), UWM_PAD_DONE, 0, reinterpret_cast<LPARAM>(value.Text()));
        return;
    }
    case kKeyPoint:
        OnKeyDown(units::kKeyPeriod);
        return;
    default:
        OnKeyDown(L'0' + (id - kKeyDigit0));
    }
}

void CMyDigitPad::OnKeyDown(WPARAM key) {
    if (!field_)
        return;
    const bool typing = (key >= L'0' && key <= L'9') || key == units::kKeyComma || key == units::kKeyPeriod;
    if (!typing && key != units::kKeyBackspace)
        return;
    if (typing && replace_) {
        replace_ = false;
        SendMessageW(field_->GetHwnd(), UWM_FIELD_RESET, 0, 0);
    }
    SendMessageW(field_->GetHwnd(), WM_KEYDOWN, key, 0);
}

void CMyDigitPad::ShowKeys(bool show) {
    for (auto &key : keys_) {
        if (key)
            key->Show(show ? SW_SHOW : SW_HIDE);
    }
}

// The balloons exist only while the "Animation Button" option is on.
void CMyDigitPad::OnPreview(UINT id, bool show) {
    CPopupBtt *shown = shownBalloon_ ? FindBalloon(shownBalloon_) : nullptr;
    if (shown)
        shown->Hide();
    shownBalloon_ = 0;
    const PadKey *def = FindKey(id);
    CCustomBtt *key = Key(id);
    if (!show || !def || !key)
        return;
    CPopupBtt *balloon = FindBalloon(BalloonFor(def->look));
    if (!balloon || !balloon->GetHwnd())
        return;
    balloon->SetText(balloon->HasPicture() && def->look == kBackspace ? L"" : def->label);
    RECT rc;
    GetWindowRect(key->GetHwnd(), &rc);
    MapWindowPoints(HWND_DESKTOP, GetParent(balloon->GetHwnd()), reinterpret_cast<POINT *>(&rc), 2);
    const SIZE size = balloon->Size();
    balloon->ShowAt((rc.left + rc.right - size.cx) / 2, rc.bottom - size.cy);
    shownBalloon_ = balloon->Id();
}

void CMyDigitPad::Paint(HDC dc, const RECT &client) {
    FillSolid(dc, client, kPadColor);
    Brush frame(CreateSolidBrush(kPadFrameColor));
    FrameRect(dc, &client, frame.get());
}
