#pragma once
// Pictures for the native tests. A file decodes when it begins with the signature of a JPEG,
// BMP, PNG or GIF file; its size is the one written by FakePicture, else 640 x 480. Saved
// pictures are fake files of the same kind, so they decode again, and every save is recorded.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Pictures.h"

namespace velmora::testing {

enum class PictureFormat { Jpeg, Bmp, Png, Gif };

// The bytes of a fake picture file of that kind and size, padded to at least minBytes.
std::string FakePicture(PictureFormat format, int width, int height, size_t minBytes = 0);

class TestPictures : public Pictures {
public:
    explicit TestPictures(FileSystem& files) : files_(files) {}
    std::unique_ptr<DecodedPicture> Load(const std::string& path) override;
    std::unique_ptr<DecodedPicture> Scaled(const DecodedPicture& picture, int width, int height) override;
    bool SaveBmp(const DecodedPicture& picture, const std::string& path) override;
    std::optional<std::string> EncodeJpeg(const DecodedPicture& picture, int quality) override;
    bool SaveJpeg(const DecodedPicture& picture, const std::string& path, int quality) override;

    struct Saved {
        std::string path;
        PictureFormat format;
        int quality;  // 0 for BMP
        int width, height;
        bool written;
    };
    std::vector<std::string> loaded;  // every path asked for, decodable or not
    std::vector<Saved> saved;
    // How many bytes a JPEG of that size and quality takes; by default about a tenth of its
    // 24-bit pixels at quality 100, falling linearly with the quality.
    std::function<size_t(int width, int height, int quality)> jpegBytes = [](int w, int h, int q) {
        return static_cast<size_t>(w) * static_cast<size_t>(h) * 3u * static_cast<size_t>(q) / 1000u;
    };

private:
    FileSystem& files_;
};

}  // namespace velmora::testing
