// Any file handed to the picture decoders: they read nothing outside it, and what they accept
// fills exactly the picture they announce.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/Inflate.h"
#include "ui/JpegDecoder.h"
#include "ui/PngDecoder.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const auto& pixels : {DecodePng(bytes), DecodeJpeg(bytes)}) {
        if (!pixels) continue;
        if (pixels->width <= 0 || pixels->height <= 0 ||
            pixels->bgra.size() != static_cast<size_t>(pixels->width) * pixels->height * 4) {
            std::abort();
        }
    }
    // The bare stream too, unpacked to a size the data's first byte chooses.
    if (size > 0) {
        std::vector<uint8_t> out(static_cast<size_t>(data[0]) * 16);
        ZlibInflate(data + 1, size - 1, out);
    }
    return 0;
}
