// Online handwriting recognition for the ink control: strokes written in
// lines of Latin script become text.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace ink {

struct Stroke {
    std::vector<POINT> points; // in writing order, page coordinates
};

// The text that the strokes, written from left to right in one line, spell;
// characters are told apart by the gaps between groups of strokes and words
// by wider gaps. Empty when nothing is recognised or the model cannot be
// loaded. The model is read once, from "ink-latin.model" beside the module
// that holds this code.
std::wstring RecognizeLine(const std::vector<Stroke> &strokes);

} // namespace ink
