#include "convert/FieldKeys.h"

#include <cwchar>

#include "convert/Conversion.h"

namespace units {

namespace {

// A text that keys cannot extend into a number: "Error", or an exponent
// form such as "2e+07", where an appended digit would change the exponent.
bool NotPlain(const Str &value) {
    for (const wchar_t *c = value; *c; ++c) {
        const bool sign = *c == L'-' && c == value.Text();
        if ((*c < L'0' || *c > L'9') && *c != L'.' && !sign)
            return true;
    }
    return false;
}

// Such a text is replaced by the next digit, as "0" is.
bool Replaceable(const Str &value) { return value == L"0" || value.IsEmpty() || NotPlain(value); }

} // namespace

bool ApplyFieldKey(unsigned key, Str *value) {
    if (key >= L'0' && key <= L'9') {
        const wchar_t digit[2] = {static_cast<wchar_t>(key), 0};
        if (Replaceable(*value))
            *value = Str(digit);
        else if (value->Length() < kMaxFieldLength)
            value->Append(digit);
        return true;
    }
    if (key == kKeyComma || key == kKeyPeriod) {
        if (Replaceable(*value))
            *value = Str(L"0");
        if (!wcschr(*value, L'.') && value->Length() < kMaxFieldLength)
            value->Append(L".");
        return true;
    }
    if (key == kKeyBackspace) {
        if (value->Length() <= 1 || NotPlain(*value))
            *value = Str(L"0");
        else
            *value = value->Prefix(value->Length() - 1);
        return true;
    }
    return false;
}

} // namespace units
