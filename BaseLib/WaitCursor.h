// The wait cursor for as long as it lives; the previous cursor comes back.
#pragma once
#include <windows.h>

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) { ShowCursor(TRUE); }
    ~WaitCursor() {
        ShowCursor(FALSE);
        SetCursor(previous_);
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    HCURSOR previous_; // shared system cursor, not owned
};
