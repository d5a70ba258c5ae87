// The pasted-expression evaluator: precedence, unary minus, parentheses,
// separators, line sums and every way to fail.
#include "calc/Expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "BaseLib/Locale.h"

namespace {

// Sets the process-wide separators for one test and puts them back.
class Separators {
public:
    Separators(wchar_t decimal, wchar_t thousands) : decimal_(DecimalSeparator()), thousands_(ThousandsSeparator()) {
        SetDecimalSeparator(decimal);
        SetThousandsSeparator(thousands);
    }
    ~Separators() {
        SetDecimalSeparator(decimal_);
        SetThousandsSeparator(thousands_);
    }

private:
    wchar_t decimal_, thousands_;
};

std::string Narrow(const std::wstring &text) {
    std::string narrow;
    for (wchar_t c : text)
        narrow += c == L'\r' ? "\\r" : c == L'\n' ? "\\n" : std::string(1, char(c));
    return narrow;
}

TEST(Expression, EvaluatesWithPrecedenceUnaryMinusAndParentheses) {
    Separators separators(L'.', L',');
    const struct {
        const wchar_t *text;
        double value;
    } cases[] = {
        {L"1+2*3", 7},
        {L"3*-2", -6},
        {L"2-3*4", -10},
        {L"(1+2)*3", 9},
        {L"-5+2", -3},
        {L"--5", 5},
        {L"2*(3+4)*-1", -14},
        {L"2*-3+1", -5},
        {L"8/2/2", 2},
        {L"2-3-4", -5},
        {L"1/4", 0.25},
        {L"10 - -5", 15},
        {L"1+(-2)", -1},
        {L"((2))", 2},
        {L"-(2+3)", -5},
        {L"+5", 5},
        {L"*/5", 5},
        {L"5+", 5},
        {L"  7  ", 7},
        {L"12 kg", 12},
        {L"1,234.5", 1234.5},
        {L"1,000,000/4", 250000},
        {L".5+.25", 0.75},
        {L"10\n20\n30", 60},
        {L"10\r\n20\r\n30\r\n", 60},
        {L"1.5\r\n-0.5\r\n", 1},
        {L"2*3\n4", 10},
        {L"2*3*-1", -6},
        {L"(1+2)*-3", -9},
        {L"1-2*3--4", -1},
    };
    for (const auto &c : cases) {
        double value = 12345;
        EXPECT_TRUE(EvaluateExpression(c.text, &value)) << Narrow(c.text);
        EXPECT_DOUBLE_EQ(c.value, value) << Narrow(c.text);
    }
}

TEST(Expression, ReadsNumbersWithTheProcessDecimalSeparator) {
    Separators separators(L',', L'.');
    const struct {
        const wchar_t *text;
        double value;
    } cases[] = {
        {L"1.234,5", 1234.5}, {L"1,5\n2,5", 4}, {L"0,1+0,2", 0.3}, {L"3,5*2", 7}, {L"1 234,5", 1234.5},
    };
    for (const auto &c : cases) {
        double value = 0;
        EXPECT_TRUE(EvaluateExpression(c.text, &value)) << Narrow(c.text);
        EXPECT_DOUBLE_EQ(c.value, value) << Narrow(c.text);
    }
}

TEST(Expression, FailsWithoutTouchingTheValue) {
    Separators separators(L'.', L',');
    const std::wstring longestNumber(198, L'9');
    const std::wstring tooLongNumber(199, L'9');
    const std::wstring longestText = L"1" + std::wstring(999, L' ');
    const std::wstring tooLongText = L"1" + std::wstring(1000, L' ');
    const std::wstring overflow = longestNumber + L"*" + longestNumber;
    double value = 0;
    EXPECT_TRUE(EvaluateExpression(longestNumber.c_str(), &value)) << "198 digits";
    EXPECT_TRUE(EvaluateExpression(longestText.c_str(), &value)) << "1000 characters";

    const std::wstring failures[] = {
        L"",    L"   ", L"abc", L"+",    L"-",    L"(",          L"()",       L"(1+2",  L"1+2)",
        L")1(", L"1/0", L"0/0", L"5+*3", L"2*/3", tooLongNumber, tooLongText, overflow,
    };
    for (const std::wstring &text : failures) {
        value = 42;
        EXPECT_FALSE(EvaluateExpression(text.c_str(), &value)) << Narrow(text.substr(0, 40));
        EXPECT_EQ(42, value) << Narrow(text.substr(0, 40));
    }
    EXPECT_FALSE(EvaluateExpression(nullptr, &value));
    EXPECT_FALSE(EvaluateExpression(L"1", nullptr));
}

// Generated texts from the characters that matter: nothing may crash, and
// every success is a finite value.
TEST(Expression, SurvivesGeneratedTexts) {
    Separators separators(L'.', L',');
    const wchar_t alphabet[] = L"0123456789+-*/()., \r\nx";
    const size_t letters = sizeof(alphabet) / sizeof(wchar_t) - 1;
    uint64_t seed = 2024;
    int successes = 0;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        const size_t length = (seed >> 33) % (i % 100 == 0 ? 1100 : 40);
        std::wstring text;
        for (size_t k = 0; k < length; ++k) {
            seed = seed * 6364136223846793005ull + 1442695040888963407ull;
            text += alphabet[(seed >> 33) % letters];
        }
        double value = 0;
        if (EvaluateExpression(text.c_str(), &value)) {
            ++successes;
            ASSERT_TRUE(std::isfinite(value)) << Narrow(text);
        }
    }
    EXPECT_GT(successes, 100) << "the generator should make some valid texts";
}

} // namespace
