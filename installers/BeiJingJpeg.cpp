#include "installers/BeiJingJpeg.h"

#include <memory>

namespace velmora {

namespace {

constexpr int kZuiGaoZhiLiang = 90, kZuiDiZhiLiang = 40, kZhiLiangBu = 10;
// Each shrink keeps four fifths of the width and height; below this nothing is left to show.
constexpr int kZuiXiaoBian = 64;
const char kBiaoJi[] = "Velmora logon background";

}  // namespace

std::optional<std::string> YaSuoBeiJing(Pictures& pictures, const DecodedPicture& picture, size_t limit) {
    // The comment segment goes in too; leave room for it.
    const size_t overhead = sizeof kBiaoJi + 3;
    if (limit <= overhead) return std::nullopt;
    const size_t room = limit - overhead;
    for (int quality = kZuiGaoZhiLiang; quality >= kZuiDiZhiLiang; quality -= kZhiLiangBu) {
        auto jpeg = pictures.EncodeJpeg(picture, quality);
        if (!jpeg) return std::nullopt;
        if (jpeg->size() <= room) return jpeg;
    }
    int width = picture.Width(), height = picture.Height();
    for (;;) {
        width = width * 4 / 5;
        height = height * 4 / 5;
        if (width < kZuiXiaoBian || height < kZuiXiaoBian) return std::nullopt;
        const std::unique_ptr<DecodedPicture> smaller = pictures.Scaled(picture, width, height);
        if (!smaller) return std::nullopt;
        auto jpeg = pictures.EncodeJpeg(*smaller, kZuiDiZhiLiang);
        if (!jpeg) return std::nullopt;
        if (jpeg->size() <= room) return jpeg;
    }
}

std::string BiaoJiBeiJing(const std::string& jpeg) {
    if (jpeg.size() < 2 || static_cast<unsigned char>(jpeg[0]) != 0xFF || static_cast<unsigned char>(jpeg[1]) != 0xD8) {
        return jpeg;
    }
    const size_t length = sizeof kBiaoJi - 1 + 2;  // the length field counts itself
    std::string segment = "\xFF\xFE";
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xFF);
    segment.append(kBiaoJi, sizeof kBiaoJi - 1);
    return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

bool ShiBenChengXuBeiJing(const std::string& bytes) {
    const std::string marked = BiaoJiBeiJing("\xFF\xD8");
    return bytes.size() >= marked.size() && bytes.compare(0, marked.size(), marked) == 0;
}

}  // namespace velmora
