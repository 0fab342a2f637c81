#pragma once
// Programs the job starts and waits for, and the names of the running processes.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// A started program, held until it has ended.
class StartedProgram {
public:
    virtual ~StartedProgram() = default;
    virtual bool Running() = 0;
};

class Programs {
public:
    virtual ~Programs() = default;
    // Starts the program file with its first window in the ShowWindow style (2: minimised and
    // active), in the file's own folder; nothing when it cannot be started.
    virtual std::unique_ptr<StartedProgram> Start(const std::string& file, int showStyle) = 0;
    // The executable file names ("Setup.exe", no folder) of every running process; nothing when
    // the list cannot be read.
    virtual std::optional<std::vector<std::string>> RunningExecutables() = 0;
};

}  // namespace velmora
