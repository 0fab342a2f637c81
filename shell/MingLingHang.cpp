#include "shell/MingLingHang.h"

#include "core/BiZhiWeiZhi.h"
#include "core/LianJie.h"
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

const char kLianJieQianZhui[] = "velmora://resource/";

// "velmora://resource/<id>" (a trailing "/" as browsers add it is allowed) or "/resource <id>";
// the id of a well-formed link, nothing for anything else.
std::optional<std::string> ZiYuanLianJie(const std::vector<std::string>& words) {
    std::string id;
    if (words.size() == 1 && ToLowerAscii(words[0]).compare(0, sizeof kLianJieQianZhui - 1, kLianJieQianZhui) == 0) {
        id = words[0].substr(sizeof kLianJieQianZhui - 1);
        if (EndsWith(id, "/")) id.pop_back();
    } else if (words.size() == 2 && EqualsIgnoreAsciiCase(words[0], "/resource")) {
        id = words[1];
    } else {
        return std::nullopt;
    }
    if (!ZiYuanIdHeFa(id)) return std::nullopt;
    return id;
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

const ZiYuanLeiXing* ZiYuanKuLeiXingByName(const std::string& word) {
    MingLingLeiXing installerKind;
    if (MingLingLeiXingByName(word, &installerKind)) {
        for (const LeiXingMing& k : kLeiXing) {
            if (k.kind == installerKind) return LeiXingByName(k.chinese);
        }
    }
    const ZiYuanLeiXing& themes = LeiXing(LeiXingBianHao::DianNaoZhuTi);
    if (word == themes.name || EqualsIgnoreAsciiCase(word, "themes")) return &themes;
    return nullptr;
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
    if (const auto link = ZiYuanLianJie(words)) {
        MingLing m;
        m.action = MingLingDongZuo::ZiYuan;
        m.id = *link;
        m.silent = silent;
        return m;
    }
    if (words.size() < 2) return BuMing(silent);

    MingLing m;
    m.silent = silent;
    if (EqualsIgnoreAsciiCase(words[0], "/library")) {
        const ZiYuanLeiXing* kind = words.size() == 2 ? ZiYuanKuLeiXingByName(words[1]) : nullptr;
        if (!kind) return BuMing(silent);
        m.action = MingLingDongZuo::ZiYuanKu;
        m.library = kind->name;
        return m;
    }
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
           "  Velmora.exe velmora://resource/<编号>  或  Velmora.exe /resource <编号>\n"
           "  Velmora.exe /library <类型>    打开资源管理\n"
           "\n"
           "类型：桌面壁纸 (wallpaper)、鼠标指针 (cursors)、系统图标 (icons)、启动界面 (logon)，\n"
           "      /library 另有 电脑主题 (themes)\n"
           "位置：拉伸（默认）、居中、平铺，仅用于桌面壁纸\n"
           "/silent：不显示任何提示";
}

std::string BianMaMingLing(const std::vector<std::string>& args) {
    std::string block;
    for (size_t i = 0; i < args.size(); ++i) {
        if (i > 0) block.push_back('\0');
        block += args[i];
    }
    return block;
}

std::optional<std::vector<std::string>> JieMaMingLing(const std::string& block) {
    constexpr size_t kMostArguments = 16;
    if (block.size() > kMingLingZuiChang) return std::nullopt;
    std::vector<std::string> args;
    if (block.empty()) return args;
    args = Split(block, std::string(1, '\0'));
    if (args.size() > kMostArguments) return std::nullopt;
    return args;
}

}  // namespace velmora
