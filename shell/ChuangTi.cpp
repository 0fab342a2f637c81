#include "shell/ChuangTi.h"

#include <cmath>

#include "shell/BanBen.h"
#include "shell/PeiZhi.h"

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

int TwipsToPixels(int twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

std::string ChengXuWenJian(Platform& p) {
    std::string dir = p.environment.ProgramDirectory();
    if (dir.empty() || dir.back() != '\\') dir += "\\";
    return dir + p.environment.ExecutableBaseName() + ".exe";
}

bool ChuShiChuangTi(Platform& p, ChromeView& view, const ChuangTiXinXi& window) {
    const bool isMain = window.id == ChuangTiBianHao::Main;
    bool ok = true;
    const int w = window.widthTwips, h = window.heightTwips;
    const std::string dir = p.environment.ProgramDirectory();

    view.PlaceTitle(kWenZiLeft, kWenZiTop);
    view.SetBackgroundArea(w, h);
    view.SetWindowSize(w, h);
    view.PlaceCloseButton(w - kGuanBiFromRight, kAnNiuTop);
    if (isMain) {
        view.SetBackgroundArea(w + kMainOverhang, h + kMainOverhang);
        view.PlaceMinimizeButton(w - kSuoXiaoFromRight, kAnNiuTop);
        view.SetTitleText("Velmora V" + BanBenHao());
    } else {
        view.SetTitleText(window.title);
        if (!view.LoadBackground(dir + "\\Skin\\img\\Background.jpg")) {
            p.dialogs.ShowMessage("缺少软件背景图片!", "错误", MessageButtons::Ok);
        }
    }
    // The about window keeps the icon of its design, which is also the tray icon.
    if (window.id != ChuangTiBianHao::GuanYu) {
        const bool iconSet = view.SetIcon(dir + "\\Skin\\img\\Ico.ico", ChengXuWenJian(p), 0);
        if (!iconSet && !isMain) p.dialogs.ShowMessage("img文件中缺少ICO图标文件!", "错误", MessageButtons::Ok);
    }
    view.AllowMinimize();
    view.RoundCorners(w, h, kYuanJiao);

    // A missing configuration file, an empty or a non-numeric value leaves the window opaque:
    // a fully transparent window would show the user nothing at all.
    const std::string file = PeiZhiWenJian(p);
    const bool fileExists = OrdinaryFileExists(p.files, file);
    const std::string text = DuPeiZhi(p, "Function", "ChuangTiTuMing", file);
    const auto alpha = JieXiTouMingDu(text);
    view.SetOpacity(static_cast<uint8_t>(alpha ? *alpha : 255));
    if (fileExists && !alpha) ok = false;
    return ok;
}

std::string AnNiuTuPian::Path(Platform& p, AnNiuZhuangTai state) const {
    return p.environment.ProgramDirectory() + "\\Skin\\Button\\" + baseName +
           std::to_string(static_cast<int>(state)) + ".png";
}

AnNiuZhuangTai AnNiuXinZhuangTai(AnNiuZhuangTai current, ShuBiaoShiJian event, bool anyButtonHeld) {
    switch (event) {
        case ShuBiaoShiJian::LiKai: return AnNiuZhuangTai::PuTong;
        case ShuBiaoShiJian::YiDong: return anyButtonHeld ? current : AnNiuZhuangTai::XuanTing;
        case ShuBiaoShiJian::ZuoJianAnXia: return AnNiuZhuangTai::AnXia;
    }
    return current;
}

bool KaiShiTuoDong(TuoDongQu where, ShuBiaoShiJian event, bool leftHeld) {
    if (where == TuoDongQu::WenZi) return event == ShuBiaoShiJian::ZuoJianAnXia;
    return event == ShuBiaoShiJian::YiDong && leftHeld;
}

}  // namespace velmora
