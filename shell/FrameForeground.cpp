// The frame and the other applications: handing the foreground back to the
// application behind it, and the input panel.
#include <windows.h>

#include "BaseLib/Str.h"
#include "aygshell.h"
#include "shell/BlindWnd.h"
#include "ui/ScreenDescriptor.h"

namespace {

bool IsUtilityWindow(HWND wnd) {
    static const wchar_t *const kClasses[] = {L"ActiveSync", L"MS_SIPBUTTON", L"Ime", L"FAKEIMEUI",
                                              L"ms_sqlce_se_notify_wndproc"};
    wchar_t name[256] = L"";
    GetClassNameW(wnd, name, 256);
    for (const wchar_t *cls : kClasses)
        if (lstrcmpW(name, cls) == 0)
            return true;
    wchar_t title[256] = L"";
    GetWindowTextW(wnd, title, 256);
    return lstrcmpW(title, L"CursorWindow") == 0;
}

} // namespace

void CBlindWnd::SetInputPanelState(int request, bool forced) {
    int effective = forced ? request : (CurrentScreen().screenId == kScreenNote ? request : 0);
    if (effective == 1) {
        SHSipPreference(hwnd_, SIP_UP);
        if (menuBar_)
            ShowWindow(menuBar_, SW_SHOW);
        return;
    }
    SHSipPreference(hwnd_, SIP_FORCEDOWN);
    if (HWND sipButton = FindWindowW(L"MS_SIPBUTTON", nullptr))
        ShowWindow(sipButton, SW_HIDE);
    if (menuBar_)
        ShowWindow(menuBar_, SW_HIDE);
}

void CBlindWnd::HandOffForeground() {
    OutputDebugStringW(L"Path window next: ");
    HWND target = nullptr;
    for (HWND wnd = GetForegroundWindow(); wnd; wnd = GetWindow(wnd, GW_HWNDNEXT)) {
        // Every window looked at goes to the trace, chosen or not.
        wchar_t title[256] = L"", cls[256] = L"";
        GetWindowTextW(wnd, title, 256);
        GetClassNameW(wnd, cls, 256);
        Str trace;
        trace.Format(L"%s/%s - ", title, cls);
        OutputDebugStringW(trace);
        if (wnd == hwnd_ || !IsWindow(wnd) || !IsWindowVisible(wnd) || !title[0] || IsUtilityWindow(wnd) ||
            (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
            continue;
        target = wnd;
        break;
    }
    OutputDebugStringW(L"\r\n");
    if (!target) {
        OutputDebugStringW(L"Not find Foreground Window and set Desktop\r\n");
        target = GetDesktopWindow();
        if (!target)
            return;
    }
    wchar_t title[256] = L"";
    GetWindowTextW(target, title, 256);
    Str trace;
    trace.Format(L"Set Foreground Window: %s\r\n", title);
    OutputDebugStringW(trace);
    SetForegroundWindow(target);
    SetInputPanelState(0, false);
    SetActiveWindow(target);
}
