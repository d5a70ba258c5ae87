// Time to decode a stored alarm record as its date fields grow: a damaged
// store can hold any length, and decoding must stay linear in it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "alarm/AlarmTemp.h"
#include "BenchClock.h"

int main() {
    const wchar_t stored[] = L"/T40008.31250000000000000000000000000000000000/LWork/R62/SD\\Windows\\Alarm4.wma"
                             L"/SZ1/E1/CT40007.50000000000000000000000000000000000000/V5/VIB0";
    const long rounds = 100000;
    AlarmTemp record;
    double start = Seconds();
    for (long i = 0; i < rounds; ++i)
        DecodeAlarm(record, stored);
    std::printf("%-36s %10.2f us per record\n", "record as stored", (Seconds() - start) / rounds * 1e6);

    for (size_t digits : {1000u, 10000u, 100000u, 1000000u}) {
        const std::wstring field(digits, L'7');
        const std::wstring text = L"/T" + field + L"/LBig/R2/SD/SZ1/E1/CT" + field + L"/V3/VIB1";
        start = Seconds();
        DecodeAlarm(record, text.c_str());
        const double elapsed = Seconds() - start;
        std::printf("date fields of %7zu digits           %10.3f ms  (%.2f ns per character)\n", digits, elapsed * 1e3,
                    elapsed * 1e9 / (2 * digits));
    }
    return 0;
}
