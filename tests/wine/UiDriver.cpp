#include "tests/wine/UiDriver.h"

#include <cstdlib>

#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"

namespace velmora::uitest {

std::wstring W(const std::string& utf8) { return Widen(utf8); }

std::string U(const std::wstring& wide) { return Narrow(wide); }

int ScreenPixels(int twips, bool horizontal) {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, horizontal ? LOGPIXELSX : LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return (twips * dpi + 720) / 1440;
}

std::wstring DistDirectory() {
    const char* dist = std::getenv("VELMORA_DIST");
    std::wstring path = W(dist ? dist : "");
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    // Wine maps the Unix root to drive Z:.
    return L"Z:" + path;
}

namespace {

void CopyTree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((from + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyTree(from + L"\\" + name, to + L"\\" + name);
        } else {
            CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}

// The platform's own forced removal, read-only files included.
void RemoveTree(const std::wstring& dir) { win32::RealPlatform().files.RemoveTree(Narrow(dir)); }

}  // namespace

ProgramDir::ProgramDir() {
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"velmora-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    RemoveTree(path_);
    CopyTree(DistDirectory(), path_);
    RemoveFolder(L"Download");
}

void ProgramDir::RemoveFolder(const std::wstring& relative) const { RemoveTree(*this / relative); }

ProgramDir::~ProgramDir() { RemoveTree(path_); }

void ProgramDir::WriteFile(const std::wstring& relative, const std::string& bytes) const {
    // Missing folders on the way are made first.
    for (size_t at = relative.find(L'\\'); at != std::wstring::npos; at = relative.find(L'\\', at + 1)) {
        CreateDirectoryW((*this / relative.substr(0, at)).c_str(), nullptr);
    }
    HANDLE h = CreateFileW((*this / relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

void ProgramDir::Remove(const std::wstring& relative) const { DeleteFileW((*this / relative).c_str()); }

ProgramEnvironment::ProgramEnvironment(const ProgramDir& dir) : dir_(U(dir.path())) {}

Platform TestPlatformOf(Environment& environment, Dialogs& dialogs) {
    Platform& r = win32::RealPlatform();
    return Platform{r.registry, r.profile,  r.files,    environment, r.system,    dialogs,
                    r.codePage, r.pictures, r.desktop, r.drives,    r.processes, r.iconFiles};
}

std::optional<std::string> ProgramEnvironment::Variable(const std::string& name) {
    return win32::RealPlatform().environment.Variable(name);
}

Process::Process(const std::wstring& exe, const std::wstring& args) {
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
    const size_t slash = exe.find_last_of(L'\\');
    const std::wstring dir = slash == std::wstring::npos ? std::wstring() : exe.substr(0, slash);
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.empty() ? nullptr : dir.c_str(), &si, &info_)) {
        info_ = {};
    }
}

Process::~Process() {
    if (!info_.hProcess) return;
    if (Running()) Kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Process::WaitExit(DWORD ms, DWORD* exitCode) {
    if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
}

bool Process::Running() { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

void Process::Kill() {
    TerminateProcess(info_.hProcess, 9);
    WaitForSingleObject(info_.hProcess, 5000);
}

namespace {

struct Search {
    DWORD pid;
    const wchar_t* cls;
    std::wstring caption;
    bool anyCaption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != s->pid || !IsWindowVisible(h)) return TRUE;
    wchar_t cls[128];
    GetClassNameW(h, cls, 128);
    if (s->cls && lstrcmpiW(cls, s->cls) != 0) return TRUE;
    if (!s->anyCaption && Text(h) != s->caption) return TRUE;
    s->found = h;
    return FALSE;
}

HWND FindTopLevel(DWORD pid, const wchar_t* cls, const std::wstring* caption) {
    Search s{pid, cls, caption ? *caption : std::wstring(), caption == nullptr, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

}  // namespace

HWND WaitWindow(DWORD pid, const wchar_t* cls, const std::wstring& caption, DWORD timeoutMs) {
    const DWORD end = GetTickCount() + timeoutMs;
    for (;;) {
        if (HWND h = FindTopLevel(pid, cls, &caption)) return h;
        if (static_cast<int>(end - GetTickCount()) <= 0) return nullptr;
        Sleep(20);
    }
}

std::vector<FolderEntry> Entries(const std::wstring& dir) {
    std::vector<FolderEntry> out;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        const std::wstring name = fd.cFileName;
        if (name != L"." && name != L"..") out.push_back({name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return out;
}

HWND FindChild(HWND parent, const wchar_t* cls, const std::wstring& text) {
    return FindWindowExW(parent, nullptr, cls, text.c_str());
}

std::wstring Text(HWND window) {
    wchar_t buf[1024];
    const LRESULT n = SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                                          2000, nullptr)
                          ? static_cast<LRESULT>(wcslen(buf))
                          : 0;
    return std::wstring(buf, static_cast<size_t>(n));
}

namespace {

BOOL CALLBACK CollectChild(HWND h, LPARAM lp) {
    auto* box = reinterpret_cast<MessageBoxSeen*>(lp);
    wchar_t cls[64];
    GetClassNameW(h, cls, 64);
    if (lstrcmpiW(cls, L"Button") == 0) {
        box->buttons.push_back(Text(h));
    } else if (lstrcmpiW(cls, L"Static") == 0 && GetDlgCtrlID(h) == 0xFFFF) {
        box->text = Text(h);
    }
    return TRUE;
}

}  // namespace

MessageBoxSeen WaitMessageBox(DWORD pid, DWORD timeoutMs) {
    MessageBoxSeen box;
    const DWORD end = GetTickCount() + timeoutMs;
    for (;;) {
        if (HWND h = FindTopLevel(pid, L"#32770", nullptr)) {
            box.window = h;
            box.title = Text(h);
            EnumChildWindows(h, CollectChild, reinterpret_cast<LPARAM>(&box));
            return box;
        }
        if (static_cast<int>(end - GetTickCount()) <= 0) return box;
        Sleep(20);
    }
}

void Answer(const MessageBoxSeen& box, int buttonId) {
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    // Wait until it is gone, so that the next one can be told apart.
    for (int i = 0; i < 250 && IsWindow(box.window) && IsWindowVisible(box.window); ++i) Sleep(20);
}

bool NoMessageBox(DWORD pid, DWORD ms) { return WaitMessageBox(pid, ms).window == nullptr; }

namespace {

std::string gReply;

LRESULT CALLBACK ReplyProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        gReply.assign(static_cast<const char*>(data->lpData), data->cbData);
        return 1;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

HWND ReplyWindow() {
    static HWND window = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ReplyProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VelmoraTestReply";
        RegisterClassW(&wc);
        return CreateWindowExW(0, L"VelmoraTestReply", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }();
    return window;
}

const wchar_t kMainQuery[] = L"Velmora.Main.Query";

}  // namespace

std::string QueryText(HWND window, const wchar_t* message, WPARAM item) {
    gReply.clear();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, RegisterWindowMessageW(message), item, reinterpret_cast<LPARAM>(ReplyWindow()),
                        SMTO_NORMAL, 5000, &result);
    return gReply;
}

LRESULT QueryNumber(HWND window, const wchar_t* message, WPARAM item) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, RegisterWindowMessageW(message), item, 0, SMTO_NORMAL, 5000, &result);
    return static_cast<LRESULT>(result);
}

std::string QueryText(HWND main, int item) { return QueryText(main, kMainQuery, static_cast<WPARAM>(item)); }

LRESULT QueryNumber(HWND main, int item) { return QueryNumber(main, kMainQuery, static_cast<WPARAM>(item)); }

void SetWineVersionFor(const std::wstring& exeName, const std::wstring& version) {
    const std::wstring key = L"Software\\Wine\\AppDefaults\\" + exeName;
    HKEY h = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(h, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                   static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
}

void MoveMouse(int screenX, int screenY) {
    SetCursorPos(screenX, screenY);
    // A small move in place makes sure a mouse-move message is generated.
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    in.mi.dx = 1;
    SendInput(1, &in, sizeof in);
    in.mi.dx = -1;
    SendInput(1, &in, sizeof in);
}

void HoverOver(HWND window) {
    RECT rc;
    GetWindowRect(window, &rc);
    MoveMouse((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    Sleep(200);
}

namespace {

void LeftDownUp() {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
}

}  // namespace

void ClickLeft(HWND window) {
    HoverOver(window);
    LeftDownUp();
}

void ClickAt(int x, int y) {
    MoveMouse(x, y);
    Sleep(200);
    LeftDownUp();
}

void PressKey(WORD virtualKey) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = virtualKey;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

}  // namespace velmora::uitest
