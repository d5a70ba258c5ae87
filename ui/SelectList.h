// CSelectList: a list screen with row icons, cut from one bitmap resource
// holding a row of equally wide icons (magenta transparent).
#pragma once
#include <windows.h>

#include "ui/IconStrip.h"
#include "ui/UIList.h"

class CSelectList : public CUIList {
public:
    // Takes the icons once; false when the picture is missing.
    bool LoadIcons(UINT bitmapId, int count);
    // Null until the icons are loaded.
    const IconStrip *Icons() const { return icons_.Count() ? &icons_ : nullptr; }

private:
    IconStrip icons_;
};
