#include "shell/MingLingHang.h"

#include "core/BiZhiWeiZhi.h"
#include "platform/Strings.h"

namespace velmora {

namespace {

struct LeiXingMing {
    MingLingLeiXing kind;
    const char* chinese;
    const char* english;
};

const LeiXingMing kLeiXing[] = {
    {MingLingLeiXing::BiZhi, "桌面壁纸", "wallpaper"},
    {MingLingLeiXing::ShuBiao, "鼠标指针", "cursors"},
    {MingLingLeiXing::TuBiao, "系统图标", "icons"},
    {MingLingLeiXing::JieMian, "启动界面", "logon"},
};

MingLing BuMing(bool silent) {
    MingLing m;
    m.action = MingLingDongZuo::BuMing;
    m.silent = silent;
    return m;
}

}  // namespace

bool MingLingLeiXingByName(const std::string& word, MingLingLeiXing* kind) {
    for (const LeiXingMing& k : kLeiXing) {
        if (word == k.chinese || EqualsIgnoreAsciiCase(word, k.english)) {
            *kind = k.kind;
            return true;
        }
    }
    return false;
}

MingLing JieXiMingLingHang(const std::vector<std::string>& args) {
    std::vector<std::string> words;
    bool silent = false;
    for (const std::string& a : args) {
        if (EqualsIgnoreAsciiCase(a, "/silent")) {
            silent = true;
        } else {
            words.push_back(a);
        }
    }
    if (args.empty()) return MingLing{};
    if (words.size() < 2) return BuMing(silent);

    MingLing m;
    m.silent = silent;
    if (EqualsIgnoreAsciiCase(words[0], "/install")) {
        m.action = MingLingDongZuo::AnZhuang;
    } else if (EqualsIgnoreAsciiCase(words[0], "/restore")) {
        m.action = MingLingDongZuo::HuanYuan;
    } else {
        return BuMing(silent);
    }
    if (!MingLingLeiXingByName(words[1], &m.kind)) return BuMing(silent);

    if (m.action == MingLingDongZuo::HuanYuan) return words.size() == 2 ? m : BuMing(silent);

    const size_t most = m.kind == MingLingLeiXing::BiZhi ? 4 : 3;
    if (words.size() < 3 || words.size() > most || TrimBlanks(words[2]).empty()) return BuMing(silent);
    m.path = words[2];
    // The system's splitting reads a quoted folder's closing backslash, "C:\a b\", as an escaped
    // quote and hands over C:\a b" instead.
    if (m.path.back() == '"') m.path.back() = '\\';
    if (words.size() == 4) {
        if (!BiZhiWeiZhiByName(words[3])) return BuMing(silent);
        m.position = words[3];
    } else if (m.kind == MingLingLeiXing::BiZhi) {
        m.position = BiZhiWeiZhiBiao()[0].name;
    }
    return m;
}

std::string MingLingYongFa() {
    return "用法：\n"
           "  Velmora.exe /install <类型> <路径> [<位置>]\n"
           "  Velmora.exe /restore <类型>\n"
           "\n"
           "类型：桌面壁纸 (wallpaper)、鼠标指针 (cursors)、系统图标 (icons)、启动界面 (logon)\n"
           "位置：拉伸（默认）、居中、平铺，仅用于桌面壁纸\n"
           "/silent：不显示任何提示";
}

}  // namespace velmora
