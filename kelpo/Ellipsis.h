#pragma once
// Fitting a text into a box, ending it in "..." when it is too wide: the longest beginning of
// the text (whole characters) that leaves room for the dots.
#include <cstddef>
#include <functional>
#include <string>

namespace velmora::kelpo {

// Width in pixels of a UTF-8 text in the font being drawn with.
using MeasureText = std::function<int(const std::string& text)>;

struct FittedText {
    bool fits = true;      // the whole text fits: draw it into the box as asked
    std::string kept;      // otherwise: the beginning that is drawn, left-aligned ...
    int keptWidth = 0;     // ... this wide, followed by "..."
};

FittedText FitText(const std::string& text, int boxWidth, const MeasureText& width);

}  // namespace velmora::kelpo
