// CNormalWnd: a full-screen tool screen. It carries the screen descriptor that
// tells the bars what to show, and the hooks the frame calls on it.
#pragma once
#include "ui/ScreenDescriptor.h"
#include "ui/Wnd.h"

class CNormalWnd : public Wnd {
public:
    CNormalWnd() : descriptor_() {}

    // Places the children and repaints the back buffer after a size change.
    virtual void Layout() {}
    // Closes a drop-down list or similar overlay; non-zero when there was one
    // (the back button then only closes it).
    virtual int CloseOverlay() { return 0; }
    // The bottom bar's Copy and Paste on this screen; false when the screen
    // has nothing to copy or cannot take what is pasted.
    virtual bool Copy() { return false; }
    virtual bool Paste() { return false; }

    const ScreenDescriptor &Descriptor() const { return descriptor_; }
    // Given by whoever makes the screen, from the table of screens.
    void SetDescriptor(const ScreenDescriptor &descriptor) { descriptor_ = descriptor; }

protected:
    ScreenDescriptor descriptor_;
};
