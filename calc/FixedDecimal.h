// FixedDecimal: the calculator's number, an exact decimal with 12 fractional
// digits (sign plus magnitude = value * 10^12 in 30 decimal digits, so at most
// 18 integer digits). Never binary floating point: 0.1 + 0.2 is exactly 0.3.
//
// A result that does not fit, a division by zero or the root of a negative
// number sets the magnitude's error flag, which Format shows as "Error". An
// operand that carries the flag makes the result carry it too.
#pragma once
#include <cstddef>
#include <cstdint>

#include "BaseLib/Str.h"
#include "calc/BigInt.h"

class FixedDecimal {
public:
    static constexpr uint8_t kScale = 12;      // fractional digits of every number
    static constexpr uint32_t kMaxDigits = 30; // digits of the largest magnitude
    static constexpr uint8_t kShownDecimals = 10;

    FixedDecimal();
    // Copies sign, scale and magnitude (with its error flag); the target's
    // formatted text is dropped.
    FixedDecimal(const FixedDecimal &other);
    FixedDecimal &operator=(const FixedDecimal &other);

    // Optional leading '-', digits, at most one '.'. Fractional digits past
    // the 12th are dropped, not rounded; more than 18 integer digits set the
    // error flag. On false the magnitude is unchanged, but the sign has
    // already been taken from the text.
    bool Parse(const wchar_t *text);

    // The value rounded half up to 10 fractional digits, trailing zeros
    // dropped, "-" in front of a negative number (also of a negative zero),
    // "Error" for an errored one; never an exponent or a thousands separator.
    // The text is cached until the number changes. Copies it into buffer
    // when it fits with its terminator.
    bool Format(wchar_t *buffer, size_t size) const;
    const Str &Text() const;

    // this <- this op b, in place. Multiply truncates past the 12th
    // fractional digit; Divide rounds half up at it.
    void Add(const FixedDecimal &b);
    void Subtract(const FixedDecimal &b);
    void Multiply(const FixedDecimal &b);
    void Divide(const FixedDecimal &b);

    FixedDecimal Negated() const;
    BigInt IntegerPart() const;
    BigInt FractionPart() const;
    // Rounded half up (away from zero) at the 10th fractional digit; the last
    // two digits become 0.
    FixedDecimal RoundedForDisplay() const;

    bool IsNegative() const { return negative_ != 0; }
    bool HasError() const { return magnitude_.HasError(); }
    bool IsZero() const { return magnitude_.IsZero(); }
    uint8_t Scale() const { return scale_; }
    const BigInt &Magnitude() const { return magnitude_; }

    // Marks the number as not representable (shown as "Error").
    void SetError();
    // Zero magnitude; the sign and the error flag stay until the next parse
    // or assignment.
    void Empty();

private:
    friend FixedDecimal SquareRoot(const FixedDecimal &a);

    // b's magnitude brought to this number's scale.
    BigInt Aligned(const FixedDecimal &b) const;
    // Adds or subtracts the magnitudes of two numbers taken as non-negative.
    void AddMagnitude(const FixedDecimal &b);
    void SubtractMagnitude(const FixedDecimal &b);
    // True (and this set to error) when either operand carries the flag.
    bool TakeOverError(const FixedDecimal &b);
    void Changed() { text_ = Str(); }

    uint32_t negative_;
    uint8_t scale_;
    BigInt magnitude_;
    mutable Str text_; // cached Format result; empty when none
    uint32_t maxDigits_;
};

// The square root rounded to the nearest 10^-12, over the whole range of the
// type. A negative operand (also a zero carrying the minus sign) gives an
// errored result; zero gives zero.
FixedDecimal SquareRoot(const FixedDecimal &a);
