#include "ui/Inflate.h"

#include <array>

namespace velmora {

namespace {

constexpr int kMaxBits = 15;
constexpr int kFastBits = 9;  // codes up to this long are found with one table look-up

// Bits are taken from the low end of each byte first. Past the end of the input the reader
// yields zeros and remembers that it did, so a truncated stream is noticed.
class BitReader {
public:
    BitReader(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}

    uint32_t Peek(int n) {
        Fill(n);
        return static_cast<uint32_t>(buffer_ & ((uint64_t{1} << n) - 1));
    }
    void Skip(int n) {
        buffer_ >>= n;
        count_ -= n;
    }
    uint32_t Take(int n) {
        if (n == 0) return 0;
        const uint32_t v = Peek(n);
        Skip(n);
        return v;
    }
    // Drops the bits up to the next byte boundary (stored blocks start there).
    void AlignToByte() { Skip(count_ % 8); }
    // Whole bytes straight from the input, after AlignToByte.
    bool TakeBytes(uint8_t* out, size_t n) {
        while (n > 0 && count_ >= 8) {
            *out++ = static_cast<uint8_t>(Take(8));
            --n;
        }
        if (static_cast<size_t>(end_ - p_) < n) return false;
        for (size_t i = 0; i < n; ++i) out[i] = p_[i];
        p_ += n;
        return true;
    }
    bool Overrun() const { return padding_ > 0 && count_ < padding_; }
    // Bytes not yet turned into bits, with whole bytes still in the buffer given back.
    const uint8_t* Rest() const { return p_ - (count_ / 8 - padding_ / 8); }
    const uint8_t* End() const { return end_; }

private:
    void Fill(int n) {
        while (count_ < n) {
            uint64_t byte = 0;
            if (p_ < end_) {
                byte = *p_++;
            } else {
                padding_ += 8;
            }
            buffer_ |= byte << count_;
            count_ += 8;
        }
    }
    const uint8_t* p_;
    const uint8_t* end_;
    uint64_t buffer_ = 0;
    int count_ = 0;
    int padding_ = 0;  // zero bits added after the end, still counted in count_
};

// A canonical Huffman code as deflate builds it from code lengths.
class Huffman {
public:
    // False for an over-subscribed set of lengths; an incomplete set is allowed (deflate may
    // send a single distance code), its unused codes fail when met.
    bool Build(const uint8_t* lengths, int n) {
        counts_.fill(0);
        for (int i = 0; i < n; ++i) ++counts_[lengths[i]];
        counts_[0] = 0;
        int left = 1;
        for (int len = 1; len <= kMaxBits; ++len) {
            left = left * 2 - counts_[len];
            if (left < 0) return false;
        }
        std::array<uint16_t, kMaxBits + 2> offsets{};
        for (int len = 1; len <= kMaxBits; ++len) offsets[len + 1] = offsets[len] + counts_[len];
        for (int i = 0; i < n; ++i) {
            if (lengths[i]) symbols_[offsets[lengths[i]]++] = static_cast<uint16_t>(i);
        }
        // The short codes, bit-reversed as they arrive, fill every table slot they prefix.
        fast_.fill(0);
        int code = 0, index = 0;
        for (int len = 1; len <= kFastBits; ++len) {
            for (int k = 0; k < counts_[len]; ++k, ++code, ++index) {
                int reversed = 0;
                for (int b = 0; b < len; ++b) reversed |= ((code >> b) & 1) << (len - 1 - b);
                for (int fill = reversed; fill < (1 << kFastBits); fill += 1 << len) {
                    fast_[fill] = static_cast<uint16_t>((symbols_[index] << 4) | len);
                }
            }
            code <<= 1;
        }
        return true;
    }

    // The next symbol, or -1 for a code the set does not use.
    int Decode(BitReader& in) const {
        const uint16_t entry = fast_[in.Peek(kFastBits)];
        if (entry != 0) {
            in.Skip(entry & 15);
            return entry >> 4;
        }
        // Longer codes: walk the lengths as the canonical order defines them.
        const uint32_t bits = in.Peek(kMaxBits);
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= kMaxBits; ++len) {
            code |= static_cast<int>((bits >> (len - 1)) & 1);
            const int count = counts_[len];
            if (code - first < count) {
                in.Skip(len);
                return symbols_[index + code - first];
            }
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }

private:
    std::array<uint16_t, kMaxBits + 1> counts_{};
    std::array<uint16_t, 288> symbols_{};
    std::array<uint16_t, 1 << kFastBits> fast_{};  // symbol << 4 | length, 0 when longer
};

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                        33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                        1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Inflater {
public:
    Inflater(BitReader& in, std::vector<uint8_t>& out) : in_(in), out_(out) {}

    bool Run() {
        bool last = false;
        while (!last) {
            last = in_.Take(1) != 0;
            const uint32_t type = in_.Take(2);
            bool ok = false;
            if (type == 0) {
                ok = Stored();
            } else if (type == 1) {
                ok = Fixed();
            } else if (type == 2) {
                ok = Dynamic();
            }
            if (!ok || in_.Overrun()) return false;
        }
        return written_ == out_.size();
    }

private:
    bool Stored() {
        in_.AlignToByte();
        uint8_t header[4];
        if (!in_.TakeBytes(header, 4)) return false;
        const size_t len = header[0] | (header[1] << 8);
        const size_t nlen = header[2] | (header[3] << 8);
        if (len != (~nlen & 0xFFFF) || out_.size() - written_ < len) return false;
        if (!in_.TakeBytes(out_.data() + written_, len)) return false;
        written_ += len;
        return true;
    }

    bool Fixed() {
        uint8_t lengths[288 + 30];
        for (int i = 0; i < 144; ++i) lengths[i] = 8;
        for (int i = 144; i < 256; ++i) lengths[i] = 9;
        for (int i = 256; i < 280; ++i) lengths[i] = 7;
        for (int i = 280; i < 288; ++i) lengths[i] = 8;
        for (int i = 0; i < 30; ++i) lengths[288 + i] = 5;
        return literals_.Build(lengths, 288) && distances_.Build(lengths + 288, 30) && Codes();
    }

    bool Dynamic() {
        const int nlen = static_cast<int>(in_.Take(5)) + 257;
        const int ndist = static_cast<int>(in_.Take(5)) + 1;
        const int ncode = static_cast<int>(in_.Take(4)) + 4;
        if (nlen > 286 || ndist > 30) return false;
        static constexpr uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
        uint8_t codeLengths[19] = {};
        for (int i = 0; i < ncode; ++i) codeLengths[kOrder[i]] = static_cast<uint8_t>(in_.Take(3));
        Huffman lengthCode;
        if (!lengthCode.Build(codeLengths, 19)) return false;
        uint8_t lengths[286 + 30] = {};
        for (int i = 0; i < nlen + ndist;) {
            const int symbol = lengthCode.Decode(in_);
            if (symbol < 0) return false;
            if (symbol < 16) {
                lengths[i++] = static_cast<uint8_t>(symbol);
                continue;
            }
            uint8_t value = 0;
            int repeat = 0;
            if (symbol == 16) {
                if (i == 0) return false;
                value = lengths[i - 1];
                repeat = 3 + static_cast<int>(in_.Take(2));
            } else if (symbol == 17) {
                repeat = 3 + static_cast<int>(in_.Take(3));
            } else {
                repeat = 11 + static_cast<int>(in_.Take(7));
            }
            if (i + repeat > nlen + ndist) return false;
            while (repeat--) lengths[i++] = value;
            if (in_.Overrun()) return false;
        }
        if (lengths[256] == 0) return false;  // no end-of-block code
        return literals_.Build(lengths, nlen) && distances_.Build(lengths + nlen, ndist) && Codes();
    }

    bool Codes() {
        uint8_t* out = out_.data();
        const size_t size = out_.size();
        for (;;) {
            const int symbol = literals_.Decode(in_);
            if (symbol < 0 || in_.Overrun()) return false;
            if (symbol < 256) {
                if (written_ == size) return false;
                out[written_++] = static_cast<uint8_t>(symbol);
                continue;
            }
            if (symbol == 256) return true;
            const int li = symbol - 257;
            if (li >= 29) return false;
            const size_t length = kLengthBase[li] + in_.Take(kLengthExtra[li]);
            const int di = distances_.Decode(in_);
            if (di < 0 || di >= 30) return false;
            const size_t distance = kDistanceBase[di] + in_.Take(kDistanceExtra[di]);
            if (distance > written_ || size - written_ < length) return false;
            // Byte by byte: the copy may overlap what it is writing (runs).
            const uint8_t* from = out + written_ - distance;
            uint8_t* to = out + written_;
            for (size_t i = 0; i < length; ++i) to[i] = from[i];
            written_ += length;
        }
    }

    BitReader& in_;
    std::vector<uint8_t>& out_;
    size_t written_ = 0;
    Huffman literals_, distances_;
};

uint32_t Adler32(const uint8_t* data, size_t size) {
    uint32_t a = 1, b = 0;
    while (size > 0) {
        // The sums stay below 2^32 for this many bytes before they must be reduced.
        const size_t n = size < 5552 ? size : 5552;
        for (size_t i = 0; i < n; ++i) {
            a += data[i];
            b += a;
        }
        a %= 65521;
        b %= 65521;
        data += n;
        size -= n;
    }
    return (b << 16) | a;
}

}  // namespace

bool ZlibInflate(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    if (size < 6) return false;
    const unsigned cmf = data[0], flg = data[1];
    if ((cmf & 15) != 8 || (cmf >> 4) > 7 || ((cmf << 8) | flg) % 31 != 0 || (flg & 0x20) != 0) return false;
    BitReader in(data + 2, size - 2);
    if (!Inflater(in, out).Run()) return false;
    in.AlignToByte();
    const uint8_t* rest = in.Rest();
    if (in.End() - rest < 4) return false;
    const uint32_t expected =
        (uint32_t{rest[0]} << 24) | (uint32_t{rest[1]} << 16) | (uint32_t{rest[2]} << 8) | rest[3];
    return Adler32(out.data(), out.size()) == expected;
}

}  // namespace velmora
