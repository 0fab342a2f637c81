#pragma once
#include <set>
#include <string>
#include <vector>

#include "shell/Main.h"
#include "ui/testing/RecordingChromeView.h"

namespace velmora::testing {

// Records the main window's calls beside its chrome's.
class RecordingMainView : public RecordingChromeView, public MainView {
public:
    explicit RecordingMainView(FileSystem& fs) : RecordingChromeView(fs) {}

    void NavigateOnlineBrowser(const std::string& url) override { Log("NavigateOnlineBrowser " + url); }
    void SetBrowsersSilent() override { Log("SetBrowsersSilent"); }
    void LayOutPageFrames() override { Log("LayOutPageFrames"); }
    void PlaceHostedPanels() override { Log("PlaceHostedPanels"); }
    void SelectWallpaperPosition(int index) override { Log("SelectWallpaperPosition " + std::to_string(index)); }
    void SkinHAttachEx(const std::string& file, const std::string& password) override {
        Log("SkinHAttachEx " + file + "|" + password);
    }
    void HideMain() override { Log("HideMain"); }
    void BringToFront(YeMian page) override {
        front = page;
        Log("BringToFront " + std::to_string(static_cast<int>(page)));
    }
    void NavigateLocalBrowser(const std::string& url) override { Log("NavigateLocalBrowser " + url); }
    void ShowWallpaperPosition(bool visible) override { Log(visible ? "ShowWallpaperPosition" : "HideWallpaperPosition"); }
    void MoveSelectionMarker(int left) override { Log("MoveSelectionMarker " + std::to_string(left)); }
    void ShowHoverMarker(int left) override { Log("ShowHoverMarker " + std::to_string(left)); }
    void SetStatusLine(const std::string& text) override { Log("SetStatusLine " + text); }
    void HoldOnlineDocumentWithoutContextMenu() override { Log("HoldOnlineDocumentWithoutContextMenu"); }
    bool LoadPagePicture(YeMianTuPian frame, const std::string& path) override {
        Log("LoadPagePicture " + std::to_string(static_cast<int>(frame)));
        return OrdinaryFileExists(fs_, path);
    }
    void PumpPendingMessages() override { Log("PumpPendingMessages"); }
    void CanShu(const std::string& id, const std::string& type) override { Log("CanShu " + id + " " + type); }
    void ShowGuanLiZhongXin() override { Log("ShowGuanLiZhongXin"); }

    YeMian front = YeMian::ShouYeKuang;
    void UnloadWindow(ChuangTiBianHao w) override { Log("UnloadWindow " + std::string(ChuangTi(w).className)); }
};

// Writes the shipped default configuration into the test program directory.
inline void WriteDefaultConfig(TestPlatform& t) {
    t.files.CreateDirectories(t.ProgramPath("\\Data storage"));
    t.files.WriteText(t.ProgramPath("\\Data storage\\Sys.dll"),
                      "[Function]\r\nGuanBi=1\r\nXiaZai=1\r\nKaiJi=0\r\nChuangTiTuMing=255\r\n\r\n"
                      "[Windows]\r\nRenWuLan=255\r\n");
}

}  // namespace velmora::testing

namespace velmora::testing {

// Expected call texts write the program directory as "<prog>".
inline std::string ReplaceProgramDir(std::string text, const std::string& programDir) {
    const std::string marker = "<prog>";
    const size_t at = text.find(marker);
    if (at != std::string::npos) text.replace(at, marker.size(), programDir);
    return text;
}

}  // namespace velmora::testing
