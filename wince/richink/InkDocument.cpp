#include "InkDocument.h"

#include <algorithm>

namespace richink {

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Length of the longest start of the text that fits in room units without
// cutting a line break or a surrogate pair in two.
size_t FittingLength(const std::wstring &text, size_t room) {
    if (text.size() <= room)
        return text.size();
    size_t n = room;
    if (n > 0 &&
        ((text[n - 1] == L'\r' && text[n] == L'\n') || (IsHighSurrogate(text[n - 1]) && IsLowSurrogate(text[n]))))
        --n;
    return n;
}

} // namespace

void InkStroke::UpdateBounds() {
    if (points.empty()) {
        bounds = RECT{};
        return;
    }
    bounds = RECT{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const POINT &p : points) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
}

std::vector<std::vector<size_t>> GroupIntoLines(const std::vector<InkStroke> &strokes,
                                                const std::vector<size_t> &which) {
    std::vector<size_t> order(which);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return strokes[a].bounds.top + strokes[a].bounds.bottom < strokes[b].bounds.top + strokes[b].bounds.bottom;
    });
    std::vector<std::vector<size_t>> lines;
    LONG top = 0, bottom = 0;
    for (size_t i : order) {
        const RECT &r = strokes[i].bounds;
        const LONG middle = (r.top + r.bottom) / 2;
        if (lines.empty() || middle < top || middle > bottom) {
            lines.emplace_back();
            top = r.top;
            bottom = r.bottom;
        } else {
            top = std::min(top, r.top);
            bottom = std::max(bottom, r.bottom);
        }
        lines.back().push_back(i);
    }
    for (auto &line : lines)
        std::stable_sort(line.begin(), line.end(),
                         [&](size_t a, size_t b) { return strokes[a].bounds.left < strokes[b].bounds.left; });
    return lines;
}

std::wstring NormalizeText(const wchar_t *text, size_t length) {
    std::wstring out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            out += L"\r\n";
            if (c == L'\r' && i + 1 < length && text[i + 1] == L'\n')
                ++i;
        } else if (c >= 0x20 || c == L'\t') {
            if (c != 0x7F)
                out += c;
        }
    }
    return out;
}

bool InkDocument::HasSelection() const { return HasTextSelection() || !SelectedStrokes().empty(); }

std::vector<size_t> InkDocument::SelectedStrokes() const {
    std::vector<size_t> selected;
    for (size_t i = 0; i < strokes_.size(); ++i)
        if (strokes_[i].selected)
            selected.push_back(i);
    return selected;
}

size_t InkDocument::Snap(size_t pos) const {
    pos = std::min(pos, text_.size());
    if (pos > 0 && pos < text_.size() &&
        ((text_[pos - 1] == L'\r' && text_[pos] == L'\n') ||
         (IsHighSurrogate(text_[pos - 1]) && IsLowSurrogate(text_[pos]))))
        --pos;
    return pos;
}

void InkDocument::SetSelection(size_t anchor, size_t caret) {
    anchor_ = Snap(anchor);
    caret_ = Snap(caret);
    typing_ = false;
}

void InkDocument::SelectAll() {
    SetSelection(0, text_.size());
    for (InkStroke &s : strokes_)
        s.selected = true;
}

void InkDocument::SelectStroke(size_t index, bool selected) {
    if (index < strokes_.size())
        strokes_[index].selected = selected;
}

void InkDocument::ClearStrokeSelection() {
    for (InkStroke &s : strokes_)
        s.selected = false;
}

size_t InkDocument::NextPosition(size_t pos) const {
    pos = Snap(pos);
    if (pos >= text_.size())
        return text_.size();
    const bool pair = pos + 1 < text_.size() && ((text_[pos] == L'\r' && text_[pos + 1] == L'\n') ||
                                                 (IsHighSurrogate(text_[pos]) && IsLowSurrogate(text_[pos + 1])));
    return pos + (pair ? 2 : 1);
}

size_t InkDocument::PreviousPosition(size_t pos) const {
    pos = Snap(pos);
    return pos == 0 ? 0 : Snap(pos - 1);
}

void InkDocument::Apply(const Edit &edit, bool forward) {
    const bool adding = (edit.kind == Edit::kAddStroke) == forward;
    switch (edit.kind) {
    case Edit::kText:
        if (forward)
            text_.replace(edit.pos, edit.removed.size(), edit.inserted);
        else
            text_.replace(edit.pos, edit.inserted.size(), edit.removed);
        return;
    case Edit::kAddStroke:
    case Edit::kRemoveStroke:
        if (adding) {
            strokes_.insert(strokes_.begin() + edit.pos, edit.stroke);
            strokes_[edit.pos].selected = false;
            totalPoints_ += edit.stroke.points.size();
        } else {
            totalPoints_ -= strokes_[edit.pos].points.size();
            strokes_.erase(strokes_.begin() + edit.pos);
        }
        return;
    }
}

void InkDocument::BeginStep() {
    if (openDepth_++ == 0) {
        open_ = Step{{}, anchor_, caret_, anchor_, caret_};
        typing_ = false;
    }
}

void InkDocument::EndStep() {
    if (openDepth_ == 0 || --openDepth_ > 0)
        return;
    if (open_.edits.empty())
        return;
    open_.anchorAfter = anchor_;
    open_.caretAfter = caret_;
    undo_.push_back(std::move(open_));
    redo_.clear();
    modified_ = true;
}

void InkDocument::Record(Edit edit) {
    Apply(edit, true);
    open_.edits.push_back(std::move(edit));
}

bool InkDocument::ReplaceText(size_t pos, size_t length, std::wstring inserted) {
    if (length == 0 && inserted.empty())
        return false;
    Edit edit{Edit::kText, pos, text_.substr(pos, length), std::move(inserted), {}};
    const size_t end = pos + edit.inserted.size();
    Record(std::move(edit));
    anchor_ = caret_ = end;
    return true;
}

// Inserts at the selection's start what fits of the text, inside a step.
bool InkDocument::InsertFitting(std::wstring text) {
    const size_t room = kMaxTextLength - std::min(kMaxTextLength, text_.size());
    text.resize(FittingLength(text, room));
    return ReplaceText(SelectionStart(), 0, std::move(text));
}

bool InkDocument::InsertText(size_t pos, const std::wstring &text) {
    std::wstring normal = NormalizeText(text.data(), text.size());
    const size_t room = kMaxTextLength - std::min(kMaxTextLength, text_.size());
    normal.resize(FittingLength(normal, room));
    return ReplaceText(Snap(pos), 0, std::move(normal));
}

void InkDocument::RemoveStroke(size_t index) {
    if (index < strokes_.size())
        Record(Edit{Edit::kRemoveStroke, index, {}, {}, strokes_[index]});
}

bool InkDocument::Type(wchar_t ch) {
    if (ch == L'\r' || ch == L'\n')
        return ReplaceSelection(L"\r\n"); // a line break is a step of its own
    const bool extend = typing_ && !HasTextSelection() && redo_.empty() && !undo_.empty();
    if (!extend) {
        const bool changed = ReplaceSelection(std::wstring(1, ch));
        typing_ = changed;
        return changed;
    }
    if (text_.size() + 1 > kMaxTextLength)
        return false;
    Step &step = undo_.back();
    Edit &edit = step.edits.back();
    text_.insert(caret_, 1, ch);
    edit.inserted += ch;
    anchor_ = caret_ = caret_ + 1;
    step.anchorAfter = step.caretAfter = caret_;
    modified_ = true;
    return true;
}

bool InkDocument::ReplaceSelection(const std::wstring &text) {
    BeginStep();
    const size_t start = SelectionStart();
    ReplaceText(start, SelectionEnd() - start, std::wstring());
    InsertFitting(NormalizeText(text.data(), text.size()));
    const bool changed = !open_.edits.empty();
    EndStep();
    return changed;
}

bool InkDocument::DeleteSelection() {
    BeginStep();
    const size_t start = SelectionStart();
    ReplaceText(start, SelectionEnd() - start, std::wstring());
    const std::vector<size_t> selected = SelectedStrokes();
    for (auto i = selected.rbegin(); i != selected.rend(); ++i)
        RemoveStroke(*i);
    const bool changed = !open_.edits.empty();
    EndStep();
    return changed;
}

bool InkDocument::DeleteBackward() {
    if (HasSelection())
        return DeleteSelection();
    const size_t from = PreviousPosition(caret_);
    BeginStep();
    const bool changed = ReplaceText(from, caret_ - from, std::wstring());
    EndStep();
    return changed;
}

bool InkDocument::DeleteForward() {
    if (HasSelection())
        return DeleteSelection();
    const size_t to = NextPosition(caret_);
    BeginStep();
    const bool changed = ReplaceText(caret_, to - caret_, std::wstring());
    EndStep();
    return changed;
}

bool InkDocument::AddStroke(InkStroke stroke) {
    if (stroke.points.empty() || strokes_.size() >= kMaxStrokes ||
        totalPoints_ + stroke.points.size() > kMaxTotalPoints)
        return false;
    if (stroke.points.size() > kMaxStrokePoints)
        stroke.points.resize(kMaxStrokePoints);
    for (POINT &p : stroke.points) {
        p.x = std::min(std::max(p.x, LONG(0)), kMaxCoordinate);
        p.y = std::min(std::max(p.y, LONG(0)), kMaxCoordinate);
    }
    stroke.penWidth = std::min(std::max(stroke.penWidth, kMinPenWidth), kMaxPenWidth);
    stroke.UpdateBounds();
    BeginStep();
    Record(Edit{Edit::kAddStroke, strokes_.size(), {}, {}, std::move(stroke)});
    EndStep();
    return true;
}

bool InkDocument::SetText(const std::wstring &text) {
    BeginStep();
    ReplaceText(0, text_.size(), std::wstring());
    anchor_ = caret_ = 0;
    InsertFitting(NormalizeText(text.data(), text.size()));
    anchor_ = caret_ = 0;
    const bool changed = !open_.edits.empty();
    EndStep();
    return changed;
}

bool InkDocument::Undo() {
    if (undo_.empty() || openDepth_ > 0)
        return false;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    for (auto e = step.edits.rbegin(); e != step.edits.rend(); ++e)
        Apply(*e, false);
    anchor_ = step.anchorBefore;
    caret_ = step.caretBefore;
    redo_.push_back(std::move(step));
    typing_ = false;
    modified_ = true;
    return true;
}

bool InkDocument::Redo() {
    if (redo_.empty() || openDepth_ > 0)
        return false;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    for (const Edit &e : step.edits)
        Apply(e, true);
    anchor_ = step.anchorAfter;
    caret_ = step.caretAfter;
    undo_.push_back(std::move(step));
    typing_ = false;
    modified_ = true;
    return true;
}

void InkDocument::Reset(std::wstring text, std::vector<InkStroke> strokes) {
    text_ = std::move(text);
    strokes_ = std::move(strokes);
    totalPoints_ = 0;
    for (InkStroke &s : strokes_) {
        s.UpdateBounds();
        s.selected = false;
        totalPoints_ += s.points.size();
    }
    anchor_ = caret_ = 0;
    undo_.clear();
    redo_.clear();
    typing_ = false;
    modified_ = false;
}

} // namespace richink
