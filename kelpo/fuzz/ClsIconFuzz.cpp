// Any icon file: the reader never reads outside what it holds, and whatever it accepts has
// every image inside the data.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "kelpo/ClsIcon.h"

using velmora::kelpo::ClsIcon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ClsIcon icon;
    if (!icon.LoadFromData(bytes)) {
        if (icon.Count() != 0) std::abort();
        return 0;
    }
    if (icon.Count() < 1) std::abort();
    for (int i = -1; i <= icon.Count(); ++i) {
        if (icon.Data(i).size() != icon.Length(i)) std::abort();
        (void)icon.Width(i);
        (void)icon.Height(i);
        (void)icon.BitCount(i);
    }
    return 0;
}
