#include "ui/SelectList.h"

bool CSelectList::LoadIcons(UINT bitmapId, int count) {
    return icons_.Count() || icons_.Load(bitmapId, count);
}
