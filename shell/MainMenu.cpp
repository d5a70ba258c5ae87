#include "shell/MainMenu.h"

#include "BaseLib/Str.h"
#include "resource.h"

namespace {

void AppendString(HMENU menu, UINT flags, UINT_PTR id, UINT textId) {
    Str text;
    text.LoadResourceString(textId);
    AppendMenuW(menu, flags, id, text);
}

void Check(HMENU menu, UINT id, bool on) { CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); }

void Enable(HMENU menu, UINT id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); }

} // namespace

CMainMenu::CMainMenu() : main_(CreatePopupMenu()), options_(CreatePopupMenu()), recent_(CreatePopupMenu()) {
    AppendString(options_, MF_STRING, IDM_LOAD_ON_STARTUP, IDS_LOAD_ON_STARTUP);
    AppendMenuW(options_, MF_SEPARATOR, 0, nullptr);
    AppendString(options_, MF_STRING, IDM_NOTE_FOLDER, IDS_NOTE_FOLDER);
    AppendString(options_, MF_STRING, IDM_ANIMATION_BUTTON, IDS_ANIMATION_BUTTON);
    AppendString(options_, MF_STRING, IDM_SHOW_ICON, IDS_SHOW_ICON);
    AppendString(options_, MF_STRING, IDM_FEEDBACK_VIBRO, IDS_FEEDBACK_VIBRO);
    AppendMenuW(options_, MF_SEPARATOR, 0, nullptr);
    AppendString(options_, MF_STRING, IDM_USE_DRAWING, IDS_USE_DRAWING);

    AppendString(main_, MF_STRING, IDM_NEW, IDS_NEW);
    AppendString(main_, MF_STRING, IDM_OPEN_FILES, IDS_OPEN_FILES);
    AppendString(main_, MF_STRING, IDM_SAVE, IDS_SAVE);
    AppendString(main_, MF_STRING, IDM_DELETE, IDS_DELETE);
    AppendMenuW(main_, MF_SEPARATOR, 0, nullptr);
    AppendString(main_, MF_POPUP, reinterpret_cast<UINT_PTR>(recent_), IDS_RECENT_FILES);
    AppendMenuW(main_, MF_SEPARATOR, 0, nullptr);
    AppendString(main_, MF_POPUP, reinterpret_cast<UINT_PTR>(options_), IDS_OPTIONS);
    AppendMenuW(main_, MF_SEPARATOR, 0, nullptr);
    AppendString(main_, MF_STRING, IDM_ABOUT, IDS_ABOUT);
    AppendMenuW(main_, MF_SEPARATOR, 0, nullptr);
    AppendString(main_, MF_STRING, IDM_EXIT, IDS_EXIT);
}

CMainMenu::~CMainMenu() { DestroyMenu(main_); }

void CMainMenu::RebuildRecent(const Settings &settings, bool afterStartup) {
    for (UINT id = IDM_RECENT_FIRST; id < IDM_RECENT_FIRST + 4; ++id)
        DeleteMenu(recent_, id, MF_BYCOMMAND);
    int count = 0;
    for (int i = 0; i < 4; ++i) {
        const wchar_t *path = settings.recent[i];
        if (!*path)
            continue;
        ++count;
        const wchar_t *shown = path;
        if (afterStartup && count == 1) {
            const wchar_t *slash = wcsrchr(path, L'\\');
            shown = slash ? slash + 1 : path;
        }
        Str text;
        text.Format(L"%d. %s", count, shown);
        AppendMenuW(recent_, MF_STRING, IDM_RECENT_FIRST + i, text);
    }
    // "Recent Files" is the sixth entry of the main menu.
    EnableMenuItem(main_, 5, MF_BYPOSITION | (count ? MF_ENABLED : MF_GRAYED));
}

void CMainMenu::Popup(HWND owner, int x, int y, const State &state) {
    Enable(main_, IDM_SAVE, state.noteModified);
    Enable(main_, IDM_DELETE, state.noteHasFile);
    Check(options_, IDM_LOAD_ON_STARTUP, state.loadOnStartup);
    Check(options_, IDM_ANIMATION_BUTTON, state.settings->popupBtt != 0);
    Check(options_, IDM_SHOW_ICON, state.settings->showIcon != 0);
    Check(options_, IDM_FEEDBACK_VIBRO, state.settings->feedbackVibro != 0);
    Check(options_, IDM_USE_DRAWING, state.settings->useDrawing != 0);
    TrackPopupMenuEx(main_, TPM_LEFTALIGN | TPM_BOTTOMALIGN, x, y, owner, nullptr);
}
