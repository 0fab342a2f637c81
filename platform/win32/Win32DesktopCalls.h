#pragma once
#include "platform/DesktopCalls.h"

namespace velmora::win32 {

class Win32DesktopCalls : public DesktopCalls {
public:
    bool SetWallpaper(const std::string& bitmapPath) override;
    bool ReloadCursors() override;
    bool SetSystemCursorFromFile(const std::string& cursorFile, uint32_t systemCursorId) override;
    bool BroadcastSettingChange(uintptr_t wParam, const std::string& area, unsigned timeoutMs) override;
    uintptr_t FindWindowByTitle(const std::string& title) override;
    void HideWindow(uintptr_t window) override;
    bool PostKeyDown(uintptr_t window, uint32_t virtualKey) override;
};

}  // namespace velmora::win32
