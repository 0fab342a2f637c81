// The program's table of installer procedures, as the download job and the management centre
// receive it.
#include "installers/AnZhuangQi.h"

#include <gtest/gtest.h>

#include "core/ShuBiaoJueSe.h"
#include "platform/testing/TestPlatform.h"

namespace velmora {
namespace {

TEST(ChengXuAnZhuangQi, EveryProcedureIsThere) {
    const AnZhuangQi a = ChengXuAnZhuangQi();
    EXPECT_TRUE(a.anZhuangBiZhi && a.sheZhi && a.xiaZaiSheZhi && a.xpTuBiaoAz && a.win7TuBiaoAz && a.xpTuBiaoHy &&
                a.win7TuBiaoAzHy && a.xiaZaiAZJieMian && a.xieZaiJieMian);
}

TEST(ChengXuAnZhuangQi, TheCursorEntriesInstallAndRestoreASchemeForReal) {
    testing::TestPlatform t;
    const std::string scheme = t.ProgramPath("\\Download\\鼠标指针\\3D效果\\水晶\\");
    ASSERT_TRUE(t.files.CreateDirectories(scheme));
    for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) ASSERT_TRUE(t.files.WriteText(scheme + role.file, role.name));
    const AnZhuangQi a = ChengXuAnZhuangQi();
    const std::string arrow = ShuBiaoZhuCeZhi(*ShuBiaoJueSeByName("Arrow"));
    ASSERT_TRUE(a.sheZhi(t.platform, scheme));
    EXPECT_TRUE(t.registry.ReadString(arrow));
    ASSERT_TRUE(a.xiaZaiSheZhi(t.platform));
    EXPECT_FALSE(t.registry.ReadString(arrow));
}

}  // namespace
}  // namespace velmora
