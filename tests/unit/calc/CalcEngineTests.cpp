// The calculator as key sequences: what the display shows after each step.
#include "calc/CalcEngine.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

// Keys as typed characters, plus: C clear, s change sign, r square root,
// M memory add, R memory recall, X memory clear, b backspace. Spaces are
// only for reading.
void Press(CalcEngine &engine, const wchar_t *keys) {
    for (const wchar_t *k = keys; *k; ++k) {
        switch (*k) {
        case L' ':
            break;
        case L'C':
            engine.Clear();
            break;
        case L's':
            engine.ChangeSign();
            break;
        case L'r':
            engine.SquareRoot();
            break;
        case L'M':
            engine.MemoryAdd();
            break;
        case L'R':
            engine.MemoryRecall();
            break;
        case L'X':
            engine.MemoryClear();
            break;
        case L'b':
            engine.OnKey(8);
            break;
        default:
            EXPECT_TRUE(engine.OnKey(*k)) << "key " << char(*k);
            break;
        }
    }
}

struct Step {
    const wchar_t *keys;
    const wchar_t *shown;
};

struct Scenario {
    const char *name;
    std::vector<Step> steps;
};

TEST(CalcEngine, KeySequencesShowTheExpectedResults) {
    const Scenario scenarios[] = {
        {"no precedence", {{L"2+3*4=", L"20"}}},
        {"repeated equals", {{L"5+3=", L"8"}, {L"=", L"11"}, {L"=", L"14"}}},
        {"equals right after an operator", {{L"5+=", L"10"}}},
        {"operator replaces operator", {{L"5+-3=", L"2"}}},
        {"chain continues from a result", {{L"5+3=", L"8"}, {L"*2=", L"16"}}},
        {"number after a result starts anew", {{L"5+3=", L"8"}, {L"2+1=", L"3"}}},
        {"division", {{L"1/3=", L"0.3333333333"}, {L"*3=", L"1"}}},
        {"point and zeros", {{L"07", L"7"}, {L"..5", L"7.5"}, {L"C.5+.5=", L"1"}}},
        {"trailing point and zeros hidden", {{L"5.", L"5"}, {L"10", L"5.1"}, {L"0", L"5.1"}}},
        {"nineteen digits", {{L"12345678901234567890", L"1234567890123456789"}}},
        {"nineteen digits with point and sign",
         {{L"1234567890.123456789", L"1234567890.123456789"},
          {L"1", L"1234567890.123456789"},
          {L"s", L"-1234567890.123456789"}}},
        {"percent of a sum", {{L"200+10%", L"220"}}},
        {"percent of a difference", {{L"200-10%", L"180"}}},
        {"percent as a factor", {{L"200*10%", L"20"}}},
        {"percent as a divisor", {{L"200/10%", L"2000"}}},
        {"percent alone", {{L"50%", L"0.5"}}},
        {"percent after an operator", {{L"200+%", L"2"}}},
        {"root of the entry", {{L"2r", L"1.4142135624"}, {L"C40000r", L"200"}, {L"C1000000r", L"1000"}}},
        {"root as second operand", {{L"9+16r", L"13"}}},
        {"root of a result", {{L"8*2=r", L"4"}}},
        {"root of a negative number", {{L"4sr", L"Error"}, {L"9r", L"3"}}},
        {"change sign of zero", {{L"s", L"-0"}, {L"s", L"0"}}},
        {"change sign of the first operand", {{L"5+s", L"-5"}, {L"3=", L"-2"}}},
        {"backspace", {{L"123b", L"12"}, {L"bb", L"0"}, {L"5sb", L"0"}, {L"7", L"7"}}},
        {"backspace edits a result", {{L"12+3=", L"15"}, {L"b", L"1"}, {L"+1=", L"2"}}},
        {"negative zero result", {{L"5s+5=", L"-0"}}},
        {"zero minus zero", {{L"5-5=", L"0"}, {L"-0=", L"0"}}},
        {"division by zero then a fresh start", {{L"10/0=", L"Error"}, {L"7", L"7"}, {L"+1=", L"8"}}},
        {"error through an operator stays", {{L"10/0+", L"Error"}, {L"5=", L"Error"}}},
        {"operator right after an error stays in error", {{L"10/0=", L"Error"}, {L"+5=", L"Error"}}},
        {"clear after an error", {{L"10/0=C", L"0"}, {L"2+3=", L"5"}}},
        {"backspace after an error", {{L"10/0=b", L"0"}, {L"4+4=", L"8"}}},
        {"typed entry after an error keeps its digits", {{L"10/0=123b", L"12"}}},
        {"change sign leaves Error alone", {{L"1/0=s", L"Error"}}},
        {"overflow", {{L"999999999999999999+1=", L"Error"}, {L"C999999999*999999999=", L"999999998000000001"}}},
        {"nineteen-digit second operand", {{L"1+1234567890123456789=", L"Error"}}},
        {"nineteen-digit product operand", {{L"2*1234567890123456789=", L"Error"}}},
        {"nineteen-digit divisor", {{L"2/1234567890123456789=", L"Error"}}},
        {"nineteen-digit first operand", {{L"1234567890123456789+1=", L"Error"}}},
        {"memory", {{L"5M", L"5"}, {L"3M", L"3"}, {L"CR", L"8"}, {L"+2=", L"10"}, {L"XR", L"10"}}},
        {"memory add of zero", {{L"0M", L"0"}, {L"R", L"0"}}},
        {"memory recall starts a chain", {{L"4M", L"4"}, {L"2*3=R", L"4"}, {L"+1=", L"5"}}},
        {"memory add of Error adds nothing", {{L"5M1/0=M", L"Error"}, {L"CR", L"5"}}},
    };
    for (const Scenario &scenario : scenarios) {
        CalcEngine engine;
        std::wstring typed;
        for (const Step &step : scenario.steps) {
            Press(engine, step.keys);
            typed += step.keys;
            EXPECT_EQ(step.shown, std::wstring(engine.ShownText()))
                << scenario.name << ": after " << std::string(typed.begin(), typed.end());
        }
    }
}

TEST(CalcEngine, LongResultsAreCutToNineteenDigits) {
    CalcEngine engine;
    Press(engine, L"123456789012345/7=");
    EXPECT_STREQ(L"17636684144620.71428", engine.Entry()) << "17636684144620.7142857143 loses its last 5 characters";
    Press(engine, L"C123456789012345678s/7=");
    EXPECT_STREQ(L"-17636684144620811.14", engine.Entry());
}

TEST(CalcEngine, DecimalSeparatorIsShownButTheEntryKeepsItsPoint) {
    CalcEngine engine(L',', L'.');
    Press(engine, L"1/3=");
    EXPECT_EQ(L"0,3333333333", std::wstring(engine.ShownText()));
    Press(engine, L"C1,50");
    EXPECT_STREQ(L"1.50", engine.Entry());
    EXPECT_EQ(L"1,50", std::wstring(engine.DisplayText())) << "the text the display is given";
    EXPECT_EQ(L"1,5", std::wstring(engine.ShownText()));
}

TEST(CalcEngine, IndicatorsFollowTheKeys) {
    CalcEngine engine;
    EXPECT_EQ(CalcEngine::kSignNone, engine.OperatorSign());
    const struct {
        const wchar_t *keys;
        int sign;
    } cases[] = {
        {L"5+", CalcEngine::kSignAdd},   {L"-", CalcEngine::kSignSubtract}, {L"*", CalcEngine::kSignMultiply},
        {L"/", CalcEngine::kSignDivide}, {L"2=", CalcEngine::kSignDivide},  {L"%", CalcEngine::kSignPercent},
        {L"r", CalcEngine::kSignRoot},   {L"3", CalcEngine::kSignNone},     {L"+2", CalcEngine::kSignAdd},
        {L"C", CalcEngine::kSignNone},
    };
    std::wstring typed;
    for (const auto &c : cases) {
        Press(engine, c.keys);
        typed += c.keys;
        EXPECT_EQ(c.sign, engine.OperatorSign()) << "after " << std::string(typed.begin(), typed.end());
    }
    EXPECT_FALSE(engine.MemorySign());
    Press(engine, L"7M");
    EXPECT_TRUE(engine.MemorySign());
    Press(engine, L"C");
    EXPECT_TRUE(engine.MemorySign()) << "Clear keeps the memory";
    Press(engine, L"X");
    EXPECT_FALSE(engine.MemorySign());
}

TEST(CalcEngine, MemoryRecallWithoutMemoryOnlySetsTheFlags) {
    CalcEngine engine;
    Press(engine, L"5+3");
    engine.MemoryRecall();
    EXPECT_STREQ(L"3", engine.Entry());
    EXPECT_TRUE(engine.StartOfChain());
    EXPECT_TRUE(engine.ReplaceEntry());
    Press(engine, L"7");
    EXPECT_STREQ(L"7", engine.Entry()) << "the next digit starts a new entry";
}

TEST(CalcEngine, OtherKeysAreIgnored) {
    CalcEngine engine;
    Press(engine, L"12+");
    for (wchar_t key : {L'a', L'x', L'\r', L'\x1b', L'(', L'\0'}) {
        EXPECT_FALSE(engine.OnKey(key)) << int(key);
        EXPECT_STREQ(L"12", engine.Entry());
        EXPECT_EQ(L'+', engine.PendingOp());
    }
}

TEST(CalcEngine, PastePutsTheValueIntoTheEntry) {
    CalcEngine engine;
    EXPECT_TRUE(engine.Paste(L"1+2*3"));
    EXPECT_STREQ(L"7.000000", engine.Entry());
    EXPECT_EQ(L"7", std::wstring(engine.ShownText()));
    EXPECT_EQ(L"7", std::wstring(engine.Accumulator().Text()));
    Press(engine, L"+1=");
    EXPECT_EQ(L"8", std::wstring(engine.ShownText()));

    EXPECT_TRUE(engine.Paste(L"10\r\n20\r\n30\r\n"));
    EXPECT_EQ(L"60", std::wstring(engine.ShownText()));

    EXPECT_TRUE(engine.Paste(L"123456789012345678"));
    EXPECT_EQ(L"123456789012345680", std::wstring(engine.ShownText())) << "a double's digits";

    CalcEngine comma(L',', L'.');
    EXPECT_TRUE(comma.Paste(L"1.234,5 kg"));
    EXPECT_STREQ(L"1234.500000", comma.Entry());
    EXPECT_EQ(L"1234,5", std::wstring(comma.ShownText()));
}

TEST(CalcEngine, FailedPasteChangesNothing) {
    CalcEngine engine;
    Press(engine, L"5+4");
    for (const wchar_t *text : {L"", L"abc", L"1/0", L"(1+2", L"2*/3"}) {
        EXPECT_FALSE(engine.Paste(text)) << text;
        EXPECT_STREQ(L"4", engine.Entry()) << text;
    }
    Press(engine, L"=");
    EXPECT_EQ(L"9", std::wstring(engine.ShownText()));
}

TEST(CalcEngine, PastedValuesBeyondTheRangeShowError) {
    const std::wstring hundredDigits = L"1" + std::wstring(99, L'0');
    const wchar_t *nineteenDigits = L"1234567890123456789";
    const std::wstring tooLongForTheEntry = hundredDigits + L"*" + hundredDigits + L"*" + hundredDigits;
    for (const std::wstring &text :
         {std::wstring(nineteenDigits), hundredDigits, tooLongForTheEntry, L"-" + hundredDigits}) {
        CalcEngine engine;
        Press(engine, L"5+");
        EXPECT_TRUE(engine.Paste(text.c_str())) << text;
        EXPECT_STREQ(L"Error", engine.Entry()) << text;
        EXPECT_TRUE(engine.Accumulator().HasError());
        Press(engine, L"2+3=");
        EXPECT_EQ(L"5", std::wstring(engine.ShownText())) << "a new number starts afresh";
    }
}

} // namespace
