#include "calc/Keyboard.h"

#include "BaseLib/Clock.h"
#include "BaseLib/FeedbackPulse.h"
#include "calc/CalcMessages.h"
#include "resource.h"
#include "ui/Messages.h"
#include "ui/PopupBtt.h"
#include "ui/Gdi.h"
#include "ui/Scaling.h"

namespace {

// Looks of the keys: the label style and the picture.
enum Look {
    kDigit,     // digits and point: 12 pt semibold
    kCommand,   // C and the memory keys: 11 pt normal
    kOperator,  // / * % + - =: 12 pt normal
    kBackspace, // pictures
    kSign,
    kRoot,
};

struct KeyDef {
    UINT id;
    const wchar_t *label;
    Look look;
    int landColumn, landRow;
    int portColumn, portRow;
};

// Both layouts of one key per line:
//   landscape   C  7  8  9  /  <-     portrait   C  MC MR M+ <-
//               MC 4  5  6  *  %                 7  8  9  /  root
//               MR 1  2  3  +  -                 4  5  6  *  %
//               M+ 0  ,  +- root =               1  2  3  +  -
//                                                0  ,  +- =====
const KeyDef kKeys[CMyKeyboard::kKeyCount] = {
    {CMyKeyboard::kKeyClear, L"C", kCommand, 0, 0, 0, 0},
    {CMyKeyboard::kKeyMemClear, L"MC", kCommand, 0, 1, 1, 0},
    {CMyKeyboard::kKeyMemRecall, L"MR", kCommand, 0, 2, 2, 0},
    {CMyKeyboard::kKeyMemAdd, L"M+", kCommand, 0, 3, 3, 0},
    {CMyKeyboard::kKeyBackspace, L"\x2190", kBackspace, 5, 0, 4, 0},
    {CMyKeyboard::kKeyDigit0 + 7, L"7", kDigit, 1, 0, 0, 1},
    {CMyKeyboard::kKeyDigit0 + 8, L"8", kDigit, 2, 0, 1, 1},
    {CMyKeyboard::kKeyDigit0 + 9, L"9", kDigit, 3, 0, 2, 1},
    {CMyKeyboard::kKeyDivide, L"/", kOperator, 4, 0, 3, 1},
    {CMyKeyboard::kKeyRoot, L"\x221A", kRoot, 4, 3, 4, 1},
    {CMyKeyboard::kKeyDigit0 + 4, L"4", kDigit, 1, 1, 0, 2},
    {CMyKeyboard::kKeyDigit0 + 5, L"5", kDigit, 2, 1, 1, 2},
    {CMyKeyboard::kKeyDigit0 + 6, L"6", kDigit, 3, 1, 2, 2},
    {CMyKeyboard::kKeyMultiply, L"*", kOperator, 4, 1, 3, 2},
    {CMyKeyboard::kKeyPercent, L"%", kOperator, 5, 1, 4, 2},
    {CMyKeyboard::kKeyDigit0 + 1, L"1", kDigit, 1, 2, 0, 3},
    {CMyKeyboard::kKeyDigit0 + 2, L"2", kDigit, 2, 2, 1, 3},
    {CMyKeyboard::kKeyDigit0 + 3, L"3", kDigit, 3, 2, 2, 3},
    {CMyKeyboard::kKeyAdd, L"+", kOperator, 4, 2, 3, 3},
    {CMyKeyboard::kKeySubtract, L"-", kOperator, 5, 2, 4, 3},
    {CMyKeyboard::kKeyDigit0 + 0, L"0", kDigit, 1, 3, 0, 4},
    {CMyKeyboard::kKeyPoint, L",", kDigit, 2, 3, 1, 4},
    {CMyKeyboard::kKeySign, L"\x00B1", kSign, 3, 3, 2, 4},
    {CMyKeyboard::kKeyEquals, L"=", kOperator, 5, 3, 3, 4},
};

const COLORREF kLabelColor = RGB(15, 34, 108);
const COLORREF kOperatorColor = RGB(15, 40, 130);
const COLORREF kPressedLabelColor = RGB(255, 255, 255);

// Cell heights (layout units) of the Arial caption font for 11 and 12 point.
const int kFont11 = 18;
const int kFont12 = 19;

const KeyDef *FindKey(UINT id) {
    for (const KeyDef &key : kKeys) {
        if (key.id == id)
            return &key;
    }
    return nullptr;
}

UINT PictureFor(const KeyDef &key, bool landscape) {
    switch (key.look) {
    case kBackspace:
        return landscape ? PickBitmap(IDB_CALC_KEY_LAND_BACK, IDB_CALC_KEY_LAND_BACK_HI)
                         : PickBitmap(IDB_CALC_KEY_PORT_BACK, IDB_CALC_KEY_PORT_BACK_HI);
    case kSign:
        return landscape ? PickBitmap(IDB_CALC_KEY_LAND_SIGN, IDB_CALC_KEY_LAND_SIGN_HI)
                         : PickBitmap(IDB_CALC_KEY_PORT_SIGN, IDB_CALC_KEY_PORT_SIGN_HI);
    case kRoot:
        return landscape ? PickBitmap(IDB_CALC_KEY_LAND_ROOT, IDB_CALC_KEY_LAND_ROOT_HI)
                         : PickBitmap(IDB_CALC_KEY_PORT_ROOT, IDB_CALC_KEY_PORT_ROOT_HI);
    case kDigit:
        return landscape ? PickBitmap(IDB_CALC_KEY_LAND, IDB_CALC_KEY_LAND_HI)
                         : PickBitmap(IDB_CALC_KEY_PORT, IDB_CALC_KEY_PORT_HI);
    default:
        if (!landscape && key.id == CMyKeyboard::kKeyEquals)
            return PickBitmap(IDB_CALC_KEY_PORT_WIDE, IDB_CALC_KEY_PORT_WIDE_HI);
        return landscape ? PickBitmap(IDB_CALC_KEY_LAND_OP, IDB_CALC_KEY_LAND_OP_HI)
                         : PickBitmap(IDB_CALC_KEY_PORT_OP, IDB_CALC_KEY_PORT_OP_HI);
    }
}

// The key's picture (two looks side by side) at the key's size. The
// high-resolution portrait keys are a little smaller than twice the normal
// ones, and cutting a picture to fit would break the symbols in its middle:
// it is scaled instead, pixel for pixel so no edge mixes with the
// transparency key.
HBITMAP KeyPicture(UINT id, SIZE key) {
    Bitmap source(LoadProgramBitmap(id));
    const SIZE size = BitmapSize(source.get());
    if (size.cx <= 0 || (size.cx == 2 * key.cx && size.cy == key.cy))
        return source.Release();
    ScreenDC screen;
    HBITMAP scaled = CreateCompatibleBitmap(screen, 2 * key.cx, key.cy);
    if (!scaled)
        return source.Release();
    MemoryDC from(screen), to(screen);
    SelectedObject fromSel(from, source.get());
    SelectedObject toSel(to, scaled);
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, 0, 0, 2 * key.cx, key.cy, from, 0, 0, size.cx, size.cy, SRCCOPY);
    return scaled;
}

bool IsPicture(Look look) { return look == kBackspace || look == kSign || look == kRoot; }

// The key's place in the keypad, in pixels.
RECT KeyRect(const KeyDef &key, bool landscape) {
    if (landscape) {
        const int x = ScaleX(48 * key.landColumn), y = ScaleY(25 * key.landRow);
        return RECT{x, y, x + ScaleX(46), y + ScaleY(24)};
    }
    // Portrait keys have fixed sizes for the two kinds of screen.
    const bool hi = Metrics().highRes != 0;
    const int width = hi ? 76 : 41, height = hi ? 57 : 30, pitch = hi ? 88 : 44;
    const int wide = hi ? 160 : 83;
    const int x = pitch * key.portColumn;
    // The first row stands a little apart from the others.
    int y = 0;
    if (key.portRow >= 1)
        y = height + ScaleY(8) + (key.portRow - 1) * (height + ScaleY(3));
    const int w = key.id == CMyKeyboard::kKeyEquals ? wide : width;
    return RECT{x, y, x + w, y + height};
}

UINT BalloonFor(const KeyDef &key, bool landscape) {
    switch (key.look) {
    case kBackspace:
        return kBalloonBackspace;
    case kSign:
        return kBalloonPlusMinus;
    case kRoot:
        return kBalloonRoot;
    default:
        return !landscape && key.id == CMyKeyboard::kKeyEquals ? kBalloonWide : kBalloonPlain;
    }
}

} // namespace

CMyKeyboard::CMyKeyboard(const DWORD *feedbackVibro)
    : made_{false, false}, landscape_(false), background_(kScreenColor), feedbackVibro_(feedbackVibro),
      anyKeyAccepted_(false), lastKeyTime_(0), lastPreviewId_(0), shownBalloon_(0) {}

CMyKeyboard::~CMyKeyboard() {
    if (shownBalloon_) {
        if (CPopupBtt *balloon = FindBalloon(shownBalloon_))
            balloon->Hide();
    }
    // The keys' windows are children of this one: they go first.
    for (auto &set : keys_) {
        for (auto &key : set)
            key.reset();
    }
}

HWND CMyKeyboard::CreateKeyboard(HWND parent, const RECT &rect, UINT childId) {
    return Create(L"KeyboardWnd", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, childId, true);
}

bool CMyKeyboard::MessageFor(UINT id, UINT *msg, WPARAM *wParam) {
    *wParam = 0;
    if (id >= kKeyDigit0 && id <= kKeyDigit0 + 9) {
        *msg = WM_CHAR;
        *wParam = L'0' + (id - kKeyDigit0);
        return true;
    }
    if (id >= kKeyMultiply && id <= kKeyDivide) {
        *msg = UWM_CALC_KEY;
        *wParam = id - 17725; // the key's character: '*' '+' ',' '-' '.' '/'
        return true;
    }
    switch (id) {
    case kKeyClear:
        *msg = UWM_CALC_CLEAR;
        return true;
    case kKeyMemClear:
        *msg = UWM_CALC_MEM_CLEAR;
        return true;
    case kKeyMemRecall:
        *msg = UWM_CALC_MEM_RECALL;
        return true;
    case kKeyMemAdd:
        *msg = UWM_CALC_MEM_ADD;
        return true;
    case kKeyRoot:
        *msg = UWM_CALC_SQRT;
        return true;
    case kKeySign:
        *msg = UWM_CALC_SIGN;
        return true;
    case kKeyBackspace:
        *msg = UWM_CALC_KEY;
        *wParam = 8;
        return true;
    case kKeyPercent:
        *msg = UWM_CALC_KEY;
        *wParam = L'%';
        return true;
    case kKeyEquals:
        *msg = UWM_CALC_KEY;
        *wParam = L'=';
        return true;
    }
    return false;
}

LRESULT CMyKeyboard::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (drag_.OnMessage(hwnd, msg, lParam))
        return 0;
    switch (msg) {
    case UWM_BAR_COMMAND:
        OnKey(static_cast<UINT>(lParam));
        return 0;
    case UWM_BUTTON_LOOK: // the key preview
        OnPreview(static_cast<UINT>(wParam), lParam != 0);
        return 0;
    case UWM_DRAG_MOVE:
    case UWM_DRAG_END:
        return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CMyKeyboard::MakeSet(bool landscape) {
    const int set = landscape ? 1 : 0;
    if (made_[set])
        return;
    made_[set] = true;
    for (int i = 0; i < kKeyCount; ++i) {
        const KeyDef &def = kKeys[i];
        const bool command = def.look == kCommand;
        const int weight = def.look == kDigit || IsPicture(def.look) ? 600 : 400;
        const COLORREF color = def.look == kCommand || def.look == kOperator ? kOperatorColor : kLabelColor;
        auto key = std::make_unique<CCustomBtt>(hwnd_, command ? kFont11 : kFont12, weight, color);
        key->SetBackColor(background_);
        const RECT place = KeyRect(def, landscape);
        Bitmap picture(
            KeyPicture(PictureFor(def, landscape), SIZE{place.right - place.left, place.bottom - place.top}));
        key->SetImageBitmap(picture.get());
        if (!IsPicture(def.look)) {
            key->SetCaption(def.label);
            key->SetCaptionColors(color, kPressedLabelColor);
        }
        key->CreateButton(place, def.id);
        keys_[set][i] = std::move(key);
    }
}

void CMyKeyboard::PlaceSet(bool landscape) {
    const int set = landscape ? 1 : 0;
    for (int i = 0; i < kKeyCount; ++i) {
        CCustomBtt *key = keys_[set][i].get();
        if (!key)
            continue;
        const RECT rc = KeyRect(kKeys[i], landscape);
        key->SetBackColor(background_);
        key->Move(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, true);
    }
}

void CMyKeyboard::LayoutKeys(bool landscape, COLORREF background) {
    background_ = background;
    landscape_ = landscape;
    MakeSet(landscape);
    PlaceSet(landscape);
    for (int set = 0; set < 2; ++set) {
        const bool shown = (set == 1) == landscape;
        for (auto &key : keys_[set]) {
            if (key)
                key->Show(shown ? SW_SHOW : SW_HIDE);
        }
    }
    Redraw();
}

// The background only: the keys are child windows that paint themselves.
void CMyKeyboard::Paint(HDC dc, const RECT &client) { FillSolid(dc, client, background_); }

CCustomBtt *CMyKeyboard::Key(UINT id) const {
    const int set = landscape_ ? 1 : 0;
    for (int i = 0; i < kKeyCount; ++i) {
        if (kKeys[i].id == id)
            return keys_[set][i].get();
    }
    return nullptr;
}

// The tap is taken only 201 ms or more after the last accepted one, so a
// bouncing stylus or a double tap gives one key.
void CMyKeyboard::OnKey(UINT id) {
    UINT msg = 0;
    WPARAM wParam = 0;
    if (!MessageFor(id, &msg, &wParam))
        return;
    const DWORD now = Clock::TickCount();
    if (anyKeyAccepted_ && now - lastKeyTime_ < kLockOutMs)
        return;
    anyKeyAccepted_ = true;
    lastKeyTime_ = now;
    if (feedbackVibro_ && *feedbackVibro_)
        FeedbackPulse();
    PostMessageW(GetParent(hwnd_), msg, wParam, 0);
}

void CMyKeyboard::OnPreview(UINT id, bool show) {
    const KeyDef *def = FindKey(id);
    if (!def)
        return;
    if (!show) {
        if (CPopupBtt *balloon = FindBalloon(shownBalloon_))
            balloon->Hide();
        shownBalloon_ = 0;
        return;
    }
    // The balloons exist only while the "Animation Button" option is on;
    // a set without the wide one shows the plain one for the wide key.
    UINT balloonId = BalloonFor(*def, landscape_);
    CPopupBtt *balloon = FindBalloon(balloonId);
    if (!balloon && balloonId != kBalloonPlain) {
        balloonId = kBalloonPlain;
        balloon = FindBalloon(balloonId);
    }
    CCustomBtt *key = Key(id);
    if (!balloon || !balloon->GetHwnd() || !key || !key->GetHwnd())
        return;
    if (shownBalloon_ && shownBalloon_ != balloonId) {
        if (CPopupBtt *other = FindBalloon(shownBalloon_))
            other->Hide();
    }
    // The same key again keeps the label; a rebuilt balloon has none yet.
    if (id != lastPreviewId_ || !balloon->Text()[0]) {
        // Picture balloons carry the symbol; drawn ones need the label.
        balloon->SetText(balloon->HasPicture() && IsPicture(def->look) ? L"" : def->label);
    }
    lastPreviewId_ = id;
    // Just above the key: the balloon's stem stands on the key itself.
    RECT rc;
    GetWindowRect(key->GetHwnd(), &rc);
    MapWindowPoints(HWND_DESKTOP, GetParent(balloon->GetHwnd()), reinterpret_cast<POINT *>(&rc), 2);
    const SIZE size = balloon->Size();
    balloon->ShowAt((rc.left + rc.right - size.cx) / 2, rc.bottom - size.cy);
    shownBalloon_ = balloonId;
}
