#include "core/PeiZhi.h"

#include <gtest/gtest.h>

#include "platform/testing/TestPlatform.h"

namespace velmora {
namespace {

class PeiZhiTest : public ::testing::Test {
protected:
    testing::TestPlatform t;
    std::string file = t.ProgramPath("\\Data storage\\Sys.dll");

    void Write(const std::string& text) {
        t.files.CreateDirectories(t.ProgramPath("\\Data storage"));
        t.files.WriteText(file, text);
    }
};

TEST_F(PeiZhiTest, FileIsBesideTheProgram) { EXPECT_EQ(PeiZhiWenJian(t.platform), file); }

TEST_F(PeiZhiTest, ReadsValuesAndEmptyForAbsentKeys) {
    Write("[Function]\r\nGuanBi=0\r\n");
    EXPECT_EQ(DuPeiZhi(t.platform, "Function", "GuanBi", file), "0");
    EXPECT_EQ(DuPeiZhi(t.platform, "Function", "XiaZai", file), "");
    EXPECT_EQ(DuPeiZhi(t.platform, "Windows", "RenWuLan", file), "");
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST_F(PeiZhiTest, LongValueReadsBackCutTo254Characters) {
    Write("[Function]\r\nGuanBi=" + std::string(300, '7') + "\r\n");
    EXPECT_EQ(DuPeiZhi(t.platform, "Function", "GuanBi", file), std::string(254, '7'));
}

TEST_F(PeiZhiTest, MissingFileShowsMessageOnEveryAccessAndIsNeverCreated) {
    EXPECT_EQ(DuPeiZhi(t.platform, "Function", "GuanBi", file), "");
    XiePeiZhi(t.platform, "Function", "GuanBi", "0", file);
    ASSERT_EQ(t.dialogs.shown.size(), 2u);
    for (const auto& m : t.dialogs.shown) {
        EXPECT_EQ(m.text, "缺少配置文件!");
        EXPECT_EQ(m.title, "错误");
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
    }
    EXPECT_FALSE(t.files.Stat(file));
}

TEST_F(PeiZhiTest, HiddenOrSystemFileCountsAsMissing) {
    Write("[Function]\r\nGuanBi=0\r\n");
    t.files.SetAttributes(file, true, false);
    EXPECT_EQ(DuPeiZhi(t.platform, "Function", "GuanBi", file), "");
    t.files.SetAttributes(file, false, true);
    XiePeiZhi(t.platform, "Function", "GuanBi", "1", file);
    EXPECT_EQ(t.dialogs.shown.size(), 2u);
    EXPECT_EQ(*t.files.ReadAll(file), "[Function]\r\nGuanBi=0\r\n");
}

TEST_F(PeiZhiTest, WritesGoStraightToTheFile) {
    Write("[Function]\r\nGuanBi=1\r\n");
    XiePeiZhi(t.platform, "Function", "GuanBi", "0", file);
    XiePeiZhi(t.platform, "Windows", "RenWuLan", "128", file);
    EXPECT_EQ(DuPeiZhi(t.platform, "Function", "GuanBi", file), "0");
    EXPECT_EQ(DuPeiZhi(t.platform, "Windows", "RenWuLan", file), "128");
}

TEST(PeiZhiKaiGuan, AnythingButZeroIsOn) {
    EXPECT_FALSE(PeiZhiKaiGuan("0"));
    for (const char* v : {"1", "", "00", " 0", "no"}) EXPECT_TRUE(PeiZhiKaiGuan(v)) << v;
}

TEST(JieXiTouMingDu, ParsesClampsAndRejects) {
    const struct {
        const char* text;
        std::optional<int> expected;
    } cases[] = {
        {"255", 255}, {"128", 128}, {"0", 0},       {" 64 ", 64},         {"300", 255},
        {"-5", 0},    {"+7", 7},    {"", std::nullopt}, {"abc", std::nullopt}, {"12x", std::nullopt},
        {"-", std::nullopt}, {"99999999999999999999", 255},
    };
    for (const auto& c : cases) EXPECT_EQ(JieXiTouMingDu(c.text), c.expected) << "'" << c.text << "'";
}

}  // namespace
}  // namespace velmora
