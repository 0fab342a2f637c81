#include "installers/AzBiZhi.h"

#include "core/LuJing.h"
#include "core/ZiYuanMuLu.h"
#include "platform/Strings.h"

namespace velmora {

namespace {

const char* const kRegistryGeneral = "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Desktop\\General\\";
const char* const kWinIni = "Win.ini";
const char* const kBadPicture = "图片格式错误，请查看图片是否损坏！";
const char* const kWarning = "警告";

// Decode, write the bitmap into its folder (made as MakeSureDirectoryPathExists would), record
// the position, set the wallpaper. A picture that does not decode changes nothing at all.
bool Install(Platform& p, const std::string& weiZhi, const std::string& picturePath, const std::string& folder,
             const std::string& name) {
    const auto picture = p.pictures.Load(picturePath);
    if (!picture) {
        p.dialogs.ShowMessage(kBadPicture, kWarning, MessageButtons::Ok);
        return false;
    }
    const std::string bitmap = folder + name;
    p.files.CreateDirectories(folder);  // a failure shows as the bitmap's
    // Without the bitmap the position values would describe a wallpaper that is not there.
    if (!p.pictures.SaveBmp(*picture, bitmap)) {
        p.dialogs.ShowMessage("壁纸文件无法写入：" + bitmap, kWarning, MessageButtons::Ok);
        return false;
    }
    if (const BiZhiWeiZhiXiang* position = BiZhiWeiZhiByName(weiZhi)) {
        // A failing write is skipped; the wallpaper is still set.
        p.registry.WriteString(std::string(kRegistryGeneral) + "TileWallpaper", position->tileWallpaper);
        p.registry.WriteString(std::string(kRegistryGeneral) + "WallpaperStyle", position->wallpaperStyle);
        p.profile.Write(kWinIni, "Desktop", "Wallpaper", bitmap);
        p.profile.Write(kWinIni, "Desktop", "TileWallpaper", position->tileWallpaper);
        p.profile.Write(kWinIni, "Desktop", "WallpaperStyle", position->wallpaperStyle);
    }
    return p.desktop.SetWallpaper(bitmap);
}

}  // namespace

std::string BiZhiWenJian(Platform& p) { return WindowsLuJing(p, "\\Wallpaper\\Wallpaper.bmp"); }

bool AnZhuangBiZhi(Platform& p, const std::string& weiZhi, const std::string& anZhuangUrl) {
    return Install(p, weiZhi, anZhuangUrl, WindowsLuJing(p, "\\Wallpaper\\"), "Wallpaper.bmp");
}

bool ZiDingYiBiZhi(Platform& p, const std::string& weiZhi, const std::string& anZhuangUrl,
                   const std::string& mingChen) {
    const std::string folder = FenLeiMuLu(p, "桌面壁纸", "用户自定义");
    // A bare file name only: the bitmap belongs in this one library folder.
    const bool plainName = !mingChen.empty() && mingChen.find_first_of("\\/:") == std::string::npos &&
                           mingChen != "." && mingChen != "..";
    if (!plainName) {
        p.dialogs.ShowMessage("壁纸文件无法写入：" + folder + mingChen, kWarning, MessageButtons::Ok);
        return false;
    }
    return Install(p, weiZhi, anZhuangUrl, folder, mingChen);
}

void AzBiZhi::Load(const std::string& dangQianTuPian) {
    dangQianTuPian_ = dangQianTuPian;
    ChuShiChuangTi(p_, view_, ChuangTiKuangJia(ChuangTiBianHao::AzBiZhi));
    if (p_.pictures.Load(dangQianTuPian)) {
        view_.ShowPicture(dangQianTuPian);
    } else {
        view_.ShowPicture("");
        p_.dialogs.ShowMessage("壁纸不存在!", "错误", MessageButtons::Ok);
    }
    view_.SelectPosition(0);
}

bool AzBiZhi::OnAnZhuang() { return AnZhuangBiZhi(p_, view_.PositionText(), dangQianTuPian_); }

}  // namespace velmora
