#include "installers/win32/AzJieMian_win.h"

#include <commdlg.h>

#include "platform/win32/Wide.h"
#include "ui/win32/Backdrop.h"
#include "ui/win32/Picture.h"
#include "ui/win32/WindowClass.h"

namespace velmora {

namespace {

// Places in twips inside the 10000 x 6100 window.
constexpr int kImage1Left = 300, kImage1Top = 600, kImage1Width = 6000, kImage1Height = 4500;
constexpr int kSideLeft = 6600, kSideWidth = 3100;
constexpr int kCombo1Top = 600, kCombo1Height = 3000;
constexpr int kImage3Top = 1150, kImage3Height = 2325;
constexpr int kCheck1Top = 3600, kCheck1Height = 300;
constexpr int kButtonWidth = 1500, kButtonHeight = 420, kButtonGap = 100;
constexpr int kRow1Top = 4150, kRow2Top = 4700;

const wchar_t* const kImageClass = L"VelmoraJieMianImage";

// A picture box that shows its picture stretched over its whole area.
LRESULT CALLBACK ImageProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* picture = reinterpret_cast<Picture*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
            PaintBuffered(h, [h, picture](HDC dc, int w, int hh) {
                PaintParentBackdrop(h, dc, w, hh);
                if (picture) picture->Draw(dc, 0, 0, w, hh);
            });
            return 0;
        case WM_NCDESTROY:
            delete picture;
            SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            break;
        default: break;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

void SetPicture(HWND image, std::unique_ptr<Picture> picture) {
    delete reinterpret_cast<Picture*>(GetWindowLongPtrW(image, GWLP_USERDATA));
    SetWindowLongPtrW(image, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture.release()));
    InvalidateRect(image, nullptr, TRUE);
}

}  // namespace

AzJieMianWindow::AzJieMianWindow(Platform& platform)
    : FramedWindow(platform, ChuangTiKuangJia(ChuangTiBianHao::AzJieMian)), installer_(platform, this) {}

AzJieMianWindow::~AzJieMianWindow() {
    if (hwnd()) DestroyWindow(hwnd());
    if (font_) DeleteObject(font_);
}

bool AzJieMianWindow::Load() {
    if (!Create()) return false;
    CreateControls();
    installer_.Load();
    return hwnd() != nullptr;
}

void AzJieMianWindow::CreateControls() {
    RegisterClassOnce(kImageClass, ImageProc, 0, nullptr);
    font_ = InterfaceFont(9, false);
    const struct {
        int id;
        const wchar_t* cls;
        const char* text;
        DWORD style;
        int x, y, w, h;
    } children[] = {
        {kIdJieMianImage1, kImageClass, "Image1", 0, kImage1Left, kImage1Top, kImage1Width, kImage1Height},
        {kIdJieMianCombo1, L"COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kSideLeft, kCombo1Top,
         kSideWidth, kCombo1Height},
        {kIdJieMianImage3, kImageClass, "Image3", 0, kSideLeft, kImage3Top, kSideWidth, kImage3Height},
        {kIdJieMianCheck1, L"BUTTON", "显示缩略图", WS_TABSTOP | BS_AUTOCHECKBOX, kSideLeft, kCheck1Top, kSideWidth,
         kCheck1Height},
        {kIdJieMianCommand1, L"BUTTON", "应用效果", WS_TABSTOP | BS_PUSHBUTTON, kSideLeft, kRow1Top, kButtonWidth,
         kButtonHeight},
        {kIdJieMianCommand4, L"BUTTON", "查看效果", WS_TABSTOP | BS_PUSHBUTTON, kSideLeft + kButtonWidth + kButtonGap,
         kRow1Top, kButtonWidth, kButtonHeight},
        {kIdJieMianCommand3, L"BUTTON", "自定义图片", WS_TABSTOP | BS_PUSHBUTTON, kSideLeft, kRow2Top, kButtonWidth,
         kButtonHeight},
        {kIdJieMianCommand2, L"BUTTON", "还原系统默认", WS_TABSTOP | BS_PUSHBUTTON,
         kSideLeft + kButtonWidth + kButtonGap, kRow2Top, kButtonWidth, kButtonHeight},
    };
    for (const auto& c : children) {
        HWND child = CreateWindowExW(0, c.cls, Widen(c.text).c_str(), WS_CHILD | WS_VISIBLE | c.style, PxX(c.x),
                                     PxY(c.y), PxX(c.w), PxY(c.h), hwnd(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleW(nullptr),
                                     nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
}

void AzJieMianWindow::ShowPicture(int id, const std::string& path, std::string& shown) {
    if (path == shown) return;
    shown = path;
    SetPicture(Child(id), path.empty() ? nullptr : Picture::Load(platform().files, path));
}

void AzJieMianWindow::Update(const AzJieMianKongJian& c) {
    if (!hwnd()) return;
    HWND combo = Child(kIdJieMianCombo1);
    if (c.moBan != listed_) {
        listed_ = c.moBan;
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const std::string& name : c.moBan) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
        }
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(c.xuanZhong), 0);
    EnableWindow(combo, c.moBanKeYong);
    EnableWindow(Child(kIdJieMianCheck1), c.suoLueTuKeYong);
    SendMessageW(Child(kIdJieMianCheck1), BM_SETCHECK, c.suoLueTu ? BST_CHECKED : BST_UNCHECKED, 0);
    ShowWindow(Child(kIdJieMianImage3), c.xianShiSuoLueTu ? SW_SHOW : SW_HIDE);
    ShowWindow(Child(kIdJieMianCommand3), c.ziDingYiKeJian ? SW_SHOW : SW_HIDE);
    EnableWindow(Child(kIdJieMianCommand1), c.yingYongKeYong);
    EnableWindow(Child(kIdJieMianCommand4), c.chaKanKeYong);
    ShowPicture(kIdJieMianImage1, c.daTu, image1_);
    ShowPicture(kIdJieMianImage3, c.xiaoTu, image3_);
}

std::optional<std::string> AzJieMianWindow::ChooseFile(const std::string& filterName, const std::string& filter,
                                                       const std::string& title, const std::string& startFolder) {
    std::wstring filters = Widen(filterName);
    filters += L'\0';
    filters += Widen(filter);
    filters += L'\0';
    filters += L'\0';
    const std::wstring wideTitle = Widen(title), start = Widen(startFolder);
    wchar_t file[MAX_PATH * 2] = {};
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd();
    ofn.lpstrFilter = filters.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH * 2;
    ofn.lpstrTitle = wideTitle.c_str();
    ofn.lpstrInitialDir = start.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn)) return std::nullopt;
    return Narrow(file, wcslen(file));
}

bool AzJieMianWindow::CanShow(const std::string& picture) { return Picture::Load(platform().files, picture) != nullptr; }

void AzJieMianWindow::Unload() {
    if (hwnd()) DestroyWindow(hwnd());
    if (onUnload) onUnload();
}

LRESULT AzJieMianWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) {
        const int id = LOWORD(wp), code = HIWORD(wp);
        if (id == kIdJieMianCombo1 && code == CBN_SELCHANGE) {
            installer_.Combo1Click(static_cast<int>(SendMessageW(Child(id), CB_GETCURSEL, 0, 0)));
            return 0;
        }
        if (code == BN_CLICKED) {
            switch (id) {
                case kIdJieMianCheck1:
                    installer_.Check1Click(SendMessageW(Child(id), BM_GETCHECK, 0, 0) == BST_CHECKED);
                    return 0;
                case kIdJieMianCommand1: installer_.Command1Click(); return 0;
                case kIdJieMianCommand2: installer_.Command2Click(); return 0;
                case kIdJieMianCommand3: installer_.Command3Click(); return 0;
                case kIdJieMianCommand4: installer_.Command4Click(); return 0;
                default: break;
            }
        }
    }
    return FramedWindow::OnMessage(msg, wp, lp);
}

}  // namespace velmora
