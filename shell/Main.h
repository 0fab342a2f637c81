#pragma once
// The main window's behaviour: the start-up sequence that its load runs and its window
// buttons. The Win32 window forwards events here and does what MainView asks.
#include <string>

#include "platform/Platform.h"
#include "shell/ChuangTi.h"
#include "shell/PeiZhi.h"

namespace velmora {

class MainView : public virtual ChromeView {
public:
    // Start-up steps whose pieces live elsewhere; each is the call it will always be.
    virtual void NavigateOnlineBrowser(const std::string& url) = 0;  // Zyll
    virtual void SetBrowsersSilent() = 0;                             // Zyll and BenDiGuanLi
    virtual void LayOutPageFrames() = 0;
    virtual void PlaceHostedPanels() = 0;  // toolbox, advertisement frame, cursor editor
    virtual void JiaZaiGuangGao() = 0;     // advertisements (may open the update window)
    virtual void LoadAboutWindow() = 0;    // GuanYu, which owns the tray icon
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

private:
    Platform& p_;
    MainView& view_;
    QuanJuSheZhi& settings_;
};

}  // namespace velmora
