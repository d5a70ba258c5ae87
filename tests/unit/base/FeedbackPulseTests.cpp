#include "BaseLib/FeedbackPulse.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Switch {
    unsigned long tick;
    unsigned led;
    int offOnBlink;
};

// vibrator.log of the handheld layer: "YYYY-MM-DD HH:MM:SS.mmm <tick> <led> <offOnBlink>".
std::vector<Switch> ReadSwitches(const std::wstring &folder) {
    std::ifstream file((folder + L"\\vibrator.log").c_str());
    std::vector<Switch> switches;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string date, time;
        Switch s = {};
        if (fields >> date >> time >> s.tick >> s.led >> s.offOnBlink)
            switches.push_back(s);
    }
    return switches;
}

TEST(FeedbackPulse, DrivesTheVibratorForFiftyMilliseconds) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"TallyPadFeedback" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    DeleteFileW((folder + L"\\vibrator.log").c_str());
    SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", folder.c_str());
    _wputenv((L"TALLYPAD_DEVICE_DIR=" + folder).c_str());

    const HMODULE coredll = LoadLibraryW(L"coredll.dll");
    ASSERT_NE(nullptr, coredll) << "coredll.dll of the handheld layer must lie beside the tests";
    FreeLibrary(coredll);

    FeedbackPulse();
    StopFeedbackWorker(); // handles the pulse before it ends

    const std::vector<Switch> switches = ReadSwitches(folder);
    ASSERT_EQ(2u, switches.size()) << "one switch on and one off";
    EXPECT_EQ(1u, switches[0].led);
    EXPECT_EQ(1, switches[0].offOnBlink);
    EXPECT_EQ(1u, switches[1].led);
    EXPECT_EQ(0, switches[1].offOnBlink);
    const unsigned long length = switches[1].tick - switches[0].tick;
    EXPECT_GE(length, 50u);
    EXPECT_LT(length, 1000u);

    DeleteFileW((folder + L"\\vibrator.log").c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace
