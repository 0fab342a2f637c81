#pragma once
// The skin file "\Skin\img\aero.she": a small INI text with a [Skin] section naming the colours
// that standard controls take ("#RRGGBB"). Keys: Face, Text, Window, WindowText, Highlight,
// HighlightText. A key that is absent or not a colour leaves that colour as the system's.
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

struct SkinColors {
    // 0x00BBGGRR, like a Windows colour.
    std::optional<uint32_t> face, text, window, windowText, highlight, highlightText;
};

// Nothing when the text has no [Skin] section.
std::optional<SkinColors> ParseSkinFile(const std::string& text);
std::optional<uint32_t> ParseSkinColor(const std::string& value);

}  // namespace velmora
