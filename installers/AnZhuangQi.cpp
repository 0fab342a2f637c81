#include "installers/AnZhuangQi.h"

#include "installers/AzBiZhi.h"
#include "installers/AzJieMian.h"
#include "installers/AzShuBiao.h"
#include "installers/AzTuBiao.h"

namespace velmora {

AnZhuangQi ChengXuAnZhuangQi() {
    AnZhuangQi a;
    a.anZhuangBiZhi = [](Platform& p, const std::string& weiZhi, const std::string& path) {
        return AnZhuangBiZhi(p, weiZhi, path);
    };
    a.sheZhi = [](Platform& p, const std::string& folder) { return SheZhi(p, folder); };
    a.xiaZaiSheZhi = [](Platform& p) { return XiaZaiSheZhi(p); };
    a.xpTuBiaoAz = [](Platform& p, const std::string& icl) { return XpTuBiaoAz(p, icl); };
    a.win7TuBiaoAz = [](Platform& p, const std::string& icl) { return Win7TuBiaoAz(p, icl); };
    a.xpTuBiaoHy = [](Platform& p) { return XpTuBiaoHy(p); };
    a.win7TuBiaoAzHy = [](Platform& p) { return Win7TuBiaoAzHy(p); };
    a.xiaZaiAZJieMian = [](Platform& p, const std::string& program) { return XiaZaiAZJieMian(p, program); };
    a.xieZaiJieMian = [](Platform& p) { return XieZaiJieMian(p); };
    return a;
}

}  // namespace velmora
