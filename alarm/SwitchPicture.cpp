#include "alarm/SwitchPicture.h"

#include "resource.h"
#include "ui/Gdi.h"
#include "ui/Scaling.h"

bool InSwitchZone(int x, int right) {
    return x > right - ScaleX(kSwitchZoneUnits) && x < right - ScaleX(kSwitchMarginUnits);
}

void DrawSwitch(HDC dc, const RECT &row, bool on) {
    // Loaded once: the picture is drawn for every alarm row at every paint.
    static Bitmap pictures[2]; // normal, high resolution
    Bitmap &picture = pictures[Metrics().highRes ? 1 : 0];
    if (!picture.get())
        picture.Reset(LoadProgramBitmap(PickBitmap(IDB_ALARM_SWITCH, IDB_ALARM_SWITCH_HI)));
    HBITMAP bitmap = picture.get();
    if (!bitmap)
        return;
    const SIZE size = BitmapSize(bitmap);
    const int lookWidth = size.cx / 2;
    const int zoneRight = row.right - ScaleX(kSwitchMarginUnits);
    const int zoneLeft = row.right - ScaleX(kSwitchZoneUnits);
    const int x = zoneLeft + (zoneRight - zoneLeft - lookWidth) / 2;
    const int y = row.top + (row.bottom - row.top - size.cy) / 2;
    MemoryDC source(dc);
    SelectedObject select(source, bitmap);
    TransparentBlt(dc, x, y, lookWidth, size.cy, source, on ? 0 : lookWidth, 0, lookWidth, size.cy, kTransparentKey);
}
