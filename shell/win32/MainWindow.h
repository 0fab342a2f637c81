#pragma once
// The main window `Main`: the start-up window and hub of the program.
#include "shell/Main.h"
#include "shell/win32/FramedWindow.h"

namespace velmora {

class MainWindow : public FramedWindow, public MainView {
public:
    MainWindow(Platform& platform, QuanJuSheZhi& settings);

    // Creates the window, runs the start-up and shows the window. False when the window could
    // not be created at all.
    bool Load();

    // MainView
    void NavigateOnlineBrowser(const std::string& url) override;
    void SetBrowsersSilent() override;
    void LayOutPageFrames() override;
    void PlaceHostedPanels() override;
    void JiaZaiGuangGao() override;
    void LoadAboutWindow() override;
    void SelectWallpaperPosition(int index) override;
    void SkinHAttachEx(const std::string& skinFile, const std::string& password) override;
    void HideMain() override;
    void UnloadWindow(ChuangTiBianHao window) override;

protected:
    void OnCloseClicked() override { main_.OnCloseClicked(); }
    void OnMinimizeClicked() override { main_.OnMinimizeClicked(); }

private:
    Main main_;
};

}  // namespace velmora
