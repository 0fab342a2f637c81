// The main window in this process, with the real browser control: links are intercepted
// through the browser's own before-navigation event. Wine's browser loads no page, so the
// navigations here are programmatic ones to the links' addresses.
#include <gtest/gtest.h>
#include <ole2.h>

#include "platform/win32/Win32Platform.h"
#include "platform/testing/Doubles.h"
#include "platform/win32/Wide.h"
#include "core/XiTong.h"
#include "library/win32/GuanLiZhongXin_win.h"
#include "shell/win32/MainWindow.h"
#include "tests/wine/ServerTestSupport.h"
#include "tests/wine/UiDriver.h"

namespace velmora {
namespace {

class MainInProcess : public ::testing::Test {
protected:
    static void SetUpTestSuite() { OleInitialize(nullptr); }
    static void TearDownTestSuite() { OleUninitialize(); }
    void SetUp() override {
        ASSERT_TRUE(window_.Load());
        uitest::PumpFor(300);
    }
    void TearDown() override {
        // Opening the management centre registered the control libraries of this throwaway
        // program directory; the registry must not keep pointing there.
        XieZaiGuanLiZhongXin();
        uitest::RunRegsvr32(L"/u /s", dir_ / L"Kelpo.dll");
        uitest::RunRegsvr32(L"/u /s", dir_ / L"Thumb.dll");
    }
    std::string Item(MainQuery q) { return uitest::QueryText(window_.hwnd(), static_cast<int>(q)); }

    uitest::ProgramDir dir_;
    uitest::ProgramEnvironment environment_{dir_};
    testing::RecordingDialogs dialogs_;
    Platform platform_ = uitest::TestPlatformOf(environment_, dialogs_);
    QuanJuSheZhi settings_;
    MainWindow window_{platform_, settings_};
};

BOOL CALLBACK CountBrowser(HWND h, LPARAM count) {
    wchar_t cls[64];
    GetClassNameW(h, cls, 64);
    if (lstrcmpW(cls, L"Shell Embedding") == 0) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(MainInProcess, StartsCleanly) {
    int browsers = 0;
    EnumChildWindows(window_.hwnd(), CountBrowser, reinterpret_cast<LPARAM>(&browsers));
    EXPECT_EQ(browsers, 2);  // the online and the local page
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_EQ(Item(MainQuery::OnlineUrl), "about:blank");
    EXPECT_EQ(window_.WallpaperPositionText(), "拉伸");
}

TEST_F(MainInProcess, OnlineResourceLinkGoesToTheDownloaderInsteadOfNavigating) {
    window_.NavigateOnlineBrowser("http://127.0.0.1:9/down/*/1203/*/");
    uitest::PumpFor(500);
    EXPECT_EQ(Item(MainQuery::CanShuId), "1203");
    window_.NavigateOnlineBrowser("http://127.0.0.1:9/index.php?cate=12");
    uitest::PumpFor(300);
    EXPECT_EQ(Item(MainQuery::CanShuId), "1203");  // an ordinary page is no request
}

TEST_F(MainInProcess, LocalCommandsOpenKindsAndTheLocalPageNavigates) {
    window_.NavigateLocalBrowser("http://diannaozhuti.///");
    uitest::PumpFor(400);
    EXPECT_EQ(Item(MainQuery::OpenedKind), "电脑主题");
    EXPECT_EQ(settings_.DangQianLeiXing, "电脑主题");
    const GuanLiZhongXinWindow* centre = DangQianGuanLiZhongXin();
    ASSERT_NE(centre, nullptr) << "the management centre did not open";
    EXPECT_TRUE(IsWindowVisible(centre->hwnd()));

    window_.NavigateLocalBrowser("http://zhuomianbizhi/");
    uitest::PumpFor(300);
    EXPECT_EQ(Item(MainQuery::OpenedKind), "电脑主题");  // no suffix: an ordinary navigation

    window_.NavigateLocalBrowser(Narrow(dir_.path()) + "\\Data storage\\Web\\Ziygl.html");
    uitest::PumpFor(300);
    EXPECT_EQ(Item(MainQuery::OpenedKind), "电脑主题");
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(MainInProcess, LogonScreenKindIsRefusedOffWindowsXp) {
    if (PanDuanXiTong(platform_) == "Windows XP") GTEST_SKIP() << "on purpose: the refusal off Windows XP needs a prefix that reports Windows 7";
    window_.NavigateLocalBrowser("http://qidongjiemian.///");
    uitest::PumpFor(400);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, "提示");
    EXPECT_EQ(dialogs_.shown[0].text, PanDuanXiTong(platform_) + "系统暂时不支持该功能!");
    EXPECT_EQ(Item(MainQuery::OpenedKind), "");
}

}  // namespace
}  // namespace velmora
