#include "platform/posix/PosixFileSystem.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace velmora::posix {

std::string PosixFileSystem::Native(const std::string& path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        const char n = c == '\\' ? '/' : c;
        if (n == '/' && !out.empty() && out.back() == '/') continue;
        out += n;
    }
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    return out;
}

std::optional<FileInfo> PosixFileSystem::Stat(const std::string& path) {
    std::error_code ec;
    const fs::path p = Native(path);
    const auto status = fs::status(p, ec);
    if (ec || !fs::exists(status)) return std::nullopt;
    FileInfo info;
    info.directory = fs::is_directory(status);
    if (!info.directory) {
        info.size = fs::file_size(p, ec);
        info.readOnly = (status.permissions() & fs::perms::owner_write) == fs::perms::none;
    }
    return info;
}

bool PosixFileSystem::CreateDirectories(const std::string& path) {
    std::error_code ec;
    fs::create_directories(Native(path), ec);
    return fs::is_directory(Native(path), ec);
}

bool PosixFileSystem::Copy(const std::string& from, const std::string& to, bool overwrite) {
    std::error_code ec;
    const auto options = overwrite ? fs::copy_options::overwrite_existing : fs::copy_options::none;
    return fs::copy_file(Native(from), Native(to), options, ec) && !ec;
}

bool PosixFileSystem::Move(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(Native(from), Native(to), ec);
    return !ec;
}

bool PosixFileSystem::Remove(const std::string& path) {
    const auto info = Stat(path);
    if (!info || info->directory || info->readOnly) return false;
    std::error_code ec;
    return fs::remove(Native(path), ec);
}

bool PosixFileSystem::RemoveEmptyFolder(const std::string& path) {
    const auto info = Stat(path);
    std::error_code ec;
    if (!info || !info->directory || !fs::is_empty(Native(path), ec) || ec) return false;
    return fs::remove(Native(path), ec) && !ec;
}

namespace {

// Lets the owner change every folder below dir, dir included, without following a link.
void OpenUpFolders(const fs::path& dir) {
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e;
        if (it->symlink_status(e).type() == fs::file_type::directory) OpenUpFolders(it->path());
    }
}

}  // namespace

bool PosixFileSystem::RemoveTree(const std::string& path) {
    std::error_code ec;
    const fs::path p = Native(path);
    const auto self = fs::symlink_status(p, ec);
    if (self.type() == fs::file_type::not_found) return true;
    if (ec) return false;
    if (fs::is_symlink(self)) {
        // A link to a folder goes by itself; one to anything else is a file.
        if (!fs::is_directory(fs::status(p, ec))) return false;
        fs::remove(p, ec);
    } else if (fs::is_directory(self)) {
        OpenUpFolders(p);
        fs::remove_all(p, ec);
    } else {
        return false;
    }
    return fs::symlink_status(p, ec).type() == fs::file_type::not_found;
}

std::vector<std::string> PosixFileSystem::ListFiles(const std::string& dir, const std::string& pattern) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(Native(dir), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec)) continue;
        const std::string name = it->path().filename().string();
        if (!MatchesWildcard(name, pattern)) continue;
        const auto info = Stat(it->path().string());
        if (!info || info->hidden || info->system) continue;
        names.push_back(name);
    }
    return names;
}

namespace {

class StreamFile : public WritableFile {
public:
    explicit StreamFile(const std::string& path) : out_(path, std::ios::binary | std::ios::trunc) {}
    bool ok() const { return out_.is_open(); }
    bool Write(const void* data, size_t size) override {
        out_.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        return static_cast<bool>(out_);
    }
    bool Close() override {
        out_.close();
        return !out_.fail();
    }

private:
    std::ofstream out_;
};

}  // namespace

std::unique_ptr<WritableFile> PosixFileSystem::OpenForWrite(const std::string& path) {
    const auto info = Stat(path);
    if (info && info->readOnly) return nullptr;
    auto file = std::make_unique<StreamFile>(Native(path));
    if (!file->ok()) return nullptr;
    return file;
}

std::optional<std::string> PosixFileSystem::ReadAll(const std::string& path) {
    std::ifstream in(Native(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace velmora::posix
