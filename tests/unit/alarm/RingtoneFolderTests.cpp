// What the ring-tone picker lists of a folder: sound files only, whatever
// the case of their extension, sorted ignoring case.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarm/RingtoneFolder.h"
#include "support/TempTree.h"

namespace {

std::vector<std::wstring> Listed(const std::wstring &folder, bool *ok = nullptr) {
    std::vector<Str> names;
    const bool listed = ListRingtones(Str(folder.c_str()), RingtoneFilter(), &names);
    if (ok)
        *ok = listed;
    std::vector<std::wstring> result;
    for (const Str &name : names)
        result.push_back(name.Text());
    return result;
}

TEST(RingtoneFolder, KeepsSoundFilesOfAnyCaseAndSortsThemIgnoringCase) {
    TempTree tree;
    for (const wchar_t *file : {L"notes.txt", L"tone.Mp3", L"readme", L"Alarm1.WAV"})
        tree.File(file);
    EXPECT_EQ(Listed(tree.Root()), (std::vector<std::wstring>{L"Alarm1.WAV", L"tone.Mp3"}));

    TempTree more;
    more.Folder(L"sub.wav"); // a folder is never a tone, whatever its name
    for (const wchar_t *file : {L"b.MID", L"a.rmi", L"C.aacl", L"d.wma", L"e.wav.txt", L".wav", L"_x.wav", L"Z.wav"})
        more.File(file);
    EXPECT_EQ(Listed(more.Root()),
              (std::vector<std::wstring>{L".wav", L"_x.wav", L"a.rmi", L"b.MID", L"C.aacl", L"d.wma", L"Z.wav"}))
        << "the text after the last dot decides; _wcsicmp order puts '_' before letters";
}

TEST(RingtoneFolder, AFolderThatCannotBeListedGivesNothing) {
    bool ok = true;
    EXPECT_TRUE(Listed(L"\\NoSuchFolder\\Anywhere", &ok).empty());
    EXPECT_FALSE(ok);
}

} // namespace
