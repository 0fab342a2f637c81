#include "ui/CMenu.h"

#include <algorithm>

namespace velmora {

std::int32_t MenuAccelerator(const std::string& text) {
    for (size_t i = text.size(); i-- > 0;) {
        if (text[i] != '&' || i + 1 == text.size()) continue;
        const auto c = static_cast<unsigned char>(text[i + 1]);
        if (c >= 0x80) return 0;
        return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
    }
    return 0;
}

CMenu::~CMenu() {
    if (window_) view_.DestroyMenuWindow();
}

std::uintptr_t CMenu::Create(std::uintptr_t owner) {
    if (window_) return window_;
    window_ = view_.CreateMenuWindow(owner);
    if (window_) Layout();
    return window_;
}

int CMenu::Find(const MenuIndex& item) const {
    if (item.byKey()) {
        if (item.key().empty()) return -1;
        for (size_t i = 0; i < items_.size(); ++i) {
            if (items_[i].key == item.key()) return static_cast<int>(i);
        }
        return -1;
    }
    return item.position() >= 0 && item.position() < Count() ? item.position() : -1;
}

MenuItem* CMenu::At(const MenuIndex& item) {
    const int i = Find(item);
    return i < 0 ? nullptr : &items_[static_cast<size_t>(i)];
}

const MenuItem* CMenu::At(const MenuIndex& item) const {
    const int i = Find(item);
    return i < 0 ? nullptr : &items_[static_cast<size_t>(i)];
}

bool CMenu::Add(std::optional<std::string> text, const std::string& key, std::optional<int> index,
                std::int32_t menuType) {
    if (index && (*index < 0 || *index > Count())) return false;
    if (!key.empty() && Find(MenuIndex(key)) >= 0) return false;
    MenuItem item;
    item.key = key;
    if (text) {
        item.text = *text;
        item.menuType = menuType;
        item.accelerator = MenuAccelerator(item.text);
    } else {
        item.menuType = 1;
    }
    items_.insert(index ? items_.begin() + *index : items_.end(), std::move(item));
    hot_ = -1;
    Layout();
    return true;
}

int CMenu::Remove(const MenuIndex& item) {
    const int i = Find(item);
    if (i < 0) return -1;
    items_.erase(items_.begin() + i);
    hot_ = -1;
    Layout();
    return i;
}

void CMenu::Clear() {
    items_.clear();
    hot_ = -1;
    Layout();
}

int CMenu::VisibleCount() const {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const MenuItem& m) { return m.visible; }));
}

void CMenu::Layout() {
    int offset = 0, widest = 0;
    for (MenuItem& item : items_) {
        if (!item.visible) continue;
        const int h = item.separator() ? kMenuSeparatorHeight : kMenuItemHeight;
        item.rect.top = offset + kMenuFirstTop;
        item.rect.bottom = item.rect.top + h;
        offset += h;
        widest = std::max(widest, view_.TextWidth(item.text) + kMenuExtraWidth);
    }
    const MenuSize screen = view_.ScreenSize();
    width_ = std::max(std::min(widest, screen.width), kMenuMinWidth);
    height_ = std::max(std::min(offset + 4, screen.height), kMenuMinHeight);
    for (MenuItem& item : items_) {
        item.rect.left = kMenuItemLeft;
        item.rect.right = width_ - kMenuItemLeft;
    }
    if (!window_) return;
    // A window whose size stays the same gets no size message: it is painted here instead.
    if (windowSize_.width == width_ && windowSize_.height == height_) {
        PaintAll();
    } else {
        view_.ResizeWindow(width_, height_);
    }
}

void CMenu::OnSize(int width, int height) {
    windowSize_ = {width, height};
    view_.CreateBuffers(width, height);
    PaintAll();
}

void CMenu::PaintAll() {
    const int w = windowSize_.width, h = windowSize_.height;
    bool cancel = false;
    if (DrawBackground) DrawBackground(view_.Surface(MenuBuffer::Background), 0, 0, w, h, cancel);
    if (!cancel) view_.FrameAndFill(MenuBuffer::Background, MenuRect{0, 0, w, h}, kMenuBorder, kMenuFill);
    view_.CopyBackground(MenuRect{0, 0, w, h});
    for (int i = 0; i < Count(); ++i) PaintItem(i, false);
    view_.Present(MenuRect{0, 0, w, h});
}

void CMenu::PaintItem(int position, bool single) {
    const MenuItem& item = items_.at(static_cast<size_t>(position));
    if (!item.visible) return;
    const MenuRect r = item.rect;
    view_.CopyBackground(r);
    bool cancel = false;
    if (DrawItem) {
        DrawItem(position, view_.Surface(MenuBuffer::Drawing), r.left, r.top, r.right - r.left, r.bottom - r.top,
                 cancel);
    }
    if (!cancel) {
        if (item.separator()) {
            view_.Line(r.left, r.right, r.top + 1, kMenuSeparator);
        } else {
            if (position == hot_) view_.FrameAndFill(MenuBuffer::Drawing, r, kMenuHotBorder, kMenuHotFill);
            view_.Text(MenuRect{r.left + kMenuTextIndent, r.top, r.right, r.bottom}, item.text,
                       item.enabled ? kMenuText : kMenuGreyText);
        }
    }
    if (single) view_.Present(r);
}

void CMenu::OnPaint() { view_.Present(MenuRect{0, 0, windowSize_.width, windowSize_.height}); }

void CMenu::Repaint(const MenuIndex& item) {
    const int i = Find(item);
    if (i >= 0 && window_) PaintItem(i, true);
}

int CMenu::Show(std::optional<int> x, std::optional<int> y) {
    if (!window_ || VisibleCount() == 0) return 0;
    const MenuSize screen = view_.ScreenSize();
    const MenuPoint cursor = (x && y) ? MenuPoint{} : view_.CursorPosition();
    const auto place = [](std::optional<int> given, int at, int size, int screenSize) {
        const int limit = screenSize - size;
        if (!given) return at > limit ? at - size : at;
        if (*given > limit) return limit;
        return *given < 0 ? 0 : *given;
    };
    return view_.ShowWindowAt(place(x, cursor.x, width_, screen.width), place(y, cursor.y, height_, screen.height));
}

int CMenu::Hide() { return window_ ? view_.HideWindow() : 0; }

int CMenu::HitTest(int x, int y) const {
    if (!(1 < x && x <= width_ - 2 && 1 < y && y <= height_ - 2)) return -1;
    for (int i = 0; i < Count(); ++i) {
        const MenuItem& item = items_[static_cast<size_t>(i)];
        if (item.visible && item.rect.top <= y && y <= item.rect.bottom) return i;
    }
    return -1;
}

void CMenu::OnMouseMove(int x, int y) {
    const int under = HitTest(x, y);
    if (under == hot_) return;
    const int old = hot_;
    hot_ = under;
    if (old >= 0) PaintItem(old, true);
    if (under >= 0) PaintItem(under, true);
}

void CMenu::OnMouseLeave() {
    const int old = hot_;
    hot_ = -1;
    if (old >= 0) PaintItem(old, true);
}

// A menu opened again shows no item under a mouse that has long moved on.
void CMenu::OnHidden() { OnMouseLeave(); }

void CMenu::OnLeftButtonUp(int x, int y) {
    const int i = HitTest(x, y);
    if (i < 0) return;
    const MenuItem& item = items_[static_cast<size_t>(i)];
    if (item.visible && item.enabled) Choose(i);
}

bool CMenu::OnKeyDown(int key) {
    for (int i = 0; i < Count(); ++i) {
        const MenuItem& item = items_[static_cast<size_t>(i)];
        if (item.visible && item.enabled && item.accelerator != 0 && item.accelerator == key) {
            Choose(i);
            return true;
        }
    }
    return false;
}

void CMenu::Choose(int position) {
    Hide();
    // A copy: the handler may release the menu, and with it this member.
    const auto handler = MenuClick;
    if (handler) handler(position);
}

std::string CMenu::Text(const MenuIndex& item) const { return Read(item, &MenuItem::text); }

void CMenu::SetText(const MenuIndex& item, const std::string& text) {
    if (!Write(item, &MenuItem::text, text)) return;
    Write(item, &MenuItem::accelerator, MenuAccelerator(text));
    // A longer text needs a wider menu.
    Layout();
}

std::string CMenu::Key(const MenuIndex& item) const { return Read(item, &MenuItem::key); }

void CMenu::SetKey(const MenuIndex& item, const std::string& key) {
    // Keys stay unique: another item's key is refused.
    const int other = key.empty() ? -1 : Find(MenuIndex(key));
    if (other < 0) Write(item, &MenuItem::key, key);
}

std::int32_t CMenu::Image(const MenuIndex& item) const { return Read(item, &MenuItem::image); }

void CMenu::SetImage(const MenuIndex& item, std::int32_t image) {
    if (Write(item, &MenuItem::image, image)) Repaint(item);
}

bool CMenu::Enabled(const MenuIndex& item) const { return Read(item, &MenuItem::enabled); }

void CMenu::SetEnabled(const MenuIndex& item, bool enabled) {
    if (Write(item, &MenuItem::enabled, enabled)) Repaint(item);
}

bool CMenu::Visible(const MenuIndex& item) const { return Read(item, &MenuItem::visible); }

void CMenu::SetVisible(const MenuIndex& item, bool visible) {
    if (Write(item, &MenuItem::visible, visible)) Layout();
}

bool CMenu::Checked(const MenuIndex& item) const { return Read(item, &MenuItem::checked); }

void CMenu::SetChecked(const MenuIndex& item, bool checked) {
    if (Write(item, &MenuItem::checked, checked)) Repaint(item);
}

std::int32_t CMenu::MenuType(const MenuIndex& item) const { return Read(item, &MenuItem::menuType); }

void CMenu::SetMenuType(const MenuIndex& item, std::int32_t menuType) {
    if (Write(item, &MenuItem::menuType, menuType)) Layout();
}

}  // namespace velmora
