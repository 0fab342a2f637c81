// The icon reader on valid, empty, truncated, lying and missing files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

#include "kelpo/ClsIcon.h"
#include "kelpo/tests/IconFileBytes.h"
#include "platform/testing/TestPlatform.h"

namespace velmora::kelpo::testing {
namespace {

TEST(ClsIconTest, ReadsTheDirectoryAndTheImageData) {
    const std::string file = IconFile({{12, 12, 0, 32, std::string(40 + 576 + 48, 'a')},
                                       {0, 0, 16, 4, std::string(30, 'b')}});
    ClsIcon icon;
    ASSERT_TRUE(icon.LoadFromData(file));
    EXPECT_EQ(icon.Count(), 2);
    EXPECT_EQ(icon.Width(0), 12);
    EXPECT_EQ(icon.Height(0), 12);
    EXPECT_EQ(icon.BitCount(0), 32);
    EXPECT_EQ(icon.Length(0), 664u);
    EXPECT_EQ(icon.Data(0), std::string(664, 'a'));
    EXPECT_EQ(icon.Width(1), 0) << "a stored 0 is not read as 256";
    EXPECT_EQ(icon.ColorCount(1), 16);
    EXPECT_EQ(icon.Data(1), std::string(30, 'b'));
    for (int index : {-1, 2, 1000}) {
        EXPECT_EQ(icon.Width(index), 0);
        EXPECT_EQ(icon.Length(index), 0u);
        EXPECT_EQ(icon.Data(index), "");
    }
}

std::string WithField(std::string file, size_t at, std::uint32_t value, int bytes) {
    std::string field;
    PutLittle(field, value, bytes);
    return file.replace(at, static_cast<size_t>(bytes), field);
}

TEST(ClsIconTest, BrokenFilesLoadAsFalse) {
    const std::string good = IconFile({{12, 12, 0, 32, std::string(100, 'x')}});
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"header cut short", good.substr(0, 5)},
        {"count 0", WithField(good, 4, 0, 2)},
        {"directory cut short", good.substr(0, 6 + 15)},
        {"count beyond the directory", WithField(good, 4, 2, 2)},
        {"image cut short", good.substr(0, good.size() - 1)},
        {"length beyond the file", WithField(good, 14, 101, 4)},
        {"offset beyond the file", WithField(good, 18, static_cast<std::uint32_t>(good.size() + 1), 4)},
        {"offset and length wrapping around", WithField(WithField(good, 18, 0xFFFFFFF0u, 4), 14, 0x20, 4)},
    };
    for (const Case& c : cases) {
        ClsIcon icon;
        EXPECT_FALSE(icon.LoadFromData(c.bytes)) << c.what;
        EXPECT_EQ(icon.Count(), 0) << c.what;
        EXPECT_EQ(icon.Data(0), "") << c.what;
    }
    ClsIcon reused;
    ASSERT_TRUE(reused.LoadFromData(good));
    EXPECT_FALSE(reused.LoadFromData(cases[2].bytes));
    EXPECT_EQ(reused.Count(), 0) << "a failed load leaves nothing of the one before";
}

TEST(ClsIconTest, LoadFromFileReadsTheFileAndRefusesAMissingOne) {
    char dir[] = "/tmp/clsicon-XXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    velmora::testing::TempFileSystem files;
    const std::string path = std::string(dir) + "\\Play.ico";
    ASSERT_TRUE(files.WriteText(path, IconFile({{12, 12, 0, 32, std::string(664, 'p')}})));
    ClsIcon icon;
    EXPECT_TRUE(icon.LoadFromFile(files, path));
    EXPECT_EQ(icon.Count(), 1);
    EXPECT_FALSE(icon.LoadFromFile(files, std::string(dir) + "\\Missing.ico"));
    EXPECT_FALSE(icon.LoadFromFile(files, dir)) << "a folder is no icon file";
    files.Remove(path);
    rmdir(dir);
}

}  // namespace
}  // namespace velmora::kelpo::testing
