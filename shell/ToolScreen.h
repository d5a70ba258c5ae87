// A tool screen that carries its descriptor (id, bar buttons, title) but no
// content of its own yet: the screen of a tool still to come.
#pragma once
#include "ui/NormalWnd.h"

class CToolScreen : public CNormalWnd {
public:
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Layout() override;
};
