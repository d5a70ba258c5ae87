// A tool screen for the screen benchmarks: made from the table of screens in
// a stand-in for the main window, shown and laid out, with the message pump
// and the report line of timed samples they share.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "shell/Settings.h"
#include "shell/Tools.h"
#include "ui/Scaling.h"

// Dispatches whatever is queued for this thread.
inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Mean, median, 95th percentile and maximum of samples in microseconds.
inline void Report(const char *name, std::vector<double> &samples, const char *what) {
    if (samples.empty())
        return;
    std::sort(samples.begin(), samples.end());
    double sum = 0;
    for (double s : samples)
        sum += s;
    std::printf("%-44s mean %8.1f us  median %8.1f us  p95 %8.1f us  max %8.1f us  (%zu %s)\n", name,
                sum / samples.size(), samples[samples.size() / 2], samples[samples.size() * 95 / 100], samples.back(),
                samples.size(), what);
}

class BenchScreen {
public:
    // A 240-wide screen of the given height; Screen() is null when it could
    // not be made.
    BenchScreen(int screenId, int height) : settings_(96, 96, L"") {
        InitScreenMetrics();
        main_ = CreateWindowExW(0, L"STATIC", L"Bench", WS_POPUP | WS_VISIBLE, 0, 0, 240, height, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        settings_.feedbackVibro = 0;
        if (main_)
            screen_ = MakeToolScreen(screenId, settings_, main_, RECT{0, 0, 240, height});
        if (screen_) {
            screen_->Show(SW_SHOW);
            screen_->Layout();
            Pump();
        }
    }
    ~BenchScreen() {
        screen_.reset();
        if (main_)
            DestroyWindow(main_);
    }
    BenchScreen(const BenchScreen &) = delete;
    BenchScreen &operator=(const BenchScreen &) = delete;

    CNormalWnd *Screen() const { return screen_.get(); }
    HWND Main() const { return main_; }

private:
    Settings settings_;
    HWND main_ = nullptr;
    std::unique_ptr<CNormalWnd> screen_;
};
