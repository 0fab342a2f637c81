#pragma once
// Picture files: decode, measure, scale, and write back as BMP or JPEG.
#include <memory>
#include <optional>
#include <string>

namespace velmora {

// A decoded picture; what it holds is the implementation's own.
class DecodedPicture {
public:
    virtual ~DecodedPicture() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

// Files are read and written through the platform's file system, so the same rules about
// system folders apply as to every other file the program touches.
class Pictures {
public:
    virtual ~Pictures() = default;
    // JPEG, BMP and PNG at least. Nothing when the file is missing or is not a picture
    // the system can decode.
    virtual std::unique_ptr<DecodedPicture> Load(const std::string& path) = 0;
    // A copy drawn at the given size.
    virtual std::unique_ptr<DecodedPicture> Scaled(const DecodedPicture& picture, int width, int height) = 0;
    // 24-bit BMP data, replacing any file at the path, whatever its extension.
    virtual bool SaveBmp(const DecodedPicture& picture, const std::string& path) = 0;
    // JPEG with a quality of 1 (smallest) to 100 (best). Wine's GDI+ ignores the quality, so a
    // caller that must fit a size limit also scales the picture down.
    virtual std::optional<std::string> EncodeJpeg(const DecodedPicture& picture, int quality) = 0;
    virtual bool SaveJpeg(const DecodedPicture& picture, const std::string& path, int quality) = 0;
};

}  // namespace velmora
