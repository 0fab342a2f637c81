#pragma once
// The system calls that change the running desktop: wallpaper, pointers, setting broadcasts,
// and the few things the program does to other programs' windows.
#include <cstdint>
#include <string>

namespace velmora {

class DesktopCalls {
public:
    virtual ~DesktopCalls() = default;

    // SystemParametersInfo(SPI_SETDESKWALLPAPER) with the profile updated and the change
    // broadcast (flags 3).
    virtual bool SetWallpaper(const std::string& bitmapPath) = 0;
    // SystemParametersInfo(SPI_SETCURSORS): the system pointers are reloaded from the
    // registry values under HKEY_CURRENT_USER\Control Panel\Cursors.
    virtual bool ReloadCursors() = 0;
    // LoadCursorFromFile, then SetSystemCursor with the id (OCR_NORMAL = 32512, ...).
    virtual bool SetSystemCursorFromFile(const std::string& cursorFile, uint32_t systemCursorId) = 0;
    // WM_SETTINGCHANGE (0x1A) to every top-level window with SendMessageTimeout, so that one hung
    // window cannot hang the program; area is the lParam text ("" points to an empty string).
    virtual bool BroadcastSettingChange(uintptr_t wParam, const std::string& area, unsigned timeoutMs) = 0;

    // A top-level window of any program and class whose caption is exactly the title; 0 when
    // there is none.
    virtual uintptr_t FindWindowByTitle(const std::string& title) = 0;
    virtual void HideWindow(uintptr_t window) = 0;
    // WM_KEYDOWN with the virtual-key code and the key's scan code in lParam.
    virtual bool PostKeyDown(uintptr_t window, uint32_t virtualKey) = 0;
};

}  // namespace velmora
