// User notifications of the handheld (coredll.dll): a time notification
// starts an application with its arguments at its start time.
//
// The notifications live in a database in the device folder that every
// process of the device shares and that survives restarts of the programs,
// the service and the device. The notification service
// (NotificationService.exe) starts each due application and removes its
// notification; it runs while time notifications wait. A call that changes
// the database starts the service when it is not running (from beside
// coredll.dll, else from C:\Windows) and waits until it is up.
#pragma once
#include <windows.h>
#include "ceapi.h"

// CE_NOTIFICATION_TRIGGER::dwType. Only time notifications start their
// application; the others are stored and read back as given.
#define CNT_EVENT 1
#define CNT_TIME 2
#define CNT_PERIOD 3
#define CNT_CLASSICTIME 4

typedef struct UserNotificationTrigger {
    DWORD dwSize;           // sizeof(CE_NOTIFICATION_TRIGGER) of this definition
    DWORD dwType;           // CNT_*
    DWORD dwEvent;          // 0 for time notifications
    WCHAR *lpszApplication; // program to start
    WCHAR *lpszArguments;   // its command line without the program name
    SYSTEMTIME stStartTime; // local time
    SYSTEMTIME stEndTime;   // local time
} CE_NOTIFICATION_TRIGGER, *PCE_NOTIFICATION_TRIGGER;

typedef struct UserNotificationType {
    DWORD ActionFlags;
    WCHAR *pwszDialogTitle;
    WCHAR *pwszDialogText;
    WCHAR *pwszSound;
    DWORD nMaxSound;
    DWORD dwReserved;
} CE_USER_NOTIFICATION, *PCE_USER_NOTIFICATION;

// Start of the block CeGetUserNotification fills: the trigger, the user
// notification and every string follow in the same block, and the pointers
// point into it. pceun is NULL when the notification was set without one.
typedef struct UserNotificationInfoHeader {
    HANDLE hNotification;
    DWORD dwStatus;
    CE_NOTIFICATION_TRIGGER *pcent;
    CE_USER_NOTIFICATION *pceun;
} CE_NOTIFICATION_INFO_HEADER, *PCE_NOTIFICATION_INFO_HEADER;

// Longest texts the notification database accepts, in characters without
// the terminator. A registration holding a longer one fails with
// ERROR_INVALID_PARAMETER and stores nothing: texts are never cut.
#define CE_NOTIFICATION_MAX_APPLICATION (MAX_PATH - 1) // lpszApplication
#define CE_NOTIFICATION_MAX_ARGUMENTS 1024             // lpszArguments
#define CE_NOTIFICATION_MAX_DIALOG_TEXT 1024           // pwszDialogTitle, pwszDialogText
#define CE_NOTIFICATION_MAX_SOUND (MAX_PATH - 1)       // pwszSound

// hNotification 0 creates a notification, otherwise replaces that one's
// trigger and user notification; pceun may be NULL (none). The trigger's
// dwSize is sizeof(CE_NOTIFICATION_TRIGGER) or the handheld's 52. A time
// notification needs an application and a valid start time; an all-zero
// end time means it never expires. Returns the handle, or 0 with the
// last error set. Handles are never handed out twice while in use, and
// a cleared or fired notification's handle is not given to a new one.
COREDLL_API HANDLE WINAPI CeSetUserNotificationEx(HANDLE hNotification, CE_NOTIFICATION_TRIGGER *pcnt,
                                                  CE_USER_NOTIFICATION *pceun);
COREDLL_API BOOL WINAPI CeClearUserNotification(HANDLE hNotification);
// A NULL buffer only reports the count in *pcHandlesNeeded. A buffer too
// small for every handle is filled as far as it goes and the call fails
// with ERROR_INSUFFICIENT_BUFFER; handles come in the order of creation.
COREDLL_API BOOL WINAPI CeGetUserNotificationHandles(HANDLE *rghNotifications, DWORD cHandles, LPDWORD pcHandlesNeeded);
// cBufferSize 0 only reports the size in *pcBytesNeeded (and succeeds); a
// smaller buffer than needed fails with ERROR_INSUFFICIENT_BUFFER.
COREDLL_API BOOL WINAPI CeGetUserNotification(HANDLE hNotification, DWORD cBufferSize, LPDWORD pcBytesNeeded,
                                              LPBYTE pBuffer);
