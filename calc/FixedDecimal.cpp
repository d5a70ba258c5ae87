#include "calc/FixedDecimal.h"

#include <cwchar>
#include <string>

namespace {

const wchar_t kErrorText[] = L"Error";

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// A BigInt holding a small non-negative number.
BigInt Small(uint32_t value) {
    BigInt number(10);
    uint32_t power = 1;
    while (power * 10 <= value)
        power *= 10;
    for (; power > 0; power /= 10)
        number.AppendDigit(static_cast<uint16_t>(value / power % 10));
    return number;
}

// floor(sqrt(n)) digit by digit, two digits of n per digit of the root, then
// rounded to the nearest integer. Exact for every n, in a fixed number of
// steps (half the digits of n).
BigInt RoundedSquareRoot(const BigInt &n) {
    const uint32_t length = n.Length();
    const uint32_t pairs = (length + 1) / 2;
    BigInt root(pairs + 2);
    BigInt rest(length + 4); // n's leading digits minus root^2: at most 2 * root
    for (uint32_t k = pairs; k-- > 0;) {
        rest.AppendDigit(n.Digit(2 * k + 1));
        rest.AppendDigit(n.Digit(2 * k));
        // The next digit d is the largest with (20 * root + d) * d <= rest.
        // Those products grow by 20 * root + 2d - 1 from d - 1 to d.
        BigInt twentyRoot(pairs + 4);
        twentyRoot = root;
        twentyRoot.Add(root);
        twentyRoot.ShiftLeft(1);
        BigInt used(length + 4), next(length + 4);
        uint16_t digit = 0;
        for (uint16_t d = 1; d <= 9; ++d) {
            next = used;
            next.Add(twentyRoot);
            next.Add(Small(2u * d - 1));
            if (BigInt::Compare(next, rest) > 0)
                break;
            used = next;
            digit = d;
        }
        rest.Subtract(used);
        root.AppendDigit(digit);
    }
    // sqrt(n) >= root + 1/2 exactly when n - root^2 >= root + 1/4, that is
    // (in integers) when the rest exceeds the root.
    if (BigInt::Compare(rest, root) > 0)
        root.Add(Small(1));
    return root;
}

} // namespace

FixedDecimal::FixedDecimal() : negative_(0), scale_(kScale), magnitude_(kMaxDigits), maxDigits_(kMaxDigits) {}

FixedDecimal::FixedDecimal(const FixedDecimal &other)
    : negative_(other.negative_), scale_(other.scale_), magnitude_(kMaxDigits), maxDigits_(kMaxDigits) {
    magnitude_ = other.magnitude_;
}

FixedDecimal &FixedDecimal::operator=(const FixedDecimal &other) {
    if (this != &other) {
        negative_ = other.negative_;
        scale_ = other.scale_;
        magnitude_ = other.magnitude_;
        Changed();
    }
    return *this;
}

bool FixedDecimal::Parse(const wchar_t *text) {
    if (!text)
        text = L"";
    negative_ = text[0] == L'-';
    if (negative_)
        ++text;
    const wchar_t *point = wcschr(text, L'.');
    const std::wstring integerDigits(text, point ? size_t(point - text) : wcslen(text));
    std::wstring fractionDigits(point ? point + 1 : L"");
    // Every fractional character is checked, also past the 12th that is
    // dropped, so "1.0000000000001x" (or a second point) is refused.
    for (wchar_t c : fractionDigits) {
        if (!IsDigit(c))
            return false;
    }
    BigInt value(maxDigits_);
    if (!value.FromString(integerDigits.c_str()))
        return false;
    fractionDigits.resize(scale_, L'0');
    BigInt fraction(maxDigits_);
    fraction.FromString(fractionDigits.c_str());
    value.ShiftLeft(scale_); // more than 18 integer digits overflow here
    value.Add(fraction);
    magnitude_ = value;
    Changed();
    return true;
}

const Str &FixedDecimal::Text() const {
    if (!text_.IsEmpty())
        return text_;
    const FixedDecimal rounded = RoundedForDisplay();
    BigInt integer = rounded.IntegerPart();
    BigInt fraction = rounded.FractionPart();
    if (integer.HasError() || fraction.HasError()) {
        text_ = kErrorText;
        return text_;
    }
    std::wstring text;
    if (negative_)
        text += L'-';
    wchar_t digits[64];
    if (integer.IsZero()) {
        text += L'0';
    } else {
        integer.Normalize();
        integer.ToString(digits, 64);
        text += digits;
    }
    if (!fraction.IsZero()) {
        fraction.Normalize();
        fraction.ToString(digits, 64);
        // fraction < 10^scale: its missing high digits are leading zeros.
        uint32_t zeros = scale_ - fraction.Length();
        if (zeros > kShownDecimals)
            zeros = kShownDecimals;
        text += L'.';
        text.append(zeros, L'0');
        text.append(digits, kShownDecimals - zeros);
        while (text.back() == L'0')
            text.pop_back();
    }
    text_ = text.c_str();
    return text_;
}

bool FixedDecimal::Format(wchar_t *buffer, size_t size) const {
    const Str &text = Text();
    const size_t needed = size_t(text.Length()) + 1;
    if (!buffer || size < needed)
        return false;
    wmemcpy(buffer, text, needed);
    return true;
}

BigInt FixedDecimal::Aligned(const FixedDecimal &b) const {
    BigInt aligned(b.magnitude_);
    if (b.scale_ > scale_)
        aligned.ShiftRight(b.scale_ - scale_);
    else
        aligned.ShiftLeft(scale_ - b.scale_);
    return aligned;
}

bool FixedDecimal::TakeOverError(const FixedDecimal &b) {
    if (magnitude_.HasError())
        return true;
    if (b.magnitude_.HasError()) {
        magnitude_.SetError();
        return true;
    }
    return false;
}

void FixedDecimal::AddMagnitude(const FixedDecimal &b) { magnitude_.Add(Aligned(b)); }

void FixedDecimal::SubtractMagnitude(const FixedDecimal &b) {
    const BigInt subtrahend = Aligned(b);
    if (BigInt::Compare(subtrahend, magnitude_) > 0) {
        BigInt difference(subtrahend);
        difference.Subtract(magnitude_);
        magnitude_ = difference;
        negative_ = 1;
    } else {
        magnitude_.Subtract(subtrahend);
    }
}

// The sign rules below decide the sign of a zero result: 5 - 5 gives 0,
// -5 + 5 gives a negative zero, shown as "-0".
void FixedDecimal::Add(const FixedDecimal &b) {
    if (&b == this) {
        const FixedDecimal copy(b);
        Add(copy);
        return;
    }
    Changed();
    if (TakeOverError(b))
        return;
    if (!negative_ && b.negative_) {
        Subtract(b.Negated());
    } else if (negative_ && !b.negative_) {
        negative_ = 0;
        Subtract(b);
        negative_ = !negative_;
    } else {
        AddMagnitude(b);
    }
}

void FixedDecimal::Subtract(const FixedDecimal &b) {
    if (&b == this) {
        const FixedDecimal copy(b);
        Subtract(copy);
        return;
    }
    Changed();
    if (TakeOverError(b))
        return;
    if (!negative_ && b.negative_) {
        Add(b.Negated());
    } else if (negative_ && !b.negative_) {
        negative_ = 0;
        Add(b);
        negative_ = 1;
    } else if (negative_ && b.negative_) {
        negative_ = 0;
        Subtract(b.Negated());
        negative_ = !negative_;
    } else {
        SubtractMagnitude(b);
    }
}

void FixedDecimal::Multiply(const FixedDecimal &b) {
    Changed();
    if (TakeOverError(b))
        return;
    // Room for the whole product before its extra fractional digits are cut.
    BigInt product(b.scale_ + maxDigits_);
    product = magnitude_;
    product.Multiply(b.magnitude_);
    product.ShiftRight(b.scale_); // truncates
    if (product.HasError() || product.Length() > maxDigits_) {
        magnitude_.SetError();
        return;
    }
    magnitude_ = product;
    negative_ = negative_ != b.negative_;
}

void FixedDecimal::Divide(const FixedDecimal &b) {
    Changed();
    if (TakeOverError(b))
        return;
    if (b.magnitude_.IsZero()) {
        magnitude_.SetError();
        return;
    }
    BigInt quotient(scale_ + maxDigits_);
    quotient = magnitude_;
    quotient.ShiftLeft(scale_);
    quotient.Divide(b.magnitude_); // rounded half up at the last digit
    if (b.scale_ >= scale_)
        quotient.ShiftLeft(b.scale_ - scale_);
    else
        quotient.ShiftRight(scale_ - b.scale_);
    if (quotient.HasError() || quotient.Length() > maxDigits_) {
        magnitude_.SetError();
        return;
    }
    magnitude_ = quotient;
    negative_ = negative_ != b.negative_;
}

FixedDecimal FixedDecimal::Negated() const {
    FixedDecimal copy(*this);
    copy.negative_ = !negative_;
    return copy;
}

BigInt FixedDecimal::IntegerPart() const {
    BigInt integer(magnitude_);
    integer.ShiftRight(scale_);
    return integer;
}

BigInt FixedDecimal::FractionPart() const {
    BigInt fraction(magnitude_);
    BigInt integer = IntegerPart();
    integer.ShiftLeft(scale_);
    fraction.Subtract(integer);
    return fraction;
}

FixedDecimal FixedDecimal::RoundedForDisplay() const {
    FixedDecimal rounded(*this);
    if (scale_ > kShownDecimals) {
        BigInt &m = rounded.magnitude_;
        m.ShiftRight(scale_ - kShownDecimals - 1);
        m.Add(Small(5));
        m.ShiftRight(1);
        m.ShiftLeft(scale_ - kShownDecimals);
    }
    return rounded;
}

void FixedDecimal::SetError() {
    magnitude_.SetError();
    Changed();
}

void FixedDecimal::Empty() {
    magnitude_.Empty();
    Changed();
}

FixedDecimal SquareRoot(const FixedDecimal &a) {
    FixedDecimal x(a);
    if (a.IsNegative()) {
        x.SetError();
        return x;
    }
    if (a.HasError() || a.IsZero())
        return x;
    // The root's magnitude is the root of magnitude * 10^scale.
    BigInt radicand(a.Scale() + FixedDecimal::kMaxDigits);
    radicand = a.Magnitude();
    radicand.ShiftLeft(a.Scale());
    radicand.Normalize();
    FixedDecimal root;
    root.magnitude_ = RoundedSquareRoot(radicand); // below 10^22: always fits
    return root;
}
