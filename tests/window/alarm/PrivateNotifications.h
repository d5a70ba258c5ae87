// A notification database of the test's own: a device folder under the
// temporary folder with a notification service the suite starts and stops,
// and what the database holds, read through the platform's own calls.
#pragma once
#include <windows.h>
#include <notify.h>

#include <string>
#include <vector>

class PrivateNotifications {
public:
    PrivateNotifications();
    ~PrivateNotifications();
    PrivateNotifications(const PrivateNotifications &) = delete;
    PrivateNotifications &operator=(const PrivateNotifications &) = delete;

    struct Pending {
        HANDLE handle;
        std::wstring arguments;
        SYSTEMTIME start;
    };
    static std::vector<Pending> All();
    // The pending rings whose command line names the id.
    static std::vector<Pending> Of(const std::wstring &id);
    static void ClearAll();

private:
    static HANDLE RunService(const wchar_t *arguments);
    std::wstring folder_;
    HANDLE service_; // owned
};
