#include "core/SkinFile.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(SkinFile, ReadsColoursAsWindowsColours) {
    const auto skin = ParseSkinFile("; skin\r\n[Skin]\r\nFace=#F0F4F8\r\nText = #102030\r\nWindow=white\r\n");
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->face, 0xF8F4F0u);
    EXPECT_EQ(skin->text, 0x302010u);
    EXPECT_FALSE(skin->window);  // not a colour: the system's stays
    EXPECT_FALSE(skin->highlight);
}

TEST(SkinFile, NoSkinSectionIsNoSkin) {
    EXPECT_FALSE(ParseSkinFile(""));
    EXPECT_FALSE(ParseSkinFile("[Other]\nFace=#FFFFFF\n"));
    EXPECT_FALSE(ParseSkinColor("#12345"));
    EXPECT_FALSE(ParseSkinColor("#12345G"));
    EXPECT_EQ(ParseSkinColor(" #0000ff "), 0xFF0000u);
}

}  // namespace
}  // namespace velmora
