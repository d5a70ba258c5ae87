// CNormalWnd: a full-screen tool screen. It carries the screen descriptor that
// tells the bars what to show, and the hooks the frame calls on it.
#pragma once
#include "ui/Screen.h"
#include "ui/Wnd.h"

class CNormalWnd : public Wnd {
public:
    CNormalWnd() : descriptor_() {}

    // Places the children and repaints the back buffer after a size change.
    virtual void Layout() {}
    // Closes a drop-down list or similar overlay; non-zero when there was one
    // (the back button then only closes it).
    virtual int CloseOverlay() { return 0; }

    const ScreenDescriptor &Descriptor() const { return descriptor_; }

protected:
    ScreenDescriptor descriptor_; // filled by the tool screen's constructor
};
