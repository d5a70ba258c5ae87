// User notifications of the handheld (coredll.dll): a time notification
// starts an application with its arguments at its start time.
#pragma once
#include <windows.h>
#include "ceapi.h"

// CE_NOTIFICATION_TRIGGER::dwType
#define CNT_EVENT 1
#define CNT_TIME 2
#define CNT_PERIOD 3
#define CNT_CLASSICTIME 4

typedef struct UserNotificationTrigger {
    DWORD dwSize; // sizeof(CE_NOTIFICATION_TRIGGER) of this definition
    DWORD dwType; // CNT_*
    DWORD dwEvent; // 0 for time notifications
    WCHAR *lpszApplication; // program to start
    WCHAR *lpszArguments; // its command line without the program name
    SYSTEMTIME stStartTime; // local time
    SYSTEMTIME stEndTime; // local time
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

// hNotification 0 creates a notification, otherwise replaces that one;
// pceun may be NULL.
COREDLL_API HANDLE WINAPI CeSetUserNotificationEx(HANDLE hNotification, CE_NOTIFICATION_TRIGGER *pcnt,
                                                  CE_USER_NOTIFICATION *pceun);
COREDLL_API BOOL WINAPI CeClearUserNotification(HANDLE hNotification);
// A NULL buffer only reports the count in *pcHandlesNeeded.
COREDLL_API BOOL WINAPI CeGetUserNotificationHandles(HANDLE *rghNotifications, DWORD cHandles,
                                                     LPDWORD pcHandlesNeeded);
// cBufferSize 0 only reports the size in *pcBytesNeeded.
COREDLL_API BOOL WINAPI CeGetUserNotification(HANDLE hNotification, DWORD cBufferSize, LPDWORD pcBytesNeeded,
                                              LPBYTE pBuffer);
