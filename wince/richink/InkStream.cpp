// Layout of the stream, every number little-endian:
//
//   offset  size  field
//   0       4     magic "RInk"
//   4       2     version, 1
//   6       2     page style: 2 (blank) or 16 (lined)
//   8       2     input mode: 0 (drawing) or 1 (typing)
//   10      2     zoom in percent, 75..300
//   12      2     pen width for new strokes, percent 25..400
//   14      2     flags: bit 0 = lines wrap; other bits 0
//   16      4     page extra, pixels at zoom 100, 0..10000
//   20      4     text length n in UTF-16 units, at most 1,000,000
//   24      2n    text, UTF-16; line breaks "\r\n"
//   ...     4     stroke count m, at most 100,000
//   then m strokes, each:
//           2     pen width, percent 25..400
//           4     point count k, 1..100,000
//           8k    points: x then y, signed 32 bits, page coordinates at
//                 zoom 100, each 0..1,000,000
//   ...     4     CRC-32 (the zip polynomial) of every byte before it
//
// Nothing follows the CRC. All strokes together hold at most 4,000,000
// points. A reader refuses a stream that breaks any of these rules, so a
// damaged or hostile file can neither crash it nor make it allocate more
// than these limits allow.
#include "InkStream.h"

#include <cstdint>
#include <cstring>

namespace richink {

namespace {

const unsigned char kMagic[4] = {'R', 'I', 'n', 'k'};
const unsigned kVersion = 1;
const unsigned kFlagWrap = 1;
const int kPageBlank = 2, kPageLined = 16;

uint32_t Crc32(const unsigned char *data, size_t size) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        ready = true;
    }
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

class Writer {
public:
    void U16(unsigned v) {
        bytes.push_back(v & 0xFF);
        bytes.push_back((v >> 8) & 0xFF);
    }
    void U32(uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    std::vector<unsigned char> bytes;
};

// Reads numbers from the bytes; every read past the end fails.
class Reader {
public:
    explicit Reader(const std::vector<unsigned char> &bytes, size_t size) : bytes_(bytes), size_(size) {}
    bool U16(unsigned &v) {
        if (size_ - pos_ < 2)
            return false;
        v = bytes_[pos_] | (bytes_[pos_ + 1] << 8);
        pos_ += 2;
        return true;
    }
    bool U32(uint32_t &v) {
        unsigned low, high;
        if (!U16(low) || !U16(high))
            return false;
        v = low | (uint32_t(high) << 16);
        return true;
    }
    bool Range16(int &v, int low, int high) {
        unsigned u;
        if (!U16(u) || int(u) < low || int(u) > high)
            return false;
        v = int(u);
        return true;
    }
    bool Coordinate(LONG &v) {
        uint32_t u;
        if (!U32(u) || int32_t(u) < 0 || int32_t(u) > kMaxCoordinate)
            return false;
        v = LONG(int32_t(u));
        return true;
    }
    size_t Left() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ == size_; }

private:
    const std::vector<unsigned char> &bytes_;
    size_t size_;
    size_t pos_ = 0;
};

} // namespace

std::vector<unsigned char> WriteNote(const std::wstring &text, const std::vector<InkStroke> &strokes,
                                     const NoteView &view) {
    Writer w;
    w.bytes.assign(kMagic, kMagic + 4);
    w.U16(kVersion);
    w.U16(view.pageStyle);
    w.U16(view.inputMode);
    w.U16(view.zoom);
    w.U16(view.penWidth);
    w.U16(view.wrap ? kFlagWrap : 0);
    w.U32(view.pageExtra);
    w.U32(uint32_t(text.size()));
    for (wchar_t c : text)
        w.U16(c);
    w.U32(uint32_t(strokes.size()));
    for (const InkStroke &s : strokes) {
        w.U16(s.penWidth);
        w.U32(uint32_t(s.points.size()));
        for (const POINT &p : s.points) {
            w.U32(uint32_t(p.x));
            w.U32(uint32_t(p.y));
        }
    }
    w.U32(Crc32(w.bytes.data(), w.bytes.size()));
    return std::move(w.bytes);
}

bool ReadNote(const std::vector<unsigned char> &bytes, std::wstring &text, std::vector<InkStroke> &strokes,
              NoteView &view) {
    if (bytes.size() < 8 || std::memcmp(bytes.data(), kMagic, 4) != 0)
        return false;
    const size_t body = bytes.size() - 4;
    uint32_t stored =
        bytes[body] | (bytes[body + 1] << 8) | (bytes[body + 2] << 16) | (uint32_t(bytes[body + 3]) << 24);
    if (stored != Crc32(bytes.data(), body))
        return false;

    Reader r(bytes, body);
    unsigned magic1, magic2, version, flags;
    NoteView v;
    uint32_t extra, length, count;
    if (!r.U16(magic1) || !r.U16(magic2) || !r.U16(version) || version != kVersion)
        return false;
    if (!r.Range16(v.pageStyle, kPageBlank, kPageLined) || (v.pageStyle != kPageBlank && v.pageStyle != kPageLined) ||
        !r.Range16(v.inputMode, 0, 1) || !r.Range16(v.zoom, kMinZoom, kMaxZoom) ||
        !r.Range16(v.penWidth, kMinPenWidth, kMaxPenWidth) || !r.U16(flags) || (flags & ~kFlagWrap) != 0 ||
        !r.U32(extra) || extra > uint32_t(kMaxPageExtra))
        return false;
    v.wrap = (flags & kFlagWrap) != 0;
    v.pageExtra = int(extra);

    if (!r.U32(length) || length > kMaxTextLength || r.Left() / 2 < length)
        return false;
    std::wstring t(length, L'\0');
    for (wchar_t &c : t) {
        unsigned u;
        r.U16(u);
        c = wchar_t(u);
    }
    if (NormalizeText(t.data(), t.size()) != t)
        return false; // a lone line-break character or a control character

    if (!r.U32(count) || count > kMaxStrokes || r.Left() / 6 < count)
        return false;
    std::vector<InkStroke> s(count);
    size_t total = 0;
    for (InkStroke &stroke : s) {
        uint32_t points;
        if (!r.Range16(stroke.penWidth, kMinPenWidth, kMaxPenWidth) || !r.U32(points) || points == 0 ||
            points > kMaxStrokePoints || r.Left() / 8 < points || (total += points) > kMaxTotalPoints)
            return false;
        stroke.points.resize(points);
        for (POINT &p : stroke.points)
            if (!r.Coordinate(p.x) || !r.Coordinate(p.y))
                return false;
        stroke.UpdateBounds();
    }
    if (!r.AtEnd())
        return false;

    text = std::move(t);
    strokes = std::move(s);
    view = v;
    return true;
}

} // namespace richink
