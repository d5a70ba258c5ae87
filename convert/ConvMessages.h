// Private messages between the converter, its value fields and the digit
// pad. The field reports carry the field's control id in lParam.
#pragma once
#include <windows.h>

enum : UINT {
    UWM_FIELD_TAPPED = 17985,  // to the owner: a tap focused the field
    UWM_FIELD_UNFOCUS = 17986, // to a field: drop the focus look
    UWM_FIELD_CHANGED = 17987, // to the owner: the field's value changed
    UWM_PAD_DONE = 17988,      // pad to its field; lParam: the pad's text (const wchar_t *)
    UWM_FIELD_RESET = 22081,   // to a field: the value becomes "0"
};
