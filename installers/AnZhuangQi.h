#pragma once
// The installers' public procedures as one table, so their callers (the download job, the
// management centre) can be tested with recording stand-ins.
#include <functional>
#include <string>

#include "platform/Platform.h"

namespace velmora {

struct AnZhuangQi {
    std::function<bool(Platform&, const std::string& weiZhi, const std::string& path)> anZhuangBiZhi;
    std::function<bool(Platform&, const std::string& folder)> sheZhi;
    std::function<bool(Platform&)> xiaZaiSheZhi;
    std::function<bool(Platform&, const std::string& icl)> xpTuBiaoAz;
    std::function<bool(Platform&, const std::string& icl)> win7TuBiaoAz;
    std::function<bool(Platform&)> xpTuBiaoHy;
    std::function<bool(Platform&)> win7TuBiaoAzHy;
    std::function<bool(Platform&, const std::string& program)> xiaZaiAZJieMian;
    std::function<bool(Platform&)> xieZaiJieMian;
};

// The program's own installers.
AnZhuangQi ChengXuAnZhuangQi();

}  // namespace velmora
