// BigInt: a non-negative integer kept as decimal digits, one per cell, least
// significant first, in a fixed number of cells. A result that does not fit
// sets a sticky error flag instead of growing; once set, the digits mean
// nothing and every operation leaves the value as it is.
//
// Zero has two forms: no cells in use, and one cell holding 0 (what parsing
// "0" gives). Every test for zero accepts both, and so do the comparisons.
#pragma once
#include <cstdint>

class BigInt {
public:
    explicit BigInt(uint32_t capacity);
    BigInt(const BigInt &other);
    // Copies the error flag; when the source carries it nothing else is
    // copied. Otherwise the storage grows to the source's length when it is
    // too small (it never shrinks) and the digits are copied.
    BigInt &operator=(const BigInt &other);
    virtual ~BigInt();

    // Digits '0'..'9' only; anything else gives false and changes nothing.
    // An empty text is zero; leading zeros are dropped but one digit is kept.
    // The storage grows to a longer text.
    bool FromString(const wchar_t *text);
    // Digits most significant first ("" for zero without cells, "Error" for
    // an errored value). Returns the size needed including the terminator;
    // nothing is written when size is smaller.
    uint32_t ToString(wchar_t *buffer, uint32_t size) const;
    // -1, 0 or 1 by value.
    static int Compare(const BigInt &a, const BigInt &b);

    void Normalize();
    void ShiftLeft(uint32_t n);  // times 10^n
    void ShiftRight(uint32_t n); // divided by 10^n, truncated
    void Add(const BigInt &b);
    void Subtract(const BigInt &b); // below zero sets the error flag
    void Multiply(const BigInt &b);
    void Divide(const BigInt &b);     // quotient rounded half up; by zero sets error
    void AppendDigit(uint16_t digit); // this * 10 + digit

    bool IsZero() const;
    bool HasError() const { return error_ != 0; }
    void SetError() { error_ = 1; }
    // No cells in use; the error flag is kept.
    void Empty() { length_ = 0; }
    uint32_t Length() const { return length_; }
    uint32_t Capacity() const { return capacity_; }
    uint16_t Digit(uint32_t index) const { return index < length_ ? digits_[index] : 0; }

private:
    // Cells in use without the high zero cells: the length the value would
    // have when normalized.
    uint32_t UsedLength() const;
    void Reallocate(uint32_t capacity); // new zeroed storage, value lost

    uint32_t error_;
    uint32_t length_;
    uint32_t capacity_;
    uint16_t *digits_; // owned, capacity_ cells
};
