#pragma once
#include <cstddef>
#include <string>

namespace velmora {

// Private-profile (INI) files, with the semantics of GetPrivateProfileString and
// WritePrivateProfileString: section and key names match without regard to case, blanks
// around names and values are ignored, one pair of enclosing quotes is removed from a value,
// a read returns at most bufferChars - 1 characters, and a missing file reads as the default.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    virtual std::string Read(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& defaultValue, size_t bufferChars) = 0;
    // Creates the file and the section when missing, as the platform does.
    virtual bool Write(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
};

}  // namespace velmora
