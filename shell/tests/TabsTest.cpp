#include <gtest/gtest.h>

#include "platform/testing/TestPlatform.h"
#include "shell/Main.h"
#include "shell/tests/RecordingMainView.h"

namespace velmora {
namespace {

using testing::RecordingMainView;

constexpr char kService[] = "http://127.0.0.1:8765";

struct TabCase {
    const char* name;
    int index;
    ShuBiaoJian button;
    std::optional<std::string> version;  // what the system reports
    bool connected;
    std::vector<std::string> calls;      // what the window is asked to do, in order
    std::vector<std::string> messages;
};

std::string Online(int category) { return std::string("NavigateOnlineBrowser ") + kService + "/index.php?cate=" + std::to_string(category); }
std::string Marker(int index) { return "MoveSelectionMarker " + std::to_string(350 + 1350 * index); }
const std::string kFrontHome = "BringToFront 0", kFrontOnline = "BringToFront 1", kFrontLocal = "BringToFront 2";
const std::string kXp = "5.1.2600", kWin7 = "6.1.7601", kWin8 = "6.2.9200";
const std::string kOffline = "网络连接不正常,请查看宽带是否连接!";

class TabTest : public ::testing::TestWithParam<TabCase> {};

TEST_P(TabTest, PressDoesWhatTheTabSays) {
    const TabCase& c = GetParam();
    testing::TestPlatform t;
    t.environment.variables["VELMORA_SERVICE_HOST"] = "127.0.0.1:8765";
    t.system.version = c.version;
    t.system.connected = c.connected;
    RecordingMainView view(t.files);
    QuanJuSheZhi settings;
    Main main(t.platform, view, settings);

    main.OnTabPressed(c.index, c.button);

    std::vector<std::string> calls = c.calls;
    for (auto& call : calls) call = testing::ReplaceProgramDir(call, t.ProgramPath(""));
    EXPECT_EQ(view.calls, calls);
    for (const auto& m : t.dialogs.shown) EXPECT_EQ(m.title, "提示");
    EXPECT_EQ(t.dialogs.Texts(), c.messages);
}

const std::string kLocalPage = "NavigateLocalBrowser <prog>\\Data storage\\Web\\Ziygl.html";

INSTANTIATE_TEST_SUITE_P(
    Cases, TabTest,
    ::testing::Values(
        TabCase{"home_needs_no_network", 0, ShuBiaoJian::Zuo, kXp, false, {kFrontHome, Marker(0)}, {}},
        TabCase{"wallpapers", 1, ShuBiaoJian::Zuo, kXp, true,
                {Online(12), kFrontOnline, "ShowWallpaperPosition", Marker(1)}, {}},
        TabCase{"themes_on_xp", 2, ShuBiaoJian::Zuo, kXp, true,
                {Online(13), kFrontOnline, "HideWallpaperPosition", Marker(2)}, {}},
        TabCase{"themes_on_win7", 2, ShuBiaoJian::Zuo, kWin7, true,
                {Online(14), kFrontOnline, "HideWallpaperPosition", Marker(2)}, {}},
        TabCase{"themes_on_unknown_system", 2, ShuBiaoJian::Zuo, kWin8, true,
                {kFrontOnline, "HideWallpaperPosition", Marker(2)}, {"未知系统系统暂时支持该功能！"}},
        TabCase{"themes_without_wmi", 2, ShuBiaoJian::Zuo, std::nullopt, true,
                {kFrontOnline, "HideWallpaperPosition", Marker(2)}, {"系统暂时支持该功能！"}},
        TabCase{"pointers", 3, ShuBiaoJian::Zuo, kWin7, true,
                {Online(15), kFrontOnline, "HideWallpaperPosition", Marker(3)}, {}},
        TabCase{"icons", 4, ShuBiaoJian::Zuo, kWin7, true,
                {Online(16), kFrontOnline, "HideWallpaperPosition", Marker(4)}, {}},
        TabCase{"logon_on_xp", 5, ShuBiaoJian::Zuo, kXp, true,
                {Online(17), kFrontOnline, "HideWallpaperPosition", Marker(5)}, {}},
        TabCase{"logon_refused_on_win7", 5, ShuBiaoJian::Zuo, kWin7, true, {Marker(5)},
                {"Windows 7 系统不能使用该功能,该功能只适用于XP系统"}},
        TabCase{"local_page", 6, ShuBiaoJian::Zuo, kWin7, true, {kFrontLocal, kLocalPage, Marker(6)}, {}},
        TabCase{"local_page_offline_still_opens", 6, ShuBiaoJian::Zuo, kWin7, false,
                {kFrontLocal, kLocalPage, Marker(6)}, {kOffline}},
        TabCase{"offline_online_tab", 1, ShuBiaoJian::Zuo, kXp, false, {Marker(1)}, {kOffline}},
        TabCase{"right_button_ignored", 1, ShuBiaoJian::You, kXp, true, {}, {}},
        TabCase{"middle_button_ignored", 0, ShuBiaoJian::Zhong, kXp, true, {}, {}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(TabHover, MarkerFollowsTheMouse) {
    testing::TestPlatform t;
    RecordingMainView view(t.files);
    QuanJuSheZhi settings;
    Main main(t.platform, view, settings);
    main.OnTabHover(3);
    main.OnTabHover(0);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"ShowHoverMarker 4400", "ShowHoverMarker 350"}));
}

struct NavigationFixture : ::testing::Test {
    testing::TestPlatform t;
    RecordingMainView view{t.files};
    QuanJuSheZhi settings;
    Main main{t.platform, view, settings};
};

// The browser's cancel flag is set between the decision and the hand-on: the decision itself
// shows nothing and lets no message run, so no other navigation can slip in before the cancel.
TEST_F(NavigationFixture, OnlineResourceLinksGoToTheDownloaderAndNeverNavigate) {
    const struct {
        const char* url;
        bool cancel;
        std::vector<std::string> handedOn;
    } cases[] = {
        {"http://127.0.0.1:8765/down/*/1203/*/", true, {"CanShu 1203 资源", "PumpPendingMessages"}},
        {"http://h/*/a/*/b/*/c", true, {"CanShu a 资源", "PumpPendingMessages"}},
        {"http://127.0.0.1:8765/index.php?cate=12", false, {}},
        {"about:blank", false, {}},
    };
    for (const auto& c : cases) {
        view.calls.clear();
        EXPECT_EQ(main.OnOnlineBeforeNavigate(c.url), c.cancel) << c.url;
        EXPECT_TRUE(view.calls.empty()) << c.url;
        if (c.cancel) main.OnOnlineCancelled(c.url);
        EXPECT_EQ(view.calls, c.handedOn) << c.url;
    }
}

TEST_F(NavigationFixture, TitleAndDocumentEvents) {
    main.OnOnlineTitleChange("桌面壁纸");
    main.OnOnlineDownloadComplete();
    EXPECT_EQ(view.calls,
              (std::vector<std::string>{"SetStatusLine 当前：桌面壁纸", "HoldOnlineDocumentWithoutContextMenu"}));
}

TEST_F(NavigationFixture, LocalCommandsOpenKindsOrAreRefused) {
    // opened: the kind the centre was opened on afresh, or empty when it was not opened.
    const struct {
        const char* url;
        const char* version;
        bool cancel;
        std::string opened;
        std::vector<std::string> messages;
    } cases[] = {
        {"http://diannaozhuti.///", "6.1.7601", true, "电脑主题", {}},
        {"http://zhuomianbizhi.///", "6.1.7601", true, "桌面壁纸", {}},
        {"http://shubiaozhizhen.///", "5.1.2600", true, "鼠标指针", {}},
        {"http://xitongtubiao.///", "5.1.2600", true, "系统图标", {}},
        {"http://qidongjiemian.///", "5.1.2600", true, "启动界面", {}},
        {"http://qidongjiemian.///", "6.1.7601", true, "", {"Windows 7系统暂时不支持该功能!"}},
        {"http://zhuomianbizhi", "5.1.2600", false, "", {}},
        {"http://diannaozhuti/", "5.1.2600", false, "", {}},
        {"http://nothing.///", "5.1.2600", true, "", {}},
    };
    for (const auto& c : cases) {
        view.calls.clear();
        t.dialogs.shown.clear();
        settings.DangQianLeiXing = "before";
        t.system.version = c.version;
        EXPECT_EQ(main.OnLocalBeforeNavigate(c.url), c.cancel) << c.url;
        EXPECT_TRUE(view.calls.empty() && t.dialogs.shown.empty()) << c.url;
        if (c.cancel) main.OnLocalCancelled(c.url);
        const std::vector<std::string> opened = {"UnloadWindow GuanLiZhongXin", "ShowGuanLiZhongXin"};
        EXPECT_EQ(view.calls, c.opened.empty() ? std::vector<std::string>{} : opened) << c.url;
        EXPECT_EQ(settings.DangQianLeiXing, c.opened.empty() ? "before" : c.opened) << c.url;
        EXPECT_EQ(t.dialogs.Texts(), c.messages) << c.url;
    }
}

}  // namespace
}  // namespace velmora
