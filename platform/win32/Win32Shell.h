#pragma once
// The real Windows behind the drive, process and icon-file interfaces.
#include "platform/Drives.h"
#include "platform/IconFiles.h"
#include "platform/Processes.h"

namespace velmora::win32 {

class Win32Drives : public Drives {
public:
    size_t LogicalDriveStrings(char* buffer, size_t bufferChars) override;
    DriveType TypeOf(const std::string& root) override;
    std::optional<uint64_t> RecycleBinItems() override;
};

class Win32Processes : public Processes {
public:
    bool Start(const std::string& commandLine, ChuangKouYangShi style) override;
};

class Win32IconFiles : public IconFiles {
public:
    IconExtraction Extract(const std::string& file, int index, void** icon) override;
};

}  // namespace velmora::win32
