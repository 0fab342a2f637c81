#include "shell/Main.h"

#include "core/FuWu.h"
#include "core/LuJing.h"
#include "core/LianJie.h"
#include "core/XiTong.h"
#include "core/ZiYuanMuLu.h"

namespace velmora {

void Main::Load() {
    // Every step runs even when an earlier one failed; failures are reported once, below.
    const bool failed = !ChuShiChuangTi(p_, view_, ChuangTiKuangJia(ChuangTiBianHao::Main));

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
    // The advertisement list and the about window with the tray icon take their place here.
    view_.SkinHAttachEx(ChengXuLuJing(p_, "\\Skin\\img\\aero.she"), "");
    view_.SelectWallpaperPosition(0);
}

void Main::JiaZaiBeiJing() {
    const std::string img = ChengXuLuJing(p_, "\\Skin\\img\\");
    bool ok = view_.LoadBackground(img + "Background.jpg");
    for (YeMianTuPian frame : {YeMianTuPian::ShouYeKuang, YeMianTuPian::WangLuoZiYuan, YeMianTuPian::GuangGao}) {
        ok = view_.LoadPagePicture(frame, img + "General.jpg") && ok;
    }
    if (!ok) p_.dialogs.ShowMessage("Skin\\img缺少General图片!", "错误", MessageButtons::Ok);
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

void Main::XieZaiQuanBu() {
    for (ChuangTiBianHao w : {ChuangTiBianHao::AzBiZhi, ChuangTiBianHao::AzJieMian, ChuangTiBianHao::AzShuBiao,
                              ChuangTiBianHao::AzTuBiao, ChuangTiBianHao::GuanLiZhongXin,
                              ChuangTiBianHao::RuanJianSheZhi, ChuangTiBianHao::Main, ChuangTiBianHao::GuanYu,
                              ChuangTiBianHao::ZiDongGenXin}) {
        view_.UnloadWindow(w);
    }
}

void Main::Tip(const std::string& text) { p_.dialogs.ShowMessage(text, "提示", MessageButtons::Ok); }

void Main::ShowOnline(int category, bool wallpaperPosition) {
    view_.NavigateOnlineBrowser(FenLeiYeMian(p_, category));
    view_.BringToFront(YeMian::WangLuoZiYuan);
    view_.ShowWallpaperPosition(wallpaperPosition);
}

void Main::OnTabPressed(int index, ShuBiaoJian button) {
    if (button != ShuBiaoJian::Zuo || index < 0 || index >= kXuanXiangShu) return;
    if (index == 0) {
        view_.BringToFront(YeMian::ShouYeKuang);
    } else if (!JianChaWangLuo(p_)) {
        Tip("网络连接不正常,请查看宽带是否连接!");
    } else if (index == 2) {
        const ZiYuanLeiXing& themes = LeiXing(LeiXingBianHao::DianNaoZhuTi);
        const std::string system = PanDuanXiTong(p_);
        if (system == kWindowsXP) {
            view_.NavigateOnlineBrowser(FenLeiYeMian(p_, themes.serviceCategoryXp));
        } else if (system == kWindows7) {
            view_.NavigateOnlineBrowser(FenLeiYeMian(p_, themes.serviceCategoryWin7));
        } else {
            Tip(system + "系统暂时支持该功能！");
        }
        view_.BringToFront(YeMian::WangLuoZiYuan);
        view_.ShowWallpaperPosition(false);
    } else if (index == 5) {
        const std::string system = PanDuanXiTong(p_);
        if (system != kWindowsXP) {
            Tip(system + " 系统不能使用该功能,该功能只适用于XP系统");
        } else {
            ShowOnline(LeiXing(LeiXingBianHao::QiDongJieMian).serviceCategoryXp, false);
        }
    } else if (index != 6) {
        // Tabs 1, 3 and 4 show their kind's page; only wallpapers have a position to choose.
        for (const ZiYuanLeiXing& kind : ZiYuanLeiXingBiao()) {
            if (kind.onlineTab == index) ShowOnline(kind.serviceCategoryXp, index == 1);
        }
    }
    if (index == 6) {
        view_.BringToFront(YeMian::ZiYuanGuanLiKuang);
        view_.NavigateLocalBrowser(ChengXuLuJing(p_, "\\Data storage\\Web\\Ziygl.html"));
    }
    view_.MoveSelectionMarker(XuanKuangLeft(index));
}

void Main::OnTabHover(int index) {
    if (index >= 0 && index < kXuanXiangShu) view_.ShowHoverMarker(XuanKuangLeft(index));
}

bool Main::OnOnlineBeforeNavigate(const std::string& url) { return ZaiXianZiYuanId(url).has_value(); }

void Main::OnOnlineCancelled(const std::string& url) {
    const auto id = ZaiXianZiYuanId(url);
    if (!id) return;
    view_.CanShu(*id, "资源");
    view_.PumpPendingMessages();
}

void Main::OnOnlineTitleChange(const std::string& title) { view_.SetStatusLine("当前：" + title); }

void Main::OnOnlineDownloadComplete() { view_.HoldOnlineDocumentWithoutContextMenu(); }

bool Main::OnLocalBeforeNavigate(const std::string& url) { return JieXiBenDiLianJie(url).intercepted; }

void Main::OnLocalCancelled(const std::string& url) {
    const BenDiMingLing command = JieXiBenDiLianJie(url);
    if (command.kind) XianShiBenDiZiYuan(*command.kind);
}

void Main::XianShiBenDiZiYuan(const ZiYuanLeiXing& kind) {
    const std::string system = kind.id == LeiXingBianHao::QiDongJieMian ? PanDuanXiTong(p_) : std::string(kWindowsXP);
    if (system != kWindowsXP) {
        Tip(system + "系统暂时不支持该功能!");
        return;
    }
    view_.UnloadWindow(ChuangTiBianHao::GuanLiZhongXin);
    settings_.DangQianLeiXing = kind.name;
    view_.ShowGuanLiZhongXin();
}

}  // namespace velmora
