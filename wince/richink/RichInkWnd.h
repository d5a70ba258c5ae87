// The "RichInk" window: shows an InkDocument on a lined or blank page and
// edits it with the keyboard, the stylus and the control's messages.
// RichInkWnd.cpp handles messages and input; RichInkView.cpp lays the page
// out, scrolls it and paints it.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "GdiOwners.h"
#include "InkDocument.h"
#include "InkStream.h"
#include "TextLayout.h"

namespace richink {

class RichInkWnd {
public:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    explicit RichInkWnd(HWND hwnd);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // Input (RichInkWnd.cpp).
    void OnChar(wchar_t ch);
    void OnKeyDown(UINT vk);
    void MoveCaret(size_t pos, bool extend);
    void OnButtonDown(POINT pt, bool extend);
    void EndSelectionKeptByPress();
    void OnPointerMove(POINT pt);
    void OnButtonUp();
    void OnHoldTimer();
    void CancelPress();
    void RequestEditMenu(POINT pt);
    void Copy();
    void Paste();
    void Recognize();
    LRESULT StreamIn(WPARAM format, EDITSTREAM *stream);
    LRESULT StreamOut(WPARAM format, EDITSTREAM *stream);
    void SetZoom(int zoom);

    // After an edit of the document: lay out again and repaint from the row
    // where the change starts (every row when npos).
    void Changed(size_t fromRow = size_t(-1));

    // View (RichInkView.cpp).
    void MakeFont();
    void Relayout();
    // The scale the note is shown at, in percent: the zoom on a screen of
    // this density (page units are pixels of a 96 dots-per-inch screen).
    int Shown() const { return view_.zoom * dpi_ / 96; }
    int LinePitch() const;
    int Margin() const;
    int ContentHeight() const;
    int ClientHeight() const;
    void UpdateScrollBar();
    void ScrollTo(int y);
    void OnVScroll(int code);
    void ScrollIntoView();
    void UpdateCaret();
    POINT CaretPoint() const; // client coordinates of the caret's top
    size_t PositionAt(POINT pt) const;
    bool OnText(POINT pt) const; // the point is over typed characters
    POINT ToPage(POINT client) const;
    RECT ToClient(const RECT &page, int penWidth) const;
    int PenPixels(int penWidth) const;
    void InvalidateStroke(const InkStroke &stroke);
    void Render(HDC dc, const RECT &clip);
    void PaintRules(HDC dc, const RECT &clip);
    void PaintText(HDC dc, const RECT &clip);
    void Paint();
    void PrintClient(HDC dc);

    enum class Press { kNone, kInk, kSelect };

    HWND hwnd_; // not owned: this object lives as long as the window
    InkDocument doc_;
    TextLayout layout_;
    NoteView view_ = {16, 1, 100, 100, 0, true};
    int dpi_ = 96; // vertical density of the screen
    int scrollY_ = 0;           // pixels at the current zoom
    SCROLLINFO scrollBar_ = {}; // as last set
    Font font_;
    int fontHeight_ = 0;
    std::vector<int> charWidths_; // per UTF-16 unit at the current zoom, -1 until measured
    BackBuffer buffer_;
    bool focused_ = false;
    int preferredX_ = -1; // column kept by up and down arrows

    Press press_ = Press::kNone;
    POINT pressPoint_ = {};
    bool holding_ = false;             // the press has not moved yet: the hold timer runs
    bool pressKeepsSelection_ = false; // the selection stays until the press is known not to be a hold
    InkStroke current_;                // the stroke being written
};

} // namespace richink
