// The command line: parsing as a table, and what each command does through the test platform.
#include "shell/MingLingHang.h"

#include <gtest/gtest.h>

#include "core/ShuBiaoJueSe.h"
#include "platform/testing/TestPlatform.h"

namespace velmora {
namespace {

using Args = std::vector<std::string>;

TEST(JieXiMingLingHang, KindsPathsPositionsAndSilent) {
    const struct {
        Args args;
        MingLingDongZuo action;
        MingLingLeiXing kind;
        std::string path, position;
        bool silent;
    } cases[] = {
        {{}, MingLingDongZuo::QiDong, MingLingLeiXing::BiZhi, "", "", false},
        {{"/install", "桌面壁纸", "C:\\a.jpg"}, MingLingDongZuo::AnZhuang, MingLingLeiXing::BiZhi, "C:\\a.jpg", "拉伸", false},
        {{"/install", "wallpaper", "C:\\a.jpg", "居中"}, MingLingDongZuo::AnZhuang, MingLingLeiXing::BiZhi, "C:\\a.jpg", "居中", false},
        {{"/INSTALL", "WallPaper", "a b.bmp", "平铺", "/silent"}, MingLingDongZuo::AnZhuang, MingLingLeiXing::BiZhi, "a b.bmp", "平铺", true},
        {{"/install", "鼠标指针", "D:\\s\\"}, MingLingDongZuo::AnZhuang, MingLingLeiXing::ShuBiao, "D:\\s\\", "", false},
        {{"/silent", "/install", "cursors", "D:\\s"}, MingLingDongZuo::AnZhuang, MingLingLeiXing::ShuBiao, "D:\\s", "", true},
        // A quoted folder "D:\my s\" reaches the program as D:\my s".
        {{"/install", "cursors", "D:\\my s\""}, MingLingDongZuo::AnZhuang, MingLingLeiXing::ShuBiao, "D:\\my s\\", "", false},
        {{"/install", "系统图标", "x.icl"}, MingLingDongZuo::AnZhuang, MingLingLeiXing::TuBiao, "x.icl", "", false},
        {{"/install", "icons", "x.icl", "/Silent"}, MingLingDongZuo::AnZhuang, MingLingLeiXing::TuBiao, "x.icl", "", true},
        {{"/install", "启动界面", "l.exe"}, MingLingDongZuo::AnZhuang, MingLingLeiXing::JieMian, "l.exe", "", false},
        {{"/install", "logon", "l.jpg"}, MingLingDongZuo::AnZhuang, MingLingLeiXing::JieMian, "l.jpg", "", false},
        {{"/restore", "鼠标指针"}, MingLingDongZuo::HuanYuan, MingLingLeiXing::ShuBiao, "", "", false},
        {{"/restore", "wallpaper", "/silent"}, MingLingDongZuo::HuanYuan, MingLingLeiXing::BiZhi, "", "", true},
        {{"/restore", "icons"}, MingLingDongZuo::HuanYuan, MingLingLeiXing::TuBiao, "", "", false},
        {{"/restore", "启动界面"}, MingLingDongZuo::HuanYuan, MingLingLeiXing::JieMian, "", "", false},
    };
    for (const auto& c : cases) {
        const MingLing m = JieXiMingLingHang(c.args);
        const std::string name = c.args.empty() ? "(none)" : c.args[0] + " " + (c.args.size() > 1 ? c.args[1] : "");
        EXPECT_EQ(m.action, c.action) << name;
        EXPECT_EQ(m.kind, c.kind) << name;
        EXPECT_EQ(m.path, c.path) << name;
        EXPECT_EQ(m.position, c.position) << name;
        EXPECT_EQ(m.silent, c.silent) << name;
    }
}

TEST(JieXiMingLingHang, WhatItDoesNotUnderstand) {
    const Args cases[] = {
        {"/install"},
        {"/install", "wallpaper"},                       // missing path
        {"/install", "wallpaper", ""},                   // empty path
        {"/install", "wallpaper", "  "},
        {"/install", "电脑主题", "t.exe"},               // themes are the management centre's
        {"/install", "sounds", "a.wav"},                 // unknown kind
        {"/install", "wallpaper", "a.jpg", "适应"},      // unknown position
        {"/install", "cursors", "D:\\s", "居中"},        // a position for another kind
        {"/install", "wallpaper", "a.jpg", "拉伸", "x"},
        {"/restore"},
        {"/restore", "cursors", "D:\\s"},
        {"/uninstall", "cursors"},
        {"install", "cursors", "D:\\s"},
        {"/silent"},
        {"C:\\a.jpg"},
    };
    for (const Args& args : cases) {
        const MingLing m = JieXiMingLingHang(args);
        EXPECT_EQ(m.action, MingLingDongZuo::BuMing) << args[0] << " " << args.size();
    }
    EXPECT_TRUE(JieXiMingLingHang({"/silent"}).silent);
    EXPECT_FALSE(JieXiMingLingHang({"/install"}).silent);
}

TEST(JieXiMingLingHang, ResourceLinks) {
    const struct {
        Args args;
        const char* id;  // "" when the line is not understood
    } cases[] = {
        {{"velmora://resource/1201"}, "1201"},
        {{"VELMORA://Resource/1201/"}, "1201"},
        {{"/resource", "a-b_c.9"}, "a-b_c.9"},
        {{"/RESOURCE", "1501", "/silent"}, "1501"},
        {{"velmora://resource/"}, ""},
        {{"velmora://resource//"}, ""},
        {{"velmora://resource/12 34"}, ""},
        {{"velmora://resource/1201?x=1"}, ""},
        {{"velmora://resource/../1"}, ""},
        {{"velmora://resource/1%0d%0aHost:x"}, ""},
        {{"velmora://resource/" + std::string(65, '1')}, ""},
        {{"velmora://resource/1201", "extra"}, ""},
        {{"velmora://theme/1201"}, ""},
        {{"velmora:/resource/1201"}, ""},
        {{"/resource"}, ""},
        {{"/resource", ""}, ""},
        {{"/resource", "1", "2"}, ""},
        {{"/resource", "资源"}, ""},
    };
    for (const auto& c : cases) {
        const MingLing m = JieXiMingLingHang(c.args);
        const std::string name = c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
        if (*c.id) {
            EXPECT_EQ(m.action, MingLingDongZuo::ZiYuan) << name;
            EXPECT_EQ(m.id, c.id) << name;
        } else {
            EXPECT_EQ(m.action, MingLingDongZuo::BuMing) << name;
            EXPECT_EQ(m.id, "") << name;
        }
    }
}

TEST(JieXiMingLingHang, LibraryKinds) {
    const struct {
        Args args;
        const char* kind;  // "" when the line is not understood
    } cases[] = {
        {{"/library", "桌面壁纸"}, "桌面壁纸"},
        {{"/LIBRARY", "Wallpaper"}, "桌面壁纸"},
        {{"/library", "cursors"}, "鼠标指针"},
        {{"/library", "系统图标"}, "系统图标"},
        {{"/library", "logon"}, "启动界面"},
        {{"/library", "电脑主题"}, "电脑主题"},
        {{"/library", "THEMES", "/silent"}, "电脑主题"},
        {{"/library"}, ""},
        {{"/library", ""}, ""},
        {{"/library", "theme"}, ""},
        {{"/library", "桌面壁纸", "经典珍藏"}, ""},
        {{"/library", "xp主题"}, ""},  // the service's word, not the library's
    };
    for (const auto& c : cases) {
        const MingLing m = JieXiMingLingHang(c.args);
        const std::string name = c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
        EXPECT_EQ(m.action, *c.kind ? MingLingDongZuo::ZiYuanKu : MingLingDongZuo::BuMing) << name;
        EXPECT_EQ(m.library, c.kind) << name;
    }
    // Themes stay the management centre's: they have no installer on the command line.
    EXPECT_EQ(JieXiMingLingHang({"/restore", "themes"}).action, MingLingDongZuo::BuMing);
}

TEST(JieMaMingLing, ForwardedBlocksComeBackWholeOrNotAtAll) {
    const Args args = {"velmora://resource/1201", "", "/silent"};
    EXPECT_EQ(JieMaMingLing(BianMaMingLing(args)), args);
    EXPECT_EQ(JieMaMingLing(""), Args{});
    EXPECT_EQ(JieMaMingLing(std::string("a\0b", 3)), (Args{"a", "b"}));
    EXPECT_FALSE(JieMaMingLing(std::string(kMingLingZuiChang + 1, 'x')).has_value());
    EXPECT_FALSE(JieMaMingLing(std::string(16, '\0')).has_value());  // 17 arguments
    EXPECT_TRUE(JieMaMingLing(std::string(15, '\0')).has_value());
}

TEST(MingLingLeiXing, BothSpellings) {
    const struct {
        const char* word;
        MingLingLeiXing kind;
    } cases[] = {{"桌面壁纸", MingLingLeiXing::BiZhi}, {"WALLPAPER", MingLingLeiXing::BiZhi},
                 {"鼠标指针", MingLingLeiXing::ShuBiao}, {"Cursors", MingLingLeiXing::ShuBiao},
                 {"系统图标", MingLingLeiXing::TuBiao},   {"icons", MingLingLeiXing::TuBiao},
                 {"启动界面", MingLingLeiXing::JieMian}, {"Logon", MingLingLeiXing::JieMian}};
    for (const auto& c : cases) {
        MingLingLeiXing kind = MingLingLeiXing::BiZhi;
        ASSERT_TRUE(MingLingLeiXingByName(c.word, &kind)) << c.word;
        EXPECT_EQ(kind, c.kind) << c.word;
    }
    MingLingLeiXing kind;
    EXPECT_FALSE(MingLingLeiXingByName("cursor", &kind));
    EXPECT_FALSE(MingLingLeiXingByName("", &kind));
}

// ---- Running commands

class ZhiXingMingLingTest : public ::testing::Test {
protected:
    int Run(const Args& args) { return ZhiXingMingLing(t_.platform, JieXiMingLingHang(args)); }
    std::string Picture(const std::string& name, const std::string& bytes) {
        const std::string path = t_.root() + "\\" + name;
        EXPECT_TRUE(t_.files.WriteText(path, bytes));
        return path;
    }
    std::string Scheme(bool complete) {
        const std::string dir = t_.root() + "\\scheme\\";
        t_.files.CreateDirectories(dir);
        for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) {
            if (complete || std::string(role.name) != "Hand") t_.files.WriteText(dir + role.file, role.name);
        }
        return t_.root() + "\\scheme";
    }
    testing::TestPlatform t_;
};

TEST_F(ZhiXingMingLingTest, WallpaperInstallsSilentlyWhenItSucceeds) {
    const std::string picture = Picture("a.jpg", testing::FakePicture(testing::PictureFormat::Jpeg, 64, 48));
    EXPECT_EQ(Run({"/install", "wallpaper", picture, "平铺"}), 0);
    EXPECT_EQ(t_.registry.ReadString(
                  "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Desktop\\General\\TileWallpaper"),
              "1");
    EXPECT_EQ(Run({"/install", "桌面壁纸", picture}), 0);  // stretched by default
    EXPECT_EQ(t_.registry.ReadString(
                  "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Desktop\\General\\WallpaperStyle"),
              "2");
    EXPECT_EQ(t_.desktop.wallpapers.size(), 2u);
    EXPECT_TRUE(t_.dialogs.shown.empty());
}

TEST_F(ZhiXingMingLingTest, FailuresShowTheInstallersMessageUnlessSilent) {
    const std::string broken = Picture("broken.jpg", "no picture");
    const struct {
        Args args;
        int status;
        const char* message;  // nullptr: none
        const char* title;
    } cases[] = {
        {{"/install", "wallpaper", broken}, 1, "图片格式错误，请查看图片是否损坏！", "警告"},
        {{"/install", "wallpaper", broken, "/silent"}, 1, nullptr, nullptr},
        {{"/install", "cursors", Scheme(false)}, 1, "缺少美化图标！", "温馨提示"},
        {{"/silent", "/install", "cursors", Scheme(false)}, 1, nullptr, nullptr},
        {{"/restore", "wallpaper"}, 1, "桌面壁纸不支持还原！", "提示"},
        {{"/restore", "wallpaper", "/silent"}, 1, nullptr, nullptr},
        {{"/install", "wallpaper"}, 2, "", "Velmora"},
        {{"/frobnicate"}, 2, "", "Velmora"},
        {{"/frobnicate", "/silent"}, 2, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        t_.dialogs.shown.clear();
        EXPECT_EQ(Run(c.args), c.status) << c.args[0] << " " << c.args.size();
        if (!c.message) {
            EXPECT_TRUE(t_.dialogs.shown.empty());
            continue;
        }
        ASSERT_EQ(t_.dialogs.shown.size(), 1u) << c.args[0];
        EXPECT_EQ(t_.dialogs.shown[0].title, c.title);
        EXPECT_EQ(t_.dialogs.shown[0].text, *c.message ? c.message : MingLingYongFa());
    }
    EXPECT_TRUE(t_.desktop.wallpapers.empty());
    EXPECT_TRUE(t_.desktop.systemCursors.empty());
}

TEST_F(ZhiXingMingLingTest, CursorsInstallAndRestore) {
    EXPECT_EQ(Run({"/install", "鼠标指针", Scheme(true)}), 0);
    EXPECT_EQ(t_.registry.ReadString("HKCU\\Control Panel\\Cursors\\Arrow"),
              t_.environment.variables["windir"] + "\\Cursors\\Cursors\\Arrow.ani");
    EXPECT_EQ(t_.desktop.systemCursors.size(), 13u);
    EXPECT_EQ(Run({"/restore", "cursors", "/silent"}), 0);
    EXPECT_FALSE(t_.registry.ReadString("HKCU\\Control Panel\\Cursors\\Arrow"));
    EXPECT_EQ(t_.desktop.cursorReloads, 1);
    EXPECT_TRUE(t_.dialogs.shown.empty());
}

}  // namespace
}  // namespace velmora
