#include "core/BiZhiWeiZhi.h"

namespace velmora {

const std::array<BiZhiWeiZhiXiang, 3>& BiZhiWeiZhiBiao() {
    static const std::array<BiZhiWeiZhiXiang, 3> kWeiZhi = {{
        {"拉伸", "0", "2"},
        {"居中", "0", "0"},
        {"平铺", "1", "0"},
    }};
    return kWeiZhi;
}

const BiZhiWeiZhiXiang* BiZhiWeiZhiByName(const std::string& text) {
    for (const BiZhiWeiZhiXiang& w : BiZhiWeiZhiBiao()) {
        if (text == w.name) return &w;
    }
    return nullptr;
}

}  // namespace velmora
