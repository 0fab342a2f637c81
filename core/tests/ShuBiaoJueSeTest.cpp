#include "core/ShuBiaoJueSe.h"

#include <gtest/gtest.h>

#include <set>

#include "core/LuJing.h"
#include "platform/testing/TestPlatform.h"

namespace velmora {
namespace {

TEST(ShuBiaoJueSeBiao, RolesFilesIdsAndCaptions) {
    const auto& t = ShuBiaoJueSeBiao();
    std::set<int> installerCells, editorCells;
    int withId = 0;
    for (const ShuBiaoJueSe& role : t) {
        EXPECT_EQ(std::string(role.file), std::string(role.name) + ".ani");
        installerCells.insert(role.installerCell);
        editorCells.insert(role.editorCell);
        if (role.systemCursorId != 0) ++withId;
    }
    // Every cell of both windows shows exactly one role; thirteen roles are system cursors.
    EXPECT_EQ(installerCells.size(), 15u);
    EXPECT_EQ(*installerCells.begin(), 1);
    EXPECT_EQ(*installerCells.rbegin(), 15);
    EXPECT_EQ(editorCells.size(), 15u);
    EXPECT_EQ(withId, 13);
    EXPECT_EQ(ShuBiaoJueSeByName("Help")->systemCursorId, 0u);
    EXPECT_EQ(ShuBiaoJueSeByName("nwpen")->systemCursorId, 0u);
    EXPECT_EQ(ShuBiaoJueSeByName("Pen"), nullptr);
    EXPECT_EQ(ShuBiaoJueSeByName("Wait")->systemCursorId, 32514u);
    EXPECT_STREQ(ShuBiaoJueSeByName("No")->editorCaption, "不 可 用");
    EXPECT_STREQ(ShuBiaoJueSeByName("NWPen")->editorCaption, "手    写");
    EXPECT_STREQ(ShuBiaoJueSeByName("SizeAll")->editorCaption, "移    动");
    EXPECT_STREQ(ShuBiaoJueSeByName("UpArrow")->editorCaption, "候    选");
    EXPECT_EQ(ShuBiaoZhuCeZhi(t[0]), "HKEY_CURRENT_USER\\Control Panel\\Cursors\\AppStarting");
}

TEST(ShuBiaoJueSeBiao, InstallerCellsAndInstallOrder) {
    const char* cells[] = {"Arrow",  "Help",   "AppStarting", "Wait",     "Hand",    "IBeam",   "NWPen",    "No",
                           "SizeNS", "SizeWE", "SizeNWSE",    "SizeNESW", "SizeAll", "UpArrow", "Crosshair"};
    for (int cell = 1; cell <= 15; ++cell) {
        ASSERT_NE(ShuBiaoJueSeOfInstallerCell(cell), nullptr);
        EXPECT_STREQ(ShuBiaoJueSeOfInstallerCell(cell)->name, cells[cell - 1]) << cell;
    }
    EXPECT_EQ(ShuBiaoJueSeOfInstallerCell(16), nullptr);
    const char* order[] = {"Arrow", "AppStarting", "Crosshair", "Hand",   "Help",     "IBeam",   "No",  "NWPen",
                           "SizeAll", "SizeNESW",  "SizeNS",    "SizeNWSE", "SizeWE", "UpArrow", "Wait"};
    for (size_t i = 0; i < 15; ++i) EXPECT_STREQ(ShuBiaoAnZhuangShunXu()[i]->name, order[i]);
}

TEST(WindowsLuJing, BuildsOnWindirWithOneBackslash) {
    testing::TestPlatform t;
    t.environment.variables["windir"] = "C:\\WINDOWS\\";
    EXPECT_EQ(WindowsLuJing(t.platform, "\\Wallpaper\\"), "C:\\WINDOWS\\Wallpaper\\");
    EXPECT_EQ(YiAnZhuangShuBiaoMuLu(t.platform), "C:\\WINDOWS\\Cursors\\Cursors\\");
    t.environment.variables["windir"] = "C:\\Windows";
    EXPECT_EQ(WindowsLuJing(t.platform, "Win.ini"), "C:\\Windows\\Win.ini");
    t.environment.programDirectory = "D:\\Velmora";
    EXPECT_EQ(MoRenShuBiaoMuLu(t.platform), "D:\\Velmora\\Data storage\\Cursors\\");
}

}  // namespace
}  // namespace velmora
