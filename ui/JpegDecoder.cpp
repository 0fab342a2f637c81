#include "ui/JpegDecoder.h"

#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace velmora {

namespace {

// Position in row order of the k-th coefficient as the file stores them.
constexpr uint8_t kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                 12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

uint8_t Clamp(int64_t v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Reads the entropy-coded data of a scan, most significant bit first, with the stuffed zero
// after each 0xFF removed. At a marker it stops and yields zero bits, counting them, so that a
// scan that runs past its data is noticed.
class ScanReader {
public:
    ScanReader(const uint8_t* p, const uint8_t* end) : p_(p), end_(end) {}

    uint32_t Peek(int n) {
        Fill(n);
        return static_cast<uint32_t>(buffer_ >> (64 - n));
    }
    void Skip(int n) {
        buffer_ <<= n;
        count_ -= n;
    }
    uint32_t Take(int n) {
        const uint32_t v = Peek(n);
        Skip(n);
        return v;
    }
    bool Overrun() const { return padding_ > 0 && count_ < padding_; }
    // At a restart: the data must stop at marker RST(n); the bits of its last byte are dropped.
    bool Restart(int n) {
        while (p_ + 1 < end_ && p_[0] == 0xFF && p_[1] == 0xFF) ++p_;
        if (end_ - p_ < 2 || p_[0] != 0xFF || p_[1] != 0xD0 + n) return false;
        p_ += 2;
        buffer_ = 0;
        count_ = 0;
        padding_ = 0;
        atMarker_ = false;
        return true;
    }
    // Where the file goes on after the scan.
    const uint8_t* Position() const { return p_; }

private:
    void Fill(int n) {
        while (count_ < n) {
            uint64_t byte = 0;
            bool real = false;
            if (!atMarker_ && p_ < end_) {
                if (*p_ != 0xFF) {
                    byte = *p_++;
                    real = true;
                } else if (p_ + 1 < end_ && p_[1] == 0x00) {
                    byte = 0xFF;
                    p_ += 2;
                    real = true;
                } else {
                    atMarker_ = true;
                }
            }
            if (!real) padding_ += 8;
            buffer_ |= byte << (56 - count_);
            count_ += 8;
        }
    }
    const uint8_t* p_;
    const uint8_t* end_;
    uint64_t buffer_ = 0;  // count_ bits, from the top
    int count_ = 0;
    int padding_ = 0;
    bool atMarker_ = false;
};

constexpr int kFastBits = 9;

struct HuffmanTable {
    bool defined = false;
    std::array<uint16_t, 1 << kFastBits> fast{};  // length << 8 | symbol, 0 when longer
    int32_t limit[17] = {};                       // codes of each length are below this
    int32_t offset[17] = {};                      // symbol index = offset + code
    uint8_t symbols[256] = {};

    bool Build(const uint8_t* counts, const uint8_t* values, int total) {
        std::memcpy(symbols, values, static_cast<size_t>(total));
        fast.fill(0);
        int32_t code = 0;
        int k = 0;
        for (int len = 1; len <= 16; ++len) {
            offset[len] = k - code;
            for (int i = 0; i < counts[len - 1]; ++i, ++code, ++k) {
                if (code >= (1 << len)) return false;  // more codes than this length has room for
                if (len <= kFastBits) {
                    const int first = code << (kFastBits - len);
                    for (int j = 0; j < (1 << (kFastBits - len)); ++j) {
                        fast[first + j] = static_cast<uint16_t>((len << 8) | symbols[k]);
                    }
                }
            }
            limit[len] = code;
            code <<= 1;
        }
        defined = true;
        return true;
    }

    // The next symbol, or -1 for a code the table does not have.
    int Decode(ScanReader& in) const {
        const uint16_t entry = fast[in.Peek(kFastBits)];
        if (entry != 0) {
            in.Skip(entry >> 8);
            return entry & 0xFF;
        }
        const uint32_t bits = in.Peek(16);
        for (int len = kFastBits + 1; len <= 16; ++len) {
            const int32_t code = static_cast<int32_t>(bits >> (16 - len));
            if (code < limit[len]) {
                in.Skip(len);
                const int index = offset[len] + code;
                return index >= 0 && index < 256 ? symbols[index] : -1;
            }
        }
        return -1;
    }
};

// A value of s bits as the file codes it: the lower half of the range stands for negatives.
int32_t Extend(uint32_t v, int s) {
    const int32_t value = static_cast<int32_t>(v);
    return value < (1 << (s - 1)) ? value - (1 << s) + 1 : value;
}

struct Component {
    int id = 0;
    int h = 1, v = 1;       // sampling factors
    int quant = 0;          // table number
    int dcTable = 0, acTable = 0;
    int predictor = 0;
    int blocksAcross = 0, blocksDown = 0;  // of the plane, a whole number of MCUs
    std::vector<uint8_t> plane;            // blocksAcross * 8 wide
};

class Decoder {
public:
    Decoder(const uint8_t* data, size_t size, PixelSink& sink) : p_(data), end_(data + size), sink_(sink) {}

    bool Run() {
        if (end_ - p_ < 4 || p_[0] != 0xFF || p_[1] != 0xD8) return false;
        p_ += 2;
        for (;;) {
            int marker = 0;
            if (!NextMarker(&marker)) return false;
            if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no segment follows
            if (marker == 0xD8 || marker == 0xD9) return false;                   // no picture before
            if (end_ - p_ < 2) return false;
            const size_t length = (p_[0] << 8) | p_[1];
            if (length < 2 || static_cast<size_t>(end_ - p_) < length) return false;
            const uint8_t* body = p_ + 2;
            const size_t n = length - 2;
            p_ += length;
            bool ok = true;
            switch (marker) {
                case 0xC0:
                case 0xC1: ok = Frame(body, n); break;
                case 0xC4: ok = HuffmanTables(body, n); break;
                case 0xDB: ok = QuantTables(body, n); break;
                case 0xDD:
                    ok = n == 2;
                    if (ok) restartInterval_ = (body[0] << 8) | body[1];
                    break;
                case 0xEE: Adobe(body, n); break;
                case 0xDA: return Scan(body, n);
                default:
                    // Other frame types (progressive, lossless, arithmetic) and their tables are
                    // left to the system; application data and comments are skipped.
                    if ((marker >= 0xC2 && marker <= 0xCF) || marker == 0xDC) ok = false;
                    break;
            }
            if (!ok) return false;
        }
    }

private:
    bool NextMarker(int* marker) {
        while (p_ < end_ && *p_ != 0xFF) ++p_;  // tolerated junk between segments
        while (p_ < end_ && *p_ == 0xFF) ++p_;
        if (p_ >= end_) return false;
        *marker = *p_++;
        return *marker != 0;
    }

    bool QuantTables(const uint8_t* p, size_t n) {
        while (n > 0) {
            const int precision = p[0] >> 4, id = p[0] & 15;
            const size_t size = precision ? 128 : 64;
            if (id > 3 || precision > 1 || n < 1 + size) return false;
            for (int k = 0; k < 64; ++k) {
                const int value = precision ? (p[1 + 2 * k] << 8) | p[2 + 2 * k] : p[1 + k];
                quant_[id][kZigzag[k]] = static_cast<uint16_t>(value);
            }
            quantDefined_[id] = true;
            p += 1 + size;
            n -= 1 + size;
        }
        return true;
    }

    bool HuffmanTables(const uint8_t* p, size_t n) {
        while (n > 0) {
            if (n < 17) return false;
            const int cls = p[0] >> 4, id = p[0] & 15;
            if (cls > 1 || id > 3) return false;
            int total = 0;
            for (int i = 0; i < 16; ++i) total += p[1 + i];
            if (total > 256 || n < 17 + static_cast<size_t>(total)) return false;
            if (!tables_[cls][id].Build(p + 1, p + 17, total)) return false;
            p += 17 + total;
            n -= 17 + static_cast<size_t>(total);
        }
        return true;
    }

    void Adobe(const uint8_t* p, size_t n) {
        if (n >= 12 && std::memcmp(p, "Adobe", 5) == 0) {
            adobe_ = true;
            adobeTransform_ = p[11];
        }
    }

    bool Frame(const uint8_t* p, size_t n) {
        if (frame_ || n < 6 || p[0] != 8) return false;
        height_ = (p[1] << 8) | p[2];
        width_ = (p[3] << 8) | p[4];
        const int count = p[5];
        // A height of 0 would come later (DNL); the system handles that.
        if (width_ == 0 || height_ == 0 || int64_t{width_} * height_ > kMostPixels) return false;
        if ((count != 1 && count != 3) || n != 6 + 3 * static_cast<size_t>(count)) return false;
        components_.resize(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            Component& c = components_[static_cast<size_t>(i)];
            c.id = p[6 + 3 * i];
            c.h = p[7 + 3 * i] >> 4;
            c.v = p[7 + 3 * i] & 15;
            c.quant = p[8 + 3 * i];
            if (c.h < 1 || c.h > 2 || c.v < 1 || c.v > 2 || c.quant > 3) return false;
            hmax_ = c.h > hmax_ ? c.h : hmax_;
            vmax_ = c.v > vmax_ ? c.v : vmax_;
        }
        // A single plane is coded block by block, whatever factors it names.
        if (count == 1) components_[0].h = components_[0].v = hmax_ = vmax_ = 1;
        mcusAcross_ = (width_ + 8 * hmax_ - 1) / (8 * hmax_);
        mcusDown_ = (height_ + 8 * vmax_ - 1) / (8 * vmax_);
        // Planes at full size are turned into pixels a row of MCUs at a time, so they need room
        // for only that; smaller planes are kept whole for bringing them up to size at the end.
        byRows_ = true;
        for (const Component& c : components_) byRows_ = byRows_ && c.h == hmax_ && c.v == vmax_;
        for (Component& c : components_) {
            c.blocksAcross = mcusAcross_ * c.h;
            c.blocksDown = byRows_ ? c.v : mcusDown_ * c.v;
        }
        frame_ = true;
        return true;
    }

    bool Scan(const uint8_t* p, size_t n) {
        if (!frame_ || n < 1) return false;
        const int count = p[0];
        // One scan with every plane in it; pictures coded plane by plane go to the system.
        if (count != static_cast<int>(components_.size()) || n != 4 + 2 * static_cast<size_t>(count)) return false;
        for (int i = 0; i < count; ++i) {
            Component& c = components_[static_cast<size_t>(i)];
            if (p[1 + 2 * i] != c.id) return false;
            c.dcTable = p[2 + 2 * i] >> 4;
            c.acTable = p[2 + 2 * i] & 15;
            if (c.dcTable > 3 || c.acTable > 3 || !tables_[0][c.dcTable].defined || !tables_[1][c.acTable].defined ||
                !quantDefined_[c.quant]) {
                return false;
            }
        }
        const uint8_t* tail = p + 1 + 2 * count;
        if (tail[0] != 0 || tail[1] != 63 || tail[2] != 0) return false;  // sequential only
        // Every block takes at least two bits (its first value and the end of the block): data
        // too short for the blocks is damaged, and is refused before room is made for them.
        int64_t blocks = 0;
        for (const Component& c : components_) blocks += int64_t{c.h} * c.v * mcusAcross_ * mcusDown_;
        if (blocks > 4 * (end_ - p_)) return false;
        for (Component& c : components_) c.plane.assign(static_cast<size_t>(c.blocksAcross) * c.blocksDown * 64, 0);
        out_ = sink_.Buffer(width_, height_);
        if (!out_) return false;

        ScanReader in(p_, end_);
        int restartsLeft = restartInterval_, nextRestart = 0;
        int32_t coefficients[64];
        for (int my = 0; my < mcusDown_; ++my) {
            for (int mx = 0; mx < mcusAcross_; ++mx) {
                if (restartInterval_ > 0 && restartsLeft == 0) {
                    if (!in.Restart(nextRestart)) return false;
                    nextRestart = (nextRestart + 1) % 8;
                    restartsLeft = restartInterval_;
                    for (Component& c : components_) c.predictor = 0;
                }
                for (Component& c : components_) {
                    for (int by = 0; by < c.v; ++by) {
                        for (int bx = 0; bx < c.h; ++bx) {
                            bool dcOnly = true;
                            if (!Block(in, c, coefficients, &dcOnly)) return false;
                            const int row = (byRows_ ? 0 : my * c.v) + by, column = mx * c.h + bx;
                            const int stride = c.blocksAcross * 8;
                            uint8_t* out = c.plane.data() + (static_cast<size_t>(row) * 8 * stride) + column * 8;
                            if (dcOnly) {
                                // The whole block is one value: no transform needed.
                                const uint8_t value = Clamp(((int64_t{coefficients[0]} + 4) >> 3) + 128);
                                for (int y = 0; y < 8; ++y) std::memset(out + y * stride, value, 8);
                            } else {
                                InverseDct(coefficients, out, stride);
                            }
                        }
                    }
                }
                if (in.Overrun()) return false;
                if (restartInterval_ > 0) --restartsLeft;
            }
            if (byRows_) {
                const int top = my * 8 * vmax_;
                const int rows = height_ - top < 8 * vmax_ ? height_ - top : 8 * vmax_;
                const uint8_t* planes[3] = {};
                int strides[3] = {};
                for (size_t i = 0; i < components_.size(); ++i) {
                    planes[i] = components_[i].plane.data();
                    strides[i] = components_[i].blocksAcross * 8;
                }
                Emit(planes, strides, top, rows);
            }
        }
        if (!byRows_) Assemble();
        return true;
    }

    bool Block(ScanReader& in, Component& c, int32_t* coefficients, bool* dcOnly) {
        std::memset(coefficients, 0, 64 * sizeof(int32_t));
        const uint16_t* q = quant_[c.quant];
        const int s = tables_[0][c.dcTable].Decode(in);
        if (s < 0 || s > 11) return false;
        const int32_t diff = s ? Extend(in.Take(s), s) : 0;
        c.predictor += diff;
        if (c.predictor < -32768 || c.predictor > 32767) return false;
        coefficients[0] = Dequantise(c.predictor, q[0]);
        const HuffmanTable& ac = tables_[1][c.acTable];
        for (int k = 1; k < 64;) {
            const int rs = ac.Decode(in);
            if (rs < 0) return false;
            const int run = rs >> 4, size = rs & 15;
            if (size == 0) {
                if (run != 15) break;  // end of block
                k += 16;
                continue;
            }
            k += run;
            if (k > 63 || size > 10) return false;
            const int z = kZigzag[k];
            coefficients[z] = Dequantise(Extend(in.Take(size), size), q[z]);
            *dcOnly = false;
            ++k;
        }
        return true;
    }

    // Coefficients of real pictures stay far inside this range; a damaged file is kept to it.
    static int32_t Dequantise(int32_t value, uint16_t q) {
        const int64_t v = int64_t{value} * q;
        return static_cast<int32_t>(v < -8192 ? -8192 : v > 8191 ? 8191 : v);
    }

    // Brings the smaller planes up to full size and turns the picture into pixels.
    void Assemble() {
        std::vector<uint8_t> full[3];
        const uint8_t* planes[3] = {};
        int strides[3] = {};
        for (size_t i = 0; i < components_.size(); ++i) {
            const Component& c = components_[i];
            planes[i] = c.plane.data();
            strides[i] = c.blocksAcross * 8;
            if (c.h != hmax_ || c.v != vmax_) {
                full[i] = Upsample(c);
                planes[i] = full[i].data();
                strides[i] = mcusAcross_ * hmax_ * 8;
            }
        }
        Emit(planes, strides, 0, height_);
    }

    // Pixel rows top .. top + count - 1 of the picture from planes whose first row is row top.
    void Emit(const uint8_t* const* planes, const int* strides, int top, int count) {
        if (components_.size() == 1) {
            for (int y = 0; y < count; ++y) {
                const uint8_t* in = planes[0] + static_cast<size_t>(y) * strides[0];
                uint8_t* o = out_ + (static_cast<size_t>(top) + y) * width_ * 4;
                for (int x = 0; x < width_; ++x, o += 4) {
                    o[0] = o[1] = o[2] = in[x];
                    o[3] = 255;
                }
            }
            return;
        }
        // Adobe's marker says whether the three planes are colour differences or plain RGB;
        // without it they are colour differences, as JFIF has them.
        const bool rgb = adobe_ ? adobeTransform_ == 0 : (components_[0].id == 'R' && components_[1].id == 'G' &&
                                                           components_[2].id == 'B');
        const ColourTables& t = Tables();
        for (int y = 0; y < count; ++y) {
            const uint8_t* a = planes[0] + static_cast<size_t>(y) * strides[0];
            const uint8_t* b = planes[1] + static_cast<size_t>(y) * strides[1];
            const uint8_t* r = planes[2] + static_cast<size_t>(y) * strides[2];
            uint8_t* o = out_ + (static_cast<size_t>(top) + y) * width_ * 4;
            if (rgb) {
                for (int x = 0; x < width_; ++x, o += 4) {
                    o[0] = r[x];
                    o[1] = b[x];
                    o[2] = a[x];
                    o[3] = 255;
                }
                continue;
            }
            for (int x = 0; x < width_; ++x, o += 4) {
                const int luma = a[x], cb = b[x], cr = r[x];
                o[0] = t.Limit(luma + t.blue[cb]);
                o[1] = t.Limit(luma + ((t.greenFromCb[cb] + t.greenFromCr[cr]) >> 16));
                o[2] = t.Limit(luma + t.red[cr]);
                o[3] = 255;
            }
        }
    }

    // The plane at the picture's full sampling, each new sample weighted 3:1 between its two
    // nearest (the usual smooth way); vertical halving alone is repeated rows.
    std::vector<uint8_t> Upsample(const Component& c) const {
        const int inStride = c.blocksAcross * 8, inRows = c.blocksDown * 8;
        const int outStride = mcusAcross_ * hmax_ * 8, outRows = mcusDown_ * vmax_ * 8;
        const int wide = hmax_ / c.h, tall = vmax_ / c.v;
        std::vector<uint8_t> out(static_cast<size_t>(outStride) * outRows);
        std::vector<int> sums(static_cast<size_t>(inStride));
        for (int y = 0; y < outRows; ++y) {
            const int sy = y / tall;
            const uint8_t* near = c.plane.data() + static_cast<size_t>(sy) * inStride;
            uint8_t* o = out.data() + static_cast<size_t>(y) * outStride;
            if (tall == 2) {
                // The row above or below the source row, whichever is nearer to this one.
                const int fy = (y % 2 == 0) ? (sy > 0 ? sy - 1 : 0) : (sy + 1 < inRows ? sy + 1 : sy);
                const uint8_t* far = c.plane.data() + static_cast<size_t>(fy) * inStride;
                for (int x = 0; x < inStride; ++x) sums[static_cast<size_t>(x)] = 3 * near[x] + far[x];
                if (wide == 2) {
                    for (int x = 0; x < inStride; ++x) {
                        const int s = sums[static_cast<size_t>(x)];
                        const int left = sums[static_cast<size_t>(x > 0 ? x - 1 : 0)];
                        const int right = sums[static_cast<size_t>(x + 1 < inStride ? x + 1 : x)];
                        o[2 * x] = static_cast<uint8_t>((3 * s + left + 8) >> 4);
                        o[2 * x + 1] = static_cast<uint8_t>((3 * s + right + 7) >> 4);
                    }
                } else {
                    const int bias = y % 2 == 0 ? 1 : 2;
                    for (int x = 0; x < inStride; ++x) {
                        o[x] = static_cast<uint8_t>((sums[static_cast<size_t>(x)] + bias) >> 2);
                    }
                }
            } else if (wide == 2) {
                for (int x = 0; x < inStride; ++x) {
                    const int s = near[x];
                    const int left = near[x > 0 ? x - 1 : 0], right = near[x + 1 < inStride ? x + 1 : x];
                    o[2 * x] = static_cast<uint8_t>((3 * s + left + 1) >> 2);
                    o[2 * x + 1] = static_cast<uint8_t>((3 * s + right + 2) >> 2);
                }
            } else {
                std::memcpy(o, near, static_cast<size_t>(outStride));
            }
        }
        return out;
    }

    struct ColourTables {
        int red[256], blue[256];                // added to luma
        int greenFromCb[256], greenFromCr[256]; // sum, shifted down 16 bits, added to luma
        uint8_t limit[256 * 3];                 // v + 256 -> v kept to 0..255
        uint8_t Limit(int v) const { return limit[v + 256]; }
    };

    static const ColourTables& Tables() {
        static const ColourTables tables = [] {
            ColourTables t{};
            for (int i = 0; i < 256; ++i) {
                const int d = i - 128;
                t.red[i] = (91881 * d + 32768) >> 16;    // 1.402
                t.blue[i] = (116130 * d + 32768) >> 16;  // 1.772
                t.greenFromCb[i] = -22554 * d;           // 0.344136
                t.greenFromCr[i] = -46802 * d + 32768;   // 0.714136, with the rounding
            }
            for (int v = -256; v < 512; ++v) t.limit[v + 256] = Clamp(v);
            return t;
        }();
        return tables;
    }

    const uint8_t* p_;
    const uint8_t* end_;
    uint16_t quant_[4][64] = {};
    bool quantDefined_[4] = {};
    HuffmanTable tables_[2][4];  // DC, AC
    PixelSink& sink_;
    uint8_t* out_ = nullptr;
    std::vector<Component> components_;
    bool frame_ = false;
    bool byRows_ = true;
    int width_ = 0, height_ = 0;
    int hmax_ = 1, vmax_ = 1;
    int mcusAcross_ = 0, mcusDown_ = 0;
    int restartInterval_ = 0;
    bool adobe_ = false;
    int adobeTransform_ = 1;
};

// One dimension of the inverse transform, the Loeffler-Ligtenberg-Moschytz way with 13-bit
// constants: in[0..7] at the given step, results scaled up by 2^13 * sqrt(8).
void Idct1d(const int64_t* in, int step, int64_t out[8]) {
    constexpr int64_t k0298 = 2446, k0390 = 3196, k0541 = 4433, k0765 = 6270, k0899 = 7373, k1175 = 9633,
                      k1501 = 12299, k1847 = 15137, k1961 = 16069, k2053 = 16819, k2562 = 20995, k3072 = 25172;
    // Even part, from coefficients 0, 2, 4, 6.
    const int64_t c2 = in[2 * step], c6 = in[6 * step];
    const int64_t rot = (c2 + c6) * k0541;
    const int64_t e2 = rot - c6 * k1847;
    const int64_t e3 = rot + c2 * k0765;
    const int64_t e0 = (in[0] + in[4 * step]) * 8192;
    const int64_t e1 = (in[0] - in[4 * step]) * 8192;
    const int64_t even0 = e0 + e3, even3 = e0 - e3, even1 = e1 + e2, even2 = e1 - e2;
    // Odd part, from coefficients 7, 5, 3, 1.
    int64_t t0 = in[7 * step], t1 = in[5 * step], t2 = in[3 * step], t3 = in[step];
    int64_t z1 = t0 + t3, z2 = t1 + t2, z3 = t0 + t2, z4 = t1 + t3;
    const int64_t z5 = (z3 + z4) * k1175;
    t0 *= k0298;
    t1 *= k2053;
    t2 *= k3072;
    t3 *= k1501;
    z1 *= -k0899;
    z2 *= -k2562;
    z3 = z3 * -k1961 + z5;
    z4 = z4 * -k0390 + z5;
    t0 += z1 + z3;
    t1 += z2 + z4;
    t2 += z2 + z3;
    t3 += z1 + z4;
    out[0] = even0 + t3;
    out[7] = even0 - t3;
    out[1] = even1 + t2;
    out[6] = even1 - t2;
    out[2] = even2 + t1;
    out[5] = even2 - t1;
    out[3] = even3 + t0;
    out[4] = even3 - t0;
}

int64_t Descale(int64_t v, int bits) { return (v + (int64_t{1} << (bits - 1))) >> bits; }

}  // namespace

void InverseDct(int32_t* coefficients, uint8_t* out, int stride) {
    // Columns first, keeping 2 more bits than the samples need; then rows, scaled back down
    // (the two passes together are 8 times too large). A column or row with nothing but its
    // first value is that value throughout, which most of them are.
    int64_t in[64], work[64], line[8];
    for (int i = 0; i < 64; ++i) in[i] = coefficients[i];
    for (int x = 0; x < 8; ++x) {
        const int64_t* column = in + x;
        if ((column[8] | column[16] | column[24] | column[32] | column[40] | column[48] | column[56]) == 0) {
            for (int y = 0; y < 8; ++y) work[y * 8 + x] = column[0] * 4;
            continue;
        }
        Idct1d(column, 8, line);
        for (int y = 0; y < 8; ++y) work[y * 8 + x] = Descale(line[y], 13 - 2);
    }
    for (int y = 0; y < 8; ++y) {
        const int64_t* row = work + y * 8;
        uint8_t* o = out + y * stride;
        if ((row[1] | row[2] | row[3] | row[4] | row[5] | row[6] | row[7]) == 0) {
            std::memset(o, Clamp(Descale(row[0] * 8192, 13 + 2 + 3) + 128), 8);
            continue;
        }
        Idct1d(row, 1, line);
        for (int x = 0; x < 8; ++x) o[x] = Clamp(Descale(line[x], 13 + 2 + 3) + 128);
    }
}

bool DecodeJpeg(const std::string& bytes, PixelSink& sink) {
    return Decoder(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), sink).Run();
}

std::optional<Pixels> DecodeJpeg(const std::string& bytes) {
    PixelsSink sink;
    if (!DecodeJpeg(bytes, sink)) return std::nullopt;
    return std::move(sink.pixels);
}

}  // namespace velmora
