#include "convert/Conversion.h"

#include <cerrno>
#include <cmath>
#include <cwchar>

#include "calc/DisplayText.h"
#include "convert/UnitCatalogue.h"

namespace units {

namespace {

const double kFiveNinths = 5.0 / 9.0;

double ConvertTemperature(wchar_t from, wchar_t to, double v) {
    if (from == L'C' && to == L'F')
        return v * 1.8 + 32;
    if (from == L'C' && to == L'K')
        return (v * 1.8 + 491.67) * kFiveNinths;
    if (from == L'F' && to == L'C')
        return (v - 32) * kFiveNinths;
    if (from == L'F' && to == L'K')
        return (v + 459.67) * kFiveNinths;
    if (from == L'K' && to == L'F')
        return v * 1.8 - 459.67;
    if (from == L'K' && to == L'C')
        return ((v * 1.8 - 459.67) - 32) * kFiveNinths;
    return v;
}

} // namespace

// Read as a double: a single-precision reading would keep only about seven
// digits, turning 123456789 into 123456792.
bool ReadValue(const wchar_t *text, double *value) {
    if (!text || !*text)
        return false;
    wchar_t *end = nullptr;
    errno = 0;
    const double read = wcstod(text, &end);
    if (end == text || *end != L'\0')
        return false;
    *value = read;
    return true;
}

double Convert(int sourceUnit, int targetUnit, double value) {
    const UnitRecord &source = Unit(sourceUnit);
    const UnitRecord &target = Unit(targetUnit);
    if (source.category == kTemperature)
        return ConvertTemperature(source.name[0], target.name[0], value);
    return target.factor * value / source.factor;
}

Str ResultText(double value) {
    if (!std::isfinite(value))
        return Str(L"Error");
    if (value > 9999999.0)
        return FormatDouble(L"%.3g", value);
    Str fixed;
    fixed.Format(L"%.4f", value);
    fixed = TrimFraction(fixed, L'.');
    // Only a large negative value gets here too long; three significant
    // digits always fit.
    return fixed.Length() <= kMaxFieldLength ? fixed : FormatDouble(L"%.3g", value);
}

Str FieldText(const wchar_t *text) {
    // An exponent form ends in exponent digits, not fraction digits.
    const bool exponent = text && wcspbrk(text, L"eE");
    Str trimmed = exponent ? Str(text) : TrimFraction(text, L'.');
    if (trimmed.Length() <= kMaxFieldLength)
        return trimmed;
    double value = 0;
    if (ReadValue(trimmed, &value))
        return FormatDouble(L"%.3g", value);
    return trimmed.Prefix(kMaxFieldLength);
}

bool ConvertText(int sourceUnit, int targetUnit, const wchar_t *sourceText, Str *targetText) {
    if (sourceUnit == targetUnit) {
        *targetText = Str(sourceText);
        return true;
    }
    double value = 0;
    if (!ReadValue(sourceText, &value))
        return false;
    *targetText = ResultText(Convert(sourceUnit, targetUnit, value));
    return true;
}

} // namespace units
