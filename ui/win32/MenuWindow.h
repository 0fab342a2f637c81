#pragma once
// The window of a CMenu: a hidden top-most tool window that never takes activation, painted
// from two off-screen buffers, its own messages and (while it shows) those of its owner and of
// the window with the keyboard focus seen through CSubclass.
//
//   MenuWindow tray;
//   tray.menu().MenuClick = [](int index) { ... };
//   tray.Create(aboutWindow);
//   tray.menu().Add("Velmora", "New");
//   tray.menu().Add();                          // separator
//   tray.menu().Show();                         // at the cursor
#include <windows.h>

#include "platform/EventLog.h"
#include "ui/CMenu.h"
#include "ui/win32/Subclass.h"

namespace velmora {

inline constexpr wchar_t kMenuWindowClass[] = L"VelmoraMenu";

class MenuWindow : private CMenuView {
public:
    MenuWindow();
    explicit MenuWindow(EventLog& log);
    ~MenuWindow() override;
    MenuWindow(const MenuWindow&) = delete;
    MenuWindow& operator=(const MenuWindow&) = delete;

    CMenu& menu() { return menu_; }
    // CMenu::Create with window handles.
    HWND Create(HWND owner);
    HWND hwnd() const { return window_; }

private:
    // CMenuView
    std::uintptr_t CreateMenuWindow(std::uintptr_t owner) override;
    void DestroyMenuWindow() override;
    int TextWidth(const std::string& text) override;
    MenuSize ScreenSize() override;
    MenuPoint CursorPosition() override;
    void ResizeWindow(int width, int height) override;
    int ShowWindowAt(int x, int y) override;
    int HideWindow() override;
    void CreateBuffers(int width, int height) override;
    std::uintptr_t Surface(MenuBuffer buffer) override;
    void FrameAndFill(MenuBuffer buffer, const MenuRect& rect, std::uint32_t frame, std::uint32_t fill) override;
    void Line(int left, int right, int y, std::uint32_t colour) override;
    void Text(const MenuRect& rect, const std::string& text, std::uint32_t colour) override;
    void CopyBackground(const MenuRect& rect) override;
    void Present(const MenuRect& rect) override;

    void OnMenuMessage(SubclassMessage& m);
    void OnOthersMessage(SubclassMessage& m);
    void HookOthers();
    void UnhookOthers();
    HFONT Font();

    // A memory drawing surface of the menu's size.
    struct Buffer {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ old = nullptr;
        void Release();
    };

    CSubclass c_Subclass;
    HWND window_ = nullptr, owner_ = nullptr, focus_ = nullptr;
    Buffer background_, drawing_;
    HFONT font_ = nullptr;
    bool ownFont_ = false;
    CMenu menu_;
};

}  // namespace velmora
