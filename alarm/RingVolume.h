// Ring volume codes, as stored in alarm records ("/V"), the countdown record
// and the global "Volume" value, and how they map to the volume picker's
// rows and to the wave output level.
//
//   code  row  text          level
//     0    0   "None"        nothing is played
//    -1    1   "Use System"  the system volume is left as it is
//   1..5  2..6 "20%".."100%" code * 13107 on both channels
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"

enum : int {
    kVolumeSilent = 0,
    kVolumeSystem = -1,
    kVolumeFull = 5,
    kVolumeRows = 7,
};

// The picker row of a code; any code outside the table shows as "Use System".
int VolumeRow(int code);
// The code of a picker row; a row outside the table reads as "Use System".
int VolumeCode(int row);
// The level of one channel for a code of 1..5: code * 1310700 / 100.
DWORD VolumeLevel(int code);
// Both channels at that level, as waveOutSetVolume takes it.
DWORD VolumeBothChannels(int code);
// "None", "Use System", or "20%" .. "100%", from the calling program's
// string table.
Str VolumeText(int code);
