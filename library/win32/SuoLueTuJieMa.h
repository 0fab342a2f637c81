#pragma once
// The two decoders behind JieMaSuoLueTu, each from the bytes of a picture file into a width x
// height 32-bit bitmap: the imaging component (which a JPEG decoder can shrink while it decodes;
// not on every Windows XP) and GDI+ (on every one). Null when the decoder is missing or cannot
// read the bytes.
#include <windows.h>

#include <string>

namespace velmora {

HBITMAP WicJieMa(const std::string& bytes, int width, int height);
HBITMAP GdiplusJieMa(const std::string& bytes, int width, int height);

}  // namespace velmora
