#include "platform/Registry.h"

#include "platform/Strings.h"

namespace velmora {

std::optional<RegistryPath> ParseRegistryPath(const std::string& fullPath) {
    static const struct {
        const char* name;
        RegistryRoot root;
    } kRoots[] = {
        {"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot}, {"HKCR", RegistryRoot::ClassesRoot},
        {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser}, {"HKCU", RegistryRoot::CurrentUser},
        {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine}, {"HKLM", RegistryRoot::LocalMachine},
        {"HKEY_USERS", RegistryRoot::Users},               {"HKU", RegistryRoot::Users},
        {"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig}, {"HKCC", RegistryRoot::CurrentConfig},
    };
    const size_t firstSlash = fullPath.find('\\');
    if (firstSlash == std::string::npos) return std::nullopt;
    const std::string rootName = fullPath.substr(0, firstSlash);
    RegistryPath out;
    bool found = false;
    for (const auto& r : kRoots) {
        if (EqualsIgnoreAsciiCase(rootName, r.name)) {
            out.root = r.root;
            found = true;
            break;
        }
    }
    if (!found) return std::nullopt;
    const std::string rest = fullPath.substr(firstSlash + 1);
    const size_t lastSlash = rest.rfind('\\');
    if (lastSlash == std::string::npos) {
        // "HKCU\Name": a value directly under the root.
        out.value = rest;
        return out;
    }
    out.key = rest.substr(0, lastSlash);
    out.value = rest.substr(lastSlash + 1);
    while (!out.key.empty() && out.key.back() == '\\') out.key.pop_back();
    return out;
}

}  // namespace velmora
