#pragma once
// In-process stand-ins for Windows, for the native tests: an in-memory registry, temporary
// folders as program and Windows directory, recorded message boxes, fake pictures and recorded
// desktop calls.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/testing/Doubles.h"
#include "platform/testing/RecordingDesktopCalls.h"
#include "platform/testing/TestPictures.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/testing/TestShell.h"

namespace velmora::testing {

class MemoryRegistry : public Registry {
public:
    bool WriteString(const std::string& path, const std::string& value) override;
    bool WriteExpandString(const std::string& path, const std::string& value) override;
    bool WriteUnterminatedString(const std::string& path, const std::string& value) override;
    bool WriteDword(const std::string& path, uint32_t value) override;
    std::optional<std::string> ReadString(const std::string& path) override;
    std::optional<uint32_t> ReadDword(const std::string& path) override;
    bool DeleteValue(const std::string& path) override;
    bool DeleteKey(const std::string& keyPath) override;

    bool KeyExists(const std::string& keyPath) const;
    // "REG_SZ", "REG_EXPAND_SZ" or "REG_DWORD"; empty when there is no such value.
    std::string ValueType(const std::string& path) const;
    // Whether a string value was stored with its terminating NUL; nothing for no string value.
    std::optional<bool> Terminated(const std::string& path) const;

private:
    enum class Type { String, ExpandString, Dword };
    struct Value {
        Type type = Type::String;
        std::string text;
        uint32_t number = 0;
        bool terminated = true;
    };
    bool Put(const std::string& path, const Value& v);
    const Value* Find(const std::string& path) const;
    // Keyed by the lower-case "root\key" and the lower-case value name.
    std::map<std::string, std::map<std::string, Value>> keys_;
};

// Real folders below a temporary root, by the program's backslash paths ("/tmp/x\Download\...").
// The hidden, system and read-only attributes, which POSIX has not, are kept beside the files.
class TempFileSystem : public posix::PosixFileSystem {
public:
    std::optional<FileInfo> Stat(const std::string& path) override;
    bool Move(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    // Forced: the kept attributes of what was below the folder go with it.
    bool RemoveTree(const std::string& path) override;

    void SetAttributes(const std::string& path, bool hidden, bool system, bool readOnly = false);
    bool WriteText(const std::string& path, const std::string& text);

private:
    struct Attributes {
        bool hidden = false, system = false, readOnly = false;
    };
    std::map<std::string, Attributes> attributes_;
};

// Private-profile files on top of the file system, with the platform's text rules. A bare file
// name ("Win.ini") is found in the Windows directory, as the platform does.
class IniProfileStore : public ProfileStore {
public:
    explicit IniProfileStore(FileSystem& fs) : fs_(fs) {}
    std::string windowsDirectory;
    std::string Read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& defaultValue, size_t bufferChars) override;
    bool Write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;

private:
    std::string Resolve(const std::string& file) const;
    FileSystem& fs_;
};

class FakeEnvironment : public Environment {
public:
    std::optional<std::string> Variable(const std::string& name) override;
    std::string ProgramDirectory() override { return programDirectory; }
    std::string ExecutableBaseName() override { return "Velmora"; }

    std::map<std::string, std::string> variables;
    std::string programDirectory;
};

class FakeSystemInfo : public SystemInfo {
public:
    std::optional<std::string> OsVersion() override { return version; }
    bool IsConnected() override { return connected; }

    std::optional<std::string> version = std::string("5.1.2600");
    bool connected = true;
};

// Everything together, over a fresh temporary folder that holds the program directory
// ("prog") and the Windows directory ("windows"); removed again on destruction.
class TestPlatform {
public:
    TestPlatform();
    ~TestPlatform();
    TestPlatform(const TestPlatform&) = delete;
    TestPlatform& operator=(const TestPlatform&) = delete;

    const std::string& root() const { return root_; }
    std::string ProgramPath(const std::string& relative) const { return environment.programDirectory + relative; }

    MemoryRegistry registry;
    TempFileSystem files;
    IniProfileStore profile{files};
    FakeEnvironment environment;
    FakeSystemInfo system;
    RecordingDialogs dialogs;
    IdentityCodePage codePage;
    TestPictures pictures{files};
    RecordingDesktopCalls desktop{files};
    FakeDrives drives;
    RecordingProcesses processes;
    FakeIconFiles iconFiles;
    Platform platform{registry, profile, files, environment, system, dialogs, codePage, pictures, desktop,
                      drives, processes, iconFiles};

private:
    std::string root_;
};

}  // namespace velmora::testing
