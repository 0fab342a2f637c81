#pragma once
// Every program file is found relative to the directory of the executable.
#include <string>

#include "platform/Platform.h"

namespace velmora {

// Program directory + relative, where relative starts with a backslash ("\Skin\img\Ico.ico").
std::string ChengXuLuJing(Platform& p, const std::string& relative);

// Windows directory (the environment variable windir) + relative, where relative starts with a
// backslash ("\Cursors\Cursors\"). Every path under the Windows directory is built on it.
std::string WindowsLuJing(Platform& p, const std::string& relative);

// The executable itself, the icon fallback and the target of self-starts.
std::string ChengXuWenJian(Platform& p);

}  // namespace velmora
