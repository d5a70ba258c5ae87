// Values under HKEY_CURRENT_USER. Failures are never reported beyond the
// results: reads fall back to the caller's default, writes return false.
#pragma once
#include <windows.h>

// Missing key or value, or a value that is not a REG_DWORD of exactly 4
// bytes, gives the default: a text "1" or a big-endian 1 is not a number.
// The key is never created.
DWORD ReadRegDword(const wchar_t *key, const wchar_t *name, DWORD defaultValue);

// Creates the key when needed, stores REG_DWORD and flushes the key.
bool WriteRegDword(const wchar_t *key, const wchar_t *name, DWORD value);

// Stores REG_SZ with its terminator; a null key or name fails.
bool WriteRegString(const wchar_t *key, const wchar_t *name, const wchar_t *text);

// Reads a REG_SZ value into buffer (capacity in characters, terminator
// included). A missing value, another type or a text that does not fit gives
// the default, cut to the buffer when it is longer. The key is created when
// missing. Returns true when the stored text was read.
bool ReadRegString(const wchar_t *key, const wchar_t *name, wchar_t *buffer, DWORD capacity,
                   const wchar_t *defaultText);
