// Choosing among the model's candidates for each character by the word and
// the line around it: o, O and 0 or l, I and 1 look alike, and which one a
// writer meant shows in the letters beside it and in the height.
#pragma once
#include <string>
#include <vector>

namespace ink {

struct Candidate {
    wchar_t character;
    float score; // higher is likelier
};

// One character as read: the model's candidates, best first (none gives no
// character), and the height of its ink.
struct CharacterRead {
    std::vector<Candidate> candidates;
    double height;
};

// A candidate this far below the best one is still taken when the word
// calls for it.
constexpr float kContextMargin = 2.0f;

// The x-height of a line: the median height of the characters read as
// lower-case letters that have no capital of the same shape; 0 when there
// are none.
double LineXHeight(const std::vector<CharacterRead> &line);

// The text of one word. In a word of letters, a digit or a mark inside the
// word becomes a close letter candidate, 0 and 1 become o and l, I becomes l
// but alone or at the start of a short word; letters
// whose capital has the same shape take their case from their height against
// the line's x-height (when known) or else from the rest of the word. In a
// word of digits, letters become close digits.
std::wstring ChooseInWord(const std::vector<CharacterRead> &word, double xHeight);

} // namespace ink
