#pragma once
// The tiles' pictures: each file decoded once, already at the tile's size, and handed to a
// Thumb tile as a picture object the program keeps owning.
#include <windows.h>
#include <oaidl.h>
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

// Decodes the file at the tile's picture size and hands it to the tile (its "Picture"
// property, by reference); returns the picture, which the caller keeps owning while the
// tile shows it. Null (and the tile's picture cleared) when the file cannot be decoded.
ComRef<IPictureDisp> ZhuangRuXianShiTu(IDispatch* tile, FileSystem& files, const std::string& path, int width,
                                       int height);

}  // namespace velmora
