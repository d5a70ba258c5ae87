// Throughput of the calculator's decimal arithmetic: add, multiply, divide,
// square root and formatting (the cache defeated), on operands of typical
// and of full length.
#include <windows.h>

#include <cstdio>

#include "calc/FixedDecimal.h"
#include "BenchClock.h"

namespace {

template <class Work>
void Measure(const char *name, long operations, Work work) {
    const double start = Seconds();
    work(operations);
    const double elapsed = Seconds() - start;
    std::printf("%-40s %12.0f ops/s  (%ld ops, %.3f s)\n", name, operations / elapsed, operations, elapsed);
}

FixedDecimal Number(const wchar_t *text) {
    FixedDecimal number;
    number.Parse(text);
    return number;
}

volatile int sink; // keeps results alive so the work is not optimised away

} // namespace

int main() {
    const FixedDecimal small = Number(L"1234.5678");
    const FixedDecimal other = Number(L"0.987654321");
    const FixedDecimal large = Number(L"123456789012345678.123456789012");
    const FixedDecimal three = Number(L"3");

    Measure("add 1234.5678 + 0.987654321", 1000000, [&](long n) {
        for (long i = 0; i < n; ++i) {
            FixedDecimal sum = small;
            sum.Add(other);
            sink = sum.Magnitude().Length();
        }
    });
    Measure("subtract, 30-digit operands", 1000000, [&](long n) {
        for (long i = 0; i < n; ++i) {
            FixedDecimal sum = large;
            sum.Subtract(small);
            sink = sum.Magnitude().Length();
        }
    });
    Measure("multiply 1234.5678 * 0.987654321", 500000, [&](long n) {
        for (long i = 0; i < n; ++i) {
            FixedDecimal product = small;
            product.Multiply(other);
            sink = product.Magnitude().Length();
        }
    });
    Measure("multiply, 30-digit by 13-digit", 200000, [&](long n) {
        for (long i = 0; i < n; ++i) {
            FixedDecimal product = large;
            product.Multiply(three);
            sink = product.Magnitude().Length();
        }
    });
    Measure("divide 1234.5678 / 0.987654321", 200000, [&](long n) {
        for (long i = 0; i < n; ++i) {
            FixedDecimal quotient = small;
            quotient.Divide(other);
            sink = quotient.Magnitude().Length();
        }
    });
    Measure("divide, 30-digit by 3", 100000, [&](long n) {
        for (long i = 0; i < n; ++i) {
            FixedDecimal quotient = large;
            quotient.Divide(three);
            sink = quotient.Magnitude().Length();
        }
    });
    Measure("square root of 1234.5678", 20000, [&](long n) {
        for (long i = 0; i < n; ++i)
            sink = SquareRoot(small).Magnitude().Length();
    });
    Measure("square root, 30-digit operand", 20000, [&](long n) {
        for (long i = 0; i < n; ++i)
            sink = SquareRoot(large).Magnitude().Length();
    });
    Measure("format 1234.5678 (fresh copy each time)", 500000, [&](long n) {
        for (long i = 0; i < n; ++i) {
            const FixedDecimal copy = small;
            sink = copy.Text().Length();
        }
    });
    Measure("format, cached text", 5000000, [&](long n) {
        for (long i = 0; i < n; ++i)
            sink = large.Text().Length();
    });
    Measure("parse \"123456789.123456\"", 500000, [&](long n) {
        for (long i = 0; i < n; ++i)
            sink = Number(L"123456789.123456").Magnitude().Length();
    });
    return 0;
}
