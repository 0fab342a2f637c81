#include "core/FuWu.h"
#include "core/LuJing.h"

#include <algorithm>
#include <cctype>

#include "platform/Strings.h"

namespace velmora {

namespace {

// Accepts "host", "host:port" and forgives a scheme or trailing slashes written by hand.
std::string CleanHost(std::string host) {
    host = TrimBlanks(host);
    if (StartsWith(ToLowerAscii(host), "http://")) host = host.substr(7);
    while (!host.empty() && host.back() == '/') host.pop_back();
    return host;
}

}  // namespace

std::string FuWuZhuJi(Platform& p) {
    if (const auto env = p.environment.Variable("VELMORA_SERVICE_HOST")) {
        const std::string host = CleanHost(*env);
        if (!host.empty()) return host;
    }
    const std::string file = ChengXuLuJing(p, "\\Data storage\\Service.ini");
    if (OrdinaryFileExists(p.files, file)) {
        const std::string host = CleanHost(p.profile.Read(file, "Service", "Host", "", 255));
        if (!host.empty()) return host;
    }
    return kMoRenFuWuZhuJi;
}

std::string FuWuGen(Platform& p) { return "http://" + FuWuZhuJi(p); }

std::string FenLeiYeMian(Platform& p, int category) {
    return FuWuGen(p) + "/index.php?cate=" + std::to_string(category);
}

std::string ZiYuanXinXiDiZhi(Platform& p, const std::string& id) { return FuWuGen(p) + "/kelpo.php?id=" + id; }

std::string GuangGaoDiZhi(Platform& p) { return FuWuGen(p) + "/GuangGao.txt"; }

std::string AnZhuangBaoDiZhi(Platform& p) { return FuWuGen(p) + "/安装包.exe"; }

namespace {

bool HasScheme(const std::string& address) {
    const size_t end = address.find("://");
    if (end == std::string::npos || end == 0 || !std::isalpha(static_cast<unsigned char>(address[0]))) return false;
    return std::all_of(address.begin(), address.begin() + static_cast<std::ptrdiff_t>(end), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

}  // namespace

std::string WanZhengDiZhi(Platform& p, const std::string& address) {
    if (HasScheme(address)) return address;
    return FuWuGen(p) + "/" + (StartsWith(address, "/") ? address.substr(1) : address);
}

ZiYuanMiaoShu JieXiZiYuanMiaoShu(const std::string& answer) {
    const std::vector<std::string> f = Split(ReplaceAll(answer, "/**/", ""), "/*/");
    const auto field = [&f](size_t i) { return i < f.size() ? f[i] : std::string(); };
    return ZiYuanMiaoShu{field(1), field(2), field(3), field(4)};
}

}  // namespace velmora
