// The runner's log of rings: TallyPadAlarm.log beside the program, one line
// per ring, "YYYY-MM-DD HH:MM:SS <kind> <identifier>\r\n" in UTF-8, local
// time, kind "alarm" or "timer". Appended by every run; never read by the
// programs.
#pragma once
#include <windows.h>

void AppendRingLog(const wchar_t *identifier, const wchar_t *kind);
