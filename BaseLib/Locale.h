// Locale-dependent helpers: number parsing with the process-wide separators,
// the short date text and the case-insensitive name ordering.
#pragma once
#include "BaseLib/Str.h"

// Process-wide separators, '.' and ' ' until set; LoadLocaleSeparators takes
// the first characters of the user locale's settings (done at program start).
wchar_t DecimalSeparator();
wchar_t ThousandsSeparator();
void SetDecimalSeparator(wchar_t separator);
void SetThousandsSeparator(wchar_t separator);
void LoadLocaleSeparators();

// Keeps only "-0123456789" and the first decimal separator (read as '.') and
// converts what is left; stops at the first character that does not fit, so
// "12-3" gives 12. Empty or nothing left gives 0.
double ParseLocaleNumber(const wchar_t *text);

// Two digits each of year, month and day in the user locale's order
// (0 month-day-year, 1 day-month-year, 2 year-month-day; anything else 0),
// joined by its date separator. The year is printed modulo 100.
Str FormatShortDate(const SYSTEMTIME &date);
Str FormatShortDate(const SYSTEMTIME &date, int order, wchar_t separator);

// Case-insensitive order of two texts; a null on either side compares equal.
// The void* form is the qsort callback for arrays of Str.
int CompareNoCase(const Str *a, const Str *b);
int __cdecl CompareNoCase(const void *a, const void *b);
