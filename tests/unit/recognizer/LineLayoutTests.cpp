// How strokes fall into characters and words, and where a character lands
// in the recogniser's box.
#include "LineLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

namespace {

using ink::Stroke;

Stroke Line(long x0, long y0, long x1, long y1) {
    Stroke s;
    for (int i = 0; i <= 10; i++)
        s.points.push_back(POINT{x0 + (x1 - x0) * i / 10, y0 + (y1 - y0) * i / 10});
    return s;
}
Stroke Polyline(std::initializer_list<POINT> corners) {
    Stroke s;
    const POINT *previous = nullptr;
    for (const POINT &p : corners) {
        if (previous)
            for (int i = 1; i <= 8; i++)
                s.points.push_back(
                    POINT{previous->x + (p.x - previous->x) * i / 8, previous->y + (p.y - previous->y) * i / 8});
        else
            s.points.push_back(p);
        previous = &p;
    }
    return s;
}
Stroke Dot(long x, long y) { return Stroke{{POINT{x, y}}}; }
// A letter body from x to x + 30 of the 60-high line with its baseline at 100.
Stroke Body(long x) { return Line(x, 60, x + 30, 100); }

// The groups as a pattern: one 'x' per character, ' ' for a word gap.
std::string Pattern(const std::vector<ink::CharacterGroup> &groups) {
    std::string pattern;
    for (const auto &g : groups)
        pattern += g.spaceBefore ? " x" : "x";
    return pattern;
}

TEST(LineLayout, SegmentsCharactersAndWords) {
    struct Case {
        const char *name;
        std::vector<Stroke> strokes;
        const char *pattern;
    } cases[] = {
        {"dot over a stem", {Line(10, 70, 10, 100), Dot(10, 55)}, "x"},
        {"dot written first, a little left", {Dot(6, 55), Line(10, 70, 10, 100)}, "x"},
        {"dot a little right of the stem", {Line(10, 70, 10, 100), Dot(13, 55)}, "x"},
        {"cross over a stem, written after", {Line(20, 50, 20, 100), Line(8, 70, 34, 70)}, "x"},
        {"arms of a v meeting", {Line(0, 60, 10, 100), Line(10, 100, 20, 60)}, "x"},
        {"arches of an m, the pen lifted between",
         {Line(0, 60, 0, 100), Polyline({{0, 70}, {10, 60}, {20, 70}, {20, 100}}),
          Polyline({{20, 70}, {30, 60}, {40, 70}, {40, 100}})},
         "x"},
        {"colon after a letter", {Body(0), Dot(40, 75), Dot(41, 98)}, "xx"},
        {"separate letters", {Body(0), Body(40), Body(80)}, "xxx"},
        {"letters overlapping a little", {Line(0, 60, 30, 100), Line(28, 60, 58, 100)}, "xx"},
        {"one word gap", {Body(0), Body(40), Body(80), Body(160), Body(200)}, "xxx xx"},
        {"two words of two letters", {Body(0), Body(40), Body(120), Body(160)}, "xx xx"},
        {"a wide gap alone", {Body(0), Body(100)}, "x x"},
        {"even gaps, no words", {Body(0), Body(50), Body(100), Body(150)}, "xxxx"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.pattern, Pattern(ink::SegmentLine(c.strokes))) << c.name;
}

TEST(LineLayout, KeepsWritingOrderInsideACharacter) {
    // The cross is further left than the stem but written after it.
    const auto groups = ink::SegmentLine({Line(20, 50, 20, 100), Line(8, 70, 34, 70)});
    ASSERT_EQ(1u, groups.size());
    EXPECT_EQ((std::vector<size_t>{0, 1}), groups[0].strokes);
}

TEST(LineLayout, MeasuresBaselineAndBodyIgnoringPunctuation) {
    // Three bodies 40 high on a baseline at 100, one descending, and a comma.
    const auto groups = ink::SegmentLine(
        {Line(0, 60, 30, 100), Line(40, 60, 70, 100), Line(80, 60, 110, 120), Line(120, 95, 118, 105)});
    const ink::LineMetrics m = ink::MeasureLine(groups);
    EXPECT_EQ(100, m.baseline);
    EXPECT_EQ(40, m.height);
}

TEST(LineLayout, PlacesCharactersByTheLineNotByThemselves) {
    // A comma and a letter: the comma stays small and low in its box.
    const std::vector<Stroke> strokes{Line(0, 60, 30, 100), Line(40, 95, 38, 110)};
    const auto groups = ink::SegmentLine(strokes);
    ASSERT_EQ(2u, groups.size());
    const ink::LineMetrics m = ink::MeasureLine(groups);
    const auto letter = ink::PlaceInBox(strokes, groups[0], m);
    const auto comma = ink::PlaceInBox(strokes, groups[1], m);
    // The baseline sits two thirds down the box; the body is a third of it.
    EXPECT_EQ(200, letter[0].back().y);
    EXPECT_EQ(100, letter[0].front().y);
    EXPECT_EQ(150, letter[0].front().x + (letter[0].back().x - letter[0].front().x) / 2);
    EXPECT_GT(comma[0].front().y, 180);
    EXPECT_LT(comma[0].back().y - comma[0].front().y, 40);
}

TEST(LineLayout, CleaningBoundsWhatALineHolds) {
    std::vector<Stroke> strokes(5000, Dot(1, 1));
    strokes.insert(strokes.begin(), Stroke{});
    Stroke longStroke;
    for (long i = 0; i < 100000; i++)
        longStroke.points.push_back(POINT{i, i % 7});
    strokes.insert(strokes.begin() + 1, longStroke);
    strokes.insert(strokes.begin() + 2, Stroke{{POINT{LONG_MIN, LONG_MAX}, POINT{LONG_MAX, LONG_MIN}}});

    const auto clean = ink::CleanStrokes(strokes);
    ASSERT_EQ(ink::kMaxStrokes, clean.size()) << "empty stroke dropped, the rest capped";
    EXPECT_EQ(ink::kMaxPointsPerStroke, clean[0].points.size());
    EXPECT_EQ(0, clean[0].points.front().x);
    EXPECT_EQ(99999, clean[0].points.back().x) << "a thinned stroke keeps its ends";
    for (const POINT &p : clean[1].points) {
        EXPECT_LE(std::labs(p.x), ink::kMaxCoordinate);
        EXPECT_LE(std::labs(p.y), ink::kMaxCoordinate);
    }
}

TEST(LineLayout, DegenerateLinesStillMeasure) {
    struct Case {
        const char *name;
        std::vector<Stroke> strokes;
    } cases[] = {
        {"one dot", {Dot(5, 5)}},
        {"dots on one spot", {Dot(5, 5), Dot(5, 5), Dot(5, 5)}},
        {"a dash", {Line(0, 50, 40, 50)}},
        {"far apart", {Dot(-ink::kMaxCoordinate, 0), Dot(ink::kMaxCoordinate, ink::kMaxCoordinate)}},
    };
    for (const Case &c : cases) {
        const auto groups = ink::SegmentLine(c.strokes);
        ASSERT_FALSE(groups.empty()) << c.name;
        const ink::LineMetrics m = ink::MeasureLine(groups);
        EXPECT_GE(m.height, 1.0) << c.name;
        for (const auto &g : groups)
            for (const auto &s : ink::PlaceInBox(c.strokes, g, m))
                for (const POINT &p : s) {
                    EXPECT_GE(p.x, -ink::kBoxLimit) << c.name;
                    EXPECT_LE(p.y, ink::kBoxSize + ink::kBoxLimit) << c.name;
                }
    }
}

} // namespace
