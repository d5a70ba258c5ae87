// One of several processes changing the notification database at once:
//   NotifyWorker <worker> <count> <start event name>
// waits for the start event, then registers <count> notifications with the
// arguments "worker=<worker> item=<i>" and clears every even item once the
// next one is registered. The exit code is the number of calls that failed.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "notify.h"

int wmain(int argc, wchar_t **argv) {
    if (argc != 4)
        return 100;
    const int worker = _wtoi(argv[1]), count = _wtoi(argv[2]);
    HANDLE start = OpenEventW(SYNCHRONIZE, FALSE, argv[3]);
    if (!start || WaitForSingleObject(start, 30000) != WAIT_OBJECT_0)
        return 101;

    SYSTEMTIME begin = {2099, 12, 0, 24, 18, 0, 0, 0}, end = {2099, 12, 0, 25, 18, 0, 0, 0};
    wchar_t app[] = L"C:\\Windows\\NoSuchProgram.exe";
    int failed = 0;
    HANDLE previous = nullptr;
    for (int i = 0; i < count; ++i) {
        std::wstring args = L"worker=" + std::to_wstring(worker) + L" item=" + std::to_wstring(i);
        CE_NOTIFICATION_TRIGGER trigger = {sizeof trigger, CNT_TIME, 0, app, &args[0], begin, end};
        HANDLE h = CeSetUserNotificationEx(nullptr, &trigger, nullptr);
        failed += h == nullptr;
        if (previous && !CeClearUserNotification(previous))
            ++failed;
        previous = i % 2 == 0 ? h : nullptr;
    }
    if (previous && !CeClearUserNotification(previous))
        ++failed;
    return failed;
}
