// A tool screen that carries its descriptor (id, bar buttons, title) but no
// content of its own yet: the screen of a tool still to come. It shows the
// screen colour.
#pragma once
#include "ui/NormalWnd.h"

class CToolScreen : public CNormalWnd {
public:
    void Layout() override { Redraw(); }

protected:
    void Paint(HDC dc, const RECT &client) override;
};
