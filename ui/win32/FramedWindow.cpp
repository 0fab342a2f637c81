#include "ui/win32/FramedWindow.h"

#include <shellapi.h>

#include <utility>

#include "platform/win32/Wide.h"
#include "ui/win32/Screen.h"
#include "ui/win32/SkinEngine.h"
#include "ui/win32/WindowClass.h"

namespace velmora {

namespace {
int gLiveWindows = 0;
constexpr SIZE kCloseSize = {42, 22};
constexpr SIZE kMinimizeSize = {28, 22};

bool IsIconFile(const std::string& path) {
    return path.size() >= 4 && lstrcmpiW(Widen(path.substr(path.size() - 4)).c_str(), L".ico") == 0;
}

// The image of the file that suits the system's icon size of that kind, as ExtractIconEx picks it.
HICON LoadIconFile(const std::string& path, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(nullptr, Widen(path).c_str(), IMAGE_ICON, GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_LOADFROMFILE));
}

}  // namespace

int LiveFramedWindows() { return gLiveWindows; }

FramedWindow::FramedWindow(Platform& platform, KuangJia frame) : p_(platform), frame_(std::move(frame)) {}

FramedWindow::~FramedWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (titleFont_) DeleteObject(titleFont_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    if (bigIcon_) DestroyIcon(bigIcon_);
}

bool FramedWindow::Create() {
    RegisterClassOnce(kFrameClass, Proc, CS_DBLCLKS, nullptr);
    dpiX_ = ScreenDpi().cx;
    dpiY_ = ScreenDpi().cy;
    hwnd_ = CreateWindowExW(WS_EX_APPWINDOW, kFrameClass, Widen(frame_.caption).c_str(),
                            WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100,
                            nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) return false;
    SetBackdrop(hwnd_, this);
    titleFont_ = InterfaceFont(9, true);
    title_.SetFont(titleFont_);
    title_.onLeftDown = [this] {
        if (KaiShiTuoDong(TuoDongQu::WenZi, ShuBiaoShiJian::ZuoJianAnXia, true)) StartDrag();
    };
    title_.Create(hwnd_, "WenZi", 0, 0, 300, 20);
    close_.Create(hwnd_, "GuanBi", 0, 0, kCloseSize.cx, kCloseSize.cy);
    WireButton(close_, AnNiuTuPian{"Close"}, closeState_, true);
    return true;
}

void FramedWindow::WireButton(AlphaImage& button, AnNiuTuPian pictures, AnNiuZhuangTai& state, bool close) {
    const auto show = [this, &button, pictures, &state](ShuBiaoShiJian event, bool held) {
        state = AnNiuXinZhuangTai(state, event, held);
        button.SetPicture(p_.files, pictures.Path(p_, state), static_cast<int>(state));
    };
    button.onLeave = [show] { show(ShuBiaoShiJian::LiKai, false); };
    // The button's look follows every move, so it is reloaded as often as the mouse moves.
    button.onMove = [show](bool anyHeld, bool) { show(ShuBiaoShiJian::YiDong, anyHeld); };
    button.onLeftDown = [show] { show(ShuBiaoShiJian::ZuoJianAnXia, true); };
    button.onClick = [this, close](bool left) {
        if (!left) return;
        if (close) {
            OnCloseClicked();
        } else {
            OnMinimizeClicked();
        }
    };
    button.SetPicture(p_.files, pictures.Path(p_, AnNiuZhuangTai::PuTong), static_cast<int>(AnNiuZhuangTai::PuTong));
}

void FramedWindow::StartDrag() {
    ReleaseCapture();
    SendMessageW(hwnd_, WM_SYSCOMMAND, 0xF012, 0);  // move, as if by the caption
}

void FramedWindow::PlaceTitle(int leftTwips, int topTwips) {
    SetWindowPos(title_.hwnd(), nullptr, PxX(leftTwips), PxY(topTwips), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void FramedWindow::SetTitleText(const std::string& text) {
    title_.SetText(text);
    // Size the label to its text so that it only covers what it shows (measured off screen: the
    // screen's resolution is all that counts).
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, titleFont_);
    SIZE extent = {0, 0};
    const std::wstring w = Widen(text);
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &extent);
    SelectObject(dc, old);
    DeleteDC(dc);
    SetWindowPos(title_.hwnd(), nullptr, 0, 0, extent.cx + 2, extent.cy + 2, SWP_NOMOVE | SWP_NOZORDER);
}

void FramedWindow::SetBackgroundArea(int widthTwips, int heightTwips) {
    backgroundArea_ = {PxX(widthTwips), PxY(heightTwips)};
    cache_.Invalidate();
    Repaint(hwnd_);
}

void FramedWindow::SetWindowSize(int widthTwips, int heightTwips) {
    const int w = PxX(widthTwips), h = PxY(heightTwips);
    // Centred on the work area of the screen, like a window that opens in the middle.
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + ((work.right - work.left) - w) / 2;
    const int y = work.top + ((work.bottom - work.top) - h) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FramedWindow::PlaceCloseButton(int leftTwips, int topTwips) {
    SetWindowPos(close_.hwnd(), HWND_TOP, PxX(leftTwips), PxY(topTwips), 0, 0, SWP_NOSIZE);
}

void FramedWindow::PlaceMinimizeButton(int leftTwips, int topTwips) {
    if (!minimize_.hwnd()) {
        minimize_.Create(hwnd_, "SuoXiao", 0, 0, kMinimizeSize.cx, kMinimizeSize.cy);
        WireButton(minimize_, AnNiuTuPian{"Minimization"}, minimizeState_, false);
    }
    SetWindowPos(minimize_.hwnd(), HWND_TOP, PxX(leftTwips), PxY(topTwips), 0, 0, SWP_NOSIZE);
}

bool FramedWindow::LoadBackground(const std::string& path) {
    background_ = Picture::Load(p_.files, path);
    cache_.Invalidate();
    Repaint(hwnd_);
    return background_ != nullptr;
}

bool FramedWindow::SetIcon(const std::string& path, const std::string& fallbackExe, int index) {
    const std::string file = AnyFileExists(p_.files, path) ? path : fallbackExe;
    HICON big = nullptr, small = nullptr;
    if (index == 0 && IsIconFile(file)) {
        // An icon file holds a single icon: read it without loading the shell's library, which
        // the window does not need before it shows.
        big = LoadIconFile(file, SM_CXICON, SM_CYICON);
        small = LoadIconFile(file, SM_CXSMICON, SM_CYSMICON);
    } else {
        ExtractIconExW(Widen(file).c_str(), index, &big, &small, 1);
    }
    if (!small) {
        if (big) DestroyIcon(big);
        return false;
    }
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    if (big) SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (smallIcon_) DestroyIcon(smallIcon_);
    if (bigIcon_) DestroyIcon(bigIcon_);
    smallIcon_ = small;
    bigIcon_ = big;
    return true;
}

void FramedWindow::AllowMinimize() {
    const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    SetWindowLongPtrW(hwnd_, GWL_STYLE, style | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
}

void FramedWindow::RoundCorners(int widthTwips, int heightTwips, int cornerPixels) {
    HRGN region = CreateRoundRectRgn(0, 0, PxX(widthTwips), PxY(heightTwips), cornerPixels, cornerPixels);
    if (region && !SetWindowRgn(hwnd_, region, TRUE)) DeleteObject(region);  // the window owns it on success
}

void FramedWindow::SetOpacity(uint8_t alpha) {
    const LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd_, 0, alpha, LWA_ALPHA);
}

void FramedWindow::PaintBackdrop(HDC hdc, int originX, int originY, int width, int height) {
    RECT client;
    GetClientRect(hwnd_, &client);
    cache_.Paint(hdc, originX, originY, width, height, SIZE{client.right, client.bottom},
                 [this, &client](HDC mem) { ComposeBackdrop(mem, client.right, client.bottom); });
}

void FramedWindow::ComposeBackdrop(HDC hdc, int width, int height) {
    // The picture is drawn at its own size (scaled with the screen's DPI) and cut at DaoHang;
    // where it does not reach is the dialog face.
    const int pw = background_ ? MulDiv(background_->Width(), dpiX_, 96) : 0;
    const int ph = background_ ? MulDiv(background_->Height(), dpiY_, 96) : 0;
    const int cw = backgroundArea_.cx < pw ? backgroundArea_.cx : pw;
    const int ch = backgroundArea_.cy < ph ? backgroundArea_.cy : ph;
    if (!background_ || !background_->Opaque() || cw < width || ch < height) {
        RECT all = {0, 0, width, height};
        FillRect(hdc, &all, GetSysColorBrush(COLOR_BTNFACE));
    }
    if (background_) {
        HRGN clip = CreateRectRgn(0, 0, cw, ch);
        SelectClipRgn(hdc, clip);
        background_->Draw(hdc, 0, 0, pw, ph);
        SelectClipRgn(hdc, nullptr);
        DeleteObject(clip);
    }
    for (const Sprite& s : sprites_) {
        if (!s.visible || !s.picture) continue;
        const SIZE size = s.Size(dpiX_, dpiY_);
        s.picture->DrawPart(hdc, s.at.x, s.at.y, size.cx, size.cy, s.part);
    }
}

int FramedWindow::AddSprite(const std::string& path, int leftTwips, int topTwips, bool visible) {
    std::shared_ptr<const Picture> picture = Picture::Load(p_.files, path);
    const RECT whole = {0, 0, picture ? picture->Width() : 0, picture ? picture->Height() : 0};
    return AddSprite(std::move(picture), whole, leftTwips, topTwips, visible);
}

int FramedWindow::AddSprite(std::shared_ptr<const Picture> strip, const RECT& part, int leftTwips, int topTwips,
                            bool visible) {
    sprites_.push_back(Sprite{std::move(strip), part, POINT{PxX(leftTwips), PxY(topTwips)}, visible});
    InvalidateSprite(sprites_.back());
    return static_cast<int>(sprites_.size()) - 1;
}

SIZE FramedWindow::Sprite::Size(int dpiX, int dpiY) const {
    return SIZE{MulDiv(part.right - part.left, dpiX, 96), MulDiv(part.bottom - part.top, dpiY, 96)};
}

void FramedWindow::InvalidateSprite(const Sprite& s) {
    cache_.Invalidate();
    if (!s.picture || !hwnd_) return;
    const SIZE size = s.Size(dpiX_, dpiY_);
    RECT rc = {s.at.x, s.at.y, s.at.x + size.cx, s.at.y + size.cy};
    Repaint(hwnd_, &rc);
}

void FramedWindow::MoveSprite(int sprite, int leftTwips, int topTwips) {
    Sprite& s = sprites_.at(static_cast<size_t>(sprite));
    const POINT to = {PxX(leftTwips), PxY(topTwips)};
    if (to.x == s.at.x && to.y == s.at.y) return;
    InvalidateSprite(s);
    s.at = to;
    InvalidateSprite(s);
}

void FramedWindow::ShowSprite(int sprite, bool visible) {
    Sprite& s = sprites_.at(static_cast<size_t>(sprite));
    if (s.visible == visible) return;
    s.visible = visible;
    InvalidateSprite(s);
}

POINT FramedWindow::SpritePosition(int sprite) const { return sprites_.at(static_cast<size_t>(sprite)).at; }

bool FramedWindow::SpriteVisible(int sprite) const { return sprites_.at(static_cast<size_t>(sprite)).visible; }

LRESULT CALLBACK FramedWindow::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    FramedWindow* self = AttachedObject<FramedWindow>(h, msg, lp);
    if (!self) return DefWindowProcW(h, msg, wp, lp);
    if (msg == WM_NCCREATE) {
        self->hwnd_ = h;
        ++gLiveWindows;
    }
    if (msg == WM_NCDESTROY) {
        self->hwnd_ = nullptr;
        SetBackdrop(h, nullptr);
        if (--gLiveWindows == 0) PostQuitMessage(0);
        return DefWindowProcW(h, msg, wp, lp);
    }
    return self->OnMessage(msg, wp, lp);
}

LRESULT FramedWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_NCPAINT: return 0;  // no border or caption to draw
        case WM_PAINT:
            PaintBackdropWindow(hwnd_, *this);
            return 0;
        case WM_MOUSEMOVE:
            if (KaiShiTuoDong(TuoDongQu::DaoHang, ShuBiaoShiJian::YiDong, (wp & MK_LBUTTON) != 0)) StartDrag();
            return 0;
        case WM_CLOSE:
            // Alt+F4 and the taskbar's close do what the close button does.
            OnCloseClicked();
            return 0;
        default: {
            LRESULT skinned = 0;
            if (SkinnedControlColor(msg, wp, &skinned)) return skinned;
            return DefWindowProcW(hwnd_, msg, wp, lp);
        }
    }
}

}  // namespace velmora
