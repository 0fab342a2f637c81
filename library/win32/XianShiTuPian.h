#pragma once
// The tiles' pictures: each file decoded once, already at the tile's size, and handed to a
// Thumb tile as a picture object the program keeps owning.
#include <windows.h>
#include <ocidl.h>

#include <string>

#include "platform/FileSystem.h"
#include "platform/win32/ComRef.h"

namespace velmora {

// The picture file drawn into a width x height bitmap in one pass (scaled while it decodes
// where the decoder can), or null when the file cannot be read or decoded.
HBITMAP JieMaSuoLueTu(FileSystem& files, const std::string& path, int width, int height);

// A picture object around the bitmap, which it then owns; null (and the bitmap deleted) when
// the object cannot be made.
ComRef<IPictureDisp> SuoLueTuDuiXiang(HBITMAP bitmap);

}  // namespace velmora
