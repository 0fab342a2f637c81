#pragma once
// A decoded picture as Windows draws it with alpha blending: 4 bytes a pixel in the order
// blue, green, red, alpha, the colours multiplied by alpha, top row first.
#include <cstdint>
#include <vector>

namespace velmora {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgra;
    bool opaque = true;  // every alpha is 255
};

// Pictures larger than this many pixels are left to the system's decoder.
inline constexpr int64_t kMostPixels = int64_t{1} << 26;

// Where a decoder puts a picture: asked once, when the size is known, for width * height * 4
// bytes laid out as in Pixels (null refuses). What it holds after a failed decode is undefined.
class PixelSink {
public:
    virtual ~PixelSink() = default;
    virtual uint8_t* Buffer(int width, int height) = 0;
};

// A sink that keeps the picture in Pixels.
class PixelsSink : public PixelSink {
public:
    uint8_t* Buffer(int width, int height) override {
        pixels.width = width;
        pixels.height = height;
        pixels.bgra.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
        return pixels.bgra.data();
    }
    Pixels pixels;
};

}  // namespace velmora
