#include "core/SkinFile.h"

#include <cctype>

#include "platform/IniText.h"
#include "platform/Strings.h"

namespace velmora {

std::optional<uint32_t> ParseSkinColor(const std::string& value) {
    const std::string v = TrimBlanks(value);
    if (v.size() != 7 || v[0] != '#') return std::nullopt;
    uint32_t rgb = 0;
    for (size_t i = 1; i < 7; ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(v[i])));
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        rgb = rgb * 16 + static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return (b << 16) | (g << 8) | r;
}

std::optional<SkinColors> ParseSkinFile(const std::string& text) {
    bool hasSection = false;
    for (const std::string& line : Split(ReplaceAll(text, "\r", ""), "\n")) {
        const std::string t = ToLowerAscii(TrimBlanks(line));
        if (StartsWith(t, "[skin]")) hasSection = true;
    }
    if (!hasSection) return std::nullopt;
    const auto color = [&](const char* key) { return ParseSkinColor(IniLookup(text, "Skin", key, "", 64)); };
    SkinColors c;
    c.face = color("Face");
    c.text = color("Text");
    c.window = color("Window");
    c.windowText = color("WindowText");
    c.highlight = color("Highlight");
    c.highlightText = color("HighlightText");
    return c;
}

}  // namespace velmora
