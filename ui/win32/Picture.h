#pragma once
// Pictures (JPEG, PNG with alpha, BMP), kept as GDI bitmaps: drawn at their own size they are a
// plain copy or an alpha blend. The skin's PNG and JPEG files are decoded by the program itself,
// anything else through GDI+, which Windows XP has.
#include <windows.h>

#include <memory>
#include <string>

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
    // Every pixel fully covers what lies under it.
    bool Opaque() const { return opaque_; }
    // Draws the picture scaled into the rectangle, blending by its alpha channel.
    void Draw(HDC hdc, int x, int y, int w, int h) const;
    // The same for the part of the picture in source (one picture of a strip).
    void DrawPart(HDC hdc, int x, int y, int w, int h, const RECT& source) const;

private:
    Picture(HBITMAP bitmap, void* pixels, int width, int height, bool opaque)
        : bitmap_(bitmap), pixels_(pixels), width_(width), height_(height), opaque_(opaque) {}
    static std::unique_ptr<Picture> FromGdiplus(const std::string& bytes);
    void DrawScaled(HDC hdc, int x, int y, int w, int h, const RECT& source) const;
    HBITMAP bitmap_;  // 32 bits a pixel, alpha premultiplied, top row first
    void* pixels_;    // the bitmap's own pixels
    int width_, height_;
    bool opaque_;
};

// Starts GDI+ once for the process; safe to call often.
bool StartGdiplus();

}  // namespace velmora
