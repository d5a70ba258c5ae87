// The ink control at size: one typed key in a note of 10,000 characters and
// one stroke added to a note of 2,000 strokes, each until the window is
// repainted, and saving and loading such a note through its stream. Needs a
// display (run it in the device).
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchClock.h"
#include "richink.h"

namespace {

void Report(const char *name, std::vector<double> &samples) {
    std::sort(samples.begin(), samples.end());
    double sum = 0;
    for (double s : samples)
        sum += s;
    std::printf("%-46s mean %9.1f us  median %9.1f us  p95 %9.1f us  max %9.1f us  (%zu runs)\n", name,
                1e6 * sum / samples.size(), 1e6 * samples[samples.size() / 2], 1e6 * samples[samples.size() * 95 / 100],
                1e6 * samples.back(), samples.size());
}

struct Bytes {
    std::vector<unsigned char> data;
    size_t readAt = 0;
};

DWORD CALLBACK Collect(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG *done) {
    auto *bytes = reinterpret_cast<Bytes *>(cookie);
    bytes->data.insert(bytes->data.end(), buffer, buffer + size);
    *done = size;
    return 0;
}

DWORD CALLBACK Deliver(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG *done) {
    auto *bytes = reinterpret_cast<Bytes *>(cookie);
    const size_t n = std::min(size_t(size), bytes->data.size() - bytes->readAt);
    std::copy_n(bytes->data.begin() + bytes->readAt, n, buffer);
    bytes->readAt += n;
    *done = LONG(n);
    return 0;
}

void Stroke(HWND ink, int x, int y) {
    SendMessageW(ink, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    for (int i = 1; i <= 8; ++i)
        SendMessageW(ink, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 3 * i, y + (i % 3) * 4));
    SendMessageW(ink, WM_LBUTTONUP, 0, MAKELPARAM(x + 24, y));
}

} // namespace

int main() {
    InitRichInkDLL();
    HWND ink = CreateWindowExW(0, WC_RICHINKW, L"", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 240, 300, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!ink) {
        std::printf("cannot make the ink window\n");
        return 1;
    }
    SetFocus(ink);
    std::vector<wchar_t> text(10000);
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = (i % 7 == 6) ? L' ' : L'a' + i % 26;
    text.push_back(L'\0');
    SendMessageW(ink, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    SendMessageW(ink, EM_SETSEL, 5000, 5000);
    UpdateWindow(ink);

    std::vector<double> typed;
    for (int i = 0; i < 300; ++i) {
        const double start = Seconds();
        SendMessageW(ink, WM_CHAR, L'a' + i % 26, 0);
        UpdateWindow(ink);
        typed.push_back(Seconds() - start);
    }
    Report("typed key, 10,000 characters, to the repaint", typed);

    SendMessageW(ink, RIM_CLEARALL, 0, 0);
    SendMessageW(ink, RIM_SETINPUTMODE, RI_INPUT_DRAWING, 0);
    for (int i = 0; i < 2000; ++i)
        Stroke(ink, 10 + (i * 37) % 190, 10 + (i * 53) % 260);
    UpdateWindow(ink);
    std::vector<double> drawn;
    for (int i = 0; i < 200; ++i) {
        const double start = Seconds();
        Stroke(ink, 20 + (i * 13) % 180, 20 + (i * 29) % 240);
        UpdateWindow(ink);
        drawn.push_back(Seconds() - start);
        SendMessageW(ink, RIM_UNDO, 0, 0); // stay at 2,000 strokes
        UpdateWindow(ink);
    }
    Report("stroke added to 2,000 strokes, to the repaint", drawn);

    SendMessageW(ink, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    std::vector<double> saved, loaded;
    size_t size = 0;
    for (int i = 0; i < 20; ++i) {
        Bytes out;
        EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&out), 0, Collect};
        double start = Seconds();
        SendMessageW(ink, EM_STREAMOUT, SF_RICHINK, reinterpret_cast<LPARAM>(&es));
        saved.push_back(Seconds() - start);
        size = out.data.size();
        EDITSTREAM in = {reinterpret_cast<DWORD_PTR>(&out), 0, Deliver};
        start = Seconds();
        SendMessageW(ink, EM_STREAMIN, SF_RICHINK, reinterpret_cast<LPARAM>(&in));
        UpdateWindow(ink);
        loaded.push_back(Seconds() - start);
    }
    std::printf("note of 10,000 characters and 2,000 strokes: %zu bytes\n", size);
    Report("save (stream out)", saved);
    Report("load (stream in), to the repaint", loaded);
    DestroyWindow(ink);
    return 0;
}
