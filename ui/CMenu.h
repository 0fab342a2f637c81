#pragma once
// CMenu, the program's own popup menu: a flat list of text items and separators painted into
// an off-screen buffer of a small top-most window, chosen with the mouse or an accelerator key,
// reported by MenuClick with the item's position. This is the portable part: items, layout,
// painting order and colours, hit testing, placement and the answers to the window's
// messages. The window, its buffers and the hooks belong to the view (ui/win32/MenuWindow.h).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// A colour as 0x00BBGGRR.
inline constexpr std::uint32_t MenuRgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

// The look, in pixels and colours.
inline constexpr std::uint32_t kMenuBorder = MenuRgb(183, 187, 189);
inline constexpr std::uint32_t kMenuFill = MenuRgb(255, 255, 255);
inline constexpr std::uint32_t kMenuText = MenuRgb(99, 118, 130);
inline constexpr std::uint32_t kMenuGreyText = MenuRgb(161, 173, 180);
inline constexpr std::uint32_t kMenuHotBorder = MenuRgb(162, 210, 244);
inline constexpr std::uint32_t kMenuHotFill = MenuRgb(210, 236, 255);
inline constexpr std::uint32_t kMenuSeparator = MenuRgb(201, 216, 227);
inline constexpr int kMenuItemHeight = 24;
inline constexpr int kMenuSeparatorHeight = 3;
inline constexpr int kMenuItemLeft = 2;
inline constexpr int kMenuFirstTop = 2;
inline constexpr int kMenuTextIndent = 27;
inline constexpr int kMenuExtraWidth = 61;  // beyond the widest text
inline constexpr int kMenuMinWidth = 29;
inline constexpr int kMenuMinHeight = 28;

struct MenuRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const MenuRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};
struct MenuPoint {
    int x = 0, y = 0;
};
struct MenuSize {
    int width = 0, height = 0;
};

struct MenuItem {
    std::string text;  // "&" before the accelerator character
    std::string key;   // unique when not empty
    std::int32_t menuType = 0;  // 0 = text item, anything else a separator
    std::int32_t accelerator = 0;
    std::int32_t image = 0;  // kept for the caller
    bool enabled = true;
    bool visible = true;
    bool checked = false;  // kept for the caller
    MenuRect rect;         // set by the layout while the item is visible
    bool separator() const { return menuType != 0; }
};

// The key that chooses an item: the upper-cased character after the last "&" that has one
// (an "&" at the very end is passed over), 0 when none. Keys arrive as virtual-key codes,
// which only ASCII characters share, so any other character gives none.
std::int32_t MenuAccelerator(const std::string& text);

// An item named by its key (text) or its position (number).
class MenuIndex {
public:
    MenuIndex(int position) : position_(position) {}
    MenuIndex(std::string key) : byKey_(true), key_(std::move(key)) {}
    MenuIndex(const char* key) : byKey_(true), key_(key) {}
    bool byKey() const { return byKey_; }
    int position() const { return position_; }
    const std::string& key() const { return key_; }

private:
    bool byKey_ = false;
    int position_ = -1;
    std::string key_;
};

enum class MenuBuffer { Background, Drawing };

// What the menu needs of its window and its two off-screen buffers.
class CMenuView {
public:
    virtual ~CMenuView() = default;
    // The menu window for owner (hidden, top-most, at -1000, -1000, 1 x 1); 0 on failure.
    virtual std::uintptr_t CreateMenuWindow(std::uintptr_t owner) = 0;
    // Deletes the buffers, removes every hook and destroys the window.
    virtual void DestroyMenuWindow() = 0;
    // Width of the text as written ("&" included) in the owner's font.
    virtual int TextWidth(const std::string& text) = 0;
    virtual MenuSize ScreenSize() = 0;
    virtual MenuPoint CursorPosition() = 0;
    // Resizes the window in place; a changed size comes back as CMenu::OnSize.
    virtual void ResizeWindow(int width, int height) = 0;
    // Places the window top-most at (x, y) and shows it; the platform's previous-visibility result.
    virtual int ShowWindowAt(int x, int y) = 0;
    virtual int HideWindow() = 0;
    // Both buffers anew at this size, the owner's font and a transparent background selected.
    virtual void CreateBuffers(int width, int height) = 0;
    // The buffer's drawing surface, handed to DrawBackground and DrawItem.
    virtual std::uintptr_t Surface(MenuBuffer buffer) = 0;
    // A 1-pixel frame around rect (right and bottom exclusive) with fill inside.
    virtual void FrameAndFill(MenuBuffer buffer, const MenuRect& rect, std::uint32_t frame, std::uint32_t fill) = 0;
    // A 1-pixel line in the drawing buffer from left to right - 1 at row y.
    virtual void Line(int left, int right, int y, std::uint32_t colour) = 0;
    // One line of text in the drawing buffer, vertically centred, "&" underlining.
    virtual void Text(const MenuRect& rect, const std::string& text, std::uint32_t colour) = 0;
    // Copies rect of the background buffer into the drawing buffer.
    virtual void CopyBackground(const MenuRect& rect) = 0;
    // Copies rect of the drawing buffer to the window.
    virtual void Present(const MenuRect& rect) = 0;
};

class CMenu {
public:
    explicit CMenu(CMenuView& view) : view_(view) {}
    // Release: the window, its buffers and its hooks go.
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // Events. MenuClick comes after the menu is hidden, as the last thing the menu does, so a
    // handler may release the menu.
    std::function<void(int index)> MenuClick;
    std::function<void(std::uintptr_t hDC, int x, int y, int width, int height, bool& cancel)> DrawBackground;
    std::function<void(int index, std::uintptr_t hDC, int x, int y, int width, int height, bool& cancel)> DrawItem;

    // Creates the menu window once; a second call returns the existing one.
    std::uintptr_t Create(std::uintptr_t owner);
    // No text makes a separator. index (0 ... Count) inserts, none appends. False, with nothing
    // added, for a used key or an index out of range.
    bool Add(std::optional<std::string> text = std::nullopt, const std::string& key = "",
             std::optional<int> index = std::nullopt, std::int32_t menuType = 0);
    // The position of the removed item, -1 when nothing matched.
    int Remove(const MenuIndex& item);
    void Clear();
    // At (x, y) in screen pixels, kept on the screen; a missing coordinate follows the cursor
    // and opens to its left or above it near the right or bottom edge. 0 when the menu has no
    // window or no visible item.
    int Show(std::optional<int> x = std::nullopt, std::optional<int> y = std::nullopt);
    int Hide();
    // Mouse coordinates out of a message's lParam. (HIWORD and LOWORD are the platform's macros.)
    static std::int32_t HiWord(std::int32_t value) { return value >> 16; }
    static std::int32_t LoWord(std::int32_t value) { return static_cast<std::int16_t>(value & 0xFFFF); }

    std::uintptr_t hWnd() const { return window_; }
    int Count() const { return static_cast<int>(items_.size()); }

    // Per item, by key or position; out of range reads empty and writes nothing.
    std::string Text(const MenuIndex& item) const;
    void SetText(const MenuIndex& item, const std::string& text);
    std::string Key(const MenuIndex& item) const;
    void SetKey(const MenuIndex& item, const std::string& key);
    std::int32_t Image(const MenuIndex& item) const;
    void SetImage(const MenuIndex& item, std::int32_t image);
    bool Enabled(const MenuIndex& item) const;
    void SetEnabled(const MenuIndex& item, bool enabled);
    bool Visible(const MenuIndex& item) const;
    void SetVisible(const MenuIndex& item, bool visible);
    bool Checked(const MenuIndex& item) const;
    void SetChecked(const MenuIndex& item, bool checked);
    std::int32_t MenuType(const MenuIndex& item) const;
    void SetMenuType(const MenuIndex& item, std::int32_t menuType);

    // The layout as it stands.
    int Width() const { return width_; }
    int Height() const { return height_; }
    const MenuItem& Item(int position) const { return items_.at(static_cast<size_t>(position)); }
    int VisibleCount() const;
    int HotItem() const { return hot_; }
    // The visible item under (x, y) in the menu's client pixels, -1 for none.
    int HitTest(int x, int y) const;

    // Messages of the menu window, from the view.
    void OnPaint();
    void OnSize(int width, int height);
    void OnMouseMove(int x, int y);
    void OnMouseLeave();
    void OnLeftButtonUp(int x, int y);
    void OnHidden();
    // A key down on the menu or a hooked window; true when it chose an item.
    bool OnKeyDown(int key);

private:
    int Find(const MenuIndex& item) const;
    template <typename T>
    T Read(const MenuIndex& item, T MenuItem::*field) const {
        const MenuItem* m = At(item);
        return m ? m->*field : T{};
    }
    // False when no item matched.
    template <typename T>
    bool Write(const MenuIndex& item, T MenuItem::*field, const T& value) {
        MenuItem* m = At(item);
        if (!m) return false;
        m->*field = value;
        return true;
    }
    MenuItem* At(const MenuIndex& item);
    const MenuItem* At(const MenuIndex& item) const;
    void Layout();
    void PaintAll();
    void PaintItem(int position, bool single);
    void Repaint(const MenuIndex& item);
    void Choose(int position);

    CMenuView& view_;
    std::vector<MenuItem> items_;
    std::uintptr_t window_ = 0;
    int width_ = kMenuMinWidth, height_ = kMenuMinHeight;
    MenuSize windowSize_;  // as the last size message reported it
    int hot_ = -1;
};

}  // namespace velmora
