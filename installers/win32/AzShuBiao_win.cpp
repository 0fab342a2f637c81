#include "installers/win32/AzShuBiao_win.h"

#include <shellapi.h>

#include "platform/win32/Wide.h"
#include "ui/win32/WindowClass.h"

namespace velmora {

namespace {

const wchar_t* const kBoxClass = L"VelmoraShuBiaoYuLan";
constexpr int kContainer = 16;

// Twips: the container inside the window, the cells inside the container, the buttons.
constexpr int kContainerLeft = 90, kContainerTop = 405, kContainerWidth = 3255, kContainerHeight = 3615;
constexpr int kCellSize = 540;
constexpr int kColumns[] = {240, 1395, 2520};
constexpr int kRows[] = {180, 855, 1530, 2205, 2880};
constexpr int kButtonTop = 4140, kButtonWidth = 930, kButtonHeight = 330;
constexpr int kCommand1Left = 270, kCommand2Left = 2205;

// The system image list's icon index at the shell's icon size. Asking for the executable type
// as well makes the call answer with that type alone (no image list), so it is not asked.
constexpr UINT kShellInfoFlags = SHGFI_SYSICONINDEX | SHGFI_SHELLICONSIZE;

}  // namespace

AzShuBiaoWindow::AzShuBiaoWindow(Platform& platform)
    : FramedWindow(platform, ChuangTiKuangJia(ChuangTiBianHao::AzShuBiao)), azShuBiao_(platform, *this) {}

AzShuBiaoWindow::~AzShuBiaoWindow() {
    // The hover cursors are of no use once the window is gone.
    for (Ge& c : cells_) {
        if (c.cursor) DestroyCursor(c.cursor);
    }
    if (font_) DeleteObject(font_);
}

bool AzShuBiaoWindow::Load(const std::string& dangQianZiYuanMuLu) {
    if (!Create()) return false;
    CreateControls();
    azShuBiao_.Load(dangQianZiYuanMuLu);
    return true;
}

void AzShuBiaoWindow::CreateControls() {
    RegisterClassOnce(kBoxClass, BoxProc, 0, nullptr);
    const HINSTANCE module = GetModuleHandleW(nullptr);
    const auto box = [&](HWND parent, int id, int x, int y, int w, int h, DWORD exStyle) {
        const std::wstring name = L"Picture" + std::to_wstring(id);
        HWND child = CreateWindowExW(exStyle, kBoxClass, name.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                                     w, h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdShuBiaoGe + id)),
                                     module, nullptr);
        SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        return child;
    };
    container_ = box(hwnd(), kContainer, PxX(kContainerLeft), PxY(kContainerTop), PxX(kContainerWidth),
                     PxY(kContainerHeight), WS_EX_CLIENTEDGE);
    for (int cell = 1; cell <= kShuBiaoJueSeShu; ++cell) {
        const int column = (cell - 1) % 3, row = (cell - 1) / 3;
        cells_[static_cast<size_t>(cell)].hwnd =
            box(container_, cell, PxX(kColumns[column]), PxY(kRows[row]), PxX(kCellSize), PxY(kCellSize), 0);
    }
    font_ = InterfaceFont(9, false);
    const struct {
        int id, left;
        const wchar_t* text;
    } buttons[] = {{kIdCommand1, kCommand1Left, L"安 装"}, {kIdCommand2, kCommand2Left, L"还 原"}};
    for (const auto& b : buttons) {
        HWND button = CreateWindowExW(0, L"BUTTON", b.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                      PxX(b.left), PxY(kButtonTop), PxX(kButtonWidth), PxY(kButtonHeight), hwnd(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), module, nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
}

LRESULT CALLBACK AzShuBiaoWindow::BoxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<AzShuBiaoWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!self) return DefWindowProcW(h, msg, wp, lp);
    return self->Box(h, GetDlgCtrlID(h) - kIdShuBiaoGe, msg, wp, lp);
}

LRESULT AzShuBiaoWindow::Box(HWND h, int cell, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            RECT rc;
            GetClientRect(h, &rc);
            FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
            if (cell != kContainer) {
                const Ge& c = cells_[static_cast<size_t>(cell)];
                if (c.list) ImageList_Draw(c.list, c.icon, dc, 0, 0, ILD_TRANSPARENT);
            }
            EndPaint(h, &ps);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (cell == kContainer) {
                azShuBiao_.OnContainerMouseMove();
            } else {
                azShuBiao_.OnCellMouseMove(cell);
            }
            return 0;
        case WM_SETCURSOR:
            if (cell != kContainer && cells_[static_cast<size_t>(cell)].cursor) {
                SetCursor(cells_[static_cast<size_t>(cell)].cursor);
            } else {
                SetCursor(LoadCursorW(nullptr, IDC_ARROW));
            }
            return TRUE;
        default: return DefWindowProcW(h, msg, wp, lp);
    }
}

void AzShuBiaoWindow::DrawShellIcon(int cell, const std::string& file) {
    Ge& c = cells_.at(static_cast<size_t>(cell));
    // The shell finds nothing for a path with forward slashes, which other calls accept.
    std::wstring path = Widen(file);
    for (wchar_t& ch : path) {
        if (ch == L'/') ch = L'\\';
    }
    SHFILEINFOW info = {};
    const auto list =
        reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, kShellInfoFlags));
    if (!list) return;
    c.list = list;
    c.icon = info.iIcon;
    InvalidateRect(c.hwnd, nullptr, TRUE);
}

bool AzShuBiaoWindow::SetCellCursor(int cell, const std::string& file) {
    Ge& c = cells_.at(static_cast<size_t>(cell));
    HCURSOR cursor = LoadCursorFromFileW(Widen(file).c_str());
    if (!cursor) return false;
    if (c.cursor) DestroyCursor(c.cursor);
    c.cursor = cursor;
    // The pointer is over the cell right now: show it at once, not at the next move.
    POINT at;
    if (GetCursorPos(&at) && WindowFromPoint(at) == c.hwnd) SetCursor(cursor);
    return true;
}

void AzShuBiaoWindow::Unload() {
    unloaded_ = true;
    if (hwnd()) DestroyWindow(hwnd());
}

LRESULT AzShuBiaoWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        if (LOWORD(wp) == kIdCommand1) {
            azShuBiao_.OnAnZhuang();
            return 0;
        }
        if (LOWORD(wp) == kIdCommand2) {
            azShuBiao_.OnHuanYuan();
            return 0;
        }
    }
    return FramedWindow::OnMessage(msg, wp, lp);
}

}  // namespace velmora
