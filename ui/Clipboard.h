// The clipboard's Unicode text, read and written for the bottom bar's Copy
// and Paste on every screen.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"

namespace ui {

// The clipboard's Unicode text; empty when there is none.
Str ClipboardText(HWND owner);
// Replaces the clipboard's content with the text; false when the clipboard
// could not be had or did not take it.
bool PutClipboardText(HWND owner, const wchar_t *text);

} // namespace ui
