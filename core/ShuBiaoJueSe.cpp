#include "core/ShuBiaoJueSe.h"

#include "core/LuJing.h"
#include "platform/Strings.h"

namespace velmora {

const std::array<ShuBiaoJueSe, kShuBiaoJueSeShu>& ShuBiaoJueSeBiao() {
    static const std::array<ShuBiaoJueSe, kShuBiaoJueSeShu> kTable = {{
        {"AppStarting", "AppStarting.ani", 32650, 3, 1, "后台运行"},
        {"Arrow", "Arrow.ani", 32512, 1, 2, "正常选择"},
        {"Crosshair", "Crosshair.ani", 32515, 15, 3, "精确定位"},
        {"Hand", "Hand.ani", 32649, 5, 4, "链接选择"},
        {"Help", "Help.ani", 0, 2, 5, "帮助选择"},
        {"IBeam", "IBeam.ani", 32513, 6, 6, "选定文本"},
        {"No", "No.ani", 32648, 8, 7, "不 可 用"},
        {"NWPen", "NWPen.ani", 0, 7, 8, "手    写"},
        {"SizeAll", "SizeAll.ani", 32646, 13, 9, "移    动"},
        {"SizeNESW", "SizeNESW.ani", 32643, 12, 10, "沿对角线2"},
        {"SizeNS", "SizeNS.ani", 32645, 9, 11, "垂直调整"},
        {"SizeNWSE", "SizeNWSE.ani", 32642, 11, 12, "沿对角线1"},
        {"SizeWE", "SizeWE.ani", 32644, 10, 13, "水平调整"},
        {"UpArrow", "UpArrow.ani", 32516, 14, 14, "候    选"},
        {"Wait", "Wait.ani", 32514, 4, 15, "忙"},
    }};
    return kTable;
}

const std::array<const ShuBiaoJueSe*, kShuBiaoJueSeShu>& ShuBiaoAnZhuangShunXu() {
    static const auto kOrder = [] {
        const auto& t = ShuBiaoJueSeBiao();
        std::array<const ShuBiaoJueSe*, kShuBiaoJueSeShu> order{};
        order[0] = &t[1];  // Arrow
        order[1] = &t[0];  // AppStarting
        for (size_t i = 2; i < t.size(); ++i) order[i] = &t[i];
        return order;
    }();
    return kOrder;
}

const ShuBiaoJueSe* ShuBiaoJueSeByName(const std::string& name) {
    for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) {
        if (EqualsIgnoreAsciiCase(role.name, name)) return &role;
    }
    return nullptr;
}

const ShuBiaoJueSe* ShuBiaoJueSeOfInstallerCell(int cell) {
    for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) {
        if (role.installerCell == cell) return &role;
    }
    return nullptr;
}

std::string ShuBiaoZhuCeZhi(const ShuBiaoJueSe& role) {
    return std::string("HKEY_CURRENT_USER\\Control Panel\\Cursors\\") + role.name;
}

std::string YiAnZhuangShuBiaoMuLu(Platform& p) {
    return WindowsLuJing(p, "\\Cursors\\Cursors\\");
}

std::string MoRenShuBiaoMuLu(Platform& p) { return ChengXuLuJing(p, "\\Data storage\\Cursors\\"); }

}  // namespace velmora
