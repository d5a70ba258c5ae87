// The ink control (richink.dll): InitRichInkDLL registers the window class
// "RichInk", which the notes screen creates and drives with edit messages.
#pragma once
#include <windows.h>
#include "ceapi.h"

#define WC_RICHINKW L"RichInk"

RICHINK_API void WINAPI InitRichInkDLL(void);
