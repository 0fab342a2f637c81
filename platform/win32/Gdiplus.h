#pragma once
// GDI+ (Windows XP has it). Its headers use min and max, which NOMINMAX takes away.
#include <windows.h>
#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
