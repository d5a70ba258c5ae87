// The display's texts: separator, trimmed fraction, digit groups.
#include "calc/DisplayText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DisplayText, TrimFractionDropsTrailingZerosAndALonePoint) {
    const struct {
        const wchar_t *text;
        wchar_t separator;
        const wchar_t *shown;
    } cases[] = {
        {L"0.0", L'.', L"0"},     {L"-0.500", L'.', L"-0.5"},
        {L"5.", L'.', L"5"},      {L"5.10", L'.', L"5.1"},
        {L"100", L'.', L"100"},   {L"10,0", L',', L"10"},
        {L"10.0", L',', L"10.0"}, {L"Error", L'.', L"Error"},
        {L"-0", L'.', L"-0"},     {L"0.0000000001", L'.', L"0.0000000001"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.shown, std::wstring(TrimFraction(c.text, c.separator))) << c.text;
}

TEST(DisplayText, GroupDigitsPutsApostrophesBetweenIntegerGroups) {
    const struct {
        const wchar_t *text;
        wchar_t separator;
        const wchar_t *grouped;
    } cases[] = {
        {L"1234", L'.', L"1'234"},
        {L"123", L'.', L"123"},
        {L"-123", L'.', L"-123"},
        {L"-123456", L'.', L"-123'456"},
        {L"1234567.5", L'.', L"1'234'567.5"},
        {L"1234,5", L',', L"1'234,5"},
        {L"0,12345678", L',', L"0,12345678"},
        {L"Error", L'.', L"Error"},
        {L"-0", L'.', L"-0"},
        {L"1234567890123456789", L'.', L"1'234'567'890'123'456'789"},
        {L"", L'.', L""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.grouped, std::wstring(GroupDigits(c.text, c.separator))) << c.text;
}

TEST(DisplayText, EntryToDisplaySubstitutesTheDecimalSeparator) {
    EXPECT_EQ(L"0,5", std::wstring(EntryToDisplay(L"0.5", L',')));
    EXPECT_EQ(L"-12", std::wstring(EntryToDisplay(L"-12", L',')));
    EXPECT_EQ(L"3.25", std::wstring(EntryToDisplay(L"3.25", L'.')));
}

} // namespace
