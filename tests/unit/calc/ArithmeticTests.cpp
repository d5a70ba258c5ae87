// Exact decimal arithmetic: BigInt digits and flags, FixedDecimal results as
// the calculator shows them, and the square root over the whole range.
#include "calc/BigInt.h"
#include "calc/FixedDecimal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::wstring Digits(const BigInt &value) {
    wchar_t text[128] = L"";
    value.ToString(text, 128);
    return text;
}

BigInt Big(const wchar_t *text, uint32_t capacity = 30) {
    BigInt value(capacity);
    EXPECT_TRUE(value.FromString(text)) << text;
    return value;
}

FixedDecimal Number(const wchar_t *text) {
    FixedDecimal number;
    number.Parse(text);
    return number;
}

std::wstring Calculate(const wchar_t *a, wchar_t op, const wchar_t *b) {
    FixedDecimal result = Number(a);
    const FixedDecimal operand = Number(b);
    switch (op) {
    case L'+':
        result.Add(operand);
        break;
    case L'-':
        result.Subtract(operand);
        break;
    case L'*':
        result.Multiply(operand);
        break;
    default:
        result.Divide(operand);
        break;
    }
    return result.Text().Text();
}

TEST(BigInt, FromStringAndToStringFollowTheTextRules) {
    BigInt value(4);
    EXPECT_TRUE(value.FromString(L"000123"));
    EXPECT_EQ(L"123", Digits(value));
    EXPECT_TRUE(value.FromString(L"0000"));
    EXPECT_EQ(1u, value.Length()) << "a text of zeros keeps one 0 cell";
    EXPECT_TRUE(value.IsZero());
    EXPECT_TRUE(value.FromString(L""));
    EXPECT_EQ(0u, value.Length());
    EXPECT_TRUE(value.IsZero());

    EXPECT_TRUE(value.FromString(L"42"));
    EXPECT_FALSE(value.FromString(L"4x2"));
    EXPECT_FALSE(value.FromString(L"-1"));
    EXPECT_EQ(L"42", Digits(value)) << "a refused text changes nothing";

    EXPECT_TRUE(value.FromString(L"123456789"));
    EXPECT_EQ(9u, value.Capacity()) << "a longer text grows the storage";
    EXPECT_EQ(L"123456789", Digits(value));

    wchar_t small[4] = L"abc";
    EXPECT_EQ(10u, value.ToString(small, 4));
    EXPECT_STREQ(L"abc", small) << "nothing is written into a buffer that is too small";
    value.SetError();
    EXPECT_EQ(L"Error", Digits(value));
}

TEST(BigInt, BothFormsOfZeroCompareEqual) {
    BigInt empty(30), single = Big(L"0"), one = Big(L"1");
    EXPECT_EQ(0, BigInt::Compare(empty, single));
    EXPECT_EQ(0, BigInt::Compare(single, empty));
    EXPECT_EQ(-1, BigInt::Compare(single, one));
    EXPECT_EQ(1, BigInt::Compare(Big(L"100"), Big(L"99")));
    EXPECT_EQ(-1, BigInt::Compare(Big(L"123"), Big(L"124")));

    BigInt difference = Big(L"5");
    difference.Subtract(single);
    EXPECT_FALSE(difference.HasError()) << "subtracting a one-cell zero";
    EXPECT_EQ(L"5", Digits(difference));
    BigInt zero(30);
    zero.Subtract(single);
    EXPECT_FALSE(zero.HasError()) << "0 - 0 is no underflow";
}

TEST(BigInt, ResultsThatDoNotFitSetTheStickyError) {
    BigInt sum = Big(L"999", 3);
    sum.Add(Big(L"1"));
    EXPECT_TRUE(sum.HasError()) << "carry past the capacity";

    BigInt difference = Big(L"10");
    difference.Subtract(Big(L"11"));
    EXPECT_TRUE(difference.HasError()) << "below zero";

    BigInt shifted = Big(L"12", 5);
    shifted.ShiftLeft(3);
    EXPECT_EQ(L"12000", Digits(shifted));
    shifted.ShiftLeft(1);
    EXPECT_TRUE(shifted.HasError());
    shifted.Add(Big(L"1"));
    shifted.ShiftRight(2);
    EXPECT_TRUE(shifted.HasError()) << "operations leave an errored value as it is";

    BigInt product = Big(L"99", 4);
    product.Multiply(Big(L"99"));
    EXPECT_EQ(L"9801", Digits(product)) << "a product of exactly the capacity fits";
    product.Multiply(Big(L"2"));
    EXPECT_TRUE(product.HasError());

    BigInt quotient = Big(L"5");
    quotient.Divide(BigInt(30));
    EXPECT_TRUE(quotient.HasError()) << "division by zero";

    // Assignment takes over the flag but not the digits of an errored source.
    BigInt target = Big(L"77");
    target = product;
    EXPECT_TRUE(target.HasError());
    target = Big(L"123456789012345678901234567890123", 40);
    EXPECT_FALSE(target.HasError());
    EXPECT_EQ(33u, target.Capacity());
    EXPECT_EQ(L"123456789012345678901234567890123", Digits(target));
}

TEST(BigInt, ShiftRightTruncatesAndDivideRoundsHalfUp) {
    const struct {
        const wchar_t *dividend;
        const wchar_t *divisor;
        const wchar_t *quotient;
    } cases[] = {
        {L"7", L"2", L"4"},
        {L"5", L"3", L"2"},
        {L"4", L"3", L"1"},
        {L"1", L"3", L""},
        {L"2", L"3", L"1"},
        {L"1", L"2", L"1"},
        {L"0", L"7", L""},
        {L"10000000000001", L"1", L"10000000000001"},
        {L"40000000000005", L"4", L"10000000000001"}, // 1.25 rounds down
        {L"123456789012345678901234567890", L"987654321", L"124999998873437499902"},
    };
    for (const auto &c : cases) {
        BigInt value = Big(c.dividend);
        value.Divide(Big(c.divisor));
        EXPECT_EQ(c.quotient, Digits(value)) << c.dividend << " / " << c.divisor;
    }
    BigInt value = Big(L"98765");
    value.ShiftRight(2);
    EXPECT_EQ(L"987", Digits(value));
    value.ShiftRight(3);
    EXPECT_TRUE(value.IsZero());
}

TEST(FixedDecimal, ResultsFormatAsTheCalculatorShowsThem) {
    const struct {
        const wchar_t *a;
        wchar_t op;
        const wchar_t *b;
        const wchar_t *shown;
    } cases[] = {
        {L"1", L'/', L"3", L"0.3333333333"},
        {L"2", L'/', L"3", L"0.6666666667"},
        {L"1", L'/', L"7", L"0.1428571429"},
        {L"10", L'/', L"4", L"2.5"},
        {L"100", L'/', L"8", L"12.5"},
        {L"0.1", L'+', L"0.2", L"0.3"},
        {L"0.333333333333", L'*', L"3", L"1"}, // 0.999999999999 rounds up when shown
        {L"999999999999999999", L'+', L"1", L"Error"},
        {L"-999999999999999999", L'-', L"1", L"Error"},
        {L"123456789012345678", L'*', L"10", L"Error"},
        {L"1", L'/', L"0", L"Error"},
        {L"1", L'/', L"-0", L"Error"},
        {L"1", L'/', L"0.0000000000001", L"Error"}, // the 13th digit is dropped: zero
        {L"10000000000001", L'/', L"1", L"10000000000001"},
        {L"4000000000000.5", L'/', L"4", L"1000000000000.125"},
        {L"5", L'-', L"7", L"-2"},
        {L"5", L'-', L"5", L"0"},
        {L"-5", L'+', L"5", L"-0"},
        {L"0", L'*', L"-5", L"-0"},
        {L"-3", L'+', L"5", L"2"},
        {L"-3", L'-', L"5", L"-8"},
        {L"3", L'-', L"-5", L"8"},
        {L"-2", L'*', L"-3", L"6"},
        {L"-6", L'/', L"4", L"-1.5"},
        {L"0.5", L'*', L"0.000000000001", L"0"},
        {L"999999999999999999", L'*', L"1", L"999999999999999999"},
        {L"100000000000000000", L'*', L"1.5", L"150000000000000000"}, // 42-digit product
        {L"0.000001", L'/', L"1000000", L"0"},
        {L"123456789", L'/', L"0.000000001", L"123456789000000000"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.shown, Calculate(c.a, c.op, c.b)) << c.a << " " << char(c.op) << " " << c.b;
}

TEST(FixedDecimal, KeepsTwelveDigitsTruncatingProductsAndRoundingQuotients) {
    EXPECT_EQ(L"12345678901234", Digits(Number(L"12.3456789012345").Magnitude()))
        << "the 13th fractional digit is dropped, not rounded";
    FixedDecimal quotient = Number(L"2");
    quotient.Divide(Number(L"3"));
    EXPECT_EQ(L"666666666667", Digits(quotient.Magnitude())) << "rounded half up at the 12th digit";
    FixedDecimal product = Number(L"0.666666666667");
    product.Multiply(Number(L"0.5"));
    EXPECT_EQ(L"333333333333", Digits(product.Magnitude())) << "0.3333333333335 truncated";

    EXPECT_EQ(L"0.0000000001", std::wstring(Number(L"0.00000000005").Text()));
    EXPECT_EQ(L"0", std::wstring(Number(L"0.000000000049").Text()));
    EXPECT_EQ(L"49", Digits(Number(L"0.000000000049").Magnitude())) << "the number keeps its digits";
    EXPECT_EQ(L"12.3456789012", std::wstring(Number(L"12.3456789012345").Text()));
}

TEST(FixedDecimal, ParseAcceptsEighteenIntegerDigitsAndRefusesBadText) {
    EXPECT_EQ(L"123456789012345678", std::wstring(Number(L"123456789012345678").Text()));
    EXPECT_TRUE(Number(L"1234567890123456789").HasError()) << "19 integer digits";
    EXPECT_TRUE(Number(L"-1234567890123456789").HasError());

    const struct {
        const wchar_t *text;
        bool ok;
        const wchar_t *shown;
    } cases[] = {
        {L".5", true, L"0.5"},   {L"-.5", true, L"-0.5"},
        {L"5.", true, L"5"},     {L"", true, L"0"},
        {L"-", true, L"-0"},     {L"007.50", true, L"7.5"},
        {L"1.2.3", false, L"0"}, {L"12a", false, L"0"},
        {L"Error", false, L"0"}, {L"1.0000000000001x", false, L"0"},
        {L"+5", false, L"0"},
    };
    for (const auto &c : cases) {
        FixedDecimal number;
        EXPECT_EQ(c.ok, number.Parse(c.text)) << c.text;
        EXPECT_EQ(c.shown, std::wstring(number.Text())) << c.text;
    }

    FixedDecimal number = Number(L"5");
    EXPECT_FALSE(number.Parse(L"-x"));
    EXPECT_EQ(L"-5", std::wstring(number.Text())) << "the sign is taken before the digits fail";
}

TEST(FixedDecimal, ErrorsStickUntilTheNextParseAndPassToResults) {
    const FixedDecimal nineteen = Number(L"1234567890123456789");
    for (wchar_t op : {L'+', L'-', L'*', L'/'}) {
        FixedDecimal result = Number(L"2");
        switch (op) {
        case L'+':
            result.Add(nineteen);
            break;
        case L'-':
            result.Subtract(nineteen);
            break;
        case L'*':
            result.Multiply(nineteen);
            break;
        default:
            result.Divide(nineteen);
            break;
        }
        EXPECT_EQ(L"Error", std::wstring(result.Text())) << "2 " << char(op) << " errored operand";
    }
    FixedDecimal errored = nineteen;
    errored.Add(Number(L"1"));
    EXPECT_EQ(L"Error", std::wstring(errored.Text())) << "an errored first operand stays in error";
    FixedDecimal number = nineteen;
    number.Empty();
    EXPECT_TRUE(number.HasError()) << "emptying keeps the flag";
    EXPECT_TRUE(number.Parse(L"3"));
    EXPECT_EQ(L"3", std::wstring(number.Text()));
}

// --- Square root -----------------------------------------------------------

TEST(SquareRoot, IsRightToTheShownDigitsIncludingFormerlyWrongOperands) {
    const struct {
        const wchar_t *operand;
        const wchar_t *root;
    } cases[] = {
        {L"2", L"1.4142135624"},
        {L"9", L"3"},
        {L"10000", L"100"},
        {L"0.01", L"0.1"},
        {L"0.0001", L"0.01"},
        {L"3", L"1.7320508076"},
        {L"12345.6789", L"111.1111106056"},
        // Out of the old fixed-step range: 200.0000005101, 316.2292647723,
        // 1033.8412392442 and 0.0010338412 before.
        {L"40000", L"200"},
        {L"100000", L"316.2277660168"},
        {L"1000000", L"1000"},
        {L"0.000001", L"0.001"},
        {L"0.000000000001", L"0.000001"},
        {L"0.000000000002", L"0.0000014142"},
        {L"100000000000000000", L"316227766.0168379332"},
        {L"123456789012345678", L"351364182.882014424"},
        {L"999999999999999999", L"999999999.9999999995"},
        {L"999999999999999999.999999999999", L"1000000000"},
        {L"0", L"0"},
        {L"-4", L"Error"},
        {L"-0", L"Error"},
        {L"1234567890123456789", L"Error"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.root, std::wstring(SquareRoot(Number(c.operand)).Text())) << c.operand;
}

// root X of a number with magnitude M is right when X is the integer nearest
// to sqrt(M * 10^12): (2X - 1)^2 <= 4 * M * 10^12 < (2X + 1)^2.
::testing::AssertionResult IsNearestRoot(const FixedDecimal &a) {
    const FixedDecimal root = SquareRoot(a);
    if (root.HasError() || root.IsNegative())
        return ::testing::AssertionFailure() << "no root";
    BigInt four(80), two(80), one(80);
    four.AppendDigit(4);
    two.AppendDigit(2);
    one.AppendDigit(1);
    BigInt radicand(80);
    radicand = a.Magnitude();
    radicand.ShiftLeft(12);
    radicand.Multiply(four);
    BigInt low(80), high(80);
    low = root.Magnitude();
    low.Multiply(two);
    high = low;
    high.Add(one);
    if (!low.IsZero())
        low.Subtract(one);
    BigInt lowSquare(low), highSquare(high);
    lowSquare.Multiply(low);
    highSquare.Multiply(high);
    if (BigInt::Compare(lowSquare, radicand) <= 0 && BigInt::Compare(radicand, highSquare) < 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "root " << root.Text().Text();
}

TEST(SquareRoot, IsTheNearestTwelveDigitRootOverTheWholeRange) {
    // Every power of ten from 10^-12 to 10^17 with a few mantissas, the
    // extremes, and pseudo-random magnitudes of every length.
    const wchar_t *mantissas[] = {L"1", L"2", L"3.14159", L"5", L"9.99999999999"};
    for (int exponent = -12; exponent <= 17; ++exponent) {
        for (const wchar_t *mantissa : mantissas) {
            FixedDecimal a = Number(mantissa);
            FixedDecimal scale = Number(L"1");
            for (int i = 0; i < (exponent < 0 ? -exponent : exponent); ++i)
                scale.Multiply(Number(L"10"));
            if (exponent < 0)
                a.Divide(scale);
            else
                a.Multiply(scale);
            if (a.HasError() || a.IsZero())
                continue;
            EXPECT_TRUE(IsNearestRoot(a)) << mantissa << "e" << exponent;
        }
    }
    EXPECT_TRUE(IsNearestRoot(Number(L"0.000000000001")));
    EXPECT_TRUE(IsNearestRoot(Number(L"999999999999999999.999999999999")));

    uint64_t seed = 12345;
    for (int i = 0; i < 600; ++i) {
        std::wstring digits;
        const int length = 1 + i % 30;
        for (int k = 0; k < length; ++k) {
            seed = seed * 6364136223846793005ull + 1442695040888963407ull;
            digits += wchar_t(L'0' + (seed >> 33) % 10);
        }
        std::wstring text = length > 12 ? digits.substr(0, length - 12) + L"." + digits.substr(length - 12)
                                        : L"0." + std::wstring(12 - length, L'0') + digits;
        const FixedDecimal a = Number(text.c_str());
        if (!a.IsZero()) {
            EXPECT_TRUE(IsNearestRoot(a)) << text;
        }
    }
}

} // namespace
