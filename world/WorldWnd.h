// CMyWorldWnd: the world clock. A list of the user's cities with their time
// now and whether that is today, yesterday or tomorrow here, refreshed at
// every minute change. In edit mode each row shows the 24-hour time and
// areas to delete the city or move it up or down. The bar below the list
// switches the mode and opens the add window.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/BarBaseEx.h"
#include "ui/SelectList.h"
#include "world/CityList.h"
#include "world/CityTime.h"
#include "world/RecentList.h"

class CMyWorldAdd;

class CMyWorldWnd : public CSelectList {
public:
    static constexpr int kBarUnits = 37;
    static constexpr int kDeleteUnits = 50; // delete area at the left of an edit-mode row
    static constexpr int kMoveUnits = 15;   // each of the up and down areas at its right end
    enum RowButton { kDeleteButton = 0, kUpButton = 1, kDownButton = 2 };

    // Reads the city list beside the program and the user's list. Without
    // the city list it says so in a message box and gives null: there is no
    // world clock then.
    static std::unique_ptr<CMyWorldWnd> Open(const DWORD *feedbackVibro);

    // feedbackVibro: the frame's "Feedback Vibro" option (not owned; null:
    // no pulse).
    CMyWorldWnd(std::vector<world::City> cities, const DWORD *feedbackVibro);
    // Writes the user's list back.
    ~CMyWorldWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Layout() override;
    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;
    const RECT *GetItemButtons(int row, int *count) override;

    bool EditMode() const { return editMode_; }
    const std::vector<world::City> &Cities() const { return cities_; }
    const world::RecentList &Recent() const { return recent_; }
    CMyWorldAdd *AddWindow() const { return add_.get(); }
    CBarBaseEx *Bar() const { return bar_.get(); }
    // The time of a row's city as of the last refresh.
    world::CityClock RowClock(int row) const;
    // The texts a row shows: the time, and in normal mode "am\n" or "pm\n"
    // with the day label.
    Str RowTime(int row) const;
    Str RowDayText(int row) const;

private:
    void OnCreate();
    void OnCommand(WPARAM command);
    void SetEditMode(bool edit);
    void OnAddCity(int city);
    void OnShow(bool shown);
    // Takes the time anew and repaints every row.
    void Refresh();
    void OnMinuteTimer();
    // Sets the timer for the next minute change while the screen is shown.
    void ArmMinuteTimer();
    // The row count and the in-row buttons anew, keeping the scroll place.
    void RefillRows();
    void PlaceBar();
    void DeleteRow(int row);
    void SaveList();

    std::vector<world::City> cities_;
    world::RecentList recent_;
    bool editMode_;
    SYSTEMTIME now_;    // the device's local time at the last refresh
    SYSTEMTIME nowUtc_; // and UTC
    int shownMinute_;   // the minute of now_, -1 before the first refresh
    bool shown_; // by its own WM_SHOWWINDOW
    bool timerRunning_;
    DWORD lastCommand_;
    bool commandBefore_;
    RECT rowButtons_[3];
    std::unique_ptr<CBarBaseEx> bar_;
    std::unique_ptr<CMyWorldAdd> add_;
    const DWORD *feedbackVibro_; // not owned
};
