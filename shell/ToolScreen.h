// A tool screen that carries its descriptor (id, bar buttons, title) but no
// content of its own yet; the frame makes it where the tool's window will be.
#pragma once
#include "ui/NormalWnd.h"

class CToolScreen : public CNormalWnd {
public:
    explicit CToolScreen(const ScreenDescriptor &descriptor) { descriptor_ = descriptor; }

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Layout() override;
};
