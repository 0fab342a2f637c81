#include "platform/win32/Win32DesktopCalls.h"

#include <windows.h>

#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"

namespace velmora::win32 {

bool Win32DesktopCalls::SetWallpaper(const std::string& bitmapPath) {
    std::wstring path = Widen(bitmapPath);
    return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) !=
           FALSE;
}

bool Win32DesktopCalls::ReloadCursors() {
    // No broadcast: the pointers are the system's own, nothing else needs telling.
    return SystemParametersInfoW(SPI_SETCURSORS, 0, nullptr, 0) != FALSE;
}

bool Win32DesktopCalls::SetSystemCursorFromFile(const std::string& cursorFile, uint32_t systemCursorId) {
    HCURSOR cursor = nullptr;
    {
        ScopedNoFsRedirection noRedirect;
        cursor = LoadCursorFromFileW(Widen(cursorFile).c_str());
    }
    if (!cursor) return false;
    // The system takes the cursor over (and destroys it) only when the call succeeds.
    if (SetSystemCursor(cursor, systemCursorId)) return true;
    DestroyCursor(cursor);
    return false;
}

bool Win32DesktopCalls::BroadcastSettingChange(uintptr_t wParam, const std::string& area, unsigned timeoutMs) {
    const std::wstring text = Widen(area);
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, static_cast<WPARAM>(wParam),
                               reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

uintptr_t Win32DesktopCalls::FindWindowByTitle(const std::string& title) {
    return reinterpret_cast<uintptr_t>(FindWindowW(nullptr, Widen(title).c_str()));
}

void Win32DesktopCalls::HideWindow(uintptr_t window) { ShowWindow(reinterpret_cast<HWND>(window), SW_HIDE); }

bool Win32DesktopCalls::PostKeyDown(uintptr_t window, uint32_t virtualKey) {
    const LPARAM lParam = 1 | static_cast<LPARAM>(MapVirtualKeyW(virtualKey, 0) << 16);  // repeat 1, scan code
    return PostMessageW(reinterpret_cast<HWND>(window), WM_KEYDOWN, virtualKey, lParam) != FALSE;
}

}  // namespace velmora::win32
