#pragma once
// The main window's behaviour: the start-up sequence that its load runs and its window
// buttons. The Win32 window forwards events here and does what MainView asks.
#include <string>

#include "platform/Platform.h"
#include "core/ChuangTi.h"
#include "ui/KuangJia.h"
#include "core/PeiZhi.h"
#include "core/ZiYuanMuLu.h"

namespace velmora {

// The three page frames below the tabs; exactly one is in front.
enum class YeMian { ShouYeKuang, WangLuoZiYuan, ZiYuanGuanLiKuang };
// Frames that show the page picture "\Skin\img\General.jpg".
enum class YeMianTuPian { ShouYeKuang, WangLuoZiYuan, GuangGao };
enum class ShuBiaoJian { Zuo, You, Zhong };  // left, right, middle button

inline constexpr int kXuanXiangShu = 7;
// Left edge of tab i's click area XuanKuang, in twips; the markers move there.
inline constexpr int XuanKuangLeft(int index) { return 350 + 1350 * index; }

class MainView : public virtual ChromeView {
public:
    virtual void BringToFront(YeMian page) = 0;
    virtual void NavigateLocalBrowser(const std::string& url) = 0;  // BenDiGuanLi
    virtual void ShowWallpaperPosition(bool visible) = 0;          // BiZhiWeiZhi and Label1
    virtual void MoveSelectionMarker(int leftTwips) = 0;           // HuaKuangXD
    virtual void ShowHoverMarker(int leftTwips) = 0;               // HuaKuang
    virtual void SetStatusLine(const std::string& text) = 0;       // XinXi
    // Holds the online page's current document; its context-menu event answers false.
    virtual void HoldOnlineDocumentWithoutContextMenu() = 0;
    virtual bool LoadPagePicture(YeMianTuPian frame, const std::string& path) = 0;
    // Lets the window messages already waiting run once.
    virtual void PumpPendingMessages() = 0;
    // Calls out: the downloader panel prepares a job; the management centre loads for
    // DangQianLeiXing, shows and fills its category lists.
    virtual void CanShu(const std::string& id, const std::string& type) = 0;
    virtual void ShowGuanLiZhongXin() = 0;

    // Start-up steps whose pieces live elsewhere; each is the call it will always be.
    virtual void NavigateOnlineBrowser(const std::string& url) = 0;  // Zyll
    virtual void SetBrowsersSilent() = 0;                             // Zyll and BenDiGuanLi
    virtual void LayOutPageFrames() = 0;
    virtual void PlaceHostedPanels() = 0;  // toolbox, advertisement frame, cursor editor
    virtual void SelectWallpaperPosition(int index) = 0;  // BiZhiWeiZhi
    // The outside skin engine's entry point; its result is ignored.
    virtual void SkinHAttachEx(const std::string& skinFile, const std::string& password) = 0;

    virtual void HideMain() = 0;
    // Unloads a window if it is loaded; unloading Main last ends the process.
    virtual void UnloadWindow(ChuangTiBianHao window) = 0;
};

class Main {
public:
    Main(Platform& platform, MainView& view, QuanJuSheZhi& settings)
        : p_(platform), view_(view), settings_(settings) {}

    // The load handler: the whole start-up in its fixed order.
    void Load();
    // Background and page-frame pictures, with one message when any failed.
    void JiaZaiBeiJing();

    void OnCloseClicked();
    void OnMinimizeClicked();
    // After the program's installer has started: every window unloads in the update's order,
    // which ends the process.
    void XieZaiQuanBu();

    void OnTabPressed(int index, ShuBiaoJian button);
    void OnTabHover(int index);
    // Navigation handlers: true cancels the navigation. They decide without showing anything;
    // what an intercepted link asks for runs once its navigation is cancelled.
    bool OnOnlineBeforeNavigate(const std::string& url);
    void OnOnlineCancelled(const std::string& url);
    void OnOnlineTitleChange(const std::string& title);
    void OnOnlineDownloadComplete();
    bool OnLocalBeforeNavigate(const std::string& url);
    void OnLocalCancelled(const std::string& url);
    // Opens the management centre on a kind, afresh; the logon-screen kind only on Windows XP.
    void XianShiBenDiZiYuan(const ZiYuanLeiXing& kind);

private:
    void ShowOnline(int category, bool wallpaperPosition);
    void Tip(const std::string& text);

    Platform& p_;
    MainView& view_;
    QuanJuSheZhi& settings_;
};

}  // namespace velmora
