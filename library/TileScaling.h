#pragma once
// A picture brought to a tile's size while its rows arrive from the decoder: every tile pixel
// is the average of the source pixels it covers, so a large picture shrinks without the
// shimmer of dropped pixels and a small one grows by repeating its pixels.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace velmora {

enum class SourcePixels {
    Bgr24,                // blue, green, red
    PremultipliedBgra32,  // blue, green, red scaled by alpha, then alpha
};

// Fills rows [first, first + count) of the source, stride bytes apart; false when the decoder
// fails. Rows are asked for in order, each band once (a growing picture asks for a row again).
using ReadRows = std::function<bool(int first, int count, std::uint8_t* rows, std::size_t stride)>;

// Bytes of one source row as the reader is handed them (padded to 4), or 0 when the width is
// not a usable picture width.
std::size_t SourceStride(int sourceWidth, SourcePixels format);

// The source drawn into width x height 32-bit pixels (blue, green, red, 255; top row first,
// 4 x width bytes a row). Transparent parts show white. False when a size is not positive, the
// source is too large to handle or a read fails; out is then left incomplete.
bool ScaleToTile(int sourceWidth, int sourceHeight, SourcePixels format, const ReadRows& read, int width,
                 int height, std::uint8_t* out);

}  // namespace velmora
