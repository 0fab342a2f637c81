#include "core/PeiZhi.h"
#include "core/LuJing.h"

#include <cctype>
#include <cstdlib>

#include "platform/Strings.h"
#include "core/BanBen.h"

namespace velmora {

std::string BanBenHao() {
    return std::to_string(kBanBenZhu) + "." + std::to_string(kBanBenCi) + "." + std::to_string(kBanBenXiuDing);
}

std::string PeiZhiWenJian(Platform& p) { return ChengXuLuJing(p, "\\Data storage\\Sys.dll"); }

namespace {
void QueShaoPeiZhi(Platform& p) { p.dialogs.ShowMessage("缺少配置文件!", "错误", MessageButtons::Ok); }
}  // namespace

std::string DuPeiZhi(Platform& p, const std::string& section, const std::string& key, const std::string& file) {
    if (!OrdinaryFileExists(p.files, file)) {
        QueShaoPeiZhi(p);
        return std::string();
    }
    return p.profile.Read(file, section, key, "", kPeiZhiHuanChong);
}

void XiePeiZhi(Platform& p, const std::string& section, const std::string& key, const std::string& value,
               const std::string& file) {
    if (!OrdinaryFileExists(p.files, file)) {
        QueShaoPeiZhi(p);
        return;
    }
    p.profile.Write(file, section, key, value);
}

std::optional<int> JieXiTouMingDu(const std::string& value) {
    const std::string t = TrimBlanks(value);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == t.size()) return std::nullopt;
    long long n = 0;
    for (; i < t.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(t[i]))) return std::nullopt;
        if (n < 1000) n = n * 10 + (t[i] - '0');  // anything past 255 clamps the same
    }
    if (negative) n = -n;
    if (n < 0) return 0;
    if (n > 255) return 255;
    return static_cast<int>(n);
}

bool JianChaWangLuo(Platform& p) { return p.system.IsConnected(); }


}  // namespace velmora
