#include "calc/BigInt.h"

#include <cstring>
#include <vector>

namespace {

const wchar_t kErrorText[] = L"Error";

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

} // namespace

BigInt::BigInt(uint32_t capacity)
    : error_(0), length_(0), capacity_(capacity),
      // One cell at least, so that cell 0 can always be written.
      digits_(new uint16_t[capacity ? capacity : 1]()) {}

BigInt::BigInt(const BigInt &other)
    : error_(other.error_), length_(other.length_), capacity_(other.capacity_),
      digits_(new uint16_t[other.capacity_ ? other.capacity_ : 1]()) {
    std::memcpy(digits_, other.digits_, length_ * sizeof(uint16_t));
}

BigInt &BigInt::operator=(const BigInt &other) {
    if (this == &other)
        return *this;
    error_ = other.error_;
    if (error_)
        return *this;
    if (capacity_ < other.length_)
        Reallocate(other.length_);
    std::memcpy(digits_, other.digits_, other.length_ * sizeof(uint16_t));
    length_ = other.length_;
    return *this;
}

BigInt::~BigInt() { delete[] digits_; }

void BigInt::Reallocate(uint32_t capacity) {
    uint16_t *cells = new uint16_t[capacity ? capacity : 1]();
    delete[] digits_;
    digits_ = cells;
    capacity_ = capacity;
    length_ = 0;
}

bool BigInt::FromString(const wchar_t *text) {
    if (!text)
        text = L"";
    const size_t count = wcslen(text);
    for (size_t i = 0; i < count; ++i) {
        if (!IsDigit(text[i]))
            return false;
    }
    size_t first = 0;
    while (first + 1 < count && text[first] == L'0')
        ++first;
    const uint32_t length = static_cast<uint32_t>(count - first);
    BigInt value(length);
    for (uint32_t i = 0; i < length; ++i)
        value.digits_[i] = static_cast<uint16_t>(text[count - 1 - i] - L'0');
    value.length_ = length;
    *this = value;
    return true;
}

uint32_t BigInt::ToString(wchar_t *buffer, uint32_t size) const {
    if (error_) {
        const uint32_t needed = sizeof(kErrorText) / sizeof(wchar_t);
        if (buffer && size >= needed)
            std::memcpy(buffer, kErrorText, sizeof(kErrorText));
        return needed;
    }
    const uint32_t needed = length_ + 1;
    if (!buffer || size < needed)
        return needed;
    for (uint32_t i = 0; i < length_; ++i)
        buffer[i] = static_cast<wchar_t>(L'0' + digits_[length_ - 1 - i]);
    buffer[length_] = L'\0';
    return needed;
}

int BigInt::Compare(const BigInt &a, const BigInt &b) {
    const uint32_t lengthA = a.UsedLength();
    const uint32_t lengthB = b.UsedLength();
    if (lengthA != lengthB)
        return lengthA < lengthB ? -1 : 1;
    for (uint32_t i = lengthA; i-- > 0;) {
        if (a.digits_[i] != b.digits_[i])
            return a.digits_[i] < b.digits_[i] ? -1 : 1;
    }
    return 0;
}

uint32_t BigInt::UsedLength() const {
    uint32_t length = length_;
    while (length > 0 && digits_[length - 1] == 0)
        --length;
    return length;
}

bool BigInt::IsZero() const { return UsedLength() == 0; }

void BigInt::Normalize() { length_ = UsedLength(); }

void BigInt::ShiftLeft(uint32_t n) {
    if (error_ || length_ == 0 || n == 0)
        return;
    Normalize();
    if (length_ == 0)
        return; // zero stays zero, whatever the shift
    if (uint64_t(length_) + n > capacity_) {
        error_ = 1;
        return;
    }
    std::memmove(digits_ + n, digits_, length_ * sizeof(uint16_t));
    std::memset(digits_, 0, n * sizeof(uint16_t));
    length_ += n;
}

void BigInt::ShiftRight(uint32_t n) {
    if (error_ || length_ == 0 || n == 0)
        return;
    if (n >= length_) {
        length_ = 0;
        digits_[0] = 0;
        return;
    }
    std::memmove(digits_, digits_ + n, (length_ - n) * sizeof(uint16_t));
    length_ -= n;
    Normalize();
}

void BigInt::Add(const BigInt &b) {
    if (error_ || b.error_)
        return;
    Normalize();
    // b may be this: its length is taken before this changes, and each cell
    // is read before it is written.
    const uint32_t lengthB = b.UsedLength();
    if (length_ < lengthB) {
        if (lengthB > capacity_) {
            error_ = 1;
            return;
        }
        std::memset(digits_ + length_, 0, (lengthB - length_) * sizeof(uint16_t));
        length_ = lengthB;
    }
    uint16_t carry = 0;
    for (uint32_t i = 0; i < lengthB; ++i) {
        uint16_t sum = static_cast<uint16_t>(digits_[i] + b.digits_[i] + carry);
        carry = sum >= 10;
        digits_[i] = carry ? sum - 10 : sum;
    }
    for (uint32_t i = lengthB; carry; ++i) {
        if (i >= capacity_) {
            error_ = 1;
            return;
        }
        if (i == length_) {
            digits_[i] = 1;
            ++length_;
            carry = 0;
        } else if (++digits_[i] == 10) {
            digits_[i] = 0;
        } else {
            carry = 0;
        }
    }
}

void BigInt::Subtract(const BigInt &b) {
    if (error_ || b.error_)
        return;
    const uint32_t lengthB = b.UsedLength();
    if (lengthB == 0)
        return;
    Normalize();
    if (length_ < lengthB) {
        error_ = 1;
        return;
    }
    int borrow = 0;
    for (uint32_t i = 0; i < lengthB; ++i) {
        int difference = int(digits_[i]) - int(b.digits_[i]) - borrow;
        borrow = difference < 0;
        digits_[i] = static_cast<uint16_t>(borrow ? difference + 10 : difference);
    }
    for (uint32_t i = lengthB; borrow; ++i) {
        if (i >= length_) {
            error_ = 1; // the difference would be below zero
            return;
        }
        if (digits_[i] == 0) {
            digits_[i] = 9;
        } else {
            --digits_[i];
            borrow = 0;
        }
    }
    Normalize();
}

void BigInt::Multiply(const BigInt &b) {
    if (error_ || b.error_)
        return;
    Normalize();
    const uint32_t lengthA = length_;
    const uint32_t lengthB = b.UsedLength();
    if (lengthA == 0 || lengthB == 0) {
        length_ = 0;
        return;
    }
    // Schoolbook product into a scratch row (b may be this). Whether it fits
    // is decided by the product's own length, not the sum of the lengths, so
    // a product that needs exactly the capacity is kept.
    std::vector<uint16_t> product(lengthA + lengthB, 0);
    for (uint32_t i = 0; i < lengthA; ++i) {
        uint32_t carry = 0;
        for (uint32_t j = 0; j < lengthB; ++j) {
            const uint32_t value = product[i + j] + uint32_t(b.digits_[j]) * digits_[i] + carry;
            product[i + j] = static_cast<uint16_t>(value % 10);
            carry = value / 10;
        }
        product[i + lengthB] = static_cast<uint16_t>(carry);
    }
    uint32_t length = lengthA + lengthB;
    while (length > 0 && product[length - 1] == 0)
        --length;
    if (length > capacity_) {
        error_ = 1;
        return;
    }
    std::memcpy(digits_, product.data(), length * sizeof(uint16_t));
    length_ = length;
}

void BigInt::AppendDigit(uint16_t digit) {
    if (error_)
        return;
    Normalize();
    if (length_ == 0 && digit == 0)
        return;
    if (length_ + 1 > capacity_) {
        error_ = 1;
        return;
    }
    std::memmove(digits_ + 1, digits_, length_ * sizeof(uint16_t));
    digits_[0] = digit;
    ++length_;
}

void BigInt::Divide(const BigInt &b) {
    if (error_ || b.error_)
        return;
    if (b.IsZero()) {
        error_ = 1;
        return;
    }
    const BigInt divisor(b); // b may be this, which is overwritten below
    Normalize();
    const uint32_t lengthA = length_;

    // Long division, one dividend digit at a time, so every digit is brought
    // down whatever the running remainder is. The remainder stays below ten
    // times the divisor: one cell more than the divisor.
    BigInt remainder(divisor.UsedLength() + 1);
    std::vector<uint16_t> quotient(lengthA, 0);
    for (uint32_t k = lengthA; k-- > 0;) {
        remainder.AppendDigit(digits_[k]);
        uint16_t q = 0;
        while (Compare(remainder, divisor) >= 0) {
            remainder.Subtract(divisor);
            ++q;
        }
        quotient[k] = q;
    }
    if (lengthA)
        std::memcpy(digits_, quotient.data(), lengthA * sizeof(uint16_t));
    Normalize();

    // Half up: a remainder of at least half the divisor rounds the quotient
    // up, also when the quotient itself is zero.
    BigInt twice(remainder);
    twice.Add(remainder);
    if (Compare(twice, divisor) >= 0) {
        BigInt one(1);
        one.AppendDigit(1);
        Add(one);
    }
}
