// Helpers of the world clock's tests: city list files made from text.
#pragma once
#include <string>
#include <vector>

#include "world/CityList.h"

namespace worldtest {

// The bytes of a UTF-16 LE file holding text.
inline std::vector<unsigned char> FileBytes(const std::wstring &text) {
    std::vector<unsigned char> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    }
    return bytes;
}

inline std::vector<world::City> Cities(const std::wstring &text) {
    const std::vector<unsigned char> bytes = FileBytes(text);
    return world::ParseCityFile(bytes.data(), bytes.size());
}

} // namespace worldtest
