#include "TextLayout.h"

#include <algorithm>

namespace richink {

void TextLayout::Build(const std::wstring &text, int wrapWidth, const WidthOf &widthOf) {
    rows_.clear();
    x_.assign(text.size() + 1, 0);
    size_t start = 0;
    while (true) {
        size_t i = start;
        size_t lastBreak = start; // after the last space of the row so far
        int x = 0;
        bool wrapped = false;
        while (i < text.size() && text[i] != L'\r' && text[i] != L'\n') {
            const int w = widthOf(text[i]);
            if (wrapWidth > 0 && x + w > wrapWidth && i > start && text[i] != L' ') {
                size_t cut = lastBreak > start ? lastBreak : i;
                if (cut == i && cut - 1 > start && text[cut] >= 0xDC00 && text[cut] <= 0xDFFF)
                    --cut; // keep a surrogate pair together
                rows_.push_back(TextRow{start, cut, x_[cut], true});
                start = cut;
                wrapped = true;
                break;
            }
            x_[i] = x;
            x += w;
            ++i;
            x_[i] = x;
            if (text[i - 1] == L' ')
                lastBreak = i;
        }
        if (wrapped)
            continue;
        rows_.push_back(TextRow{start, i, x, false});
        if (i >= text.size())
            break;
        start = i + ((text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ? 2 : 1);
        if (start > text.size())
            break;
    }
}

size_t TextLayout::RowOf(size_t pos) const {
    auto after =
        std::upper_bound(rows_.begin(), rows_.end(), pos, [](size_t p, const TextRow &row) { return p < row.start; });
    return after == rows_.begin() ? 0 : size_t(after - rows_.begin()) - 1;
}

size_t TextLayout::PositionAt(size_t row, int x) const {
    if (row >= rows_.size())
        return rows_.empty() ? 0 : rows_.back().end;
    const TextRow &r = rows_[row];
    for (size_t p = r.start; p < r.end; ++p)
        if (x < (x_[p] + x_[p + 1] + 1) / 2)
            return p;
    return r.end;
}

} // namespace richink
