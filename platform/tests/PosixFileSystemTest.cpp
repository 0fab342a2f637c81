#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/posix/PosixFileSystem.h"

namespace velmora::posix {
namespace {

class PosixFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "velmora-posixfs-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        root_ = tmpl;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    bool Write(const std::string& path, const std::string& text) {
        auto f = fs_.OpenForWrite(path);
        return f && f->Write(text.data(), text.size()) && f->Close();
    }

    PosixFileSystem fs_;
    std::string root_;
};

TEST_F(PosixFileSystemTest, BackslashPathsNameRealFiles) {
    const std::string dir = root_ + "\\Download\\桌面壁纸\\\\风景壁纸\\";
    ASSERT_TRUE(fs_.CreateDirectories(dir));
    ASSERT_TRUE(Write(dir + "湖光山色.jpg", "picture"));
    ASSERT_TRUE(fs_.CreateDirectories(dir + "sub.jpg"));

    EXPECT_EQ(fs_.ReadAll(root_ + "/Download/桌面壁纸/风景壁纸/湖光山色.jpg"), "picture");
    const auto info = fs_.Stat(dir + "湖光山色.jpg");
    ASSERT_TRUE(info);
    EXPECT_FALSE(info->directory || info->hidden || info->system || info->readOnly);
    EXPECT_EQ(info->size, 7u);
    EXPECT_TRUE(DirectoryExists(fs_, dir));
    EXPECT_EQ(fs_.ListFiles(dir, "*.JPG"), std::vector<std::string>{"湖光山色.jpg"});
    EXPECT_FALSE(fs_.Stat(dir + "missing.jpg"));
    EXPECT_FALSE(fs_.ReadAll(dir + "missing.jpg"));
}

TEST_F(PosixFileSystemTest, ReadOnlyComesFromThePermissionBits) {
    const std::string file = root_ + "\\a.txt";
    ASSERT_TRUE(Write(file, "kept"));
    ASSERT_EQ(chmod(PosixFileSystem::Native(file).c_str(), 0444), 0);
    ASSERT_TRUE(fs_.Stat(file));
    EXPECT_TRUE(fs_.Stat(file)->readOnly);
    EXPECT_EQ(fs_.OpenForWrite(file), nullptr);
    EXPECT_FALSE(fs_.Remove(file));
    EXPECT_EQ(fs_.ReadAll(file), "kept");

    ASSERT_EQ(chmod(PosixFileSystem::Native(file).c_str(), 0644), 0);
    EXPECT_FALSE(fs_.Stat(file)->readOnly);
    EXPECT_TRUE(fs_.Remove(file));
    EXPECT_FALSE(fs_.Stat(file));
}

TEST_F(PosixFileSystemTest, MoveReplacesCopyAsked) {
    const std::string a = root_ + "\\a", b = root_ + "\\b";
    ASSERT_TRUE(Write(a, "new"));
    ASSERT_TRUE(Write(b, "old"));
    EXPECT_FALSE(fs_.Copy(a, b, false));
    EXPECT_EQ(fs_.ReadAll(b), "old");
    EXPECT_TRUE(fs_.Copy(a, b, true));
    EXPECT_EQ(fs_.ReadAll(b), "new");
    ASSERT_TRUE(Write(a, "newer"));
    EXPECT_TRUE(fs_.Move(a, b));
    EXPECT_EQ(fs_.ReadAll(b), "newer");
    EXPECT_FALSE(fs_.Stat(a));
    EXPECT_FALSE(fs_.Remove(root_));
    EXPECT_FALSE(fs_.Move(a, b));
}

TEST_F(PosixFileSystemTest, RemovesOnlyEmptyFolders) {
    const std::string dir = root_ + "\\Cursors\\Cursors";
    ASSERT_TRUE(fs_.CreateDirectories(dir));
    ASSERT_TRUE(Write(dir + "\\Arrow.ani", "x"));
    EXPECT_FALSE(fs_.RemoveEmptyFolder(dir));
    EXPECT_FALSE(fs_.RemoveEmptyFolder(dir + "\\Arrow.ani"));
    EXPECT_TRUE(fs_.Remove(dir + "\\Arrow.ani"));
    EXPECT_TRUE(fs_.RemoveEmptyFolder(dir + "\\"));
    EXPECT_FALSE(DirectoryExists(fs_, dir));
    EXPECT_FALSE(fs_.RemoveEmptyFolder(dir));
    EXPECT_TRUE(DirectoryExists(fs_, root_ + "\\Cursors"));
}

TEST_F(PosixFileSystemTest, RemoveTreeTakesTheFolderButNothingItsLinksPointTo) {
    namespace stdfs = std::filesystem;
    const std::string dir = root_ + "\\主题\\极光";
    ASSERT_TRUE(fs_.CreateDirectories(dir + "\\sub\\deeper"));
    ASSERT_TRUE(Write(dir + "\\readonly.exe", "x"));
    ASSERT_TRUE(Write(dir + "\\sub\\deeper\\a.bmp", "x"));
    ASSERT_EQ(chmod(PosixFileSystem::Native(dir + "\\readonly.exe").c_str(), 0444), 0);
    // A folder nobody may write into still goes, as a read-only folder does on Windows.
    ASSERT_EQ(chmod(PosixFileSystem::Native(dir + "\\sub\\deeper").c_str(), 0555), 0);
    // Links inside to a folder and a file outside.
    const std::string outside = root_ + "\\Windows";
    ASSERT_TRUE(fs_.CreateDirectories(outside + "\\Themes"));
    ASSERT_TRUE(Write(outside + "\\Themes\\Luna.theme", "system"));
    stdfs::create_directory_symlink(PosixFileSystem::Native(outside), PosixFileSystem::Native(dir + "\\junction"));
    stdfs::create_symlink(PosixFileSystem::Native(outside + "\\Themes\\Luna.theme"),
                          PosixFileSystem::Native(dir + "\\sub\\Luna.theme"));

    EXPECT_FALSE(fs_.RemoveTree(dir + "\\readonly.exe"));  // a file
    EXPECT_TRUE(fs_.Stat(dir + "\\readonly.exe"));
    EXPECT_TRUE(fs_.RemoveTree(dir + "\\"));
    EXPECT_FALSE(fs_.Stat(dir));
    EXPECT_TRUE(DirectoryExists(fs_, root_ + "\\主题"));
    EXPECT_EQ(fs_.ReadAll(outside + "\\Themes\\Luna.theme"), "system");
    EXPECT_TRUE(fs_.RemoveTree(dir));  // nothing left to remove

    // A path that is itself a link to a folder loses only the link; a link to a file is a file.
    const std::string link = root_ + "\\link";
    stdfs::create_directory_symlink(PosixFileSystem::Native(outside), PosixFileSystem::Native(link));
    EXPECT_TRUE(fs_.RemoveTree(link));
    EXPECT_FALSE(stdfs::is_symlink(stdfs::symlink_status(PosixFileSystem::Native(link))));
    EXPECT_EQ(fs_.ReadAll(outside + "\\Themes\\Luna.theme"), "system");
    stdfs::create_symlink(PosixFileSystem::Native(outside + "\\Themes\\Luna.theme"), PosixFileSystem::Native(link));
    EXPECT_FALSE(fs_.RemoveTree(link));
    EXPECT_TRUE(stdfs::is_symlink(stdfs::symlink_status(PosixFileSystem::Native(link))));
}

}  // namespace
}  // namespace velmora::posix
