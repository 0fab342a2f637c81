#include "core/ZiYuanMuLu.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/testing/TestPlatform.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

int CountDirs(const fs::path& dir) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir)) n += e.is_directory();
    return n;
}

TEST(ChuangJianZiYuanMuLu, CreatesThirtyCategoryFoldersUnderFiveKinds) {
    testing::TestPlatform t;
    ChuangJianZiYuanMuLu(t.platform);
    const fs::path download = t.root() + "/prog/Download";
    EXPECT_EQ(CountDirs(download), 5);
    int categories = 0;
    for (const auto& kind : fs::directory_iterator(download)) categories += CountDirs(kind.path());
    EXPECT_EQ(categories, 30);
    EXPECT_TRUE(fs::is_directory(download / "桌面壁纸" / "用户自定义"));
    EXPECT_TRUE(fs::is_directory(download / "启动界面" / "登陆界面"));
    EXPECT_TRUE(fs::is_directory(download / "电脑主题" / "仿Win7"));
}

TEST(ChuangJianZiYuanMuLu, LeavesExistingFoldersAndFilesAlone) {
    testing::TestPlatform t;
    const std::string dir = FenLeiMuLu(t.platform, "鼠标指针", "3D效果");
    ASSERT_TRUE(t.files.CreateDirectories(dir + "Scheme"));
    ASSERT_TRUE(t.files.WriteText(dir + "Scheme.jpg", "picture"));
    ChuangJianZiYuanMuLu(t.platform);
    ChuangJianZiYuanMuLu(t.platform);
    EXPECT_EQ(*t.files.ReadAll(dir + "Scheme.jpg"), "picture");
    EXPECT_TRUE(DirectoryExists(t.files, dir + "Scheme"));
}

TEST(ZiYuanLeiXingBiao, HoldsEveryKindOnce) {
    const auto& table = ZiYuanLeiXingBiao();
    ASSERT_EQ(table.size(), 5u);
    EXPECT_STREQ(table[0].name, "桌面壁纸");  // creation order starts with wallpapers
    EXPECT_EQ(LeiXingByServiceWord("xp主题"), LeiXingByName("电脑主题"));
    EXPECT_EQ(LeiXingByServiceWord("win7主题"), LeiXingByName("电脑主题"));
    EXPECT_EQ(LeiXingByServiceWord("启动界面")->serviceCategoryXp, 17);
    EXPECT_EQ(LeiXingByName("电脑主题")->serviceCategoryWin7, 14);
    EXPECT_EQ(LeiXingByServiceWord("资源"), nullptr);
    EXPECT_EQ(LeiXingByLocalKey("http://xitongtubiao")->id, LeiXingBianHao::XiTongTuBiao);
}

TEST(TongJiZiYuan, CountsOnlyVisiblePicturesDirectlyInEachCategory) {
    testing::TestPlatform t;
    ChuangJianZiYuanMuLu(t.platform);
    const std::string cat = FenLeiMuLu(t.platform, "电脑主题", "3D主题");
    // A theme with its picture counts even without its package; a package alone does not.
    for (const char* f : {"A.jpg", "B.JPG", "C.exe", "D.jpg.txt", "hidden.jpg", "system.jpg"}) {
        ASSERT_TRUE(t.files.WriteText(cat + f, "x"));
    }
    t.files.SetAttributes(cat + "hidden.jpg", true, false);
    t.files.SetAttributes(cat + "system.jpg", false, true);
    ASSERT_TRUE(t.files.CreateDirectories(cat + "A"));
    ASSERT_TRUE(t.files.WriteText(cat + "A\\inner.jpg", "x"));
    ASSERT_TRUE(t.files.CreateDirectories(cat + "folder.jpg"));

    const auto rows = TongJiZiYuan(t.platform, "电脑主题", {"3D主题", "仿Win7", "已删除"});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].MingCheng, "3D主题");
    EXPECT_EQ(rows[0].ShuoMing, "主题:2");
    EXPECT_EQ(rows[1].ShuoMing, "主题:0");
    EXPECT_EQ(rows[2].MingCheng, "已删除");  // a deleted category still gets its row
    EXPECT_EQ(rows[2].ShuoMing, "主题:0");
}

TEST(TongJiZiYuan, UnknownKindHasNoPrefix) {
    testing::TestPlatform t;
    const auto rows = TongJiZiYuan(t.platform, "", {"x"});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].ShuoMing, "0");
}

struct NameCase {
    std::string name;
    bool plain;
};

class ShiPuTongMingChengTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ShiPuTongMingChengTest, OnlyNamesThatStayOneEntryOfTheirFolder) {
    EXPECT_EQ(ShiPuTongMingCheng(GetParam().name), GetParam().plain) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, ShiPuTongMingChengTest,
    ::testing::Values(NameCase{"晨雾", true}, NameCase{"a.b", true}, NameCase{"Windows Classic", true},
                      NameCase{".hidden", true}, NameCase{"comma", true}, NameCase{"com10", true},
                      NameCase{"ก", true}, NameCase{"", false}, NameCase{"  ", false}, NameCase{".", false},
                      NameCase{"..", false}, NameCase{"...", false}, NameCase{"a..b", false},
                      NameCase{"a\\b", false}, NameCase{"a/b", false}, NameCase{"C:", false},
                      NameCase{"a*b", false}, NameCase{"a?b", false}, NameCase{"a|b", false},
                      NameCase{"a\"b", false}, NameCase{"a<b", false}, NameCase{"x\ty", false},
                      NameCase{std::string("x\x01", 2), false}, NameCase{std::string("x\0y", 3), false},
                      NameCase{"name.", false}, NameCase{"name ", false}, NameCase{"CON", false},
                      NameCase{"con.txt", false}, NameCase{"Lpt9", false}, NameCase{"COM1.jpg", false},
                      NameCase{"nul", false}, NameCase{"conout$", false}));

}  // namespace
}  // namespace velmora
