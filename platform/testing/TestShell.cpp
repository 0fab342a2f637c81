#include "platform/testing/TestShell.h"

#include <cstring>

namespace velmora::testing {

size_t FakeDrives::LogicalDriveStrings(char* buffer, size_t bufferChars) {
    listRequests.push_back(bufferChars);
    std::string list;
    for (const auto& [letter, type] : drives) {
        if (type == DriveType::NoRootDir) continue;
        list += letter;
        list += ":\\";
        list += '\0';
    }
    // As the system does: the size needed, terminator included, when it does not fit.
    if (list.size() + 1 > bufferChars) return list.size() + 1;
    std::memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = '\0';
    return list.size();
}

DriveType FakeDrives::TypeOf(const std::string& root) {
    if (root.size() < 2 || root[1] != ':') return DriveType::NoRootDir;
    const char letter = static_cast<char>(root[0] >= 'a' && root[0] <= 'z' ? root[0] - 'a' + 'A' : root[0]);
    const auto d = drives.find(letter);
    return d == drives.end() ? DriveType::NoRootDir : d->second;
}

std::vector<std::string> RecordingProcesses::CommandLines() const {
    std::vector<std::string> lines;
    for (const Started& s : started) lines.push_back(s.commandLine);
    return lines;
}

IconExtraction FakeIconFiles::Extract(const std::string& file, int index, void** icon) {
    ++extractions;
    const auto f = iconCounts.find(file);
    if (f == iconCounts.end()) return IconExtraction::NoIcon;
    if (f->second < 0) return IconExtraction::NotAnIconFile;
    if (index >= f->second) return IconExtraction::NoIcon;
    // Any non-null token; the tests never draw it.
    *icon = reinterpret_cast<void*>(static_cast<uintptr_t>(index + 16));
    return IconExtraction::Icon;
}

}  // namespace velmora::testing
