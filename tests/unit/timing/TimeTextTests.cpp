// The time display's breakdown, its texts and fonts, and the idle timer's
// set button.
#include <gtest/gtest.h>

#include "timing/TimeBreakdown.h"

namespace {

struct TextCase {
    DWORD valueMs;
    bool showTenths;
    const wchar_t *text;
    bool smallFont;
};

TEST(TimeText, RoundsToTheShownUnitAndPicksTheFontByHours) {
    const TextCase cases[] = {
        {59600, false, L"01:00", false}, // rounded to the nearest second
        {500, false, L"00:01", false},   // half a second still shows a second
        {499, false, L"00:00", false},   // 00:00 only in the last half second
        {0, false, L"00:00", false},
        {3599499, false, L"59:59", false},
        {3599500, false, L"01:00:00", true}, // rounding carries into the hours
        {5400000, false, L"01:30:00", true},
        {7040, true, L"00:07.0", false}, // 5.04 s + 2.00 s of a stopwatch
        {7049, true, L"00:07.0", false},
        {7050, true, L"00:07.1", false},
        {3600000, true, L"01:00:00.0", true},
        {99 * 3600000u + 59 * 60000 + 59950, true, L"00:00.0", false}, // wraps at 100 hours
        {360000000 + 61000, true, L"01:01.0", false},
        {0xFFFFFFFF, true, L"93:02:47.3", true}, // the largest value does not wrap to zero
    };
    for (const TextCase &c : cases) {
        const TimeBreakdown time = BreakDown(c.valueMs, c.showTenths);
        EXPECT_STREQ(c.text, DisplayText(time, c.showTenths).Text()) << c.valueMs << " ms";
        EXPECT_EQ(c.smallFont, NeedsSmallFont(time)) << c.valueMs << " ms";
    }
}

TEST(TimeText, SetButtonShowsHoursOnlyWhenThereAreSome) {
    const TimeBreakdown ninetyMinutes = BreakDown(90 * 60 * 1000, false);
    EXPECT_STREQ(L"01:30:00", SetButtonText(ninetyMinutes).Text());
    EXPECT_EQ(20, SetButtonFontSize(ninetyMinutes));
    const TimeBreakdown fiveMinutes = BreakDown(5 * 60 * 1000, false);
    EXPECT_STREQ(L"05:00", SetButtonText(fiveMinutes).Text());
    EXPECT_EQ(25, SetButtonFontSize(fiveMinutes));
}

} // namespace
