// Notes in a throwaway device: what was typed survives a kill through the
// autosave, a kill in the middle of a save never leaves a cut file, and a
// note never overwrites another note's file.
#include <gtest/gtest.h>

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include <string>

#include "Harness.h"
#include "support/Files.h"
#include "resource.h"
#include "richink.h"
#include "shell/Messages.h"

namespace {

const wchar_t kSettingsKey[] = L"Software\\Velmora\\TallyPad";
const UINT kNoteChildId = 5543;
const UINT kInkChildId = 5563;

class NotesTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"TallyPadE2ENotes-" + std::to_wstring(GetTickCount());
        CreateDirectoryW(folder_.c_str(), nullptr);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"NoteDir", REG_SZ, folder_.c_str(),
                        static_cast<DWORD>((folder_.size() + 1) * sizeof(wchar_t)));
    }
    void TearDown() override {
        e2e::KillWindowOwners(kMainWindowClass);
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileW((folder_ + L"\\" + found.cFileName).c_str());
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder_.c_str());
    }

    // Starts the program and finds its note screen's ink control.
    HWND StartWithNote(e2e::Process &process) {
        process = e2e::Start(L"VelmoraTallyPad.exe");
        frame_ = e2e::WaitForWindow(kMainWindowClass, L"TallyPad", 10000);
        if (!frame_)
            return nullptr;
        PostMessageW(frame_, UWM_OPEN_SCREEN, 2, 0);
        for (DWORD waited = 0; waited < 5000; waited += 50) {
            if (HWND ink = GetDlgItem(GetDlgItem(frame_, kNoteChildId), kInkChildId))
                return ink;
            Sleep(50);
        }
        return nullptr;
    }
    static void Type(HWND ink, const wchar_t *text) {
        for (const wchar_t *c = text; *c; ++c)
            SendMessageW(ink, WM_CHAR, *c, 0);
    }
    static std::wstring Text(HWND ink) {
        wchar_t text[256] = L"";
        SendMessageW(ink, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void Save() const { SendMessageW(GetDlgItem(frame_, kNoteChildId), UWM_NOTE_SAVE, 0, 0); }
    std::wstring File(const wchar_t *name) const { return folder_ + L"\\" + name; }
    static std::string Bytes(const std::wstring &path) { return testsupport::ReadFileBytes(path); }

    std::wstring folder_;
    HWND frame_ = nullptr;
};

// Whether the ink control of the device takes the file as a whole note.
bool IsWholeNote(const std::string &bytes) {
    static HMODULE ink = LoadLibraryW(e2e::ProgramPath(L"richink.dll").c_str());
    if (!ink)
        return false;
    auto init = reinterpret_cast<void(WINAPI *)()>(reinterpret_cast<void *>(GetProcAddress(ink, "InitRichInkDLL")));
    init();
    HWND control = CreateWindowExW(0, WC_RICHINKW, L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    struct Source {
        const std::string *bytes;
        size_t at;
    } source = {&bytes, 0};
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0,
                         [](DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG *done) -> DWORD {
                             auto *s = reinterpret_cast<Source *>(cookie);
                             const size_t n = std::min(static_cast<size_t>(count), s->bytes->size() - s->at);
                             memcpy(buffer, s->bytes->data() + s->at, n);
                             s->at += n;
                             *done = static_cast<LONG>(n);
                             return 0;
                         }};
    SendMessageW(control, EM_STREAMIN, SF_RICHINK, reinterpret_cast<LPARAM>(&stream));
    DestroyWindow(control);
    return stream.dwError == 0;
}

} // namespace

TEST_F(NotesTest, ATypedNoteSurvivesAKillAndOpensFromTheRecentList) {
    e2e::Process program;
    HWND ink = StartWithNote(program);
    ASSERT_NE(ink, nullptr) << "no note screen with its ink control";
    Type(ink, L"Groceries\reggs");
    const std::wstring path = File(L"Groceries.pwi");
    for (DWORD waited = 0; waited < 25000 && Bytes(path).empty(); waited += 250)
        Sleep(250);
    ASSERT_FALSE(Bytes(path).empty()) << "the autosave did not write the note within 25 s";
    program.Kill();

    EXPECT_TRUE(IsWholeNote(Bytes(path)));
    wchar_t recent[MAX_PATH] = L"";
    DWORD size = sizeof recent;
    RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"Recent0", RRF_RT_REG_SZ, nullptr, recent, &size);
    EXPECT_STREQ(path.c_str(), recent) << "the saved note is not first in the stored recent list";

    e2e::Process again;
    ink = StartWithNote(again);
    ASSERT_NE(ink, nullptr);
    SendMessageW(frame_, WM_COMMAND, IDM_RECENT_FIRST, 0);
    EXPECT_EQ(L"Groceries\r\neggs", Text(ink)) << "the note from the recent list is not what was typed";
}

TEST_F(NotesTest, AKillDuringASaveNeverLeavesACutFile) {
    e2e::Process program;
    HWND ink = StartWithNote(program);
    ASSERT_NE(ink, nullptr);
    Type(ink, L"Big note\r");
    std::wstring big;
    for (int line = 0; big.size() < 400000; ++line)
        big += L"line " + std::to_wstring(line) + L" of a long note that takes a while to write\r\n";
    SendMessageW(ink, EM_SETSEL, -1, -1);
    SendMessageW(ink, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(big.c_str()));
    Save();
    const std::wstring path = File(L"Big note.pwi");
    ASSERT_TRUE(IsWholeNote(Bytes(path))) << "the first save did not write a whole note";
    for (DWORD delay : {0u, 5u, 15u, 40u}) {
        Type(ink, L"x");
        PostMessageW(GetDlgItem(frame_, kNoteChildId), UWM_NOTE_SAVE, 0, 0);
        Sleep(delay);
        program.Kill();
        EXPECT_TRUE(IsWholeNote(Bytes(path))) << "killed " << delay << " ms into a save: the file is cut";
        ink = StartWithNote(program);
        ASSERT_NE(ink, nullptr);
        ASSERT_TRUE(SendMessageW(GetDlgItem(frame_, kNoteChildId), WM_COMMAND, IDM_RECENT_FIRST, 0) == 0);
    }
}

TEST_F(NotesTest, ANoteTitledLikeAnotherNotesFileDoesNotOverwriteIt) {
    const std::wstring other = File(L"Plans.pwi");
    ASSERT_TRUE(testsupport::WriteFileBytes(other, "someone else's note"));

    e2e::Process program;
    HWND ink = StartWithNote(program);
    ASSERT_NE(ink, nullptr);
    Type(ink, L"Plans");
    Save();
    EXPECT_EQ("someone else's note", Bytes(other)) << "the other note was overwritten";
    EXPECT_TRUE(IsWholeNote(Bytes(File(L"Plans (2).pwi")))) << "the new note was not saved beside it";
}
