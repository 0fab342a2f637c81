// Package program of the demo service. Run as N.exe, it reads the payload appended to its
// own file and writes the files it holds, by default into the folder N beside itself.
//
// Layout of the file (all numbers little-endian, 32 bits):
//   stub executable | entries | trailer
//   entry   = root, name length, name (UTF-8, "\" separated, "*" stands for N), data length, data
//   trailer = payload offset, entry count, flags, magic "VELMPKG1"
// root 0 is the folder beside the program, root 1 the Windows directory (a theme package
// installs there). Flag 1: after unpacking, hand over to the system's logon program with the
// same arguments (a harmless stand-in for a logon-screen program). Flag 2: no folder N.
//
// Exit codes tell a test what went wrong; the program never shows a window.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

enum ExitCode : int {
    kOk = 0,
    kCannotReadSelf = 1,
    kBadPayload = 2,
    kBadEntryName = 3,
    kCannotWrite = 4,
    kCannotForward = 5,
};

constexpr char kMagic[8] = {'V', 'E', 'L', 'M', 'P', 'K', 'G', '1'};
constexpr std::size_t kTrailerSize = 20;
constexpr std::uint32_t kRootBeside = 0;
constexpr std::uint32_t kRootWindows = 1;
constexpr std::uint32_t kFlagForwardLogonUi = 1;
constexpr std::uint32_t kFlagNoOwnFolder = 2;

struct Reader {
    const std::vector<unsigned char>& bytes;
    std::size_t pos;
    std::size_t end;

    bool u32(std::uint32_t& value) {
        if (end - pos < 4) {
            return false;
        }
        value = static_cast<std::uint32_t>(bytes[pos]) | static_cast<std::uint32_t>(bytes[pos + 1]) << 8 |
                static_cast<std::uint32_t>(bytes[pos + 2]) << 16 | static_cast<std::uint32_t>(bytes[pos + 3]) << 24;
        pos += 4;
        return true;
    }

    bool span(std::uint32_t size, std::size_t& start) {
        if (end - pos < size) {
            return false;
        }
        start = pos;
        pos += size;
        return true;
    }
};

bool readWholeFile(const std::wstring& path, std::vector<unsigned char>& out) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    bool ok = low != INVALID_FILE_SIZE && high == 0;
    if (ok) {
        out.resize(low);
        DWORD got = 0;
        ok = low == 0 || (ReadFile(file, out.data(), low, &got, nullptr) && got == low);
    }
    CloseHandle(file);
    return ok;
}

bool writeWholeFile(const std::wstring& path, const unsigned char* data, std::uint32_t size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok = size == 0 || (WriteFile(file, data, size, &written, nullptr) && written == size);
    return CloseHandle(file) && ok;
}

// Creates every missing folder of path (a folder path, no trailing separator).
bool ensureFolder(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    const std::size_t cut = path.find_last_of(L'\\');
    if (cut != std::wstring::npos && cut > 0 && path[cut - 1] != L':') {
        if (!ensureFolder(path.substr(0, cut))) {
            return false;
        }
    }
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::wstring fromUtf8(const unsigned char* text, std::uint32_t size) {
    if (size == 0) {
        return std::wstring();
    }
    const char* chars = reinterpret_cast<const char*>(text);
    const int length = MultiByteToWideChar(CP_UTF8, 0, chars, static_cast<int>(size), nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, chars, static_cast<int>(size), &out[0], length);
    return out;
}

// A name must stay inside its root: relative, no drive, no "." or ".." step, no empty step.
bool isSafeRelativeName(const std::wstring& name) {
    if (name.empty() || name.find(L':') != std::wstring::npos) {
        return false;
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t stop = name.find(L'\\', start);
        if (stop == std::wstring::npos) {
            stop = name.size();
        }
        const std::wstring step = name.substr(start, stop - start);
        if (step.empty() || step == L"." || step == L"..") {
            return false;
        }
        start = stop + 1;
    }
    return true;
}

std::wstring expandName(std::wstring name, const std::wstring& stem) {
    std::wstring out;
    for (wchar_t c : name) {
        if (c == L'*') {
            out += stem;
        } else {
            out += (c == L'/') ? L'\\' : c;
        }
    }
    return out;
}

std::wstring windowsDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"windir", buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::wstring();
    }
    return buffer;
}

// The arguments of this process's command line, without the program name.
std::wstring ownArguments() {
    const wchar_t* line = GetCommandLineW();
    if (*line == L'"') {
        ++line;
        while (*line != L'\0' && *line != L'"') {
            ++line;
        }
        if (*line == L'"') {
            ++line;
        }
    } else {
        while (*line != L'\0' && *line != L' ' && *line != L'\t') {
            ++line;
        }
    }
    return line;
}

int forwardToLogonUi() {
    const std::wstring windows = windowsDirectory();
    if (windows.empty()) {
        return kCannotForward;
    }
    std::wstring command = L"\"" + windows + L"\\system32\\logonui.exe\"" + ownArguments();
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        return kCannotForward;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

struct Self {
    std::wstring folder;  // without trailing separator
    std::wstring stem;    // file name without its last extension
    std::vector<unsigned char> bytes;
};

bool loadSelf(Self& self) {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) {
        return false;
    }
    const std::wstring path(buffer.data(), length);
    const std::size_t cut = path.find_last_of(L'\\');
    if (cut == std::wstring::npos) {
        return false;
    }
    self.folder = path.substr(0, cut);
    self.stem = path.substr(cut + 1);
    const std::size_t dot = self.stem.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) {
        self.stem.resize(dot);
    }
    return readWholeFile(path, self.bytes);
}

int unpackEntries(const Self& self, Reader& reader, std::uint32_t count) {
    const std::wstring windows = windowsDirectory();
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t root = 0;
        std::uint32_t nameSize = 0;
        std::uint32_t dataSize = 0;
        std::size_t nameStart = 0;
        std::size_t dataStart = 0;
        if (!reader.u32(root) || !reader.u32(nameSize) || !reader.span(nameSize, nameStart) ||
            !reader.u32(dataSize) || !reader.span(dataSize, dataStart)) {
            return kBadPayload;
        }
        const std::wstring name = expandName(fromUtf8(&self.bytes[nameStart], nameSize), self.stem);
        if (!isSafeRelativeName(name)) {
            return kBadEntryName;
        }
        std::wstring base;
        if (root == kRootBeside) {
            base = self.folder;
        } else if (root == kRootWindows && !windows.empty()) {
            base = windows;
        } else {
            return kBadPayload;
        }
        const std::wstring target = base + L"\\" + name;
        if (!ensureFolder(target.substr(0, target.find_last_of(L'\\'))) ||
            !writeWholeFile(target, self.bytes.data() + dataStart, dataSize)) {
            return kCannotWrite;
        }
    }
    return reader.pos == reader.end ? kOk : kBadPayload;
}

int run() {
    Self self;
    if (!loadSelf(self)) {
        return kCannotReadSelf;
    }
    if (self.bytes.size() < kTrailerSize) {
        return kBadPayload;
    }
    const std::size_t trailer = self.bytes.size() - kTrailerSize;
    for (std::size_t i = 0; i < sizeof(kMagic); ++i) {
        if (self.bytes[trailer + 12 + i] != static_cast<unsigned char>(kMagic[i])) {
            return kBadPayload;
        }
    }
    Reader tail{self.bytes, trailer, trailer + 12};
    std::uint32_t offset = 0;
    std::uint32_t count = 0;
    std::uint32_t flags = 0;
    tail.u32(offset);
    tail.u32(count);
    tail.u32(flags);
    if (offset > trailer) {
        return kBadPayload;
    }
    if ((flags & (kFlagForwardLogonUi | kFlagNoOwnFolder)) == 0 && !ensureFolder(self.folder + L"\\" + self.stem)) {
        return kCannotWrite;
    }
    Reader entries{self.bytes, offset, trailer};
    const int result = unpackEntries(self, entries, count);
    if (result != kOk || (flags & kFlagForwardLogonUi) == 0) {
        return result;
    }
    return forwardToLogonUi();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return run();
}
