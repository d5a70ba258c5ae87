// CMyCmbListEx: the drop-down list of the converter's selectors, a list
// screen over the converter with one row per entry, the current entry on a
// picture of its own. Choosing a row hides the list and sends
// UWM_LIST_CHOSEN with the row to the selector. CMyConvCmb is the selector
// that opens it.
#pragma once
#include <windows.h>

#include <vector>

#include "BaseLib/Str.h"
#include "ui/Gdi.h"
#include "ui/SelectList.h"
#include "ui/SkinCmb.h"

class CMyCmbListEx : public CSelectList, public ISkinCmbList {
public:
    static constexpr int kRowUnits = 36;
    static const COLORREF kRowTextColor; // RGB(77, 77, 77)

    // selector: the selector that receives the choice (not owned).
    explicit CMyCmbListEx(HWND selector);
    ~CMyCmbListEx() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the hidden list window over rect of the owner's client area.
    bool CreateList(HWND owner, const RECT &rect);

    HWND ListWindow() const override { return GetHwnd(); }
    void SetEntries(const Str *entries, int count, int current) override;

    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;
    void DrawRowBackground(HDC dc, int state, int width, int height) override;
    int GetRowHeight() override;

    int Current() const { return current_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Chooses a row as a tap on it does.
    void Choose(int row);

private:
    void ScrollToCurrent();

    HWND selector_; // not owned
    std::vector<Str> rows_;
    int current_;
    Bitmap rowPicture_[2]; // [0] a row, [1] the current row
};

// The converter's selector: the skinned combo with the converter's caps,
// whose drop-down list is a CMyCmbListEx.
class CMyConvCmb : public CMySkinCmb {
protected:
    ISkinCmbList *MakeDropDownList(HWND owner, const RECT &ownerClient) override;
};
