#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "ui/KuangJia.h"

namespace velmora::testing {

// Records what the portable code asks of a window's chrome, one line per call, and answers
// picture loads by whether the file exists.
class RecordingChromeView : public virtual ChromeView {
public:
    explicit RecordingChromeView(FileSystem& fs) : fs_(fs) {}

    std::vector<std::string> calls;
    int opacity = -1;
    std::string title;
    std::string iconFrom;

    void PlaceTitle(int l, int t) override { Log("PlaceTitle " + Pair(l, t)); }
    void SetTitleText(const std::string& text) override {
        title = text;
        Log("SetTitleText " + text);
    }
    void SetBackgroundArea(int w, int h) override { Log("SetBackgroundArea " + Pair(w, h)); }
    void SetWindowSize(int w, int h) override { Log("SetWindowSize " + Pair(w, h)); }
    void PlaceCloseButton(int l, int t) override { Log("PlaceCloseButton " + Pair(l, t)); }
    void PlaceMinimizeButton(int l, int t) override { Log("PlaceMinimizeButton " + Pair(l, t)); }
    bool LoadBackground(const std::string& path) override {
        Log("LoadBackground");
        return OrdinaryFileExists(fs_, path);
    }
    bool SetIcon(const std::string& path, const std::string& fallbackExe, int index) override {
        Log("SetIcon " + std::to_string(index));
        if (AnyFileExists(fs_, path)) {
            iconFrom = path;
        } else if (AnyFileExists(fs_, fallbackExe)) {
            iconFrom = fallbackExe;
        } else {
            iconFrom.clear();
            return false;
        }
        return true;
    }
    void AllowMinimize() override { Log("AllowMinimize"); }
    void RoundCorners(int w, int h, int c) override { Log("RoundCorners " + Pair(w, h) + " " + std::to_string(c)); }
    void SetOpacity(uint8_t alpha) override {
        opacity = alpha;
        Log("SetOpacity " + std::to_string(alpha));
    }

protected:
    static std::string Pair(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }
    void Log(const std::string& s) { calls.push_back(s); }
    FileSystem& fs_;
};

}  // namespace velmora::testing
