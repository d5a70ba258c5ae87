// The note stream: what is written reads back exactly; anything damaged,
// cut short or foreign is refused and leaves the outputs as they were.
#include "InkStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace richink;

namespace {

InkStroke Stroke(std::vector<POINT> points, int penWidth) {
    InkStroke s;
    s.points = std::move(points);
    s.penWidth = penWidth;
    s.UpdateBounds();
    return s;
}

bool SameStrokes(const std::vector<InkStroke> &a, const std::vector<InkStroke> &b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].penWidth != b[i].penWidth || a[i].points.size() != b[i].points.size())
            return false;
        for (size_t k = 0; k < a[i].points.size(); ++k)
            if (a[i].points[k].x != b[i].points[k].x || a[i].points[k].y != b[i].points[k].y)
                return false;
    }
    return true;
}

struct Note {
    const char *name;
    std::wstring text;
    std::vector<InkStroke> strokes;
    NoteView view;
};

std::vector<Note> SampleNotes() {
    return {
        {"empty", L"", {}, {16, 1, 100, 100, 0, true}},
        {"text only", L"first line\r\n\tsecond \xD83D\xDE00 line\r\n", {}, {16, 1, 150, 100, 200, true}},
        {"drawing",
         L"",
         {Stroke({{0, 0}}, 25), Stroke({{10, 20}, {30, 40}, {kMaxCoordinate, kMaxCoordinate}}, 400)},
         {2, 0, 300, 250, 10000, false}},
        {"both", L"x", {Stroke({{5, 6}, {7, 8}}, 100)}, {16, 0, 75, 100, 1, true}},
    };
}

TEST(InkStream, NotesReadBackExactly) {
    for (const Note &note : SampleNotes()) {
        const auto bytes = WriteNote(note.text, note.strokes, note.view);
        std::wstring text = L"before";
        std::vector<InkStroke> strokes;
        NoteView view = {};
        ASSERT_TRUE(ReadNote(bytes, text, strokes, view)) << note.name;
        EXPECT_EQ(text, note.text) << note.name;
        EXPECT_TRUE(SameStrokes(strokes, note.strokes)) << note.name;
        EXPECT_EQ(view.pageStyle, note.view.pageStyle) << note.name;
        EXPECT_EQ(view.inputMode, note.view.inputMode) << note.name;
        EXPECT_EQ(view.zoom, note.view.zoom) << note.name;
        EXPECT_EQ(view.penWidth, note.view.penWidth) << note.name;
        EXPECT_EQ(view.pageExtra, note.view.pageExtra) << note.name;
        EXPECT_EQ(view.wrap, note.view.wrap) << note.name;
        EXPECT_EQ(WriteNote(text, strokes, view), bytes) << note.name << ": written again differently";
    }
}

// Reads the bytes into outputs that already hold something: a refusal must
// leave them untouched.
bool ReadKeeps(const std::vector<unsigned char> &bytes) {
    std::wstring text = L"kept";
    std::vector<InkStroke> strokes = {Stroke({{1, 2}}, 100)};
    NoteView view = {2, 0, 200, 50, 7, false};
    const bool read = ReadNote(bytes, text, strokes, view);
    if (!read) {
        EXPECT_EQ(text, L"kept");
        EXPECT_EQ(strokes.size(), 1u);
        EXPECT_EQ(view.zoom, 200);
    }
    return read;
}

TEST(InkStream, EveryTruncationIsRefused) {
    for (const Note &note : SampleNotes()) {
        const auto bytes = WriteNote(note.text, note.strokes, note.view);
        for (size_t n = 0; n < bytes.size(); ++n)
            EXPECT_FALSE(ReadKeeps(std::vector<unsigned char>(bytes.begin(), bytes.begin() + n)))
                << note.name << " cut to " << n << " of " << bytes.size() << " bytes";
    }
}

TEST(InkStream, DamagedBytesAreRefused) {
    for (const Note &note : SampleNotes()) {
        const auto bytes = WriteNote(note.text, note.strokes, note.view);
        for (size_t at = 0; at < bytes.size(); at += 3) {
            for (unsigned char flip : {0x01, 0x80, 0xFF}) {
                auto damaged = bytes;
                damaged[at] ^= flip;
                EXPECT_FALSE(ReadKeeps(damaged)) << note.name << ": byte " << at << " ^ " << int(flip);
            }
        }
        auto longer = bytes;
        longer.push_back(0);
        EXPECT_FALSE(ReadKeeps(longer)) << note.name << ": a byte after the end";
    }
}

// A stream with a correct CRC whose values break a rule: the reader checks
// the values themselves, not only the CRC.
std::vector<unsigned char> WithCrc(std::vector<unsigned char> body) {
    // The same CRC-32 the writer uses, taken from a written stream of the same body.
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : body) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    crc ^= 0xFFFFFFFFu;
    for (int i = 0; i < 4; ++i)
        body.push_back((crc >> (8 * i)) & 0xFF);
    return body;
}

void Put32(std::vector<unsigned char> &b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = (v >> (8 * i)) & 0xFF;
}

TEST(InkStream, ForeignAndOutOfLimitStreamsAreRefused) {
    const auto good = WriteNote(L"ab", {Stroke({{1, 1}, {2, 2}}, 100)}, {16, 1, 100, 100, 0, true});
    const std::vector<unsigned char> body(good.begin(), good.end() - 4);
    ASSERT_TRUE(ReadKeeps(WithCrc(body))) << "the test's CRC differs from the writer's";

    const std::string rtf = "{\\rtf1\\ansi hello}";
    EXPECT_FALSE(ReadKeeps(std::vector<unsigned char>(rtf.begin(), rtf.end()))) << "rich text";
    EXPECT_FALSE(ReadKeeps(std::vector<unsigned char>(64, 0))) << "zeros";

    struct Change {
        const char *name;
        size_t at;
        uint32_t value;
        int bytes;
    };
    const size_t strokes = 24 + 4; // after two characters of text
    const Change changes[] = {
        {"version 2", 4, 2, 2},
        {"page style 3", 6, 3, 2},
        {"input mode 2", 8, 2, 2},
        {"zoom 74", 10, 74, 2},
        {"zoom 301", 10, 301, 2},
        {"pen width 401", 12, 401, 2},
        {"unknown flag", 14, 2, 2},
        {"page extra 10001", 16, 10001, 4},
        {"text longer than the stream", 20, 3, 4},
        {"text of four billion characters", 20, 0xFFFFFFFFu, 4},
        {"lone line feed in the text", 24, L'\n', 2},
        {"a hundred thousand and one strokes", strokes, 100001, 4},
        {"stroke count past the stream", strokes, 2, 4},
        {"stroke without points", strokes + 6, 0, 4},
        {"point count past the stream", strokes + 6, 1000, 4},
        {"negative coordinate", strokes + 10, 0xFFFFFFFFu, 4},
        {"coordinate past the limit", strokes + 14, uint32_t(kMaxCoordinate) + 1, 4},
    };
    for (const Change &c : changes) {
        auto changed = body;
        if (c.bytes == 2) {
            changed[c.at] = c.value & 0xFF;
            changed[c.at + 1] = (c.value >> 8) & 0xFF;
        } else {
            Put32(changed, c.at, c.value);
        }
        EXPECT_FALSE(ReadKeeps(WithCrc(changed))) << c.name;
    }
}

} // namespace
