#include "BaseLib/Clock.h"
#include "BaseLib/ErrorLog.h"
#include "BaseLib/Str.h"
#include "TestResources.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::wstring LogPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path) + L".log";
}

std::string ReadLog() {
    std::ifstream file(LogPath().c_str(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

ULONGLONG Units(const SYSTEMTIME &time) {
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    return (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

class ErrorLog : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileW(LogPath().c_str()); }
    void TearDown() override {
        Clock::Real();
        SetLogDatePicture(L"yyyy.MM.dd ");
        DeleteFileW(LogPath().c_str());
    }
};

TEST_F(ErrorLog, LinesAreAppendedBesideTheProgramWithTheClockTime) {
    Clock::Fake(1000, SYSTEMTIME{2009, 7, 2, 14, 10, 20, 30, 0});
    LogError(L"Memory allocation failed", L".\\BaseLib\\Str", L"", 57);
    SetLogDatePicture(L"yy.MM.dd "); // the alarm runner's picture
    LogError(L"Resource", L"src", L"Load", 3);
    EXPECT_EQ("2009.07.14 10:20:30 - Memory allocation failed\t\t.\\BaseLib\\Str:  (57)\r\n"
              "09.07.14 10:20:30 - Resource\t\tsrc: Load (3)\r\n",
              ReadLog());
}

TEST_F(ErrorLog, MissingResourceGivesEmptyTextAndALogLine) {
    Str s(L"old");
    EXPECT_FALSE(s.LoadResourceString(IDS_TEST_MISSING));
    EXPECT_TRUE(s.IsEmpty());
    char expected[80];
    snprintf(expected, sizeof expected, " - Resource loading fail (id: %d hInst: %x)\t\t.\\BaseLib\\Str:  (",
             IDS_TEST_MISSING, static_cast<unsigned>(reinterpret_cast<UINT_PTR>(GetModuleHandleW(nullptr))));
    EXPECT_NE(std::string::npos, ReadLog().find(expected)) << ReadLog();
}

TEST_F(ErrorLog, FailedStringAllocationIsLoggedAndStopsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(Str().BufferFor(INT_MAX), ::testing::ExitedWithCode(ERROR_NOT_ENOUGH_MEMORY), "");
    EXPECT_NE(std::string::npos, ReadLog().find(" - Memory allocation failed\t\t.\\BaseLib\\Str:  (")) << ReadLog();
}

TEST(Clock, AdvanceMovesTickLocalAndUtcTogether) {
    const SYSTEMTIME start = {2009, 12, 4, 31, 23, 59, 59, 500};
    Clock::Fake(0xFFFFFF00, start);
    SYSTEMTIME local, utc;
    Clock::UtcTime(&utc);
    const LONGLONG offset = static_cast<LONGLONG>(Units(utc) - Units(start));

    Clock::Advance(600);
    EXPECT_EQ(344u, Clock::TickCount()) << "the tick wraps like GetTickCount";
    Clock::LocalTime(&local);
    Clock::UtcTime(&utc);
    EXPECT_EQ(Units(SYSTEMTIME{2010, 1, 5, 1, 0, 0, 0, 100}), Units(local));
    EXPECT_EQ(offset, static_cast<LONGLONG>(Units(utc) - Units(local)));

    Clock::Real();
    const DWORD real = GetTickCount();
    EXPECT_LE(Clock::TickCount() - real, 1000u);
}

} // namespace
