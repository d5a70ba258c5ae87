#include "UiTestSupport.h"

#include <algorithm>

namespace uitest {

namespace {
const wchar_t kRecorderClass[] = L"UiTestRecorder";
}

Recorder::Recorder(int x, int y, int width, int height) : hwnd_(nullptr) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kRecorderClass;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, kRecorderClass, L"Recorder", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                            nullptr, wc.hInstance, this);
}

Recorder::~Recorder() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

int Recorder::Count(UINT msg) const {
    return static_cast<int>(
        std::count_if(messages_.begin(), messages_.end(), [msg](const Received &r) { return r.msg == msg; }));
}

int Recorder::Count(UINT msg, LPARAM lParam) const {
    return static_cast<int>(std::count_if(messages_.begin(), messages_.end(), [msg, lParam](const Received &r) {
        return r.msg == msg && r.lParam == lParam;
    }));
}

LRESULT CALLBACK Recorder::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto cs = reinterpret_cast<CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto self = reinterpret_cast<Recorder *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg >= WM_USER && msg < 0xC000) {
        self->messages_.push_back({msg, wParam, lParam});
        if (msg == 5690 && self->followDrags_) { // UWM_DRAG_MOVE
            RECT rc;
            GetWindowRect(hwnd, &rc);
            SetWindowPos(hwnd, nullptr, rc.left + static_cast<int>(wParam), rc.top + static_cast<int>(lParam), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return 0;
    }
    if (self && msg == WM_NCDESTROY)
        self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace uitest
