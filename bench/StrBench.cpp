// Throughput of the string type: appends that grow through the size classes,
// copies that only share, whole-string substrings and formatting.
#include <windows.h>

#include <cstdio>

#include "BaseLib/Str.h"
#include "BenchClock.h"

namespace {

template <class Work>
void Measure(const char *name, long operations, Work work) {
    double start = Seconds();
    work(operations);
    double elapsed = Seconds() - start;
    std::printf("%-34s %10.1f M ops/s  (%ld ops, %.3f s)\n", name, operations / elapsed / 1e6, operations, elapsed);
}

volatile int sink; // keeps results alive so the work is not optimised away

} // namespace

int main() {
    Measure("append 8 chars, texts of 0..800", 2000000, [](long n) {
        Str text;
        for (long i = 0; i < n; ++i) {
            if (text.Length() >= 800)
                text = L"";
            text.Append(L"abcdefgh");
        }
        sink = text.Length();
    });
    Measure("copy (share) and release", 20000000, [](long n) {
        Str source(L"a text that is shared, never copied");
        for (long i = 0; i < n; ++i) {
            Str copy(source);
            sink = copy.Length();
        }
    });
    Measure("copy then append (unshare)", 2000000, [](long n) {
        Str source(L"a text of medium length to copy");
        for (long i = 0; i < n; ++i) {
            Str copy(source);
            copy.Append(L"!");
            sink = copy.Length();
        }
    });
    Measure("substring of the whole text", 20000000, [](long n) {
        Str source(L"0123456789");
        for (long i = 0; i < n; ++i)
            sink = source.Substring(0, 10).Length();
    });
    Measure("format \"%s %d %.2f\"", 1000000, [](long n) {
        Str text;
        for (long i = 0; i < n; ++i) {
            text.Format(L"%s %d %.2f", L"value", int(i), 3.25);
            sink = text.Length();
        }
    });
    return 0;
}
