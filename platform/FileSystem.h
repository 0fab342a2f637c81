#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct FileInfo {
    bool directory = false;
    bool hidden = false;
    bool system = false;
    bool readOnly = false;
    uint64_t size = 0;
};

class WritableFile {
public:
    virtual ~WritableFile() = default;
    virtual bool Write(const void* data, size_t size) = 0;
    virtual bool Close() = 0;
};

// Files and folders by full path with backslashes.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Attributes of a file or folder, or nothing when the path names neither.
    virtual std::optional<FileInfo> Stat(const std::string& path) = 0;
    // Creates the folder and every missing parent; true when the folder exists afterwards.
    virtual bool CreateDirectories(const std::string& path) = 0;
    virtual bool Copy(const std::string& from, const std::string& to, bool overwrite) = 0;
    // Replaces an existing destination.
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // Removes a folder that holds nothing; false for a file, a missing folder or one with
    // anything in it (hidden files included).
    virtual bool RemoveEmptyFolder(const std::string& path) = 0;
    // Removes a folder with everything in it, read-only entries included. A link inside (a
    // junction or symbolic link) goes as a link: what it points to is never touched, and a
    // path that is itself a link to a folder removes only the link. True when no folder is left
    // at the path afterwards (also when there was none); false for a file.
    virtual bool RemoveTree(const std::string& path) = 0;
    // Names (not paths) of the files directly in dir whose names match the wildcard pattern
    // ("*.jpg": * and ? as the shell uses them, letter case ignored); folders and entries with
    // the hidden or system attribute are left out.
    virtual std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) = 0;
    virtual std::unique_ptr<WritableFile> OpenForWrite(const std::string& path) = 0;
    virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
};

// A directory lookup for an ordinary file: true when the path names a file that is neither a
// folder nor hidden nor system (a hidden or system file therefore counts as missing).
bool OrdinaryFileExists(FileSystem& fs, const std::string& path);
// True for any file, hidden and system files included; false for folders.
bool AnyFileExists(FileSystem& fs, const std::string& path);
bool DirectoryExists(FileSystem& fs, const std::string& path);

// Wildcard match as the shell does it for file names: * and ?, letter case ignored.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

}  // namespace velmora
