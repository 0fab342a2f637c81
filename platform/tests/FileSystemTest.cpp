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
