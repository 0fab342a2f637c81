#pragma once
#include <cstddef>
#include <string>

namespace velmora {

// The text rules of private-profile files, for implementations that do not have the
// platform's own functions. See ProfileStore for the semantics.
std::string IniLookup(const std::string& text, const std::string& section, const std::string& key,
                      const std::string& defaultValue, size_t bufferChars);
// Returns the text with key set to value in section; the section is appended when missing.
std::string IniUpdate(const std::string& text, const std::string& section, const std::string& key,
                      const std::string& value);
// Cuts UTF-8 text to at most maxUnits UTF-16 code units without splitting a character.
std::string CutToUtf16Units(const std::string& utf8, size_t maxUnits);

}  // namespace velmora
