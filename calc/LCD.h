// CMyLCD: the calculator's display strip. It shows the entry with the
// locale's decimal separator, trailing fractional zeros dropped and the
// integer digits grouped in threes with apostrophes, inside a framed strip
// with a small memory sign and the sign of the last operator at its left.
// A press on it may drag the whole main window (passed to the parent).
#pragma once
#include <windows.h>

#include "ui/DragTracker.h"
#include "ui/Gdi.h"
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
    // separator) dropped, and redraws.
    void SetText(const wchar_t *text);
    const wchar_t *ShownText() const { return shownText_; }

    void SetSeparator(wchar_t separator) { separator_ = separator; }
    wchar_t Separator() const { return separator_; }
    // Set the fields, then Redraw.
    void SetMemorySign(bool on) { memorySign_ = on; }
    void SetOperatorSign(int sign) { operatorSign_ = sign; }
    bool MemorySign() const { return memorySign_; }
    int OperatorSign() const { return operatorSign_; }
    // The full-size font, used from the first layout on.
    void SetFullSize();

    // Loads the frame and sign pictures for the screen's resolution; false
    // at the first picture that is missing (the display draws without it).
    bool LoadPictures();
    // The text as painted: digits grouped with apostrophes.
    const wchar_t *PaintedText() const { return paintedText_; }

private:
    void Paint(HDC dc, const RECT &client) override;
    void DrawFrame(HDC dc, const RECT &client);
    void DrawSigns(HDC dc, const RECT &client);
    void DrawNumber(HDC dc, const RECT &client);

    wchar_t separator_;
    bool memorySign_;
    int operatorSign_; // -1 none, 0 '+', 1 '-', 2 'x', 3 '/', 4 '%', 5 root (no picture)
    wchar_t shownText_[kTextSize];
    wchar_t paintedText_[kTextSize * 2];
    Bitmap frameLeft_, frameMiddle_, frameRight_;
    Bitmap signs_[kSignCount];
    Font font_;
    bool fullSize_;
    DragTracker drag_;
};
