// Volume codes against the picker's rows, the output level and the text.
#include "alarm/RingVolume.h"

#include <gtest/gtest.h>

#include <string>

TEST(RingVolume, EveryCodeMapsToItsRowAndBack) {
    const int codes[] = {0, -1, 1, 2, 3, 4, 5};
    for (int row = 0; row < kVolumeRows; ++row) {
        EXPECT_EQ(VolumeRow(codes[row]), row);
        EXPECT_EQ(VolumeCode(row), codes[row]);
    }
}

TEST(RingVolume, CodesAndRowsOutsideTheTableMeanTheSystemVolume) {
    for (int code : {-2, 6, 100, -2147483647 - 1, 2147483647})
        EXPECT_EQ(VolumeRow(code), 1) << code;
    for (int row : {-1, 7, 1000})
        EXPECT_EQ(VolumeCode(row), kVolumeSystem) << row;
}

TEST(RingVolume, LevelsAreFifthsOfFullScaleOnBothChannels) {
    EXPECT_EQ(VolumeLevel(1), 13107u);
    EXPECT_EQ(VolumeLevel(3), 39321u);
    EXPECT_EQ(VolumeLevel(5), 65535u);
    EXPECT_EQ(VolumeBothChannels(3), 0x99999999u);
    EXPECT_EQ(VolumeBothChannels(5), 0xFFFFFFFFu);
    // Silent and system volume set no level.
    EXPECT_EQ(VolumeLevel(0), 0u);
    EXPECT_EQ(VolumeLevel(-1), 0u);
    EXPECT_EQ(VolumeLevel(6), 0u);
}

TEST(RingVolume, TextOfEachCode) {
    EXPECT_EQ(std::wstring(VolumeText(0).Text()), L"None");
    EXPECT_EQ(std::wstring(VolumeText(-1).Text()), L"Use System");
    EXPECT_EQ(std::wstring(VolumeText(42).Text()), L"Use System");
    EXPECT_EQ(std::wstring(VolumeText(1).Text()), L"20%");
    EXPECT_EQ(std::wstring(VolumeText(5).Text()), L"100%");
}
