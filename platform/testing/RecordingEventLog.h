#pragma once
// An event log that keeps its entries, for tests of code that reports only there.
#include <string>
#include <vector>

#include "platform/EventLog.h"

namespace velmora::testing {

class RecordingEventLog : public EventLog {
public:
    void Error(const std::string& text) override { errors.push_back(text); }
    std::vector<std::string> errors;
};

}  // namespace velmora::testing
