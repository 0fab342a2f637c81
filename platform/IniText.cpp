#include "platform/IniText.h"

#include <vector>

#include "platform/Strings.h"

namespace velmora {

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
}

// The section name of a header line, or false when the line is no header.
bool SectionHeader(const std::string& line, std::string& name) {
    const std::string t = TrimBlanks(line);
    if (t.empty() || t[0] != '[') return false;
    const size_t close = t.find(']');
    name = TrimBlanks(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

void SplitEntry(const std::string& line, std::string& key, std::string& value) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) {
        key = TrimBlanks(line);
        value.clear();
    } else {
        key = TrimBlanks(line.substr(0, eq));
        value = TrimBlanks(line.substr(eq + 1));
    }
}

std::string StripQuotes(const std::string& v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

}  // namespace

std::string CutToUtf16Units(const std::string& utf8, size_t maxUnits) {
    size_t units = 0, i = 0;
    while (i < utf8.size()) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        size_t len = 1, u = 1;
        if (c >= 0xF0) {
            len = 4;
            u = 2;
        } else if (c >= 0xE0) {
            len = 3;
        } else if (c >= 0xC0) {
            len = 2;
        }
        if (units + u > maxUnits) break;
        units += u;
        i += len;
    }
    return utf8.substr(0, i < utf8.size() ? i : utf8.size());
}

std::string IniLookup(const std::string& text, const std::string& section, const std::string& key,
                      const std::string& defaultValue, size_t bufferChars) {
    if (bufferChars == 0) return std::string();
    std::string result = defaultValue;
    while (!result.empty() && result.back() == ' ') result.pop_back();
    bool inSection = false;
    const std::string wantSection = TrimBlanks(section);
    const std::string wantKey = TrimBlanks(key);
    for (const std::string& line : SplitLines(text)) {
        std::string name;
        if (SectionHeader(line, name)) {
            if (inSection) break;  // the first matching section is the one that counts
            inSection = EqualsIgnoreAsciiCase(name, wantSection);
            continue;
        }
        if (!inSection) continue;
        std::string k, v;
        SplitEntry(line, k, v);
        if (!k.empty() && EqualsIgnoreAsciiCase(k, wantKey)) {
            result = StripQuotes(v);
            break;
        }
    }
    return CutToUtf16Units(result, bufferChars - 1);
}

std::string IniUpdate(const std::string& text, const std::string& section, const std::string& key,
                      const std::string& value) {
    std::vector<std::string> lines = SplitLines(text);
    const std::string entry = key + "=" + value;
    bool inSection = false;
    size_t sectionEnd = std::string::npos;  // index after the section's last non-blank line
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string name;
        if (SectionHeader(lines[i], name)) {
            if (inSection) break;
            inSection = EqualsIgnoreAsciiCase(name, TrimBlanks(section));
            if (inSection) sectionEnd = i + 1;
            continue;
        }
        if (!inSection) continue;
        std::string k, v;
        SplitEntry(lines[i], k, v);
        if (!k.empty() && EqualsIgnoreAsciiCase(k, TrimBlanks(key))) {
            lines[i] = entry;
            return JoinLines(lines);
        }
        if (!TrimBlanks(lines[i]).empty()) sectionEnd = i + 1;
    }
    if (sectionEnd != std::string::npos) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), entry);
    } else {
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    return JoinLines(lines);
}

}  // namespace velmora
