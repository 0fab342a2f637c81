// Any command line (arguments separated by NUL bytes): what the parser hands on is whole.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/BiZhiWeiZhi.h"
#include "shell/MingLingHang.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args;
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    if (size > 0) args.push_back(current);

    const MingLing m = JieXiMingLingHang(args);
    if (args.empty() != (m.action == MingLingDongZuo::QiDong)) std::abort();
    if (m.action == MingLingDongZuo::AnZhuang) {
        if (m.path.empty()) std::abort();
        // A wallpaper always has one of the three positions; nothing else has one.
        if ((m.kind == MingLingLeiXing::BiZhi) != (BiZhiWeiZhiByName(m.position) != nullptr)) std::abort();
    }
    if (m.action != MingLingDongZuo::AnZhuang && (!m.path.empty() || !m.position.empty())) std::abort();
    return 0;
}
