// Choosing among look-alike candidates by the word and the line.
#include "WordContext.h"

#include <gtest/gtest.h>

namespace {

using ink::CharacterRead;

// A character read as the candidates, best first, 0.5 apart, of the height.
CharacterRead Read(const wchar_t *candidates, double height = 10) {
    CharacterRead r{{}, height};
    float score = 0;
    for (const wchar_t *c = candidates; *c; c++, score -= 0.5f)
        r.candidates.push_back(ink::Candidate{*c, score});
    return r;
}

TEST(WordContext, ResolvesLookAlikesByTheWord) {
    struct Case {
        const char *name;
        std::vector<CharacterRead> word;
        double xHeight;
        const wchar_t *text;
    } cases[] = {
        {"zero among letters", {Read(L"g"), Read(L"0O")}, 0, L"go"},
        {"one among lower-case letters", {Read(L"a"), Read(L"1l"), Read(L"1l")}, 0, L"all"},
        {"capital I inside a word", {Read(L"t"), Read(L"h"), Read(L"I"), Read(L"s")}, 0, L"thls"},
        {"capital I starting a short word", {Read(L"I"), Read(L"t")}, 0, L"It"},
        {"capital I starting a longer word", {Read(L"I"), Read(L"i"), Read(L"k"), Read(L"e")}, 0, L"like"},
        {"a mark inside a word", {Read(L"w"), Read(L"/i"), Read(L"l"), Read(L"l")}, 0, L"will"},
        {"a full stop ends a word", {Read(L"g"), Read(L"o"), Read(L".,")}, 0, L"go."},
        {"a slash at the end with no letter close", {Read(L"a"), Read(L"/")}, 0, L"a/"},
        {"a far letter is not taken", {Read(L"a"), Read(L"b"), Read(L"7#####a")}, 0, L"ab7"},
        {"a letter among digits", {Read(L"1"), Read(L"9"), Read(L"5"), Read(L"O0")}, 0, L"1950"},
        {"zero and one alone", {Read(L"1"), Read(L"0")}, 0, L"10"},
        {"capital in a lower-case word", {Read(L"t"), Read(L"h"), Read(L"Ee")}, 0, L"the"},
        {"a word in capitals", {Read(L"H"), Read(L"E"), Read(L"N")}, 0, L"HEN"},
        {"size shows the case", {Read(L"S", 15), Read(L"O", 10), Read(L"n", 10)}, 10, L"Son"},
        {"size unknown", {Read(L"S", 15), Read(L"O", 10)}, 0, L"SO"},
        {"nothing read", {Read(L""), Read(L"a")}, 0, L"a"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(std::wstring(c.text), ink::ChooseInWord(c.word, c.xHeight)) << c.name;
}

TEST(WordContext, XHeightComesFromLettersWithDistinctCapitals) {
    EXPECT_EQ(10, ink::LineXHeight({Read(L"T", 16), Read(L"a", 10), Read(L"o", 14), Read(L"n", 10)}));
    EXPECT_EQ(0, ink::LineXHeight({Read(L"O", 16), Read(L"K", 16)}));
}

} // namespace
