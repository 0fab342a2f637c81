#pragma once
// JPEG pictures as the skin ships them.
#include <cstdint>
#include <optional>
#include <string>

#include "ui/Pixels.h"

namespace velmora {

// Decodes sequential Huffman-coded JPEG at 8 bits a sample in one scan: grey, or colour
// (YCbCr, or RGB as marked by Adobe) with the colour planes at full, half or quarter size.
// Progressive or arithmetic-coded files, other layouts and damaged data give nullopt: the
// system's decoder is asked then.
// Into the sink; the picture is always opaque.
bool DecodeJpeg(const std::string& bytes, PixelSink& sink);
std::optional<Pixels> DecodeJpeg(const std::string& bytes);

// The inverse transform of one block: 64 dequantised coefficients in row order (overwritten)
// into 8 x 8 samples, level-shifted and limited to 0..255. Exposed for its test.
void InverseDct(int32_t* coefficients, uint8_t* out, int stride);

}  // namespace velmora
