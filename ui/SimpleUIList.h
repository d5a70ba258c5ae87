// CSimpleUIList: a list screen whose rows are a text and an icon on the
// state backgrounds (1 pressed, 0 otherwise).
#pragma once
#include <windows.h>

#include <vector>

#include "BaseLib/Str.h"
#include "ui/SelectList.h"

class CSimpleUIList : public CSelectList {
public:
    static const COLORREF kRowTextColor; // RGB(77, 77, 77)

    // Adds a row; icon: index in the image list, or -1 for none.
    void AddRow(const wchar_t *text, int icon);
    void ClearRows();
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Hands the rows to the row window (two state backgrounds).
    void ShowRows();

    // The text of a row and its icon (-1 none).
    virtual Str RowText(int row) const;
    virtual int RowIcon(int row) const;

    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd * /*list*/, int /*row*/, POINT /*pt*/, int /*button*/) override {}

private:
    struct Row {
        Str text;
        int icon;
    };
    std::vector<Row> rows_;
};
