// The main program's options, window positions and note settings, kept as
// values of one registry key under the current user. The frame loads them
// once after its window exists and writes them all back at every screen
// switch, every minimise and at exit; the note window changes the note
// settings in place.
#pragma once
#include <windows.h>

struct Settings {
    DWORD popupBtt = 1;      // "Animation Button"
    DWORD showIcon = 1;      // floating button visible while minimised
    DWORD feedbackVibro = 1; // 50 ms pulse on key and button presses
    DWORD minimizedPosX = 0; // floating button, screen pixels
    DWORD minimizedPosY = 0;
    DWORD maxPosX = 0; // restored main window, screen pixels
    DWORD maxPosY = 0;
    DWORD isFull = 1; // window fixed: drags move it but its place is not stored
    DWORD noteScale1 = 75;
    DWORD noteScale2 = 75;
    DWORD penMode = 0;
    DWORD useDrawing = 0;
    wchar_t noteName[100] = L"Note";
    wchar_t noteDir[MAX_PATH] = L"";
    wchar_t recent[4][MAX_PATH] = {};

    // Defaults that depend on the screen: positions in layout units scaled
    // by the horizontal and vertical resolution, and the documents folder.
    Settings(int dpiX, int dpiY, const wchar_t *documentsFolder);

    // The lowest screen Y of the floating button: below the top bar.
    static DWORD MinimizedTopLimit(int dpiY) { return (dpiY + 2) * 24 / 96; }

    void Load(const wchar_t *key);
    void Save(const wchar_t *key) const;

private:
    int dpiX_, dpiY_;
    wchar_t documents_[MAX_PATH];
};
