// Note files as stored data: the titles new notes are saved under, the file
// names they get in the note folder, safe writing and the recent list.
#include <gtest/gtest.h>

#include <string>

#include "notes/NoteFiles.h"
#include "support/Files.h"

namespace {

// A folder of its own in the temporary folder, removed with its files.
class NoteFolder {
public:
    NoteFolder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"TallyPadNotes-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~NoteFolder() {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileW(File(found.cFileName).c_str());
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path_.c_str());
    }
    std::wstring File(const std::wstring &name) const { return path_ + L"\\" + name; }
    void Put(const std::wstring &name, const std::string &bytes) const {
        testsupport::WriteFileBytes(File(name), bytes);
    }
    // "<missing>" for a file that is not there.
    std::string Read(const std::wstring &name) const {
        return GetFileAttributesW(File(name).c_str()) == INVALID_FILE_ATTRIBUTES
                   ? "<missing>"
                   : testsupport::ReadFileBytes(File(name));
    }
    int FileCount() const {
        int count = 0;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return 0;
        do
            count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        while (FindNextFileW(search, &found));
        FindClose(search);
        return count;
    }
    const wchar_t *Path() const { return path_.c_str(); }

private:
    std::wstring path_;
};

bool WriteText(HANDLE file, const std::string &text) {
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

} // namespace

TEST(NoteTitle, ComesFromTheFirstLineOfTheText) {
    const struct {
        const wchar_t *text;
        const wchar_t *title;
        const char *why;
    } cases[] = {
        {L"  Shopping list\r\nmilk\r\nbread", L"Shopping list", "leading spaces skipped, first line only"},
        {L"\r\n\r\n  \nLater line", L"Later line", "leading line breaks skipped"},
        {L"0123456789012345678901234567890123456789", L"01234567890123456789012345678901", "cut at 32"},
        {L"Trailing   \r\nx", L"Trailing", "trailing spaces removed"},
        {L"", L"", "no text"},
        {L"   \r\n  ", L"", "only blanks"},
        {L"a/b\\c:d*e?f\"g<h>i|j", L"a_b_c_d_e_f_g_h_i_j", "characters a file name cannot hold"},
        {L"tab\there", L"tab_here", "control characters"},
    };
    for (const auto &c : cases)
        EXPECT_STREQ(c.title, MakeNoteTitle(c.text)) << c.why;
    const std::wstring longText = std::wstring(199, L' ') + L"xyz";
    EXPECT_STREQ(L"", MakeNoteTitle(longText.c_str())) << "only the first 199 characters are looked at";
}

TEST(NotePath, NeverNamesAnotherNotesFile) {
    NoteFolder folder;
    folder.Put(L"Note1.pwi", "one");
    folder.Put(L"Shopping list.pwi", "other note");
    folder.Put(L"Shopping list (2).pwi", "third note");
    const std::wstring dir = folder.Path();
    // Named, so that the pointer in the table outlives the table's making.
    const std::wstring ownFile = folder.File(L"shopping LIST.pwi");
    const struct {
        const wchar_t *title;
        const wchar_t *own;
        std::wstring path;
        const char *why;
    } cases[] = {
        {L"", nullptr, folder.File(L"Note2.pwi"), "no title: the first free number"},
        {L"Fresh", nullptr, folder.File(L"Fresh.pwi"), "a title without a file"},
        {L"Shopping list", nullptr, folder.File(L"Shopping list (3).pwi"), "an existing file is not overwritten"},
        {L"Shopping list", ownFile.c_str(), folder.File(L"Shopping list.pwi"),
         "the note's own file is kept"},
    };
    for (const auto &c : cases)
        EXPECT_STREQ(c.path.c_str(), NotePathFor(dir.c_str(), c.title, L"Note", c.own)) << c.why;
}

TEST(NoteFile, AFailedWriteLeavesTheOldFileAsItWas) {
    NoteFolder folder;
    folder.Put(L"a.pwi", "old content");
    const std::wstring path = folder.File(L"a.pwi");
    EXPECT_FALSE(WriteNoteFile(path.c_str(), [](HANDLE file) { return WriteText(file, "half") && false; }));
    EXPECT_EQ("old content", folder.Read(L"a.pwi"));
    EXPECT_EQ(1, folder.FileCount()) << "the temporary file was left behind";

    EXPECT_TRUE(WriteNoteFile(path.c_str(), [](HANDLE file) { return WriteText(file, "new content"); }));
    EXPECT_EQ("new content", folder.Read(L"a.pwi"));
    EXPECT_EQ(1, folder.FileCount());

    const std::wstring missing = folder.File(L"no such folder\\b.pwi");
    EXPECT_FALSE(WriteNoteFile(missing.c_str(), [](HANDLE file) { return WriteText(file, "x"); }));
}

TEST(NoteFile, AFileHeldOpenIsNotReplacedAndTheWriteFails) {
    NoteFolder folder;
    folder.Put(L"held.pwi", "kept");
    HANDLE held = CreateFileW(folder.File(L"held.pwi").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(WriteNoteFile(folder.File(L"held.pwi").c_str(), [](HANDLE file) { return WriteText(file, "x"); }));
    CloseHandle(held);
    EXPECT_EQ("kept", folder.Read(L"held.pwi"));
    EXPECT_EQ(1, folder.FileCount());
}

TEST(RecentNotes, AddChooseAndDropKeepTheOrder) {
    wchar_t entries[4][MAX_PATH] = {};
    RecentList list(entries);
    for (const wchar_t *path : {L"a", L"b", L"c", L"d", L"e"})
        list.AddToFront(path);
    EXPECT_EQ(4, list.Count());
    EXPECT_STREQ(L"e", list.Entry(0));
    EXPECT_STREQ(L"b", list.Entry(3)) << "the fourth falls off when the list is full";

    list.MoveToFront(2); // e d c b -> c e d b
    EXPECT_STREQ(L"c", list.Entry(0));
    EXPECT_STREQ(L"e", list.Entry(1));
    EXPECT_STREQ(L"d", list.Entry(2));
    EXPECT_EQ(2, list.Find(L"D"));

    list.Remove(L"e"); // c d b
    EXPECT_STREQ(L"d", list.Entry(1));
    EXPECT_STREQ(L"", list.Entry(3));
    EXPECT_EQ(3, list.Count());

    list.Remove(L""); // a note without a file drops no other note's entry
    list.Remove(L"not listed");
    EXPECT_EQ(3, list.Count());
    EXPECT_STREQ(L"c", list.Entry(0));
}
