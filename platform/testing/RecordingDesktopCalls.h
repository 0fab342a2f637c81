#pragma once
// The desktop's system calls, recorded for the native tests. A cursor loads only from a file
// that exists; everything else succeeds unless told to fail.
#include <map>
#include <string>
#include <vector>

#include "platform/DesktopCalls.h"
#include "platform/FileSystem.h"

namespace velmora::testing {

class RecordingDesktopCalls : public DesktopCalls {
public:
    explicit RecordingDesktopCalls(FileSystem& files) : files_(files) {}
    bool SetWallpaper(const std::string& bitmapPath) override;
    bool ReloadCursors() override;
    bool SetSystemCursorFromFile(const std::string& cursorFile, uint32_t systemCursorId) override;
    bool BroadcastSettingChange(uintptr_t wParam, const std::string& area, unsigned timeoutMs) override;
    uintptr_t FindWindowByTitle(const std::string& title) override;
    void HideWindow(uintptr_t window) override;
    bool PostKeyDown(uintptr_t window, uint32_t virtualKey) override;

    struct SystemCursor {
        std::string file;
        uint32_t id;
    };
    struct Broadcast {
        uintptr_t wParam;
        std::string area;
        unsigned timeoutMs;
    };
    struct KeyDown {
        uintptr_t window;
        uint32_t virtualKey;
    };
    // Every call in order, one line each ("SetWallpaper C:\...", "ReloadCursors", ...).
    std::vector<std::string> calls;
    std::vector<std::string> wallpapers;
    int cursorReloads = 0;
    std::vector<SystemCursor> systemCursors;
    std::vector<Broadcast> broadcasts;
    std::vector<uintptr_t> hidden;
    std::vector<KeyDown> keyDowns;
    // Other programs' top-level windows by caption.
    std::map<std::string, uintptr_t> windows;
    bool succeed = true;

private:
    FileSystem& files_;
};

}  // namespace velmora::testing
