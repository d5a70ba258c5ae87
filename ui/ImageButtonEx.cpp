#include "ui/ImageButtonEx.h"

#include "ui/Gdi.h"

CImageButtonEx::CImageButtonEx() : buttons_(), count_(0), rect_() {}

CImageButtonEx::~CImageButtonEx() = default;

bool CImageButtonEx::LoadImages(UINT bitmapId, int imageWidth, int imageHeight) {
    Bitmap bitmap(LoadProgramBitmap(bitmapId));
    return images_.LoadFrom(bitmap.get(), imageWidth, imageHeight);
}

void CImageButtonEx::Clear() {
    images_.Clear();
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
    for (int i = 0; i < count_; ++i)
        images_.Draw(dc, 2 * i + buttons_[i].state, buttons_[i].rect.left, buttons_[i].rect.top);
}
