// The wave output volume that a ring sets and restores: both channels in one
// value (left in the low 16 bits, right in the high), as waveOutGetVolume and
// waveOutSetVolume take it for device 0.
//
// On the handheld device 0 is the device's output, which every sound follows.
// Wine refuses a device number there (only an open stream has a volume), so
// the level is then kept for this process and applied to what it plays: the
// wave mixer's master volume for PlaySoundW, and the media player's volume
// when it plays (MediaVolume).
#pragma once
#include <windows.h>

DWORD GetOutputVolume();
void SetOutputVolume(DWORD volume);

// The media player's volume setting (0..100) that gives the kept level, or
// -1 when the system's output volume applies to the player by itself.
int MediaVolume();
