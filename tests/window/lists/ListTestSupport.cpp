#include "ListTestSupport.h"

#include <algorithm>

#include "BaseLib/Clock.h"
#include "ui/Scaling.h"

namespace listtest {

std::function<void(DWORD)> ListFixture::onWait;
std::vector<DWORD> ListFixture::waits;

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool Queued(HWND window, UINT msg) {
    MSG m;
    return PeekMessageW(&m, window, msg, msg, PM_NOREMOVE) != 0;
}

Parent::Parent(int width, int height) {
    Create(L"ListParent", WS_POPUP | WS_VISIBLE, RECT{0, 0, width, height}, nullptr, 0, false);
}

LRESULT Parent::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ENABLE || msg == WM_KEYDOWN || (msg >= WM_USER && msg < 0xC000)) {
        received.push_back({msg, wParam, lParam});
        return 0;
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

int Parent::Count(UINT msg) const {
    return static_cast<int>(
        std::count_if(received.begin(), received.end(), [msg](const Received &r) { return r.msg == msg; }));
}

void TestList::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) {
    CopyStateBackground(dc, pressed ? 1 : 0, rect);
    events.push_back({"draw", row, pressed, pressedButton, static_cast<int>(rect.right - rect.left), L""});
}

void TestList::OnItemClick(CListWnd *, int row, POINT, int button) {
    events.push_back({"click", row, false, button, 0, L""});
}

void TestList::GetEditText(int row, Str *text, RECT *) {
    Str t;
    t.Format(L"Row %d", row);
    *text = t;
    events.push_back({"get", row, false, -1, 0, L""});
}

void TestList::SetEditText(int row, const Str &text) { events.push_back({"set", row, false, -1, 0, text.Text()}); }

const RECT *TestList::GetItemButtons(int, int *count) {
    *count = static_cast<int>(buttons.size());
    return buttons.empty() ? nullptr : buttons.data();
}

LRESULT TestList::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN)
        events.push_back({"key", static_cast<int>(wParam), false, -1, 0, L""});
    if (msg == UWM_TITLE_COMMAND && mapPickerCommands && HandlePickerCommand(wParam))
        return 0;
    return CUIList::WindowProc(hwnd, msg, wParam, lParam);
}

int TestList::Clicks() const {
    return static_cast<int>(
        std::count_if(events.begin(), events.end(), [](const Event &e) { return e.kind == "click"; }));
}

const Event *TestList::LastOf(const char *kind) const {
    for (auto it = events.rbegin(); it != events.rend(); ++it)
        if (it->kind == kind)
            return &*it;
    return nullptr;
}

int TestList::IndexOf(const char *kind, int row, int pressed) const {
    for (size_t i = 0; i < events.size(); ++i)
        if (events[i].kind == kind && events[i].row == row && (pressed < 0 || events[i].pressed == (pressed != 0)))
            return static_cast<int>(i);
    return -1;
}

namespace {
void FixtureWait(DWORD ms) {
    ListFixture::waits.push_back(ms);
    Clock::Advance(ms);
    if (ListFixture::onWait)
        ListFixture::onWait(ms);
}
} // namespace

void ListFixture::SetUp() {
    SetMetrics(ComputeScreenMetrics(240, 320, 96, 96));
    SYSTEMTIME noon = {2026, 12, 0, 6, 12, 0, 0, 0};
    Clock::Fake(100000, noon);
    onWait = nullptr;
    waits.clear();
    CListWnd::SetWaitFunction(FixtureWait);
    ASSERT_NE(parent.GetHwnd(), nullptr);
}

void ListFixture::TearDown() {
    CListWnd::SetWaitFunction(nullptr);
    onWait = nullptr;
    Clock::Real();
    Pump();
}

void ListFixture::MakeList(int rows, int width, int height, const int *editable) {
    RECT rc = {0, 0, width, height};
    ASSERT_TRUE(screen.Create(parent.GetHwnd(), &rc, L"TestListWnd"));
    screen.List()->SetItems(rows, editable, 2);
    Pump();
    screen.events.clear();
}

void ListFixture::Stylus(UINT msg, int x, int y) { SendMessageW(ListHwnd(), msg, MK_LBUTTON, Point(x, y)); }

} // namespace listtest
