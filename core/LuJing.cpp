#include "core/LuJing.h"

namespace velmora {

std::string ChengXuLuJing(Platform& p, const std::string& relative) {
    std::string dir = p.environment.ProgramDirectory();
    while (!dir.empty() && dir.back() == '\\') dir.pop_back();
    if (relative.empty() || relative.front() != '\\') dir += '\\';
    return dir + relative;
}

std::string ChengXuWenJian(Platform& p) { return ChengXuLuJing(p, "\\" + p.environment.ExecutableBaseName() + ".exe"); }

std::string WindowsLuJing(Platform& p, const std::string& relative) {
    std::string dir = p.environment.Variable("windir").value_or(std::string());
    while (!dir.empty() && dir.back() == '\\') dir.pop_back();
    return dir + relative;
}

}  // namespace velmora
