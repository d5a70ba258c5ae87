#include "LineLayout.h"

#include <algorithm>
#include <cmath>

namespace ink {
namespace {

// A stroke this share of the line's height wide or less (a dot, a stem, a
// cross-bar's stem) joins a character it nearly touches.
constexpr double kNarrowShare = 0.2;
// "Nearly touches": within this share of the line's height.
constexpr double kTouchShare = 0.15;
// An end of a stroke this close to another stroke touches it.
constexpr double kJoinShare = 0.08;
// Touching is looked for among this many of the character's strokes last
// joined (its rightmost so far), which bounds the work on a scribbled line.
constexpr size_t kTouchCandidates = 8;
// Extents overlapping by this share of the narrower belong to one character.
constexpr double kOverlapShare = 0.3;
// A gap is a word gap when it is this share of the body height wide and
// twice the median gap between characters, or kWideGapShare wide whatever
// the other gaps are.
constexpr double kWordGapShare = 0.45;
constexpr double kWideGapShare = 0.9;
constexpr double kWordGapToMedian = 2.0;

long Clamp(long v) { return std::min(std::max(v, -kMaxCoordinate), kMaxCoordinate); }

Extent StrokeExtent(const Stroke &stroke) {
    Extent e{double(stroke.points[0].x), double(stroke.points[0].y), double(stroke.points[0].x),
             double(stroke.points[0].y)};
    for (const POINT &p : stroke.points) {
        e.left = std::min(e.left, double(p.x));
        e.right = std::max(e.right, double(p.x));
        e.top = std::min(e.top, double(p.y));
        e.bottom = std::max(e.bottom, double(p.y));
    }
    return e;
}

void Include(Extent &into, const Extent &e) {
    into.left = std::min(into.left, e.left);
    into.top = std::min(into.top, e.top);
    into.right = std::max(into.right, e.right);
    into.bottom = std::max(into.bottom, e.bottom);
}

// The upper median; the vector is reordered.
double Median(std::vector<double> values) {
    auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The height of the line's tall strokes, a scale for "near" and "narrow"
// before the characters are known.
double StrokeScale(const std::vector<Extent> &extents) {
    double tallest = 0;
    for (const Extent &e : extents)
        tallest = std::max(tallest, e.Height());
    std::vector<double> tall;
    for (const Extent &e : extents)
        if (e.Height() >= 0.3 * tallest)
            tall.push_back(e.Height());
    return std::max(Median(tall), 1.0);
}

// The squared distance from p to the segment a-b.
double Distance2(const POINT &p, const POINT &a, const POINT &b) {
    const double abx = double(b.x) - a.x, aby = double(b.y) - a.y;
    const double apx = double(p.x) - a.x, apy = double(p.y) - a.y;
    const double length2 = abx * abx + aby * aby;
    const double t = length2 > 0 ? std::min(std::max((apx * abx + apy * aby) / length2, 0.0), 1.0) : 0.0;
    const double dx = apx - t * abx, dy = apy - t * aby;
    return dx * dx + dy * dy;
}

// Whether an end of one stroke lies on the other: the pen was lifted and put
// down again where it stopped, as between the arches of an m or the arms of
// a w.
bool Touches(const Stroke &a, const Stroke &b, double reach) {
    const double reach2 = reach * reach;
    for (const Stroke *ends : {&a, &b}) {
        const std::vector<POINT> &line = (ends == &a ? b : a).points;
        for (const POINT &end : {ends->points.front(), ends->points.back()})
            for (size_t i = 0; i < line.size(); i++)
                if (Distance2(end, line[i], line[i + 1 < line.size() ? i + 1 : i]) <= reach2)
                    return true;
    }
    return false;
}

bool BelongsTogether(const std::vector<Stroke> &strokes, const std::vector<Extent> &extents,
                     const CharacterGroup &group, size_t stroke, double scale) {
    const Extent &e = extents[stroke];
    const double overlap = std::min(group.extent.right, e.right) - std::max(group.extent.left, e.left);
    const double narrower = std::min(group.extent.Width(), e.Width());
    if (overlap >= kOverlapShare * narrower)
        return true;
    if (overlap < -kTouchShare * scale)
        return false;
    if (narrower <= kNarrowShare * scale)
        return true;
    const size_t n = group.strokes.size();
    for (size_t i = n - std::min(n, kTouchCandidates); i < n; i++)
        if (Touches(strokes[group.strokes[i]], strokes[stroke], kJoinShare * scale))
            return true;
    return false;
}

void MarkWordGaps(std::vector<CharacterGroup> &groups) {
    if (groups.size() < 2)
        return;
    const LineMetrics metrics = MeasureLine(groups);
    std::vector<double> gaps;
    for (size_t i = 1; i < groups.size(); i++)
        gaps.push_back(std::max(0.0, groups[i].extent.left - groups[i - 1].extent.right));
    const double median = Median(gaps);
    const double threshold =
        std::max(kWordGapShare * metrics.height, std::min(kWordGapToMedian * median, kWideGapShare * metrics.height));
    for (size_t i = 1; i < groups.size(); i++)
        groups[i].spaceBefore = gaps[i - 1] > threshold;
}

} // namespace

std::vector<Stroke> CleanStrokes(const std::vector<Stroke> &strokes) {
    std::vector<Stroke> clean;
    for (const Stroke &stroke : strokes) {
        if (clean.size() == kMaxStrokes)
            break;
        const size_t n = stroke.points.size();
        if (n == 0)
            continue;
        Stroke s;
        const size_t kept = std::min(n, kMaxPointsPerStroke);
        s.points.reserve(kept);
        for (size_t i = 0; i < kept; i++) {
            // Evenly spread over the stroke, first and last point kept.
            const size_t from = kept == n ? i : size_t((unsigned long long)i * (n - 1) / (kept - 1));
            s.points.push_back(POINT{Clamp(stroke.points[from].x), Clamp(stroke.points[from].y)});
        }
        clean.push_back(std::move(s));
    }
    return clean;
}

std::vector<CharacterGroup> SegmentLine(const std::vector<Stroke> &strokes) {
    std::vector<CharacterGroup> groups;
    if (strokes.empty())
        return groups;
    std::vector<Extent> extents;
    for (const Stroke &s : strokes)
        extents.push_back(StrokeExtent(s));
    const double scale = StrokeScale(extents);

    std::vector<size_t> order(strokes.size());
    for (size_t i = 0; i < order.size(); i++)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return extents[a].left < extents[b].left; });
    for (size_t i : order) {
        if (!groups.empty() && BelongsTogether(strokes, extents, groups.back(), i, scale)) {
            groups.back().strokes.push_back(i);
            Include(groups.back().extent, extents[i]);
        } else {
            CharacterGroup group;
            group.strokes.push_back(i);
            group.extent = extents[i];
            groups.push_back(std::move(group));
        }
    }
    for (CharacterGroup &g : groups)
        std::sort(g.strokes.begin(), g.strokes.end()); // back into writing order
    MarkWordGaps(groups);
    return groups;
}

LineMetrics MeasureLine(const std::vector<CharacterGroup> &groups) {
    if (groups.empty())
        return LineMetrics{0, 1};
    double tallest = 0;
    for (const CharacterGroup &g : groups)
        tallest = std::max(tallest, g.extent.Height());
    std::vector<double> heights, bottoms, widths;
    for (const CharacterGroup &g : groups) {
        widths.push_back(g.extent.Width());
        if (g.extent.Height() >= kBodyShare * tallest) {
            heights.push_back(g.extent.Height());
            bottoms.push_back(g.extent.bottom);
        }
    }
    // A line of dashes has no height of its own: its width stands in.
    const double height = std::max({Median(heights), 0.5 * Median(widths), 1.0});
    return LineMetrics{Median(bottoms), height};
}

std::vector<std::vector<POINT>> PlaceInBox(const std::vector<Stroke> &strokes, const CharacterGroup &group,
                                           const LineMetrics &metrics) {
    const double k = kBoxSize / ((kBoxAbove + kBoxBelow) * metrics.height);
    const double centre = (group.extent.left + group.extent.right) / 2;
    const double baselineInBox = kBoxAbove * kBoxSize / (kBoxAbove + kBoxBelow);
    auto place = [](double v) {
        return LONG(std::min(std::max(std::floor(v + 0.5), double(-kBoxLimit)), double(kBoxSize + kBoxLimit)));
    };
    std::vector<std::vector<POINT>> placed;
    for (size_t i : group.strokes) {
        std::vector<POINT> points;
        for (const POINT &p : strokes[i].points)
            points.push_back(
                POINT{place(kBoxSize / 2 + (p.x - centre) * k), place(baselineInBox + (p.y - metrics.baseline) * k)});
        placed.push_back(std::move(points));
    }
    return placed;
}

} // namespace ink
