#include "shell/Main.h"

#include "shell/ZiYuanMuLu.h"

namespace velmora {

void Main::Load() {
    // Every step runs even when an earlier one failed; failures are reported once, below.
    const bool failed = !ChuShiChuangTi(p_, view_, ChuangTi(ChuangTiBianHao::Main));

    view_.NavigateOnlineBrowser("about:blank");
    view_.SetBrowsersSilent();
    view_.LayOutPageFrames();

    const std::string file = PeiZhiWenJian(p_);
    settings_.GuanBiTuiChu = PeiZhiKaiGuan(DuPeiZhi(p_, "Function", "GuanBi", file));
    settings_.XiaZaiAnZhuang = PeiZhiKaiGuan(DuPeiZhi(p_, "Function", "XiaZai", file));
    if (failed) {
        p_.dialogs.ShowMessage("Data storage文件中缺少Sys.dll文件!", "错误", MessageButtons::Ok);
    }

    ChuangJianZiYuanMuLu(p_);
    view_.PlaceHostedPanels();
    JiaZaiBeiJing();
    view_.JiaZaiGuangGao();
    view_.LoadAboutWindow();
    view_.SkinHAttachEx(p_.environment.ProgramDirectory() + "\\Skin\\img\\aero.she", "");
    view_.SelectWallpaperPosition(0);
}

void Main::JiaZaiBeiJing() {
    const std::string img = p_.environment.ProgramDirectory() + "\\Skin\\img\\";
    if (!view_.LoadBackground(img + "Background.jpg")) {
        p_.dialogs.ShowMessage("Skin\\img缺少General图片!", "错误", MessageButtons::Ok);
    }
}

void Main::OnCloseClicked() {
    if (!settings_.GuanBiTuiChu) {
        view_.HideMain();
        return;
    }
    for (ChuangTiBianHao w : {ChuangTiBianHao::AzBiZhi, ChuangTiBianHao::AzJieMian, ChuangTiBianHao::AzShuBiao,
                              ChuangTiBianHao::AzTuBiao, ChuangTiBianHao::GuanLiZhongXin,
                              ChuangTiBianHao::RuanJianSheZhi, ChuangTiBianHao::GuanYu, ChuangTiBianHao::Main}) {
        view_.UnloadWindow(w);
    }
}

void Main::OnMinimizeClicked() { view_.HideMain(); }

}  // namespace velmora
