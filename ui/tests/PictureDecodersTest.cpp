// The program's own PNG and JPEG decoders, on files made by other encoders (ui/tests/pictures,
// see make.sh there) and on the skin the program ships.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "ui/JpegDecoder.h"
#include "ui/PngDecoder.h"

namespace velmora {
namespace {

std::string Read(const std::string& relative) {
    std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string Fixture(const std::string& name) { return Read("ui/tests/pictures/" + name); }

struct Rgba {
    int r, g, b, a;
};

// The pictures make.sh draws.
Rgba Colour(int x, int y) {
    const int a = y == 0 ? 255 : y == 1 ? 0 : (x * 17 + y * 29) % 256;
    return {(x * 19 + y * 7) % 256, (x * 5 + y * 31) % 256, (x * x + y * 3) % 256, a};
}

Rgba PaletteColour(int x, int y, int n) {
    const int i = (x + 2 * y) % n;
    return {(i * 255) / (n - 1), 255 - (i * 255) / (n - 1), (i * 85) % 256, i == n - 1 ? 0 : 255};
}

int Premultiplied(int c, int a) { return (c * a + 127) / 255; }

TEST(PngDecoder, DecodesEachLayoutItTakes) {
    const Rgba key = Colour(1, 0);
    const int greyKey = Colour(2, 0).r;
    struct Case {
        const char* file;
        std::function<Rgba(int, int)> expected;
    } cases[] = {
        {"rgba.png", Colour},
        {"rgba-stored.png", Colour},
        {"rgba-fast.png", Colour},
        {"rgb.png", [](int x, int y) { Rgba c = Colour(x, y); return Rgba{c.r, c.g, c.b, 255}; }},
        {"rgb-key.png",
         [&](int x, int y) {
             Rgba c = Colour(x, y);
             return Rgba{c.r, c.g, c.b, (c.r == key.r && c.g == key.g && c.b == key.b) ? 0 : 255};
         }},
        {"grey.png", [](int x, int y) { const int g = Colour(x, y).r; return Rgba{g, g, g, 255}; }},
        {"grey-key.png",
         [&](int x, int y) { const int g = Colour(x, y).r; return Rgba{g, g, g, g == greyKey ? 0 : 255}; }},
        {"greyalpha.png", [](int x, int y) { const int g = Colour(x, y).r; return Rgba{g, g, g, Colour(x, y).a}; }},
        {"palette2.png", [](int x, int y) { return PaletteColour(x, y, 2); }},
        {"palette4.png", [](int x, int y) { return PaletteColour(x, y, 4); }},
        {"palette16.png", [](int x, int y) { return PaletteColour(x, y, 16); }},
        {"palette200.png", [](int x, int y) { return PaletteColour(x, y, 200); }},
    };
    for (const Case& c : cases) {
        const auto pixels = DecodePng(Fixture(c.file));
        ASSERT_TRUE(pixels) << c.file;
        ASSERT_EQ(pixels->width, 13) << c.file;
        ASSERT_EQ(pixels->height, 7) << c.file;
        int wrong = 0;
        bool opaque = true;
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 13; ++x) {
                const Rgba e = c.expected(x, y);
                opaque = opaque && e.a == 255;
                const uint8_t* p = &pixels->bgra[static_cast<size_t>(y * 13 + x) * 4];
                const bool same = p[0] == Premultiplied(e.b, e.a) && p[1] == Premultiplied(e.g, e.a) &&
                                  p[2] == Premultiplied(e.r, e.a) && p[3] == e.a;
                if (!same && wrong++ == 0) ADD_FAILURE() << c.file << ": first wrong pixel " << x << "," << y;
            }
        }
        EXPECT_EQ(pixels->opaque, opaque) << c.file;
    }
}

TEST(PngDecoder, LeavesToTheSystemWhatItDoesNotTakeOrCannotTrust) {
    const std::string good = Fixture("rgba.png");
    std::string badCrc = good;
    badCrc[45] = static_cast<char>(badCrc[45] ^ 0x10);  // inside the first picture data chunk
    std::string badSignature = good;
    badSignature[1] = 'Q';
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"gamma to apply", Fixture("gamma.png")},
        {"16-bit channels", Fixture("sixteen.png")},
        {"interlaced", Fixture("interlaced.png")},
        {"damaged chunk", badCrc},
        {"not a PNG", badSignature},
        {"cut in the header", good.substr(0, 20)},
        {"cut in the data", good.substr(0, good.size() / 2)},
        {"cut before the end chunk", good.substr(0, good.size() - 12)},
        {"empty", ""},
    };
    for (const Case& c : cases) EXPECT_FALSE(DecodePng(c.bytes)) << c.name;
}

// A binary PPM as ImageMagick writes it.
std::vector<uint8_t> PpmPixels(const std::string& ppm, int* width, int* height) {
    std::istringstream in(ppm);
    std::string magic;
    int maxValue = 0;
    in >> magic >> *width >> *height >> maxValue;
    in.get();
    std::vector<uint8_t> rgb(static_cast<size_t>(*width) * *height * 3);
    in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    return rgb;
}

// The largest difference of any channel against libjpeg's decoding of the same file.
int LargestDifference(const Pixels& pixels, const std::string& reference) {
    int w = 0, h = 0;
    const std::vector<uint8_t> rgb = PpmPixels(reference, &w, &h);
    EXPECT_EQ(pixels.width, w);
    EXPECT_EQ(pixels.height, h);
    if (pixels.width != w || pixels.height != h) return 256;
    int largest = 0;
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
        for (int c = 0; c < 3; ++c) largest = std::max(largest, std::abs(pixels.bgra[4 * i + 2 - c] - rgb[3 * i + c]));
        if (pixels.bgra[4 * i + 3] != 255) return 256;
    }
    return largest;
}

TEST(JpegDecoder, DecodesAsLibjpegDoes) {
    // Grey, colour planes at full size and at half size either way or both (brought up to size
    // smoothly), restart markers: pixel for pixel what libjpeg makes of the same files.
    for (const std::string name : {"jpeg-1x1", "jpeg-grey", "jpeg-2x2", "jpeg-2x1", "jpeg-1x2", "jpeg-restart"}) {
        const auto pixels = DecodeJpeg(Fixture(name + ".jpg"));
        ASSERT_TRUE(pixels) << name;
        EXPECT_TRUE(pixels->opaque) << name;
        EXPECT_EQ(LargestDifference(*pixels, Fixture(name + ".ppm")), 0) << name;
    }
}

TEST(JpegDecoder, LeavesToTheSystemWhatItDoesNotTakeOrCannotTrust) {
    const std::string good = Fixture("jpeg-2x2.jpg");
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"progressive", Fixture("jpeg-progressive.jpg")},
        {"a PNG", Fixture("rgba.png")},
        {"cut before the picture data", good.substr(0, good.find("\xff\xda"))},
        {"cut in the picture data", good.substr(0, good.size() - 120)},
        {"empty", ""},
    };
    for (const Case& c : cases) EXPECT_FALSE(DecodeJpeg(c.bytes)) << c.name;
}

TEST(JpegDecoder, InverseTransformMatchesTheDefinition) {
    // Random blocks, from sparse to full, against the transform computed in floating point.
    std::mt19937 random(7);
    for (int block = 0; block < 200; ++block) {
        int32_t coefficients[64] = {};
        const int used = 1 + block % 64;
        std::uniform_int_distribution<int> value(-600, 600), place(0, 63);
        for (int i = 0; i < used; ++i) coefficients[place(random)] = value(random);
        coefficients[0] = std::uniform_int_distribution<int>(-1024, 1016)(random);
        double expected[64];
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                double sum = 0;
                for (int v = 0; v < 8; ++v) {
                    for (int u = 0; u < 8; ++u) {
                        const double cu = u == 0 ? std::sqrt(0.5) : 1, cv = v == 0 ? std::sqrt(0.5) : 1;
                        sum += cu * cv * coefficients[v * 8 + u] * std::cos((2 * x + 1) * u * M_PI / 16) *
                               std::cos((2 * y + 1) * v * M_PI / 16);
                    }
                }
                expected[y * 8 + x] = std::min(255.0, std::max(0.0, sum / 4 + 128));
            }
        }
        uint8_t out[64];
        InverseDct(coefficients, out, 8);
        for (int i = 0; i < 64; ++i) ASSERT_LE(std::abs(out[i] - expected[i]), 1.0) << "block " << block << " at " << i;
    }
}

TEST(PictureDecoders, DecodeTheShippedSkin) {
    struct Case {
        const char* file;
        int width, height;
    } cases[] = {
        {"res/Skin/img/Background.jpg", 820, 560},  {"res/Skin/img/General.jpg", 820, 400},
        {"res/Skin/Tab/XuanXiang.png", 740, 95},    {"res/Skin/Button/Close1.png", 42, 22},
        {"res/Skin/Button/Close2.png", 42, 22},     {"res/Skin/Button/Close3.png", 42, 22},
        {"res/Skin/Button/Minimization1.png", 28, 22}, {"res/Skin/Button/Minimization2.png", 28, 22},
        {"res/Skin/Button/Minimization3.png", 28, 22},
    };
    for (const Case& c : cases) {
        const std::string bytes = Read(c.file);
        const bool png = bytes.size() > 1 && bytes[1] == 'P';
        const auto pixels = png ? DecodePng(bytes) : DecodeJpeg(bytes);
        ASSERT_TRUE(pixels) << c.file;
        EXPECT_EQ(pixels->width, c.width) << c.file;
        EXPECT_EQ(pixels->height, c.height) << c.file;
    }
}

}  // namespace
}  // namespace velmora
