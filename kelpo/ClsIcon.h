#pragma once
// Reader of the icon file format: a private copy of the file and its directory. Every count,
// offset and length is checked against the bytes held: a broken file loads as false and is
// never read outside its data. Drawing an image is in ClsIcon_win.h.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace velmora::kelpo {

struct IconEntry {
    int width = 0;       // as stored: 0 stays 0
    int height = 0;
    int colorCount = 0;
    int bitCount = 0;
    std::uint32_t length = 0;
    std::uint32_t offset = 0;
};

class ClsIcon {
public:
    // Keeps a copy of the bytes and reads the directory; true when it holds at least one image
    // and every image lies inside the data.
    bool LoadFromData(const std::string& bytes);
    // False for a missing file; otherwise LoadFromData of its bytes.
    bool LoadFromFile(FileSystem& files, const std::string& path);

    int Count() const { return static_cast<int>(entries_.size()); }
    // Directory fields of image index; 0 for an index outside 0 ... Count - 1.
    int Width(int index) const;
    int Height(int index) const;
    int ColorCount(int index) const;
    int BitCount(int index) const;
    std::uint32_t Length(int index) const;
    // The image's data bytes; empty for an index outside the directory.
    std::string Data(int index) const;

private:
    const IconEntry* Entry(int index) const;

    std::string bytes_;
    std::vector<IconEntry> entries_;
};

}  // namespace velmora::kelpo
