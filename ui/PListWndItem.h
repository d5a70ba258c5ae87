// PListWndItem: one row of an item list window. A row knows its rectangle
// in list coordinates (the top of the first row is 0) and draws itself.
#pragma once
#include <windows.h>

class PListWnd;

class PListWndItem {
public:
    // list: the window that shows the row (not owned; may be null).
    explicit PListWndItem(PListWnd *list, int index = 0);
    virtual ~PListWndItem();
    PListWndItem(const PListWndItem &) = delete;
    PListWndItem &operator=(const PListWndItem &) = delete;

    // Draws the row into rect (the row's rectangle moved to where the list
    // shows it). Here: the background only.
    virtual void Draw(HDC dc, const RECT &rect);
    virtual void Press();   // highlights the row
    virtual void Click();   // nothing here
    virtual void Release(); // removes the highlight
    // The rectangle becomes left, top, right, top + height.
    virtual void SetPosition(int left, int top, int right);
    // A disabled row keeps its look; a change repaints the row.
    virtual void SetHighlight(bool highlight);
    virtual void DrawBackground(HDC dc, const RECT &rect);
    // Colours of a static child whose id is this row's index; null: the
    // platform's own.
    virtual HBRUSH ControlColour(HDC dc);

    int Index() const { return index_; }
    void SetIndex(int index) { index_ = index; }
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height; }
    const RECT &Rect() const { return rect_; }
    bool Highlighted() const { return highlighted_; }
    bool Disabled() const { return disabled_; }
    void SetDisabled(bool disabled) { disabled_ = disabled; }
    PListWnd *List() const { return list_; }

protected:
    int index_;
    int height_;
    RECT rect_;
    bool highlighted_;
    bool disabled_;
    PListWnd *list_; // not owned
};
