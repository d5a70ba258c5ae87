// What FloorProbe knows of the bare program: its class and its messages.
#pragma once
#include <windows.h>

constexpr wchar_t kFloorClass[] = L"FloorBare";
constexpr UINT kFloorToggle = 5711;         // the running one: hide <-> show
constexpr UINT kFloorOpenTool = WM_APP + 1; // slide the desk out
constexpr UINT kFloorBack = WM_APP + 2;     // slide it back in
