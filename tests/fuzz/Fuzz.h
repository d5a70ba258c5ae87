// A small mutation fuzzer for the programs' readers: each reader has a
// harness that feeds it inputs mutated from valid seeds (and from earlier
// inputs it accepted) and inputs generated from values, checking that it
// neither crashes nor hangs and, where the reader has a writer, that reading
// what was written gives the value back.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

using Bytes = std::vector<unsigned char>;

// splitmix64: small, fast, and the same sequence for the same seed everywhere.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // 0 .. n-1; 0 when n is 0.
    size_t Below(size_t n) { return n ? static_cast<size_t>(Next() % n) : 0; }
    bool OneIn(size_t n) { return Below(n) == 0; }
    // Mostly small numbers, sometimes up to most: sizes and lengths.
    size_t Size(size_t most);

private:
    uint64_t state_;
};

// What one input did to the reader.
struct Verdict {
    bool accepted = false; // the reader took it as valid: worth mutating further
    std::string failure;   // a broken property; empty when all held
};

class Harness {
public:
    virtual ~Harness() = default;
    virtual const char *Name() const = 0;
    // 2 when the input is UTF-16 LE text: mutations then work on whole
    // characters (a few still work on single bytes).
    virtual int Unit() const { return 1; }
    virtual size_t MaxSize() const { return 4096; }
    virtual std::vector<Bytes> Seeds() = 0;
    // Pieces of the format worth inserting: keys, separators, numbers.
    virtual std::vector<Bytes> Tokens() { return {}; }
    // Structure-aware repair after mutation (a checksum made right again),
    // so that the reader's deeper checks are reached.
    virtual void Fixup(Bytes &, Rng &) {}
    // Feeds one input to the reader and checks what it made of it.
    virtual Verdict Feed(const Bytes &input) = 0;
    // Makes a value within what the format can hold and returns its written
    // form; the next Feed of it checks that the value reads back. Readers
    // without a writer return false.
    virtual bool Generate(Rng &, Bytes *) { return false; }
    // Inputs of the short run (a few seconds under Wine).
    virtual size_t ShortInputs() const { return 20000; }
};

// Harnesses register themselves at start-up.
std::vector<Harness *> &Harnesses();
struct Registration {
    explicit Registration(Harness *harness) { Harnesses().push_back(harness); }
};

// UTF-16 LE bytes of a text and back (an odd last byte is dropped).
Bytes TextBytes(const std::wstring &text);
std::wstring BytesText(const Bytes &bytes);

// A NUL-terminated copy of text that ends right before an inaccessible
// page, so that a reader running past the terminator faults at once.
const wchar_t *GuardedText(const std::wstring &text);
const unsigned char *GuardedBytes(const Bytes &bytes);

// A text of random characters (never NUL), without those in excluded.
std::wstring RandomText(Rng &rng, size_t most, const wchar_t *excluded);

} // namespace fuzz
