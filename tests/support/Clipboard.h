// The clipboard as tests read and fill it.
#pragma once
#include <windows.h>

#include <cstring>
#include <string>

namespace testsupport {

// The clipboard's Unicode text, or a note of what was there instead. The
// clipboard may be held for a moment by the program under test.
inline std::wstring ClipboardText() {
    std::wstring text = L"<clipboard busy>";
    for (int tries = 0; tries < 20 && !OpenClipboard(nullptr); ++tries)
        Sleep(50);
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t *>(GlobalLock(data));
        GlobalUnlock(data);
    } else {
        text = L"<no Unicode text>";
    }
    CloseClipboard();
    return text;
}

inline bool PutOnClipboard(const wchar_t *text) {
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(block), text, bytes);
    GlobalUnlock(block);
    bool placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    CloseClipboard();
    return placed;
}

} // namespace testsupport
