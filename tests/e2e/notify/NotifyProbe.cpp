// A program for notifications to start: appends the moment it began and the
// command line it sees to probe.log in the device folder, as
// "YYYY-MM-DD HH:MM:SS.mmm <tick>\t<command line>\r\n".
#include <windows.h>

#include "DeviceState.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR cmdLine, int) {
    std::string stamp = device::Stamp(); // first, so the line tells when the program began
    device::StateLock lock;
    return device::AppendText(L"probe.log", stamp + "\t" + device::ToUtf8(cmdLine) + "\r\n") ? 0 : 1;
}
