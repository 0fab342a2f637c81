#pragma once
// The resource service: where it is and the paths the program asks it for, in one place.
//
// The host is "www.velmora.com" unless changed without rebuilding, first match wins:
//   1. the environment variable VELMORA_SERVICE_HOST ("host" or "host:port");
//   2. the value Host in section [Service] of "\Data storage\Service.ini" beside the program.
#include <string>

#include "platform/Platform.h"

namespace velmora {

inline constexpr char kMoRenFuWuZhuJi[] = "www.velmora.com";

// "host" or "host:port", without scheme or slashes.
std::string FuWuZhuJi(Platform& p);
// "http://" + host.
std::string FuWuGen(Platform& p);

std::string FenLeiYeMian(Platform& p, int category);        // "/index.php?cate=" + category
std::string ZiYuanXinXiDiZhi(Platform& p, const std::string& id);  // "/kelpo.php?id=" + id
std::string GuangGaoDiZhi(Platform& p);                     // "/GuangGao.txt"
std::string AnZhuangBaoDiZhi(Platform& p);                  // "/安装包.exe"

// A file address from the service's answer made whole: one that begins with a scheme
// ("http://", letter case ignored) is kept, any other is relative to the service root.
std::string WanZhengDiZhi(Platform& p, const std::string& address);

// The support contact named in the message about a faulty resource.
inline constexpr char kKeFuQQ[] = "800058810";

// The service's description of a resource: every "/**/" is removed, the rest split at "/*/";
// field 0 is ignored, then kind word, category, name and file address. Missing fields are empty.
struct ZiYuanMiaoShu {
    std::string kind, category, name, address;
};
ZiYuanMiaoShu JieXiZiYuanMiaoShu(const std::string& answer);

}  // namespace velmora
