#include "platform/FileSystem.h"

#include "platform/Strings.h"

namespace velmora {

bool OrdinaryFileExists(FileSystem& fs, const std::string& path) {
    const auto info = fs.Stat(path);
    return info && !info->directory && !info->hidden && !info->system;
}

bool AnyFileExists(FileSystem& fs, const std::string& path) {
    const auto info = fs.Stat(path);
    return info && !info->directory;
}

bool DirectoryExists(FileSystem& fs, const std::string& path) {
    const auto info = fs.Stat(path);
    return info && info->directory;
}

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
    const std::string n = ToLowerAscii(name);
    const std::string p = ToLowerAscii(pattern);
    // Iterative match with backtracking to the last star.
    size_t ni = 0, pi = 0, starP = std::string::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
            ++ni;
            ++pi;
        } else if (pi < p.size() && p[pi] == '*') {
            starP = pi++;
            starN = ni;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

}  // namespace velmora
