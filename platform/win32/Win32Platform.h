#pragma once
// The real Windows behind the platform interfaces.
#include <windows.h>

#include "platform/Platform.h"

namespace velmora::win32 {

class Win32Registry : public Registry {
public:
    bool WriteString(const std::string& path, const std::string& value) override;
    bool WriteExpandString(const std::string& path, const std::string& value) override;
    bool WriteUnterminatedString(const std::string& path, const std::string& value) override;
    bool WriteDword(const std::string& path, uint32_t value) override;
    std::optional<std::string> ReadString(const std::string& path) override;
    std::optional<uint32_t> ReadDword(const std::string& path) override;
    bool DeleteValue(const std::string& path) override;
    bool DeleteKey(const std::string& keyPath) override;
};

class Win32ProfileStore : public ProfileStore {
public:
    std::string Read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& defaultValue, size_t bufferChars) override;
    bool Write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;
};

class Win32FileSystem : public FileSystem {
public:
    std::optional<FileInfo> Stat(const std::string& path) override;
    bool CreateDirectories(const std::string& path) override;
    bool Copy(const std::string& from, const std::string& to, bool overwrite) override;
    bool Move(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool RemoveEmptyFolder(const std::string& path) override;
    bool RemoveTree(const std::string& path) override;
    std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) override;
    std::unique_ptr<WritableFile> OpenForWrite(const std::string& path) override;
    std::optional<std::string> ReadAll(const std::string& path) override;
};

class Win32Environment : public Environment {
public:
    std::optional<std::string> Variable(const std::string& name) override;
    std::string ProgramDirectory() override;
    std::string ExecutableBaseName() override;
};

class Win32SystemInfo : public SystemInfo {
public:
    std::optional<std::string> OsVersion() override;
    bool IsConnected() override;
};

class Win32Dialogs : public Dialogs {
public:
    MessageResult ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons) override;
};

class Win32CodePage : public CodePage {
public:
    std::string ToSystem(const std::string& utf8) override;
    std::string FromSystem(const std::string& bytes) override;
};

// One process-wide set, created on first use.
Platform& RealPlatform();

// While alive, file-system redirection of a 32-bit process on 64-bit Windows is off for this
// thread, so System32 means the real one. Does nothing where there is no redirection.
class ScopedNoFsRedirection {
public:
    ScopedNoFsRedirection();
    ~ScopedNoFsRedirection();
    ScopedNoFsRedirection(const ScopedNoFsRedirection&) = delete;
    ScopedNoFsRedirection& operator=(const ScopedNoFsRedirection&) = delete;

private:
    void* old_ = nullptr;
    bool active_ = false;
};

}  // namespace velmora::win32
