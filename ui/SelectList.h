// CSelectList: a list screen with an image list of row icons, cut from one
// bitmap resource holding a row of equally wide icons (magenta transparent).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "ui/UIList.h"

class CSelectList : public CUIList {
public:
    CSelectList();
    ~CSelectList() override;

    // Builds the image list once; false when the picture is missing.
    bool LoadIcons(UINT bitmapId, int count);
    HIMAGELIST Icons() const { return icons_; }

private:
    HIMAGELIST icons_; // owned
};
