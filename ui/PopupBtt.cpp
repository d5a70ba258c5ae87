#include "ui/PopupBtt.h"

#include <memory>
#include <vector>

#include "BaseLib/Str.h"
#include "resource.h"
#include "ui/Drawing.h"
#include "ui/Messages.h"
#include "ui/WaitingWnd.h"
#include "ui/Scaling.h"

namespace {

const COLORREF kBalloonTextColor = RGB(255, 255, 255);
// The text sits in this band, in units below the balloon's top.
const int kTextBandTop = 10;
const int kTextBandBottom = 25;
// Corner of a balloon drawn without a picture, in units.
const int kPlainCorner = 12;

struct BalloonArt {
    UINT picture, pictureHi; // 0: drawn without a picture
    UINT mask, maskHi;
    int width, height; // units
};

// The size of a balloon in units: the digit pad's keep theirs in every set.
void SizeFor(UINT id, BalloonSet set, BalloonArt *art) {
    switch (id) {
    case kBalloonWide:
    case kBalloonPadWide:
        art->width = 83, art->height = 78;
        return;
    case kBalloonPadPlain:
    case kBalloonPadBackspace:
        art->width = 40, art->height = 78;
        return;
    }
    switch (set) {
    case BalloonSet::kPortrait:
        art->width = 40, art->height = 78;
        return;
    case BalloonSet::kLandscape:
        art->width = 46, art->height = 66;
        return;
    case BalloonSet::kNone:
        art->width = 40, art->height = 40;
        return;
    }
}

BalloonArt ArtFor(UINT id, BalloonSet set) {
    BalloonArt art = {};
    SizeFor(id, set, &art);
    const bool portrait = set == BalloonSet::kPortrait;
    auto use = [&art](UINT picture, UINT pictureHi, UINT mask, UINT maskHi) {
        art.picture = picture, art.pictureHi = pictureHi, art.mask = mask, art.maskHi = maskHi;
    };
    if (set == BalloonSet::kNone)
        return art;
    switch (id) {
    case kBalloonPlain:
        if (portrait)
            use(IDB_BALLOON_PLAIN, IDB_BALLOON_PLAIN_HI, IDB_BALLOON_MASK, IDB_BALLOON_MASK_HI);
        else
            use(IDB_BALLOON_LAND_PLAIN, IDB_BALLOON_LAND_PLAIN_HI, IDB_BALLOON_LAND_MASK, IDB_BALLOON_LAND_MASK_HI);
        break;
    case kBalloonWide:
        if (portrait)
            use(IDB_BALLOON_WIDE, IDB_BALLOON_WIDE_HI, IDB_BALLOON_WIDE_MASK, IDB_BALLOON_WIDE_MASK_HI);
        break;
    case kBalloonPlusMinus:
        if (portrait)
            use(IDB_BALLOON_PLUS_MINUS, IDB_BALLOON_PLUS_MINUS_HI, IDB_BALLOON_MASK, IDB_BALLOON_MASK_HI);
        else
            use(IDB_BALLOON_LAND_PLUS_MINUS, IDB_BALLOON_LAND_PLUS_MINUS_HI, IDB_BALLOON_LAND_MASK,
                IDB_BALLOON_LAND_MASK_HI);
        break;
    case kBalloonRoot:
        if (portrait)
            use(IDB_BALLOON_ROOT, IDB_BALLOON_ROOT_HI, IDB_BALLOON_MASK, IDB_BALLOON_MASK_HI);
        else
            use(IDB_BALLOON_LAND_ROOT, IDB_BALLOON_LAND_ROOT_HI, IDB_BALLOON_LAND_MASK, IDB_BALLOON_LAND_MASK_HI);
        break;
    case kBalloonBackspace:
        if (portrait)
            use(IDB_BALLOON_BACKSPACE, IDB_BALLOON_BACKSPACE_HI, IDB_BALLOON_MASK, IDB_BALLOON_MASK_HI);
        else
            use(IDB_BALLOON_LAND_BACKSPACE, IDB_BALLOON_LAND_BACKSPACE_HI, IDB_BALLOON_LAND_MASK,
                IDB_BALLOON_LAND_MASK_HI);
        break;
    // The digit pad's balloons are 40 x 78 (83 x 78) in every set, so they
    // take the portrait pictures and masks of that size in both sets: a
    // landscape mask would cut them out of shape, and the plain one must not
    // show the backspace picture.
    case kBalloonPadPlain:
        use(IDB_BALLOON_PLAIN, IDB_BALLOON_PLAIN_HI, IDB_BALLOON_MASK, IDB_BALLOON_MASK_HI);
        break;
    case kBalloonPadBackspace:
        use(IDB_BALLOON_BACKSPACE, IDB_BALLOON_BACKSPACE_HI, IDB_BALLOON_MASK, IDB_BALLOON_MASK_HI);
        break;
    case kBalloonPadWide:
        use(IDB_BALLOON_WIDE, IDB_BALLOON_WIDE_HI, IDB_BALLOON_WIDE_MASK, IDB_BALLOON_WIDE_MASK_HI);
        break;
    }
    return art;
}

bool HasLetterM(const wchar_t *text) {
    for (; *text; ++text) {
        if (*text == L'M')
            return true;
    }
    return false;
}

} // namespace

CPopupBtt::CPopupBtt(UINT id, BalloonSet set) : id_(id), set_(set) { text_[0] = 0; }

SIZE CPopupBtt::Size() const {
    const BalloonArt art = ArtFor(id_, set_);
    return SIZE{ScaleX(art.width), ScaleY(art.height)};
}

HWND CPopupBtt::CreateBalloon(HWND mainWindow) {
    if (GetHwnd())
        return GetHwnd();
    const BalloonArt art = ArtFor(id_, set_);
    if (art.picture) {
        picture_.Reset(LoadProgramBitmap(PickBitmap(art.picture, art.pictureHi)));
        if (!picture_) {
            Str text, title;
            text.LoadResourceString(IDS_BALLOON_LOAD_ERROR);
            title.LoadResourceString(IDS_BALLOON_LOAD_ERROR_TITLE);
            MessageBoxW(mainWindow, text, title, MB_OK);
        }
        mask_.Reset(LoadProgramBitmap(PickBitmap(art.mask, art.maskHi)));
    }
    const SIZE size = Size();
    if (!Create(L"PopupBttWnd", WS_CHILD | WS_CLIPSIBLINGS, RECT{0, 0, size.cx, size.cy}, mainWindow, id_, true))
        return nullptr;
    Region shape(MakeShape(size));
    // The window owns the region once it took it.
    if (shape && SetWindowRgn(GetHwnd(), shape.get(), FALSE))
        shape.Release();
    SetWindowPos(GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Redraw();
    return GetHwnd();
}

// The shape: where both the mask and the picture cover the balloon (so the
// picture's own transparent edge never shows), or a rounded box for a balloon
// without a picture.
HRGN CPopupBtt::MakeShape(const SIZE &size) const {
    if (!picture_ && !mask_)
        return CreateRoundRectRgn(0, 0, size.cx + 1, size.cy + 1, ScaleX(kPlainCorner), ScaleY(kPlainCorner));
    HRGN shape = ui::RegionFromPicture(mask_ ? mask_.get() : picture_.get(), size.cx, size.cy);
    if (shape && mask_ && picture_) {
        Region covered(ui::RegionFromPicture(picture_.get(), size.cx, size.cy));
        if (covered)
            CombineRgn(shape, shape, covered.get(), RGN_AND);
    }
    return shape;
}

void CPopupBtt::SetText(const wchar_t *text) {
    lstrcpynW(text_, text ? text : L"", kMaxText + 1);
    // Texts with the wide letter M get a smaller font to fit.
    font_.Reset(HasLetterM(text_) ? ui::CreatePointFont(L"Arial", 11, 600) : ui::CreatePointFont(L"Arial", 15, 700));
    Redraw();
}

void CPopupBtt::ShowAt(int x, int y) {
    if (!GetHwnd())
        return;
    SetWindowPos(GetHwnd(), HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(GetHwnd());
}

void CPopupBtt::Hide() { Show(SW_HIDE); }

LRESULT CPopupBtt::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {}
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CPopupBtt::Paint(HDC dc, const RECT &client) {
    if (picture_) {
        ui::DrawBitmap(dc, picture_.get(), client);
    } else {
        FillSolid(dc, client, kFrameBorderColor);
        Brush edge(CreateSolidBrush(kTextColor));
        Region shape(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(GetHwnd(), shape.get()) != ERROR)
            FrameRgn(dc, shape.get(), edge.get(), 1, 1);
    }
    if (!text_[0])
        return;
    RECT band = {client.left, ScaleY(kTextBandTop), client.right, ScaleY(kTextBandBottom)};
    SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kBalloonTextColor);
    DrawTextW(dc, text_, -1, &band, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
}

// ---------------------------------------------------------------------------
// The balloons of the process.

namespace {

using Group = std::vector<std::unique_ptr<CPopupBtt>>;
Group gFirstGroup;  // the calculator's; made again at every build
Group gSecondGroup; // the digit pad's; made once

struct Planned {
    UINT id;
    int step; // progress step shown in the waiting window; 0: none
};

const Planned kFirstNone[] = {{kBalloonText, 1},      {kBalloonPlain, 2}, {kBalloonTextAlt, 3},
                              {kBalloonPlusMinus, 4}, {kBalloonRoot, 5},  {kBalloonBackspace, 6}};
const Planned kFirstLandscape[] = {
    {kBalloonPlain, 2}, {kBalloonPlusMinus, 0}, {kBalloonRoot, 0}, {kBalloonBackspace, 0}};
const Planned kFirstPortrait[] = {
    {kBalloonPlain, 0}, {kBalloonWide, 0}, {kBalloonPlusMinus, 0}, {kBalloonRoot, 0}, {kBalloonBackspace, 0}};
const Planned kSecond[] = {{kBalloonPadPlain, 7}, {kBalloonPadBackspace, 8}, {kBalloonPadWide, 9}};

template <size_t N>
void MakeGroup(Group &group, const Planned (&plan)[N], HWND mainWindow, BalloonSet set, HWND waiting, WPARAM bar) {
    for (const Planned &p : plan) {
        auto balloon = std::make_unique<CPopupBtt>(p.id, set);
        balloon->CreateBalloon(mainWindow);
        group.push_back(std::move(balloon));
        if (p.step && waiting)
            SendMessageW(waiting, UWM_WAIT_PROGRESS, bar, p.step);
        Sleep(0); // let other threads run between two balloons
    }
}

// A group made for a main window that is gone lost its windows with it.
bool GroupAlive(const Group &group) {
    for (const auto &balloon : group) {
        if (!balloon->GetHwnd())
            return false;
    }
    return !group.empty();
}

} // namespace

BalloonSet ChooseBalloonSet(bool isFull, const RECT &workArea) {
    if (!isFull)
        return BalloonSet::kNone;
    return workArea.right - workArea.left > workArea.bottom - workArea.top ? BalloonSet::kLandscape
                                                                           : BalloonSet::kPortrait;
}

void BuildBalloons(HWND mainWindow, bool isFull) {
    RECT work;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        SetRect(&work, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    BuildBalloons(mainWindow, ChooseBalloonSet(isFull, work));
}

void BuildBalloons(HWND mainWindow, BalloonSet set) {
    CMyWaitingWnd waiting;
    waiting.CreateCentred(mainWindow);
    const HWND progress = waiting.GetHwnd();

    gFirstGroup.clear();
    switch (set) {
    case BalloonSet::kNone:
        MakeGroup(gFirstGroup, kFirstNone, mainWindow, set, progress, 0);
        break;
    case BalloonSet::kLandscape:
        MakeGroup(gFirstGroup, kFirstLandscape, mainWindow, set, progress, 0);
        break;
    case BalloonSet::kPortrait:
        MakeGroup(gFirstGroup, kFirstPortrait, mainWindow, set, progress, 0);
        break;
    }
    if (!GroupAlive(gSecondGroup)) {
        gSecondGroup.clear();
        MakeGroup(gSecondGroup, kSecond, mainWindow, set, progress, 1);
    }
}

void DestroyBalloons() {
    gFirstGroup.clear();
    gSecondGroup.clear();
}

CPopupBtt *FindBalloon(UINT id) {
    for (const Group *group : {&gFirstGroup, &gSecondGroup}) {
        for (const auto &balloon : *group) {
            if (balloon->Id() == id)
                return balloon.get();
        }
    }
    return nullptr;
}
