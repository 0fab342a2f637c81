// The file system and the code page apart from the rest of the platform: a program that needs
// only these (the download tool) does not load pictures, COM or the management service.
#include <vector>

#include "platform/Strings.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"

namespace velmora::win32 {

// ---- File-system redirection

namespace {
using DisableFn = BOOL(WINAPI*)(PVOID*);
using RevertFn = BOOL(WINAPI*)(PVOID);

FARPROC Kernel32Proc(const char* name) { return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name); }
}  // namespace

ScopedNoFsRedirection::ScopedNoFsRedirection() {
    static const auto disable = reinterpret_cast<DisableFn>(
        reinterpret_cast<void*>(Kernel32Proc("Wow64DisableWow64FsRedirection")));
    if (disable) active_ = disable(&old_) != FALSE;
}

ScopedNoFsRedirection::~ScopedNoFsRedirection() {
    static const auto revert =
        reinterpret_cast<RevertFn>(reinterpret_cast<void*>(Kernel32Proc("Wow64RevertWow64FsRedirection")));
    if (active_ && revert) revert(old_);
}

// ---- Files and folders

std::optional<FileInfo> Win32FileSystem::Stat(const std::string& path) {
    ScopedNoFsRedirection noRedirect;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    FileInfo info;
    info.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    info.system = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    info.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    info.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return info;
}

bool Win32FileSystem::CreateDirectories(const std::string& path) {
    ScopedNoFsRedirection noRedirect;
    const std::wstring w = Widen(path);
    // Create each level in turn; a level that already exists is fine.
    for (size_t i = 0; i <= w.size(); ++i) {
        if (i == w.size() || w[i] == L'\\' || w[i] == L'/') {
            const std::wstring part = w.substr(0, i);
            if (part.empty() || part.back() == L':' || (part.size() <= 2 && part[0] == L'\\')) continue;
            CreateDirectoryW(part.c_str(), nullptr);
        }
    }
    const DWORD a = GetFileAttributesW(w.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::Copy(const std::string& from, const std::string& to, bool overwrite) {
    ScopedNoFsRedirection noRedirect;
    return CopyFileW(Widen(from).c_str(), Widen(to).c_str(), overwrite ? FALSE : TRUE) != FALSE;
}

bool Win32FileSystem::Move(const std::string& from, const std::string& to) {
    ScopedNoFsRedirection noRedirect;
    return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) !=
           FALSE;
}

bool Win32FileSystem::Remove(const std::string& path) {
    ScopedNoFsRedirection noRedirect;
    return DeleteFileW(Widen(path).c_str()) != FALSE;
}

bool Win32FileSystem::RemoveEmptyFolder(const std::string& path) {
    ScopedNoFsRedirection noRedirect;
    return RemoveDirectoryW(Widen(path).c_str()) != FALSE;
}

namespace {

bool Gone(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The read-only attribute blocks deleting a file and removing a folder, so it goes first.
void ClearReadOnly(const std::wstring& path, DWORD attributes) {
    if (!(attributes & FILE_ATTRIBUTE_READONLY)) return;
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesW(path.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
}

// dir is a real folder (no reparse point); what fails is left and the rest still goes.
void RemoveFolderTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = dir + L"\\" + name;
            const DWORD a = fd.dwFileAttributes;
            if (a & FILE_ATTRIBUTE_REPARSE_POINT) {
                // A link goes as a link; its attributes are left alone, as setting them could
                // reach through to the target.
                if (a & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveDirectoryW(child.c_str());
                } else {
                    DeleteFileW(child.c_str());
                }
                continue;
            }
            ClearReadOnly(child, a);
            if (a & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolderTree(child);
            } else {
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

}  // namespace

bool Win32FileSystem::RemoveTree(const std::string& path) {
    ScopedNoFsRedirection noRedirect;
    std::wstring w = Widen(path);
    // "C:\" stays a root; any other trailing separator goes.
    while (w.size() > 1 && (w.back() == L'\\' || w.back() == L'/') && w[w.size() - 2] != L':') w.pop_back();
    const DWORD a = GetFileAttributesW(w.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return Gone(w);
    if (!(a & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (a & FILE_ATTRIBUTE_REPARSE_POINT) {
        RemoveDirectoryW(w.c_str());
    } else {
        ClearReadOnly(w, a);
        RemoveFolderTree(w);
    }
    return Gone(w);
}

std::vector<std::string> Win32FileSystem::ListFiles(const std::string& dir, const std::string& pattern) {
    ScopedNoFsRedirection noRedirect;
    std::vector<std::string> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(Widen(JoinPath(dir, pattern)).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
        const std::string name = Narrow(fd.cFileName, wcslen(fd.cFileName));
        // The search also matches short 8.3 names ("a.jpgx" is "A~1.JPG"); keep real matches only.
        if (MatchesWildcard(name, pattern)) names.push_back(name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

namespace {

class HandleFile : public WritableFile {
public:
    explicit HandleFile(HANDLE h) : h_(h) {}
    ~HandleFile() override { Close(); }
    bool Write(const void* data, size_t size) override {
        const char* p = static_cast<const char*>(data);
        while (size > 0) {
            const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!WriteFile(h_, p, chunk, &written, nullptr) || written == 0) return false;
            p += written;
            size -= written;
        }
        return true;
    }
    bool Close() override {
        if (h_ == INVALID_HANDLE_VALUE) return true;
        const bool ok = CloseHandle(h_) != FALSE;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

}  // namespace

std::unique_ptr<WritableFile> Win32FileSystem::OpenForWrite(const std::string& path) {
    ScopedNoFsRedirection noRedirect;
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<HandleFile>(h);
}

std::optional<std::string> Win32FileSystem::ReadAll(const std::string& path) {
    ScopedNoFsRedirection noRedirect;
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string out;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    CloseHandle(h);
    return out;
}

// ---- Code page

std::string Win32CodePage::ToSystem(const std::string& utf8) {
    const std::wstring w = Widen(utf8);
    if (w.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string Win32CodePage::FromSystem(const std::string& bytes) {
    if (bytes.empty()) return std::string();
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), w.data(), n);
    return Narrow(w);
}

}  // namespace velmora::win32
