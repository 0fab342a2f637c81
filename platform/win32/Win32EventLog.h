#pragma once
// The application event log of Windows (ReportEvent), under the program's name as source.
#include "platform/EventLog.h"

namespace velmora::win32 {

class Win32EventLog : public EventLog {
public:
    void Error(const std::string& text) override;
};

// The one process-wide log.
EventLog& ApplicationEventLog();

}  // namespace velmora::win32
