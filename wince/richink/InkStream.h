// The ink control's stream: a note written to bytes and read back exactly.
#pragma once
#include <string>
#include <vector>

#include "InkDocument.h"

namespace richink {

// What a note keeps beside its content.
struct NoteView {
    int pageStyle; // RI_PAGE_BLANK or RI_PAGE_LINED
    int inputMode; // RI_INPUT_DRAWING or RI_INPUT_TYPING
    int zoom;      // percent, 75..300
    int penWidth;  // percent of the normal width for new strokes
    int pageExtra; // pixels at zoom 100 kept below the content, 0..kMaxPageExtra
    bool wrap;
};

const int kMinZoom = 75;
const int kMaxZoom = 300;
const int kMaxPageExtra = 10000;
// The largest stream a note can make, with room to spare; reading stops there.
const size_t kMaxStreamBytes = 48u * 1024 * 1024;

std::vector<unsigned char> WriteNote(const std::wstring &text, const std::vector<InkStroke> &strokes,
                                     const NoteView &view);

// False, with the outputs untouched, for anything but a whole, undamaged
// stream of a known version whose values are all within their limits.
bool ReadNote(const std::vector<unsigned char> &bytes, std::wstring &text, std::vector<InkStroke> &strokes,
              NoteView &view);

} // namespace richink
