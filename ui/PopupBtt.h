// CPopupBtt: a key balloon. While a key of the calculator (or the
// converter's pad) is held, its balloon shows the key enlarged just above
// it. The balloons are hidden child windows of the main window, shaped by a
// mask picture, built once by BuildBalloons when the "Animation Button"
// option is on.
#pragma once
#include <windows.h>

#include "ui/Gdi.h"
#include "ui/Wnd.h"

// Balloon ids (= child ids). The first group serves the calculator's keypad,
// the second the converter's digit pad.
enum : UINT {
    kBalloonText = 38759,         // made only without a layout set
    kBalloonPlain = 38760,        // plain key: the key's text
    kBalloonTextAlt = 38761,      // made only without a layout set
    kBalloonWide = 38762,         // the portrait keypad's wide key
    kBalloonPlusMinus = 38763,    // picture: plus-minus
    kBalloonRoot = 38764,         // picture: square root
    kBalloonBackspace = 38765,    // picture: backspace
    kBalloonPadPlain = 38766,     // the digit pad's plain keys
    kBalloonPadBackspace = 38767, // picture: backspace
    kBalloonPadWide = 38768,      // the digit pad's wide key
};

// Which pictures the balloons get: portrait or landscape when the main
// window is fixed (IsFull), none (plain drawn balloons) when it is not.
enum class BalloonSet { kNone, kPortrait, kLandscape };

class CPopupBtt : public Wnd {
public:
    static constexpr int kMaxText = 40;

    CPopupBtt(UINT id, BalloonSet set);

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the hidden balloon in the main window, above its siblings, and
    // cuts its shape. A picture that its set names but that cannot be loaded
    // is reported in a message box over the main window.
    HWND CreateBalloon(HWND mainWindow);

    // The text drawn over the picture (at most kMaxText characters).
    void SetText(const wchar_t *text);
    const wchar_t *Text() const { return text_; }
    // Shows the balloon with its top-left corner at (x, y) in the main
    // window's client area, above the other children.
    void ShowAt(int x, int y);
    void Hide();

    UINT Id() const { return id_; }
    BalloonSet Set() const { return set_; }
    bool HasPicture() const { return static_cast<bool>(picture_); }
    // The balloon's size in pixels on this screen.
    SIZE Size() const;

private:
    void Paint(HDC dc, const RECT &client) override;
    HRGN MakeShape(const SIZE &size) const;

    UINT id_;
    BalloonSet set_;
    Bitmap picture_;
    Bitmap mask_;
    Font font_;
    wchar_t text_[kMaxText + 1];
};

// The set for the main window's mode and the work area's shape.
BalloonSet ChooseBalloonSet(bool isFull, const RECT &workArea);

// Builds the balloons for the main window (call only while the "Animation
// Button" option is on): shows the waiting window, makes the first group
// again for the set, the second group only if it does not exist yet, and
// removes the waiting window. The first form picks the set from isFull and
// the work area.
void BuildBalloons(HWND mainWindow, bool isFull);
void BuildBalloons(HWND mainWindow, BalloonSet set);
// Destroys every balloon.
void DestroyBalloons();
// The balloon with that id, or null when it is not built.
CPopupBtt *FindBalloon(UINT id);
