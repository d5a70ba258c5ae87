// The note stream of the ink control: ReadNote on any bytes (most of them
// with their CRC made right, so that the checks behind it are reached), a
// stream it accepts written back byte for byte, and notes written with
// WriteNote read back whole.
#include <algorithm>
#include <cstdint>
#include <string>

#include "Fuzz.h"
#include "InkStream.h"

namespace fuzz {
namespace {

using namespace richink;

uint32_t Crc32(const unsigned char *data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

struct Note {
    std::wstring text;
    std::vector<InkStroke> strokes;
    NoteView view;
};

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

bool SameView(const NoteView &a, const NoteView &b) {
    return a.pageStyle == b.pageStyle && a.inputMode == b.inputMode && a.zoom == b.zoom && a.penWidth == b.penWidth &&
           a.pageExtra == b.pageExtra && a.wrap == b.wrap;
}

int Between(Rng &rng, int low, int high) { return low + static_cast<int>(rng.Below(high - low + 1)); }

Note RandomNote(Rng &rng) {
    Note note;
    const std::wstring raw = RandomText(rng, rng.OneIn(20) ? 3000 : 100, nullptr);
    note.text = NormalizeText(raw.c_str(), raw.size());
    note.strokes.resize(rng.Size(12));
    for (InkStroke &stroke : note.strokes) {
        stroke.penWidth = Between(rng, kMinPenWidth, kMaxPenWidth);
        stroke.points.resize(1 + rng.Size(40));
        for (POINT &p : stroke.points) {
            p.x = rng.OneIn(8) ? (rng.OneIn(2) ? 0 : kMaxCoordinate) : Between(rng, 0, kMaxCoordinate);
            p.y = Between(rng, 0, rng.OneIn(2) ? 2000 : kMaxCoordinate);
        }
    }
    note.view.pageStyle = rng.OneIn(2) ? 2 : 16;
    note.view.inputMode = Between(rng, 0, 1);
    note.view.zoom = Between(rng, kMinZoom, kMaxZoom);
    note.view.penWidth = Between(rng, kMinPenWidth, kMaxPenWidth);
    note.view.pageExtra = Between(rng, 0, kMaxPageExtra);
    note.view.wrap = rng.OneIn(2);
    return note;
}

class NoteStreamHarness : public Harness {
public:
    const char *Name() const override { return "note-stream"; }
    size_t MaxSize() const override { return 16384; }

    std::vector<Bytes> Seeds() override {
        Rng rng(7);
        std::vector<Bytes> seeds;
        const NoteView view{16, 1, 100, 100, 0, true};
        seeds.push_back(WriteNote(L"", {}, view));
        seeds.push_back(WriteNote(L"Shopping list\r\nmilk\r\n\tbread", {}, view));
        for (int i = 0; i < 4; ++i) {
            const Note note = RandomNote(rng);
            seeds.push_back(WriteNote(note.text, note.strokes, note.view));
        }
        return seeds;
    }

    // Most inputs get the checksum their bytes need; a few keep a wrong one.
    void Fixup(Bytes &input, Rng &rng) override {
        if (input.size() < 8 || rng.OneIn(10))
            return;
        if (rng.OneIn(2))
            std::copy_n("RInk", 4, input.begin());
        const size_t body = input.size() - 4;
        const uint32_t crc = Crc32(input.data(), body);
        for (int i = 0; i < 4; ++i)
            input[body + i] = static_cast<unsigned char>(crc >> (8 * i));
    }

    Verdict Feed(const Bytes &input) override {
        Note read;
        read.text = L"untouched";
        read.view = NoteView{-1, -1, -1, -1, -1, false};
        const Note before = read;
        Verdict verdict;
        verdict.accepted = ReadNote(input, read.text, read.strokes, read.view);
        if (expecting_) {
            expecting_ = false;
            if (!verdict.accepted)
                verdict.failure = "a written note was refused";
            else if (read.text != expected_.text || !SameStrokes(read.strokes, expected_.strokes) ||
                     !SameView(read.view, expected_.view))
                verdict.failure = "a written note read back different";
            return verdict;
        }
        if (!verdict.accepted) {
            if (read.text != before.text || !read.strokes.empty() || !SameView(read.view, before.view))
                verdict.failure = "refused the stream but changed the note";
        } else if (WriteNote(read.text, read.strokes, read.view) != input) {
            verdict.failure = "accepted a stream that does not write back the same";
        }
        return verdict;
    }

    bool Generate(Rng &rng, Bytes *input) override {
        expected_ = RandomNote(rng);
        *input = WriteNote(expected_.text, expected_.strokes, expected_.view);
        expecting_ = true;
        return true;
    }

private:
    Note expected_;
    bool expecting_ = false;
};

Registration registration(new NoteStreamHarness);

} // namespace
} // namespace fuzz
