#include "ui/Inflate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

// Streams made by zlib itself.
const std::vector<uint8_t> kFixedAbc = {0x78, 0xda, 0x4b, 0x4c, 0x4a, 0x4e, 0x84, 0x21, 0x00,
                                        0x1d, 0xe0, 0x04, 0x99};  // "abc" x 4: copies 3 back
const std::vector<uint8_t> kRunOfA = {0x78, 0xda, 0x4b, 0x4c, 0x24, 0x0e, 0x00, 0x00,
                                      0x36, 0xeb, 0x0f, 0x29};  // 40 x "a": a copy overlapping itself
const std::vector<uint8_t> kDynamicText = {
    0x78, 0xda, 0xe5, 0x8c, 0x57, 0x01, 0x80, 0x20, 0x14, 0x45, 0xab, 0xdc, 0x04, 0x16, 0xb0, 0x86, 0x05,
    0x40, 0x59, 0x0e, 0x1e, 0x1b, 0x21, 0xbd, 0xaf, 0x87, 0xdf, 0x67, 0x6c, 0x56, 0x21, 0x56, 0xb7, 0x5f,
    0x90, 0x89, 0xba, 0x87, 0xa6, 0x17, 0x67, 0x7d, 0x42, 0x06, 0x35, 0x95, 0x50, 0x18, 0xdf, 0x62, 0x0e,
    0x1c, 0x64, 0x56, 0x04, 0xc1, 0xde, 0x33, 0x20, 0x59, 0xea, 0xae, 0x58, 0x68, 0xd7, 0x14, 0xa3, 0xa9,
    0x3c, 0x6e, 0x17, 0x2b, 0x25, 0x6e, 0x4d, 0x5e, 0xb0, 0xfd, 0xfe, 0xfa, 0x01, 0xd3, 0xd5, 0x7c, 0x2d};
// A stored block by hand: header, last block of type 0, length and its complement, bytes, Adler-32.
const std::vector<uint8_t> kStoredAbc = {0x78, 0x01, 0x01, 0x03, 0x00, 0xfc, 0xff, 'a',
                                         'b',  'c',  0x02, 0x4d, 0x01, 0x27};

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

std::optional<std::string> Inflate(const std::vector<uint8_t>& stream, size_t size) {
    std::vector<uint8_t> out(size);
    if (!ZlibInflate(stream.data(), stream.size(), out)) return std::nullopt;
    return std::string(out.begin(), out.end());
}

TEST(Inflate, UnpacksEveryKindOfBlock) {
    const std::string text =
        Repeat("The quick brown fox jumps over the lazy dog; pack my box with five dozen liquor jugs. ", 4);
    struct Case {
        const char* name;
        const std::vector<uint8_t>& stream;
        std::string expected;
    } cases[] = {
        {"stored", kStoredAbc, "abc"},
        {"fixed codes", kFixedAbc, Repeat("abc", 4)},
        {"overlapping copy", kRunOfA, std::string(40, 'a')},
        {"dynamic codes", kDynamicText, text},
    };
    for (const Case& c : cases) EXPECT_EQ(Inflate(c.stream, c.expected.size()), c.expected) << c.name;
}

// Writes deflate bits: fields from their low bit, Huffman codes from their high bit.
class Bits {
public:
    Bits() : bytes_{0x78, 0x01} {}
    Bits& Field(uint32_t value, int n) {
        for (int i = 0; i < n; ++i) Put((value >> i) & 1);
        return *this;
    }
    Bits& Code(uint32_t code, int n) {
        for (int i = n - 1; i >= 0; --i) Put((code >> i) & 1);
        return *this;
    }
    std::vector<uint8_t> Done() {
        std::vector<uint8_t> out = bytes_;
        out.insert(out.end(), {0, 0, 0, 0, 0});  // room for a checksum that is never reached
        return out;
    }

private:
    void Put(uint32_t bit) {
        if (used_ == 0) bytes_.push_back(0);
        bytes_.back() = static_cast<uint8_t>(bytes_.back() | (bit << used_));
        used_ = (used_ + 1) % 8;
    }
    std::vector<uint8_t> bytes_;
    int used_ = 0;
};

TEST(Inflate, RefusesDamagedStreams) {
    std::vector<uint8_t> badChecksum = kFixedAbc;
    badChecksum.back() ^= 1;
    std::vector<uint8_t> truncated(kDynamicText.begin(), kDynamicText.end() - 10);
    std::vector<uint8_t> otherMethod = kStoredAbc;
    otherMethod[0] = 0x79;
    std::vector<uint8_t> badHeaderCheck = kStoredAbc;
    badHeaderCheck[1] = 0x02;
    std::vector<uint8_t> presetDictionary = {0x78, 0xbb, 0, 0, 0, 0, 0, 0};
    std::vector<uint8_t> lengthMismatch = kStoredAbc;
    lengthMismatch[5] = 0xfd;
    // Fixed codes: "a", then a copy of 3 from 2 back, where there is only 1 byte.
    const std::vector<uint8_t> tooFarBack = Bits().Field(1, 1).Field(1, 2).Code(0x91, 8).Code(1, 7).Code(1, 5).Done();
    const std::vector<uint8_t> blockType3 = Bits().Field(1, 1).Field(3, 2).Done();
    const std::vector<uint8_t> literal286 = Bits().Field(1, 1).Field(1, 2).Code(0xc6, 8).Done();
    struct Case {
        const char* name;
        std::vector<uint8_t> stream;
        size_t size;
    } cases[] = {
        {"checksum", badChecksum, 12},
        {"truncated", truncated, 344},
        {"not deflate", otherMethod, 3},
        {"header check", badHeaderCheck, 3},
        {"preset dictionary", presetDictionary, 3},
        {"stored length", lengthMismatch, 3},
        {"copy before the start", tooFarBack, 4},
        {"block type 3", blockType3, 1},
        {"literal 286", literal286, 1},
        {"shorter than said", kStoredAbc, 4},
        {"longer than said", kFixedAbc, 11},
    };
    for (const Case& c : cases) EXPECT_FALSE(Inflate(c.stream, c.size)) << c.name;
}

}  // namespace
}  // namespace velmora
