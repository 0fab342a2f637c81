#include "platform/testing/TestPlatform.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "platform/IniText.h"
#include "platform/Strings.h"

namespace fs = std::filesystem;

namespace velmora::testing {

// ---- MemoryRegistry

namespace {

std::string RootName(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::ClassesRoot: return "hkcr";
        case RegistryRoot::CurrentUser: return "hkcu";
        case RegistryRoot::LocalMachine: return "hklm";
        case RegistryRoot::Users: return "hku";
        case RegistryRoot::CurrentConfig: return "hkcc";
    }
    return "";
}

std::string KeyId(const RegistryPath& p) { return ToLowerAscii(RootName(p.root) + "\\" + p.key); }

}  // namespace

bool MemoryRegistry::Put(const std::string& path, const Value& v) {
    const auto p = ParseRegistryPath(path);
    if (!p) return false;
    // Creating a key creates its parents, as the platform does.
    const std::string id = KeyId(*p);
    keys_[id][ToLowerAscii(p->value)] = v;
    for (size_t at = id.find('\\'); at != std::string::npos; at = id.find('\\', at + 1)) {
        keys_[id.substr(0, at)];
    }
    return true;
}

const MemoryRegistry::Value* MemoryRegistry::Find(const std::string& path) const {
    const auto p = ParseRegistryPath(path);
    if (!p) return nullptr;
    const auto key = keys_.find(KeyId(*p));
    if (key == keys_.end()) return nullptr;
    const auto value = key->second.find(ToLowerAscii(p->value));
    return value == key->second.end() ? nullptr : &value->second;
}

bool MemoryRegistry::WriteString(const std::string& path, const std::string& value) {
    return Put(path, Value{Type::String, value, 0});
}

bool MemoryRegistry::WriteExpandString(const std::string& path, const std::string& value) {
    return Put(path, Value{Type::ExpandString, value, 0});
}

bool MemoryRegistry::WriteUnterminatedString(const std::string& path, const std::string& value) {
    return Put(path, Value{Type::String, value, 0, false});
}

bool MemoryRegistry::WriteDword(const std::string& path, uint32_t value) {
    return Put(path, Value{Type::Dword, std::string(), value});
}

std::optional<std::string> MemoryRegistry::ReadString(const std::string& path) {
    const Value* v = Find(path);
    if (!v) return std::nullopt;
    if (v->type == Type::Dword) return std::to_string(v->number);
    return v->text;
}

std::optional<uint32_t> MemoryRegistry::ReadDword(const std::string& path) {
    const Value* v = Find(path);
    if (!v || v->type != Type::Dword) return std::nullopt;
    return v->number;
}

bool MemoryRegistry::DeleteValue(const std::string& path) {
    const auto p = ParseRegistryPath(path);
    if (!p) return false;
    const auto key = keys_.find(KeyId(*p));
    if (key == keys_.end()) return false;
    return key->second.erase(ToLowerAscii(p->value)) > 0;
}

bool MemoryRegistry::DeleteKey(const std::string& keyPath) {
    std::string path = keyPath;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    const auto p = ParseRegistryPath(path + "\\");
    if (!p) return false;
    const std::string id = KeyId(*p);
    bool any = false;
    for (auto it = keys_.begin(); it != keys_.end();) {
        if (it->first == id || StartsWith(it->first, id + "\\")) {
            it = keys_.erase(it);
            any = true;
        } else {
            ++it;
        }
    }
    return any;
}

std::string MemoryRegistry::ValueType(const std::string& path) const {
    const Value* v = Find(path);
    if (!v) return std::string();
    switch (v->type) {
        case Type::String: return "REG_SZ";
        case Type::ExpandString: return "REG_EXPAND_SZ";
        case Type::Dword: return "REG_DWORD";
    }
    return std::string();
}

bool MemoryRegistry::KeyExists(const std::string& keyPath) const {
    std::string path = keyPath;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    const auto p = ParseRegistryPath(path + "\\");
    return p && keys_.count(KeyId(*p)) > 0;
}

std::optional<bool> MemoryRegistry::Terminated(const std::string& path) const {
    const Value* v = Find(path);
    if (!v || v->type == Type::Dword) return std::nullopt;
    return v->terminated;
}

// ---- TempFileSystem

std::optional<FileInfo> TempFileSystem::Stat(const std::string& path) {
    auto info = PosixFileSystem::Stat(path);
    const auto a = attributes_.find(Native(path));
    if (info && a != attributes_.end()) {
        info->hidden = a->second.hidden;
        info->system = a->second.system;
        info->readOnly = a->second.readOnly;
    }
    return info;
}

bool TempFileSystem::Move(const std::string& from, const std::string& to) {
    if (!PosixFileSystem::Move(from, to)) return false;
    const auto a = attributes_.find(Native(from));
    if (a != attributes_.end()) {
        attributes_[Native(to)] = a->second;
        attributes_.erase(Native(from));
    }
    return true;
}

bool TempFileSystem::Remove(const std::string& path) {
    if (!PosixFileSystem::Remove(path)) return false;
    attributes_.erase(Native(path));
    return true;
}

bool TempFileSystem::RemoveTree(const std::string& path) {
    if (!PosixFileSystem::RemoveTree(path)) return false;
    const std::string gone = Native(path);
    for (auto it = attributes_.begin(); it != attributes_.end();) {
        if (it->first == gone || StartsWith(it->first, gone + "/")) {
            it = attributes_.erase(it);
        } else {
            ++it;
        }
    }
    return true;
}

void TempFileSystem::SetAttributes(const std::string& path, bool hidden, bool system, bool readOnly) {
    attributes_[Native(path)] = Attributes{hidden, system, readOnly};
}

bool TempFileSystem::WriteText(const std::string& path, const std::string& text) {
    auto f = OpenForWrite(path);
    return f && f->Write(text.data(), text.size()) && f->Close();
}

// ---- IniProfileStore

std::string IniProfileStore::Resolve(const std::string& file) const {
    if (file.find_first_of("\\/") != std::string::npos || windowsDirectory.empty()) return file;
    return JoinPath(windowsDirectory, file);
}

std::string IniProfileStore::Read(const std::string& file, const std::string& section, const std::string& key,
                                  const std::string& defaultValue, size_t bufferChars) {
    const auto text = fs_.ReadAll(Resolve(file));
    return IniLookup(text ? *text : std::string(), section, key, defaultValue, bufferChars);
}

bool IniProfileStore::Write(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value) {
    const auto text = fs_.ReadAll(Resolve(file));
    const std::string updated = IniUpdate(text ? *text : std::string(), section, key, value);
    auto out = fs_.OpenForWrite(Resolve(file));
    return out && out->Write(updated.data(), updated.size()) && out->Close();
}

// ---- FakeEnvironment

std::optional<std::string> FakeEnvironment::Variable(const std::string& name) {
    for (const auto& [k, v] : variables) {
        if (EqualsIgnoreAsciiCase(k, name)) return v;
    }
    return std::nullopt;
}

// ---- TestPlatform

TestPlatform::TestPlatform() {
    std::string tmpl = (fs::temp_directory_path() / "velmora-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    root_ = tmpl;
    fs::create_directories(root_ + "/prog");
    fs::create_directories(root_ + "/windows");
    environment.programDirectory = root_ + "/prog";
    environment.variables["windir"] = root_ + "/windows";
    profile.windowsDirectory = root_ + "/windows";
}

TestPlatform::~TestPlatform() {
    std::error_code ec;
    fs::remove_all(root_, ec);
}

}  // namespace velmora::testing
