#include "ui/KuangJia.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/testing/TestPlatform.h"
#include "ui/testing/RecordingChromeView.h"

namespace velmora {
namespace {

using testing::RecordingChromeView;

class ChuangTiTest : public ::testing::Test {
protected:
    testing::TestPlatform t;
    RecordingChromeView view{t.files};

    void Config(const std::string& text) {
        t.files.CreateDirectories(t.ProgramPath("\\Data storage"));
        t.files.WriteText(t.ProgramPath("\\Data storage\\Sys.dll"), text);
    }
    void Skin() {
        t.files.CreateDirectories(t.ProgramPath("\\Skin\\img"));
        t.files.WriteText(t.ProgramPath("\\Skin\\img\\Background.jpg"), "jpg");
        t.files.WriteText(t.ProgramPath("\\Skin\\img\\Ico.ico"), "ico");
    }
};

TEST_F(ChuangTiTest, MainWindowChromeInOrder) {
    Config("[Function]\r\nChuangTiTuMing=255\r\n");
    EXPECT_TRUE(ChuShiChuangTi(t.platform, view, ChuangTiKuangJia(ChuangTiBianHao::Main)));
    const std::vector<std::string> expected = {
        "PlaceTitle 200,100",         "SetBackgroundArea 12070,7600", "SetWindowSize 12070,7600",
        "PlaceCloseButton 11440,-13", "SetBackgroundArea 12170,7700", "PlaceMinimizeButton 11020,-13",
        "SetTitleText Velmora V2.5.4", "SetIcon 0",                   "AllowMinimize",
        "RoundCorners 12070,7600 5",  "SetOpacity 255",
    };
    EXPECT_EQ(view.calls, expected);
    // No icon file and no message: the main window falls back silently.
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST_F(ChuangTiTest, OtherWindowsLoadTheirBackgroundAndReportMissingPictures) {
    Config("[Function]\r\nChuangTiTuMing=255\r\n");
    EXPECT_TRUE(ChuShiChuangTi(t.platform, view, ChuangTiKuangJia(ChuangTiBianHao::AzBiZhi)));
    EXPECT_EQ(view.title, "桌面壁纸");
    EXPECT_NE(std::find(view.calls.begin(), view.calls.end(), "PlaceCloseButton 8260,-13"), view.calls.end());
    EXPECT_EQ(t.dialogs.Texts(), (std::vector<std::string>{"缺少软件背景图片!", "img文件中缺少ICO图标文件!"}));
}

TEST_F(ChuangTiTest, IconFallsBackToTheExecutable) {
    Config("[Function]\r\nChuangTiTuMing=255\r\n");
    Skin();
    t.files.Remove(t.ProgramPath("\\Skin\\img\\Ico.ico"));
    t.files.WriteText(t.ProgramPath("\\Velmora.exe"), "MZ");
    EXPECT_TRUE(ChuShiChuangTi(t.platform, view, ChuangTiKuangJia(ChuangTiBianHao::GuanLiZhongXin)));
    EXPECT_EQ(view.iconFrom, t.ProgramPath("\\Velmora.exe"));
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST_F(ChuangTiTest, AboutWindowKeepsItsOwnIcon) {
    Config("[Function]\r\nChuangTiTuMing=255\r\n");
    Skin();
    ChuShiChuangTi(t.platform, view, ChuangTiKuangJia(ChuangTiBianHao::GuanYu));
    EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "SetIcon 0"), 0);
    EXPECT_EQ(view.title, "文字");
}

TEST_F(ChuangTiTest, OpacityFromConfiguration) {
    const struct {
        const char* config;  // nullptr: no configuration file
        int alpha;
        bool ok;
        std::vector<std::string> messages;
    } cases[] = {
        {"[Function]\r\nChuangTiTuMing=128\r\n", 128, true, {}},
        {"[Function]\r\nChuangTiTuMing=0\r\n", 0, true, {}},
        {"[Function]\r\nChuangTiTuMing=999\r\n", 255, true, {}},
        {"[Function]\r\nChuangTiTuMing=-3\r\n", 0, true, {}},
        // Absent or not a number: opaque, and the start-up reports it.
        {"[Function]\r\nGuanBi=1\r\n", 255, false, {}},
        {"[Function]\r\nChuangTiTuMing=half\r\n", 255, false, {}},
        // No configuration at all: opaque rather than invisible.
        {nullptr, 255, true, {"缺少配置文件!"}},
    };
    for (const auto& c : cases) {
        testing::TestPlatform tp;
        RecordingChromeView v(tp.files);
        if (c.config) {
            tp.files.CreateDirectories(tp.ProgramPath("\\Data storage"));
            tp.files.WriteText(tp.ProgramPath("\\Data storage\\Sys.dll"), c.config);
        }
        EXPECT_EQ(ChuShiChuangTi(tp.platform, v, ChuangTiKuangJia(ChuangTiBianHao::Main)), c.ok) << c.alpha;
        EXPECT_EQ(v.opacity, c.alpha);
        EXPECT_EQ(tp.dialogs.Texts(), c.messages);
    }
}

TEST(TwipsToPixels, UsesTheScreenDpi) {
    EXPECT_EQ(TwipsToPixels(12070, 96), 805);
    EXPECT_EQ(TwipsToPixels(7600, 96), 507);
    EXPECT_EQ(TwipsToPixels(12070, 120), 1006);
    EXPECT_EQ(TwipsToPixels(-13, 96), -1);
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(0, 144), 0);
}

TEST(AnNiu, PicturesFollowTheMouse) {
    using S = AnNiuZhuangTai;
    using E = ShuBiaoShiJian;
    const struct {
        S from;
        E event;
        bool held;
        S to;
    } cases[] = {
        {S::PuTong, E::YiDong, false, S::XuanTing},  {S::XuanTing, E::LiKai, false, S::PuTong},
        {S::XuanTing, E::ZuoJianAnXia, true, S::AnXia}, {S::AnXia, E::YiDong, true, S::AnXia},
        {S::PuTong, E::YiDong, true, S::PuTong},     {S::AnXia, E::LiKai, true, S::PuTong},
        {S::AnXia, E::YiDong, false, S::XuanTing},
    };
    for (const auto& c : cases) EXPECT_EQ(AnNiuXinZhuangTai(c.from, c.event, c.held), c.to);

    testing::TestPlatform t;
    EXPECT_EQ(AnNiuTuPian{"Close"}.Path(t.platform, S::XuanTing), t.ProgramPath("\\Skin\\Button\\Close2.png"));
    EXPECT_EQ(AnNiuTuPian{"Minimization"}.Path(t.platform, S::AnXia),
              t.ProgramPath("\\Skin\\Button\\Minimization3.png"));
}

TEST(KaiShiTuoDong, TitleOnPressBackgroundOnMoveWithLeftHeld) {
    EXPECT_TRUE(KaiShiTuoDong(TuoDongQu::WenZi, ShuBiaoShiJian::ZuoJianAnXia, true));
    EXPECT_FALSE(KaiShiTuoDong(TuoDongQu::WenZi, ShuBiaoShiJian::YiDong, true));
    EXPECT_TRUE(KaiShiTuoDong(TuoDongQu::DaoHang, ShuBiaoShiJian::YiDong, true));
    EXPECT_FALSE(KaiShiTuoDong(TuoDongQu::DaoHang, ShuBiaoShiJian::YiDong, false));
    EXPECT_FALSE(KaiShiTuoDong(TuoDongQu::DaoHang, ShuBiaoShiJian::ZuoJianAnXia, true));
}
}  // namespace
}  // namespace velmora
