#pragma once
// Picture files for the tile tests and the tile benchmark: drawn pixel by pixel and encoded by
// GDI+'s own encoders, in a temporary folder of their own.
#include <cstdint>
#include <functional>
#include <string>

namespace velmora::tiletest {

// Colour of pixel (x, y) as 0xAARRGGBB.
using PixelColour = std::function<std::uint32_t(int x, int y)>;

// The picture encoded as mime ("image/jpeg", "image/png"); empty when GDI+ cannot.
std::string EncodePicture(int width, int height, const PixelColour& colour, const wchar_t* mime);

// A fresh folder under the temporary folder (UTF-8 path), removed with its files at the end.
class TempFolder {
  public:
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    // Writes a file into the folder; its full path, or empty when it could not be written.
    std::string Write(const std::string& name, const std::string& bytes) const;

  private:
    std::string path_;
};

}  // namespace velmora::tiletest
