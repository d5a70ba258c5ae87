// Registry isolation for one test: while a TestHive lives, this process's
// HKEY_CURRENT_USER is a fresh private key, so the alarm store and its
// defaults under their real paths start empty and leave nothing behind.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

class TestHive {
public:
    TestHive() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kPath);
        EXPECT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExW(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hive_, nullptr));
        EXPECT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CURRENT_USER, hive_));
    }
    ~TestHive() {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(hive_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kPath);
    }
    TestHive(const TestHive &) = delete;
    TestHive &operator=(const TestHive &) = delete;

private:
    static constexpr const wchar_t *kPath = L"Software\\Velmora\\TallyPadTest\\AlarmHive";
    HKEY hive_ = nullptr; // owned
};
