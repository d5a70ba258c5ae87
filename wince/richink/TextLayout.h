// Rows of typed text for a width: lines broken at "\r\n" and, when wrapping,
// after the last space that fits (a word longer than the width is broken
// where it reaches it). Measures with a width per character, so it needs no
// device context.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace richink {

struct TextRow {
    size_t start; // first character
    size_t end;   // after the last character shown (a line break is not shown)
    int width;    // of the characters shown
    bool wrapped; // the row was broken for the width, not at a line break
};

class TextLayout {
public:
    using WidthOf = std::function<int(wchar_t)>;

    // wrapWidth 0: rows break only at line breaks.
    void Build(const std::wstring &text, int wrapWidth, const WidthOf &widthOf);

    const std::vector<TextRow> &Rows() const { return rows_; }
    // Row that shows the position (a position at a wrap shows at the next row's start).
    size_t RowOf(size_t pos) const;
    // Distance of the position from its row's left edge.
    int XOf(size_t pos) const { return pos < x_.size() ? x_[pos] : 0; }
    // Width of the row's characters.
    int RowWidth(size_t row) const { return rows_[row].width; }
    // The position in the row nearest to x.
    size_t PositionAt(size_t row, int x) const;

private:
    std::vector<TextRow> rows_;
    std::vector<int> x_; // per position: distance from its row's left edge
};

} // namespace richink
