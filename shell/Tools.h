// The screens of the program, one row each: the only place that names the
// tools. The screen descriptors, the desk's icons and their order, and the
// frame's making of each screen all read this table.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/NormalWnd.h"
#include "ui/ScreenDescriptor.h"

struct Settings;

struct ToolRow {
    int screenId;           // ScreenId
    const wchar_t *caption; // window name of the screen
    UINT childId;           // child-window id in the main window
    UINT titleId;           // IDS_TITLE_*: the tab bar's title
    int buttons[6];         // bottom-bar buttons shown: menu, copy, paste, new, next recent, minimise
    bool backBuffer;        // the screen draws into a back buffer
    UINT icon, iconHi;      // desk icon, normal and high resolution; 0: not on the desk
    // Makes the screen object (its window comes later, from the row); null
    // when the tool cannot work here. The frame makes the desk itself.
    std::unique_ptr<CNormalWnd> (*make)(Settings &settings);
};

// The rows in the desk's order; the desk's own row first.
const ToolRow *ToolsBegin();
const ToolRow *ToolsEnd();
// The row of a screen, or null.
const ToolRow *FindTool(int screenId);

// The eight-word descriptor of a screen, from its row.
ScreenDescriptor ToolDescriptor(int screenId);

// Shows the note-folder chooser over the main window for the settings'
// default note name and note folder; it is made on first use and kept in
// chooser. On OK it posts UWM_NOTE_DIR_PICKED to the main window.
void OpenNoteFolderChooser(std::unique_ptr<Wnd> &chooser, HWND mainWindow, Settings &settings);

// Makes a tool screen from its row: the object, its descriptor and its
// (hidden) child window of the main window at rect. Null when the tool
// cannot be made.
std::unique_ptr<CNormalWnd> MakeToolScreen(int screenId, Settings &settings, HWND mainWindow, const RECT &rect);
