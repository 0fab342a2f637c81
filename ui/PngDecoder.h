#pragma once
// PNG pictures as the skin ships them.
#include <optional>
#include <string>

#include "ui/Pixels.h"

namespace velmora {

// Decodes grey, grey with alpha, colour and colour with alpha at 8 bits a channel, and palettes
// of 1 to 8 bits, with their transparency, not interlaced. Anything else (16-bit channels,
// interlacing, a gamma or colour profile to apply), a damaged file or a failed checksum gives
// nullopt: the system's decoder is asked then.
// Into the sink; gives whether every pixel is opaque.
std::optional<bool> DecodePng(const std::string& bytes, PixelSink& sink);
std::optional<Pixels> DecodePng(const std::string& bytes);

}  // namespace velmora
