#pragma once
// Starting command lines without waiting for them.
#include <string>

namespace velmora {

// The window styles a started program is asked to show its first window with (ShowWindow's).
enum class ChuangKouYangShi : int { Hidden = 0, Normal = 1, Minimized = 2, Maximized = 3 };

class Processes {
public:
    virtual ~Processes() = default;
    // Starts the command line as the shell's program start does (the program is found on the
    // search path); true when it started.
    virtual bool Start(const std::string& commandLine, ChuangKouYangShi style) = 0;
};

}  // namespace velmora
