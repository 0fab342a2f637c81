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

struct Totals {
    std::uint64_t blue = 0, green = 0, red = 0, alpha = 0;
};

// Adds one source row to the totals of every target column. A row's share of one column is at
// most 65535 pixels of 255, which 32 bits hold.
template <int Bpp>
void AddRow(const std::uint8_t* row, const std::vector<Span>& columns, std::vector<Totals>& totals) {
    for (std::size_t x = 0; x < columns.size(); ++x) {
        const std::uint8_t* p = row + static_cast<std::size_t>(columns[x].first) * Bpp;
        std::uint32_t blue = 0, green = 0, red = 0, alpha = 0;
        for (int i = columns[x].first; i < columns[x].end; ++i, p += Bpp) {
            blue += p[0];
            green += p[1];
            red += p[2];
            if constexpr (Bpp == 4) alpha += p[3];
        }
        Totals& t = totals[x];
        t.blue += blue;
        t.green += green;
        t.red += red;
        t.alpha += alpha;
    }
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
    std::vector<Totals> totals(columns.size());
    std::vector<std::uint8_t> band;
    const bool alpha = format == SourcePixels::PremultipliedBgra32;

    for (int y = 0; y < height; ++y) {
        const Span rows = SpanOf(y, sourceHeight, height);
        std::fill(totals.begin(), totals.end(), Totals{});
        for (int first = rows.first; first < rows.end; first += kBandRows) {
            const int count = std::min(kBandRows, rows.end - first);
            band.resize(static_cast<std::size_t>(count) * stride);
            if (!read(first, count, band.data(), stride)) return false;
            for (int r = 0; r < count; ++r) {
                const std::uint8_t* row = band.data() + static_cast<std::size_t>(r) * stride;
                if (alpha) {
                    AddRow<4>(row, columns, totals);
                } else {
                    AddRow<3>(row, columns, totals);
                }
            }
        }
        std::uint8_t* target = out + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
        const std::uint64_t across = static_cast<std::uint64_t>(rows.end - rows.first);
        for (std::size_t x = 0; x < columns.size(); ++x, target += 4) {
            const Totals& t = totals[x];
            const std::uint64_t n = across * static_cast<std::uint64_t>(columns[x].end - columns[x].first);
            if (alpha) {
                target[0] = OverWhite(t.blue, t.alpha, n);
                target[1] = OverWhite(t.green, t.alpha, n);
                target[2] = OverWhite(t.red, t.alpha, n);
            } else {
                target[0] = Average(t.blue, n);
                target[1] = Average(t.green, n);
                target[2] = Average(t.red, n);
            }
            target[3] = 255;
        }
    }
    return true;
}

}  // namespace velmora
