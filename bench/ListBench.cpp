// The selectable list: what painting costs. A full list (every visible row
// drawn off-screen on its state background with text and icon, then copied)
// and one flick frame (the offset moved and the window repainted), on a
// 240 x 300 list of 200 rows, and the same at twice the resolution.
//   ListBench [--rounds N]
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>

#include "resource.h"
#include "ui/Scaling.h"
#include "ui/SimpleUIList.h"
#include "BenchClock.h"

namespace {

class BenchList : public CSimpleUIList {};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

void Run(const wchar_t *label, int scale, int rounds) {
    SetMetrics(ComputeScreenMetrics(240 * scale, 320 * scale, 96 * scale, 96 * scale));
    Wnd frame;
    frame.Create(L"ListBench", WS_POPUP | WS_VISIBLE, RECT{0, 0, 240 * scale, 300 * scale}, nullptr, 0, false);
    BenchList list;
    RECT rc = {0, 0, 240 * scale, 300 * scale};
    if (!list.Create(frame.GetHwnd(), &rc, L"BenchList")) {
        wprintf(L"%ls: no list window\n", label);
        return;
    }
    list.LoadIcons(PickBitmap(IDB_LIST_ICONS, IDB_LIST_ICONS_HI), 4);
    for (int i = 0; i < 200; ++i) {
        wchar_t text[32];
        _snwprintf(text, 32, L"Row number %d", i);
        list.AddRow(text, i % 4);
    }
    list.ShowRows();
    Pump();
    CListWnd &rows = *list.List();

    double start = Seconds();
    for (int i = 0; i < rounds; ++i)
        rows.Repaint();
    const double full = (Seconds() - start) / rounds;

    // A flick frame: a few pixels further, every visible row drawn again.
    start = Seconds();
    int offset = 0;
    for (int i = 0; i < rounds; ++i) {
        offset = (offset + 17 * scale) % rows.MaxOffset();
        rows.SetOffset(offset);
    }
    const double flick = (Seconds() - start) / rounds;
    wprintf(L"%-10ls full list paint %8.1f us   flick frame %8.1f us   (%d rounds, %d rows visible)\n", label,
            full * 1e6, flick * 1e6, rounds, 300 * scale / CListWnd::DefaultRowHeight() + 1);
}

} // namespace

int wmain(int argc, wchar_t **argv) {
    int rounds = 500;
    for (int i = 1; i + 1 < argc; ++i)
        if (wcscmp(argv[i], L"--rounds") == 0)
            rounds = _wtoi(argv[i + 1]);
    if (rounds <= 0)
        rounds = 1;
    Run(L"96 dpi", 1, rounds);
    Run(L"192 dpi", 2, rounds);
    return 0;
}
