#pragma once
// Icon files made in memory for the icon reader's tests.
#include <cstdint>
#include <string>
#include <vector>

namespace velmora::kelpo::testing {

struct IconImage {
    int width = 12, height = 12, colorCount = 0, bitCount = 32;
    std::string data;  // the image bytes
};

inline void PutLittle(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Header, directory and the images one after another.
inline std::string IconFile(const std::vector<IconImage>& images) {
    std::string out;
    PutLittle(out, 0, 2);
    PutLittle(out, 1, 2);
    PutLittle(out, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const IconImage& image : images) {
        PutLittle(out, static_cast<std::uint32_t>(image.width), 1);
        PutLittle(out, static_cast<std::uint32_t>(image.height), 1);
        PutLittle(out, static_cast<std::uint32_t>(image.colorCount), 1);
        PutLittle(out, 0, 1);
        PutLittle(out, 1, 2);
        PutLittle(out, static_cast<std::uint32_t>(image.bitCount), 2);
        PutLittle(out, static_cast<std::uint32_t>(image.data.size()), 4);
        PutLittle(out, offset, 4);
        offset += static_cast<std::uint32_t>(image.data.size());
    }
    for (const IconImage& image : images) out += image.data;
    return out;
}

}  // namespace velmora::kelpo::testing
