#pragma once
// The single table of resource kinds: names, library folders, categories, label prefixes,
// local page keys, online tabs and service category ids.
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace velmora {

enum class LeiXingBianHao { ZhuoMianBiZhi, DianNaoZhuTi, ShuBiaoZhiZhen, XiTongTuBiao, QiDongJieMian };

struct ZiYuanLeiXing {
    LeiXingBianHao id;
    const char* name;          // "桌面壁纸": the key in folders, comparisons and DangQianLeiXing
    const char* localKey;      // "http://zhuomianbizhi": opens the kind from the local page
    const char* labelPrefix;   // "壁纸:": prefix of the category counts
    int onlineTab;             // main window tab index
    int serviceCategoryXp;     // "/index.php?cate=" id on Windows XP
    int serviceCategoryWin7;   // the same on Windows 7 (differs for themes only)
    std::vector<const char*> categories;  // fixed order: creation and list order
};

// In creation order: wallpapers, themes, mouse pointers, system icons, logon screens.
const std::vector<ZiYuanLeiXing>& ZiYuanLeiXingBiao();

const ZiYuanLeiXing& LeiXing(LeiXingBianHao id);
const ZiYuanLeiXing* LeiXingByName(const std::string& name);
const ZiYuanLeiXing* LeiXingByLocalKey(const std::string& key);
// The service's kind words ("xp主题", "win7主题", "桌面壁纸", ...) onto the library's kinds.
const ZiYuanLeiXing* LeiXingByServiceWord(const std::string& word);

// True for a name that can stand alone as one folder or file name: not empty, no "\", "/",
// ":", "..", wildcard or control character, no name Windows reserves ("CON", "COM1.txt", ...)
// and no trailing dot or blank, which Windows would drop. Categories and resource names must be
// such names before any library path is built from them.
bool ShiPuTongMingCheng(const std::string& name);

// Program directory + "\Download\" + kind + "\" (+ category + "\").
std::string LeiXingMuLu(Platform& p, const ZiYuanLeiXing& kind);
std::string FenLeiMuLu(Platform& p, const std::string& kind, const std::string& category);

// Creates every missing kind and category folder; existing ones are left untouched.
void ChuangJianZiYuanMuLu(Platform& p);

// One row of the management centre's category list.
struct FenLeiHang {
    std::string MingCheng;  // the category
    std::string ShuoMing;   // label prefix + number of pictures, e.g. "壁纸:12"
};

// Counts the "*.jpg" pictures directly in each category folder (hidden and system entries
// are not counted; a missing folder counts 0). An unknown kind gets an empty prefix.
std::vector<FenLeiHang> TongJiZiYuan(Platform& p, const std::string& kind,
                                     const std::vector<std::string>& categories);

}  // namespace velmora
