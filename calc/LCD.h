// CMyLCD: the calculator's display strip. It shows the entry with the
// locale's decimal separator, trailing fractional zeros dropped and the
// integer digits grouped in threes with apostrophes, inside a framed strip
// with a small memory sign and the sign of the last operator at its left.
// A press on it may drag the whole main window (passed to the parent).
//
// The strip's frame is composed once into a picture of the window's size;
// a key repaints, and copies to the screen, only the parts that changed:
// the number's box, and a sign's place when the sign changes.
#pragma once
#include <windows.h>

#include "ui/DragTracker.h"
#include "ui/Gdi.h"
#include "ui/PBufferDC.h"
#include "ui/Wnd.h"

class CMyLCD : public Wnd {
public:
    static constexpr int kTextSize = 256; // shown text, terminator included
    // The sign pictures: memory, then the operator signs 0..4.
    static constexpr int kSignCount = 6;

    CMyLCD();
    ~CMyLCD() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the child window ("LCDWnd") and loads its pictures.
    HWND CreateLCD(HWND parent, const RECT &rect, UINT childId);

    // Keeps a copy of the text, its trailing fractional zeros (and a bare
    // separator) dropped, and repaints what changed since the last time:
    // the number, and the signs set since.
    void SetText(const wchar_t *text);
    const wchar_t *ShownText() const { return shownText_; }

    void SetSeparator(wchar_t separator) { separator_ = separator; }
    wchar_t Separator() const { return separator_; }
    // Set the signs, then SetText (or Redraw) shows them.
    void SetMemorySign(bool on);
    void SetOperatorSign(int sign);
    bool MemorySign() const { return memorySign_; }
    int OperatorSign() const { return operatorSign_; }
    // The full-size font, used from the first layout on.
    void SetFullSize();

    // Loads the frame and sign pictures for the screen's resolution; false
    // at the first picture that is missing (the display draws without it).
    // The composed frame is made again at the next paint.
    bool LoadPictures();
    // The text as painted: digits grouped with apostrophes.
    const wchar_t *PaintedText() const { return paintedText_; }

    // Where the number and the signs are drawn, in client coordinates (the
    // box clips the number; a sign's place is empty without its picture).
    RECT NumberBox() const;
    RECT MemorySignPlace() const;
    RECT OperatorSignPlace(int sign) const;
    // The composed frame, or null before the first paint.
    HDC FrameDC() const { return frame_.Dc(); }

private:
    void Paint(HDC dc, const RECT &client) override;
    // Draws the part of the picture inside part into dc.
    void PaintPart(HDC dc, const RECT &part);
    // Repaints and invalidates the parts marked as changed.
    void RepaintChanged();
    void MarkChanged(const RECT &part);
    // Makes the composed frame again when the window's size differs.
    bool MakeFrame(const RECT &client);
    void DrawFrame(HDC dc, const RECT &client);
    void DrawSigns(HDC dc);
    void DrawNumber(HDC dc);

    wchar_t separator_;
    bool memorySign_;
    int operatorSign_; // -1 none, 0 '+', 1 '-', 2 'x', 3 '/', 4 '%', 5 root (no picture)
    wchar_t shownText_[kTextSize];
    wchar_t paintedText_[kTextSize * 2];
    Bitmap frameLeft_, frameMiddle_, frameRight_;
    Bitmap signs_[kSignCount];
    Font font_;
    bool fullSize_;
    // The background and the three frame pictures at the window's size.
    PBufferDC frame_;
    // Parts to repaint at the next SetText; at most one per kind (number,
    // memory sign, operator sign), so the copies to the screen stay small.
    static constexpr int kMaxChanged = 3;
    RECT changed_[kMaxChanged];
    int changedCount_;
    DragTracker drag_;
};
