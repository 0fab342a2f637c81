#include "kelpo/ClsIcon.h"

namespace velmora::kelpo {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

std::uint32_t Little(const std::string& b, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)])) << (8 * i);
    return value;
}

}  // namespace

bool ClsIcon::LoadFromData(const std::string& bytes) {
    bytes_.clear();
    entries_.clear();
    if (bytes.size() < kHeaderSize) return false;
    const std::size_t count = Little(bytes, 4, 2);
    if (count == 0 || bytes.size() < kHeaderSize + count * kEntrySize) return false;
    std::vector<IconEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + i * kEntrySize;
        IconEntry e;
        e.width = static_cast<int>(Little(bytes, at, 1));
        e.height = static_cast<int>(Little(bytes, at + 1, 1));
        e.colorCount = static_cast<int>(Little(bytes, at + 2, 1));
        e.bitCount = static_cast<int>(Little(bytes, at + 6, 2));
        e.length = Little(bytes, at + 8, 4);
        e.offset = Little(bytes, at + 12, 4);
        if (e.offset > bytes.size() || e.length > bytes.size() - e.offset) return false;
        entries.push_back(e);
    }
    bytes_ = bytes;
    entries_ = std::move(entries);
    return true;
}

bool ClsIcon::LoadFromFile(FileSystem& files, const std::string& path) {
    auto info = files.Stat(path);
    if (!info || info->directory) return false;
    auto bytes = files.ReadAll(path);
    return bytes && LoadFromData(*bytes);
}

const IconEntry* ClsIcon::Entry(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &entries_[static_cast<std::size_t>(index)];
}

int ClsIcon::Width(int index) const { return Entry(index) ? Entry(index)->width : 0; }
int ClsIcon::Height(int index) const { return Entry(index) ? Entry(index)->height : 0; }
int ClsIcon::ColorCount(int index) const { return Entry(index) ? Entry(index)->colorCount : 0; }
int ClsIcon::BitCount(int index) const { return Entry(index) ? Entry(index)->bitCount : 0; }
std::uint32_t ClsIcon::Length(int index) const { return Entry(index) ? Entry(index)->length : 0; }

std::string ClsIcon::Data(int index) const {
    const IconEntry* e = Entry(index);
    if (!e) return {};
    return bytes_.substr(e->offset, e->length);
}

}  // namespace velmora::kelpo
