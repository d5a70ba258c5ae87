#include "Mutator.h"

#include <algorithm>

namespace fuzz {

namespace {

// Characters that readers treat specially or that break naive code: field
// and list separators, quotes, signs, line ends, the byte-order mark, lone
// surrogates, the private-use character, the largest unit.
const unsigned kTextUnits[] = {0,    L'/',  L'"', L',',  L'.',   L'-',   L'+',   L'*',   L'(',
                               L')', L'#',  L' ', L'\r', L'\n',  L'\t',  L'0',   L'9',   L'e',
                               L'%', L'\\', 0x7F, 0x80,  0xFEFF, 0xD800, 0xDC00, 0xE000, 0xFFFF};
const unsigned kByteUnits[] = {0, 1, 2, 0x7F, 0x80, 0xFE, 0xFF, 0x20, 0x10};
const uint32_t kIntegers[] = {0,          1,       2,       0x7F,    0x80,       0xFF,       0x100,
                              0x7FFF,     0x8000,  0xFFFF,  0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF,
                              0xFFFFFFFE, 1000000, 1000001, 100000,  100001,     4000000,    1 << 24};

void PutUnit(Bytes &input, size_t at, unsigned value, int unit) {
    for (int i = 0; i < unit; ++i)
        input[at * unit + i] = static_cast<unsigned char>(value >> (8 * i));
}

} // namespace

Bytes Mutator::RandomUnits(Rng &rng, size_t count) const {
    Bytes units(count * unit_);
    for (size_t i = 0; i < count; ++i) {
        unsigned value;
        if (rng.OneIn(2))
            value = unit_ == 2 ? kTextUnits[rng.Below(std::size(kTextUnits))]
                               : kByteUnits[rng.Below(std::size(kByteUnits))];
        else if (unit_ == 2 && rng.OneIn(2))
            value = 0x20 + static_cast<unsigned>(rng.Below(0x5F)); // printable ASCII
        else
            value = static_cast<unsigned>(rng.Next());
        PutUnit(units, i, value, unit_);
    }
    return units;
}

void Mutator::Mutate(Bytes &input, Rng &rng, const std::vector<Bytes> &others) const {
    const size_t count = 1 + (rng.OneIn(2) ? 0 : rng.Below(8));
    for (size_t i = 0; i < count; ++i)
        MutateOnce(input, rng, others);
    if (input.size() > max_)
        input.resize(max_ - max_ % unit_);
}

void Mutator::MutateOnce(Bytes &input, Rng &rng, const std::vector<Bytes> &others) const {
    const size_t units = Units(input);
    const size_t at = rng.Below(units + 1); // a place between units
    switch (rng.Below(13)) {
    case 0: // flip one bit
        if (!input.empty())
            input[rng.Below(input.size())] ^= static_cast<unsigned char>(1u << rng.Below(8));
        break;
    case 1: // set one unit
        if (units > 0) {
            const Bytes unit = RandomUnits(rng, 1);
            std::copy(unit.begin(), unit.end(), input.begin() + rng.Below(units) * unit_);
        }
        break;
    case 2: { // insert a few units
        const Bytes inserted = RandomUnits(rng, 1 + rng.Below(8));
        input.insert(input.begin() + at * unit_, inserted.begin(), inserted.end());
        break;
    }
    case 3: { // delete a range
        const size_t n = std::min(units - std::min(units, at), 1 + rng.Size(units / 2 + 1));
        input.erase(input.begin() + at * unit_, input.begin() + (at + n) * unit_);
        break;
    }
    case 4: { // copy a range to another place
        if (units == 0)
            break;
        const size_t from = rng.Below(units);
        const size_t n = 1 + rng.Below(std::min<size_t>(units - from, 64));
        const Bytes piece(input.begin() + from * unit_, input.begin() + (from + n) * unit_);
        input.insert(input.begin() + at * unit_, piece.begin(), piece.end());
        break;
    }
    case 5: { // repeat a short range many times: long texts, deep nesting
        if (units == 0)
            break;
        const size_t from = rng.Below(units);
        const size_t n = 1 + rng.Below(std::min<size_t>(units - from, 8));
        const Bytes piece(input.begin() + from * unit_, input.begin() + (from + n) * unit_);
        const size_t times = 1 + rng.Size(std::max<size_t>(1, (max_ - std::min(max_, input.size())) / piece.size()));
        Bytes repeated;
        for (size_t i = 0; i < times; ++i)
            repeated.insert(repeated.end(), piece.begin(), piece.end());
        input.insert(input.begin() + from * unit_, repeated.begin(), repeated.end());
        break;
    }
    case 6:
    case 7: { // a token of the format, inserted or written over
        if (tokens_.empty())
            break;
        const Bytes &token = tokens_[rng.Below(tokens_.size())];
        if (rng.OneIn(2) || at * unit_ + token.size() > input.size())
            input.insert(input.begin() + at * unit_, token.begin(), token.end());
        else
            std::copy(token.begin(), token.end(), input.begin() + at * unit_);
        break;
    }
    case 8: { // splice: this input's head, another's tail
        if (others.empty())
            break;
        const Bytes &other = others[rng.Below(others.size())];
        const size_t from = rng.Below(other.size() / unit_ + 1) * unit_;
        input.resize(at * unit_);
        input.insert(input.end(), other.begin() + from, other.end());
        break;
    }
    case 9: { // a 16- or 32-bit field set to a boundary value, or moved a little
        const size_t width = rng.OneIn(2) ? 2 : 4;
        if (input.size() < width)
            break;
        const size_t offset = rng.Below(input.size() - width + 1);
        uint32_t value = 0;
        for (size_t i = 0; i < width; ++i)
            value |= uint32_t(input[offset + i]) << (8 * i);
        if (rng.OneIn(3))
            value += static_cast<uint32_t>(rng.Below(33)) - 16;
        else
            value = kIntegers[rng.Below(std::size(kIntegers))];
        for (size_t i = 0; i < width; ++i)
            input[offset + i] = static_cast<unsigned char>(value >> (8 * i));
        break;
    }
    case 10: // cut the end off
        input.resize(at * unit_);
        break;
    case 11: // swap two units
        if (units >= 2) {
            const size_t a = rng.Below(units), b = rng.Below(units);
            for (int i = 0; i < unit_; ++i)
                std::swap(input[a * unit_ + i], input[b * unit_ + i]);
        }
        break;
    default: // a single byte inserted or removed: odd sizes, shifted units
        if (rng.OneIn(2) && !input.empty())
            input.erase(input.begin() + rng.Below(input.size()));
        else
            input.insert(input.begin() + rng.Below(input.size() + 1), static_cast<unsigned char>(rng.Next()));
        break;
    }
}

} // namespace fuzz
