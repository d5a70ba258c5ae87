#include "ui/Dlg.h"

#include <aygshell.h>

#include "ui/Desktop.h"

namespace {

// A dialog procedure returns most results through DWLP_MSGRESULT; only a few
// messages take the procedure's own return value.
INT_PTR ReturnFromDialog(HWND hwnd, UINT msg, INT_PTR result) {
    switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return result;
    }
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace

Dlg::Dlg() : hwnd_(nullptr), menuBar_(nullptr), fit_(false), templateId_(0), modal_(false) {}

Dlg::~Dlg() {
    if (hwnd_) {
        HWND window = hwnd_;
        if (!modal_)
            DestroyWindow(window); // its WM_DESTROY forgets the window
        if (hwnd_) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
        }
    }
}

const DLGTEMPLATE *Dlg::FindTemplate() const {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId_), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    return loaded ? static_cast<const DLGTEMPLATE *>(LockResource(loaded)) : nullptr;
}

INT_PTR Dlg::DoModal(HWND parent) {
    if (!templateId_)
        return 0;
    const DLGTEMPLATE *tmpl = FindTemplate();
    if (!tmpl)
        return -1;
    modal_ = true;
    INT_PTR code =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), tmpl, parent, RoutingProc, reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return code;
}

HWND Dlg::CreateModeless(HWND parent) {
    if (!templateId_ || hwnd_)
        return hwnd_;
    const DLGTEMPLATE *tmpl = FindTemplate();
    if (!tmpl)
        return nullptr;
    modal_ = false;
    HWND window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), tmpl, parent, RoutingProc,
                                             reinterpret_cast<LPARAM>(this));
    if (window) {
        ShowWindow(window, SW_SHOW);
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    }
    return window;
}

void Dlg::End(INT_PTR code) {
    if (!hwnd_)
        return;
    if (modal_)
        EndDialog(hwnd_, code);
    else
        DestroyWindow(hwnd_);
}

INT_PTR Dlg::DialogProc(HWND, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        End(LOWORD(wParam));
    return 0;
}

INT_PTR Dlg::PreDialogProc(HWND, UINT, WPARAM, LPARAM, INT_PTR *) { return 0; }

void Dlg::FitToVisibleDesktop() {
    if (fit_ && hwnd_)
        FitWindowToVisibleDesktop(hwnd_);
}

void Dlg::MakeMenuBar() {
    if (!hwnd_)
        return;
    if (menuBar_ && IsWindow(menuBar_))
        DestroyWindow(menuBar_);
    menuBar_ = nullptr;
    SHMENUBARINFO info = {};
    info.cbSize = sizeof info;
    info.hwndParent = hwnd_;
    info.dwFlags = SHCMBF_EMPTYBAR;
    if (SHCreateMenuBar(&info))
        menuBar_ = info.hwndMB;
}

INT_PTR CALLBACK Dlg::RoutingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Dlg *self = reinterpret_cast<Dlg *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        if (msg != WM_INITDIALOG || !lParam)
            return FALSE;
        self = reinterpret_cast<Dlg *>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, lParam);
    }
    if (msg == WM_DESTROY) {
        if (self->menuBar_ && IsWindow(self->menuBar_))
            DestroyWindow(self->menuBar_);
        self->menuBar_ = nullptr;
        INT_PTR result = self->DialogProc(hwnd, msg, wParam, lParam);
        // Nothing after WM_DESTROY reaches an object that may be gone by then.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return result;
    }
    if (AsksToRefit(msg, wParam))
        self->FitToVisibleDesktop();
    INT_PTR result = 0;
    if (self->PreDialogProc(hwnd, msg, wParam, lParam, &result))
        return ReturnFromDialog(hwnd, msg, result);
    return self->DialogProc(hwnd, msg, wParam, lParam);
}
