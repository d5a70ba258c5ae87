// Which files can end a countdown, the first of them in a folder, and the
// sound's name as the "When Timer Ends" button shows it.
#include <gtest/gtest.h>

#include <string>

#include "timing/EndSound.h"

namespace {

TEST(EndSound, ChoosesSoundFilesByTheirEndingInAnyCase) {
    for (const wchar_t *name : {L"Alarm1.WAV", L"tone.Mp3", L"a.wma", L"b.mid", L"c.RMI", L"d.aacl"})
        EXPECT_TRUE(IsEndSoundName(name)) << static_cast<const void *>(name);
    for (const wchar_t *name : {L"notes.txt", L"readme", L"wav", L"x.wav.bak", L"y.aac", L""})
        EXPECT_FALSE(IsEndSoundName(name)) << static_cast<const void *>(name);
}

TEST(EndSound, FirstSoundFileOfAFolderSkipsFoldersAndOtherFiles) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"TallyPadEndSound-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\folder.wav").c_str(), nullptr);
    for (const wchar_t *name : {L"\\notes.txt", L"\\tone.Mp3"})
        CloseHandle(CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_STREQ(L"tone.Mp3", FirstEndSound(folder.c_str()).Text());
    EXPECT_STREQ(L"tone.Mp3", FirstEndSound((folder + L"\\").c_str()).Text()) << "a folder given with its \\";
    EXPECT_STREQ(L"", FirstEndSound((folder + L"\\missing").c_str()).Text());
    DeleteFileW((folder + L"\\notes.txt").c_str());
    DeleteFileW((folder + L"\\tone.Mp3").c_str());
    RemoveDirectoryW((folder + L"\\folder.wav").c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(EndSound, ShownWithoutItsExtension) {
    EXPECT_STREQ(L"Alarm1", SoundTitle(L"Alarm1.wav").Text());
    EXPECT_STREQ(L"my.tone", SoundTitle(L"my.tone.mp3").Text());
    EXPECT_STREQ(L"plain", SoundTitle(L"plain").Text());
    EXPECT_STREQ(L"\\Windows\\Alarm1.wav", SoundPath(L"\\Windows", L"Alarm1.wav").Text());
}

} // namespace
