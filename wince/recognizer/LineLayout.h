// How a written line falls apart into characters and words, and where each
// character sits in the recogniser's box. No windows and no model here.
#pragma once
#include "InkRecognizer.h"

#include <cstddef>
#include <vector>

namespace ink {

// Limits on what one line may hold; past them the rest is ignored or thinned.
constexpr size_t kMaxStrokes = 1000;
constexpr size_t kMaxPointsPerStroke = 1000;
constexpr long kMaxCoordinate = 1L << 24;

// The recogniser's box, and where a line's baseline and body height put a
// character in it. The model's generator (data/inkmodel.py) places its
// training samples by the same numbers.
constexpr int kBoxSize = 300;
constexpr double kBodyShare = 0.5; // characters this share of the tallest give the line's metrics
constexpr double kBoxAbove = 2.0;  // the box reaches this many body heights above the baseline
constexpr double kBoxBelow = 1.0;  // and this many below
constexpr int kBoxLimit = 2 * kBoxSize;

struct Extent {
    double left, top, right, bottom; // y grows downwards
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
};

// One character: its strokes' indexes in writing order.
struct CharacterGroup {
    std::vector<size_t> strokes;
    Extent extent;
    bool spaceBefore = false; // a word gap separates it from the character before
};

struct LineMetrics {
    double baseline;
    double height; // of the line's body, > 0
};

// The strokes the recogniser works on: empty ones dropped, at most
// kMaxStrokes, long strokes thinned to kMaxPointsPerStroke points and
// coordinates clamped to +-kMaxCoordinate.
std::vector<Stroke> CleanStrokes(const std::vector<Stroke> &strokes);

// The characters of a line of clean strokes, from left to right. Strokes join
// a character when their horizontal extents overlap by a good share of the
// narrower one, or when a narrow stroke (a dot, a stem under a cross) touches
// or nearly touches it, or when an end of one lies on the other (the arches
// of an m). Word gaps are marked.
std::vector<CharacterGroup> SegmentLine(const std::vector<Stroke> &strokes);

// The baseline and body height of a line from its characters: the medians
// of those at least kBodyShare as tall as the tallest.
LineMetrics MeasureLine(const std::vector<CharacterGroup> &groups);

// The character's strokes in the recogniser's box, centred horizontally and
// placed vertically by the line's metrics.
std::vector<std::vector<POINT>> PlaceInBox(const std::vector<Stroke> &strokes, const CharacterGroup &group,
                                           const LineMetrics &metrics);

} // namespace ink
