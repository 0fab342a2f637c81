// The actions on the tile last clicked, through the window: what each kind's apply, restore and
// preview call on each system, and deletes and exports on real folders.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/ShuBiaoJueSe.h"
#include "library/tests/CentreFixture.h"

namespace velmora::testing {
namespace {

// ---- the selection

struct SelectionCase {
    std::string caption, n;
};

void PrintTo(const SelectionCase& c, std::ostream* os) { *os << c.caption; }

class Selection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(Selection, StringsFromTheCaption) {
    const SelectionCase c = GetParam();
    for (const char* windows : {"C:\\WINDOWS", "C:\\WINDOWS\\"}) {
        const XuanZe s = JiLuXuanZe("D:\\V\\Download\\鼠标指针\\3D效果", c.caption, windows);
        const std::string own = "D:\\V\\Download\\鼠标指针\\3D效果\\" + c.n;
        EXPECT_EQ(s.N, c.n);
        EXPECT_EQ(s.DangQianTuPian, "D:\\V\\Download\\鼠标指针\\3D效果\\" + c.caption);
        EXPECT_EQ(s.DangQianZiYuanMuLu, own + "\\");
        EXPECT_EQ(s.DangQianTuBiaoKu, own + "\\" + c.n + ".icl");
        EXPECT_EQ(s.DangQianJieMianBao, own + "\\" + c.n + ".exe");
        EXPECT_EQ(s.zhuTiBao, own + "\\" + c.n + ".exe");
        EXPECT_EQ(s.zhuTiWenJian, "C:\\WINDOWS\\Resources\\Themes\\" + c.n + ".theme");
    }
}

INSTANTIATE_TEST_SUITE_P(Captions, Selection,
                         ::testing::Values(SelectionCase{"abc.jpg", "abc"}, SelectionCase{"a.b.jpg", "a.b"},
                                           SelectionCase{"Windows Classic.JPG", "Windows Classic"},
                                           SelectionCase{"v1.2.3.jpg", "v1.2.3"}, SelectionCase{".jpg", ""},
                                           SelectionCase{"无扩展名", "无扩展名"}));

TEST_F(CentreTest, ATileClickOpensTheMenuThenRecordsTheProgramWideSelection) {
    const std::string folder = Folder("鼠标指针", "透明系列");
    Write(folder + "\\a.b.jpg");
    Write(folder + "\\c.jpg");
    Open("鼠标指针");
    Choose(2);
    centre->OnTileMouseDown(2);
    EXPECT_EQ(settings.DangQianTuPian, folder + "\\c.jpg");

    std::string seenAtMenu;
    view.onMenu = [&] { seenAtMenu = settings.DangQianTuPian; };
    centre->OnTileMouseDown(1);
    EXPECT_EQ(view.menusShown, 2);
    EXPECT_EQ(seenAtMenu, folder + "\\c.jpg");  // the menu came first
    EXPECT_EQ(settings.DangQianTuPian, folder + "\\a.b.jpg");
    EXPECT_EQ(settings.DangQianZiYuanMuLu, folder + "\\a.b\\");
    EXPECT_EQ(settings.DangQianTuBiaoKu, folder + "\\a.b\\a.b.icl");
    EXPECT_EQ(settings.DangQianJieMianBao, folder + "\\a.b\\a.b.exe");
    EXPECT_EQ(centre->Selection().N, "a.b");

    // A hidden tile is no target, also where it showed a picture before; the selection
    // outlives a change of category.
    centre->OnTileMouseDown(3);
    Choose(0);  // empty
    centre->OnTileMouseDown(1);
    EXPECT_EQ(view.menusShown, 2);
    EXPECT_EQ(settings.DangQianTuPian, folder + "\\a.b.jpg");
}

// ---- apply, restore and preview

struct ActionCase {
    const char* kind;
    const char* system;
    int position;
    std::vector<std::string> expected;  // installer calls, "title: message", "window", "start ..."
};

void PrintTo(const ActionCase& c, std::ostream* os) { *os << c.kind << " " << c.system << " " << c.position; }

class Dispatch : public CentreTest, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(Dispatch, EachKindOnEachSystem) {
    const ActionCase c = GetParam();
    t.system.version = std::string(c.system);
    const auto* kind = LeiXingByName(c.kind);
    ASSERT_NE(kind, nullptr);
    const std::string folder = Folder(c.kind, kind->categories[0]);
    Write(folder + "\\星.jpg");
    Open(c.kind);
    Choose(0);
    centre->OnTileMouseDown(1);
    view.positionText = "居中";
    centre->OnMenuClick(c.position);

    std::vector<std::string> happened = installs;
    for (const std::string& m : t.dialogs.Titled()) happened.push_back(m);
    for (const LeiXingBianHao id : view.installerWindows) happened.push_back(std::string("window ") + LeiXing(id).name);
    for (const auto& s : t.processes.started) happened.push_back("start " + s.commandLine);
    std::vector<std::string> expected;
    for (const std::string& e : c.expected) {
        const size_t at = e.find('|');
        expected.push_back(at == std::string::npos ? e : e.substr(0, at) + folder + e.substr(at + 1));
    }
    EXPECT_EQ(happened, expected);
}

const int kApply = static_cast<int>(CaoZuo::YingYong);
const int kRestore = static_cast<int>(CaoZuo::HuanYuan);
const int kPreview = static_cast<int>(CaoZuo::YuLan);

// "|" stands for C.
INSTANTIATE_TEST_SUITE_P(
    Kinds, Dispatch,
    ::testing::Values(
        ActionCase{"桌面壁纸", kXp, kApply, {"AnZhuangBiZhi 居中 |\\星.jpg"}},
        ActionCase{"桌面壁纸", kVista, kApply, {"AnZhuangBiZhi 居中 |\\星.jpg"}},
        ActionCase{"桌面壁纸", kWin7, kRestore, {"温馨提示: 桌面壁纸不支持还原！"}},
        ActionCase{"桌面壁纸", kXp, kPreview, {"window 桌面壁纸"}},
        ActionCase{"鼠标指针", kWin7, kApply, {"SheZhi |\\星\\"}},
        ActionCase{"鼠标指针", kXp, kRestore, {"XiaZaiSheZhi"}},
        ActionCase{"鼠标指针", kVista, kPreview, {"window 鼠标指针"}},
        ActionCase{"系统图标", kXp, kApply, {"XpTuBiaoAz |\\星\\星.icl"}},
        ActionCase{"系统图标", kWin7, kApply, {"Win7TuBiaoAz |\\星\\星.icl"}},
        ActionCase{"系统图标", kVista, kApply, {}},
        ActionCase{"系统图标", kXp, kRestore, {"XpTuBiaoHy"}},
        ActionCase{"系统图标", kWin7, kRestore, {"Win7TuBiaoAzHy"}},
        ActionCase{"系统图标", kVista, kRestore, {}},
        ActionCase{"系统图标", kVista, kPreview, {"window 系统图标"}},
        ActionCase{"启动界面", kXp, kApply, {"XiaZaiAZJieMian |\\星\\星.exe"}},
        ActionCase{"启动界面", kWin7, kApply, {"温馨提示: Win7暂时不支持该功能"}},
        ActionCase{"启动界面", kVista, kApply, {}},
        ActionCase{"启动界面", kXp, kRestore, {"XieZaiJieMian"}},
        ActionCase{"启动界面", kWin7, kRestore, {"XieZaiJieMian"}},
        ActionCase{"启动界面", kWin7, kPreview, {"window 启动界面"}},
        // The theme file is not there: the package installs it, minimised.
        ActionCase{"电脑主题", kXp, kApply, {"start \"|\\星\\星.exe\""}},
        ActionCase{"电脑主题", kWin7, kPreview, {"start \"|\\星\\星.exe\""}},
        ActionCase{"电脑主题", kXp, kRestore, {"错误: 缺少电脑主题原始文件!"}},
        // The separators.
        ActionCase{"鼠标指针", kXp, 2, {}}, ActionCase{"启动界面", kXp, 5, {}}));

class ThemeTest : public CentreTest {
protected:
    void SelectTheme(const std::string& name) {
        Write(Folder("电脑主题", "3D主题") + "\\" + name + ".jpg");
        Open("电脑主题");
        Choose(0);
        const auto captions = view.TileCaptions();
        const auto tile = std::find(captions.begin(), captions.end(), name + ".jpg");
        ASSERT_NE(tile, captions.end());
        centre->OnTileMouseDown(static_cast<int>(tile - captions.begin()) + 1);
    }
    std::string Themes(const std::string& file) { return Windows("\\Resources\\Themes\\" + file); }
};

TEST_F(ThemeTest, ApplyAndPreviewOpenTheInstalledThemeFileWithTheShell) {
    Write(Themes("极光.theme"));
    SelectTheme("极光");
    centre->YingYong();
    centre->YuLan();
    ASSERT_EQ(t.processes.started.size(), 2u);
    for (const auto& s : t.processes.started) {
        EXPECT_EQ(s.commandLine, "rundll32 url.dll,FileProtocolHandler \"" + Themes("极光.theme") + "\"");
        EXPECT_EQ(s.style, ChuangKouYangShi::Normal);
    }
    t.files.Remove(Themes("极光.theme"));
    centre->YingYong();
    ASSERT_EQ(t.processes.started.size(), 3u);
    EXPECT_EQ(t.processes.started[2].style, ChuangKouYangShi::Minimized);
}

TEST_F(ThemeTest, RestoreOpensLunaElseWindowsClassic) {
    SelectTheme("极光");
    Write(Themes("Windows Classic.theme"));
    centre->HuanYuan();
    Write(Themes("Luna.theme"));
    centre->HuanYuan();
    EXPECT_EQ(t.processes.CommandLines(),
              (std::vector<std::string>{
                  "rundll32 url.dll,FileProtocolHandler \"" + Themes("Windows Classic.theme") + "\"",
                  "rundll32 url.dll,FileProtocolHandler \"" + Themes("Luna.theme") + "\""}));
    EXPECT_TRUE(t.dialogs.shown.empty());
}

// ---- delete

TEST_F(ThemeTest, DeleteRemovesTheLibraryThemeAndItsInstalledFilesOnly) {
    const std::string c = Folder("电脑主题", "3D主题");
    Write(c + "\\极光\\极光.exe");
    Write(c + "\\极光\\Wallpaper\\readonly.bmp");
    t.files.SetAttributes(c + "\\极光\\Wallpaper\\readonly.bmp", false, false, true);
    Write(Themes("极光\\极光.msstyles"));
    Write(Themes("极光.theme"));
    Write(Themes("极光蓝.theme"));
    Write(c + "\\其他.jpg");
    SelectTheme("极光");
    view.listIndex = 0;

    centre->ShanChu();
    EXPECT_EQ(t.dialogs.Titled(), std::vector<std::string>{"温馨提示: 是否确定删除此资源,一旦删除后资源不可恢复"});
    EXPECT_EQ(t.dialogs.shown[0].buttons, MessageButtons::OkCancel);
    for (const std::string& gone : {c + "\\极光.jpg", c + "\\极光", Themes("极光"), Themes("极光.theme")}) {
        EXPECT_FALSE(Exists(gone)) << gone;
    }
    EXPECT_TRUE(Exists(Themes("极光蓝.theme")));
    EXPECT_TRUE(Exists(c + "\\其他.jpg"));
    EXPECT_TRUE(DirectoryExists(t.files, c));
}

TEST_F(ThemeTest, CancelDeletesNothingAndRefreshesNothing) {
    const std::string c = Folder("电脑主题", "3D主题");
    Write(c + "\\极光\\极光.exe");
    SelectTheme("极光");
    view.calls.clear();
    t.dialogs.answers.push_back(MessageResult::Cancel);
    centre->ShanChu();
    EXPECT_TRUE(Exists(c + "\\极光.jpg"));
    EXPECT_TRUE(Exists(c + "\\极光\\极光.exe"));
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(ThemeTest, TheThemeInUseStaysAndTheListIsRebuiltWithTheSameRow) {
    const std::string c = Folder("电脑主题", "卡通主题");
    for (int i = 0; i < 10; ++i) Write(c + "\\" + std::to_string(i) + ".jpg");
    Write(c + "\\Aurora\\Aurora.exe");
    Write(c + "\\Aurora.jpg");
    t.registry.WriteString("HKEY_CURRENT_USER\\Software\\Microsoft\\Plus!\\Themes\\Current\\",
                           "%SystemRoot%\\Resources\\Themes\\AURORA.theme");
    Open("电脑主题");
    Choose(3);
    centre->OnNextPage();
    ASSERT_EQ(view.TileCaptions()[1], "Aurora.jpg");
    centre->OnTileMouseDown(2);
    view.calls.clear();

    centre->OnMenuClick(static_cast<int>(CaoZuo::ShanChu));
    EXPECT_EQ(t.dialogs.Texts().back(), "主题正在使用,请还原主题后继续删除!");
    EXPECT_TRUE(Exists(c + "\\Aurora.jpg"));
    EXPECT_TRUE(Exists(c + "\\Aurora\\Aurora.exe"));
    // Page 1 of the category again, both lists rebuilt, the same row selected.
    EXPECT_EQ(view.currentPage, "1");
    EXPECT_EQ(view.rows.size(), 8u);
    EXPECT_EQ(view.rows[3].ShuoMing, "主题:11");
    EXPECT_EQ(view.categories.size(), 8u);
    EXPECT_EQ(view.selectedCategories, std::vector<int>{3});
    EXPECT_EQ(centre->CurrentCategory(), "卡通主题");
    const auto cleared = std::find(view.calls.begin(), view.calls.end(), "ClearCategoryLists");
    const auto loaded = std::find(view.calls.begin(), view.calls.end(), "SetResourceList");
    EXPECT_LT(loaded, cleared);  // the category is loaded again before the lists are rebuilt
}

TEST_F(CentreTest, ADeleteOnPageTwoReturnsToPageOneWithTheCountsUpdated) {
    const std::string c = Folder("桌面壁纸", "动物壁纸");
    for (int i = 1; i <= 10; ++i) Write(c + "\\" + std::to_string(100 + i) + ".jpg");
    Open("桌面壁纸");
    Choose(4);
    centre->OnNextPage();
    centre->OnTileMouseDown(1);
    ASSERT_EQ(centre->Selection().N, "110");
    centre->ShanChu();
    EXPECT_FALSE(Exists(c + "\\110.jpg"));
    EXPECT_EQ(Exists(c + "\\109.jpg"), true);
    EXPECT_EQ(view.resources.size(), 9u);
    EXPECT_EQ(view.currentPage, "1");
    EXPECT_EQ(view.pageCount, "1");
    EXPECT_TRUE(view.paging);
    EXPECT_EQ(view.rows[4].ShuoMing, "壁纸:9");
    EXPECT_EQ(view.selectedCategories, std::vector<int>{4});
}

TEST_F(CentreTest, ARefusedNameShowsItsMessageDeletesNothingAndStillRefreshes) {
    const std::string c = Folder("鼠标指针", "3D效果");
    Write(c + "\\..jpg");  // a name of a single dot: its folder would be C itself
    Write(c + "\\keep\\Arrow.ani");
    Open("鼠标指针");
    Choose(0);
    centre->OnTileMouseDown(1);
    ASSERT_EQ(centre->Selection().N, ".");
    centre->ShanChu();
    EXPECT_EQ(t.dialogs.Titled().back(), "温馨提示: 此资源的名称无效，不能删除！");
    EXPECT_TRUE(Exists(c + "\\..jpg"));
    EXPECT_TRUE(Exists(c + "\\keep\\Arrow.ani"));
    EXPECT_EQ(view.selectedCategories.size(), 1u);
}

// ---- export

TEST_F(CentreTest, ExportingACursorSchemeCopiesThePictureAndTheFifteenFiles) {
    const std::string c = Folder("鼠标指针", "动漫鼠标");
    Write(c + "\\Arrows.jpg", "picture");
    for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) Write(c + "\\Arrows\\" + role.file, role.name);
    const std::string d = t.root() + "\\backup\\mine";
    Write(d + "\\Arrows\\Wait.ani", "old");
    Open("鼠标指针");
    Choose(1);
    centre->OnTileMouseDown(1);
    view.saveAnswer = d;
    centre->OnMenuClick(static_cast<int>(CaoZuo::DaoChu));
    EXPECT_EQ(view.saveFilters, std::vector<std::string>{"资源名称(*.*)|*.*|"});
    EXPECT_EQ(t.files.ReadAll(d + "\\Arrows.jpg"), "picture");
    for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) {
        EXPECT_EQ(t.files.ReadAll(d + "\\Arrows\\" + role.file), std::string(role.name));  // Wait.ani overwritten
    }
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST_F(CentreTest, AFailingCopyStopsTheExportNamingTheFileAndKeepsWhatWasCopied) {
    const std::string c = Folder("鼠标指针", "动漫鼠标");
    Write(c + "\\Arrows.jpg");
    for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) {
        if (std::string(role.name) != "Help") Write(c + "\\Arrows\\" + role.file);
    }
    const std::string d = t.root() + "\\out";
    Open("鼠标指针");
    Choose(1);
    centre->OnTileMouseDown(1);
    view.saveAnswer = d;
    centre->DaoChu();
    EXPECT_EQ(t.dialogs.Titled(), std::vector<std::string>{"错误: 导出失败，无法复制文件：" + c + "\\Arrows\\Help.ani"});
    for (const char* copied : {"Arrows.jpg", "Arrows\\Arrow.ani", "Arrows\\AppStarting.ani", "Arrows\\Hand.ani"}) {
        EXPECT_TRUE(Exists(d + "\\" + copied)) << copied;
    }
    EXPECT_FALSE(Exists(d + "\\Arrows\\IBeam.ani"));
}

TEST_F(CentreTest, ALogonScreenExportOffXpKeepsThePictureAfterTheMessage) {
    t.system.version = std::string(kWin7);
    const std::string c = Folder("启动界面", "登陆界面");
    Write(c + "\\晨光.jpg");
    Write(c + "\\晨光\\晨光.exe");
    Open("启动界面");
    Choose(0);
    centre->OnTileMouseDown(1);
    view.saveAnswer = t.root() + "\\导出\\界面";
    centre->DaoChu();
    EXPECT_TRUE(Exists(t.root() + "\\导出\\界面\\晨光.jpg"));
    EXPECT_FALSE(Exists(t.root() + "\\导出\\界面\\晨光"));
    EXPECT_EQ(t.dialogs.Titled(), std::vector<std::string>{"提示: 目前只支持XP系统！"});
}

TEST_F(CentreTest, AWallpaperExportsToTheNameAsTypedAndACancelDoesNothing) {
    const std::string c = Folder("桌面壁纸", "经典珍藏");
    Write(c + "\\湖.jpg", "lake");
    Open("桌面壁纸");
    Choose(0);
    centre->OnTileMouseDown(1);
    centre->DaoChu();  // cancelled
    const std::string target = t.root() + "\\湖的副本";
    Write(target, "old");
    view.saveAnswer = target;
    centre->DaoChu();
    EXPECT_EQ(view.saveFilters, (std::vector<std::string>{"图片名称(*.jpg)|*.jpg|", "图片名称(*.jpg)|*.jpg|"}));
    EXPECT_EQ(t.files.ReadAll(target), "lake");
    EXPECT_FALSE(Exists(target + ".jpg"));
    EXPECT_TRUE(t.dialogs.shown.empty());
}

}  // namespace
}  // namespace velmora::testing
