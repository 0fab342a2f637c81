#pragma once
// The wallpaper positions: the items of every position box (the main window's and the wallpaper
// installer's) and the values each writes.
#include <array>
#include <string>

namespace velmora {

struct BiZhiWeiZhiXiang {
    const char* name;            // "拉伸"
    const char* tileWallpaper;   // TileWallpaper
    const char* wallpaperStyle;  // WallpaperStyle
};

// "拉伸", "居中", "平铺" in the boxes' order; item 0 is the default.
const std::array<BiZhiWeiZhiXiang, 3>& BiZhiWeiZhiBiao();
// The position of that text, or null for any other text.
const BiZhiWeiZhiXiang* BiZhiWeiZhiByName(const std::string& text);

}  // namespace velmora
