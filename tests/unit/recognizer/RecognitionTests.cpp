// Recognition with the trained model beside the program, and what happens
// when there is no usable model or the strokes are hostile.
#include "CharacterModel.h"
#include "LineLayout.h"
#include "support/InkSamples.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

namespace {

using ink::Stroke;

std::wstring ModelPath() { return ProgramFolder() + L"ink-latin.model"; }

std::vector<char> ModelBytes() {
    std::ifstream in(ModelPath().c_str(), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::vector<InkSample> &HeldOut() {
    static const std::vector<InkSample> samples = ReadInkSamples(ProgramFolder() + L"ink-heldout.txt");
    return samples;
}

const ink::CharacterModel &Model() {
    static ink::CharacterModel model;
    static const bool loaded = model.Load(ModelPath());
    EXPECT_TRUE(loaded) << "no usable ink-latin.model beside the test program";
    return model;
}

// Shapes that differ only in size, told apart by the line around them; a
// character written alone is counted right as either.
bool SameShape(wchar_t a, wchar_t b) {
    static const std::wstring pairs[] = {L"cC", L"kK", L"oO0", L"pP", L"sS",   L"uU",
                                         L"vV", L"wW", L"xX",  L"zZ", L"lI1|", L",'"};
    if (a == b)
        return true;
    for (const std::wstring &p : pairs)
        if (p.find(a) != std::wstring::npos && p.find(b) != std::wstring::npos)
            return true;
    return false;
}

TEST(Recognition, ReadsHeldOutCharacters) {
    int total = 0, right = 0, exact = 0;
    std::wstring missed;
    for (const InkSample &s : HeldOut()) {
        if (s.kind != 'C')
            continue;
        const std::wstring got = ink::RecognizeLineWith(Model(), s.strokes);
        total++;
        exact += got == s.text;
        if (got.size() == 1 && SameShape(got[0], s.text[0]))
            right++;
        else
            missed += s.text + L"->" + got + L" ";
    }
    ASSERT_GT(total, 200) << "held-out samples missing";
    EXPECT_GE(right * 100, total * 80) << right << " of " << total << " right; missed: " << missed.c_str();
    EXPECT_GE(exact * 100, total * 65) << exact << " of " << total << " exactly right";
}

TEST(Recognition, ReadsHeldOutWords) {
    int lines = 0, linesRight = 0;
    size_t chars = 0, charsRight = 0;
    for (const InkSample &s : HeldOut()) {
        if (s.kind != 'W')
            continue;
        const std::wstring got = ink::RecognizeLineWith(Model(), s.strokes);
        lines++;
        linesRight += got == s.text;
        chars += std::max(got.size(), s.text.size());
        for (size_t i = 0; i < got.size() && i < s.text.size(); i++)
            charsRight += got[i] == s.text[i];
    }
    ASSERT_GT(lines, 20);
    EXPECT_GE(linesRight * 100, lines * 40) << linesRight << " of " << lines << " lines read exactly";
    EXPECT_GE(charsRight * 100, chars * 80) << charsRight << " of " << chars << " characters in place";
}

TEST(Recognition, FindsTheModelBesideTheModule) {
    const InkSample &a = HeldOut().at(0);
    EXPECT_FALSE(ink::RecognizeLine(a.strokes).empty());
}

TEST(Recognition, HostileStrokesGiveTextOrNothingButNeverFail) {
    Stroke longStroke;
    for (long i = 0; i < 200000; i++)
        longStroke.points.push_back(POINT{i % 500, (i * 7) % 300});
    std::vector<Stroke> thousands;
    std::mt19937 random(5);
    for (int i = 0; i < 20000; i++)
        thousands.push_back(Stroke{{POINT{long(random() % 100000), long(random() % 80)},
                                    POINT{long(random() % 100000), long(random() % 80)}}});
    struct Case {
        const char *name;
        std::vector<Stroke> strokes;
    } cases[] = {
        {"no strokes", {}},
        {"empty strokes", {Stroke{}, Stroke{}}},
        {"one-point strokes", {Stroke{{POINT{3, 3}}}, Stroke{{POINT{40, 3}}}}},
        {"one point repeated", {Stroke{std::vector<POINT>(50, POINT{7, 7})}}},
        {"huge coordinates", {Stroke{{POINT{LONG_MAX, LONG_MIN}, POINT{LONG_MIN, LONG_MAX}}}, Stroke{{POINT{0, 0}}}}},
        {"a stroke of 200000 points", {longStroke}},
        {"twenty thousand strokes", thousands},
    };
    for (const Case &c : cases) {
        const std::wstring text = ink::RecognizeLineWith(Model(), c.strokes);
        EXPECT_LE(text.size(), 2 * ink::kMaxStrokes) << c.name;
    }
    EXPECT_EQ(L"", ink::RecognizeLine({}));
}

TEST(Recognition, UnusableModelsAreRefusedAndGiveNoText) {
    const std::vector<char> good = ModelBytes();
    ASSERT_TRUE(ink::IsWellFormedModel(good));
    auto withWord = [&](size_t at, uint32_t value) {
        std::vector<char> bytes = good;
        std::memcpy(bytes.data() + at, &value, sizeof value);
        return bytes;
    };
    struct Case {
        const char *name;
        std::vector<char> bytes;
    } cases[] = {
        {"empty", {}},
        {"truncated", std::vector<char>(good.begin(), good.begin() + good.size() / 2)},
        {"one byte more",
         [&] {
             auto b = good;
             b.push_back(0);
             return b;
         }()},
        {"wrong version", withWord(4, 7)},
        {"too many records", withWord(8, 0xffffffffu)},
        {"one record fewer", withWord(8, *reinterpret_cast<const uint32_t *>(good.data() + 8) - 1)},
        {"name without end",
         [&] {
             auto b = good;
             std::memset(b.data() + 12, 'a', 16);
             return b;
         }()},
        {"text, not a model", std::vector<char>(good.size(), 'x')},
    };
    for (Case &c : cases) {
        EXPECT_FALSE(ink::IsWellFormedModel(c.bytes)) << c.name;
        ink::CharacterModel model;
        EXPECT_FALSE(model.LoadBytes(c.bytes)) << c.name;
        EXPECT_EQ(L"", ink::RecognizeLineWith(model, HeldOut().at(0).strokes)) << c.name;
    }
    ink::CharacterModel missing;
    EXPECT_FALSE(missing.Load(ProgramFolder() + L"no-such.model"));
}

TEST(Recognition, MutatedModelsNeverCrash) {
    const std::vector<char> good = ModelBytes();
    std::mt19937 random(11);
    for (int round = 0; round < 300; round++) {
        std::vector<char> bytes = good;
        for (int flips = 1 + random() % 4; flips > 0; flips--)
            bytes[random() % bytes.size()] ^= char(1 << (random() % 8));
        ink::CharacterModel model;
        if (model.LoadBytes(bytes))
            ink::RecognizeLineWith(model, HeldOut().at(round % HeldOut().size()).strokes);
    }
}

} // namespace
