#pragma once
// Drives and the recycle bin, as the icon installer asks about them.
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// The system's drive type codes.
enum class DriveType : int { Unknown = 0, NoRootDir = 1, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };

class Drives {
public:
    virtual ~Drives() = default;
    // The logical drive list ("C:\", NUL, "D:\", NUL, ..., NUL) copied into buffer, at most
    // bufferChars characters. Returns the characters copied without the final NUL, or, when the
    // list does not fit, the buffer size it needs (more than bufferChars); 0 on failure.
    virtual size_t LogicalDriveStrings(char* buffer, size_t bufferChars) = 0;
    // The type of a drive given as "C:\" or "C:".
    virtual DriveType TypeOf(const std::string& root) = 0;
    // Items in the recycle bins of all drives; nothing when the query fails.
    virtual std::optional<uint64_t> RecycleBinItems() = 0;
};

}  // namespace velmora
