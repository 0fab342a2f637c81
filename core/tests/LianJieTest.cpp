#include "core/LianJie.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ZaiXianZiYuanId, TakesTheTextAfterTheFirstMarker) {
    const struct {
        const char* url;
        std::optional<std::string> id;
    } cases[] = {
        {"http://host/down/*/1203", std::string("1203")},
        {"http://host/down/*/1203/*/extra/*/more", std::string("1203")},
        {"http://host/*//*/", std::string("")},
        {"http://host/index.php?cate=12", std::nullopt},
        {"http://host/down/*1203", std::nullopt},
        {"about:blank", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ZaiXianZiYuanId(c.url), c.id) << c.url;
}

TEST(ZiYuanIdHeFa, PlainShortIdsOnly) {
    for (const char* ok : {"1201", "a-b_c.9", "X"}) EXPECT_TRUE(ZiYuanIdHeFa(ok)) << ok;
    for (const char* bad : {"", "12 34", "1&id=2", "../x", "1/2", "a\\b", "1%0D", "资源"}) {
        EXPECT_FALSE(ZiYuanIdHeFa(bad)) << bad;
    }
    EXPECT_TRUE(ZiYuanIdHeFa(std::string(64, '7')));
    EXPECT_FALSE(ZiYuanIdHeFa(std::string(65, '7')));
    EXPECT_FALSE(ZiYuanIdHeFa(std::string("1\r\n", 3)));
}

TEST(JieXiBenDiLianJie, EndsWithCommandSuffixOrNavigates) {
    const struct {
        const char* url;
        bool intercepted;
        const char* kind;  // nullptr: no kind
    } cases[] = {
        {"http://diannaozhuti.///", true, "电脑主题"},
        {"http://zhuomianbizhi.///", true, "桌面壁纸"},
        {"http://shubiaozhizhen.///", true, "鼠标指针"},
        {"http://xitongtubiao.///", true, "系统图标"},
        {"http://qidongjiemian.///", true, "启动界面"},
        {"http://diannaozhuti.///.///", true, "电脑主题"},  // every suffix is removed
        {"http://diannaozhuti/", false, nullptr},          // one slash: a plain navigation
        {"http://zhuomianbizhi", false, nullptr},
        {"http://unknown.///", true, nullptr},             // cancelled, nothing opens
        {"HTTP://DIANNAOZHUTI.///", true, nullptr},        // keys compare exactly
    };
    for (const auto& c : cases) {
        const BenDiMingLing m = JieXiBenDiLianJie(c.url);
        EXPECT_EQ(m.intercepted, c.intercepted) << c.url;
        if (c.kind) {
            ASSERT_NE(m.kind, nullptr) << c.url;
            EXPECT_STREQ(m.kind->name, c.kind);
        } else {
            EXPECT_EQ(m.kind, nullptr) << c.url;
        }
    }
}

TEST(GongJuXiangLianJie, SixExactCommands) {
    const char* links[] = {"http://xtyy.///", "http://xttb.///",  "http://zmbz.///",
                           "http://qdjm.///", "http://zdysb.///", "http://dcwjj.///"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(GongJuXiangLianJie(links[i]), i);
    EXPECT_EQ(GongJuXiangLianJie("http://dcwjj.///"), kGongJuDcwjj);
    EXPECT_FALSE(GongJuXiangLianJie("http://xtyy.//"));
    EXPECT_FALSE(GongJuXiangLianJie("http://xtyy.///x"));
    EXPECT_FALSE(GongJuXiangLianJie("http://diannaozhuti.///"));
}

}  // namespace
}  // namespace velmora
