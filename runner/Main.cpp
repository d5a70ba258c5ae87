// TallyPadAlarm: started by the notification service to ring a due alarm or
// countdown. Its error log dates carry a two-digit year.
#include <windows.h>

#include "BaseLib/ErrorLog.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    SetLogDatePicture(L"yy.MM.dd ");
    return 0;
}
