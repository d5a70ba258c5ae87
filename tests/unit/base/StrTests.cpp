#include "BaseLib/Str.h"
#include "TestResources.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <string>

namespace {

Str Formatted(const wchar_t *format, ...) {
    va_list args;
    va_start(args, format);
    Str text;
    text.FormatV(format, args);
    va_end(args);
    return text;
}

const wchar_t *EmptyText() { return Str().Text(); }

TEST(Str, CopiesShareUntilOneOfThemAppends) {
    Str a(L"abc");
    Str b = a;
    EXPECT_EQ(a.Text(), b.Text());
    EXPECT_EQ(2, a.ShareCount());

    // Appending nothing keeps the shared block.
    a.Append(Str());
    a.Append(static_cast<const wchar_t *>(nullptr));
    a.Append(L"");
    EXPECT_EQ(b.Text(), a.Text());
    EXPECT_EQ(2, a.ShareCount());

    b.Append(L"d");
    EXPECT_STREQ(L"abc", a);
    EXPECT_STREQ(L"abcd", b);
    EXPECT_EQ(1, a.ShareCount());
    EXPECT_EQ(1, b.ShareCount());
}

TEST(Str, AppendExtendsInPlaceOnlyWithinCapacity) {
    Str s(L"abc"); // capacity 64 holds 25 characters
    const wchar_t *block = s.Text();
    s.Append(L"defghijklmnopqrstuvwxy");
    EXPECT_EQ(block, s.Text()) << "25 characters still fit the 64-byte class";
    EXPECT_EQ(25, s.Length());
    s.Append(L"z");
    EXPECT_EQ(128, s.Capacity());
    EXPECT_STREQ(L"abcdefghijklmnopqrstuvwxyz", s);
}

TEST(Str, OperandsInsideOwnTextSurviveReallocation) {
    Str s(L"abcdefghijklmnopqrstuvwxy"); // full 64-byte block
    s.Append(s);
    EXPECT_STREQ(L"abcdefghijklmnopqrstuvwxyabcdefghijklmnopqrstuvwxy", s);

    Str t(L"abcdefghijklmnopqrstuvwxy");
    t.Append(t.Text() + 20);
    EXPECT_STREQ(L"abcdefghijklmnopqrstuvwxyuvwxy", t);

    Str u(L"hello world");
    u = u.Text() + 6;
    EXPECT_STREQ(L"world", u);

    Str v(L"abc");
    v.Format(L"<%s>", v.Text());
    EXPECT_STREQ(L"<abc>", v);
}

TEST(Str, CapacityClassesFollowNeededBytes) {
    const struct {
        int length;
        int capacity;
    } cases[] = {{1, 64},    {25, 64},   {26, 128},  {57, 128},  {58, 256},
                 {121, 256}, {122, 512}, {249, 512}, {250, 514}, {1000, 2014}};
    for (const auto &c : cases) {
        Str s(std::wstring(c.length, L'x').c_str());
        EXPECT_EQ(c.capacity, s.Capacity()) << "length " << c.length;
    }
}

TEST(Str, EmptyResultsAreTheSharedEmptyText) {
    const Str abcde(L"abcde");
    const Str empties[] = {Str(),           Str(nullptr),  Str(L""), abcde.Substring(9, 1), abcde.Prefix(-4),
                           abcde.Suffix(0), Formatted(L"")};
    for (const Str &e : empties) {
        EXPECT_EQ(EmptyText(), e.Text());
        EXPECT_EQ(100, e.ShareCount()) << "the shared count is never changed";
        EXPECT_EQ(64, e.Capacity());
    }
    Str s(L"abc");
    s = L"";
    EXPECT_EQ(EmptyText(), s.Text());
}

TEST(Str, SubstringsClampAndShareWholeText) {
    const Str s(L"abcde");
    const struct {
        Str result;
        const wchar_t *expected;
    } cases[] = {
        {s.Substring(3, 10), L"de"}, {s.Substring(9, 1), L""},    {s.Substring(-2, 2), L"ab"},
        {s.Substring(1, -1), L""},   {s.Substring(1, 3), L"bcd"}, {s.Prefix(-4), L""},
        {s.Prefix(2), L"ab"},        {s.Suffix(2), L"de"},        {s.Suffix(-1), L""},
    };
    for (const auto &c : cases)
        EXPECT_STREQ(c.expected, c.result);

    for (const Str &whole : {s.Substring(0, 5), s.Substring(-1, 99), s.Prefix(9), s.Suffix(99)})
        EXPECT_EQ(s.Text(), whole.Text()) << "a whole-text result shares the block";
}

TEST(Str, ConcatSharesWhenOneSideIsEmpty) {
    const Str cd(L"cd");
    EXPECT_STREQ(L"abcd", Str::Concat(L"ab", cd));
    EXPECT_STREQ(L"cdab", Str::Concat(cd, L"ab"));
    EXPECT_STREQ(L"cdcd", Str::Concat(cd, cd));
    EXPECT_STREQ(L"ab", Str::Concat(Str(), L"ab"));
    for (const Str &shared :
         {Str::Concat(L"", cd), Str::Concat(nullptr, cd), Str::Concat(cd, L""), Str::Concat(Str(), cd)})
        EXPECT_EQ(cd.Text(), shared.Text());
}

TEST(Str, BufferForWritesPrivatelyAndSetLengthMeasures) {
    const Str original(L"keep");
    Str s = original;
    wchar_t *buffer = s.BufferFor(300);
    EXPECT_GE(s.Capacity(), (300 + 7) * 2);
    wcscpy(buffer, L"xyz");
    s.SetLength(-1);
    EXPECT_STREQ(L"xyz", s);
    EXPECT_EQ(3, s.Length());
    s.SetLength(2);
    EXPECT_STREQ(L"xy", s);
    EXPECT_STREQ(L"keep", original);
}

TEST(Str, FormatFollowsWideConvention) {
    const struct {
        Str result;
        const wchar_t *expected;
    } cases[] = {
        {Formatted(L"%s and %c", L"wide", L'x'), L"wide and x"},
        {Formatted(L"%hs/%hc", "narrow", 'n'), L"narrow/n"},
        {Formatted(L"%d %u %x %X", -5, 7u, 255, 255), L"-5 7 ff FF"},
        {Formatted(L"%I64d %I64u", -1234567890123LL, 18446744073709551615ULL), L"-1234567890123 18446744073709551615"},
        {Formatted(L"%.2f %f %g", 3.14159, 0.5, 0.25), L"3.14 0.500000 0.25"},
        {Formatted(L"%5d|%-4s|%*d", 42, L"ab", 3, 7), L"   42|ab  |  7"},
        {Formatted(L"100%%"), L"100%"},
        {Formatted(L"%s", static_cast<const wchar_t *>(nullptr)), L"(null)"},
    };
    for (const auto &c : cases)
        EXPECT_STREQ(c.expected, c.result);
}

TEST(Str, FormatNeverCutsLongResults) {
    const std::wstring longText(100000, L'q');
    const Str s = Formatted(L"<%s>", longText.c_str());
    ASSERT_EQ(100002, s.Length());
    EXPECT_EQ(L'>', s.Text()[100001]);

    const Str huge = Formatted(L"%f", 1e300);
    EXPECT_EQ(301 + 7, huge.Length()) << "301 digits, point and six decimals";
}

TEST(Str, LoadResourceStringRetriesUntilTheTextFits) {
    Str s;
    ASSERT_TRUE(s.LoadResourceString(IDS_TEST_LONG));
    std::wstring expected;
    for (int i = 0; i < 30; ++i)
        expected += L"abcdefghij";
    EXPECT_EQ(expected, std::wstring(s.Text()));
    EXPECT_EQ(300, s.Length());

    ASSERT_TRUE(s.LoadResourceString(IDS_TEST_SHORT));
    EXPECT_STREQ(L"Cancel", s);
}

} // namespace
