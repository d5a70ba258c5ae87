// The platform's floor: the least a program of TallyPad's shape can do under
// the same system, for FloorProbe and measure.sh to set the main program's
// figures against. One top-most frame with a desk and a tool child, single
// instance by window class, the desk sliding out and back in 50-pixel steps
// with a 2 ms pause (as the frame's slides do), and a text child repainting
// on WM_CHAR.
//   FloorBare            start, or toggle the running one and end
//   FloorBare --keys     time 2000 keys to a painted child and end
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "FloorMessages.h"

namespace {

HWND gFrame, gDesk, gTool;
wchar_t gText[32] = L"0";
int gLength = 1;

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CHAR:
        if (gLength >= 19)
            gLength = 0;
        gText[gLength++] = static_cast<wchar_t>(wParam);
        gText[gLength] = 0;
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        SetBkColor(dc, hwnd == gDesk ? RGB(194, 196, 200) : RGB(151, 167, 227));
        ExtTextOutW(dc, 4, 4, ETO_OPAQUE, &rc, gText, gLength, nullptr);
        EndPaint(hwnd, &ps);
        return 0;
    }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void SlideOut() {
    RECT client;
    GetClientRect(gDesk, &client);
    ShowWindow(gTool, SW_SHOW);
    for (int step = 50;; step += 50) {
        SetWindowPos(gDesk, HWND_TOP, step, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        UpdateWindow(gTool);
        UpdateWindow(gDesk);
        Sleep(2);
        if (step >= client.right)
            break;
    }
    ShowWindow(gDesk, SW_HIDE);
    SetWindowPos(gDesk, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SlideIn() {
    RECT client;
    GetClientRect(gDesk, &client);
    int x = client.right - 50;
    SetWindowPos(gDesk, HWND_TOP, x, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    for (x -= 50; x > 0; x -= 50) {
        SetWindowPos(gDesk, HWND_TOP, x, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        UpdateWindow(gDesk);
        Sleep(2);
    }
    SetWindowPos(gDesk, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(gTool, SW_HIDE);
    InvalidateRect(gDesk, nullptr, FALSE);
    UpdateWindow(gDesk);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kFloorToggle:
        ShowWindow(hwnd, IsWindowVisible(hwnd) ? SW_HIDE : SW_SHOW);
        return 0;
    case kFloorOpenTool:
        SlideOut();
        return 0;
    case kFloorBack:
        SlideIn();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        SetBkColor(dc, RGB(45, 66, 138));
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &ps.rcPaint, L"", 0, nullptr);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

double Microseconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1e6 * double(now.QuadPart) / double(frequency.QuadPart);
}

// The calculator benchmark's first figure, for a child that only draws text.
int TimeKeys() {
    std::vector<double> samples;
    for (int i = 0; i < 2000; ++i) {
        double start = Microseconds();
        SendMessageW(gTool, WM_CHAR, L'1' + i % 9, 0);
        UpdateWindow(gTool);
        samples.push_back(Microseconds() - start);
    }
    std::sort(samples.begin(), samples.end());
    std::printf("typed digit (WM_CHAR)  median %8.1f us  (%zu keys)\n", samples[samples.size() / 2], samples.size());
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    bool keys = lstrcmpW(commandLine, L"--keys") == 0;
    if (!keys) {
        if (HWND running = FindWindowW(kFloorClass, nullptr)) {
            SendMessageW(running, kFloorToggle, 0, 0);
            return 0;
        }
    }
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    // The key timing runs beside a started bare program without being it.
    const wchar_t *frameClass = keys ? L"FloorBareKeys" : kFloorClass;
    wc.lpszClassName = frameClass;
    RegisterClassW(&wc);
    wc.lpfnWndProc = ChildProc;
    wc.lpszClassName = L"FloorBareChild";
    RegisterClassW(&wc);

    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    gFrame = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, frameClass, L"FloorBare", WS_POPUP, 0, 0, width, height,
                             nullptr, nullptr, instance, nullptr);
    gDesk = CreateWindowExW(0, L"FloorBareChild", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 40, width,
                            height - 70, gFrame, nullptr, instance, nullptr);
    gTool = CreateWindowExW(0, L"FloorBareChild", nullptr, WS_CHILD | WS_CLIPSIBLINGS, 0, 40, width, height - 70,
                            gFrame, nullptr, instance, nullptr);
    if (!gFrame || !gDesk || !gTool)
        return 1;
    ShowWindow(gFrame, SW_SHOW);
    UpdateWindow(gFrame);
    if (keys) {
        ShowWindow(gTool, SW_SHOW);
        return TimeKeys();
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
