// Written samples with the text they spell, read from a file of lines:
// "<kind> <text>" starts a sample, each "S x,y x,y ..." that follows is one
// of its strokes in page coordinates. Made by data/inkmodel.py (held-out
// samples) or by hand (bench/HandSamples.txt).
#pragma once
#include "InkRecognizer.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct InkSample {
    char kind; // 'C' a single character, 'W' words, 'H' written by hand
    std::wstring text;
    std::vector<ink::Stroke> strokes;
};

// The folder of the running program, with a trailing backslash.
inline std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

inline std::vector<InkSample> ReadInkSamples(const std::wstring &path) {
    std::vector<InkSample> samples;
    std::ifstream in(path.c_str());
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 2 || line[0] == '#')
            continue;
        if (line[0] == 'S' && !samples.empty()) {
            ink::Stroke stroke;
            std::istringstream points(line.substr(2));
            long x, y;
            char comma;
            while (points >> x >> comma >> y)
                stroke.points.push_back(POINT{x, y});
            samples.back().strokes.push_back(std::move(stroke));
        } else if (line[0] != 'S') {
            InkSample sample{line[0], std::wstring(line.begin() + 2, line.end()), {}};
            samples.push_back(std::move(sample));
        }
    }
    return samples;
}
