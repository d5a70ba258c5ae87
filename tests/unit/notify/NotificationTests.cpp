// User notification functions of coredll.dll over the device's notification
// database, the database file itself, and the service's planning.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <thread>

#include "NotifyTestSupport.h"
#include "Schedule.h"

using namespace notifytest;

namespace {

// Far enough ahead that the service (started by the first change) never
// starts anything during these tests.
const SYSTEMTIME kStart = Date(2099, 7, 1, 7, 30);
const SYSTEMTIME kEnd = Date(2099, 7, 2, 7, 30);
const wchar_t kApp[] = L"\\Program Files\\TallyPad\\TallyPadAlarm.exe";

HANDLE Create(const std::wstring &args, CE_USER_NOTIFICATION *user = nullptr) {
    TimeTrigger t(kApp, args, kStart, kEnd);
    return CeSetUserNotificationEx(nullptr, t.Get(), user);
}

std::wstring Text(const WCHAR *p) { return p ? std::wstring(p) : std::wstring(L"<null>"); }

class NotificationTest : public ::testing::Test {
protected:
    TestDevice device;
};

} // namespace

TEST_F(NotificationTest, CreatedNotificationReadsBackInOneSelfContainedBlock) {
    std::wstring title = L"Wake", text = L"Time to \u00e9veil", sound = L"\\Windows\\Alarm4.wma";
    CE_USER_NOTIFICATION user = {0x11, &title[0], &text[0], &sound[0], 260, 7};
    const struct {
        const char *what;
        CE_USER_NOTIFICATION *user;
        const wchar_t *args; // null: no arguments
    } cases[] = {
        {"no user notification", nullptr, L"sort=2 adx=\"{6F1C-AA}\""},
        {"with user notification", &user, L"sort=1 adx=\"\\My Documents\\ring tone.wav\""},
        {"no arguments", nullptr, nullptr},
        {"empty arguments", &user, L""},
    };
    for (const auto &c : cases) {
        TimeTrigger t(kApp, c.args ? c.args : L"", Date(2099, 7, 1, 7, 30, 45), kEnd);
        if (!c.args)
            t.trigger.lpszArguments = nullptr;
        t.trigger.dwSize = 52; // the handheld's size is accepted too
        HANDLE h = CeSetUserNotificationEx(nullptr, t.Get(), c.user);
        ASSERT_NE(nullptr, h) << c.what << ": error " << GetLastError();

        DWORD needed = 0;
        ASSERT_TRUE(CeGetUserNotification(h, 0, &needed, nullptr)) << c.what << ": the size query failed";
        Block block = ReadBlock(h);
        ASSERT_FALSE(block.Empty()) << c.what;
        EXPECT_EQ(needed, block.size) << c.what;

        const CE_NOTIFICATION_INFO_HEADER *header = block.Header();
        EXPECT_EQ(h, header->hNotification) << c.what;
        const CE_NOTIFICATION_TRIGGER *got = header->pcent;
        ASSERT_TRUE(block.Holds(got, sizeof *got)) << c.what << ": the trigger lies outside the block";
        EXPECT_EQ(sizeof(CE_NOTIFICATION_TRIGGER), got->dwSize) << c.what;
        EXPECT_EQ(static_cast<DWORD>(CNT_TIME), got->dwType) << c.what;
        EXPECT_EQ(0, memcmp(&t.trigger.stStartTime, &got->stStartTime, sizeof(SYSTEMTIME)))
            << c.what << ": start time not kept to the second";
        EXPECT_EQ(0, memcmp(&kEnd, &got->stEndTime, sizeof(SYSTEMTIME))) << c.what;
        const WCHAR *texts[] = {got->lpszApplication, got->lpszArguments};
        for (const WCHAR *p : texts) {
            if (p) {
                EXPECT_TRUE(block.Holds(p, (wcslen(p) + 1) * sizeof(WCHAR))) << c.what << ": text outside the block";
            }
        }
        EXPECT_EQ(std::wstring(kApp), Text(got->lpszApplication)) << c.what;
        EXPECT_EQ(c.args ? std::wstring(c.args) : std::wstring(L"<null>"), Text(got->lpszArguments)) << c.what;

        if (!c.user) {
            EXPECT_EQ(nullptr, header->pceun) << c.what;
            continue;
        }
        const CE_USER_NOTIFICATION *u = header->pceun;
        ASSERT_TRUE(block.Holds(u, sizeof *u)) << c.what;
        EXPECT_EQ(0x11u, u->ActionFlags);
        EXPECT_EQ(260u, u->nMaxSound);
        EXPECT_EQ(7u, u->dwReserved);
        EXPECT_EQ(title, Text(u->pwszDialogTitle));
        EXPECT_EQ(text, Text(u->pwszDialogText));
        EXPECT_EQ(sound, Text(u->pwszSound));
        for (const WCHAR *p : {u->pwszDialogTitle, u->pwszDialogText, u->pwszSound})
            EXPECT_TRUE(block.Holds(p, (wcslen(p) + 1) * sizeof(WCHAR))) << c.what;
    }
    EXPECT_EQ(std::size(cases), Handles().size());
}

TEST_F(NotificationTest, ReplacingKeepsTheHandleAndReplacesTriggerAndUserNotification) {
    std::wstring title = L"Old";
    CE_USER_NOTIFICATION user = {1, &title[0], nullptr, nullptr, 0, 0};
    HANDLE h = Create(L"sort=2 adx=\"A\"", &user);
    HANDLE other = Create(L"sort=2 adx=\"B\"");
    ASSERT_NE(nullptr, h);

    TimeTrigger moved(L"C:\\Windows\\Other.exe", L"sort=2 adx=\"A\" moved", Date(2099, 8, 3, 6, 15),
                      Date(2099, 8, 4, 6, 15));
    ASSERT_EQ(h, CeSetUserNotificationEx(h, moved.Get(), nullptr)) << "error " << GetLastError();

    Block block = ReadBlock(h);
    ASSERT_FALSE(block.Empty());
    EXPECT_EQ(L"C:\\Windows\\Other.exe", Text(block.Header()->pcent->lpszApplication));
    EXPECT_EQ(L"sort=2 adx=\"A\" moved", Text(block.Header()->pcent->lpszArguments));
    EXPECT_EQ(8, block.Header()->pcent->stStartTime.wMonth);
    EXPECT_EQ(nullptr, block.Header()->pceun) << "the old user notification was kept";
    EXPECT_EQ(L"sort=2 adx=\"B\"", ArgumentsOf(other)) << "another notification changed";
    EXPECT_EQ(2u, Handles().size()) << "replacing must not add a notification";
}

TEST_F(NotificationTest, HandleListIsCountedThenFilledInCreationOrder) {
    std::vector<HANDLE> made;
    for (int i = 0; i < 3; ++i)
        made.push_back(Create(L"item " + std::to_wstring(i)));

    DWORD needed = 99;
    ASSERT_TRUE(CeGetUserNotificationHandles(nullptr, 0, &needed));
    EXPECT_EQ(3u, needed);

    HANDLE small[2] = {};
    SetLastError(0);
    EXPECT_FALSE(CeGetUserNotificationHandles(small, 2, &needed));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(3u, needed) << "a short buffer must still learn the count";

    EXPECT_EQ(made, Handles());
}

TEST_F(NotificationTest, ClearRemovesOnlyThatNotificationAndItsHandleStaysDead) {
    HANDLE a = Create(L"a"), b = Create(L"b");
    ASSERT_TRUE(CeClearUserNotification(a));
    EXPECT_EQ(std::vector<HANDLE>{b}, Handles());

    const struct {
        const char *what;
        std::function<BOOL()> call;
    } dead[] = {
        {"clear again", [&] { return CeClearUserNotification(a); }},
        {"read",
         [&] {
             DWORD n;
             return CeGetUserNotification(a, 0, &n, nullptr);
         }},
        {"replace",
         [&] {
             TimeTrigger t(kApp, L"x", kStart, kEnd);
             return static_cast<BOOL>(CeSetUserNotificationEx(a, t.Get(), nullptr) != nullptr);
         }},
    };
    for (const auto &c : dead) {
        SetLastError(0);
        EXPECT_FALSE(c.call()) << c.what;
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError()) << c.what;
    }

    HANDLE c = Create(L"c");
    EXPECT_NE(a, c) << "a cleared handle was handed out again";
    EXPECT_NE(b, c);
    ASSERT_TRUE(CeClearUserNotification(b));
    ASSERT_TRUE(CeClearUserNotification(c));
    HANDLE d = Create(L"d");
    std::set<HANDLE> earlier = {a, b, c};
    EXPECT_EQ(0u, earlier.count(d)) << "an emptied database started its handles over";
}

TEST_F(NotificationTest, TooLongOrMalformedRegistrationsAreRefusedWhole) {
    const std::wstring longestApp = L"C:\\" + std::wstring(CE_NOTIFICATION_MAX_APPLICATION - 7, L'a') + L".exe";
    const std::wstring longestArgs(CE_NOTIFICATION_MAX_ARGUMENTS, L'x');
    ASSERT_EQ(static_cast<size_t>(CE_NOTIFICATION_MAX_APPLICATION), longestApp.size());

    // The longest accepted texts come back whole.
    TimeTrigger longest(longestApp, longestArgs, kStart, kEnd);
    HANDLE h = CeSetUserNotificationEx(nullptr, longest.Get(), nullptr);
    ASSERT_NE(nullptr, h) << "error " << GetLastError();
    Block block = ReadBlock(h);
    ASSERT_FALSE(block.Empty());
    EXPECT_EQ(longestApp, Text(block.Header()->pcent->lpszApplication));
    EXPECT_EQ(longestArgs, Text(block.Header()->pcent->lpszArguments));

    std::wstring tooLongText(CE_NOTIFICATION_MAX_DIALOG_TEXT + 1, L't');
    std::wstring tooLongSound(CE_NOTIFICATION_MAX_SOUND + 1, L's');
    const struct {
        const char *what;
        std::function<void(CE_NOTIFICATION_TRIGGER &, CE_USER_NOTIFICATION &)> spoil;
        bool withUser;
    } cases[] = {
        {"application one too long",
         [](CE_NOTIFICATION_TRIGGER &t, CE_USER_NOTIFICATION &) {
             static std::wstring app = L"C:\\" + std::wstring(CE_NOTIFICATION_MAX_APPLICATION - 6, L'a') + L".exe";
             t.lpszApplication = &app[0];
         },
         false},
        {"arguments one too long",
         [](CE_NOTIFICATION_TRIGGER &t, CE_USER_NOTIFICATION &) {
             static std::wstring args(CE_NOTIFICATION_MAX_ARGUMENTS + 1, L'x');
             t.lpszArguments = &args[0];
         },
         false},
        {"dialog title too long",
         [&](CE_NOTIFICATION_TRIGGER &, CE_USER_NOTIFICATION &u) { u.pwszDialogTitle = &tooLongText[0]; }, true},
        {"sound too long", [&](CE_NOTIFICATION_TRIGGER &, CE_USER_NOTIFICATION &u) { u.pwszSound = &tooLongSound[0]; },
         true},
        {"time notification without application",
         [](CE_NOTIFICATION_TRIGGER &t, CE_USER_NOTIFICATION &) { t.lpszApplication = nullptr; }, false},
        {"empty application",
         [](CE_NOTIFICATION_TRIGGER &t, CE_USER_NOTIFICATION &) {
             static wchar_t empty[] = L"";
             t.lpszApplication = empty;
         },
         false},
        {"size 0", [](CE_NOTIFICATION_TRIGGER &t, CE_USER_NOTIFICATION &) { t.dwSize = 0; }, false},
        {"type 0", [](CE_NOTIFICATION_TRIGGER &t, CE_USER_NOTIFICATION &) { t.dwType = 0; }, false},
        {"type 5", [](CE_NOTIFICATION_TRIGGER &t, CE_USER_NOTIFICATION &) { t.dwType = 5; }, false},
        {"start month 13", [](CE_NOTIFICATION_TRIGGER &t, CE_USER_NOTIFICATION &) { t.stStartTime.wMonth = 13; },
         false},
        {"end 25 o'clock", [](CE_NOTIFICATION_TRIGGER &t, CE_USER_NOTIFICATION &) { t.stEndTime.wHour = 25; }, false},
    };
    for (const auto &c : cases) {
        TimeTrigger t(kApp, L"sort=2 adx=\"x\"", kStart, kEnd);
        CE_USER_NOTIFICATION user = {};
        c.spoil(t.trigger, user);
        SetLastError(0);
        EXPECT_EQ(nullptr, CeSetUserNotificationEx(nullptr, t.Get(), c.withUser ? &user : nullptr)) << c.what;
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError()) << c.what;
        // A refused replacement leaves the notification as it was.
        EXPECT_EQ(nullptr, CeSetUserNotificationEx(h, t.Get(), c.withUser ? &user : nullptr)) << c.what;
        EXPECT_EQ(longestArgs, ArgumentsOf(h)) << c.what << ": a refused replacement changed the notification";
    }
    EXPECT_EQ(nullptr, CeSetUserNotificationEx(nullptr, nullptr, nullptr));
    EXPECT_EQ(1u, Handles().size()) << "a refused registration was stored";

    DWORD needed = 0;
    std::vector<BYTE> tooSmall(block.size - 1);
    SetLastError(0);
    EXPECT_FALSE(CeGetUserNotification(h, block.size - 1, &needed, tooSmall.data()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(block.size, needed);
}

TEST_F(NotificationTest, OtherKindsAreStoredAsGiven) {
    CE_NOTIFICATION_TRIGGER event = {};
    event.dwSize = sizeof event;
    event.dwType = CNT_EVENT;
    event.dwEvent = 9; // no times, no application
    HANDLE h = CeSetUserNotificationEx(nullptr, &event, nullptr);
    ASSERT_NE(nullptr, h) << "error " << GetLastError();
    Block block = ReadBlock(h);
    ASSERT_FALSE(block.Empty());
    EXPECT_EQ(static_cast<DWORD>(CNT_EVENT), block.Header()->pcent->dwType);
    EXPECT_EQ(9u, block.Header()->pcent->dwEvent);
    EXPECT_EQ(nullptr, block.Header()->pcent->lpszApplication);
}

TEST_F(NotificationTest, TheDatabaseFileAloneCarriesNotificationsAndHandleCounter) {
    HANDLE a = Create(L"sort=2 adx=\"kept\"");
    HANDLE b = Create(L"sort=1 adx=\"cleared\"");
    ASSERT_TRUE(CeClearUserNotification(b));
    const std::string file = device.Read(L"notify.db");
    ASSERT_FALSE(file.empty()) << "no database file in the device folder";

    // Another device given only that file: as after a restart of everything.
    TestDevice other;
    other.Write(L"notify.db", file);
    EXPECT_EQ(std::vector<HANDLE>{a}, Handles());
    EXPECT_EQ(L"sort=2 adx=\"kept\"", ArgumentsOf(a));
    HANDLE c = Create(L"new");
    EXPECT_GT(reinterpret_cast<ULONG_PTR>(c), reinterpret_cast<ULONG_PTR>(b)) << "the handle counter was not kept";
}

TEST_F(NotificationTest, DamagedDatabaseIsSetAsideAndNewHandlesDoNotCollide) {
    HANDLE a = Create(L"a");
    ASSERT_NE(nullptr, a);
    const std::string good = device.Read(L"notify.db");
    const std::string damaged[] = {
        "garbage",
        good.substr(0, good.size() - 1),
        good.substr(0, 20),
        std::string(good).replace(30, 1, "\x7f"),
    };
    for (const std::string &bytes : damaged) {
        device.Write(L"notify.db", bytes);
        DWORD count = 99;
        ASSERT_TRUE(CeGetUserNotificationHandles(nullptr, 0, &count)) << "error " << GetLastError();
        EXPECT_EQ(0u, count);
        EXPECT_EQ(bytes, device.Read(L"notify.db.bad")) << "the damaged file was not kept for inspection";
        HANDLE b = Create(L"b");
        ASSERT_NE(nullptr, b) << "the device cannot register after damage";
        EXPECT_NE(a, b) << "a handle of the damaged database was handed out again";
        EXPECT_EQ(std::vector<HANDLE>{b}, Handles());
    }
}

// Each damage is kept under a name of its own, whatever holds the usual
// name, and the log names the file really written.
TEST_F(NotificationTest, EveryDamagedDatabaseIsKeptUnderItsOwnName) {
    auto damage = [this](const std::string &bytes) {
        device.Write(L"notify.db", bytes);
        DWORD count = 99;
        EXPECT_TRUE(CeGetUserNotificationHandles(nullptr, 0, &count)) << "error " << GetLastError();
        EXPECT_EQ(0u, count);
    };
    damage("first damage");
    damage("second damage");
    EXPECT_EQ("second damage", device.Read(L"notify.db.bad"));
    EXPECT_EQ("first damage", device.Read(L"notify.db.bad.1")) << "a second damage overwrote the first";

    // Another program holds the newest copy open: it can be neither
    // replaced nor moved down.
    HANDLE held = CreateFileW(device.File(L"notify.db.bad").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    damage("third damage");
    CloseHandle(held);
    EXPECT_EQ("second damage", device.Read(L"notify.db.bad"));
    EXPECT_EQ("third damage", device.Read(L"notify.db.bad.1"));
    EXPECT_EQ("first damage", device.Read(L"notify.db.bad.2"));
    const std::string log = device.Read(L"notify.log");
    EXPECT_NE(std::string::npos, log.find("moved to notify.db.bad.1,")) << log;

    // Only the last five are kept.
    for (int n = 4; n <= 8; ++n)
        damage("damage " + std::to_string(n));
    EXPECT_EQ("damage 8", device.Read(L"notify.db.bad"));
    EXPECT_EQ("damage 4", device.Read(L"notify.db.bad.4"));
    EXPECT_EQ("", device.Read(L"notify.db.bad.5"));
}

TEST_F(NotificationTest, ADamagedDatabaseThatCannotBeSetAsideIsNeverOverwritten) {
    // Folders in the way of every name a damaged database is kept under.
    const wchar_t *const names[] = {L"notify.db.bad", L"notify.db.bad.1", L"notify.db.bad.2", L"notify.db.bad.3",
                                    L"notify.db.bad.4"};
    for (const wchar_t *name : names)
        ASSERT_TRUE(CreateDirectoryW(device.File(name).c_str(), nullptr));
    const std::string damaged = "damaged, but its records may yet be read";
    device.Write(L"notify.db", damaged);

    EXPECT_EQ(nullptr, Create(L"lost?")) << "a registration reported success over a database it could not keep";
    EXPECT_NE(0u, GetLastError()) << "the failure carries no reason";
    DWORD count = 0;
    EXPECT_FALSE(CeGetUserNotificationHandles(nullptr, 0, &count));
    EXPECT_EQ(damaged, device.Read(L"notify.db")) << "the damaged database was overwritten";
    const std::string log = device.Read(L"notify.log");
    EXPECT_NE(std::string::npos, log.find("cannot set it aside")) << log;
    EXPECT_EQ(std::string::npos, log.find("moved to")) << "the log claims a move that did not happen: " << log;

    RemoveDirectoryW(device.File(L"notify.db.bad.3").c_str());
    HANDLE h = Create(L"kept");
    EXPECT_NE(nullptr, h) << "once a name is free the device works again";
    EXPECT_EQ(damaged, device.Read(L"notify.db.bad.3"));
    for (const wchar_t *name : names)
        RemoveDirectoryW(device.File(name).c_str());
}

// A file with a valid checksum whose handles the functions would reject:
// handed out, such a handle could never be read or cleared.
TEST_F(NotificationTest, HandlesOutsideTheValidRangeInTheFileAreDamage) {
    notify::Record r;
    r.type = CNT_TIME;
    r.start = kStart;
    r.application = {true, kApp};
    const struct {
        const char *what;
        DWORD nextHandle;
        DWORD recordHandle;
    } cases[] = {
        {"counter near 2^32", 0xFFFFFFF0u, 5},
        {"counter just past the limit", 0x80000000u, 5},
        {"counter 0", 0, 5},
        {"record handle past the limit", 7, 0x80000001u},
    };
    for (const auto &c : cases) {
        notify::Database db;
        db.nextHandle = c.nextHandle;
        r.handle = c.recordHandle;
        db.records = {r};
        const std::string bytes = notify::Serialize(db);
        notify::Database back;
        EXPECT_FALSE(notify::Deserialize(bytes, back)) << c.what;

        device.Write(L"notify.db", bytes);
        HANDLE h = Create(L"new");
        ASSERT_NE(nullptr, h) << c.what << ": error " << GetLastError();
        EXPECT_LE(reinterpret_cast<ULONG_PTR>(h), 0x7FFFFFFFu) << c.what;
        EXPECT_EQ(L"new", ArgumentsOf(h)) << c.what << ": the handle given cannot be read";
        EXPECT_TRUE(CeClearUserNotification(h)) << c.what << ": the handle given cannot be cleared";
        EXPECT_EQ(bytes, device.Read(L"notify.db.bad")) << c.what << ": not set aside";
    }
    notify::Database edge;
    edge.nextHandle = 0x7FFFFFFF;
    r.handle = 0x7FFFFFFF;
    edge.records = {r};
    notify::Database back;
    EXPECT_TRUE(notify::Deserialize(notify::Serialize(edge), back)) << "the highest handle is valid";
}

TEST_F(NotificationTest, ConcurrentThreadsLoseNoChange) {
    const int threads = 4, each = 20;
    std::vector<std::vector<HANDLE>> kept(threads);
    std::vector<std::thread> workers;
    for (int w = 0; w < threads; ++w) {
        workers.emplace_back([w, &kept] {
            for (int i = 0; i < each; ++i) {
                HANDLE h = Create(L"w" + std::to_wstring(w) + L" i" + std::to_wstring(i));
                if (i % 2 == 1 && h)
                    CeClearUserNotification(h);
                else if (h)
                    kept[w].push_back(h);
            }
        });
    }
    for (std::thread &t : workers)
        t.join();

    std::set<HANDLE> expected;
    for (const auto &list : kept)
        expected.insert(list.begin(), list.end());
    EXPECT_EQ(static_cast<size_t>(threads * each / 2), expected.size()) << "a registration failed or reused a handle";
    std::vector<HANDLE> listed = Handles();
    EXPECT_EQ(expected, std::set<HANDLE>(listed.begin(), listed.end()));
}

TEST(NotificationFile, EveryShortenedOrFlippedFileIsRejected) {
    notify::Database db;
    db.nextHandle = 42;
    notify::Record r;
    r.handle = 41;
    r.type = CNT_TIME;
    r.start = kStart;
    r.application = {true, kApp};
    r.arguments = {false, L""};
    r.hasUser = true;
    r.title = {true, L"t\u00e9"};
    db.records.push_back(r);
    const std::string bytes = notify::Serialize(db);

    notify::Database back;
    ASSERT_TRUE(notify::Deserialize(bytes, back));
    ASSERT_EQ(1u, back.records.size());
    EXPECT_EQ(42u, back.nextHandle);
    EXPECT_FALSE(back.records[0].arguments.present) << "absent arguments came back as empty";
    EXPECT_EQ(L"t\u00e9", back.records[0].title.text);
    EXPECT_FALSE(back.records[0].sound.present);

    for (size_t n = 0; n < bytes.size(); ++n) {
        EXPECT_FALSE(notify::Deserialize(bytes.substr(0, n), back)) << "accepted a file cut at " << n;
        std::string flipped = bytes;
        flipped[n] ^= 0x20;
        EXPECT_FALSE(notify::Deserialize(flipped, back)) << "accepted a file with byte " << n << " changed";
    }
}

TEST(ServicePlan, StartsDueDropsExpiredAndSleepsUntilTheNextStart) {
    const SYSTEMTIME now = Date(2024, 3, 1, 12, 0, 0);
    auto record = [](DWORD handle, DWORD type, SYSTEMTIME start, SYSTEMTIME end) {
        notify::Record r;
        r.handle = handle;
        r.type = type;
        r.start = start;
        r.end = end;
        return r;
    };
    const SYSTEMTIME zero = {};
    const struct {
        const char *what;
        std::vector<notify::Record> records;
        std::vector<DWORD> fire, drop;
        DWORD waitMs;
    } cases[] = {
        {"empty: the longest wait", {}, {}, {}, 60000},
        {"start reached exactly", {record(1, CNT_TIME, now, Date(2024, 3, 2, 12, 0))}, {1}, {}, 0},
        {"missed, end ahead", {record(1, CNT_TIME, Date(2024, 3, 1, 9, 0), Date(2024, 3, 2, 9, 0))}, {1}, {}, 0},
        {"missed, end passed", {record(1, CNT_TIME, Date(2024, 2, 28, 9, 0), Date(2024, 2, 29, 9, 0))}, {}, {1}, 0},
        {"end exactly now is passed", {record(1, CNT_TIME, Date(2024, 3, 1, 11, 0), now)}, {}, {1}, 0},
        {"no end never expires", {record(1, CNT_TIME, Date(2020, 1, 1, 0, 0), zero)}, {1}, {}, 0},
        {"end before start never expires",
         {record(1, CNT_TIME, Date(2024, 3, 1, 11, 0), Date(2024, 3, 1, 10, 0))},
         {1},
         {},
         0},
        {"next start in 2.5 s",
         {record(1, CNT_TIME, Date(2024, 3, 1, 12, 0, 5), zero),
          record(2, CNT_TIME, SYSTEMTIME{2024, 3, 0, 1, 12, 0, 2, 500}, zero)},
         {},
         {},
         2500},
        {"a start an hour ahead still wakes within a minute",
         {record(1, CNT_TIME, Date(2024, 3, 1, 13, 0), zero)},
         {},
         {},
         60000},
        {"other kinds are left alone",
         {record(1, CNT_EVENT, zero, zero), record(2, CNT_PERIOD, Date(2024, 1, 1, 0, 0), Date(2024, 1, 2, 0, 0)),
          record(3, CNT_CLASSICTIME, Date(2024, 3, 1, 11, 0), zero)},
         {},
         {},
         60000},
        {"due ones start earliest first",
         {record(5, CNT_TIME, Date(2024, 3, 1, 11, 59), zero), record(6, CNT_TIME, Date(2024, 3, 1, 11, 0), zero),
          record(7, CNT_TIME, Date(2024, 3, 1, 11, 30), zero)},
         {6, 7, 5},
         {},
         0},
    };
    for (const auto &c : cases) {
        notify::Database db;
        db.records = c.records;
        notify::Plan plan = notify::MakePlan(db, now, 60000);
        EXPECT_EQ(c.fire, plan.fire) << c.what;
        EXPECT_EQ(c.drop, plan.drop) << c.what;
        EXPECT_EQ(c.waitMs, plan.waitMs) << c.what;
    }
}

TEST(NotificationFile, ALargeDatabaseLoadsWholeAndAnyRepeatedHandleIsDamage) {
    const DWORD count = 100000;
    notify::Database db;
    db.nextHandle = count + 1;
    notify::Record r;
    r.type = CNT_TIME;
    r.start = kStart;
    for (DWORD i = 0; i < count; ++i) {
        r.handle = i + 1;
        db.records.push_back(r);
    }
    notify::Database back;
    ASSERT_TRUE(notify::Deserialize(notify::Serialize(db), back));
    EXPECT_EQ(count, back.records.size());
    EXPECT_EQ(count, back.records.back().handle);

    for (DWORD at : {DWORD(1), count / 2, count - 1}) {
        notify::Database repeated = db;
        repeated.records[at].handle = repeated.records[at - 1].handle;
        EXPECT_FALSE(notify::Deserialize(notify::Serialize(repeated), back)) << "handle repeated at record " << at;
    }
}
