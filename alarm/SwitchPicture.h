// The on/off switch drawn at the right end of a row: the alarm list's
// switch and the volume picker's vibrate row. One picture holds the "on"
// and the "off" look side by side.
#pragma once
#include <windows.h>

// Width of the switch zone at the right of a row, and its right margin, in
// units: a tap strictly between right - 65 and right - 5 hits the switch.
const int kSwitchZoneUnits = 65;
const int kSwitchMarginUnits = 5;

// Whether a tap at x (row coordinates) lies in the switch zone of a row
// whose right edge is right.
bool InSwitchZone(int x, int right);

// Draws the switch's on or off look centred in the zone of the row.
void DrawSwitch(HDC dc, const RECT &row, bool on);
