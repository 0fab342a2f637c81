#include "core/LuJing.h"

namespace velmora {

namespace {
// dir + relative with exactly one backslash between them.
std::string Under(std::string dir, const std::string& relative) {
    while (!dir.empty() && dir.back() == '\\') dir.pop_back();
    if (relative.empty() || relative.front() != '\\') dir += '\\';
    return dir + relative;
}
}  // namespace

std::string ChengXuLuJing(Platform& p, const std::string& relative) {
    return Under(p.environment.ProgramDirectory(), relative);
}

std::string WindowsLuJing(Platform& p, const std::string& relative) {
    return Under(p.environment.Variable("windir").value_or(""), relative);
}

std::string ChengXuWenJian(Platform& p) { return ChengXuLuJing(p, "\\" + p.environment.ExecutableBaseName() + ".exe"); }

}  // namespace velmora
