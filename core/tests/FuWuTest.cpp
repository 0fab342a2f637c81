#include "core/FuWu.h"

#include <gtest/gtest.h>

#include "platform/testing/TestPlatform.h"

namespace velmora {
namespace {

TEST(FuWu, DefaultHostAndPaths) {
    testing::TestPlatform t;
    EXPECT_EQ(FuWuZhuJi(t.platform), "www.velmora.com");
    EXPECT_EQ(FenLeiYeMian(t.platform, 12), "http://www.velmora.com/index.php?cate=12");
    EXPECT_EQ(ZiYuanXinXiDiZhi(t.platform, "1203"), "http://www.velmora.com/kelpo.php?id=1203");
    EXPECT_EQ(GuangGaoDiZhi(t.platform), "http://www.velmora.com/GuangGao.txt");
    EXPECT_EQ(AnZhuangBaoDiZhi(t.platform), "http://www.velmora.com/安装包.exe");
}

TEST(FuWu, HostChangesWithoutRebuilding) {
    testing::TestPlatform t;
    t.files.CreateDirectories(t.ProgramPath("\\Data storage"));
    t.files.WriteText(t.ProgramPath("\\Data storage\\Service.ini"), "[Service]\r\nHost=http://10.1.2.3:8080/\r\n");
    EXPECT_EQ(FuWuZhuJi(t.platform), "10.1.2.3:8080");
    t.environment.variables["VELMORA_SERVICE_HOST"] = "127.0.0.1:8765";
    EXPECT_EQ(FuWuGen(t.platform), "http://127.0.0.1:8765");
    t.environment.variables["VELMORA_SERVICE_HOST"] = " ";
    EXPECT_EQ(FuWuZhuJi(t.platform), "10.1.2.3:8080");  // a blank override counts as none
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST(FuWu, AddressesWithoutSchemeGetTheService) {
    testing::TestPlatform t;
    t.environment.variables["VELMORA_SERVICE_HOST"] = "127.0.0.1:8765";
    const struct {
        const char* address;
        const char* whole;
    } cases[] = {
        {"files/a.jpg", "http://127.0.0.1:8765/files/a.jpg"},
        {"/files/a.jpg", "http://127.0.0.1:8765/files/a.jpg"},
        {"files/shop.com/a.jpg", "http://127.0.0.1:8765/files/shop.com/a.jpg"},
        {"http://cdn.example.com/a.jpg", "http://cdn.example.com/a.jpg"},
        {"HTTP://cdn.example.net/a.jpg", "HTTP://cdn.example.net/a.jpg"},
        {"ftp://files.example.net/a.jpg", "ftp://files.example.net/a.jpg"},
        {"://x/a.jpg", "http://127.0.0.1:8765/://x/a.jpg"},
    };
    for (const auto& c : cases) EXPECT_EQ(WanZhengDiZhi(t.platform, c.address), c.whole) << c.address;
}

TEST(FuWu, ParsesTheResourceDescription) {
    const struct {
        const char* answer;
        ZiYuanMiaoShu expected;
    } cases[] = {
        {"ok/*/桌面壁纸/*/风景壁纸/*/晨雾/*/files/1203.jpg", {"桌面壁纸", "风景壁纸", "晨雾", "files/1203.jpg"}},
        {"/**/ok/*/xp主题/*/3D主题/**//*/蓝色/*/files/1301.exe/**/", {"xp主题", "3D主题", "蓝色", "files/1301.exe"}},
        {"ok/*/鼠标指针", {"鼠标指针", "", "", ""}},
        {"", {"", "", "", ""}},
    };
    for (const auto& c : cases) {
        const ZiYuanMiaoShu d = JieXiZiYuanMiaoShu(c.answer);
        EXPECT_EQ(d.kind, c.expected.kind) << c.answer;
        EXPECT_EQ(d.category, c.expected.category) << c.answer;
        EXPECT_EQ(d.name, c.expected.name) << c.answer;
        EXPECT_EQ(d.address, c.expected.address) << c.answer;
    }
}

}  // namespace
}  // namespace velmora
