// The main menu with its options and recent-files submenus. The frame pops
// it up from the bottom bar's menu button.
#pragma once
#include <windows.h>

#include "shell/Settings.h"

class CMainMenu {
public:
    CMainMenu();
    ~CMainMenu();
    CMainMenu(const CMainMenu &) = delete;
    CMainMenu &operator=(const CMainMenu &) = delete;

    // Rebuilds the recent-files submenu: "%d. %s" per non-empty entry with its
    // full path, except that in rebuilds once start-up is over the first
    // entry shows only the file name. "Recent Files" is greyed exactly when
    // the list is empty.
    void RebuildRecent(const Settings &settings, bool afterStartup);

    struct State {
        bool noteModified;
        bool noteHasFile;
        bool loadOnStartup;
        const Settings *settings;
    };
    // Greying and check marks, then the menu at (x, y) bottom-aligned.
    void Popup(HWND owner, int x, int y, const State &state);

    HMENU Main() const { return main_; }
    HMENU Recent() const { return recent_; }

private:
    HMENU main_;    // owned; holds options_ and recent_
    HMENU options_; // destroyed with main_
    HMENU recent_;  // destroyed with main_
};
