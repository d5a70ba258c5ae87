#include "BaseLib/Locale.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(Locale, ParseLocaleNumberKeepsDigitsSignAndFirstSeparator) {
    const wchar_t saved = DecimalSeparator();
    const struct {
        wchar_t separator;
        const wchar_t *text;
        double expected;
    } cases[] = {
        {L',', L"1 234,50", 1234.5}, {L'.', L"1 234,50", 123450}, {L'.', L"12-3", 12},        {L'.', L"", 0},
        {L'.', L"abc", 0},           {L'.', nullptr, 0},          {L',', L"-0,25 kg", -0.25}, {L',', L"1,5,7", 1.57},
        {L'.', L"1.5.7", 1.57},
    };
    for (const auto &c : cases) {
        SetDecimalSeparator(c.separator);
        EXPECT_DOUBLE_EQ(c.expected, ParseLocaleNumber(c.text))
            << (c.text ? c.text : L"(null)") << " with '" << static_cast<char>(c.separator) << "'";
    }
    SetDecimalSeparator(saved);
}

TEST(Locale, FormatShortDateFollowsOrderAndSeparator) {
    SYSTEMTIME date = {};
    date.wYear = 2009;
    date.wMonth = 3;
    date.wDay = 5;
    EXPECT_STREQ(L"03/05/09", FormatShortDate(date, 0, L'/'));
    EXPECT_STREQ(L"05.03.09", FormatShortDate(date, 1, L'.'));
    EXPECT_STREQ(L"09-03-05", FormatShortDate(date, 2, L'-'));
    EXPECT_STREQ(L"03/05/09", FormatShortDate(date, 7, L'/')) << "unknown order means 0";
    date.wYear = 1999;
    EXPECT_STREQ(L"99.03.05", FormatShortDate(date, 2, L'.'));
    EXPECT_EQ(8, FormatShortDate(date).Length()) << "user locale form";
}

TEST(Locale, CompareNoCaseSortsNamesAndTreatsNullAsEqual) {
    Str names[] = {Str(L"beta.wav"), Str(L"Alpha.MP3"), Str(L"gamma"), Str(L"ALPHA.mp3")};
    qsort(names, 4, sizeof(Str), CompareNoCase);
    EXPECT_EQ(0, _wcsicmp(L"alpha.mp3", names[0]));
    EXPECT_EQ(0, _wcsicmp(L"alpha.mp3", names[1]));
    EXPECT_STREQ(L"beta.wav", names[2]);
    EXPECT_STREQ(L"gamma", names[3]);

    const Str a(L"a");
    EXPECT_EQ(0, CompareNoCase(static_cast<const Str *>(nullptr), &a));
    EXPECT_EQ(0, CompareNoCase(&a, static_cast<const Str *>(nullptr)));
    EXPECT_GT(0, CompareNoCase(&a, &names[2]));
}

} // namespace
