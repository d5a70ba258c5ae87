#include "ShellTestSupport.h"

#include <algorithm>
#include "ui/Scaling.h"

namespace shelltest {

namespace {
const wchar_t kRecorderClass[] = L"ShellTestRecorder";

LPARAM Point(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}
} // namespace

const Resolution kResolutions[2] = {{"96 dpi", 240, 320, 96}, {"192 dpi", 480, 640, 192}};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

Recorder::Recorder(const RECT &rect, HWND parent, UINT childId) : hwnd_(nullptr) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kRecorderClass;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    const DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
    hwnd_ = CreateWindowExW(
        0, kRecorderClass, L"Recorder", style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
        parent, parent ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(childId)) : nullptr, wc.hInstance, this);
}

Recorder::~Recorder() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

int Recorder::Count(UINT msg) const {
    return static_cast<int>(
        std::count_if(messages_.begin(), messages_.end(), [msg](const Received &r) { return r.msg == msg; }));
}

const Received *Recorder::Last(UINT msg) const {
    for (auto it = messages_.rbegin(); it != messages_.rend(); ++it) {
        if (it->msg == msg)
            return &*it;
    }
    return nullptr;
}

std::vector<UINT> Recorder::Sequence() const {
    std::vector<UINT> numbers;
    for (const Received &r : messages_)
        numbers.push_back(r.msg);
    return numbers;
}

LRESULT CALLBACK Recorder::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto cs = reinterpret_cast<CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto self = reinterpret_cast<Recorder *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && ((msg >= WM_USER && msg < 0xC000) || msg == WM_KEYDOWN)) {
        self->messages_.push_back({msg, wParam, lParam});
        return 0;
    }
    if (self && msg == WM_NCDESTROY)
        self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Press(HWND window, int x, int y) { SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y)); }
void MoveTo(HWND window, int x, int y) { SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, Point(x, y)); }
void Release(HWND window, int x, int y) { SendMessageW(window, WM_LBUTTONUP, 0, Point(x, y)); }
void Tap(HWND window, int x, int y) {
    Press(window, x, y);
    Release(window, x, y);
}

RECT ChildRect(HWND child) {
    RECT rc = {};
    GetWindowRect(child, &rc);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT *>(&rc), 2);
    return rc;
}

bool IsShown(HWND window) { return window && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

ScopedMetrics::ScopedMetrics(int width, int height, int dpi) : saved_(Metrics()) {
    SetMetrics(ComputeScreenMetrics(width, height, dpi, dpi));
}

ScopedMetrics::~ScopedMetrics() { SetMetrics(saved_); }

} // namespace shelltest
