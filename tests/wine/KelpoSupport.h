#pragma once
// Shared pieces of the Kelpo tests under Wine: registering the built Kelpo.dll with regsvr32 for
// the run, reading registry keys, capturing a window's pixels, real mouse input at a point, and
// a recorder of the list control's events.
#include <string>
#include <vector>

#include <windows.h>
#include <oaidl.h>

#include "tests/wine/ServerTestSupport.h"

namespace velmora::kelpotest {

// The Kelpo.dll this build assembled.
std::wstring KelpoDll();
// Runs regsvr32 with the switches on a library; its exit code, or -1 when it did not run.
long RunRegsvr32(const std::wstring& switches, const std::wstring& library = KelpoDll());
using uitest::Capture;
using uitest::DefaultValue;
using uitest::KeyExists;

// Real mouse input at a point of a window's client area (the cursor moves there).
void MoveTo(HWND window, int x, int y);
void ClickAt(HWND window, int x, int y);
void Press(HWND window, int x, int y);
void Release();
// Handles messages for the given time.
void Pump(DWORD milliseconds);

// One received event: its number and its arguments as text ("2", "1.5").
struct SeenEvent {
    DISPID id = 0;
    std::vector<std::string> args;
};
std::vector<std::string> ArgumentsOf(DISPPARAMS* params);

}  // namespace velmora::kelpotest
