#pragma once
// The system's application event log: where the program writes what no user is shown.
#include <string>

namespace velmora {

class EventLog {
public:
    virtual ~EventLog() = default;
    // One error entry with this text (UTF-8).
    virtual void Error(const std::string& text) = 0;
};

}  // namespace velmora
