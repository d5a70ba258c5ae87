#include "ui/SelectList.h"

#include "ui/Gdi.h"

CSelectList::CSelectList() : icons_(nullptr) {}

CSelectList::~CSelectList() {
    if (icons_)
        ImageList_Destroy(icons_);
}

bool CSelectList::LoadIcons(UINT bitmapId, int count) {
    if (icons_)
        return true;
    if (count <= 0)
        return false;
    Bitmap bitmap(LoadProgramBitmap(bitmapId));
    const SIZE size = BitmapSize(bitmap.get());
    const int width = size.cx / count;
    if (width <= 0 || size.cy <= 0)
        return false;
    icons_ = ImageList_Create(width, size.cy, ILC_COLOR24 | ILC_MASK, count, 0);
    if (!icons_)
        return false;
    if (ImageList_AddMasked(icons_, bitmap.get(), kTransparentKey) < 0) {
        ImageList_Destroy(icons_);
        icons_ = nullptr;
        return false;
    }
    return true;
}
