#pragma once
// Drawing an image of an icon file held by ClsIcon, and reading icon files from the library's
// resources.
#include <string>

#include <windows.h>

#include "kelpo/ClsIcon.h"

namespace velmora::kelpo {

// Builds an icon of the image's own size from its data, draws it at (x, y) and releases it;
// true when drawn.
bool DrawIconImage(const ClsIcon& icon, HDC dc, int x, int y, int index);

// The bytes of a resource of the module (name and type as in the resource script); empty when
// there is none.
std::string ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type);

}  // namespace velmora::kelpo
