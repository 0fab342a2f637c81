#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

// A registry location written the way the desktop's scripting shell writes it:
// "HKEY_CURRENT_USER\Control Panel\Desktop\Wallpaper" names the value Wallpaper of the key
// Control Panel\Desktop; a trailing backslash names the key's default value.
struct RegistryPath {
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::string key;    // without leading or trailing backslash
    std::string value;  // empty for the default value
};

// Accepts the long root names and the short ones (HKCU, HKLM, HKCR, HKU, HKCC), in any case.
std::optional<RegistryPath> ParseRegistryPath(const std::string& fullPath);

// Everything the program reads or writes in the registry goes through here. The Win32
// implementation always uses the 64-bit view so that the 32-bit build on 64-bit Windows
// writes what the 64-bit shell and logon read.
class Registry {
public:
    virtual ~Registry() = default;
    virtual bool WriteString(const std::string& path, const std::string& value) = 0;
    virtual bool WriteExpandString(const std::string& path, const std::string& value) = 0;
    // A string value of exactly these characters with no terminating NUL, as the old ANSI
    // registry call stores it when given the characters' byte count ("32" is two bytes there).
    virtual bool WriteUnterminatedString(const std::string& path, const std::string& value) = 0;
    virtual bool WriteDword(const std::string& path, uint32_t value) = 0;
    // A string value, or the decimal text of a DWORD value, or nothing.
    virtual std::optional<std::string> ReadString(const std::string& path) = 0;
    virtual std::optional<uint32_t> ReadDword(const std::string& path) = 0;
    virtual bool DeleteValue(const std::string& path) = 0;
    // keyPath names a key (a trailing backslash is allowed); sub-keys go with it.
    virtual bool DeleteKey(const std::string& keyPath) = 0;
};

}  // namespace velmora
