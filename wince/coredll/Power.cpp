// Simulated system power state, shared by every process of the device.
//
// The state lives in power.state in the device folder, one UTF-8 line
// "0x<flags, 8 hex digits> <name>"; a missing or unreadable file means "on".
// Every SetSystemPowerState appends
// "YYYY-MM-DD HH:MM:SS.mmm <tick> SetSystemPowerState <name or -> 0x<flags>\r\n"
// to power.log beside it. SystemIdleTimerReset only counts, in the REG_DWORD
// HKCU\Software\TallyPadDevice\IdleTimerResets: it runs on every tick of a
// visible running clock, so it must not touch a file.
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <type_traits>

#include "DeviceState.h"
#include "pm.h"

namespace {

constexpr size_t kMaxStateName = 63;

struct PowerState {
    DWORD flags;
    std::wstring name;
};

const PowerState kDefaultState = {POWER_STATE_ON, L"on"};

// Name of a state set by flags alone.
const wchar_t *NameForFlags(DWORD flags) {
    if (flags & POWER_STATE_ON)
        return L"on";
    if (flags & POWER_STATE_IDLE)
        return L"idle";
    return L"";
}

// Names end up in one-line texts, so they may hold no line breaks or other
// control characters.
bool IsValidName(const wchar_t *name) {
    size_t length = wcsnlen(name, kMaxStateName + 1);
    if (length > kMaxStateName)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (name[i] < L' ')
            return false;
    }
    return true;
}

// Caller holds device::StateLock.
PowerState LoadState() {
    std::string text;
    if (!device::ReadText(L"power.state", text) || text.compare(0, 2, "0x") != 0)
        return kDefaultState;
    char *end = nullptr;
    DWORD flags = strtoul(text.c_str() + 2, &end, 16);
    if (end == text.c_str() + 2 || *end != ' ')
        return kDefaultState;
    std::string name(end + 1);
    name.erase(name.find_last_not_of("\r\n") + 1);
    return {flags, device::FromUtf8(name)};
}

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer<HKEY>::type, KeyCloser>;

DWORD LastErrorOr(DWORD fallback) {
    DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

} // namespace

COREDLL_API DWORD WINAPI GetSystemPowerState(LPWSTR pBuffer, DWORD Length, PDWORD pFlags) {
    PowerState state;
    {
        device::StateLock lock;
        state = LoadState();
    }
    if (pFlags)
        *pFlags = state.flags;
    if (pBuffer) {
        if (Length <= state.name.size())
            return ERROR_INSUFFICIENT_BUFFER;
        wmemcpy(pBuffer, state.name.c_str(), state.name.size() + 1);
    }
    return ERROR_SUCCESS;
}

COREDLL_API DWORD WINAPI SetSystemPowerState(LPCWSTR psState, DWORD StateFlags, DWORD /*Options*/) {
    if (psState && !*psState)
        psState = nullptr; // an empty name is no name: the state is named after its flags
    if (psState && !IsValidName(psState))
        return ERROR_INVALID_PARAMETER;
    const PowerState state = {StateFlags, psState ? psState : NameForFlags(StateFlags)};

    char flags[16];
    snprintf(flags, sizeof flags, "0x%08lX", StateFlags);
    const std::string name = device::ToUtf8(state.name);

    device::StateLock lock;
    if (!device::WriteText(L"power.state", std::string(flags) + ' ' + name + "\r\n"))
        return LastErrorOr(ERROR_WRITE_FAULT);
    std::string line = device::Stamp() + " SetSystemPowerState " + (psState ? name : "-") + ' ' + flags + "\r\n";
    if (!device::AppendText(L"power.log", line))
        return LastErrorOr(ERROR_WRITE_FAULT);
    return ERROR_SUCCESS;
}

COREDLL_API void WINAPI SystemIdleTimerReset(void) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\TallyPadDevice", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    UniqueKey owner(key);
    // Taking turns keeps the count exact when several processes reset.
    device::StateLock lock;
    DWORD count = 0, type = 0, size = sizeof count;
    if (RegQueryValueExW(key, L"IdleTimerResets", nullptr, &type, reinterpret_cast<BYTE *>(&count), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof count)
        count = 0;
    ++count;
    RegSetValueExW(key, L"IdleTimerResets", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&count), sizeof count);
}
