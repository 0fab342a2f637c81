#include "core/LianJie.h"

#include "platform/Strings.h"

namespace velmora {

namespace {
const std::string kZiYuanBiaoJi = "/*/";
const std::string kMingLingHouZhui = ".///";
}  // namespace

std::optional<std::string> ZaiXianZiYuanId(const std::string& url) {
    if (url.find(kZiYuanBiaoJi) == std::string::npos) return std::nullopt;
    return Split(url, kZiYuanBiaoJi)[1];
}

bool ZiYuanIdHeFa(const std::string& id) {
    if (id.empty() || id.size() > 64) return false;
    for (const char c : id) {
        const bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
                        c == '_' || c == '.';
        if (!ok) return false;
    }
    return true;
}

BenDiMingLing JieXiBenDiLianJie(const std::string& url) {
    BenDiMingLing out;
    if (!EndsWith(url, kMingLingHouZhui)) return out;
    out.intercepted = true;
    out.kind = LeiXingByLocalKey(ReplaceAll(url, kMingLingHouZhui, ""));
    return out;
}

std::optional<int> GongJuXiangLianJie(const std::string& url) {
    static const char* const kLinks[] = {"http://xtyy.///", "http://xttb.///",  "http://zmbz.///",
                                         "http://qdjm.///", "http://zdysb.///", "http://dcwjj.///"};
    for (int i = 0; i < 6; ++i) {
        if (url == kLinks[i]) return i;
    }
    return std::nullopt;
}

}  // namespace velmora
