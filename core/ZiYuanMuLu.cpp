#include "core/ZiYuanMuLu.h"
#include "core/LuJing.h"
#include "platform/Strings.h"

namespace velmora {

const std::vector<ZiYuanLeiXing>& ZiYuanLeiXingBiao() {
    static const std::vector<ZiYuanLeiXing> kTable = {
        {LeiXingBianHao::ZhuoMianBiZhi, "桌面壁纸", "http://zhuomianbizhi", "壁纸:", 1, 12, 12,
         {"经典珍藏", "温馨浪漫", "设计创意", "美女壁纸", "动物壁纸", "军事壁纸", "卡通壁纸", "酷车壁纸",
          "游戏壁纸", "影视壁纸", "风景壁纸", "其他酷图", "用户自定义"}},
        {LeiXingBianHao::DianNaoZhuTi, "电脑主题", "http://diannaozhuti", "主题:", 2, 13, 14,
         {"3D主题", "仿Win7", "风景主题", "卡通主题", "温馨浪漫", "美女主题", "影视主题", "游戏主题"}},
        {LeiXingBianHao::ShuBiaoZhiZhen, "鼠标指针", "http://shubiaozhizhen", "指针:", 3, 15, 15,
         {"3D效果", "动漫鼠标", "透明系列"}},
        {LeiXingBianHao::XiTongTuBiao, "系统图标", "http://xitongtubiao", "图标:", 4, 16, 16,
         {"标志", "动漫", "个性", "苹果", "其他"}},
        {LeiXingBianHao::QiDongJieMian, "启动界面", "http://qidongjiemian", "界面:", 5, 17, 17, {"登陆界面"}},
    };
    return kTable;
}

const ZiYuanLeiXing& LeiXing(LeiXingBianHao id) {
    for (const auto& k : ZiYuanLeiXingBiao()) {
        if (k.id == id) return k;
    }
    return ZiYuanLeiXingBiao().front();
}

const ZiYuanLeiXing* LeiXingByName(const std::string& name) {
    for (const auto& k : ZiYuanLeiXingBiao()) {
        if (name == k.name) return &k;
    }
    return nullptr;
}

const ZiYuanLeiXing* LeiXingByLocalKey(const std::string& key) {
    for (const auto& k : ZiYuanLeiXingBiao()) {
        if (key == k.localKey) return &k;
    }
    return nullptr;
}

const ZiYuanLeiXing* LeiXingByServiceWord(const std::string& word) {
    if (word == "xp主题" || word == "win7主题") return &LeiXing(LeiXingBianHao::DianNaoZhuTi);
    if (word == "电脑主题") return nullptr;  // the service never names themes without the system
    return LeiXingByName(word);
}

namespace {

bool ReservedDeviceName(const std::string& name) {
    // The part before the first dot decides: "con.txt" is the console as much as "CON".
    const std::string stem = ToLowerAscii(TrimBlanks(name.substr(0, name.find('.'))));
    static const char* const kNames[] = {"con", "prn", "aux", "nul", "clock$", "conin$", "conout$"};
    for (const char* n : kNames) {
        if (stem == n) return true;
    }
    return stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

bool ShiPuTongMingCheng(const std::string& name) {
    if (TrimBlanks(name).empty() || name.find("..") != std::string::npos) return false;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7f) return false;
        if (std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos) return false;
    }
    if (name.back() == '.' || name.back() == ' ') return false;
    return !ReservedDeviceName(name);
}

std::string LeiXingMuLu(Platform& p, const ZiYuanLeiXing& kind) {
    return ChengXuLuJing(p, "\\Download\\") + kind.name + "\\";
}

std::string FenLeiMuLu(Platform& p, const std::string& kind, const std::string& category) {
    return ChengXuLuJing(p, "\\Download\\") + kind + "\\" + category + "\\";
}

void ChuangJianZiYuanMuLu(Platform& p) {
    for (const auto& kind : ZiYuanLeiXingBiao()) {
        for (const char* category : kind.categories) {
            const std::string dir = FenLeiMuLu(p, kind.name, category);
            if (!p.files.Stat(dir)) p.files.CreateDirectories(dir);
        }
    }
}

std::vector<FenLeiHang> TongJiZiYuan(Platform& p, const std::string& kind,
                                     const std::vector<std::string>& categories) {
    const ZiYuanLeiXing* k = LeiXingByName(kind);
    const std::string prefix = k ? k->labelPrefix : "";
    std::vector<FenLeiHang> rows;
    for (const std::string& category : categories) {
        const size_t count = p.files.ListFiles(FenLeiMuLu(p, kind, category), "*.jpg").size();
        rows.push_back(FenLeiHang{category, prefix + std::to_string(count)});
    }
    return rows;
}

}  // namespace velmora
