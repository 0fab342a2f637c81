#include "shell/Main.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/testing/TestPlatform.h"
#include "shell/tests/RecordingMainView.h"

namespace velmora {
namespace {

using testing::RecordingMainView;

class MainTest : public ::testing::Test {
protected:
    testing::TestPlatform t;
    RecordingMainView view{t.files};
    QuanJuSheZhi settings;
    Main main{t.platform, view, settings};

    void Skin() {
        t.files.CreateDirectories(t.ProgramPath("\\Skin\\img"));
        t.files.WriteText(t.ProgramPath("\\Skin\\img\\Background.jpg"), "jpg");
        t.files.WriteText(t.ProgramPath("\\Skin\\img\\General.jpg"), "jpg");
    }
    size_t IndexOf(const std::string& call) const {
        return static_cast<size_t>(std::find(view.calls.begin(), view.calls.end(), call) - view.calls.begin());
    }
};

TEST_F(MainTest, StartUpRunsEveryStepInOrder) {
    testing::WriteDefaultConfig(t);
    Skin();
    main.Load();
    EXPECT_TRUE(t.dialogs.shown.empty());
    EXPECT_TRUE(settings.GuanBiTuiChu);
    EXPECT_TRUE(settings.XiaZaiAnZhuang);
    const std::vector<std::string> order = {
        "SetOpacity 255",       "NavigateOnlineBrowser about:blank", "SetBrowsersSilent", "LayOutPageFrames",
        "PlaceHostedPanels",    "LoadBackground",
        "SkinHAttachEx " + t.ProgramPath("\\Skin\\img\\aero.she") + "|", "SelectWallpaperPosition 0",
    };
    for (size_t i = 1; i < order.size(); ++i) {
        EXPECT_LT(IndexOf(order[i - 1]), IndexOf(order[i])) << order[i - 1] << " before " << order[i];
    }
    EXPECT_EQ(IndexOf(order.back()), view.calls.size() - 1);
    EXPECT_TRUE(DirectoryExists(t.files, t.ProgramPath("\\Download\\系统图标\\苹果")));
}

TEST_F(MainTest, FlagsFollowTheConfiguration) {
    const struct {
        const char* config;
        bool exits, installs;
    } cases[] = {
        {"[Function]\r\nGuanBi=0\r\nXiaZai=1\r\nChuangTiTuMing=255\r\n", false, true},
        {"[Function]\r\nGuanBi=1\r\nXiaZai=0\r\nChuangTiTuMing=255\r\n", true, false},
        // No Function section: an absent key is not "0", so both are on.
        {"[Windows]\r\nRenWuLan=255\r\n", true, true},
    };
    for (const auto& c : cases) {
        testing::TestPlatform tp;
        RecordingMainView v(tp.files);
        QuanJuSheZhi s;
        tp.files.CreateDirectories(tp.ProgramPath("\\Data storage"));
        tp.files.WriteText(tp.ProgramPath("\\Data storage\\Sys.dll"), c.config);
        Main(tp.platform, v, s).Load();
        EXPECT_EQ(s.GuanBiTuiChu, c.exits) << c.config;
        EXPECT_EQ(s.XiaZaiAnZhuang, c.installs) << c.config;
    }
}

TEST_F(MainTest, MissingConfigurationIsReportedPerReadAndTheWindowStaysVisible) {
    Skin();
    main.Load();
    // ChuangTiTuMing, GuanBi and XiaZai each report the missing file.
    EXPECT_EQ(t.dialogs.Texts(), (std::vector<std::string>(3, "缺少配置文件!")));
    EXPECT_EQ(view.opacity, 255);
    EXPECT_TRUE(settings.GuanBiTuiChu);
    EXPECT_TRUE(settings.XiaZaiAnZhuang);
    EXPECT_FALSE(t.files.Stat(t.ProgramPath("\\Data storage\\Sys.dll")));
}

TEST_F(MainTest, BadOpacityIsReportedOnceAfterTheFlags) {
    testing::WriteDefaultConfig(t);
    t.files.WriteText(t.ProgramPath("\\Data storage\\Sys.dll"), "[Function]\r\nGuanBi=0\r\n");
    Skin();
    main.Load();
    EXPECT_EQ(t.dialogs.Texts(), (std::vector<std::string>{"Data storage文件中缺少Sys.dll文件!"}));
    EXPECT_EQ(t.dialogs.shown[0].title, "错误");
    EXPECT_FALSE(settings.GuanBiTuiChu);
    EXPECT_EQ(view.opacity, 255);
}

TEST_F(MainTest, MissingPicturesAreReportedOnce) {
    testing::WriteDefaultConfig(t);
    for (const char* present : {"", "Background.jpg", "General.jpg"}) {
        testing::TestPlatform tp;
        testing::WriteDefaultConfig(tp);
        tp.files.CreateDirectories(tp.ProgramPath("\\Skin\\img"));
        if (*present) tp.files.WriteText(tp.ProgramPath("\\Skin\\img\\") + present, "jpg");
        RecordingMainView v(tp.files);
        QuanJuSheZhi s;
        Main(tp.platform, v, s).Load();
        ASSERT_EQ(tp.dialogs.shown.size(), 1u) << present;
        EXPECT_EQ(tp.dialogs.shown[0].text, "Skin\\img缺少General图片!");
        EXPECT_EQ(tp.dialogs.shown[0].title, "错误");
        // Every picture is still tried.
        EXPECT_EQ(std::count(v.calls.begin(), v.calls.end(), "LoadPagePicture 2"), 1);
    }
}

TEST_F(MainTest, CloseExitsInOrderOrOnlyHides) {
    settings.GuanBiTuiChu = true;
    main.OnCloseClicked();
    const std::vector<std::string> unloads = {
        "UnloadWindow AzBiZhi",        "UnloadWindow AzJieMian",      "UnloadWindow AzShuBiao",
        "UnloadWindow AzTuBiao",       "UnloadWindow GuanLiZhongXin", "UnloadWindow RuanJianSheZhi",
        "UnloadWindow GuanYu",         "UnloadWindow Main",
    };
    EXPECT_EQ(view.calls, unloads);

    view.calls.clear();
    settings.GuanBiTuiChu = false;
    main.OnCloseClicked();
    main.OnMinimizeClicked();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"HideMain", "HideMain"}));
}

TEST_F(MainTest, AfterTheInstallerStartsEveryWindowUnloadsWhateverTheCloseSetting) {
    settings.GuanBiTuiChu = false;
    main.XieZaiQuanBu();
    const std::vector<std::string> unloads = {
        "UnloadWindow AzBiZhi",        "UnloadWindow AzJieMian",      "UnloadWindow AzShuBiao",
        "UnloadWindow AzTuBiao",       "UnloadWindow GuanLiZhongXin", "UnloadWindow RuanJianSheZhi",
        "UnloadWindow Main",           "UnloadWindow GuanYu",         "UnloadWindow ZiDongGenXin",
    };
    EXPECT_EQ(view.calls, unloads);
}

}  // namespace
}  // namespace velmora
