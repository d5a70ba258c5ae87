#include "CharacterModel.h"
#include "FileHandle.h"
#include "LineLayout.h"

// On Windows zinnia.h declares its entry points as imported from a DLL;
// here it is a static library, so they are declared as on other systems.
#pragma push_macro("_WIN32")
#undef _WIN32
#include <zinnia.h>
#pragma pop_macro("_WIN32")

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace ink {
namespace {

// The binary model zinnia_learn writes: a header of magic (xor-ed with the
// file size), version and record count, then per character a 16-byte name, a
// float bias and {int index; float value} features ending with index -1.
constexpr uint32_t kModelMagic = 0xef71821u;
constexpr uint32_t kModelVersion = 1;
constexpr size_t kNameSize = 16;
constexpr size_t kFeatureSize = 8;
constexpr size_t kMaxModelSize = 64u << 20;
// Candidates weighed per character when its word is read.
constexpr size_t kCandidates = 6;

uint32_t ReadWord(const std::vector<char> &bytes, size_t at) {
    uint32_t v;
    std::memcpy(&v, bytes.data() + at, sizeof v);
    return v;
}

// The model's names are one ASCII letter or digit, or "#hh", the hex code of
// a mark the training format cannot hold as it is.
wchar_t CharacterOfName(const char *name) {
    if (name[0] == '#' && std::strlen(name) == 3)
        return wchar_t(std::strtoul(name + 1, nullptr, 16));
    if (name[0] != 0 && name[1] == 0)
        return wchar_t((unsigned char)name[0]);
    return 0;
}

// zinnia splits each stroke at its farthest points recursively, numbering
// the pieces as a binary tree (1, 2 under 0; 3..6 under those; ...) and sizing
// a table by the highest number; it uses only pieces up to number 50. A
// stroke whose splits run deep would make that table astronomically large, so
// the stroke is cut down beforehand to the points of the first kSplitDepth
// levels of the same splitting: pieces up to 62 come out exactly as from the
// whole stroke, and nothing deeper exists.
constexpr int kSplitDepth = 6;
constexpr float kSplitError = 0.001f; // zinnia's own threshold

struct Unit {
    float x, y;
};

void KeepSplits(const std::vector<Unit> &p, size_t first, size_t last, int depth, std::vector<bool> &keep) {
    if (depth == kSplitDepth || first == last)
        return;
    const float a = p[last].x - p[first].x;
    const float b = p[last].y - p[first].y;
    const float c = p[last].y * p[first].x - p[last].x * p[first].y;
    float max = -1;
    size_t best = first;
    for (size_t i = first; i != last; i++) {
        const float d = std::fabs(a * p[i].y - b * p[i].x + c);
        if (d > max) {
            max = d;
            best = i;
        }
    }
    if (max * max / (a * a + b * b) > kSplitError) {
        keep[best] = true;
        KeepSplits(p, first, best, depth + 1, keep);
        KeepSplits(p, best, last, depth + 1, keep);
    }
}

std::vector<POINT> SplitPoints(const std::vector<POINT> &stroke) {
    std::vector<Unit> unit;
    for (const POINT &p : stroke)
        unit.push_back(Unit{float(p.x) / kBoxSize, float(p.y) / kBoxSize});
    std::vector<bool> keep(stroke.size(), false);
    keep.front() = keep.back() = true;
    KeepSplits(unit, 0, stroke.size() - 1, 0, keep);
    std::vector<POINT> kept;
    for (size_t i = 0; i < stroke.size(); i++)
        if (keep[i])
            kept.push_back(stroke[i]);
    return kept;
}

} // namespace

bool IsWellFormedModel(const std::vector<char> &bytes) {
    if (bytes.size() < 12 || bytes.size() > kMaxModelSize)
        return false;
    if ((ReadWord(bytes, 0) ^ kModelMagic) != bytes.size() || ReadWord(bytes, 4) != kModelVersion)
        return false;
    const size_t records = ReadWord(bytes, 8);
    size_t at = 12;
    for (size_t r = 0; r < records; r++) {
        if (bytes.size() - at < kNameSize + 4 || std::memchr(bytes.data() + at, 0, kNameSize) == nullptr)
            return false;
        at += kNameSize + 4;
        for (;;) {
            if (bytes.size() - at < kFeatureSize)
                return false;
            const int32_t index = int32_t(ReadWord(bytes, at));
            at += kFeatureSize;
            if (index == -1)
                break;
        }
    }
    return at == bytes.size();
}

CharacterModel::CharacterModel() = default;
CharacterModel::~CharacterModel() = default;

bool CharacterModel::Load(const std::wstring &path) {
    recognizer_.reset();
    bytes_.clear();
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file.valid() || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
        size.QuadPart > LONGLONG(kMaxModelSize))
        return false;
    std::vector<char> bytes(size_t(size.QuadPart));
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &got, nullptr) || got != bytes.size())
        return false;
    return LoadBytes(std::move(bytes));
}

bool CharacterModel::LoadBytes(std::vector<char> bytes) {
    recognizer_.reset();
    bytes_.clear();
    if (!IsWellFormedModel(bytes))
        return false;
    bytes_ = std::move(bytes);
    std::unique_ptr<zinnia::Recognizer> recognizer(zinnia::Recognizer::create());
    if (!recognizer || !recognizer->open(bytes_.data(), bytes_.size()) || recognizer->size() == 0) {
        bytes_.clear();
        return false;
    }
    recognizer_ = std::move(recognizer);
    return true;
}

std::vector<Candidate> CharacterModel::Classify(const std::vector<std::vector<POINT>> &boxStrokes, size_t count) const {
    std::vector<Candidate> candidates;
    if (!recognizer_ || boxStrokes.empty() || count == 0)
        return candidates;
    std::unique_ptr<zinnia::Character> character(zinnia::Character::create());
    character->set_width(kBoxSize);
    character->set_height(kBoxSize);
    for (size_t id = 0; id < boxStrokes.size(); id++)
        if (!boxStrokes[id].empty())
            for (const POINT &p : SplitPoints(boxStrokes[id]))
                character->add(id, p.x, p.y);
    std::unique_ptr<zinnia::Result> result(recognizer_->classify(*character, count));
    for (size_t i = 0; result && i < result->size(); i++)
        if (const wchar_t c = CharacterOfName(result->value(i)))
            candidates.push_back(Candidate{c, result->score(i)});
    return candidates;
}

std::wstring RecognizeLineWith(const CharacterModel &model, const std::vector<Stroke> &strokes) {
    if (!model.Loaded())
        return std::wstring();
    const std::vector<Stroke> clean = CleanStrokes(strokes);
    const std::vector<CharacterGroup> groups = SegmentLine(clean);
    if (groups.empty())
        return std::wstring();
    const LineMetrics metrics = MeasureLine(groups);
    std::vector<CharacterRead> reads;
    for (const CharacterGroup &group : groups)
        reads.push_back(
            CharacterRead{model.Classify(PlaceInBox(clean, group, metrics), kCandidates), group.extent.Height()});
    const double xHeight = LineXHeight(reads);
    std::wstring text;
    for (size_t begin = 0; begin < groups.size();) {
        size_t end = begin + 1;
        while (end < groups.size() && !groups[end].spaceBefore)
            end++;
        const std::wstring word =
            ChooseInWord(std::vector<CharacterRead>(reads.begin() + begin, reads.begin() + end), xHeight);
        if (!word.empty() && !text.empty())
            text += L' ';
        text += word;
        begin = end;
    }
    return text;
}

} // namespace ink
