#pragma once
// The screen's resolution and memory drawing surfaces.
#include <windows.h>

namespace velmora {

// Pixels per logical inch across (cx) and down (cy). The system's setting holds for the life of
// the process, so it is read once.
SIZE ScreenDpi();

// A 32-bit surface, top row first, for drawing off screen: unlike a bitmap compatible with the
// display, creating, selecting and copying it stays inside the program.
HBITMAP CreateSurface(int width, int height, void** pixels = nullptr);

}  // namespace velmora
