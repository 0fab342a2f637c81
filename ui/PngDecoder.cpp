#include "ui/PngDecoder.h"

#include <array>
#include <cstring>
#include <utility>

#include "ui/Inflate.h"

namespace velmora {

namespace {

uint32_t Be32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

uint32_t Crc32(const uint8_t* p, size_t n) {
    // Four bytes a step: table k gives the effect of a byte followed by k zero bytes.
    static const std::array<std::array<uint32_t, 256>, 4> tables = [] {
        std::array<std::array<uint32_t, 256>, 4> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][i] = c;
        }
        for (uint32_t i = 0; i < 256; ++i) {
            for (int k = 1; k < 4; ++k) t[k][i] = t[0][t[k - 1][i] & 0xFF] ^ (t[k - 1][i] >> 8);
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (; n >= 4; n -= 4, p += 4) {
        c ^= uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
        c = tables[3][c & 0xFF] ^ tables[2][(c >> 8) & 0xFF] ^ tables[1][(c >> 16) & 0xFF] ^ tables[0][c >> 24];
    }
    for (; n > 0; --n, ++p) c = tables[0][(c ^ *p) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

enum ColourType { kGrey = 0, kColour = 2, kPalette = 3, kGreyAlpha = 4, kColourAlpha = 6 };

int Channels(int colourType) {
    switch (colourType) {
        case kGrey:
        case kPalette: return 1;
        case kGreyAlpha: return 2;
        case kColour: return 3;
        case kColourAlpha: return 4;
        default: return 0;
    }
}

bool Supported(int colourType, int depth) {
    if (colourType == kPalette) return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    return Channels(colourType) > 0 && depth == 8;
}

// The neighbour nearest to left + up - upper left; ties go to left, then up.
uint8_t Paeth(int a, int b, int c) {
    const int pa = b > c ? b - c : c - b;              // |p - a|
    const int pb = a > c ? a - c : c - a;              // |p - b|
    const int pc = (a + b - 2 * c) < 0 ? 2 * c - a - b : a + b - 2 * c;  // |p - c|
    const int bc = pb <= pc ? b : c;
    return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : bc);
}

// Undoes the row filters in place; rows are a filter byte followed by rowBytes bytes.
bool Unfilter(std::vector<uint8_t>& data, size_t rowBytes, size_t bpp, uint32_t height) {
    const std::vector<uint8_t> zeros(rowBytes, 0);
    const uint8_t* previous = zeros.data();
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = data.data() + y * (rowBytes + 1);
        const uint8_t filter = row[0];
        uint8_t* cur = row + 1;
        switch (filter) {
            case 0: break;
            case 1:
                for (size_t i = bpp; i < rowBytes; ++i) cur[i] = static_cast<uint8_t>(cur[i] + cur[i - bpp]);
                break;
            case 2:
                for (size_t i = 0; i < rowBytes; ++i) cur[i] = static_cast<uint8_t>(cur[i] + previous[i]);
                break;
            case 3: {
                // The first pixel has nothing to its left.
                const size_t first = bpp < rowBytes ? bpp : rowBytes;
                for (size_t i = 0; i < first; ++i) cur[i] = static_cast<uint8_t>(cur[i] + (previous[i] >> 1));
                for (size_t i = first; i < rowBytes; ++i) {
                    cur[i] = static_cast<uint8_t>(cur[i] + ((cur[i - bpp] + previous[i]) >> 1));
                }
                break;
            }
            case 4: {
                const size_t first = bpp < rowBytes ? bpp : rowBytes;
                for (size_t i = 0; i < first; ++i) cur[i] = static_cast<uint8_t>(cur[i] + previous[i]);
                for (size_t i = first; i < rowBytes; ++i) {
                    cur[i] = static_cast<uint8_t>(cur[i] + Paeth(cur[i - bpp], previous[i], previous[i - bpp]));
                }
                break;
            }
            default: return false;
        }
        previous = cur;
    }
    return true;
}

uint8_t Premultiply(uint8_t c, uint8_t a) { return static_cast<uint8_t>((c * a + 127) / 255); }

struct Header {
    uint32_t width = 0, height = 0;
    int depth = 0, colourType = 0;
};

// What the chunks before the picture data say about how to show it.
struct Colours {
    std::array<uint8_t, 256 * 3> palette{};
    std::array<uint8_t, 256> paletteAlpha{};
    int paletteSize = 0;
    bool hasKey = false;           // a colour (or grey) shown as transparent
    uint16_t key[3] = {0, 0, 0};   // grey, or red, green, blue, at 16 bits as stored
};

// One row of samples, filters undone, into blue-green-red-alpha with alpha premultiplied.
bool ConvertRow(const Header& h, const Colours& c, const uint8_t* in, uint8_t* out, bool& opaque) {
    auto put = [&](uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
        if (a != 255) opaque = false;
        out[0] = Premultiply(b, a);
        out[1] = Premultiply(g, a);
        out[2] = Premultiply(r, a);
        out[3] = a;
        out += 4;
    };
    for (uint32_t x = 0; x < h.width; ++x) {
        switch (h.colourType) {
            case kColourAlpha: put(in[4 * x], in[4 * x + 1], in[4 * x + 2], in[4 * x + 3]); break;
            case kColour: {
                const uint8_t* p = in + 3 * x;
                const bool keyed = c.hasKey && c.key[0] == p[0] && c.key[1] == p[1] && c.key[2] == p[2];
                put(p[0], p[1], p[2], keyed ? 0 : 255);
                break;
            }
            case kGreyAlpha: put(in[2 * x], in[2 * x], in[2 * x], in[2 * x + 1]); break;
            case kGrey: put(in[x], in[x], in[x], c.hasKey && c.key[0] == in[x] ? 0 : 255); break;
            case kPalette: {
                // Indexes of less than 8 bits are packed from the high bits of each byte.
                const int bits = h.depth;
                const size_t bit = static_cast<size_t>(x) * bits;
                const int shift = 8 - bits - static_cast<int>(bit % 8);
                const int index = (in[bit / 8] >> shift) & ((1 << bits) - 1);
                if (index >= c.paletteSize) return false;
                put(c.palette[3 * index], c.palette[3 * index + 1], c.palette[3 * index + 2], c.paletteAlpha[index]);
                break;
            }
            default: return false;
        }
    }
    return true;
}

}  // namespace

std::optional<bool> DecodePng(const std::string& bytes, PixelSink& sink) {
    static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const size_t size = bytes.size();
    if (size < 8 || std::memcmp(data, kSignature, 8) != 0) return std::nullopt;

    Header h;
    Colours colours;
    colours.paletteAlpha.fill(255);
    std::vector<uint8_t> compressed;
    bool seenHeader = false, seenData = false, dataEnded = false, seenEnd = false;
    size_t pos = 8;
    while (!seenEnd) {
        if (size - pos < 12) return std::nullopt;
        const uint32_t length = Be32(data + pos);
        if (length > size - pos - 12) return std::nullopt;
        const uint8_t* type = data + pos + 4;
        const uint8_t* body = type + 4;
        if (Crc32(type, length + 4) != Be32(body + length)) return std::nullopt;
        pos += 12 + length;
        const auto is = [&](const char* name) { return std::memcmp(type, name, 4) == 0; };
        if (!seenHeader) {
            if (!is("IHDR") || length != 13) return std::nullopt;
            h.width = Be32(body);
            h.height = Be32(body + 4);
            h.depth = body[8];
            h.colourType = body[9];
            // Compression and filter method 0 only; interlaced pictures go to the system.
            if (body[10] != 0 || body[11] != 0 || body[12] != 0) return std::nullopt;
            if (h.width == 0 || h.height == 0 || h.width > 0x7FFFFFFF || h.height > 0x7FFFFFFF) return std::nullopt;
            if (int64_t{h.width} * h.height > kMostPixels) return std::nullopt;
            if (!Supported(h.colourType, h.depth)) return std::nullopt;
            seenHeader = true;
            continue;
        }
        if (seenData && !is("IDAT")) dataEnded = true;
        if (is("IDAT")) {
            if (dataEnded) return std::nullopt;
            compressed.insert(compressed.end(), body, body + length);
            seenData = true;
        } else if (is("PLTE")) {
            if (seenData || length % 3 != 0 || length == 0 || length > 256 * 3) return std::nullopt;
            std::memcpy(colours.palette.data(), body, length);
            colours.paletteSize = static_cast<int>(length / 3);
        } else if (is("tRNS")) {
            if (seenData) return std::nullopt;
            if (h.colourType == kPalette) {
                if (length > static_cast<uint32_t>(colours.paletteSize)) return std::nullopt;
                std::memcpy(colours.paletteAlpha.data(), body, length);
            } else if (h.colourType == kGrey && length == 2) {
                colours.hasKey = true;
                colours.key[0] = static_cast<uint16_t>((body[0] << 8) | body[1]);
            } else if (h.colourType == kColour && length == 6) {
                colours.hasKey = true;
                for (int i = 0; i < 3; ++i) {
                    colours.key[i] = static_cast<uint16_t>((body[2 * i] << 8) | body[2 * i + 1]);
                }
            } else {
                return std::nullopt;
            }
        } else if (is("gAMA") || is("iCCP")) {
            return std::nullopt;  // the system applies these; so it decodes such a picture
        } else if (is("IEND")) {
            seenEnd = true;
        } else if ((type[0] & 0x20) == 0) {
            return std::nullopt;  // an unknown chunk the picture cannot be shown without
        }
    }
    if (!seenData || (h.colourType == kPalette && colours.paletteSize == 0)) return std::nullopt;

    const size_t bitsPerPixel = static_cast<size_t>(h.depth) * Channels(h.colourType);
    const size_t rowBytes = (h.width * bitsPerPixel + 7) / 8;
    // Deflate packs at most about 1032 bytes into one: data too short for the rows is damaged,
    // and is refused before room is made for them.
    const size_t rawSize = h.height * (rowBytes + 1);
    if (rawSize / 1032 > compressed.size()) return std::nullopt;
    std::vector<uint8_t> raw(rawSize);
    if (!ZlibInflate(compressed.data(), compressed.size(), raw)) return std::nullopt;
    if (!Unfilter(raw, rowBytes, bitsPerPixel >= 8 ? bitsPerPixel / 8 : 1, h.height)) return std::nullopt;

    uint8_t* out = sink.Buffer(static_cast<int>(h.width), static_cast<int>(h.height));
    if (!out) return std::nullopt;
    bool opaque = true;
    for (uint32_t y = 0; y < h.height; ++y) {
        const uint8_t* row = raw.data() + y * (rowBytes + 1) + 1;
        if (!ConvertRow(h, colours, row, out + static_cast<size_t>(y) * h.width * 4, opaque)) return std::nullopt;
    }
    return opaque;
}

std::optional<Pixels> DecodePng(const std::string& bytes) {
    PixelsSink sink;
    const auto opaque = DecodePng(bytes, sink);
    if (!opaque) return std::nullopt;
    sink.pixels.opaque = *opaque;
    return std::move(sink.pixels);
}

}  // namespace velmora
