#include "kelpo/Ellipsis.h"

#include <vector>

namespace velmora::kelpo {
namespace {

// Byte offsets where each character of a UTF-8 text ends (continuation bytes never end one).
std::vector<std::size_t> CharacterEnds(const std::string& text) {
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= text.size(); ++i)
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ends.push_back(i);
    return ends;
}

}  // namespace

FittedText FitText(const std::string& text, int boxWidth, const MeasureText& width) {
    FittedText fitted;
    if (width(text) <= boxWidth) return fitted;
    fitted.fits = false;
    const int room = boxWidth - width("...");
    // Widths grow with the length, so the largest count that fits is found by halving.
    const std::vector<std::size_t> ends = CharacterEnds(text);
    std::size_t low = 0, high = ends.size();  // count low fits (0 always counts), high is unknown
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (width(text.substr(0, ends[mid - 1])) <= room) low = mid;
        else high = mid - 1;
    }
    fitted.kept = low == 0 ? std::string() : text.substr(0, ends[low - 1]);
    fitted.keptWidth = low == 0 ? 0 : width(fitted.kept);
    return fitted;
}

}  // namespace velmora::kelpo
