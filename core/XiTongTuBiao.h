#pragma once
// The system-icon slots: the ten icons of an icon set in their fixed order, where the shell
// reads each on Windows XP and on Windows 7, and what a restore puts back there. Also the
// recycle bin's current icon, which follows the bin's state.
#include <string>
#include <vector>

namespace velmora {

enum class TuBiaoXiTong { Xp, Win7 };

// What a restore does with a location.
enum class HuanYuanDongZuo { XieRu, ShanChu, BuXie };  // write the value, delete it, leave it

struct TuBiaoHuanYuan {
    HuanYuanDongZuo action;
    const char* value;  // for XieRu; "" writes the empty string
};

struct TuBiaoCao {
    int index;         // the icon's position in the set, as in "file,index"
    const char* role;  // "我的文档", ...
    // Registry locations by full path (a trailing backslash names the key's default value).
    // The drive slots hold "*" where the drive letter goes.
    std::string xpPath;
    std::string win7Path;
    TuBiaoHuanYuan xpRestore;
    TuBiaoHuanYuan win7Restore;
};

inline constexpr int kTuBiaoShu = 10;
// Slots by index.
inline constexpr int kHuiShouZhanKong = 3, kHuiShouZhanMan = 4, kGuangQu = 7, kYingPan = 9;

// The ten slots in index order.
const std::vector<TuBiaoCao>& TuBiaoCaoBiao();
const TuBiaoCao& TuBiaoCaoAt(int index);

// The location of a slot on a system; drive slots need the drive letter.
std::string TuBiaoWeiZhi(const TuBiaoCao& slot, TuBiaoXiTong system, char driveLetter = '\0');
TuBiaoHuanYuan TuBiaoHuanYuanZhi(const TuBiaoCao& slot, TuBiaoXiTong system);

// The recycle bin's current icon (the same on both systems); the XP restore writes the empty or
// full bin icon there by the bin's state, the Windows 7 restore leaves it.
inline const char* const kHuiShouZhanDangQian =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\"
    "{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon\\";
inline const char* const kHuiShouZhanKongXp = "Shell32.dll,31";
inline const char* const kHuiShouZhanManXp = "Shell32.dll,32";

// The default icon of one drive: "HKEY_LOCAL_MACHINE\...\DriveIcons\" + letter + "\DefaultIcon\".
std::string QuDongQiTuBiaoJian(const std::string& letter);

}  // namespace velmora
