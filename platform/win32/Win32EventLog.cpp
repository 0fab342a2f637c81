#include "platform/win32/Win32EventLog.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace velmora::win32 {

void Win32EventLog::Error(const std::string& text) {
    // The source need not be registered: the viewer then shows the text with a note that the
    // message file is missing, which is all an error entry of this kind needs.
    HANDLE source = RegisterEventSourceW(nullptr, L"Velmora");
    if (!source) return;
    const std::wstring wide = Widen(text);
    const wchar_t* strings[] = {wide.c_str()};
    ReportEventW(source, EVENTLOG_ERROR_TYPE, 0, 0, nullptr, 1, 0, strings, nullptr);
    DeregisterEventSource(source);
}

EventLog& ApplicationEventLog() {
    static Win32EventLog log;
    return log;
}

}  // namespace velmora::win32
