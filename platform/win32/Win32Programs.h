#pragma once
#include "platform/Programs.h"

namespace velmora::win32 {

class Win32Programs : public Programs {
public:
    std::unique_ptr<StartedProgram> Start(const std::string& file, int showStyle) override;
    std::optional<std::vector<std::string>> RunningExecutables() override;
};

}  // namespace velmora::win32
