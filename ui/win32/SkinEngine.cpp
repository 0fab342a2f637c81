#include "ui/win32/SkinEngine.h"

#include <optional>

#include "platform/FileSystem.h"
#include "core/SkinFile.h"

namespace velmora {

namespace {

struct ActiveSkin {
    SkinColors colors;
    HBRUSH face = nullptr;
    HBRUSH window = nullptr;
};

std::optional<ActiveSkin>& Active() {
    static std::optional<ActiveSkin> skin;
    return skin;
}

// Every shown window of the thread with all its controls; a hidden one takes the colours when it
// is painted on showing.
BOOL CALLBACK RepaintWindow(HWND h, LPARAM) {
    if (IsWindowVisible(h)) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return TRUE;
}

}  // namespace

int SkinH_AttachEx(FileSystem& files, const std::string& skinFile, const std::string& /*password*/) {
    const auto text = files.ReadAll(skinFile);
    if (!text) return 1;
    const auto colors = ParseSkinFile(*text);
    if (!colors) return 1;
    auto& active = Active();
    if (active) {
        if (active->face) DeleteObject(active->face);
        if (active->window) DeleteObject(active->window);
    }
    ActiveSkin skin;
    skin.colors = *colors;
    if (colors->face) skin.face = CreateSolidBrush(*colors->face);
    if (colors->window) skin.window = CreateSolidBrush(*colors->window);
    active = skin;
    EnumThreadWindows(GetCurrentThreadId(), RepaintWindow, 0);
    return 0;
}

HBRUSH SkinControlColors(UINT ctlColorMessage, HDC hdc) {
    const auto& active = Active();
    if (!active) return nullptr;
    const SkinColors& c = active->colors;
    const bool field = ctlColorMessage == WM_CTLCOLOREDIT || ctlColorMessage == WM_CTLCOLORLISTBOX;
    HBRUSH brush = field ? active->window : active->face;
    if (!brush) return nullptr;
    const auto& textColor = field ? c.windowText : c.text;
    if (textColor) SetTextColor(hdc, *textColor);
    SetBkColor(hdc, field ? *c.window : *c.face);
    return brush;
}

bool SkinnedControlColor(UINT msg, WPARAM wp, LRESULT* result) {
    switch (msg) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG: break;
        default: return false;
    }
    HBRUSH brush = SkinControlColors(msg, reinterpret_cast<HDC>(wp));
    if (!brush) return false;
    *result = reinterpret_cast<LRESULT>(brush);
    return true;
}

}  // namespace velmora
