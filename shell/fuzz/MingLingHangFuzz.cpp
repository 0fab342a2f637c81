// Any command line (arguments separated by NUL bytes): what the parser hands on is whole.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <algorithm>

#include "core/BiZhiWeiZhi.h"
#include "core/LianJie.h"
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
    // A resource link carries a plain id, and only a resource link carries one.
    if ((m.action == MingLingDongZuo::ZiYuan) != !m.id.empty()) std::abort();
    if (!m.id.empty() && !ZiYuanIdHeFa(m.id)) std::abort();

    // The same bytes as a block forwarded by another instance.
    const std::string block(reinterpret_cast<const char*>(data), size);
    if (const auto forwarded = JieMaMingLing(block)) {
        if (BianMaMingLing(*forwarded) != block) std::abort();
    } else if (size <= kMingLingZuiChang && std::count(block.begin(), block.end(), '\0') < 16) {
        std::abort();
    }
    return 0;
}
