// The texts of the calculator's display. The entry always holds '.'; the
// display shows the locale's decimal separator instead, drops trailing
// fractional zeros (so an entry being typed, "5." or "5.10", shows as "5" and
// "5.1") and groups the integer digits in threes with apostrophes when it
// paints. Copy takes the trimmed text, without the apostrophes.
#pragma once
#include "BaseLib/Str.h"

// The entry with its '.' replaced by the decimal separator.
Str EntryToDisplay(const wchar_t *entry, wchar_t decimalSeparator);

// When the text holds the separator: its trailing '0' characters after the
// separator removed, and the separator too when nothing follows it.
Str TrimFraction(const wchar_t *text, wchar_t separator);

// An apostrophe between every group of three integer digits, counted from
// the separator (or the end) toward the start. Other characters (a minus
// sign, the letters of "Error") are not counted: "-123456" gives "-123'456".
Str GroupDigits(const wchar_t *text, wchar_t separator);
