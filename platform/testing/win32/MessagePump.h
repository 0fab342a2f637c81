#pragma once
// Letting the message loop run inside a Windows test, as the program's own loop would.
#include <functional>

#include <windows.h>

namespace velmora::testing {

// Dispatches messages for the given time.
void PumpFor(DWORD milliseconds);
// Dispatches messages until done() or the time is up; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);

}  // namespace velmora::testing
