#pragma once
// Pictures (JPEG, PNG with alpha, BMP) through GDI+, which Windows XP has.
#include <windows.h>

#include <memory>
#include <string>

struct IStream;

namespace velmora {
class FileSystem;
}

namespace velmora {

class Picture {
public:
    // Reads the whole file first, so the file is never kept open or locked. Null on failure.
    static std::unique_ptr<Picture> Load(FileSystem& files, const std::string& path);
    // From the bytes of a picture file; null when they do not decode.
    static std::unique_ptr<Picture> FromBytes(const std::string& bytes);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Draws the picture scaled into the rectangle, blending by its alpha channel.
    void Draw(HDC hdc, int x, int y, int w, int h) const;

private:
    Picture(void* image, IStream* stream, int width, int height)
        : image_(image), stream_(stream), width_(width), height_(height) {}
    void* image_;       // GpImage
    IStream* stream_;   // the bytes the image decodes from, alive as long as it is
    int width_, height_;
};

// Starts GDI+ once for the process; safe to call often.
bool StartGdiplus();

}  // namespace velmora
