// Handwriting recognition: how much of the held-out samples (generated with
// another seed than the model's training) and of the hand-made samples it
// reads, and how long a line takes. "-v" lists what was misread.
#include "BenchClock.h"
#include "CharacterModel.h"
#include "support/InkSamples.h"

#include <cstdio>
#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// Characters in the same place that match, over the longer text's length.
int MatchingCharacters(const std::wstring &want, const std::wstring &got) {
    int same = 0;
    for (size_t i = 0; i < want.size() && i < got.size(); i++)
        same += want[i] == got[i];
    return same;
}

void Report(const char *title, const std::vector<InkSample> &samples, char kind, const ink::CharacterModel &model,
            bool verbose) {
    int lines = 0, linesRight = 0, chars = 0, charsRight = 0;
    for (const InkSample &s : samples) {
        if (s.kind != kind)
            continue;
        const std::wstring got = ink::RecognizeLineWith(model, s.strokes);
        lines++;
        linesRight += got == s.text;
        chars += int(std::max(s.text.size(), got.size()));
        charsRight += MatchingCharacters(s.text, got);
        if (verbose && got != s.text)
            std::printf("  %ls -> %ls\n", s.text.c_str(), got.c_str());
    }
    if (lines == 0)
        return;
    std::printf("%-34s %4d lines, %5.1f %% exact, %5.1f %% of characters\n", title, lines, 100.0 * linesRight / lines,
                100.0 * charsRight / std::max(chars, 1));
}

// A 20-character line: held-out characters, every seventh, side by side.
std::vector<ink::Stroke> TwentyCharacterLine(const std::vector<InkSample> &samples) {
    std::vector<ink::Stroke> line;
    long x = 0;
    int placed = 0, seen = 0;
    for (const InkSample &sample : samples) {
        if (sample.kind != 'C' || sample.strokes.empty() || seen++ % 7 != 0)
            continue;
        long left = LONG_MAX, right = LONG_MIN;
        for (const ink::Stroke &s : sample.strokes)
            for (const POINT &p : s.points) {
                left = std::min(left, p.x);
                right = std::max(right, p.x);
            }
        for (ink::Stroke s : sample.strokes) {
            for (POINT &p : s.points)
                p.x += x - left;
            line.push_back(s);
        }
        x += right - left + 12;
        if (++placed == 20)
            break;
    }
    return line;
}

} // namespace

int main(int argc, char **argv) {
    const bool verbose = argc > 1 && std::strcmp(argv[1], "-v") == 0;
    double start = Seconds();
    ink::CharacterModel model;
    if (!model.Load(ProgramFolder() + L"ink-latin.model")) {
        std::printf("no usable ink-latin.model beside the program\n");
        return 1;
    }
    std::printf("model loaded in %.1f ms\n", 1000 * (Seconds() - start));

    const auto heldOut = ReadInkSamples(ProgramFolder() + L"ink-heldout.txt");
    const auto hand = ReadInkSamples(ProgramFolder() + L"ink-handmade.txt");
    Report("held-out single characters", heldOut, 'C', model, verbose);
    Report("held-out lines of words", heldOut, 'W', model, verbose);
    Report("hand-made samples", hand, 'H', model, verbose);

    const auto line = TwentyCharacterLine(heldOut);
    const int rounds = 50;
    std::wstring text;
    start = Seconds();
    for (int i = 0; i < rounds; i++)
        text = ink::RecognizeLineWith(model, line);
    std::printf("a line of 20 characters, %zu strokes (\"%ls\"): %.2f ms to recognise\n", line.size(), text.c_str(),
                1000 * (Seconds() - start) / rounds);
    return 0;
}
