// The off-screen surface only grows.
#include <gtest/gtest.h>

#include "kelpo/SurfaceSize.h"

namespace velmora::kelpo {
namespace {

TEST(SurfaceSizeTest, GrowsOnlyWhereAskedForMore) {
    struct Case {
        SurfaceSize current;
        int width, height;
        std::optional<SurfaceSize> made;
    } cases[] = {
        {{0, 0}, 17, 90, SurfaceSize{17, 90}},
        {{17, 90}, 10, 90, std::nullopt},
        {{17, 90}, 17, 90, std::nullopt},
        {{17, 90}, 68, 15, SurfaceSize{68, 90}},
        {{68, 90}, 68, 100, SurfaceSize{68, 100}},
        {{68, 90}, 0, 0, std::nullopt},
        {{68, 90}, -5, 91, SurfaceSize{68, 91}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GrownSize(c.current, c.width, c.height), c.made)
            << c.current.width << "x" << c.current.height << " asked " << c.width << "x" << c.height;
    }
}

}  // namespace
}  // namespace velmora::kelpo
