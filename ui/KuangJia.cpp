#include "ui/KuangJia.h"

#include <cmath>

#include "core/BanBen.h"
#include "core/LuJing.h"
#include "core/PeiZhi.h"

namespace velmora {

KuangJia ChuangTiKuangJia(ChuangTiBianHao id) {
    const ChuangTiXinXi& w = ChuangTi(id);
    KuangJia frame;
    frame.className = w.className;
    frame.caption = w.caption;
    frame.widthTwips = w.widthTwips;
    frame.heightTwips = w.heightTwips;
    frame.zhuChuangKou = id == ChuangTiBianHao::Main;
    frame.baoLiuTuBiao = id == ChuangTiBianHao::GuanYu;
    frame.title = frame.zhuChuangKou ? "Velmora V" + BanBenHao() : w.title;
    return frame;
}

int TwipsToPixels(int twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

bool ChuShiChuangTi(Platform& p, ChromeView& view, const KuangJia& frame) {
    bool ok = true;
    const int w = frame.widthTwips, h = frame.heightTwips;

    view.PlaceTitle(kWenZiLeft, kWenZiTop);
    view.SetBackgroundArea(w, h);
    view.SetWindowSize(w, h);
    view.PlaceCloseButton(w - kGuanBiFromRight, kAnNiuTop);
    if (frame.zhuChuangKou) {
        view.SetBackgroundArea(w + kMainOverhang, h + kMainOverhang);
        view.PlaceMinimizeButton(w - kSuoXiaoFromRight, kAnNiuTop);
        view.SetTitleText(frame.title);
    } else {
        view.SetTitleText(frame.title);
        if (!view.LoadBackground(ChengXuLuJing(p, "\\Skin\\img\\Background.jpg")))
            p.dialogs.ShowMessage("缺少软件背景图片!", "错误", MessageButtons::Ok);
    }
    if (!frame.baoLiuTuBiao) {
        const bool iconSet = view.SetIcon(ChengXuLuJing(p, "\\Skin\\img\\Ico.ico"), ChengXuWenJian(p), 0);
        if (!iconSet && !frame.zhuChuangKou)
            p.dialogs.ShowMessage("img文件中缺少ICO图标文件!", "错误", MessageButtons::Ok);
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
    return ChengXuLuJing(p, "\\Skin\\Button\\" + baseName + std::to_string(static_cast<int>(state)) + ".png");
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
