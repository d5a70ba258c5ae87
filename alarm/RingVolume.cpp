#include "alarm/RingVolume.h"

#include "alarm/AlarmStrings.h"

int VolumeRow(int code) {
    if (code == kVolumeSilent)
        return 0;
    if (code >= 1 && code <= kVolumeFull)
        return code + 1;
    return 1;
}

int VolumeCode(int row) {
    if (row == 0)
        return kVolumeSilent;
    if (row >= 2 && row < kVolumeRows)
        return row - 1;
    return kVolumeSystem;
}

DWORD VolumeLevel(int code) {
    if (code < 1 || code > kVolumeFull)
        return 0;
    return static_cast<DWORD>(code) * 1310700 / 100;
}

DWORD VolumeBothChannels(int code) {
    const DWORD level = VolumeLevel(code);
    return level | (level << 16);
}

Str VolumeText(int code) {
    Str text;
    switch (VolumeRow(code)) {
    case 0:
        text.LoadResourceString(IDS_VOLUME_NONE);
        break;
    case 1:
        text.LoadResourceString(IDS_VOLUME_SYSTEM);
        break;
    default:
        text.Format(L"%d%s", code * 20, L"%");
        break;
    }
    return text;
}
