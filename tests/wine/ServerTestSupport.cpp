#include "tests/wine/ServerTestSupport.h"

#include <cstring>

namespace velmora::uitest {

long RunRegsvr32(const std::wstring& switches, const std::wstring& library) {
    std::wstring command = L"regsvr32.exe " + switches + L" \"" + library + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<long>(code);
}

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::wstring DefaultValue(HKEY root, const std::wstring& path, const wchar_t* name) {
    wchar_t text[1024] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return L"";
    const LONG r = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? text : L"";
}

Capture::Capture(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    if (width_ <= 0 || height_ <= 0) return;
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
    HDC source = GetDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
        GdiFlush();
        memcpy(pixels_.data(), bits, pixels_.size() * sizeof(DWORD));
        SelectObject(memory, old);
    }
    if (dib) DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(window, source);
}

COLORREF Capture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const DWORD p = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Capture::Contains(COLORREF colour, int left, int top, int right, int bottom) const {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (At(x, y) == colour) return true;
    return false;
}

}  // namespace velmora::uitest
