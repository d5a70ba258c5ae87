// The pasted-expression evaluator: EvaluateExpression on any text, with "."
// or "," as the decimal separator, and generated expressions (numbers, the
// four operators, unary minus, parentheses) against their value worked out
// here in the same order.
#include <cmath>
#include <cwchar>
#include <string>

#include "BaseLib/Locale.h"
#include "Fuzz.h"
#include "calc/Expression.h"

namespace fuzz {
namespace {

const size_t kLongestText = 1000;

// An expression with its value, or with no value when a step of it is not
// finite (the evaluator then fails).
struct Expression {
    std::wstring text;
    double value;
    bool finite;
};

Expression Number(Rng &rng, wchar_t separator) {
    std::wstring text = std::to_wstring(rng.OneIn(4) ? rng.Next() % 1000000000000ull : rng.Below(1000));
    if (rng.OneIn(3))
        text += separator + std::to_wstring(rng.Below(10000));
    std::wstring parsed = text;
    for (wchar_t &c : parsed)
        if (c == separator)
            c = L'.';
    return {text, wcstod(parsed.c_str(), nullptr), true};
}

Expression Random(Rng &rng, wchar_t separator, int depth) {
    if (depth == 0 || rng.OneIn(3))
        return Number(rng, separator);
    if (rng.OneIn(5)) {
        Expression inner = Random(rng, separator, depth - 1);
        const bool bare = inner.text.find_first_not_of(L"0123456789.,") == std::wstring::npos;
        return {bare ? L"-" + inner.text : L"-(" + inner.text + L")", -inner.value, inner.finite};
    }
    const Expression left = Random(rng, separator, depth - 1), right = Random(rng, separator, depth - 1);
    const wchar_t op = L"+-*/"[rng.Below(4)];
    double value = op == L'+'   ? left.value + right.value
                   : op == L'-' ? left.value - right.value
                   : op == L'*' ? left.value * right.value
                                : left.value / right.value;
    return {L"(" + left.text + L")" + op + L"(" + right.text + L")", value,
            left.finite && right.finite && std::isfinite(value)};
}

std::string Show(double value) {
    char text[64];
    snprintf(text, sizeof text, "%.17g", value);
    return text;
}

class ExpressionHarness : public Harness {
public:
    const char *Name() const override { return "expression"; }
    int Unit() const override { return 2; }
    size_t MaxSize() const override { return 2 * (kLongestText + 100); }

    std::vector<Bytes> Seeds() override {
        std::vector<Bytes> seeds;
        for (const wchar_t *text : {L"3*-2", L"2-3*4", L"(1+2)*3", L"1,234.5", L"10\r\n20\r\n30", L"1+2*3",
                                    L"-(-(4/2))", L"((((1))))+2*(3-(4/5))", L"1/0", L"12 kg + 3,5 kg", L"2*3*-1"})
            seeds.push_back(TextBytes(text));
        return seeds;
    }

    std::vector<Bytes> Tokens() override {
        std::vector<Bytes> tokens;
        for (const wchar_t *token : {L"(", L")", L"-", L"--", L"*-", L"/0", L"1e308", L"999999999999999999999", L"\r\n",
                                     L".", L",", L"((((((((", L"))))))))"})
            tokens.push_back(TextBytes(token));
        return tokens;
    }

    Verdict Feed(const Bytes &input) override {
        const std::wstring text = BytesText(input);
        // Both customs of writing numbers, chosen by the input so a saved one
        // replays the same.
        const bool comma = expecting_ ? separator_ == L',' : text.size() % 2 == 1;
        SetDecimalSeparator(comma ? L',' : L'.');
        SetThousandsSeparator(comma ? L'.' : L' ');
        const double untouched = -12345.678;
        double value = untouched;
        const bool ok = EvaluateExpression(GuardedText(text), &value);
        Verdict verdict;
        verdict.accepted = ok;
        if (ok && !std::isfinite(value))
            verdict.failure = "gave a value that is not finite";
        else if (!ok && value != untouched)
            verdict.failure = "failed but changed the value";
        if (!expecting_)
            return verdict;
        expecting_ = false;
        const bool expectOk = expected_.finite && expected_.text.size() <= kLongestText;
        if (ok != expectOk || (ok && value != expected_.value))
            verdict.failure = "expected " + (expectOk ? Show(expected_.value) : std::string("failure")) + ", got " +
                              (ok ? Show(value) : std::string("failure"));
        return verdict;
    }

    bool Generate(Rng &rng, Bytes *input) override {
        separator_ = rng.OneIn(2) ? L',' : L'.';
        expected_ = Random(rng, separator_, 1 + static_cast<int>(rng.Below(6)));
        *input = TextBytes(expected_.text);
        expecting_ = true;
        return true;
    }

private:
    Expression expected_;
    wchar_t separator_ = L'.';
    bool expecting_ = false;
};

Registration registration(new ExpressionHarness);

} // namespace
} // namespace fuzz
