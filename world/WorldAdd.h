// CMyWorldAdd: every city of the city list with its offset, in file order,
// laid over the world clock. A tap on a city tells the world clock to add
// it and hides the list; the back button only hides it.
#pragma once
#include <windows.h>

#include <vector>

#include "ui/SelectList.h"
#include "world/CityList.h"

class CMyWorldAdd : public CSelectList {
public:
    static const COLORREF kNameColor;   // RGB(77, 77, 77)
    static const COLORREF kOffsetColor; // RGB(49, 28, 74)

    // cities: the world clock's table, which outlives this window (not
    // owned).
    explicit CMyWorldAdd(const std::vector<world::City> *cities);
    ~CMyWorldAdd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;

    // Makes the window over the world clock on first use and shows it on
    // top, at the first city. False when the window cannot be made.
    bool ShowOver(HWND worldWindow);
    void Hide();
    // The city index of each row (lines that are no city are left out).
    const std::vector<int> &RowCities() const { return rows_; }

private:
    const std::vector<world::City> *cities_; // not owned
    std::vector<int> rows_;
    HWND world_; // not owned: the world clock, told of the chosen city
};
