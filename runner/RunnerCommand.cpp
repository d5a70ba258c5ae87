#include "runner/RunnerCommand.h"

#include <cwchar>
#include <string>

namespace {

std::wstring Trim(const std::wstring &text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return std::wstring();
    const size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

// The text after the first occurrence of key (and skip more characters);
// the whole text when key is missing.
std::wstring After(const std::wstring &text, const wchar_t *key, size_t skip) {
    const size_t at = text.find(key);
    if (at == std::wstring::npos)
        return text;
    const size_t from = at + wcslen(key) + skip;
    return from < text.size() ? text.substr(from) : std::wstring();
}

} // namespace

RunnerCommand ParseRunnerCommand(const wchar_t *commandLine) {
    RunnerCommand command;
    std::wstring text = After(Trim(commandLine ? commandLine : L""), L"sort=", 0);

    text = Trim(text);
    const size_t space = text.find(L' ');
    if (space != std::wstring::npos) {
        command.kind = _wtoi(text.substr(0, space).c_str());
        text = text.substr(space);
    }

    text = Trim(text);
    // Without "adx=" nothing names the alarm: the identifier is empty, never
    // a piece of some other text.
    if (text.find(L"adx=") == std::wstring::npos)
        return command;
    text = After(text, L"adx=", 1);
    const size_t quote = text.find(L'"');
    if (quote != std::wstring::npos)
        command.identifier = text.substr(0, quote).c_str();
    return command;
}

SYSTEMTIME SnoozeTime(const SYSTEMTIME &now) {
    // Through FILETIME: adding to it carries across days, months and years.
    FILETIME file;
    SYSTEMTIME later = now;
    if (!SystemTimeToFileTime(&now, &file))
        return later;
    ULARGE_INTEGER value;
    value.LowPart = file.dwLowDateTime;
    value.HighPart = file.dwHighDateTime;
    value.QuadPart += 300ULL * 10000000ULL;
    file.dwLowDateTime = value.LowPart;
    file.dwHighDateTime = value.HighPart;
    FileTimeToSystemTime(&file, &later);
    return later;
}
