#pragma once
// Files kept in memory, so a fuzz run touches no disk.
#include <map>
#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/System.h"

namespace velmora::download::fuzzing {

class MemoryFiles : public FileSystem {
public:
    std::optional<FileInfo> Stat(const std::string& path) override {
        const auto it = files_.find(path);
        if (it == files_.end()) return std::nullopt;
        FileInfo info;
        info.size = it->second->size();
        return info;
    }
    bool CreateDirectories(const std::string&) override { return true; }
    bool Copy(const std::string&, const std::string&, bool) override { return false; }
    bool Move(const std::string& from, const std::string& to) override {
        const auto it = files_.find(from);
        if (it == files_.end()) return false;
        files_[to] = it->second;
        files_.erase(from);
        return true;
    }
    bool Remove(const std::string& path) override { return files_.erase(path) > 0; }
    bool RemoveEmptyFolder(const std::string&) override { return false; }
    // Folders are only the prefixes of the files' paths here.
    bool RemoveTree(const std::string& path) override {
        if (files_.count(path) > 0) return false;
        const std::string prefix = !path.empty() && path.back() == '\\' ? path : path + "\\";
        auto it = files_.lower_bound(prefix);
        while (it != files_.end() && it->first.compare(0, prefix.size(), prefix) == 0) it = files_.erase(it);
        return true;
    }
    std::vector<std::string> ListFiles(const std::string&, const std::string&) override { return {}; }
    std::unique_ptr<WritableFile> OpenForWrite(const std::string& path) override {
        auto content = std::make_shared<std::string>();
        files_[path] = content;
        return std::make_unique<File>(content);
    }
    std::optional<std::string> ReadAll(const std::string& path) override {
        const auto it = files_.find(path);
        if (it == files_.end()) return std::nullopt;
        return *it->second;
    }

private:
    class File : public WritableFile {
    public:
        explicit File(std::shared_ptr<std::string> content) : content_(std::move(content)) {}
        bool Write(const void* data, size_t size) override {
            content_->append(static_cast<const char*>(data), size);
            return true;
        }
        bool Close() override { return true; }

    private:
        std::shared_ptr<std::string> content_;
    };
    std::map<std::string, std::shared_ptr<std::string>> files_;
};

}  // namespace velmora::download::fuzzing
