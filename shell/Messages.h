// What other programs know of the main program: its window class, and the
// messages (ui/Messages.h) they send it.
#pragma once
#include <windows.h>

#include "ui/Messages.h"

// The class of the main window, by which a second start and the other
// programs find it.
constexpr wchar_t kMainWindowClass[] = L"VelmoraTallyPad";
