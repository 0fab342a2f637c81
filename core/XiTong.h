#pragma once
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace velmora {

inline const char* const kWindowsXP = "Windows XP";
inline const char* const kWindows7 = "Windows 7";

// The system's name from the version the management service reports: "Windows Server 2003",
// "Windows 2000", "Windows XP", "Windows Vista", "Windows 7" or "未知系统". No version (the
// service could not be reached) gives the empty string, which matches no name.
std::string XiTongMingCheng(const std::optional<std::string>& version);

// Asked anew at every call: nothing is cached.
std::string PanDuanXiTong(Platform& p);

}  // namespace velmora
