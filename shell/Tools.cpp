// The only shell file that knows the tools: it includes their headers and
// holds the table of the screens.
#include "shell/Tools.h"

#include "BaseLib/Str.h"
#include "alarm/AlarmWnd.h"
#include "calc/CalcWnd.h"
#include "calendar/CalendarWnd.h"
#include "convert/ConvWnd.h"
#include "notes/NoteWnd.h"
#include "notes/SelectNoteDirWnd.h"
#include "resource.h"
#include "shell/Settings.h"
#include "timing/StopWWnd.h"
#include "timing/TimerWnd.h"
#include "ui/ScreenDescriptor.h"
#include "world/WorldWnd.h"

namespace {

std::unique_ptr<CNormalWnd> MakeCalculator(Settings &settings) {
    return std::make_unique<CMyCalcWnd>(&settings.feedbackVibro);
}

std::unique_ptr<CNormalWnd> MakeConverter(Settings &settings) {
    return std::make_unique<CMyConvWnd>(&settings.feedbackVibro);
}

std::unique_ptr<CNormalWnd> MakeCalendar(Settings &settings) {
    return std::make_unique<CalendarWnd>(&settings.feedbackVibro);
}

std::unique_ptr<CNormalWnd> MakeStopwatch(Settings &settings) {
    return std::make_unique<CMyStopWWnd>(&settings.feedbackVibro);
}

std::unique_ptr<CNormalWnd> MakeTimer(Settings &settings) {
    return std::make_unique<CMyTimerWnd>(&settings.feedbackVibro);
}
std::unique_ptr<CNormalWnd> MakeAlarms(Settings &) { return std::make_unique<CAlarmWnd>(); }

std::unique_ptr<CNormalWnd> MakeNote(Settings &settings) {
    NoteSettings note = {settings.noteName, settings.noteDir, &settings.noteScale1,   &settings.noteScale2,
                         &settings.penMode, settings.recent,  &settings.feedbackVibro};
    return std::make_unique<CMyNoteWnd>(note);
}

// Without its city list there is no world clock: it says so itself.
std::unique_ptr<CNormalWnd> MakeWorldClock(Settings &settings) { return CMyWorldWnd::Open(&settings.feedbackVibro); }

// clang-format off
const ToolRow kTools[] = {
    {kScreenDesk, L"DeskWnd", 5483, IDS_TITLE_DESK, {1, 0, 0, 0, 0, 1}, true,
     0, 0, nullptr},
    {kScreenCalculator, L"CalcWnd", 5507, IDS_TITLE_CALCULATOR, {1, 1, 1, 0, 0, 1}, true,
     IDB_ICON_CALCULATOR, IDB_ICON_CALCULATOR_HI, MakeCalculator},
    {kScreenNote, L"CalcWnd", 5543, IDS_TITLE_NOTE, {1, 1, 1, 1, 1, 0}, false,
     IDB_ICON_NOTE, IDB_ICON_NOTE_HI, MakeNote},
    {kScreenCalendar, L"CalendarWnd", 5547, IDS_TITLE_CALENDAR, {1, 0, 0, 0, 0, 1}, true,
     IDB_ICON_CALENDAR, IDB_ICON_CALENDAR_HI, MakeCalendar},
    {kScreenConverter, L"ConvWnd", 5551, IDS_TITLE_CONVERTER, {1, 1, 1, 0, 0, 1}, true,
     IDB_ICON_CONVERTER, IDB_ICON_CONVERTER_HI, MakeConverter},
    {kScreenStopwatch, L"StopWWnd", 5555, IDS_TITLE_STOPWATCH, {1, 0, 0, 0, 0, 1}, true,
     IDB_ICON_STOPWATCH, IDB_ICON_STOPWATCH_HI, MakeStopwatch},
    {kScreenTimer, L"TimerWnd", 5555, IDS_TITLE_TIMER, {1, 0, 0, 0, 0, 1}, true,
     IDB_ICON_TIMER, IDB_ICON_TIMER_HI, MakeTimer},
    {kScreenAlarms, L"AlarmWnd", 0, IDS_TITLE_ALARM, {1, 0, 0, 0, 0, 1}, true,
     IDB_ICON_ALARM, IDB_ICON_ALARM_HI, MakeAlarms},
    {kScreenWorldClock, L"WorldWnd", 0, IDS_TITLE_WORLD_CLOCK, {1, 0, 0, 0, 0, 1}, true,
     IDB_ICON_WORLD_CLOCK, IDB_ICON_WORLD_CLOCK_HI, MakeWorldClock},
};
// clang-format on

} // namespace

const ToolRow *ToolsBegin() { return kTools; }
const ToolRow *ToolsEnd() { return kTools + sizeof kTools / sizeof kTools[0]; }

const ToolRow *FindTool(int screenId) {
    for (const ToolRow *row = ToolsBegin(); row != ToolsEnd(); ++row) {
        if (row->screenId == screenId)
            return row;
    }
    return nullptr;
}

ScreenDescriptor ToolDescriptor(int screenId) {
    ScreenDescriptor d;
    d.Clear();
    if (const ToolRow *row = FindTool(screenId)) {
        d.screenId = screenId;
        for (int i = 0; i < 6; ++i)
            d.Word(1 + i) = row->buttons[i];
        d.titleId = static_cast<int32_t>(row->titleId);
    }
    return d;
}

std::unique_ptr<CNormalWnd> MakeToolScreen(int screenId, Settings &settings, HWND mainWindow, const RECT &rect) {
    const ToolRow *row = FindTool(screenId);
    if (!row || !row->make)
        return nullptr;
    std::unique_ptr<CNormalWnd> screen = row->make(settings);
    if (!screen)
        return nullptr;
    screen->SetDescriptor(ToolDescriptor(screenId));
    if (!screen->Create(row->caption, WS_CHILD, rect, mainWindow, row->childId, row->backBuffer))
        return nullptr;
    return screen;
}

void OpenNoteFolderChooser(std::unique_ptr<Wnd> &chooser, HWND mainWindow, Settings &settings) {
    if (!chooser)
        chooser = std::make_unique<CSelectNoteDirWnd>();
    static_cast<CSelectNoteDirWnd &>(*chooser).Open(mainWindow, settings.noteName, ARRAYSIZE(settings.noteName),
                                                    settings.noteDir, ARRAYSIZE(settings.noteDir));
}
