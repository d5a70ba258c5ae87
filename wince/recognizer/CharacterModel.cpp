#include "CharacterModel.h"
#include "LineLayout.h"

// On Windows zinnia.h declares its entry points as imported from a DLL;
// here it is a static library, so they are declared as on other systems.
#pragma push_macro("_WIN32")
#undef _WIN32
#include <zinnia.h>
#pragma pop_macro("_WIN32")

#include <cstdint>
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

uint32_t ReadWord(const std::vector<char> &bytes, size_t at) {
    uint32_t v;
    std::memcpy(&v, bytes.data() + at, sizeof v);
    return v;
}

// The model's names are UTF-8 text of one character, or "#hh" for those the
// training format cannot hold as they are.
wchar_t CharacterOfName(const char *name) {
    if (name[0] == '#' && std::strlen(name) == 3)
        return wchar_t(std::strtoul(name + 1, nullptr, 16));
    if (name[0] != 0 && name[1] == 0)
        return wchar_t((unsigned char)name[0]);
    return 0;
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
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> bytes;
    LARGE_INTEGER size;
    bool read = false;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= LONGLONG(kMaxModelSize)) {
        bytes.resize(size_t(size.QuadPart));
        DWORD got = 0;
        read = ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr) && got == bytes.size();
    }
    CloseHandle(file);
    return read && LoadBytes(std::move(bytes));
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

wchar_t CharacterModel::Classify(const std::vector<std::vector<POINT>> &boxStrokes) const {
    if (!recognizer_ || boxStrokes.empty())
        return 0;
    std::unique_ptr<zinnia::Character> character(zinnia::Character::create());
    character->set_width(kBoxSize);
    character->set_height(kBoxSize);
    for (size_t id = 0; id < boxStrokes.size(); id++)
        for (const POINT &p : boxStrokes[id])
            character->add(id, p.x, p.y);
    std::unique_ptr<zinnia::Result> result(recognizer_->classify(*character, 1));
    if (!result || result->size() == 0)
        return 0;
    return CharacterOfName(result->value(0));
}

std::wstring RecognizeLineWith(const CharacterModel &model, const std::vector<Stroke> &strokes) {
    if (!model.Loaded())
        return std::wstring();
    const std::vector<Stroke> clean = CleanStrokes(strokes);
    const std::vector<CharacterGroup> groups = SegmentLine(clean);
    if (groups.empty())
        return std::wstring();
    const LineMetrics metrics = MeasureLine(groups);
    std::wstring text;
    for (const CharacterGroup &group : groups) {
        const wchar_t c = model.Classify(PlaceInBox(clean, group, metrics));
        if (c == 0)
            continue;
        if (group.spaceBefore && !text.empty())
            text += L' ';
        text += c;
    }
    return text;
}

} // namespace ink
