#include "shell/win32/DanShiLi.h"

#include "shell/MingLingHang.h"
#include "shell/win32/MainWindow.h"
#include "ui/win32/FramedWindow.h"

namespace velmora {

namespace {

// Per session ("Local\"), so that other users' programs do not count.
const wchar_t kMutexName[] = L"Local\\Velmora.DanShiLi";
constexpr DWORD kFindTimeoutMs = 10000;
constexpr UINT kSendTimeoutMs = 10000;

HWND FindMainWindow() {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND main = FindWindowW(kFrameClass, kMainCaption)) return main;
        if (GetTickCount() - start > kFindTimeoutMs) return nullptr;
        Sleep(100);
    }
}

}  // namespace

DanShiLi::DanShiLi() {
    mutex_ = CreateMutexW(nullptr, FALSE, kMutexName);
    already_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

DanShiLi::~DanShiLi() {
    if (mutex_) CloseHandle(mutex_);
}

int ZhuanJiaoMingLing(const std::vector<std::string>& args) {
    const HWND main = FindMainWindow();
    if (!main) return 1;
    // The running program may take the foreground: this start was the user's.
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    AllowSetForegroundWindow(pid);
    std::string block = BianMaMingLing(args);
    COPYDATASTRUCT data = {kForwardedCommandLine, static_cast<DWORD>(block.size()), block.data()};
    DWORD_PTR taken = 0;
    if (!SendMessageTimeoutW(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &taken) ||
        !taken) {
        return 1;
    }
    SetForegroundWindow(main);
    return 0;
}

}  // namespace velmora
