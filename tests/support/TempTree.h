// A throwaway folder tree for one test, under the temporary folder: folders
// and files are added by relative path ("Notes\a.pwi") and everything goes
// when the tree does.
#pragma once
#include <windows.h>

#include <string>

class TempTree {
public:
    TempTree() {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        static int serial = 0;
        wchar_t name[64];
        _snwprintf(name, 64, L"TallyPadTree-%lu-%d", GetCurrentProcessId(), ++serial);
        name[63] = 0;
        root_ = std::wstring(temp) + name;
        CreateDirectoryW(root_.c_str(), nullptr);
    }
    ~TempTree() { Remove(root_); }
    TempTree(const TempTree &) = delete;
    TempTree &operator=(const TempTree &) = delete;

    // The tree's own folder, without a trailing "\".
    const std::wstring &Root() const { return root_; }
    std::wstring Path(const std::wstring &relative) const { return root_ + L"\\" + relative; }
    void Folder(const std::wstring &relative) const { CreateDirectoryW(Path(relative).c_str(), nullptr); }
    void File(const std::wstring &relative) const {
        HANDLE h = CreateFileW(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }

private:
    static void Remove(const std::wstring &folder) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(folder + L"\\" + name);
                else
                    DeleteFileW((folder + L"\\" + name).c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring root_;
};
