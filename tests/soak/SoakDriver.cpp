// The alarm soak's driver, run inside a throwaway device by tests/soak/soak.sh.
//
//   SoakDriver setup short|long <seed>   set the clock, create the alarms
//   SoakDriver run                       walk the clock ring by ring; exit 3
//                                        asks the script to reboot the device
//   SoakDriver boot                      the device's boot (after the script
//                                        ended every process of the device)
//   SoakDriver report                    compare the ring log with the schedule
//
// It creates alarms the way the alarm screens do (the alarm store, then the
// next ring registered with the notification database) and countdowns
// through the main program's own timer screen. Then it sets the device's
// clock a few seconds before each expected ring, waits for the runner's log
// line and dismisses the box, while it kills the main program, the runner
// and the notification service and has the device rebooted at random
// moments, moves the clock back and forward by hours and walks through both
// changes of summer time. Everything it needs across a reboot lives in
// C:\soak: state.txt (the walk) and expected.txt (every ring it expects).
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "SoakSchedule.h"
#include "alarm/AlarmList.h"
#include "alarm/ManageNotify.h"
#include "alarm/OleTime.h"
#include "cetime.h"
#include "notify.h"
#include "tests/support/Notifications.h"
#include "timing/CountdownRecord.h"

using namespace soak;

namespace {

const char kStatePath[] = "C:\\soak\\state.txt";
const char kExpectedPath[] = "C:\\soak\\expected.txt";
const wchar_t kLogPath[] = L"C:\\Program Files\\TallyPad\\TallyPadAlarm.log";
const wchar_t kProgramFolder[] = L"C:\\Program Files\\TallyPad\\";
const int kLeadS = 4;    // the clock is set this long before a ring
const int kAllowedS = 2; // a ring later than this after its time is late
const UINT kBarCommand = 5689;
const UINT kNext = 30069, kCancel = 30070, kClose = 30068;
const UINT kOpenScreen = 6457, kTimerStart = 30066;
const int kTimerScreen = 6, kTimerScreenId = 5555;
const int kRebootExit = 3;

// ---- the walk's state, kept in a file across reboots ----

struct Alarm {
    std::string id;    // the store's value name
    std::string label; // the box's caption
    int hour = 0, minute = 0, days = 0;
    LONGLONG last = 0;    // UTC of its last ring (repeating) or its one ring (one-shot)
    LONGLONG oneShot = 0; // UTC of a one-shot's ring, 0 once rung or for a repeating one
};

struct State {
    bool longForm = false;
    unsigned rng = 1;
    LONGLONG end = 0; // UTC where the walk stops
    int step = 0;
    LONGLONG logOffset = 0; // bytes of the ring log already seen
    std::vector<Alarm> alarms;
    std::map<std::string, LONGLONG> snoozes; // id -> UTC of its snooze ring
    std::vector<Expected> atBoot;            // passed while nothing ran
    LONGLONG countdownDue = 0;               // UTC end of a countdown under way
    LONGLONG offset = 0;                     // local minus UTC when last looked, seconds
    std::string countdownId;
    std::map<std::string, int> counts;        // occurrences, kills, reboots, clock changes, ...
    std::map<std::string, std::string> texts; // alarm id -> stored text at creation
};

std::string Narrow(const std::wstring &w) {
    std::string s;
    for (wchar_t c : w)
        s += static_cast<char>(c < 128 ? c : '?');
    return s;
}

std::wstring Wide(const std::string &s) { return std::wstring(s.begin(), s.end()); }

void Save(const State &s) {
    std::ofstream out(kStatePath, std::ios::trunc);
    out << "form " << (s.longForm ? "long" : "short") << "\nrng " << s.rng << "\nend " << s.end << "\nstep " << s.step
        << "\nlog " << s.logOffset << "\noffset " << s.offset << "\ncountdown " << s.countdownDue << " "
        << (s.countdownId.empty() ? "-" : s.countdownId) << "\n";
    for (const Alarm &a : s.alarms)
        out << "alarm " << a.id << " " << a.label << " " << a.hour << " " << a.minute << " " << a.days << " " << a.last
            << " " << a.oneShot << "\n";
    for (const auto &z : s.snoozes)
        out << "snooze " << z.first << " " << z.second << "\n";
    for (const Expected &e : s.atBoot)
        out << "atboot " << e.kind << " " << e.id << " " << e.due << "\n";
    for (const auto &c : s.counts)
        out << "count " << c.first << " " << c.second << "\n";
    for (const auto &t : s.texts)
        out << "text " << t.first << " " << t.second << "\n";
}

State Load() {
    State s;
    std::ifstream in(kStatePath);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream f(line);
        std::string key;
        f >> key;
        if (key == "form") {
            std::string form;
            f >> form;
            s.longForm = form == "long";
        } else if (key == "rng") {
            f >> s.rng;
        } else if (key == "end") {
            f >> s.end;
        } else if (key == "step") {
            f >> s.step;
        } else if (key == "log") {
            f >> s.logOffset;
        } else if (key == "offset") {
            f >> s.offset;
        } else if (key == "countdown") {
            f >> s.countdownDue >> s.countdownId;
            if (s.countdownId == "-")
                s.countdownId.clear();
        } else if (key == "alarm") {
            Alarm a;
            f >> a.id >> a.label >> a.hour >> a.minute >> a.days >> a.last >> a.oneShot;
            s.alarms.push_back(a);
        } else if (key == "snooze") {
            std::string id;
            LONGLONG at = 0;
            f >> id >> at;
            s.snoozes[id] = at;
        } else if (key == "atboot") {
            Expected e;
            f >> e.kind >> e.id >> e.due;
            s.atBoot.push_back(e);
        } else if (key == "count") {
            std::string name;
            int n = 0;
            f >> name >> n;
            s.counts[name] = n;
        } else if (key == "text") {
            std::string id, text;
            f >> id;
            std::getline(f >> std::ws, text);
            s.texts[id] = text;
        }
    }
    return s;
}

void Expect(const Expected &e) {
    std::ofstream out(kExpectedPath, std::ios::app);
    out << e.kind << " " << e.id << " " << e.due << " " << e.from << "\n";
}

std::vector<Expected> ExpectedSoFar() {
    std::vector<Expected> all;
    std::ifstream in(kExpectedPath);
    Expected e;
    while (in >> e.kind >> e.id >> e.due >> e.from)
        all.push_back(e);
    return all;
}

unsigned Random(State &s, unsigned below) {
    s.rng = s.rng * 1103515245u + 12345u;
    return (s.rng >> 8) % below;
}

// ---- the device ----

LONGLONG NowUtc() {
    SYSTEMTIME now;
    GetSystemTime(&now); // the device's clock (cetime.h)
    return Seconds(now);
}

// Counts a change of summer time since the last look, whether the clock ran
// or was set through it.
void NoteOffset(State &s) {
    const LONGLONG now = NowUtc();
    const LONGLONG offset = WallAt(now) - now;
    if (s.offset != 0 && offset > s.offset)
        ++s.counts["dst-to-summer"];
    if (s.offset != 0 && offset < s.offset)
        ++s.counts["dst-to-winter"];
    s.offset = offset;
}

// Sets the device's clock and counts the change.
void SetClock(State &s, LONGLONG utc) {
    NoteOffset(s);
    const LONGLONG before = NowUtc();
    SYSTEMTIME t = FromSeconds(utc);
    SetSystemTime(&t);
    ++s.counts["clock-changes"];
    if (utc < before - 3600)
        ++s.counts["clock-back-hours"];
    else if (utc > before + 3600)
        ++s.counts["clock-forward-hours"];
    NoteOffset(s);
}

std::vector<DWORD> ProcessesNamed(const wchar_t *exe) {
    std::vector<DWORD> ids;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snap, &entry); more; more = Process32NextW(snap, &entry)) {
        if (lstrcmpiW(entry.szExeFile, exe) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snap);
    return ids;
}

// Ends every process of that program; true when there was one.
bool Kill(const wchar_t *exe) {
    bool any = false;
    for (DWORD id : ProcessesNamed(exe)) {
        if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            any = TerminateProcess(p, 9) || any;
            WaitForSingleObject(p, 5000);
            CloseHandle(p);
        }
    }
    return any;
}

bool WaitGone(const wchar_t *exe, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 100) {
        if (ProcessesNamed(exe).empty())
            return true;
        Sleep(100);
    }
    return ProcessesNamed(exe).empty();
}

// Presses a button of a runner's box: the post is woken by a sent message.
void Press(HWND box, UINT button) {
    PostMessageW(box, kBarCommand, 0, button);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
}

HWND RunnerBox(const std::string &caption) { return FindWindowW(L"#32770", Wide(caption).c_str()); }

bool StartProgram(const wchar_t *name, const wchar_t *folder) {
    std::wstring path = std::wstring(folder) + name;
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, L"C:\\", &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

// New lines of the ring log since the last look.
std::vector<Logged> NewRings(State &s) {
    HANDLE file =
        CreateFileW(kLogPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    LARGE_INTEGER at;
    at.QuadPart = s.logOffset;
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    const size_t whole = text.rfind('\n');
    if (whole == std::string::npos)
        return {};
    text.resize(whole + 1);
    s.logOffset += static_cast<LONGLONG>(text.size());
    return ParseLog(text);
}

// Waits until every identifier has logged a ring; the lines it saw.
std::vector<Logged> WaitForRings(State &s, std::vector<std::string> ids, DWORD ms) {
    std::vector<Logged> seen;
    for (DWORD waited = 0; !ids.empty() && waited < ms; waited += 100) {
        Sleep(100);
        for (const Logged &l : NewRings(s)) {
            seen.push_back(l);
            for (size_t i = 0; i < ids.size(); ++i) {
                if (ids[i] == l.id) {
                    ids.erase(ids.begin() + i);
                    break;
                }
            }
        }
    }
    return seen;
}

// ---- creating what rings ----

// As the alarm screens do: the record stored, then its next ring registered.
Alarm CreateAlarm(State &s, const std::string &label, int hour, int minute, int days) {
    AlarmTemp record;
    record.MakeNew();
    record.id = NewAlarmId();
    record.label = Wide(label).c_str();
    record.repeat_days = static_cast<BYTE>(days);
    record.volume = 0; // silent: the soak counts rings, it does not listen
    SYSTEMTIME t;
    GetLocalTime(&t);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = 0;
    t.wMilliseconds = 0;
    OleTime::FromSystemTime(t, &record.time);
    AlarmList list;
    list.SaveAlarm(list.AppendAlarm(record));
    const double ring = days ? CManageNotify::NextRepeat(record) : CManageNotify::NextOneShot(record.time);
    CManageNotify().RegisterAlarmNotification(record.id, ring);

    Alarm a;
    a.id = Narrow(record.id.Text());
    a.label = label;
    a.hour = hour;
    a.minute = minute;
    a.days = days;
    a.last = NowUtc();
    if (!days) {
        SYSTEMTIME r;
        OleTime::ToSystemTime(ring, &r);
        a.oneShot = FirstReaching(Seconds(r));
    }
    s.texts[a.id] = Narrow(EncodeAlarm(record).Text());
    s.alarms.push_back(a);
    ++s.counts["alarms-created"];
    return a;
}

// A one-shot alarm some hours ahead, as a user adds one during the walk.
void AddOneShot(State &s) {
    const LONGLONG wall = WallAt(NowUtc()) + 3600 * (1 + Random(s, 20));
    const SYSTEMTIME t = FromSeconds(wall);
    CreateAlarm(s, "once" + std::to_string(s.counts["alarms-created"]), t.wHour, t.wMinute, 0);
}

// Whether a countdown's runner is registered.
bool TimerNotified() {
    for (const testsupport::PendingNotification &p : testsupport::PendingNotifications())
        if (p.arguments.find(L"sort=1") != std::wstring::npos)
            return true;
    return false;
}

HWND MainFrame(DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 100) {
        if (HWND frame = FindWindowW(L"VelmoraTallyPad", L"TallyPad"))
            return frame;
        Sleep(100);
    }
    return nullptr;
}

// A one-minute countdown started on the main program's timer screen (its
// first duration), begun 18 s into a minute so that its runner is started
// some 40 s later. The main program is then killed: the runner must ring.
bool StartCountdown(State &s) {
    const LONGLONG now = NowUtc();
    SetClock(s, now - now % 60 + 60 + 18 - 3);
    HWND frame = FindWindowW(L"VelmoraTallyPad", L"TallyPad");
    if (!frame) {
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        std::wstring path = std::wstring(kProgramFolder) + L"VelmoraTallyPad.exe";
        std::wstring commandLine = L"\"" + path + L"\"";
        if (CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, L"C:\\", &si, &pi)) {
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
        frame = MainFrame(20000);
    }
    if (!frame)
        return false;
    PostMessageW(frame, kOpenScreen, kTimerScreen, 0);
    HWND timer = nullptr;
    for (int i = 0; i < 100 && !(timer && IsWindowVisible(timer)); ++i) {
        Sleep(100);
        timer = GetDlgItem(frame, kTimerScreenId);
    }
    if (!timer)
        return false;
    while (FromSeconds(WallAt(NowUtc())).wSecond < 18)
        Sleep(100);
    // The runner leaves the record of a countdown it rang: the new one is
    // the one with another start.
    CountdownRecord record;
    ReadCountdownRecord(&record);
    const DWORD previousStart = record.start;
    PostMessageW(timer, kBarCommand, 0, kTimerStart);
    for (int i = 0; i < 50 && !(ReadCountdownRecord(&record) && record.Live() && record.start != previousStart); ++i)
        Sleep(100);
    if (!record.Live() || record.start == previousStart)
        return false;
    // Its notification is registered 300 ms after the start.
    const DWORD asked = GetTickCount();
    while (!TimerNotified() && GetTickCount() - asked < 20000)
        Sleep(100);
    s.countdownDue = Seconds(record.startUtc) + record.set / 1000;
    s.countdownId = Narrow(std::wstring(record.path.Text()) + L"\\" + record.sound.Text());
    Kill(L"VelmoraTallyPad.exe");
    ++s.counts["kill-main"];
    ++s.counts["countdowns"];
    return true;
}

// Waits for the countdown under way to ring and closes its box.
void FinishCountdown(State &s) {
    Expected e{"timer", s.countdownId, WallAt(s.countdownDue), WallAt(s.countdownDue)};
    Expect(e);
    ++s.counts["occurrences"];
    const LONGLONG wait = s.countdownDue - NowUtc() + 30;
    WaitForRings(s, {s.countdownId}, static_cast<DWORD>(wait > 0 ? wait : 30) * 1000);
    if (HWND box = RunnerBox("TallyPadAlarm"))
        Press(box, kClose);
    if (!WaitGone(L"TallyPadAlarm.exe", 5000))
        Kill(L"TallyPadAlarm.exe");
    s.countdownDue = 0;
    s.countdownId.clear();
}

// ---- the walk ----

struct Due {
    LONGLONG utc = 0;
    std::vector<std::string> ids;
};

// The earliest ring the schedule holds, and every alarm due then.
Due NextDue(const State &s) {
    Due next;
    auto consider = [&next](LONGLONG utc, const std::string &id) {
        if (utc == 0)
            return;
        if (next.utc == 0 || utc < next.utc) {
            next.utc = utc;
            next.ids.clear();
        }
        if (utc == next.utc)
            next.ids.push_back(id);
    };
    for (const Alarm &a : s.alarms)
        consider(a.days ? NextRing(a.hour, a.minute, a.days, a.last) : a.oneShot, a.id);
    for (const auto &z : s.snoozes)
        consider(z.second, z.first);
    return next;
}

const Alarm *Find(const State &s, const std::string &id) {
    for (const Alarm &a : s.alarms) {
        if (a.id == id)
            return &a;
    }
    return nullptr;
}

// The schedule moves on past a ring at utc.
void Rang(State &s, const std::string &id, LONGLONG utc) {
    if (s.snoozes.count(id) && s.snoozes[id] == utc) {
        s.snoozes.erase(id);
        return;
    }
    for (Alarm &a : s.alarms) {
        if (a.id == id) {
            a.last = utc;
            a.oneShot = 0;
        }
    }
}

// What the driver does to one ringing box: mostly Cancel, sometimes Next,
// sometimes the runner is killed while it rings.
void Dismiss(State &s, const Alarm &a, int action) {
    HWND box = nullptr;
    for (int i = 0; i < 50 && !(box = RunnerBox(a.label)); ++i)
        Sleep(100);
    if (action == 1 && box) {
        // Next at a second that leaves the runner the same minute as ours.
        while (FromSeconds(WallAt(NowUtc())).wSecond >= 57)
            Sleep(200);
        const LONGLONG wallNow = WallAt(NowUtc());
        Press(box, kNext);
        s.snoozes[a.id] = FirstReaching((wallNow + 300) / 60 * 60);
        ++s.counts["snoozes"];
    } else if (action == 2) {
        Sleep(Random(s, 1500));
        // The box belongs to one runner; end them all, as only this one rings.
        Kill(L"TallyPadAlarm.exe");
        ++s.counts["kill-runner"];
    } else if (box) {
        Press(box, kCancel);
    }
}

// Plans of the short form, by step: what happens before the ring.
enum Event {
    kNothing,
    kKillMain,
    kKillService,
    kKillRunner,
    kReboot,
    kBack,
    kLateArrival,
    kSnooze,
    kCountdown,
    kAddOneShot
};

// Sat 22:00 snoozed, its snooze at 22:05, a countdown over a reboot, 23:30,
// Sun 03:00 (02:30 in the skipped hour), 04:10 at the boot after the service
// died, 07:00 then the clock put back, 10:45 reached late, 12:00, Mon 07:00
// twice.
Event ShortFormEvent(int step) {
    static const Event plan[] = {kSnooze,      kKillMain, kCountdown,   kNothing, kKillRunner,
                                 kKillService, kBack,     kLateArrival, kNothing, kNothing};
    return step < static_cast<int>(sizeof plan / sizeof plan[0]) ? plan[step] : kNothing;
}

Event LongFormEvent(State &s) {
    const unsigned r = Random(s, 100);
    if (r < 4)
        return kKillMain;
    if (r < 8)
        return kKillService;
    if (r < 14)
        return kKillRunner;
    if (r < 18)
        return kReboot;
    if (r < 23)
        return kBack;
    if (r < 28)
        return kLateArrival;
    if (r < 33)
        return kSnooze;
    if (r < 35)
        return kCountdown;
    if (r < 40)
        return kAddOneShot;
    return kNothing;
}

// The hour repeated in autumn: after a ring in it, the same wall time comes
// again an hour later and must not ring again (a ring would be counted as
// doubled).
void CheckRepeatedHour(State &s, LONGLONG rang) {
    if (WallAt(rang + 3600) != WallAt(rang))
        return;
    SetClock(s, rang + 3600 - kLeadS);
    Sleep((kLeadS + 4) * 1000);
    ++s.counts["repeated-hour-checks"];
}

// One ring of the schedule: 1 to go on, 0 when the walk is over,
// kRebootExit when the device is to reboot.
int Step(State &s) {
    NoteOffset(s);
    Event event = s.longForm ? LongFormEvent(s) : ShortFormEvent(s.step);
    ++s.step;
    if (event == kAddOneShot) {
        AddOneShot(s);
        event = kNothing;
    }
    if (event == kCountdown) {
        const Due next = NextDue(s);
        if (next.utc == 0 || next.utc > NowUtc() + 240 || next.utc <= NowUtc()) {
            if (StartCountdown(s)) {
                if (!s.longForm) {
                    ++s.counts["reboots"];
                    return kRebootExit; // the device reboots while the countdown runs
                }
                FinishCountdown(s);
            }
        }
        event = kNothing;
    }
    if (event == kKillMain) {
        if (Kill(L"VelmoraTallyPad.exe"))
            ++s.counts["kill-main"];
        event = kNothing;
    }
    if (event == kReboot) {
        ++s.counts["reboots"];
        return kRebootExit;
    }

    const Due next = NextDue(s);
    if (next.utc == 0 || next.utc > s.end)
        return 0;
    LONGLONG arrive = next.utc - kLeadS;
    if (event == kLateArrival) {
        arrive = next.utc + 60 * (1 + Random(s, 20)) + Random(s, 50);
        ++s.counts["clock-jumped-past-ring"];
    }
    // Everything due by the arrival rings then.
    Due due = next;
    for (;;) {
        State probe = s;
        for (const std::string &id : due.ids)
            Rang(probe, id, due.utc);
        Due more = NextDue(probe);
        if (more.utc == 0 || more.utc > arrive)
            break;
        s = probe;
        for (const std::string &id : due.ids) { // the alarms the clock jumped over
            Expect({"alarm", id, WallAt(due.utc), WallAt(arrive)});
            ++s.counts["occurrences"];
        }
        due = more;
    }
    if (event == kKillService && Kill(L"NotificationService.exe")) {
        ++s.counts["kill-service"];
        // Nothing runs to ring: the rings come at the next boot.
        SetClock(s, arrive);
        Sleep((kLeadS + 6) * 1000);
        for (const std::string &id : due.ids) {
            s.atBoot.push_back({"alarm", id, WallAt(due.utc), 0});
            Rang(s, id, due.utc);
        }
        ++s.counts["reboots"];
        return kRebootExit;
    }
    SetClock(s, arrive);
    const LONGLONG from = arrive > due.utc ? arrive : due.utc;
    for (const std::string &id : due.ids) {
        Expect({"alarm", id, WallAt(due.utc), WallAt(from)});
        ++s.counts["occurrences"];
    }
    const std::vector<Logged> rings = WaitForRings(s, due.ids, 45000);
    int action = event == kSnooze ? 1 : event == kKillRunner ? 2 : 0;
    for (const std::string &id : due.ids) {
        Rang(s, id, due.utc);
        const Alarm *a = Find(s, id);
        for (const Logged &l : rings) {
            if (l.id == id && a) {
                Dismiss(s, *a, action);
                action = 0;
            }
        }
    }
    if (!WaitGone(L"TallyPadAlarm.exe", 8000))
        Kill(L"TallyPadAlarm.exe");
    CheckRepeatedHour(s, due.utc);
    if (event == kBack) {
        SetClock(s, NowUtc() - 3600 * (1 + Random(s, 4)));
        Sleep(3000);
    }
    return 1;
}

int Setup(bool longForm, unsigned seed) {
    CreateDirectoryW(L"C:\\soak", nullptr);
    // A device that ran other tests before: none of their alarms or countdowns.
    RegDeleteTreeW(HKEY_CURRENT_USER, kAlarmStoreKey);
    RegDeleteTreeW(HKEY_CURRENT_USER, kCountdownKey);
    RegDeleteTreeW(HKEY_CURRENT_USER, kRunnerMarkerKey);
    DeleteFileA(kStatePath);
    DeleteFileA(kExpectedPath);
    State s;
    s.longForm = longForm;
    s.rng = seed;
    // Short: a Saturday evening before the change to summer time, to Monday
    // morning. Long: a Friday before the change to winter time, through the
    // winter, past the change to summer time.
    SYSTEMTIME start = {};
    start.wYear = longForm ? 2025 : 2026;
    start.wMonth = longForm ? 10 : 3;
    start.wDay = longForm ? 24 : 28;
    start.wHour = 20;
    const LONGLONG startUtc = FirstReaching(Seconds(start));
    SetClock(s, startUtc);
    s.counts["clock-changes"] = 0;
    SYSTEMTIME stop = {};
    stop.wYear = 2026;
    stop.wMonth = longForm ? 4 : 3;
    stop.wDay = longForm ? 1 : 30;
    stop.wHour = 8;
    s.end = FirstReaching(Seconds(stop));
    // The log of earlier runs is not this soak's.
    DeleteFileW(kLogPath);
    CreateAlarm(s, "daily", 7, 0, 127);
    CreateAlarm(s, "weekdays", 7, 0, 62);     // with "daily" in the same minute
    CreateAlarm(s, "sunday-night", 2, 30, 1); // inside both hours that summer time changes
    CreateAlarm(s, "saturday", 9, 15, 64);
    CreateAlarm(s, "once-evening", 22, 0, 0);
    CreateAlarm(s, "once-late", 23, 30, 0);
    if (!longForm) {
        CreateAlarm(s, "sunday-noon", 12, 0, 1);
        CreateAlarm(s, "once-night", 4, 10, 0);
        CreateAlarm(s, "once-morning", 10, 45, 0);
    }
    Save(s);
    return 0;
}

int Run() {
    State s = Load();
    // A countdown that ran over a reboot.
    if (s.countdownDue)
        FinishCountdown(s);
    for (;;) {
        const int result = Step(s);
        Save(s);
        if (result != 1)
            return result;
    }
}

std::string NotifyLogPath() {
    char path[MAX_PATH];
    ExpandEnvironmentStringsA("%LOCALAPPDATA%\\TallyPadDevice\\notify.log", path, MAX_PATH);
    return path;
}

std::string FileText(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The device is up once its notification service is: the wall time of the
// service's first "up" line after `from` bytes of its log, 0 when none came.
LONGLONG ServiceUp(size_t from, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 100) {
        const std::string log = FileText(NotifyLogPath());
        for (size_t at = log.find(" up ", from); at != std::string::npos; at = log.find(" up ", at + 1)) {
            const size_t line = log.rfind('\n', at);
            const size_t begin = line == std::string::npos ? 0 : line + 1;
            if (begin >= from && at - begin < 40)
                return ParseWall(log.substr(begin, 19));
        }
        Sleep(100);
    }
    return 0;
}

// Rings whose time passed while nothing ran are due when the booted device's
// service is up.
int Boot() {
    State s = Load();
    const LONGLONG bootWall = WallAt(NowUtc());
    const size_t logged = FileText(NotifyLogPath()).size();
    StartProgram(L"DeviceBoot.exe", L"C:\\Windows\\");
    const LONGLONG up = ServiceUp(logged, 20000);
    std::vector<std::string> ids;
    LONGLONG dueWall = 0;
    for (Expected e : s.atBoot) {
        dueWall = e.due;
        const LONGLONG ready = up ? up : bootWall;
        e.from = ready > e.due ? ready : e.due;
        Expect(e);
        ids.push_back(e.id);
        ++s.counts["occurrences"];
        ++s.counts["rang-at-boot"];
    }
    s.atBoot.clear();
    Save(s);
    if (!ids.empty()) {
        WaitForRings(s, ids, 45000);
        Sleep(500);
        Kill(L"TallyPadAlarm.exe");
        ++s.counts["kill-runner"];
        CheckRepeatedHour(s, FirstReaching(dueWall));
    }
    Save(s);
    return 0;
}

// The alarm records as created: each still stored, its text the same except
// that a one-shot alarm that rang is stored switched off.
int CheckRecords(const State &s) {
    int damaged = 0;
    AlarmList list;
    list.ReloadAlarms();
    for (const auto &t : s.texts) {
        AlarmTemp stored;
        if (!LoadAlarm(Wide(t.first).c_str(), &stored)) {
            printf("record %s: missing\n", t.first.c_str());
            ++damaged;
            continue;
        }
        const Alarm *a = Find(s, t.first);
        AlarmTemp created;
        DecodeAlarm(created, Wide(t.second).c_str());
        if (a && !a->days && a->oneShot == 0)
            created.enabled = 0;
        const std::string now = Narrow(EncodeAlarm(stored).Text());
        const std::string then = Narrow(EncodeAlarm(created).Text());
        if (now != then) {
            printf("record %s: stored %s, expected %s\n", t.first.c_str(), now.c_str(), then.c_str());
            ++damaged;
        }
    }
    if (list.AlarmCount() != static_cast<int>(s.texts.size())) {
        printf("store holds %d records, %d were created\n", list.AlarmCount(), static_cast<int>(s.texts.size()));
        ++damaged;
    }
    return damaged;
}

int Report() {
    State s = Load();
    const Tally t = Compare(ExpectedSoFar(), ParseLog(FileText(Narrow(kLogPath))), kAllowedS);
    const int damaged = CheckRecords(s);
    for (const std::string &f : t.faults)
        printf("%s\n", f.c_str());
    printf("soak %s: %d occurrences expected, %d rang, lost %d, doubled %d, late %d, worst lateness %lld s; "
           "records damaged %d\n",
           s.longForm ? "long" : "short", t.expected, t.rung, t.lost, t.doubled, t.late, t.worst, damaged);
    for (const auto &c : s.counts)
        printf("  %s %d\n", c.first.c_str(), c.second);
    return t.lost || t.doubled || t.late || damaged || t.expected == 0 ? 1 : 0;
}

} // namespace

int wmain(int argc, wchar_t **argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"setup" && argc > 3)
        return Setup(std::wstring(argv[2]) == L"long", static_cast<unsigned>(_wtoi(argv[3])));
    if (command == L"run")
        return Run();
    if (command == L"boot")
        return Boot();
    if (command == L"report")
        return Report();

    fprintf(stderr, "usage: SoakDriver setup short|long <seed> | run | boot | report\n");
    return 2;
}
