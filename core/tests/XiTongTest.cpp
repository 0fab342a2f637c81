#include "core/XiTong.h"

#include <gtest/gtest.h>

#include "platform/testing/TestPlatform.h"

namespace velmora {
namespace {

TEST(XiTongMingCheng, MapsTheVersionPrefix) {
    const struct {
        std::optional<std::string> version;
        const char* name;
    } cases[] = {
        {std::string("5.1.2600"), "Windows XP"},
        {std::string("6.1.7601"), "Windows 7"},
        {std::string("5.2.3790"), "Windows Server 2003"},
        {std::string("5.0.2195"), "Windows 2000"},
        {std::string("6.0.6002"), "Windows Vista"},
        {std::string("6.2.9200"), "未知系统"},
        {std::string("10.0.19045"), "未知系统"},
        {std::string(""), "未知系统"},
        {std::nullopt, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(XiTongMingCheng(c.version), c.name) << c.version.value_or("(none)");
}

TEST(PanDuanXiTong, AsksTheSystemEveryTime) {
    testing::TestPlatform t;
    EXPECT_EQ(PanDuanXiTong(t.platform), "Windows XP");
    t.system.version = "6.1.7600";
    EXPECT_EQ(PanDuanXiTong(t.platform), "Windows 7");
    t.system.version.reset();
    EXPECT_EQ(PanDuanXiTong(t.platform), "");
}

}  // namespace
}  // namespace velmora
