#pragma once
// Pictures through GDI+, which every Windows XP has.
#include "platform/FileSystem.h"
#include "platform/Pictures.h"

namespace velmora::win32 {

class Win32Pictures : public Pictures {
public:
    explicit Win32Pictures(FileSystem& files) : files_(files) {}
    std::unique_ptr<DecodedPicture> Load(const std::string& path) override;
    std::unique_ptr<DecodedPicture> Scaled(const DecodedPicture& picture, int width, int height) override;
    bool SaveBmp(const DecodedPicture& picture, const std::string& path) override;
    std::optional<std::string> EncodeJpeg(const DecodedPicture& picture, int quality) override;
    bool SaveJpeg(const DecodedPicture& picture, const std::string& path, int quality) override;

private:
    bool WriteFile(const std::string& path, const std::optional<std::string>& bytes);
    FileSystem& files_;
};

// Starts GDI+ once for the process; safe to call often.
bool StartGdiplusOnce();

}  // namespace velmora::win32
