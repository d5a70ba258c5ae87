// The notifications the database holds, read through the platform's own
// calls as any other reader would.
#pragma once
#include <windows.h>
#include <notify.h>

#include <string>
#include <vector>

namespace testsupport {

struct PendingNotification {
    HANDLE handle;
    CE_NOTIFICATION_TRIGGER trigger; // its text pointers cleared: use the copies below
    std::wstring application, arguments; // empty when the trigger has none
    bool userNotification;
};

inline std::vector<PendingNotification> PendingNotifications() {
    std::vector<PendingNotification> pending;
    DWORD count = 0;
    CeGetUserNotificationHandles(nullptr, 0, &count);
    std::vector<HANDLE> handles(count);
    if (count == 0 || !CeGetUserNotificationHandles(handles.data(), count, &count))
        return pending;
    for (HANDLE handle : handles) {
        DWORD size = 0;
        CeGetUserNotification(handle, 0, &size, nullptr);
        std::vector<BYTE> block(size);
        if (size == 0 || !CeGetUserNotification(handle, size, &size, block.data()))
            continue;
        const auto *header = reinterpret_cast<const CE_NOTIFICATION_INFO_HEADER *>(block.data());
        if (!header->pcent)
            continue;
        PendingNotification p = {handle, *header->pcent, L"", L"", header->pceun != nullptr};
        if (header->pcent->lpszApplication)
            p.application = header->pcent->lpszApplication;
        if (header->pcent->lpszArguments)
            p.arguments = header->pcent->lpszArguments;
        p.trigger.lpszApplication = p.trigger.lpszArguments = nullptr;
        pending.push_back(p);
    }
    return pending;
}

} // namespace testsupport
