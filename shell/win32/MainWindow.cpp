#include "shell/win32/MainWindow.h"

#include "shell/win32/SkinEngine.h"

namespace velmora {

MainWindow::MainWindow(Platform& platform, QuanJuSheZhi& settings)
    : FramedWindow(platform, ChuangTiBianHao::Main), main_(platform, *this, settings) {}

bool MainWindow::Load() {
    if (!Create()) return false;
    main_.Load();
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
    return true;
}

// The pages, panels, advertisements and the about window are not part of this build yet;
// their start-up steps are kept in place and do nothing.
void MainWindow::NavigateOnlineBrowser(const std::string&) {}
void MainWindow::SetBrowsersSilent() {}
void MainWindow::LayOutPageFrames() {}
void MainWindow::PlaceHostedPanels() {}
void MainWindow::JiaZaiGuangGao() {}
void MainWindow::LoadAboutWindow() {}
void MainWindow::SelectWallpaperPosition(int) {}

void MainWindow::SkinHAttachEx(const std::string& skinFile, const std::string& password) {
    SkinH_AttachEx(skinFile, password);
}

void MainWindow::HideMain() { ShowWindow(hwnd(), SW_HIDE); }

void MainWindow::UnloadWindow(ChuangTiBianHao window) {
    // Only the main window exists so far; the others are simply not loaded.
    if (window == ChuangTiBianHao::Main && hwnd()) DestroyWindow(hwnd());
}

}  // namespace velmora
