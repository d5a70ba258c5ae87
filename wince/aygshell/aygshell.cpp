// Shell functions of the handheld, as far as a desktop has them: there is no
// input panel and no soft-key menu bar, so the panel queries fail (callers
// then use the work area) and menu bars are hidden placeholders.
#include <cstddef>
#include <string>

#include "aygshell.h"
#include "FileHandle.h"

extern "C" IMAGE_DOS_HEADER __ImageBase; // this DLL's module, for its window class

namespace {

const wchar_t kMenuBarClass[] = L"TallyPadMenuBar";

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

HINSTANCE Module() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

bool RegisterMenuBarClass() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = Module();
    wc.lpszClassName = kMenuBarClass;
    return RegisterClassW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// ANSI form of a text, or false when the code page cannot hold it exactly: a
// shortcut whose target came out with '?' in it would start something else.
bool ToAnsiExactly(const wchar_t *text, int length, std::string &out) {
    const bool utf8 = GetACP() == CP_UTF8; // that code page rejects the lossy-use check
    BOOL lossy = FALSE;
    DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int n = WideCharToMultiByte(CP_ACP, flags, text, length, nullptr, 0, nullptr, utf8 ? nullptr : &lossy);
    if (n <= 0 || lossy)
        return false;
    out.assign(n, '\0');
    return WideCharToMultiByte(CP_ACP, flags, text, length, &out[0], n, nullptr, nullptr) == n;
}

} // namespace

AYGSHELL_API BOOL WINAPI SHSipPreference(HWND /*hwnd*/, SIPSTATE /*st*/) { return TRUE; }

AYGSHELL_API BOOL WINAPI SipGetInfo(SIPINFO * /*pSipInfo*/) { return Fail(ERROR_NOT_SUPPORTED); }

AYGSHELL_API BOOL WINAPI SHSipInfo(UINT /*uiAction*/, UINT /*uiParam*/, PVOID /*pvParam*/, UINT /*fWinIni*/) {
    return Fail(ERROR_NOT_SUPPORTED);
}

AYGSHELL_API BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO *pmbi) {
    // Callers built before clrBk existed pass the shorter size.
    if (!pmbi || pmbi->cbSize < offsetof(SHMENUBARINFO, clrBk))
        return Fail(ERROR_INVALID_PARAMETER);
    pmbi->hwndMB = nullptr;
    if (!(pmbi->dwFlags & SHCMBF_EMPTYBAR))
        return Fail(ERROR_NOT_SUPPORTED); // menus from resources are not simulated
    if (!RegisterMenuBarClass())
        return FALSE;
    // Owned by the parent so it goes away with it; never shown.
    HWND bar = CreateWindowExW(WS_EX_TOOLWINDOW, kMenuBarClass, L"", WS_POPUP, 0, 0, 0, 0, pmbi->hwndParent, nullptr,
                               Module(), nullptr);
    if (!bar)
        return FALSE;
    pmbi->hwndMB = bar;
    return TRUE;
}

AYGSHELL_API BOOL WINAPI SHInitDialog(SHINITDLGINFO *pshidi) {
    if (!pshidi || !IsWindow(pshidi->hDlg))
        return Fail(ERROR_INVALID_PARAMETER);
    if ((pshidi->dwMask & SHIDIM_FLAGS) && (pshidi->dwFlags & SHIDIF_SIZEDLGFULLSCREEN)) {
        RECT area;
        if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
            return FALSE;
        HWND dlg = pshidi->hDlg;
        if (GetWindowLongW(dlg, GWL_STYLE) & WS_CHILD)
            MapWindowPoints(HWND_DESKTOP, GetParent(dlg), reinterpret_cast<POINT *>(&area), 2);
        if (!SetWindowPos(dlg, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                          SWP_NOZORDER | SWP_NOACTIVATE))
            return FALSE;
    }
    return TRUE;
}

AYGSHELL_API BOOL WINAPI SHCreateShortcut(LPWSTR szShortcut, LPWSTR szTarget) {
    if (!szShortcut || !szTarget || !*szShortcut || !*szTarget)
        return Fail(ERROR_INVALID_PARAMETER);
    const int length = lstrlenW(szTarget);
    std::string target;
    if (!ToAnsiExactly(szTarget, length, target))
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
    const std::string text = std::to_string(length) + '#' + target;

    DWORD written = 0;
    bool ok;
    {
        FileHandle file(
            CreateFileW(szShortcut, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid())
            return FALSE;
        ok = WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
             written == text.size();
    }
    if (!ok) {
        DWORD error = GetLastError();
        DeleteFileW(szShortcut); // no half-written shortcut left to start
        return Fail(error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT);
    }
    return TRUE;
}
