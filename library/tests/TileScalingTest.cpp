#include "library/TileScaling.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

// A source picture, row by row, as a decoder would hand it over; records what it was asked.
struct Source {
    Source(int w, int h, SourcePixels f, std::vector<std::uint8_t> packed)
        : width(w), height(h), format(f), pixels(std::move(packed)) {}
    int width, height;
    SourcePixels format;
    std::vector<std::uint8_t> pixels;  // packed rows, 3 or 4 bytes a pixel
    std::vector<std::pair<int, int>> reads;
    int failAtRow = -1;

    int Bpp() const { return format == SourcePixels::Bgr24 ? 3 : 4; }
    ReadRows Reader() {
        return [this](int first, int count, std::uint8_t* rows, std::size_t stride) {
            reads.emplace_back(first, count);
            if (failAtRow >= first && failAtRow < first + count) return false;
            EXPECT_GE(first, 0);
            EXPECT_LE(first + count, height);
            const std::size_t row = static_cast<std::size_t>(width * Bpp());
            EXPECT_GE(stride, row);
            for (int r = 0; r < count; ++r)
                std::memcpy(rows + static_cast<std::size_t>(r) * stride,
                            pixels.data() + static_cast<std::size_t>(first + r) * row, row);
            return true;
        };
    }
};

// Colours written as 0xRRGGBB for reading; stored blue first, as decoders give them.
Source Opaque(int width, int height, const std::vector<std::uint32_t>& rgb) {
    Source s{width, height, SourcePixels::Bgr24, {}};
    for (std::uint32_t c : rgb) {
        s.pixels.push_back(static_cast<std::uint8_t>(c));
        s.pixels.push_back(static_cast<std::uint8_t>(c >> 8));
        s.pixels.push_back(static_cast<std::uint8_t>(c >> 16));
    }
    return s;
}

struct Tile {
    int width, height;
    std::vector<std::uint8_t> pixels;
    Tile(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h * 4), 0xCD) {}
    std::uint32_t At(int x, int y) const {
        const std::uint8_t* p = pixels.data() + (static_cast<std::size_t>(y) * width + x) * 4;
        EXPECT_EQ(p[3], 255) << "at " << x << "," << y;
        return static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0];
    }
};

bool Scale(Source& s, Tile& t) {
    return ScaleToTile(s.width, s.height, s.format, s.Reader(), t.width, t.height, t.pixels.data());
}

TEST(TileScalingTest, ColourBlocksKeepTheirColoursAndOrder) {
    // Red, green / blue, white quarters, 4 x 4 pixels each.
    std::vector<std::uint32_t> rgb;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            rgb.push_back(y < 4 ? (x < 4 ? 0xFF0000 : 0x00FF00) : (x < 4 ? 0x0000FF : 0xFFFFFF));
    Source s = Opaque(8, 8, rgb);
    Tile t(2, 2);
    ASSERT_TRUE(Scale(s, t));
    EXPECT_EQ(t.At(0, 0), 0xFF0000u);
    EXPECT_EQ(t.At(1, 0), 0x00FF00u);
    EXPECT_EQ(t.At(0, 1), 0x0000FFu);
    EXPECT_EQ(t.At(1, 1), 0xFFFFFFu);
}

TEST(TileScalingTest, EachTilePixelAveragesTheSourcePixelsItCovers) {
    const struct {
        const char* name;
        int sourceWidth, sourceHeight;
        std::vector<std::uint32_t> source;
        int width, height;
        std::vector<std::uint32_t> expected;
    } cases[] = {
        // A fine black and white pattern turns grey instead of flickering to one of them.
        {"checkerboard",
         4,
         2,
         {0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000},
         2,
         1,
         {0x808080, 0x808080}},
        // Three source pixels over two: the first alone, the last two together.
        {"uneven spans", 3, 1, {0x102030, 0x204060, 0x4080C0}, 2, 1, {0x102030, 0x306090}},
        // A small picture grows by repeating its pixels.
        {"enlarged",
         2,
         1,
         {0x112233, 0x445566},
         4,
         2,
         {0x112233, 0x112233, 0x445566, 0x445566, 0x112233, 0x112233, 0x445566, 0x445566}},
        {"one pixel", 1, 1, {0xABCDEF}, 3, 1, {0xABCDEF, 0xABCDEF, 0xABCDEF}},
        // Rows shrink independently of columns (a wide picture into a squarer tile).
        {"rows only", 1, 4, {0x000000, 0x0000FF, 0xFF0000, 0xFF0000}, 1, 2, {0x000080, 0xFF0000}},
    };
    for (const auto& c : cases) {
        Source s = Opaque(c.sourceWidth, c.sourceHeight, c.source);
        Tile t(c.width, c.height);
        ASSERT_TRUE(Scale(s, t)) << c.name;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                EXPECT_EQ(t.At(x, y), c.expected[static_cast<std::size_t>(y * c.width + x)])
                    << c.name << " at " << x << "," << y;
    }
}

TEST(TileScalingTest, TransparentPartsShowWhite) {
    // Premultiplied blue, green, red, alpha: clear, opaque red, half-covered red, opaque black.
    Source s{
        4, 1, SourcePixels::PremultipliedBgra32, {0, 0, 0, 0, 0, 0, 255, 255, 0, 0, 128, 128, 0, 0, 0, 255}};
    Tile t(4, 1);
    ASSERT_TRUE(Scale(s, t));
    EXPECT_EQ(t.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(t.At(1, 0), 0xFF0000u);
    EXPECT_EQ(t.At(2, 0), 0xFF7F7Fu);
    EXPECT_EQ(t.At(3, 0), 0x000000u);
    // Averaged with its neighbour, a clear pixel lightens it by half.
    Tile half(1, 1);
    Source pair{2, 1, SourcePixels::PremultipliedBgra32, {0, 0, 0, 0, 0, 0, 0, 255}};
    ASSERT_TRUE(Scale(pair, half));
    EXPECT_EQ(half.At(0, 0), 0x808080u);
}

TEST(TileScalingTest, ATallPictureIsReadOnceInOrderInSmallBands) {
    Source s = Opaque(3, 5000, std::vector<std::uint32_t>(3 * 5000, 0x336699));
    Tile t(2, 3);
    ASSERT_TRUE(Scale(s, t));
    int next = 0;
    for (const auto& [first, count] : s.reads) {
        EXPECT_EQ(first, next);
        EXPECT_LE(count, 64) << "a band of " << count << " rows";
        next = first + count;
    }
    EXPECT_EQ(next, 5000);
    EXPECT_EQ(t.At(1, 2), 0x336699u);
}

TEST(TileScalingTest, RefusesWhatCannotBeScaled) {
    const struct {
        const char* name;
        int sourceWidth, sourceHeight, width, height;
    } cases[] = {
        {"no source width", 0, 4, 2, 2},
        {"no source height", 4, 0, 2, 2},
        {"no tile width", 4, 4, 0, 2},
        {"negative tile height", 4, 4, 2, -1},
        {"source wider than any picture", 70000, 1, 2, 2},
        {"source taller than any picture", 1, 70000, 2, 2},
    };
    for (const auto& c : cases) {
        Source s = Opaque(1, 1, {0});
        std::vector<std::uint8_t> out(16);
        EXPECT_FALSE(ScaleToTile(c.sourceWidth, c.sourceHeight, SourcePixels::Bgr24, s.Reader(), c.width,
                                 c.height, out.data()))
            << c.name;
        EXPECT_TRUE(s.reads.empty()) << c.name;
    }
}

TEST(TileScalingTest, AFailingDecoderStopsTheScaling) {
    Source s = Opaque(2, 40, std::vector<std::uint32_t>(80, 0xFFFFFF));
    s.failAtRow = 21;
    Tile t(2, 4);
    EXPECT_FALSE(Scale(s, t));
    EXPECT_LE(s.reads.back().first, 21);
}

}  // namespace
}  // namespace velmora
