// Mutations of an input: bit flips, characters or bytes set, inserted,
// deleted, duplicated and repeated, format tokens, integer fields set to
// boundary values, and splices with other inputs.
#pragma once
#include "Fuzz.h"

namespace fuzz {

class Mutator {
public:
    Mutator(int unit, size_t maxSize, std::vector<Bytes> tokens) : unit_(unit), max_(maxSize), tokens_(tokens) {}
    // One to eight mutations; others are inputs to splice with.
    void Mutate(Bytes &input, Rng &rng, const std::vector<Bytes> &others) const;

private:
    void MutateOnce(Bytes &input, Rng &rng, const std::vector<Bytes> &others) const;
    Bytes RandomUnits(Rng &rng, size_t count) const;
    size_t Units(const Bytes &input) const { return input.size() / unit_; }

    int unit_;
    size_t max_;
    std::vector<Bytes> tokens_;
};

} // namespace fuzz
