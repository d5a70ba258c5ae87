// Conversion between two units of the catalogue and the texts of the
// converter's fields. A field holds digits with '.' as decimal point (a
// conversion result or a paste may also give a sign or an exponent) in at
// most 19 characters.
#pragma once
#include "BaseLib/Str.h"

namespace units {

constexpr int kMaxFieldLength = 19;

// The whole text read as a double; false (value untouched) when it is not
// one number.
bool ReadValue(const wchar_t *text, double *value);

// The value in the source unit given in the target unit: the ratio of the
// two factors, or the temperature formulas for the Temperature category.
double Convert(int sourceUnit, int targetUnit, double value);

// The text a result is shown with: "%.3g" above 9999999 (two exponent
// digits), else "%.4f" without trailing fractional zeros; "%.3g" too when
// that would not fit the field; "Error" for a value that is not finite.
Str ResultText(double value);

// A text as a field stores it: trailing '0' characters after a '.' dropped,
// and the '.' when nothing follows. A longer number than the field holds is
// shown in "%.3g" form, any other overlong text is cut.
Str FieldText(const wchar_t *text);

// The target field's text for the source field's text. The same unit on
// both sides copies the text unrounded; false when the source text is not a
// number (the target is then left as it is).
bool ConvertText(int sourceUnit, int targetUnit, const wchar_t *sourceText, Str *targetText);

} // namespace units
