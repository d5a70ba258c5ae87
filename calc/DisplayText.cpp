#include "calc/DisplayText.h"

#include <cwchar>
#include <string>

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

} // namespace

Str EntryToDisplay(const wchar_t *entry, wchar_t decimalSeparator) {
    std::wstring text(entry ? entry : L"");
    for (wchar_t &c : text) {
        if (c == L'.')
            c = decimalSeparator;
    }
    return Str(text.c_str());
}

Str TrimFraction(const wchar_t *text, wchar_t separator) {
    std::wstring trimmed(text ? text : L"");
    const size_t point = trimmed.find(separator);
    if (point == std::wstring::npos)
        return Str(trimmed.c_str());
    while (trimmed.size() > point + 1 && trimmed.back() == L'0')
        trimmed.pop_back();
    if (trimmed.size() == point + 1)
        trimmed.pop_back();
    return Str(trimmed.c_str());
}

Str GroupDigits(const wchar_t *text, wchar_t separator) {
    const std::wstring source(text ? text : L"");
    size_t integerEnd = source.find(separator);
    if (integerEnd == std::wstring::npos)
        integerEnd = source.size();
    // Built back to front from the separator.
    std::wstring reversed;
    int digits = 0;
    for (size_t i = integerEnd; i-- > 0;) {
        const wchar_t c = source[i];
        if (IsDigit(c)) {
            if (digits > 0 && digits % 3 == 0)
                reversed += L'\'';
            ++digits;
        }
        reversed += c;
    }
    std::wstring grouped(reversed.rbegin(), reversed.rend());
    grouped += source.substr(integerEnd);
    return Str(grouped.c_str());
}
