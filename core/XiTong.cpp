#include "core/XiTong.h"

namespace velmora {

std::string XiTongMingCheng(const std::optional<std::string>& version) {
    if (!version) return std::string();
    static const struct {
        const char* prefix;
        const char* name;
    } kNames[] = {
        {"5.2", "Windows Server 2003"}, {"5.0", "Windows 2000"}, {"5.1", "Windows XP"},
        {"6.0", "Windows Vista"},       {"6.1", "Windows 7"},
    };
    const std::string head = version->substr(0, 3);
    for (const auto& n : kNames) {
        if (head == n.prefix) return n.name;
    }
    return "未知系统";
}

std::string PanDuanXiTong(Platform& p) { return XiTongMingCheng(p.system.OsVersion()); }

}  // namespace velmora
