// The library browser: opening on a kind, the category list, loading a category and paging
// through it, as the window's controls are told.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "library/tests/CentreFixture.h"

namespace velmora::testing {
namespace {

const char* const kBiZhi = "桌面壁纸";

// p01.jpg, p02.jpg, ...: names that sort as they are numbered.
std::string Picture(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "p%02d.jpg", i);
    return name;
}

// The captions tiles 1 to 9 should show for pictures first, first+1, ... (count of them).
std::vector<std::string> Tiles(int first, int count) {
    std::vector<std::string> out(kMeiYeTuPian);
    for (int i = 0; i < count; ++i) out[static_cast<size_t>(i)] = Picture(first + i);
    return out;
}

struct PagingCase {
    int pictures;
    int pages;
};

void PrintTo(const PagingCase& c, std::ostream* os) { *os << c.pictures << " pictures"; }

class Paging : public CentreTest, public ::testing::WithParamInterface<PagingCase> {};

TEST_P(Paging, EveryPageShowsItsPicturesAndTheEndsStayPut) {
    const PagingCase c = GetParam();
    const std::string folder = Folder(kBiZhi, "风景壁纸");
    for (int i = 1; i <= c.pictures; ++i) Write(folder + "\\" + Picture(i));
    Open(kBiZhi);
    Choose(10);  // 风景壁纸

    EXPECT_EQ(view.resources.size(), static_cast<size_t>(c.pictures));
    EXPECT_EQ(view.pageCount, std::to_string(c.pages));
    EXPECT_FALSE(view.loading);
    EXPECT_EQ(view.empty, c.pictures == 0);
    // The panel shows from nine pictures on, a single full page included.
    EXPECT_EQ(view.paging, c.pictures >= 9);
    if (c.pictures == 0) {
        EXPECT_EQ(view.currentPage, "0");
        EXPECT_EQ(view.TileCaptions(), Tiles(1, 0));
    }

    // Forward to the last page, one past it, then back to the first and one before it.
    for (int page = 1; page <= c.pages; ++page) {
        if (page > 1) centre->OnNextPage();
        const int first = (page - 1) * 9 + 1;
        EXPECT_EQ(view.currentPage, std::to_string(page));
        EXPECT_EQ(view.TileCaptions(), Tiles(first, std::min(9, c.pictures - first + 1))) << "page " << page;
        EXPECT_EQ(view.tiles[0].path, folder + "\\" + Picture(first));
        EXPECT_FALSE(view.loading);
    }
    const size_t calls = view.calls.size();
    centre->OnNextPage();
    EXPECT_EQ(view.calls.size(), calls) << "next on the last page";
    for (int page = c.pages - 1; page >= 1; --page) {
        centre->OnPreviousPage();
        EXPECT_EQ(view.currentPage, std::to_string(page));
        EXPECT_EQ(view.TileCaptions(), Tiles((page - 1) * 9 + 1, 9));
    }
    const size_t before = view.calls.size();
    centre->OnPreviousPage();
    EXPECT_EQ(view.calls.size(), before) << "previous on the first page";
    EXPECT_EQ(centre->Page(), c.pictures == 0 ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Counts, Paging,
                         ::testing::Values(PagingCase{0, 0}, PagingCase{1, 1}, PagingCase{9, 1}, PagingCase{10, 2},
                                           PagingCase{18, 2}, PagingCase{19, 3}));

TEST(PageArithmetic, StaysInThirtyTwoBits) {
    EXPECT_EQ(YeShu(2147483647), 238609295);
    const YeFanWei last = YeMianFanWei(238609295, 2147483647);
    EXPECT_EQ(last.first, 2147483646);
    EXPECT_EQ(last.count, 1);
    EXPECT_EQ(YeMianFanWei(238609296, 2147483647).count, 0);
    EXPECT_EQ(YeMianFanWei(2147483647, 5).count, 0);
    EXPECT_EQ(YeMianFanWei(0, 5).count, 0);
    EXPECT_EQ(YeShu(-1), 0);
}

TEST_F(CentreTest, LoadingShowsItsNoticeWhileTheEventsRunAndThenTheFirstPage) {
    const std::string folder = Folder("鼠标指针", "3D效果");
    for (int i = 1; i <= 3; ++i) Write(folder + "\\" + Picture(i));
    Open("鼠标指针");
    Choose(2);  // an empty category first
    ASSERT_TRUE(view.empty);
    view.hover = 4;

    bool checked = false;
    view.onPump = [&] {
        checked = true;
        EXPECT_TRUE(view.loading);
        EXPECT_FALSE(view.empty || view.paging);
        EXPECT_EQ(view.hover, 0);
        EXPECT_EQ(view.TileCaptions(), Tiles(1, 0));
        EXPECT_EQ(view.resources, (std::vector<std::string>{"p01.jpg", "p02.jpg", "p03.jpg"}));
    };
    Choose(0);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(view.loading || view.empty || view.paging);
    EXPECT_EQ(view.TileCaptions(), Tiles(1, 3));
    EXPECT_EQ(view.currentPage, "1");
    EXPECT_EQ(view.pageCount, "1");
}

TEST_F(CentreTest, PicturesSortByNameWithoutCaseAndOnlyVisibleJpegFilesCount) {
    const std::string folder = Folder(kBiZhi, "经典珍藏");
    for (const char* name : {"b.jpg", "a.jpg", "A.jpg", "C.JPG", "中.jpg", "9.jpg", "10.jpg", "broken.jpg"}) {
        Write(folder + "\\" + name, "jpeg");
    }
    Write(folder + "\\broken.jpg", "");  // unreadable as a picture: the tile still gets its caption
    Write(folder + "\\notes.png");
    Write(folder + "\\hidden.jpg");
    t.files.SetAttributes(folder + "\\hidden.jpg", true, false);
    ASSERT_TRUE(t.files.CreateDirectories(folder + "\\folder.jpg"));
    Open(kBiZhi);
    Choose(0);
    const std::vector<std::string> sorted = {"10.jpg", "9.jpg", "A.jpg", "a.jpg", "b.jpg", "broken.jpg", "C.JPG",
                                             "中.jpg"};
    EXPECT_EQ(view.resources, sorted);
    std::vector<std::string> tiles = sorted;
    tiles.resize(kMeiYeTuPian);
    EXPECT_EQ(view.TileCaptions(), tiles);
    EXPECT_EQ(view.tiles[5].path, folder + "\\broken.jpg");
}

TEST_F(CentreTest, AnEmptyCategoryKeepsTheCurrentPageTextAndHidesThePanel) {
    const std::string folder = Folder(kBiZhi, "风景壁纸");
    for (int i = 1; i <= 19; ++i) Write(folder + "\\" + Picture(i));
    Open(kBiZhi);
    Choose(10);
    centre->OnNextPage();
    centre->OnNextPage();
    ASSERT_EQ(view.currentPage, "3");
    Choose(11);  // 其他酷图, empty
    EXPECT_TRUE(view.empty);
    EXPECT_FALSE(view.paging || view.loading);
    EXPECT_EQ(view.currentPage, "3");
    EXPECT_EQ(view.pageCount, "0");
    EXPECT_EQ(view.TileCaptions(), Tiles(1, 0));
    // The paging buttons are out of reach, and do nothing if pressed all the same.
    centre->OnNextPage();
    centre->OnPreviousPage();
    EXPECT_EQ(view.TileCaptions(), Tiles(1, 0));
    // Back to the full category: page 1 again.
    Choose(10);
    EXPECT_EQ(view.currentPage, "1");
    EXPECT_EQ(view.TileCaptions(), Tiles(1, 9));
}

TEST_F(CentreTest, AClickBelowTheRowsReloadsTheCurrentCategoryOrTheKindFolder) {
    const std::string kindFolder = t.ProgramPath("\\Download\\桌面壁纸");
    Write(kindFolder + "\\stray.jpg");
    Write(Folder(kBiZhi, "温馨浪漫") + "\\" + Picture(1));
    Open(kBiZhi);
    // Nothing loads until a click; before any category the kind folder itself is C.
    EXPECT_TRUE(view.resources.empty());
    EXPECT_FALSE(view.loading || view.empty || view.paging);
    Choose(-1);
    EXPECT_EQ(centre->CurrentCategory(), "");
    EXPECT_EQ(centre->CategoryFolder(), kindFolder);
    EXPECT_EQ(view.resources, std::vector<std::string>{"stray.jpg"});
    EXPECT_EQ(view.tiles[0].path, kindFolder + "\\stray.jpg");

    Choose(1);
    EXPECT_EQ(view.resources, std::vector<std::string>{Picture(1)});
    Write(Folder(kBiZhi, "温馨浪漫") + "\\" + Picture(2));
    Choose(-1);  // keeps 温馨浪漫 and sees the new picture
    EXPECT_EQ(centre->CurrentCategory(), "温馨浪漫");
    EXPECT_EQ(view.resources, (std::vector<std::string>{Picture(1), Picture(2)}));
    Choose(1);  // the selected row again reloads as well
    EXPECT_EQ(view.TileCaptions(), Tiles(1, 2));
}

struct OpenCase {
    const char* kind;
    bool chooser;
    const char* exportCaption;
    size_t categories;
};

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.kind; }

class Opening : public CentreTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(Opening, FrameMenuPositionChooserAndCategoryRows) {
    const OpenCase c = GetParam();
    const auto* kind = LeiXingByName(c.kind);
    ASSERT_NE(kind, nullptr);
    const std::string first = Folder(c.kind, kind->categories[0]);
    Write(first + "\\a.jpg");
    Write(first + "\\b.jpg");
    Write(first + "\\a\\a.exe");
    Open(c.kind);

    EXPECT_EQ(view.title, "资源管理");
    EXPECT_TRUE(t.dialogs.shown.empty());
    EXPECT_EQ(view.positionChooser, c.chooser);
    EXPECT_EQ(view.position, c.chooser ? 0 : -1);
    EXPECT_EQ(view.menu, (std::vector<std::string>{"应用(&N)", "还原(&O)", "", "预览(&S)", "删除(&U)", "",
                                                   c.exportCaption}));
    EXPECT_EQ(view.currentPage, "0");
    EXPECT_EQ(view.pageCount, "0");
    EXPECT_EQ(view.TileCaptions(), Tiles(1, 0));
    ASSERT_EQ(view.categories.size(), c.categories);
    ASSERT_EQ(view.rows.size(), c.categories);
    for (size_t i = 0; i < c.categories; ++i) {
        EXPECT_EQ(view.categories[i], kind->categories[i]);
        EXPECT_EQ(view.rows[i].MingCheng, kind->categories[i]);
        EXPECT_EQ(view.rows[i].ShuoMing, std::string(kind->labelPrefix) + (i == 0 ? "2" : "0"));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, Opening,
                         ::testing::Values(OpenCase{"桌面壁纸", true, "导出图片(&U)", 13},
                                           OpenCase{"电脑主题", false, "导出资源(&U)", 8},
                                           OpenCase{"鼠标指针", false, "导出资源(&U)", 3},
                                           OpenCase{"系统图标", false, "导出资源(&U)", 5},
                                           OpenCase{"启动界面", false, "导出资源(&U)", 1}));

TEST_F(CentreTest, TheHoverFrameFollowsTheTileUnderTheMouse) {
    Write(Folder(kBiZhi, "经典珍藏") + "\\a.jpg");
    Open(kBiZhi);
    Choose(0);
    centre->OnTileMouseMove(1);
    EXPECT_EQ(view.hover, 1);
    centre->OnTileMouseMove(9);
    EXPECT_EQ(view.hover, 9);
    centre->OnAreaMouseMove();
    EXPECT_EQ(view.hover, 0);
}

TEST_F(CentreTest, AProgramDirectoryOutsideTheChineseCodePageListsAndDeletesTheRightFiles) {
    // Thai letters have no place in the Chinese code page: the names must travel as they are.
    const std::string dir = t.root() + "/โปรแกรม ก";
    t.environment.programDirectory = dir;
    ASSERT_TRUE(t.files.CreateDirectories(dir));
    PrepareProgramDirectory();
    const std::string folder = Folder("系统图标", "动漫");
    ASSERT_NE(folder.find("โปรแกรม ก"), std::string::npos);
    Write(folder + "\\ก.jpg");
    Write(folder + "\\ก\\ก.icl");
    Write(folder + "\\ข.jpg");
    Write(folder + "\\ข\\ข.icl");
    t.system.version = std::string(kXp);
    Open("系统图标");
    Choose(1);
    EXPECT_EQ(view.resources, (std::vector<std::string>{"ก.jpg", "ข.jpg"}));
    EXPECT_EQ(view.tiles[0].path, folder + "\\ก.jpg");
    EXPECT_EQ(view.rows[1].ShuoMing, "图标:2");

    centre->OnTileMouseDown(1);
    centre->OnMenuClick(static_cast<int>(CaoZuo::YingYong));
    EXPECT_EQ(installs, std::vector<std::string>{"XpTuBiaoAz " + folder + "\\ก\\ก.icl"});
    centre->OnMenuClick(static_cast<int>(CaoZuo::ShanChu));
    EXPECT_FALSE(Exists(folder + "\\ก.jpg"));
    EXPECT_FALSE(Exists(folder + "\\ก"));
    EXPECT_TRUE(Exists(folder + "\\ข.jpg"));
    EXPECT_TRUE(Exists(folder + "\\ข\\ข.icl"));
    EXPECT_EQ(view.resources, std::vector<std::string>{"ข.jpg"});
    EXPECT_EQ(view.rows[1].ShuoMing, "图标:1");
}

}  // namespace
}  // namespace velmora::testing
