// Resource ids of TallyPadAlarm, the runner; its numbers are its own and
// independent of the main program's.
#pragma once

#define IDS_TIMER_DONE 3 // "Timer Done"
#define IDS_NEXT 4       // "Next"
#define IDS_CANCEL 5     // "Cancel"
#define IDS_ALARM 6      // "Alarm"

// The box's background: left end, stretched middle, right end.
#define IDB_RUN_BACK_LEFT 129
#define IDB_RUN_BACK_MIDDLE 130
#define IDB_RUN_BACK_RIGHT 131
#define IDB_RUN_BACK_LEFT_HI 135
#define IDB_RUN_BACK_MIDDLE_HI 136
#define IDB_RUN_BACK_RIGHT_HI 137
// The timer box's close button, and the alarm box's "Next" and "Cancel".
#define IDB_RUN_CLOSE 132
#define IDB_RUN_CLOSE_HI 134
#define IDB_RUN_BUTTON 266
#define IDB_RUN_BUTTON_HI 133

#define IDD_RUN_BOX 285
