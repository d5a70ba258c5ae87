#include "ui/ImageButtonEx.h"

#include "ui/Gdi.h"

CImageButtonEx::CImageButtonEx() : buttons_(), count_(0), rect_(), images_(nullptr) {}

CImageButtonEx::~CImageButtonEx() {
    if (images_)
        ImageList_Destroy(images_);
}

bool CImageButtonEx::LoadImages(UINT bitmapId, int imageWidth, int imageHeight, int buttons) {
    Bitmap bitmap(LoadProgramBitmap(bitmapId));
    return LoadImagesFrom(bitmap.get(), imageWidth, imageHeight, buttons);
}

bool CImageButtonEx::LoadImagesFrom(HBITMAP bitmap, int imageWidth, int imageHeight, int buttons) {
    if (images_)
        ImageList_Destroy(images_);
    images_ = nullptr;
    if (!bitmap || imageWidth <= 0 || imageHeight <= 0)
        return false;
    images_ = ImageList_Create(imageWidth, imageHeight, ILC_COLOR24 | ILC_MASK, buttons * 2, 0);
    if (!images_)
        return false;
    // AddMasked cuts the bitmap into images of the list's width.
    if (ImageList_AddMasked(images_, bitmap, kTransparentKey) < 0) {
        ImageList_Destroy(images_);
        images_ = nullptr;
        return false;
    }
    return true;
}

void CImageButtonEx::Clear() {
    if (images_)
        ImageList_Destroy(images_);
    images_ = nullptr;
    count_ = 0;
    SetRectEmpty(&rect_);
}

bool CImageButtonEx::AddButton(const RECT &rect) {
    if (count_ >= kMaxButtons)
        return false;
    buttons_[count_].rect = rect;
    buttons_[count_].state = 0;
    ++count_;
    UpdateRect();
    return true;
}

void CImageButtonEx::SetButtonRect(int index, const RECT &rect) {
    if (index < 0 || index >= count_)
        return;
    buttons_[index].rect = rect;
    UpdateRect();
}

void CImageButtonEx::UpdateRect() {
    SetRectEmpty(&rect_);
    for (int i = 0; i < count_; ++i)
        UnionRect(&rect_, &rect_, &buttons_[i].rect);
}

int CImageButtonEx::HitTest(POINT pt) const {
    for (int i = 0; i < count_; ++i)
        if (PtInRect(&buttons_[i].rect, pt))
            return i;
    return -1;
}

void CImageButtonEx::Draw(HDC dc) {
    if (!images_)
        return;
    const int available = ImageList_GetImageCount(images_);
    for (int i = 0; i < count_; ++i) {
        const int index = 2 * i + buttons_[i].state;
        if (index < available)
            ImageList_Draw(images_, index, dc, buttons_[i].rect.left, buttons_[i].rect.top, ILD_TRANSPARENT);
    }
}
