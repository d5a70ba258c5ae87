#include "ui/Clipboard.h"

#include <cstring>
#include <cwchar>

namespace ui {

Str ClipboardText(HWND owner) {
    Str text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t *chars = static_cast<const wchar_t *>(GlobalLock(data))) {
            // Bounded by the block: a text without its terminator must not
            // be read past the end.
            const size_t capacity = GlobalSize(data) / sizeof(wchar_t);
            const size_t length = wcsnlen(chars, capacity);
            wchar_t *buffer = text.BufferFor(static_cast<int>(length));
            wmemcpy(buffer, chars, length);
            text.SetLength(static_cast<int>(length));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool PutClipboardText(HWND owner, const wchar_t *text) {
    if (!text || !OpenClipboard(owner))
        return false;
    EmptyClipboard();
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    bool done = false;
    // The clipboard takes over the block only when SetClipboardData succeeds.
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void *target = GlobalLock(block)) {
            memcpy(target, text, bytes);
            GlobalUnlock(block);
            done = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
        }
        if (!done)
            GlobalFree(block);
    }
    CloseClipboard();
    return done;
}

} // namespace ui
