#pragma once
// The main window `Main`: the start-up window and hub of the program.
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shell/Main.h"
#include "shell/MingLingHang.h"
#include "ui/win32/FramedWindow.h"
#include "ui/win32/PageFrame.h"

namespace velmora {

namespace download {
class XiaZaiQiWindow;
}
namespace com {
class WebBrowserHost;
}

// Lets tests read what the window was asked to do: wParam names the item, lParam is a window
// that receives text answers as WM_COPYDATA (dwData = the item); numbers come back as result.
inline constexpr wchar_t kMainQueryMessage[] = L"Velmora.Main.Query";
enum class MainQuery : WPARAM {
    OnlineUrl = 1,     // last page the online browser was sent to
    LocalUrl = 2,      // last page the local browser was sent to
    CanShuId = 3,      // last resource id handed to the downloader
    OpenedKind = 4,    // last kind the management centre was opened on
    FrontPage = 5,     // YeMian in front
    SelectionX = 6,    // HuaKuangXD left, pixels
    HoverX = 7,        // HuaKuang left, pixels, or -1 while hidden
    PositionText = 8,  // the wallpaper position box's text
    Icons = 9,         // 1 with the small icon set, | 2 with the big one
};

// dwData of the WM_COPYDATA that carries another instance's command line (BianMaMingLing).
inline constexpr ULONG_PTR kForwardedCommandLine = 0x564C4D31;
// The main window's caption, by which another instance finds it among the program's windows.
inline constexpr wchar_t kMainCaption[] = L"Velmora";

class MainWindow : public FramedWindow, public MainView {
public:
    MainWindow(Platform& platform, QuanJuSheZhi& settings);
    ~MainWindow() override;

    // Creates the window, runs the start-up and shows the window. False when the window could
    // not be created at all.
    bool Load();
    // What the downloader installs a wallpaper with: "拉伸", "居中" or "平铺".
    std::string WallpaperPositionText() const;
    // A resource link from outside (the command line, another instance): the online page comes
    // forward and the downloader prepares the resource, as a click in the page does.
    void OpenResourceLink(const std::string& id);
    // "/library <kind>" from the command line or another instance: the management centre opens
    // on the kind as the local page's link opens it.
    void OpenLibrary(const std::string& kindName);
    // Shows the window (from the tray too) and brings it to the front.
    void BringToUser();

    // MainView
    void NavigateOnlineBrowser(const std::string& url) override;
    void SetBrowsersSilent() override;
    void LayOutPageFrames() override;
    void PlaceHostedPanels() override;
    void SelectWallpaperPosition(int index) override;
    void SkinHAttachEx(const std::string& skinFile, const std::string& password) override;
    void HideMain() override;
    void UnloadWindow(ChuangTiBianHao window) override;
    void BringToFront(YeMian page) override;
    void NavigateLocalBrowser(const std::string& url) override;
    void ShowWallpaperPosition(bool visible) override;
    void MoveSelectionMarker(int leftTwips) override;
    void ShowHoverMarker(int leftTwips) override;
    void SetStatusLine(const std::string& text) override;
    void HoldOnlineDocumentWithoutContextMenu() override;
    bool LoadPagePicture(YeMianTuPian frame, const std::string& path) override;
    // Before the window first shows, only noted: the icon is no part of the window's first
    // paint, so it is set right after the window shows. Nothing else sees the window before,
    // since no message is handled in between. The main window ignores the result.
    bool SetIcon(const std::string& path, const std::string& fallbackExe, int index) override;
    void PumpPendingMessages() override;
    void CanShu(const std::string& id, const std::string& type) override;
    void ShowGuanLiZhongXin() override;

protected:
    void OnCloseClicked() override { main_.OnCloseClicked(); }
    void OnMinimizeClicked() override { main_.OnMinimizeClicked(); }
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // What the window shows when it appears: the front page and the tab pictures.
    void CreateControls();
    void CreateTabs();
    // The rest, once it shows: the tabs' click areas and the pages behind the front one.
    void CreateAfterShow();
    void CreateTabAreas();
    void CreateOnlinePage();
    LRESULT Answer(MainQuery item, HWND replyTo);
    PageFrame& Frame(YeMian page);
    // WM_COPYDATA from another instance of the program: its command line, checked here.
    bool Forwarded(const COPYDATASTRUCT* data);

    QuanJuSheZhi& settings_;
    Main main_;
    PageFrame shouYeKuang_, wangLuoZiYuan_, ziYuanGuanLiKuang_, guangGao_;
    std::array<AlphaImage, kXuanXiangShu> xuanKuang_;
    int huaKuang_ = -1, huaKuangXD_ = -1;  // marker sprites
    Label xinXi_, label1_;
    HWND biZhiWeiZhi_ = nullptr;
    HFONT pageFont_ = nullptr;
    std::unique_ptr<com::WebBrowserHost> zyll_, benDiGuanLi_;
    std::unique_ptr<download::XiaZaiQiWindow> xiaZaiQi_;
    UINT queryMessage_ = 0;
    std::string onlineUrl_, localUrl_, canShuId_, openedKind_;
    // A job asked for before the downloader exists, and links forwarded by other instances.
    std::optional<std::pair<std::string, std::string>> pendingCanShu_;
    struct IconRequest {
        std::string path, fallbackExe;
        int index;
    };
    std::optional<IconRequest> pendingIcon_;
    std::vector<MingLing> forwardedLinks_;
    YeMian front_ = YeMian::ShouYeKuang;
    bool createdAfterShow_ = false;
    bool oleInitialized_ = false;
    int positionIndex_ = 0;
    int zyllBottom_ = 0;  // the online browser ends above the downloader
    std::map<const PageFrame*, std::string> pagePicturePaths_;  // what each frame shows
};

}  // namespace velmora
