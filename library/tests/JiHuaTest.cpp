// The delete and export plans per kind: which files and folders they touch, in which order, and
// the deletes they refuse.
#include <gtest/gtest.h>

#include <optional>

#include "core/XiTong.h"
#include "core/ZiYuanMuLu.h"
#include "library/GuanLiZhongXin.h"
#include "library/tests/CentreFixture.h"
#include "platform/Strings.h"
#include "platform/testing/TestPlatform.h"

namespace velmora::testing {
namespace {

std::vector<std::string> Steps(const std::vector<BuZhou>& steps) {
    std::vector<std::string> out;
    for (const BuZhou& s : steps) {
        switch (s.lei) {
            case BuZhou::Lei::ShanChuWenJian: out.push_back("file " + s.path); break;
            case BuZhou::Lei::ShanChuMuLu: out.push_back("tree " + s.path); break;
            case BuZhou::Lei::ChuangJianMuLu: out.push_back("mkdir " + s.path); break;
            case BuZhou::Lei::FuZhi: out.push_back("copy " + s.path + " > " + s.to); break;
        }
    }
    return out;
}

std::vector<std::string> Expand(const std::vector<std::string>& lines, const std::string& c, const std::string& themes) {
    std::vector<std::string> out;
    for (std::string line : lines) out.push_back(ReplaceAll(ReplaceAll(line, "{C}", c), "{T}", themes));
    return out;
}

// ---- delete

const char* const kPlus = "HKEY_CURRENT_USER\\Software\\Microsoft\\Plus!\\Themes\\Current\\";
const char* const kCurrentTheme = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\CurrentTheme";

struct DeleteCase {
    const char* kind = "";
    const char* caption = "";
    std::vector<std::string> steps;  // {C}: the category folder, {T}: W\Resources\Themes
    const char* refusal = nullptr;
    const char* system = kXp;
    bool package = false;  // the library holds C\N\N.exe
    std::optional<std::string> plus, currentTheme;
};

void PrintTo(const DeleteCase& c, std::ostream* os) { *os << c.kind << " " << c.caption << " " << c.system; }

class DeletePlan : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(DeletePlan, StepsOrRefusal) {
    const DeleteCase& c = GetParam();
    TestPlatform t;
    t.system.version = std::string(c.system);
    if (c.plus) t.registry.WriteString(kPlus, *c.plus);
    if (c.currentTheme) t.registry.WriteString(kCurrentTheme, *c.currentTheme);
    ChuangJianZiYuanMuLu(t.platform);
    const std::string category = LeiXingByName(c.kind)->categories[0];
    const std::string folder = FenLeiMuLu(t.platform, c.kind, category);
    const std::string cFolder = folder.substr(0, folder.size() - 1);
    const XuanZe selection = JiLuXuanZe(cFolder, c.caption, t.environment.variables["windir"]);
    if (c.package) {
        ASSERT_TRUE(t.files.CreateDirectories(cFolder + "\\" + selection.N));
        ASSERT_TRUE(t.files.WriteText(selection.zhuTiBao, "package"));
    }

    const ShanChuJiHua plan = JiHuaShanChu(t.platform, c.kind, cFolder, selection);
    EXPECT_EQ(plan.refused, c.refusal != nullptr) << c.caption;
    EXPECT_EQ(plan.message, c.refusal ? c.refusal : "");
    EXPECT_EQ(Steps(plan.steps),
              Expand(c.steps, cFolder, t.environment.variables["windir"] + "\\Resources\\Themes"));
}

DeleteCase Kept(const char* kind, const char* caption, std::vector<std::string> steps) {
    DeleteCase c;
    c.kind = kind;
    c.caption = caption;
    c.steps = std::move(steps);
    return c;
}

DeleteCase Refused(const char* kind, const char* caption, const char* refusal) {
    DeleteCase c = Kept(kind, caption, {});
    c.refusal = refusal;
    return c;
}

DeleteCase Theme(const char* caption, const char* system, std::optional<std::string> plus,
                 std::optional<std::string> currentTheme, const char* refusal, std::vector<std::string> steps = {}) {
    DeleteCase c = Kept("电脑主题", caption, std::move(steps));
    c.system = system;
    c.plus = std::move(plus);
    c.currentTheme = std::move(currentTheme);
    c.refusal = refusal;
    return c;
}

DeleteCase WithPackage(DeleteCase c) {
    c.package = true;
    return c;
}

const std::vector<std::string> kFullTheme = {"file {C}\\极光.jpg", "file {C}\\极光\\极光.exe", "tree {C}\\极光",
                                             "tree {T}\\极光", "file {T}\\极光.theme"};
const std::vector<std::string> kLibraryOnly = {"file {C}\\极光.jpg", "file {C}\\极光\\极光.exe", "tree {C}\\极光"};
const char* const kWin7Path = "C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows\\Themes\\极光.theme";

INSTANTIATE_TEST_SUITE_P(
    Kinds, DeletePlan,
    ::testing::Values(
        Kept("桌面壁纸", "晨雾.jpg", {"file {C}\\晨雾.jpg"}),
        Kept("桌面壁纸", "a.b.JPG", {"file {C}\\a.b.JPG"}),
        Kept("鼠标指针", "Luna.jpg", {"file {C}\\Luna.jpg", "tree {C}\\Luna"}),
        Kept("系统图标", "a.b.jpg", {"file {C}\\a.b.jpg", "tree {C}\\a.b"}),
        Kept("启动界面", "晨光.jpg", {"file {C}\\晨光.jpg", "tree {C}\\晨光"}),
        // Only a theme the library installed takes its files out of the system's theme folder.
        WithPackage(Theme("极光.jpg", kXp, std::nullopt, std::nullopt, nullptr, kFullTheme)),
        Theme("极光.jpg", kXp, std::nullopt, std::nullopt, nullptr, kLibraryOnly)));

INSTANTIATE_TEST_SUITE_P(
    Names, DeletePlan,
    ::testing::Values(Refused("电脑主题", ".jpg", kMingChengWuXiao), Refused("桌面壁纸", ".jpg", kMingChengWuXiao),
                      Refused("鼠标指针", "..jpg", kMingChengWuXiao), Refused("系统图标", "...jpg", kMingChengWuXiao),
                      Refused("启动界面", "  .jpg", kMingChengWuXiao),
                      Refused("启动界面", "..\\..\\Windows.jpg", kMingChengWuXiao),
                      Refused("鼠标指针", "a\\b.jpg", kMingChengWuXiao), Refused("桌面壁纸", "a/b.jpg", kMingChengWuXiao),
                      Refused("电脑主题", "C:.jpg", kMingChengWuXiao), Refused("系统图标", "CON.jpg", kMingChengWuXiao)));

INSTANTIATE_TEST_SUITE_P(
    Themes, DeletePlan,
    ::testing::Values(
        WithPackage(Theme("Luna.jpg", kXp, std::nullopt, std::nullopt, kXiTongZhuTi)),
        Theme("LUNA.jpg", kWin7, std::nullopt, std::nullopt, kXiTongZhuTi),
        Theme("windows classic.jpg", kXp, std::nullopt, std::nullopt, kXiTongZhuTi),
        // The theme in use, its letter case aside.
        WithPackage(Theme("极光.jpg", kXp, std::string("%SystemRoot%\\Resources\\Themes\\极光.theme"), std::nullopt,
                          kZhuTiZhengZaiShiYong)),
        Theme("aurora.jpg", kXp, std::string("C:\\WINDOWS\\Resources\\Themes\\Aurora.theme"), std::nullopt,
              kZhuTiZhengZaiShiYong),
        Theme("a.b.jpg", kXp, std::string("C:\\WINDOWS\\Resources\\Themes\\a.b.theme"), std::nullopt,
              kZhuTiZhengZaiShiYong),
        Theme("a.jpg", kXp, std::string("C:\\WINDOWS\\Resources\\Themes\\a.b.theme"), std::nullopt,
              kZhuTiZhengZaiShiYong),
        // Windows 7 keeps the current theme in its own place too; XP does not read it.
        Theme("极光.jpg", kWin7, std::nullopt, std::string(kWin7Path), kZhuTiZhengZaiShiYong),
        Theme("极光.jpg", kWin7, std::string("C:\\WINDOWS\\Resources\\Themes\\Luna.theme"), std::string(kWin7Path),
              kZhuTiZhengZaiShiYong),
        WithPackage(Theme("极光.jpg", kXp, std::nullopt, std::string(kWin7Path), nullptr, kFullTheme)),
        // Another theme in use, or a value that names none.
        WithPackage(Theme("极光.jpg", kWin7, std::string("C:\\WINDOWS\\Resources\\Themes\\极光蓝.theme"),
                          std::string("C:\\WINDOWS\\Resources\\Themes\\极.theme"), nullptr, kFullTheme)),
        WithPackage(Theme("极光.jpg", kWin7, std::string(""), std::string(""), nullptr, kFullTheme))));

TEST(DeletePlanGuard, APictureOutsideTheCategoryFolderIsRefused) {
    TestPlatform t;
    const XuanZe selection = JiLuXuanZe("D:\\V\\Download\\鼠标指针\\3D效果", "水晶.jpg", "C:\\WINDOWS");
    for (const char* folder : {"D:\\V\\Download\\鼠标指针", "D:\\V\\Download\\鼠标指针\\透明系列", ""}) {
        const ShanChuJiHua plan = JiHuaShanChu(t.platform, "鼠标指针", folder, selection);
        EXPECT_TRUE(plan.refused) << folder;
        EXPECT_TRUE(plan.steps.empty());
    }
}

// ---- export

struct ExportCase {
    const char* kind;
    const char* system;
    const char* caption;
    std::string d;
    std::vector<std::string> steps;  // {C}: the category folder
    const char* stop = "";
};

void PrintTo(const ExportCase& c, std::ostream* os) { *os << c.kind << " " << c.system << " " << c.d; }

class ExportPlan : public ::testing::TestWithParam<ExportCase> {};

TEST_P(ExportPlan, StepsAndStop) {
    const ExportCase& c = GetParam();
    const std::string folder = std::string("D:\\V\\Download\\") + c.kind + "\\分类";
    const DaoChuJiHua plan =
        JiHuaDaoChu(c.kind, XiTongMingCheng(std::string(c.system)), JiLuXuanZe(folder, c.caption, "C:\\WINDOWS"), c.d);
    EXPECT_EQ(Steps(plan.steps), Expand(c.steps, folder, ""));
    EXPECT_EQ(plan.stopMessage, c.stop);
    EXPECT_EQ(plan.stopTitle, *c.stop ? "提示" : "");
}

std::vector<std::string> CursorExport() {
    std::vector<std::string> steps = {"mkdir E:\\backup\\mine", "copy {C}\\Arrows.jpg > E:\\backup\\mine\\Arrows.jpg",
                                      "mkdir E:\\backup\\mine\\Arrows\\"};
    for (const char* file : {"Arrow.ani", "AppStarting.ani", "Crosshair.ani", "Hand.ani", "Help.ani", "IBeam.ani",
                             "No.ani", "NWPen.ani", "SizeAll.ani", "SizeNESW.ani", "SizeNS.ani", "SizeNWSE.ani",
                             "SizeWE.ani", "UpArrow.ani", "Wait.ani"}) {
        steps.push_back(std::string("copy {C}\\Arrows\\") + file + " > E:\\backup\\mine\\Arrows\\" + file);
    }
    return steps;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ExportPlan,
    ::testing::Values(
        ExportCase{"桌面壁纸", kXp, "湖.jpg", "E:\\backup\\湖", {"copy {C}\\湖.jpg > E:\\backup\\湖"}},
        ExportCase{"系统图标", kWin7, "银色.jpg", "E:\\backup\\mine",
                   {"mkdir E:\\backup\\mine", "copy {C}\\银色.jpg > E:\\backup\\mine\\银色.jpg",
                    "mkdir E:\\backup\\mine\\银色\\", "copy {C}\\银色\\银色.icl > E:\\backup\\mine\\银色\\银色.icl"}},
        ExportCase{"系统图标", kXp, "a.b.jpg", "E:\\",
                   {"mkdir E:\\", "copy {C}\\a.b.jpg > E:\\a.b.jpg", "mkdir E:\\a.b\\",
                    "copy {C}\\a.b\\a.b.icl > E:\\a.b\\a.b.icl"}},
        ExportCase{"启动界面", kXp, "晨光.jpg", "E:\\x",
                   {"mkdir E:\\x", "copy {C}\\晨光.jpg > E:\\x\\晨光.jpg", "mkdir E:\\x\\晨光\\",
                    "copy {C}\\晨光\\晨光.exe > E:\\x\\晨光\\晨光.exe"}},
        ExportCase{"启动界面", kWin7, "晨光.jpg", "E:\\x", {"mkdir E:\\x", "copy {C}\\晨光.jpg > E:\\x\\晨光.jpg"},
                   "目前只支持XP系统！"},
        ExportCase{"启动界面", kVista, "晨光.jpg", "E:\\x", {"mkdir E:\\x", "copy {C}\\晨光.jpg > E:\\x\\晨光.jpg"},
                   "目前只支持XP系统！"},
        ExportCase{"电脑主题", kWin7, "极光.jpg", "E:\\x",
                   {"mkdir E:\\x", "copy {C}\\极光.jpg > E:\\x\\极光.jpg", "mkdir E:\\x\\极光\\",
                    "copy {C}\\极光\\极光.exe > E:\\x\\极光\\极光.exe"}},
        ExportCase{"鼠标指针", kXp, "Arrows.jpg", "E:\\backup\\mine", CursorExport()}));

TEST(ExportFilter, PicturesForWallpapersAnyFileOtherwise) {
    EXPECT_EQ(DaoChuGuoLvQi("桌面壁纸"), "图片名称(*.jpg)|*.jpg|");
    for (const char* kind : {"电脑主题", "鼠标指针", "系统图标", "启动界面"}) {
        EXPECT_EQ(DaoChuGuoLvQi(kind), "资源名称(*.*)|*.*|") << kind;
    }
}

}  // namespace
}  // namespace velmora::testing
