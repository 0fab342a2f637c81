#include <gtest/gtest.h>

#include <algorithm>

#include "platform/testing/TestPlatform.h"

namespace velmora {
namespace {

TEST(Wildcard, MatchesLikeTheShell) {
    EXPECT_TRUE(MatchesWildcard("a.jpg", "*.jpg"));
    EXPECT_TRUE(MatchesWildcard("A.JPG", "*.jpg"));
    EXPECT_TRUE(MatchesWildcard("壁纸.jpg", "*.jpg"));
    EXPECT_FALSE(MatchesWildcard("a.jpgx", "*.jpg"));
    EXPECT_FALSE(MatchesWildcard("a.jpeg", "*.jpg"));
    EXPECT_TRUE(MatchesWildcard("ab", "a?"));
    EXPECT_TRUE(MatchesWildcard("anything", "*"));
}

TEST(TempFileSystem, AttributesDecideWhatExistsAndIsListed) {
    testing::TestPlatform t;
    auto& fs = t.files;
    const std::string dir = t.ProgramPath("\\Download\\x\\");
    ASSERT_TRUE(fs.CreateDirectories(dir));
    EXPECT_TRUE(DirectoryExists(fs, dir));
    for (const char* name : {"a.jpg", "b.jpg", "h.jpg", "s.jpg", "c.png"}) {
        ASSERT_TRUE(fs.WriteText(dir + name, "x"));
    }
    fs.SetAttributes(dir + "h.jpg", true, false);
    fs.SetAttributes(dir + "s.jpg", false, true);
    auto names = fs.ListFiles(dir, "*.jpg");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "b.jpg"}));
    EXPECT_TRUE(OrdinaryFileExists(fs, dir + "a.jpg"));
    EXPECT_FALSE(OrdinaryFileExists(fs, dir + "h.jpg"));
    EXPECT_TRUE(AnyFileExists(fs, dir + "h.jpg"));
    EXPECT_FALSE(OrdinaryFileExists(fs, dir));
    EXPECT_FALSE(AnyFileExists(fs, dir + "missing.jpg"));
}

TEST(TempFileSystem, RemoveTreeIsForcedAndForgetsTheAttributesBelow) {
    testing::TestPlatform t;
    auto& fs = t.files;
    const std::string dir = t.ProgramPath("\\Download\\鼠标指针\\3D效果\\水晶");
    ASSERT_TRUE(fs.CreateDirectories(dir + "\\inner"));
    ASSERT_TRUE(fs.WriteText(dir + "\\Arrow.ani", "x"));
    ASSERT_TRUE(fs.WriteText(dir + "\\inner\\Wait.ani", "x"));
    ASSERT_TRUE(fs.WriteText(dir + "2.jpg", "x"));  // beside the folder, its name a longer one
    fs.SetAttributes(dir + "\\Arrow.ani", false, false, true);
    fs.SetAttributes(dir + "\\inner\\Wait.ani", true, true, true);
    fs.SetAttributes(dir + "2.jpg", false, false, true);
    EXPECT_FALSE(fs.Remove(dir + "\\Arrow.ani"));

    EXPECT_TRUE(fs.RemoveTree(dir));
    EXPECT_FALSE(fs.Stat(dir));
    ASSERT_TRUE(fs.CreateDirectories(dir + "\\inner"));
    ASSERT_TRUE(fs.WriteText(dir + "\\inner\\Wait.ani", "new"));
    ASSERT_TRUE(fs.Stat(dir + "\\inner\\Wait.ani"));
    EXPECT_FALSE(fs.Stat(dir + "\\inner\\Wait.ani")->readOnly);
    EXPECT_FALSE(fs.Stat(dir + "\\inner\\Wait.ani")->hidden);
    EXPECT_TRUE(fs.Stat(dir + "2.jpg")->readOnly);
    EXPECT_FALSE(fs.RemoveTree(dir + "2.jpg"));
}

TEST(IniProfileStore, ReadsAndWritesThroughFiles) {
    testing::TestPlatform t;
    const std::string file = t.ProgramPath("\\Sys.dll");
    EXPECT_EQ(t.profile.Read(file, "A", "k", "d", 255), "d");
    EXPECT_TRUE(t.profile.Write(file, "A", "k", "v"));
    EXPECT_EQ(t.profile.Read(file, "a", "K", "", 255), "v");
    // A bare name is the Windows directory's file.
    EXPECT_TRUE(t.profile.Write("Win.ini", "Desktop", "TileWallpaper", "1"));
    EXPECT_EQ(t.files.ReadAll(t.environment.variables["windir"] + "\\Win.ini"), "[Desktop]\r\nTileWallpaper=1\r\n");
}

}  // namespace
}  // namespace velmora
