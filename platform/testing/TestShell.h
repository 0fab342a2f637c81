#pragma once
// Stand-ins for drives, program starts and icon files in the native tests.
#include <map>
#include <string>
#include <vector>

#include "platform/Drives.h"
#include "platform/IconFiles.h"
#include "platform/Processes.h"

namespace velmora::testing {

// Drives by letter with their types; the drive list holds them in letter order.
class FakeDrives : public Drives {
public:
    size_t LogicalDriveStrings(char* buffer, size_t bufferChars) override;
    DriveType TypeOf(const std::string& root) override;
    std::optional<uint64_t> RecycleBinItems() override { return recycleBinItems; }

    std::map<char, DriveType> drives{{'C', DriveType::Fixed}};
    std::optional<uint64_t> recycleBinItems = 0;
    std::vector<size_t> listRequests;  // the buffer sizes the list was asked with
};

class RecordingProcesses : public Processes {
public:
    struct Started {
        std::string commandLine;
        ChuangKouYangShi style;
    };
    bool Start(const std::string& commandLine, ChuangKouYangShi style) override {
        started.push_back(Started{commandLine, style});
        return startSucceeds;
    }
    std::vector<std::string> CommandLines() const;

    std::vector<Started> started;
    bool startSucceeds = true;
};

// Icon counts by file; a file not listed has no icons, one listed with -1 is not an icon file.
class FakeIconFiles : public IconFiles {
public:
    IconExtraction Extract(const std::string& file, int index, void** icon) override;

    std::map<std::string, int> iconCounts;
    int extractions = 0;
};

}  // namespace velmora::testing
