#include "platform/testing/TestPictures.h"

#include <cstdio>

#include "platform/Strings.h"

namespace velmora::testing {

namespace {

const char* Signature(PictureFormat f) {
    switch (f) {
        case PictureFormat::Jpeg: return "\xFF\xD8\xFF";
        case PictureFormat::Bmp: return "BM";
        case PictureFormat::Png: return "\x89PNG\r\n\x1A\n";
        case PictureFormat::Gif: return "GIF89a";
    }
    return "";
}

constexpr char kSizeTag[] = "VELMORA-TEST-PICTURE ";

class FakeDecoded : public DecodedPicture {
public:
    FakeDecoded(int w, int h) : w_(w), h_(h) {}
    int Width() const override { return w_; }
    int Height() const override { return h_; }

private:
    int w_, h_;
};

}  // namespace

std::string FakePicture(PictureFormat format, int width, int height, size_t minBytes) {
    std::string bytes = Signature(format);
    bytes += kSizeTag + std::to_string(width) + " " + std::to_string(height) + "\n";
    if (bytes.size() < minBytes) bytes.resize(minBytes, '\0');
    return bytes;
}

std::unique_ptr<DecodedPicture> TestPictures::Load(const std::string& path) {
    loaded.push_back(path);
    const auto bytes = files_.ReadAll(path);
    if (!bytes) return nullptr;
    bool known = false;
    for (PictureFormat f : {PictureFormat::Jpeg, PictureFormat::Bmp, PictureFormat::Png, PictureFormat::Gif}) {
        known = known || StartsWith(*bytes, Signature(f));
    }
    if (!known) return nullptr;
    int w = 640, h = 480;
    const size_t tag = bytes->find(kSizeTag);
    if (tag != std::string::npos &&
        std::sscanf(bytes->c_str() + tag + sizeof kSizeTag - 1, "%d %d", &w, &h) != 2) {
        return nullptr;
    }
    if (w <= 0 || h <= 0) return nullptr;
    return std::make_unique<FakeDecoded>(w, h);
}

std::unique_ptr<DecodedPicture> TestPictures::Scaled(const DecodedPicture&, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    return std::make_unique<FakeDecoded>(width, height);
}

bool TestPictures::SaveBmp(const DecodedPicture& picture, const std::string& path) {
    const std::string bytes = FakePicture(PictureFormat::Bmp, picture.Width(), picture.Height());
    auto out = files_.OpenForWrite(path);
    const bool ok = out && out->Write(bytes.data(), bytes.size()) && out->Close();
    saved.push_back(Saved{path, PictureFormat::Bmp, 0, picture.Width(), picture.Height(), ok});
    return ok;
}

std::optional<std::string> TestPictures::EncodeJpeg(const DecodedPicture& picture, int quality) {
    if (quality < 1) quality = 1;
    if (quality > 100) quality = 100;
    return FakePicture(PictureFormat::Jpeg, picture.Width(), picture.Height(),
                       jpegBytes(picture.Width(), picture.Height(), quality));
}

bool TestPictures::SaveJpeg(const DecodedPicture& picture, const std::string& path, int quality) {
    const auto bytes = EncodeJpeg(picture, quality);
    auto out = files_.OpenForWrite(path);
    const bool ok = bytes && out && out->Write(bytes->data(), bytes->size()) && out->Close();
    saved.push_back(Saved{path, PictureFormat::Jpeg, quality, picture.Width(), picture.Height(), ok});
    return ok;
}

}  // namespace velmora::testing
