// The converter's speed: conversions per second through the field texts
// (read, convert, format) over every pair of units of each category, and
// the time from the bottom bar's Paste until the target field's new picture
// is on the screen. The second part needs a display (run it in the device).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "BenchClock.h"
#include "BenchScreen.h"
#include "convert/ConvWnd.h"
#include "convert/Conversion.h"
#include "convert/Edit.h"
#include "convert/UnitCatalogue.h"
#include "shell/Settings.h"
#include "shell/Tools.h"
#include "ui/Clipboard.h"
#include "ui/Scaling.h"
#include "ui/SkinCmb.h"

namespace {

void ConversionsPerSecond() {
    const wchar_t *values[] = {L"1", L"123456789", L"0.0005", L"98.6", L"-12345678.9"};
    long count = 0;
    volatile int length = 0; // keeps the results alive
    const double start = Seconds();
    for (int round = 0; round < 20; ++round) {
        for (int from = 0; from < units::kUnitCount; ++from) {
            for (int to = 0; to < units::kUnitCount; ++to) {
                if (units::Unit(from).category != units::Unit(to).category)
                    continue;
                Str result;
                units::ConvertText(from, to, values[count % 5], &result);
                length = length + result.Length();
                ++count;
            }
        }
    }
    const double seconds = Seconds() - start;
    std::printf("%-44s %10.0f per second  (%ld conversions)\n", "field text to field text", count / seconds, count);
}

int PasteToPaintedField() {
    BenchScreen bench(kScreenConverter, 250);
    if (!bench.Screen()) {
        std::printf("cannot make the converter window\n");
        return 1;
    }
    CMyConvWnd &conv = static_cast<CMyConvWnd &>(*bench.Screen());
    // Metres to feet, so every paste converts.
    SendMessageW(GetDlgItem(conv.GetHwnd(), CMyConvWnd::kToListId), UWM_LIST_CHOSEN, 4, 0);
    HWND target = conv.Field(CMyConvWnd::kToFieldId)->GetHwnd();
    const wchar_t *texts[] = {L"12.5", L"1+2*3", L"98765.4321", L"-40"};
    std::vector<double> samples;
    for (int i = 0; i < 1000; ++i) {
        ui::PutClipboardText(bench.Main(), texts[i % 4]);
        const double start = Seconds();
        conv.Paste();
        UpdateWindow(target);
        samples.push_back((Seconds() - start) * 1e6);
    }
    Report("paste to painted field", samples, "pastes");
    return 0;
}

} // namespace

int main() {
    ConversionsPerSecond();
    return PasteToPaintedField();
}
