#include "calc/Expression.h"

#include <cmath>
#include <cwchar>
#include <string>
#include <vector>

#include "BaseLib/Locale.h"

namespace {

const size_t kMaxTextLength = 1000;
const size_t kMaxNumberLength = 198; // a run of 199 characters is refused

// Unary minus in the postfix text: a private-use character, so it cannot be
// mistaken for anything copied from the pasted text.
const wchar_t kUnaryMinus = 0xE000;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsBinaryOperator(wchar_t c) { return c == L'+' || c == L'-' || c == L'*' || c == L'/'; }

int Precedence(wchar_t op) {
    switch (op) {
    case L'(':
        return 1;
    case L'+':
    case L'-':
        return 2;
    case L'*':
    case L'/':
        return 3;
    default:
        return 4; // unary minus
    }
}

// Line breaks: a carriage return separates like a space, a line feed adds
// the next line. Trailing operators and spaces go; leading '+', '*', '/' and
// spaces are skipped (a leading '-' is a sign).
std::wstring Prepare(const wchar_t *text) {
    std::wstring prepared(text);
    for (wchar_t &c : prepared) {
        if (c == L'\r')
            c = L' ';
        else if (c == L'\n')
            c = L'+';
    }
    while (!prepared.empty() && (IsBinaryOperator(prepared.back()) || prepared.back() == L' '))
        prepared.pop_back();
    size_t start = 0;
    while (start < prepared.size() &&
           (prepared[start] == L'+' || prepared[start] == L'*' || prepared[start] == L'/' || prepared[start] == L' '))
        ++start;
    return prepared.substr(start);
}

// Postfix text: numbers separated by spaces, each operator written where it
// applies. False for a ')' without its '('.
bool ToPostfix(const std::wstring &text, wchar_t separator, std::wstring *postfix) {
    std::wstring &out = *postfix;
    std::vector<wchar_t> operators;
    const auto endsInSpace = [&out] { return !out.empty() && out.back() == L' '; };
    for (wchar_t c : text) {
        if (IsDigit(c) || c == separator) {
            out += c;
        } else if (c == L'(') {
            if (!out.empty() && !endsInSpace())
                out += L' ';
            operators.push_back(c);
        } else if (c == L')') {
            while (!operators.empty() && operators.back() != L'(') {
                out += operators.back();
                operators.pop_back();
            }
            if (operators.empty())
                return false;
            operators.pop_back();
        } else if (c == L'-' && (out.empty() || endsInSpace())) {
            operators.push_back(kUnaryMinus);
        } else if (IsBinaryOperator(c)) {
            if (!endsInSpace())
                out += L' ';
            bool popped = false;
            while (!operators.empty() && Precedence(operators.back()) >= Precedence(c)) {
                out += operators.back();
                operators.pop_back();
                popped = true;
            }
            // The output ends in a space after every binary operator, also
            // when operators were popped onto it, so that a '-' right after
            // it is a sign: "2*3*-1" is -6 and "(1+2)*-3" is -9.
            if (popped)
                out += L' ';
            operators.push_back(c);
        }
        // Anything else (spaces, letters, thousands separators) is skipped.
    }
    while (!operators.empty()) {
        out += operators.back();
        operators.pop_back();
    }
    return true;
}

bool Apply(wchar_t op, std::vector<double> *stack) {
    if (op == kUnaryMinus) {
        if (stack->empty())
            return false;
        stack->back() = -stack->back();
        return true;
    }
    if (stack->size() < 2)
        return false;
    const double right = stack->back();
    stack->pop_back();
    double &left = stack->back();
    switch (op) {
    case L'+':
        left += right;
        break;
    case L'-':
        left -= right;
        break;
    case L'*':
        left *= right;
        break;
    default:
        left /= right;
        break;
    }
    return std::isfinite(left);
}

bool EvaluatePostfix(const std::wstring &postfix, wchar_t separator, double *value) {
    std::vector<double> stack;
    std::wstring number;
    const auto pushNumber = [&] {
        if (!number.empty()) {
            stack.push_back(ParseLocaleNumber(number.c_str()));
            number.clear();
        }
    };
    for (wchar_t c : postfix) {
        if (IsDigit(c) || c == separator) {
            number += c;
            if (number.size() > kMaxNumberLength)
                return false;
            continue;
        }
        pushNumber();
        if ((c == kUnaryMinus || IsBinaryOperator(c)) && !Apply(c, &stack))
            return false;
    }
    pushNumber();
    if (stack.empty() || !std::isfinite(stack.back()))
        return false;
    *value = stack.back();
    return true;
}

} // namespace

bool EvaluateExpression(const wchar_t *text, double *value) {
    if (!text || !value || wcslen(text) > kMaxTextLength)
        return false;
    const wchar_t separator = DecimalSeparator();
    std::wstring postfix;
    if (!ToPostfix(Prepare(text), separator, &postfix))
        return false;
    if (postfix.empty() || postfix.find(L'(') != std::wstring::npos)
        return false;
    return EvaluatePostfix(postfix, separator, value);
}
