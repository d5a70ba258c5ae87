#include "BaseLib/Locale.h"

#include <cwchar>
#include <string>

namespace {

wchar_t g_decimalSeparator = L'.';
wchar_t g_thousandsSeparator = L' ';

// First character of a locale setting, or 0 when it cannot be read.
wchar_t LocaleChar(LCTYPE type) {
    wchar_t text[8] = L"";
    return GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 8) > 0 ? text[0] : 0;
}

} // namespace

wchar_t DecimalSeparator() { return g_decimalSeparator; }
wchar_t ThousandsSeparator() { return g_thousandsSeparator; }
void SetDecimalSeparator(wchar_t separator) { g_decimalSeparator = separator; }
void SetThousandsSeparator(wchar_t separator) { g_thousandsSeparator = separator; }

void LoadLocaleSeparators() {
    if (const wchar_t decimal = LocaleChar(LOCALE_SDECIMAL))
        g_decimalSeparator = decimal;
    if (const wchar_t thousands = LocaleChar(LOCALE_STHOUSAND))
        g_thousandsSeparator = thousands;
}

double ParseLocaleNumber(const wchar_t *text) {
    if (!text)
        return 0;
    std::wstring kept;
    bool separatorSeen = false;
    for (const wchar_t *p = text; *p; ++p) {
        if (*p == g_decimalSeparator && !separatorSeen) {
            kept += L'.';
            separatorSeen = true;
        } else if (*p == L'-' || (*p >= L'0' && *p <= L'9')) {
            kept += *p;
        }
    }
    return kept.empty() ? 0 : wcstod(kept.c_str(), nullptr);
}

Str FormatShortDate(const SYSTEMTIME &date) {
    wchar_t order[8] = L"";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDATE, order, 8);
    const wchar_t separator = LocaleChar(LOCALE_SDATE);
    return FormatShortDate(date, _wtoi(order), separator ? separator : L'/');
}

Str FormatShortDate(const SYSTEMTIME &date, int order, wchar_t separator) {
    // Two digits for every year, also before 2000 (1999 gives 99).
    const unsigned year = date.wYear % 100;
    unsigned first = date.wMonth, second = date.wDay, third = year;
    if (order == 1) {
        first = date.wDay;
        second = date.wMonth;
    } else if (order == 2) {
        first = year;
        second = date.wMonth;
        third = date.wDay;
    }
    Str text;
    text.Format(L"%02u%c%02u%c%02u", first, separator, second, separator, third);
    return text;
}

int CompareNoCase(const Str *a, const Str *b) { return a && b ? _wcsicmp(*a, *b) : 0; }

int __cdecl CompareNoCase(const void *a, const void *b) {
    return CompareNoCase(static_cast<const Str *>(a), static_cast<const Str *>(b));
}
