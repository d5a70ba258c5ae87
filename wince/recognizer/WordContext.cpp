#include "WordContext.h"

#include <algorithm>
#include <cwchar>

namespace ink {
namespace {

// Lower-case letters that differ from their capitals only in size.
const wchar_t kSizeOnlyCase[] = L"cosuvwxz";
// Lower-case letters of x-height with a capital of another shape.
const wchar_t kXHeightLetters[] = L"aemnr";
// Marks that may end a word.
const wchar_t kEndMarks[] = L".,!?;:')";
// A letter this many x-heights tall or more is a capital.
constexpr double kCapitalHeight = 1.3;

bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsLower(wchar_t c) { return c >= L'a' && c <= L'z'; }
wchar_t ToLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; }
wchar_t ToUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? wchar_t(c - L'a' + L'A') : c; }
bool In(const wchar_t *set, wchar_t c) { return c != 0 && std::wcschr(set, c) != nullptr; }

// The best candidate that passes the test and is close to the best of all;
// the best of all when none is.
template <class Test>
wchar_t BestClose(const std::vector<Candidate> &candidates, Test test) {
    for (const Candidate &c : candidates)
        if (c.score >= candidates[0].score - kContextMargin && test(c.character))
            return c.character;
    return candidates[0].character;
}

} // namespace

double LineXHeight(const std::vector<CharacterRead> &line) {
    std::vector<double> heights;
    for (const CharacterRead &r : line)
        if (!r.candidates.empty() && In(kXHeightLetters, r.candidates[0].character))
            heights.push_back(r.height);
    if (heights.empty())
        return 0;
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    return heights[heights.size() / 2];
}

std::wstring ChooseInWord(const std::vector<CharacterRead> &word, double xHeight) {
    size_t letters = 0, digits = 0, lowerAfterFirst = 0, upperAfterFirst = 0;
    for (size_t i = 0; i < word.size(); i++) {
        if (word[i].candidates.empty())
            continue;
        const wchar_t c = word[i].candidates[0].character;
        letters += IsLetter(c);
        digits += IsDigit(c) && c != L'0' && c != L'1'; // these two read as letters as easily
        // Letters whose case does not show in their shape do not vote.
        if (i > 0 && IsLetter(c) && c != L'I' && !In(kSizeOnlyCase, ToLower(c)))
            (IsLower(c) ? lowerAfterFirst : upperAfterFirst)++;
    }
    const bool letterWord = letters > 0 && letters >= digits;
    // Words in capitals are rarer than a capital misread in a short word.
    const bool lowerWord = !(upperAfterFirst >= 2 && upperAfterFirst > lowerAfterFirst);

    std::wstring text;
    for (size_t i = 0; i < word.size(); i++) {
        const auto &candidates = word[i].candidates;
        if (candidates.empty())
            continue;
        wchar_t c = candidates[0].character;
        // Marks that end a word (a full stop, a comma) stay there; inside a
        // word, or other marks, are usually a misread letter.
        const bool inside = i + 1 < word.size();
        if (letterWord) {
            if (c == L'0')
                c = L'o';
            else if (c == L'1')
                c = i == 0 ? L'I' : L'l';
            else if (IsDigit(c) || (!IsLetter(c) && (inside || !In(kEndMarks, c))))
                c = BestClose(candidates, IsLetter);
            // A capital I alone or starting a short word; elsewhere an l.
            if (c == L'I' && lowerWord && (i > 0 || letters >= 3))
                c = L'l';
            if (In(kSizeOnlyCase, ToLower(c)) && xHeight > 0)
                c = word[i].height >= kCapitalHeight * xHeight ? ToUpper(c) : ToLower(c);
            else if (i > 0 && IsLetter(c) && IsLower(c) != lowerWord)
                c = BestClose(candidates, [&](wchar_t k) { return IsLetter(k) && IsLower(k) == lowerWord; });
        } else if (digits > 0 && IsLetter(c)) {
            c = BestClose(candidates, IsDigit);
        }
        text += c;
    }
    return text;
}

} // namespace ink
