#include "installers/win32/AzBiZhi_win.h"

#include "platform/win32/Wide.h"
#include "ui/win32/WindowClass.h"

namespace velmora {

namespace {

const wchar_t* const kPictureClass = L"VelmoraBiZhiTu";

// Places in twips inside the 8890 x 7020 window: the picture fills the middle, the position
// box and the button share the bottom row.
constexpr int kTuLeft = 300, kTuTop = 600, kTuWidth = 8290, kTuHeight = 5350;
constexpr int kRowTop = 6200, kBoxLeft = 300, kBoxWidth = 1600;
constexpr int kButtonLeft = 6590, kButtonWidth = 2000, kButtonHeight = 450;

}  // namespace

AzBiZhiWindow::AzBiZhiWindow(Platform& platform)
    : FramedWindow(platform, ChuangTiKuangJia(ChuangTiBianHao::AzBiZhi)), azBiZhi_(platform, *this) {}

AzBiZhiWindow::~AzBiZhiWindow() {
    if (font_) DeleteObject(font_);
}

bool AzBiZhiWindow::Load(const std::string& dangQianTuPian) {
    if (!Create()) return false;
    CreateControls();
    azBiZhi_.Load(dangQianTuPian);
    return true;
}

void AzBiZhiWindow::CreateControls() {
    RegisterClassOnce(kPictureClass, PictureProc, 0, LoadCursorW(nullptr, IDC_ARROW));
    font_ = InterfaceFont(9, false);
    const HINSTANCE module = GetModuleHandleW(nullptr);
    biZhiTu_ = CreateWindowExW(WS_EX_CLIENTEDGE, kPictureClass, L"BiZhiTu", WS_CHILD | WS_VISIBLE, PxX(kTuLeft),
                               PxY(kTuTop), PxX(kTuWidth), PxY(kTuHeight), hwnd(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdBiZhiTu)), module, this);
    SetWindowLongPtrW(biZhiTu_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    biZhiWeiZhi_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST,
                                   PxX(kBoxLeft), PxY(kRowTop), PxX(kBoxWidth), 160, hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdBiZhiWeiZhi)), module, nullptr);
    for (const BiZhiWeiZhiXiang& w : BiZhiWeiZhiBiao()) {
        SendMessageW(biZhiWeiZhi_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(w.name).c_str()));
    }
    anZhuang_ = CreateWindowExW(0, L"BUTTON", L"壁 纸 安 装", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                PxX(kButtonLeft), PxY(kRowTop), PxX(kButtonWidth), PxY(kButtonHeight), hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdAnZhuang)), module, nullptr);
    for (HWND control : {biZhiWeiZhi_, anZhuang_}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
}

LRESULT CALLBACK AzBiZhiWindow::PictureProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<AzBiZhiWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (msg != WM_PAINT || !self) return DefWindowProcW(h, msg, wp, lp);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT rc;
    GetClientRect(h, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
    // The whole picture, as large as fits, centred.
    if (const Picture* pic = self->picture_.get(); pic && pic->Width() > 0 && pic->Height() > 0) {
        int w = rc.right, hgt = MulDiv(rc.right, pic->Height(), pic->Width());
        if (hgt > rc.bottom) {
            hgt = rc.bottom;
            w = MulDiv(rc.bottom, pic->Width(), pic->Height());
        }
        pic->Draw(dc, (rc.right - w) / 2, (rc.bottom - hgt) / 2, w, hgt);
    }
    EndPaint(h, &ps);
    return 0;
}

void AzBiZhiWindow::ShowPicture(const std::string& path) {
    picture_ = path.empty() ? nullptr : Picture::Load(path);
    if (biZhiTu_) InvalidateRect(biZhiTu_, nullptr, TRUE);
}

void AzBiZhiWindow::SelectPosition(int index) { SendMessageW(biZhiWeiZhi_, CB_SETCURSEL, index, 0); }

std::string AzBiZhiWindow::PositionText() {
    const LRESULT i = SendMessageW(biZhiWeiZhi_, CB_GETCURSEL, 0, 0);
    const auto& items = BiZhiWeiZhiBiao();
    return (i >= 0 && static_cast<size_t>(i) < items.size()) ? items[static_cast<size_t>(i)].name : std::string();
}

void AzBiZhiWindow::Unload() {
    unloaded_ = true;
    if (hwnd()) DestroyWindow(hwnd());
}

LRESULT AzBiZhiWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && LOWORD(wp) == kIdAnZhuang && HIWORD(wp) == BN_CLICKED) {
        azBiZhi_.OnAnZhuang();
        return 0;
    }
    return FramedWindow::OnMessage(msg, wp, lp);
}

}  // namespace velmora
