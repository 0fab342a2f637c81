#include "platform/testing/RecordingDesktopCalls.h"

namespace velmora::testing {

bool RecordingDesktopCalls::SetWallpaper(const std::string& bitmapPath) {
    calls.push_back("SetWallpaper " + bitmapPath);
    wallpapers.push_back(bitmapPath);
    return succeed;
}

bool RecordingDesktopCalls::ReloadCursors() {
    calls.push_back("ReloadCursors");
    ++cursorReloads;
    return succeed;
}

bool RecordingDesktopCalls::SetSystemCursorFromFile(const std::string& cursorFile, uint32_t systemCursorId) {
    calls.push_back("SetSystemCursor " + std::to_string(systemCursorId) + " " + cursorFile);
    if (!AnyFileExists(files_, cursorFile)) return false;
    systemCursors.push_back(SystemCursor{cursorFile, systemCursorId});
    return succeed;
}

bool RecordingDesktopCalls::BroadcastSettingChange(uintptr_t wParam, const std::string& area, unsigned timeoutMs) {
    calls.push_back("BroadcastSettingChange " + std::to_string(wParam) + " " + area);
    broadcasts.push_back(Broadcast{wParam, area, timeoutMs});
    return succeed;
}

uintptr_t RecordingDesktopCalls::FindWindowByTitle(const std::string& title) {
    calls.push_back("FindWindow " + title);
    const auto it = windows.find(title);
    return it == windows.end() ? 0 : it->second;
}

void RecordingDesktopCalls::HideWindow(uintptr_t window) {
    calls.push_back("HideWindow " + std::to_string(window));
    hidden.push_back(window);
}

bool RecordingDesktopCalls::PostKeyDown(uintptr_t window, uint32_t virtualKey) {
    calls.push_back("PostKeyDown " + std::to_string(window) + " " + std::to_string(virtualKey));
    keyDowns.push_back(KeyDown{window, virtualKey});
    return succeed;
}

}  // namespace velmora::testing
