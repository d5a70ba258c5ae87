// How the alarm editor and its pickers draw a row over its state
// background: a bold caption at the left, a value at the right, and an icon
// of the list icons (chevron, tick, ring) at the right end.
#pragma once
#include <windows.h>

#include "ui/IconStrip.h"

const COLORREF kAlarmCaptionColor = RGB(77, 77, 77);
const COLORREF kAlarmValueColor = RGB(49, 28, 74);
const COLORREF kAlarmEmptyColor = RGB(192, 192, 192);

// Icons of the list icon picture (IDB_LIST_ICONS).
enum ListIcon { kNoListIcon = -1, kChevronIcon = 0, kTickIcon = 1, kRingIcon = 2 };

void DrawFieldRow(HDC dc, const RECT &rect, const IconStrip *icons, ListIcon icon, const wchar_t *caption,
                  const wchar_t *value, COLORREF captionColor = kAlarmCaptionColor);
