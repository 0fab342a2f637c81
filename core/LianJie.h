#pragma once
// The link forms by which the embedded pages ask the program for something instead of
// navigating.
#include <optional>
#include <string>

#include "core/ZiYuanMuLu.h"

namespace velmora {

// Online library page: a URL containing "/*/" asks to download; the id is the text after the
// first "/*/" up to the next one or the end. Nothing for any other URL.
std::optional<std::string> ZaiXianZiYuanId(const std::string& url);

// A resource id the program passes on to the service: 1 to 64 letters, digits, "-", "_" or ".".
bool ZiYuanIdHeFa(const std::string& id);

// Local-resources page: a URL ending with ".///" is a command (its navigation is always
// cancelled); with every ".///" removed it must equal one of the kinds' local page keys.
struct BenDiMingLing {
    bool intercepted = false;               // ends with ".///"
    const ZiYuanLeiXing* kind = nullptr;    // the kind to open, when the key is known
};
BenDiMingLing JieXiBenDiLianJie(const std::string& url);

// Toolbox page: exactly one of the six command links selects sub-panel 0-5.
inline constexpr int kGongJuDcwjj = 5;  // drive and folder icons: Windows XP only
std::optional<int> GongJuXiangLianJie(const std::string& url);

}  // namespace velmora
