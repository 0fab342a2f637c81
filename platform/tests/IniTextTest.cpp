#include "platform/IniText.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct LookupCase {
    const char* name;
    const char* text;
    const char* section;
    const char* key;
    const char* expected;
};

class IniLookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(IniLookupTest, FindsValueLikeThePlatform) {
    const LookupCase& c = GetParam();
    EXPECT_EQ(IniLookup(c.text, c.section, c.key, "", 255), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniLookupTest,
    ::testing::Values(
        LookupCase{"plain", "[Function]\r\nGuanBi=1\r\n", "Function", "GuanBi", "1"},
        LookupCase{"section and key case", "[FUNCTION]\nguanbi=0\n", "Function", "GuanBi", "0"},
        LookupCase{"blanks around names and value", "[ Function ]\n  GuanBi  =  7  \n", "Function", "GuanBi", "7"},
        LookupCase{"enclosing quotes removed", "[A]\nk=\"x y\"\n", "A", "k", "x y"},
        LookupCase{"single quotes removed", "[A]\nk='x'\n", "A", "k", "x"},
        LookupCase{"unbalanced quote kept", "[A]\nk=\"x\n", "A", "k", "\"x"},
        LookupCase{"key in other section", "[A]\nk=1\n[B]\nk=2\n", "B", "k", "2"},
        LookupCase{"first section wins", "[A]\nk=1\n[A]\nk=2\n", "A", "k", "1"},
        LookupCase{"missing key", "[A]\nj=1\n", "A", "k", ""},
        LookupCase{"missing section", "[B]\nk=1\n", "A", "k", ""},
        LookupCase{"empty text", "", "A", "k", ""},
        LookupCase{"chinese value", "[A]\nk=缺少配置文件\n", "A", "k", "缺少配置文件"}),
    [](const auto& param) {
        std::string n = param.param.name;
        for (char& ch : n) {
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        }
        return n;
    });

TEST(IniLookup, CutsToBufferLessOne) {
    const std::string longValue(300, 'x');
    EXPECT_EQ(IniLookup("[A]\nk=" + longValue + "\n", "A", "k", "", 255), std::string(254, 'x'));
    EXPECT_EQ(IniLookup("[A]\nk=abc\n", "A", "k", "", 0), "");
}

TEST(IniLookup, CutsByCharactersNotBytes) {
    std::string value;
    for (int i = 0; i < 300; ++i) value += "壁";
    const std::string got = IniLookup("[A]\nk=" + value + "\n", "A", "k", "", 255);
    EXPECT_EQ(got.size(), 254u * 3);
}

TEST(IniLookup, DefaultLosesTrailingBlanks) { EXPECT_EQ(IniLookup("", "A", "k", "def  ", 255), "def"); }

TEST(IniUpdate, ReplacesAppendsAndCreates) {
    std::string text = "[Function]\r\nGuanBi=1\r\nXiaZai=1\r\n\r\n[Windows]\r\nRenWuLan=255\r\n";
    text = IniUpdate(text, "function", "guanbi", "0");
    EXPECT_EQ(IniLookup(text, "Function", "GuanBi", "", 255), "0");
    text = IniUpdate(text, "Function", "KaiJi", "1");
    EXPECT_EQ(IniLookup(text, "Function", "KaiJi", "", 255), "1");
    EXPECT_LT(text.find("KaiJi"), text.find("[Windows]"));
    text = IniUpdate(text, "New", "k", "v");
    EXPECT_EQ(IniLookup(text, "New", "k", "", 255), "v");
    EXPECT_EQ(IniLookup(text, "Windows", "RenWuLan", "", 255), "255");
    EXPECT_EQ(IniLookup(IniUpdate("", "S", "k", "v"), "S", "k", "", 255), "v");
}

}  // namespace
}  // namespace velmora
