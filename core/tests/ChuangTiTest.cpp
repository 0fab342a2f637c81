#include "core/ChuangTi.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ChuangTiBiao, EveryWindowHasItsSizeAndCloseAction) {
    EXPECT_EQ(ChuangTi(ChuangTiBianHao::GuanLiZhongXin).widthTwips, 10975);
    EXPECT_EQ(ChuangTi(ChuangTiBianHao::ZiDongGenXin).heightTwips, 2865);
    EXPECT_STREQ(ChuangTi(ChuangTiBianHao::ZiDongGenXin).title, "在线软件更新");
    EXPECT_EQ(ChuangTi(ChuangTiBianHao::GuanYu).closeAction, GuanBiDongZuo::YinCang);
    EXPECT_STREQ(ChuangTi(ChuangTiBianHao::Main).caption, "Velmora");
}

}  // namespace
}  // namespace velmora
