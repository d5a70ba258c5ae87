// The ink document as edits: what the text, the strokes, the selection and
// the history are after each.
#include "InkDocument.h"
#include "TextLayout.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace richink;

namespace {

InkStroke StrokeAt(LONG x, LONG y, LONG w = 10, LONG h = 10) {
    InkStroke s;
    s.points = {{x, y}, {x + w, y + h}};
    s.UpdateBounds();
    return s;
}

void TypeText(InkDocument &doc, const wchar_t *text) {
    for (const wchar_t *c = text; *c; ++c)
        doc.Type(*c);
}

struct EditCase {
    const char *name;
    std::function<void(InkDocument &)> edit;
    const wchar_t *text;
    size_t caret;
};

TEST(InkDocument, EditsLeaveTheExpectedTextAndCaret) {
    const EditCase cases[] = {
        {"typing", [](InkDocument &d) { TypeText(d, L"abc"); }, L"abc", 3},
        {"enter makes a CR LF", [](InkDocument &d) { TypeText(d, L"a\rb"); }, L"a\r\nb", 4},
        {"backspace removes a whole line break",
         [](InkDocument &d) {
             TypeText(d, L"a\r");
             d.DeleteBackward();
         },
         L"a", 1},
        {"delete removes a whole line break",
         [](InkDocument &d) {
             TypeText(d, L"a\rb");
             d.SetSelection(1, 1);
             d.DeleteForward();
         },
         L"ab", 1},
        {"backspace at the start does nothing", [](InkDocument &d) { d.DeleteBackward(); }, L"", 0},
        {"delete at the end does nothing",
         [](InkDocument &d) {
             TypeText(d, L"ab");
             d.DeleteForward();
         },
         L"ab", 2},
        {"typing replaces the selection",
         [](InkDocument &d) {
             TypeText(d, L"hello");
             d.SetSelection(1, 4);
             d.Type(L'X');
         },
         L"hXo", 2},
        {"replace normalises line breaks",
         [](InkDocument &d) { d.ReplaceSelection(std::wstring(L"a\nb\rc\r\nd\0e", 10)); }, L"a\r\nb\r\nc\r\nde", 11},
        {"selection inside a line break is snapped",
         [](InkDocument &d) {
             TypeText(d, L"a\rb");
             d.SetSelection(2, 2);
             d.Type(L'X');
         },
         L"aX\r\nb", 2},
        {"surrogate pairs are deleted whole",
         [](InkDocument &d) {
             d.ReplaceSelection(L"a\xD83D\xDE00");
             d.DeleteBackward();
         },
         L"a", 1},
        {"set text puts the caret at the start",
         [](InkDocument &d) {
             TypeText(d, L"old");
             d.SetText(L"new\nline");
         },
         L"new\r\nline", 0},
    };
    for (const EditCase &c : cases) {
        InkDocument doc;
        c.edit(doc);
        EXPECT_EQ(doc.Text(), c.text) << c.name;
        EXPECT_EQ(doc.Caret(), c.caret) << c.name;
    }
}

TEST(InkDocument, ConsecutiveTypingIsOneUndoStepAndOtherEditsAreTheirOwn) {
    InkDocument doc;
    TypeText(doc, L"one");
    doc.Type(L'\r');
    TypeText(doc, L"two");
    doc.AddStroke(StrokeAt(5, 5));
    doc.DeleteBackward();
    const std::vector<std::pair<std::wstring, size_t>> afterUndo = {
        {L"one\r\ntwo", 1}, {L"one\r\ntwo", 0}, {L"one\r\n", 0}, {L"one", 0}, {L"", 0}};
    for (const auto &expected : afterUndo) {
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(doc.Text(), expected.first);
        EXPECT_EQ(doc.Strokes().size(), expected.second);
    }
    EXPECT_FALSE(doc.CanUndo());
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(doc.Redo()) << "redo " << i;
    EXPECT_EQ(doc.Text(), L"one\r\ntw");
    EXPECT_EQ(doc.Strokes().size(), 1u);
    EXPECT_FALSE(doc.CanRedo());
}

TEST(InkDocument, MovingTheCaretEndsATypingGroupAndAnEditClearsRedo) {
    InkDocument doc;
    TypeText(doc, L"ab");
    doc.SetSelection(0, 0);
    TypeText(doc, L"X");
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Text(), L"ab");
    EXPECT_TRUE(doc.CanRedo());
    doc.Type(L'Y');
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(doc.Text(), L"Yab");
}

TEST(InkDocument, DeletingTheSelectionRemovesTextAndSelectedStrokesInOneStep) {
    InkDocument doc;
    TypeText(doc, L"hello");
    for (LONG x : {0, 100, 200})
        doc.AddStroke(StrokeAt(x, 0));
    doc.SetSelection(1, 3);
    doc.SelectStroke(0, true);
    doc.SelectStroke(2, true);
    ASSERT_TRUE(doc.HasSelection());
    ASSERT_TRUE(doc.DeleteSelection());
    EXPECT_EQ(doc.Text(), L"hlo");
    ASSERT_EQ(doc.Strokes().size(), 1u);
    EXPECT_EQ(doc.Strokes()[0].bounds.left, 100);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Text(), L"hello");
    ASSERT_EQ(doc.Strokes().size(), 3u);
    EXPECT_EQ(doc.Strokes()[2].bounds.left, 200);
    EXPECT_EQ(doc.TotalPoints(), 6u);
}

TEST(InkDocument, StrokesAreClampedAndRefusedBeyondTheLimits) {
    InkDocument doc;
    InkStroke wild;
    wild.points = {{-5, -5}, {kMaxCoordinate + 10, 7}};
    wild.penWidth = 1000;
    ASSERT_TRUE(doc.AddStroke(wild));
    EXPECT_EQ(doc.Strokes()[0].bounds.left, 0);
    EXPECT_EQ(doc.Strokes()[0].bounds.right, kMaxCoordinate);
    EXPECT_EQ(doc.Strokes()[0].penWidth, kMaxPenWidth);
    EXPECT_FALSE(doc.AddStroke(InkStroke())) << "a stroke without points";

    InkStroke huge;
    huge.points.assign(kMaxStrokePoints + 5, POINT{1, 1});
    ASSERT_TRUE(doc.AddStroke(huge));
    EXPECT_EQ(doc.Strokes()[1].points.size(), kMaxStrokePoints);
}

TEST(InkDocument, TextStopsAtTheLimitWithoutSplittingALineBreak) {
    InkDocument doc;
    doc.ReplaceSelection(std::wstring(kMaxTextLength - 1, L'a'));
    doc.ReplaceSelection(L"\r\n");
    EXPECT_EQ(doc.Text().size(), kMaxTextLength - 1) << "half a line break was inserted";
    EXPECT_TRUE(doc.Type(L'b'));
    EXPECT_FALSE(doc.Type(L'c'));
    EXPECT_EQ(doc.Text().size(), kMaxTextLength);
}

TEST(InkDocument, ModifiedFlagFollowsEditsAndReset) {
    InkDocument doc;
    EXPECT_FALSE(doc.Modified());
    doc.AddStroke(StrokeAt(1, 1));
    EXPECT_TRUE(doc.Modified());
    doc.SetModified(false);
    doc.Undo();
    EXPECT_TRUE(doc.Modified()) << "an undo changes the note";
    doc.SetModified(false);
    doc.SetSelection(0, 0);
    EXPECT_FALSE(doc.Modified()) << "moving the caret changes nothing";
    doc.Reset(L"x", {});
    EXPECT_FALSE(doc.Modified());
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
}

TEST(InkDocument, StrokesGroupIntoLinesTopToBottomAndLeftToRight) {
    std::vector<InkStroke> strokes = {StrokeAt(50, 100), StrokeAt(0, 5), StrokeAt(30, 103), StrokeAt(20, 0, 5, 20),
                                      StrokeAt(0, 300)};
    const auto lines = GroupIntoLines(strokes, {0, 1, 2, 3, 4});
    const std::vector<std::vector<size_t>> expected = {{1, 3}, {2, 0}, {4}};
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(GroupIntoLines(strokes, {}).empty());
}

struct LayoutCase {
    const char *name;
    const wchar_t *text;
    int width; // each character is 10 wide
    std::vector<std::pair<size_t, size_t>> rows;
};

TEST(TextLayout, RowsBreakAtLineBreaksAndWrapAtSpaces) {
    const LayoutCase cases[] = {
        {"empty text has one row", L"", 100, {{0, 0}}},
        {"line breaks", L"ab\r\n\r\ncd", 100, {{0, 2}, {4, 4}, {6, 8}}},
        {"ends with a line break", L"ab\r\n", 100, {{0, 2}, {4, 4}}},
        {"wraps after the last space that fits", L"aaa bbb ccc", 65, {{0, 4}, {4, 8}, {8, 11}}},
        {"a long word is broken", L"abcdefghij", 40, {{0, 4}, {4, 8}, {8, 10}}},
        {"no wrap", L"aaa bbb ccc", 0, {{0, 11}}},
        {"a character wider than the row still shows", L"ab", 5, {{0, 1}, {1, 2}}},
    };
    for (const LayoutCase &c : cases) {
        TextLayout layout;
        layout.Build(c.text, c.width, [](wchar_t) { return 10; });
        std::vector<std::pair<size_t, size_t>> rows;
        for (const TextRow &r : layout.Rows())
            rows.emplace_back(r.start, r.end);
        EXPECT_EQ(rows, c.rows) << c.name;
    }
}

TEST(TextLayout, PositionsMapToRowsAndColumns) {
    TextLayout layout;
    layout.Build(L"aaa bbb\r\ncc", 45, [](wchar_t) { return 10; });
    EXPECT_EQ(layout.RowOf(2), 0u);
    EXPECT_EQ(layout.RowOf(4), 1u) << "the position at a wrap belongs to the next row";
    EXPECT_EQ(layout.RowOf(10), 2u);
    EXPECT_EQ(layout.XOf(6), 20);
    EXPECT_EQ(layout.PositionAt(1, 14), 5u) << "nearest character edge";
    EXPECT_EQ(layout.PositionAt(1, 16), 6u);
    EXPECT_EQ(layout.PositionAt(2, 500), 11u);
    EXPECT_EQ(layout.PositionAt(9, 0), 11u) << "below the last row";
}

} // namespace
