#include "core/ChuangTi.h"

namespace velmora {

const ChuangTiXinXi& ChuangTi(ChuangTiBianHao id) {
    static const ChuangTiXinXi kWindows[] = {
        {ChuangTiBianHao::Main, "Main", 12070, 7600, "Velmora", "", GuanBiDongZuo::TuiChuHuoYinCang},
        {ChuangTiBianHao::GuanYu, "GuanYu", 4000, 1400, "关于软件", "文字", GuanBiDongZuo::YinCang},
        {ChuangTiBianHao::AzBiZhi, "AzBiZhi", 8890, 7020, "桌面壁纸", "桌面壁纸", GuanBiDongZuo::XieZai},
        {ChuangTiBianHao::AzJieMian, "AzJieMian", 10000, 6100, "登陆界面", "登陆界面", GuanBiDongZuo::XieZai},
        {ChuangTiBianHao::AzShuBiao, "AzShuBiao", 3450, 4600, "鼠标指针", "鼠标指针", GuanBiDongZuo::XieZai},
        {ChuangTiBianHao::AzTuBiao, "AzTuBiao", 3680, 5400, "系统图标", "系统图标", GuanBiDongZuo::XieZai},
        {ChuangTiBianHao::GuanLiZhongXin, "GuanLiZhongXin", 10975, 8265, "资源管理", "资源管理",
         GuanBiDongZuo::XieZai},
        {ChuangTiBianHao::RuanJianSheZhi, "RuanJianSheZhi", 3990, 3590, "软件设置", "软件设置",
         GuanBiDongZuo::XieZai},
        {ChuangTiBianHao::ZiDongGenXin, "ZiDongGenXin", 6210, 2865, "自动更新", "在线软件更新",
         GuanBiDongZuo::XieZai},
    };
    for (const auto& w : kWindows) {
        if (w.id == id) return w;
    }
    return kWindows[0];
}

}  // namespace velmora
