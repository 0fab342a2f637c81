#include "library/TileScaling.h"

#include <algorithm>
#include <vector>

namespace velmora {

namespace {

// Larger sides than any picture format the decoders read; they keep every sum in range.
constexpr int kLargestSide = 65535;
// Rows read at a time: a tall picture shrinking to a few rows never needs its whole height
// in memory.
constexpr int kBandRows = 16;

int BytesPerPixel(SourcePixels format) { return format == SourcePixels::Bgr24 ? 3 : 4; }

// The source pixels [first, end) that target pixel i covers; at least one.
struct Span {
    int first, end;
};

Span SpanOf(int i, int source, int target) {
    const int first = static_cast<int>(static_cast<std::int64_t>(i) * source / target);
    const int end = static_cast<int>(static_cast<std::int64_t>(i + 1) * source / target);
    return {first, std::max(end, first + 1)};
}

// Adds a source row, byte by byte, to the sums of the rows that one tile row covers: a plain
// loop over bytes that the compiler turns into vector additions.
void AddRow(const std::uint8_t* row, std::vector<std::uint32_t>& sums) {
    std::uint32_t* sum = sums.data();
    for (std::size_t i = 0, n = sums.size(); i < n; ++i) sum[i] += row[i];
}

// The average of n premultiplied values over white: what shows of the white behind is what
// the alpha leaves uncovered.
std::uint8_t OverWhite(std::uint64_t colour, std::uint64_t alpha, std::uint64_t n) {
    const std::uint64_t uncovered = 255 * n - std::min(alpha, 255 * n);
    return static_cast<std::uint8_t>(std::min<std::uint64_t>((colour + uncovered + n / 2) / n, 255));
}

std::uint8_t Average(std::uint64_t colour, std::uint64_t n) {
    return static_cast<std::uint8_t>((colour + n / 2) / n);
}

}  // namespace

std::size_t SourceStride(int sourceWidth, SourcePixels format) {
    if (sourceWidth <= 0 || sourceWidth > kLargestSide) return 0;
    return (static_cast<std::size_t>(sourceWidth) * BytesPerPixel(format) + 3) & ~static_cast<std::size_t>(3);
}

bool ScaleToTile(int sourceWidth, int sourceHeight, SourcePixels format, const ReadRows& read, int width,
                 int height, std::uint8_t* out) {
    const std::size_t stride = SourceStride(sourceWidth, format);
    if (!stride || sourceHeight <= 0 || sourceHeight > kLargestSide || width <= 0 || height <= 0 ||
        width > kLargestSide || height > kLargestSide || !out || !read) {
        return false;
    }
    std::vector<Span> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) columns[static_cast<std::size_t>(x)] = SpanOf(x, sourceWidth, width);
    const int bpp = BytesPerPixel(format);
    // One sum per source byte over the rows of a tile row: at most 65535 rows of 255.
    std::vector<std::uint32_t> sums(static_cast<std::size_t>(sourceWidth) * static_cast<std::size_t>(bpp));
    std::vector<std::uint8_t> band;

    for (int y = 0; y < height; ++y) {
        const Span rows = SpanOf(y, sourceHeight, height);
        std::fill(sums.begin(), sums.end(), 0);
        for (int first = rows.first; first < rows.end; first += kBandRows) {
            const int count = std::min(kBandRows, rows.end - first);
            band.resize(static_cast<std::size_t>(count) * stride);
            if (!read(first, count, band.data(), stride)) return false;
            for (int r = 0; r < count; ++r) AddRow(band.data() + static_cast<std::size_t>(r) * stride, sums);
        }
        std::uint8_t* target = out + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
        const std::uint64_t across = static_cast<std::uint64_t>(rows.end - rows.first);
        for (std::size_t x = 0; x < columns.size(); ++x, target += 4) {
            std::uint64_t blue = 0, green = 0, red = 0, alpha = 0;
            const std::uint32_t* p = sums.data() + static_cast<std::size_t>(columns[x].first) * bpp;
            for (int i = columns[x].first; i < columns[x].end; ++i, p += bpp) {
                blue += p[0];
                green += p[1];
                red += p[2];
                if (bpp == 4) alpha += p[3];
            }
            const std::uint64_t n = across * static_cast<std::uint64_t>(columns[x].end - columns[x].first);
            if (bpp == 4) {
                target[0] = OverWhite(blue, alpha, n);
                target[1] = OverWhite(green, alpha, n);
                target[2] = OverWhite(red, alpha, n);
            } else {
                target[0] = Average(blue, n);
                target[1] = Average(green, n);
                target[2] = Average(red, n);
            }
            target[3] = 255;
        }
    }
    return true;
}

}  // namespace velmora
