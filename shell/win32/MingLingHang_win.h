#pragma once
#include <optional>

namespace velmora {

// The command line ("/install", "/restore", "/silent") in a process of its own: runs before any
// window, tray icon or network, and gives the exit status. Nothing when the program was started
// without arguments, which is the ordinary start-up.
std::optional<int> ZhiXingMingLingHang();

}  // namespace velmora
