// The trained model that tells which character a group of strokes is.
#pragma once
#include "InkRecognizer.h"
#include "WordContext.h"

#include <memory>
#include <string>
#include <vector>

namespace zinnia {
class Recognizer;
}

namespace ink {

class CharacterModel {
public:
    CharacterModel();
    ~CharacterModel();
    CharacterModel(const CharacterModel &) = delete;
    CharacterModel &operator=(const CharacterModel &) = delete;

    // Reads a model file; false, and no model, when it is missing, too large
    // or not a well-formed model.
    bool Load(const std::wstring &path);
    // The same from bytes in memory, which the model keeps.
    bool LoadBytes(std::vector<char> bytes);
    bool Loaded() const { return recognizer_ != nullptr; }

    // The likeliest characters for strokes placed in the box (see
    // LineLayout.h), best first; none when there is no model or nothing to
    // classify.
    std::vector<Candidate> Classify(const std::vector<std::vector<POINT>> &boxStrokes, size_t count) const;

private:
    std::vector<char> bytes_;                        // the model; the recogniser points into it
    std::unique_ptr<zinnia::Recognizer> recognizer_; // owned; null when no model is loaded
};

// Whether bytes hold a complete, self-consistent binary model: every record
// and its feature list inside the buffer, names terminated.
bool IsWellFormedModel(const std::vector<char> &bytes);

// RecognizeLine with a given model.
std::wstring RecognizeLineWith(const CharacterModel &model, const std::vector<Stroke> &strokes);

} // namespace ink
