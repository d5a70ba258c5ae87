// The key rules of a converter field: digits, one decimal point and
// backspace on a non-negative value of at most 19 characters.
#pragma once
#include "BaseLib/Str.h"

namespace units {

// Key codes besides the digits '0' to '9'.
constexpr unsigned kKeyBackspace = 8;
constexpr unsigned kKeyComma = 188;
constexpr unsigned kKeyPeriod = 190;

// Applies the key to the value. False for a key the field does not take (the
// value is then unchanged and no change is reported); true for every key it
// takes, even when the value stays as it was (a second point, a digit past
// the length limit, '0' on "0").
bool ApplyFieldKey(unsigned key, Str *value);

} // namespace units
