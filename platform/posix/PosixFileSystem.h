#pragma once
// Files and folders on a POSIX system by the program's own paths, in which backslashes are
// separators ("/home/u/prog\Download\a.jpg"). POSIX knows no hidden or system attribute, so
// both are always false; read-only is a file without the owner's write permission.
#include "platform/FileSystem.h"

namespace velmora::posix {

class PosixFileSystem : public FileSystem {
public:
    std::optional<FileInfo> Stat(const std::string& path) override;
    bool CreateDirectories(const std::string& path) override;
    bool Copy(const std::string& from, const std::string& to, bool overwrite) override;
    bool Move(const std::string& from, const std::string& to) override;
    // Refuses folders and read-only files, as the Windows file deletion does.
    bool Remove(const std::string& path) override;
    bool RemoveEmptyFolder(const std::string& path) override;
    // Folders without write permission inside are opened up first, as the read-only attribute
    // keeps nothing from being deleted on Windows; symbolic links are never followed.
    bool RemoveTree(const std::string& path) override;
    // Leaves out what Stat reports hidden or system.
    std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) override;
    // Nothing for a read-only file, even when the process could write it (as root).
    std::unique_ptr<WritableFile> OpenForWrite(const std::string& path) override;
    std::optional<std::string> ReadAll(const std::string& path) override;

    // The POSIX path: backslashes as slashes, repeated and trailing separators dropped.
    static std::string Native(const std::string& path);
};

}  // namespace velmora::posix
