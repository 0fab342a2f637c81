#include "kelpo/ClsIcon_win.h"

namespace velmora::kelpo {

bool DrawIconImage(const ClsIcon& icon, HDC dc, int x, int y, int index) {
    std::string data = icon.Data(index);
    if (data.empty() || !dc) return false;
    const int width = icon.Width(index), height = icon.Height(index);
    HICON made = CreateIconFromResourceEx(reinterpret_cast<PBYTE>(data.data()), static_cast<DWORD>(data.size()), TRUE,
                                          0x00030000, width, height, LR_DEFAULTCOLOR);
    if (!made) return false;
    const BOOL drawn = DrawIconEx(dc, x, y, made, width, height, 0, nullptr, DI_NORMAL);
    DestroyIcon(made);
    return drawn != FALSE;
}

std::string ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) {
    HRSRC found = FindResourceW(module, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, found);
    if (!bytes || size == 0) return {};
    return std::string(static_cast<const char*>(bytes), size);
}

}  // namespace velmora::kelpo
