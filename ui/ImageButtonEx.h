// CImageButtonEx: one group of up to three image buttons of a bar, drawn from
// one strip of icons that holds two per button (2i normal, 2i + 1
// pressed). Not a window: the bar that holds it hit-tests and draws it.
#pragma once
#include <windows.h>

#include "ui/IconStrip.h"

class CImageButtonEx {
public:
    static constexpr int kMaxButtons = 3;

    CImageButtonEx();
    virtual ~CImageButtonEx();
    CImageButtonEx(const CImageButtonEx &) = delete;
    CImageButtonEx &operator=(const CImageButtonEx &) = delete;

    // Takes the icons from a bitmap resource of 2 x buttons icons of the
    // given size side by side, magenta transparent. A missing picture leaves
    // the buttons without one.
    bool LoadImages(UINT bitmapId, int imageWidth, int imageHeight);
    void Clear(); // no buttons, no images

    // Adds a button; false when the group is full.
    bool AddButton(const RECT &rect);
    int Count() const { return count_; }
    const RECT &ButtonRect(int index) const { return buttons_[index].rect; }
    void SetButtonRect(int index, const RECT &rect);
    int State(int index) const { return buttons_[index].state; }
    void SetState(int index, int state) { buttons_[index].state = state ? 1 : 0; }
    // The union of the buttons' rectangles.
    const RECT &Rect() const { return rect_; }
    // The button under the point, or -1.
    int HitTest(POINT pt) const;
    bool HasImages() const { return images_.Count() > 0; }

    // Draws every button with the image of its state.
    virtual void Draw(HDC dc);

private:
    void UpdateRect();

    struct Button {
        RECT rect;
        int state; // 0 normal, 1 pressed
    };
    Button buttons_[kMaxButtons];
    int count_;
    RECT rect_;
    IconStrip images_;
};
