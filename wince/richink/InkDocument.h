// The ink control's document: typed text, ink strokes, the selection and the
// undo history, with no window in it. Text positions count UTF-16 units of
// the text, whose line breaks are always "\r\n"; a position never falls
// inside a line break or a surrogate pair.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace richink {

// Limits that keep a note, and so any stream of it, to a size the device can
// hold. What the document accepts, the stream reads back.
const size_t kMaxTextLength = 1000000; // UTF-16 units of typed text
const size_t kMaxStrokes = 100000;
const size_t kMaxStrokePoints = 100000; // of one stroke; further points are dropped
const size_t kMaxTotalPoints = 4000000;
const LONG kMaxCoordinate = 1000000; // page coordinates run 0..this
const int kMinPenWidth = 25;         // pen widths in percent of the normal width
const int kMaxPenWidth = 400;

struct InkStroke {
    std::vector<POINT> points; // in writing order, page coordinates at zoom 100
    int penWidth = 100;        // percent of the normal width
    RECT bounds = {};          // of the points (inclusive), kept by UpdateBounds
    bool selected = false;     // not part of the content: never streamed or undone

    void UpdateBounds();
};

// Strokes grouped into lines of writing by their vertical position: a stroke
// whose vertical middle lies within the height a line has so far joins it.
// Lines run from top to bottom, the strokes of each from left to right.
std::vector<std::vector<size_t>> GroupIntoLines(const std::vector<InkStroke> &strokes,
                                                const std::vector<size_t> &which);

// Text as the document keeps it: every line break ("\r\n", "\r" or "\n")
// becomes "\r\n"; other control characters but the tab are dropped.
std::wstring NormalizeText(const wchar_t *text, size_t length);

class InkDocument {
public:
    const std::wstring &Text() const { return text_; }
    const std::vector<InkStroke> &Strokes() const { return strokes_; }
    size_t TotalPoints() const { return totalPoints_; }

    // Selection: the text between anchor and caret, plus the strokes marked
    // selected.
    size_t Anchor() const { return anchor_; }
    size_t Caret() const { return caret_; }
    size_t SelectionStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
    size_t SelectionEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
    bool HasTextSelection() const { return anchor_ != caret_; }
    bool HasSelection() const;
    std::vector<size_t> SelectedStrokes() const;
    void SetSelection(size_t anchor, size_t caret); // snapped to whole characters
    void SelectAll();
    void SelectStroke(size_t index, bool selected);
    void ClearStrokeSelection();

    // The neighbouring position, stepping over line breaks and surrogate pairs.
    size_t NextPosition(size_t pos) const;
    size_t PreviousPosition(size_t pos) const;

    // Edits. Each is one undo step, sets the modified flag and answers false
    // when it changed nothing (or would pass a limit).
    bool Type(wchar_t ch);                           // consecutive typed characters form one step
    bool ReplaceSelection(const std::wstring &text); // text only; truncated to the room left
    bool DeleteSelection();                          // text and strokes
    bool DeleteBackward();                           // the selection, else the character before the caret
    bool DeleteForward();                            // the selection, else the character after the caret
    bool AddStroke(InkStroke stroke);
    bool SetText(const std::wstring &text);

    // Several edits as one undo step: everything between BeginStep and
    // EndStep. The edits inside do not record steps of their own.
    void BeginStep();
    void EndStep();
    bool InsertText(size_t pos, const std::wstring &text); // normalised, inside a step
    void RemoveStroke(size_t index);                       // inside a step

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    bool Undo();
    bool Redo();

    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    // Replaces the whole content and forgets the history: a note loaded or
    // emptied. The modified flag is cleared.
    void Reset(std::wstring text, std::vector<InkStroke> strokes);

private:
    struct Edit {
        enum Kind { kText, kAddStroke, kRemoveStroke } kind;
        size_t pos; // text position or stroke index
        std::wstring removed, inserted;
        InkStroke stroke;
    };
    struct Step {
        std::vector<Edit> edits;
        size_t anchorBefore, caretBefore, anchorAfter, caretAfter;
    };

    size_t Snap(size_t pos) const;
    void Apply(const Edit &edit, bool forward);
    void Record(Edit edit);
    bool ReplaceText(size_t pos, size_t length, std::wstring inserted);
    bool InsertFitting(std::wstring text);

    std::wstring text_;
    std::vector<InkStroke> strokes_;
    size_t totalPoints_ = 0;
    size_t anchor_ = 0, caret_ = 0;
    std::vector<Step> undo_, redo_;
    Step open_;           // the step being built
    int openDepth_ = 0;   // BeginStep nesting
    bool typing_ = false; // the last undo step is typing that the next typed character may extend
    bool modified_ = false;
};

} // namespace richink
