#include "ui/Wnd.h"

#include <aygshell.h>

#include "ui/Desktop.h"

const wchar_t Wnd::kClassName[] = L"VelWndCls";

Wnd::Wnd()
    : hwnd_(nullptr), owner_(nullptr), released_(false), fit_(false), previousProc_(nullptr), previousUserData_(0) {}

Wnd::~Wnd() {
    if (hwnd_) {
        if (previousProc_) {
            Detach(); // the control's creator owns it
        } else {
            HWND window = hwnd_;
            DestroyWindow(window); // its WM_DESTROY forgets the window
            if (hwnd_) {
                // Destruction failed (another thread's window?): leave no
                // pointer to this object behind.
                SetWindowLongPtrW(window, GWLP_USERDATA, 0);
                hwnd_ = nullptr;
            }
        }
    }
    backBuffer_.Free();
}

LRESULT Wnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (HasBackBuffer()) {
        switch (msg) {
        case WM_SIZE:
            RebuildBackBuffer();
            Redraw();
            break;
        case WM_PAINT:
            PaintFromBackBuffer();
            return 0;
        case WM_ERASEBKGND:
            return 1; // everything comes from the back buffer
        }
    }
    return DefaultProc(hwnd, msg, wParam, lParam);
}

LRESULT Wnd::DefaultProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (previousProc_)
        return CallWindowProcW(previousProc_, hwnd, msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Wnd::FitToVisibleDesktop() {
    if (fit_ && hwnd_)
        FitWindowToVisibleDesktop(hwnd_);
}

void Wnd::Notify(UINT code, UINT id, WPARAM wParam, LPARAM lParam) {
    if (owner_)
        owner_->Notify(code, id, wParam, lParam);
}

bool Wnd::RegisterCommonClass() {
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = RoutingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    return RegisterClassW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND Wnd::Create(const wchar_t *caption, DWORD style, const RECT &rect, HWND parent, UINT childId,
                 bool doubleBuffered) {
    if (hwnd_)
        return hwnd_;
    if (className_.IsEmpty()) {
        RegisterCommonClass();
        className_ = kClassName;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    // Only a child window takes an id in place of a menu; for a pop-up the
    // number would be taken for a menu handle and creation would fail.
    HMENU idOrMenu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(childId)) : nullptr;
    HWND window = CreateWindowExW(0, className_, caption, style, rect.left, rect.top, width, height, parent, idOrMenu,
                                  GetModuleHandleW(nullptr), this);
    if (!window) {
        hwnd_ = nullptr;
        return nullptr;
    }
    if (doubleBuffered)
        backBuffer_.Make(window, width, height);
    return window;
}

void Wnd::Show(int showCommand) {
    if (hwnd_)
        ShowWindow(hwnd_, showCommand);
}

bool Wnd::Move(int x, int y, int width, int height, bool repaint) {
    if (!hwnd_)
        return false;
    MoveWindow(hwnd_, x, y, width, height, repaint);
    return true;
}

void Wnd::RebuildBackBuffer() {
    if (!HasBackBuffer())
        return;
    if (!hwnd_) {
        backBuffer_.Free();
        return;
    }
    RECT rc = {};
    GetClientRect(hwnd_, &rc);
    backBuffer_.Make(hwnd_, rc.right - rc.left, rc.bottom - rc.top);
}

void Wnd::Redraw() {
    if (!hwnd_ || !HasBackBuffer())
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    Paint(backBuffer_.Dc(), client);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void Wnd::ReleaseBackBuffer() {
    if (!HasBackBuffer() || !hwnd_ || IsWindowVisible(hwnd_))
        return;
    backBuffer_.Free();
    released_ = true;
}

void Wnd::RestoreBackBuffer() {
    if (!released_)
        return;
    released_ = false;
    RECT client = {};
    GetClientRect(hwnd_, &client);
    if (backBuffer_.Make(hwnd_, client.right, client.bottom))
        Redraw();
}

namespace {

// Calls act with the object of root and of each of its descendants that has
// one, parents before their children.
template <typename Act>
void ForEachInTree(HWND root, Act act) {
    if (Wnd *object = Wnd::FromHandle(root))
        act(*object);
    EnumChildWindows(
        root,
        [](HWND child, LPARAM actPointer) -> BOOL {
            if (Wnd *object = Wnd::FromHandle(child))
                (*reinterpret_cast<Act *>(actPointer))(*object);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&act));
}

} // namespace

void Wnd::ReleaseTreeBuffers(HWND root) {
    ForEachInTree(root, [](Wnd &object) { object.ReleaseBackBuffer(); });
}

void Wnd::RestoreTreeBuffers(HWND root) {
    ForEachInTree(root, [](Wnd &object) { object.RestoreBackBuffer(); });
}

void Wnd::Paint(HDC, const RECT &) {}

void Wnd::PaintFromBackBuffer() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (dc && HasBackBuffer()) {
        const RECT &r = ps.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, backBuffer_.Dc(), r.left, r.top, SRCCOPY);
    }
    EndPaint(hwnd_, &ps);
}

bool Wnd::Attach(HWND window) {
    if (hwnd_ || !window || !IsWindow(window))
        return false;
    WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (current == RoutingProc)
        return false; // already served by an object
    hwnd_ = window;
    previousUserData_ = GetWindowLongPtrW(window, GWLP_USERDATA);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previousProc_ = current;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RoutingProc));
    return true;
}

// Forgets the window; an attached window gets back its own procedure and
// user data, so it goes on as if it had never been attached.
void Wnd::Detach() {
    if (hwnd_) {
        if (previousProc_) {
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, previousUserData_);
        } else {
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        }
    }
    previousProc_ = nullptr;
    previousUserData_ = 0;
    hwnd_ = nullptr;
}

Wnd *Wnd::FromHandle(HWND hwnd) {
    // User data belongs to whoever made the window; it holds an object only
    // when the window is routed here.
    if (!hwnd || reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != RoutingProc)
        return nullptr;
    return reinterpret_cast<Wnd *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK Wnd::RoutingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Wnd *self = reinterpret_cast<Wnd *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        // Until WM_CREATE nothing reaches an object: WM_NCCREATE and the size
        // queries before it see a half-made window.
        if (msg == WM_CREATE) {
            const CREATESTRUCTW *cs = reinterpret_cast<const CREATESTRUCTW *>(lParam);
            self = static_cast<Wnd *>(cs->lpCreateParams);
            if (self) {
                self->hwnd_ = hwnd;
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
                return self->WindowProc(hwnd, msg, wParam, lParam);
            }
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_DESTROY) {
        LRESULT result = self->WindowProc(hwnd, msg, wParam, lParam);
        // Later messages (WM_NCDESTROY) must not reach an object that may be
        // gone by then.
        self->Detach();
        return result;
    }
    if (AsksToRefit(msg, wParam))
        self->FitToVisibleDesktop();
    // A window shown without its tree being restored first paints its
    // released buffer again before any class's own painting reads it.
    if (msg == WM_PAINT)
        self->RestoreBackBuffer();
    return self->WindowProc(hwnd, msg, wParam, lParam);
}
