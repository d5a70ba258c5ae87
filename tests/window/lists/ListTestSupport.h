// A list screen that records what the row window asks of it, a parent window
// that records what it is sent, and a fixture that drives the stylus with a
// frozen clock.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Messages.h"
#include "ui/UIList.h"

namespace listtest {

inline LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Dispatches whatever is queued for this thread.
void Pump();
// Whether msg waits in the window's queue (left there).
bool Queued(HWND window, UINT msg);

struct Received {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// A top-level window that records WM_ENABLE, WM_KEYDOWN and private messages.
class Parent : public Wnd {
public:
    Parent(int width = 240, int height = 320);
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    int Count(UINT msg) const;
    std::vector<Received> received;
};

// One recorded callback: "draw", "click", "set" or "get".
struct Event {
    std::string kind;
    int row;
    bool pressed;
    int button;
    int width;
    std::wstring text;
};

class TestList : public CUIList {
public:
    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;
    void GetEditText(int row, Str *text, RECT *editRect) override;
    void SetEditText(int row, const Str &text) override;
    const RECT *GetItemButtons(int row, int *count) override;
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    int Clicks() const;
    const Event *LastOf(const char *kind) const;
    // Index of the first event of the kind for the row (pressed as given, or
    // any), -1 when none.
    int IndexOf(const char *kind, int row, int pressed = -1) const;

    std::vector<Event> events;
    std::vector<RECT> buttons; // the same in-row buttons on every row
    bool mapPickerCommands = false;
};

// Frozen clock, metrics of a 96-dpi screen, and waits that only advance the
// clock (an optional hook sees every one).
class ListFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A list screen of the given size in the parent, filled with rows.
    void MakeList(int rows, int width = 240, int height = 300, const int *editable = nullptr);
    void Stylus(UINT msg, int x, int y);
    HWND ListHwnd() const { return screen.List()->GetHwnd(); }
    CListWnd &Rows() { return *screen.List(); }

public:
    // Every wait of the row window, and a hook run after each.
    static std::function<void(DWORD)> onWait;
    static std::vector<DWORD> waits;

protected:
    Parent parent;
    TestList screen;
};

} // namespace listtest
