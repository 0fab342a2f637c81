#pragma once
#include <string>
#include <vector>

#include "shell/MingLingHang.h"

namespace velmora {

// The arguments after the program's name, as the system splits them.
std::vector<std::string> MingLingCanShu();

// An install, restore or a command line not understood, in a process of its own: runs before any
// window, tray icon or network, and gives the exit status.
int ZhiXingMingLingHang(MingLing command);

}  // namespace velmora
