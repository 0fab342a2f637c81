// Fitting a text into a box with a measuring function.
#include <gtest/gtest.h>

#include "kelpo/Ellipsis.h"

namespace velmora::kelpo {
namespace {

// ASCII 6 pixels, anything else 12, counted by UTF-8 lead bytes.
int Measure(const std::string& text) {
    int width = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) == 0x80) continue;
        width += c < 0x80 ? 6 : 12;
    }
    return width;
}

TEST(EllipsisTest, FitsOrKeepsTheLongestBeginningBesideTheDots) {
    struct Case {
        const char* text;
        int box;
        bool fits;
        const char* kept;
        int keptWidth;
    } cases[] = {
        {"abc", 18, true, "", 0},
        {"abc", 30, true, "", 0},
        {"", 0, true, "", 0},
        {"abcdefgh", 30, false, "ab", 12},
        {"abcdefgh", 47, false, "abcd", 24},
        {"abcdefgh", 17, false, "", 0},
        {"abcdefgh", -5, false, "", 0},
        {"壁纸资源", 40, false, "壁", 12},   // never half a character
        {"a壁bc", 25, false, "a", 6},
        {"壁纸资源", 48, true, "", 0},
    };
    for (const Case& c : cases) {
        const FittedText fitted = FitText(c.text, c.box, Measure);
        EXPECT_EQ(fitted.fits, c.fits) << c.text << " in " << c.box;
        EXPECT_EQ(fitted.kept, c.kept) << c.text << " in " << c.box;
        EXPECT_EQ(fitted.keptWidth, c.keptWidth) << c.text << " in " << c.box;
    }
}

}  // namespace
}  // namespace velmora::kelpo
