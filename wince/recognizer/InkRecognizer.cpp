// Recognises nothing: every line of strokes stays ink.
#include "InkRecognizer.h"

namespace ink {

std::wstring RecognizeLine(const std::vector<Stroke> & /*strokes*/) { return std::wstring(); }

} // namespace ink
