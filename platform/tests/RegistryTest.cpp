#include <gtest/gtest.h>

#include "platform/testing/TestPlatform.h"

namespace velmora {
namespace {

TEST(RegistryPath, ParsesRootsKeysAndDefaultValues) {
    auto p = ParseRegistryPath("HKEY_CURRENT_USER\\Control Panel\\Desktop\\Wallpaper");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->root, RegistryRoot::CurrentUser);
    EXPECT_EQ(p->key, "Control Panel\\Desktop");
    EXPECT_EQ(p->value, "Wallpaper");

    p = ParseRegistryPath("hklm\\SOFTWARE\\Velmora\\");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->root, RegistryRoot::LocalMachine);
    EXPECT_EQ(p->key, "SOFTWARE\\Velmora");
    EXPECT_EQ(p->value, "");

    EXPECT_FALSE(ParseRegistryPath("HKEY_NOWHERE\\a\\b"));
    EXPECT_FALSE(ParseRegistryPath("Wallpaper"));
}

TEST(MemoryRegistry, BehavesLikeTheRegistry) {
    testing::MemoryRegistry reg;
    EXPECT_TRUE(reg.WriteString("HKCU\\Control Panel\\Desktop\\Wallpaper", "a.bmp"));
    // Names are not case sensitive, and the long and short root names are the same hive.
    EXPECT_EQ(reg.ReadString("HKEY_CURRENT_USER\\control panel\\DESKTOP\\wallpaper"), "a.bmp");
    EXPECT_TRUE(reg.WriteDword("HKCU\\Control Panel\\Desktop\\N", 7));
    EXPECT_EQ(reg.ReadDword("HKCU\\Control Panel\\Desktop\\N"), 7u);
    EXPECT_EQ(reg.ReadString("HKCU\\Control Panel\\Desktop\\N"), "7");
    EXPECT_FALSE(reg.ReadDword("HKCU\\Control Panel\\Desktop\\Wallpaper"));
    EXPECT_TRUE(reg.WriteString("HKLM\\SOFTWARE\\Velmora\\", "default"));
    EXPECT_EQ(reg.ReadString("HKLM\\SOFTWARE\\Velmora\\"), "default");
    EXPECT_TRUE(reg.KeyExists("HKLM\\SOFTWARE"));
    EXPECT_TRUE(reg.DeleteValue("HKCU\\Control Panel\\Desktop\\Wallpaper"));
    EXPECT_FALSE(reg.ReadString("HKCU\\Control Panel\\Desktop\\Wallpaper"));
    EXPECT_TRUE(reg.WriteString("HKLM\\SOFTWARE\\Velmora\\Sub\\v", "x"));
    EXPECT_TRUE(reg.DeleteKey("HKLM\\SOFTWARE\\Velmora"));
    EXPECT_FALSE(reg.ReadString("HKLM\\SOFTWARE\\Velmora\\Sub\\v"));
    EXPECT_FALSE(reg.KeyExists("HKLM\\SOFTWARE\\Velmora"));
    EXPECT_TRUE(reg.KeyExists("HKLM\\SOFTWARE"));
}

TEST(MemoryRegistry, KeepsHowStringsWereStored) {
    testing::MemoryRegistry reg;
    const std::string size = "HKCU\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size";
    ASSERT_TRUE(reg.WriteUnterminatedString(size, "32"));
    EXPECT_EQ(reg.ReadString(size), "32");
    EXPECT_EQ(reg.Terminated(size), false);
    ASSERT_TRUE(reg.WriteExpandString("HKLM\\k\\e", "logonui.exe"));
    EXPECT_EQ(reg.Terminated("HKLM\\k\\e"), true);
    ASSERT_TRUE(reg.WriteDword("HKLM\\k\\d", 1));
    EXPECT_FALSE(reg.Terminated("HKLM\\k\\d"));
    EXPECT_FALSE(reg.Terminated("HKLM\\k\\missing"));
}

}  // namespace
}  // namespace velmora
