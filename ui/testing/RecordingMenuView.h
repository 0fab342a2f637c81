#pragma once
// A menu view for native tests: a pretend window that resizes at once, text measured by a
// fixed rule, and every drawing call recorded.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/CMenu.h"

namespace velmora::testing {

class RecordingMenuView : public CMenuView {
public:
    // Text width: 6 pixels an ASCII character, 12 any other.
    static int Measure(const std::string& text) {
        int w = 0;
        for (unsigned char c : text) {
            if (c < 0x80) w += 6;
            else if ((c & 0xC0) != 0xC0) continue;  // continuation byte
            else w += 12;
        }
        return w;
    }

    struct Draw {
        std::string what;  // "frame", "line", "text", "copy", "present"
        MenuBuffer buffer = MenuBuffer::Drawing;
        MenuRect rect;
        std::uint32_t colour = 0, fill = 0;
        std::string text;
    };

    CMenu* menu = nullptr;  // receives OnSize when the window is resized
    MenuSize screen{1280, 1024};
    MenuPoint cursor{100, 100};
    bool failCreate = false;
    bool created = false, destroyed = false, visible = false;
    std::uintptr_t owner = 0;
    MenuSize windowSize;
    std::vector<MenuPoint> shownAt;
    int hides = 0;
    std::vector<Draw> draws;

    // The drawing calls of one kind.
    std::vector<Draw> Only(const std::string& what) const {
        std::vector<Draw> out;
        for (const Draw& d : draws) {
            if (d.what == what) out.push_back(d);
        }
        return out;
    }

    std::uintptr_t CreateMenuWindow(std::uintptr_t ownerWindow) override {
        if (failCreate) return 0;
        created = true;
        owner = ownerWindow;
        windowSize = {1, 1};
        return 0x1234;
    }
    void DestroyMenuWindow() override { destroyed = true; }
    int TextWidth(const std::string& text) override { return Measure(text); }
    MenuSize ScreenSize() override { return screen; }
    MenuPoint CursorPosition() override { return cursor; }
    void ResizeWindow(int width, int height) override {
        if (windowSize.width == width && windowSize.height == height) return;
        windowSize = {width, height};
        if (menu) menu->OnSize(width, height);
    }
    int ShowWindowAt(int x, int y) override {
        shownAt.push_back({x, y});
        const bool was = visible;
        visible = true;
        return was ? 24 : 0;
    }
    int HideWindow() override {
        ++hides;
        const bool was = visible;
        visible = false;
        if (was && menu) menu->OnHidden();
        return was ? 24 : 0;
    }
    void CreateBuffers(int, int) override {}
    std::uintptr_t Surface(MenuBuffer buffer) override { return buffer == MenuBuffer::Background ? 0xB0 : 0xD0; }
    void FrameAndFill(MenuBuffer buffer, const MenuRect& rect, std::uint32_t frame, std::uint32_t fill) override {
        draws.push_back({"frame", buffer, rect, frame, fill, ""});
    }
    void Line(int left, int right, int y, std::uint32_t colour) override {
        draws.push_back({"line", MenuBuffer::Drawing, MenuRect{left, y, right, y + 1}, colour, 0, ""});
    }
    void Text(const MenuRect& rect, const std::string& text, std::uint32_t colour) override {
        draws.push_back({"text", MenuBuffer::Drawing, rect, colour, 0, text});
    }
    void CopyBackground(const MenuRect& rect) override { draws.push_back({"copy", MenuBuffer::Drawing, rect, 0, 0, ""}); }
    void Present(const MenuRect& rect) override { draws.push_back({"present", MenuBuffer::Drawing, rect, 0, 0, ""}); }
};

}  // namespace velmora::testing
