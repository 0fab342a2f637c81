#include "library/win32/GuanLiZhongXin_win.h"

#include <commdlg.h>

#include "com/Automation.h"
#include "core/BiZhiWeiZhi.h"
#include "core/LuJing.h"
#include "library/win32/AnZhuangChuangKou.h"
#include "library/win32/XianShiTuPian.h"
#include "platform/win32/Wide.h"
#include "ui/win32/WindowClass.h"

namespace velmora {

namespace {

const wchar_t* const kPanelClass = L"VelmoraPanel";
constexpr UINT_PTR kFillTimer = 1;

// Places in twips: in the window, then in TuPianKuang, then in FenYeKuang.
constexpr int kLeiBiao[] = {45, 405, 2355, 6075};
constexpr int kTuPianKuang[] = {2430, 405, 8475, 7755};
constexpr int kBiZhiZuoWeiHai[] = {90, 7875};
constexpr int kBiZhiWeiZhi[] = {720, 7830, 1455};
constexpr int kListBoxTop = 8400;  // below the visible part of the 8265-twip window
constexpr int kTileLefts[] = {150, 2940, 5730};
constexpr int kTileTops[] = {120, 2490, 4860};
constexpr int kTileWidth = 2550, kTileHeight = 2205;
constexpr int kJiaZaiTu[] = {1620, 2760, 5190, 450};
constexpr int kMeiYouTu[] = {-180, 3210, 8595, 465};
constexpr int kFenYeKuang[] = {2250, 7245, 4275, 435};
constexpr int kShangYiYe[] = {120, 30, 825, 375};
constexpr int kXiaYiYe[] = {1860, 30, 825, 375};
constexpr int kDangQianYe[] = {1350, 120};
constexpr int kWenZi1[] = {3150, 180};
constexpr int kYeShuZi[] = {3510, 150};
constexpr int kHoverOffset = 60, kHoverWidth = 2700, kHoverHeight = 2340;
// The tile's picture part inside the tile, in twips (the tile cuts its outer pixels off).
constexpr int kImageWidth = 2595, kImageHeight = 1965;

constexpr COLORREF kCyan = RGB(0, 255, 255);  // 0xFFFF00 as the window stores it
constexpr COLORREF kRed = RGB(255, 0, 0);

// "名称(*.jpg)|*.jpg|" as the common dialog wants it: NUL-separated, ending in two NULs.
std::wstring DialogFilter(const std::string& filter) {
    std::wstring wide = Widen(filter);
    for (wchar_t& c : wide) {
        if (c == L'|') c = L'\0';
    }
    wide.push_back(L'\0');
    return wide;
}

HFONT SimSun(int tenthsOfPoint, bool bold) {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(tenthsOfPoint, GetDeviceCaps(screen, LOGPIXELSY), 720);
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体");
}

// Runs the self-registration of Kelpo.dll and Thumb.dll in the program directory.
void ZhuCeKongJianKu(Platform& p) {
    for (const char* library : {"\\Kelpo.dll", "\\Thumb.dll"}) {
        HMODULE module = LoadLibraryW(Widen(ChengXuLuJing(p, library)).c_str());
        if (!module) continue;
        using Register = HRESULT(STDAPICALLTYPE*)();
        if (auto reg = reinterpret_cast<Register>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")))) {
            reg();
        }
        FreeLibrary(module);
    }
}

// Overlapping children (the highlight under a tile, the page count inside "共    页") paint only
// where no sibling above them is.
void ClipSiblings(HWND child) {
    SetWindowLongPtrW(child, GWL_STYLE, GetWindowLongPtrW(child, GWL_STYLE) | WS_CLIPSIBLINGS);
}

std::unique_ptr<GuanLiZhongXinWindow>& Instance() {
    static std::unique_ptr<GuanLiZhongXinWindow> instance;
    return instance;
}

}  // namespace

HWND GuanLiZhongXinWindow::Panel::Create(HWND parent, int id, int x, int y, int width, int height) {
    RegisterClassOnce(kPanelClass, ObjectWindowProc<Panel>, 0, nullptr);
    hwnd_ = CreateWindowExW(0, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y,
                            width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), this);
    if (hwnd_) SetBackdrop(hwnd_, this);
    return hwnd_;
}

void GuanLiZhongXinWindow::Panel::PaintBackdrop(HDC hdc, int, int, int width, int height) {
    RECT rc = {0, 0, width, height};
    FillRect(hdc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

LRESULT GuanLiZhongXinWindow::Panel::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
            PaintBuffered(hwnd_, [this](HDC dc, int w, int h) { PaintBackdrop(dc, 0, 0, w, h); });
            return 0;
        case WM_MOUSEMOVE:
            if (onMouseMove) onMouseMove();
            return 0;
        case WM_COMMAND:
            if (HIWORD(wp) == BN_CLICKED && onCommand) onCommand(LOWORD(wp));
            return 0;
        case WM_NCDESTROY:
            SetBackdrop(hwnd_, nullptr);
            hwnd_ = nullptr;
            return DefWindowProcW(hwnd_, msg, wp, lp);
        default: return DefWindowProcW(hwnd_, msg, wp, lp);
    }
}

GuanLiZhongXinWindow::GuanLiZhongXinWindow(Platform& platform, QuanJuSheZhi& settings)
    : FramedWindow(platform, ChuangTiKuangJia(ChuangTiBianHao::GuanLiZhongXin)),
      settings_(settings),
      logic_(platform, *this, settings, ChengXuAnZhuangQi()) {}

GuanLiZhongXinWindow::~GuanLiZhongXinWindow() {
    Unload();
    for (HFONT font : {pagingFont_, positionFont_, boxFont_}) {
        if (font) DeleteObject(font);
    }
}

bool GuanLiZhongXinWindow::Load() {
    if (!Create()) return false;
    queryMessage_ = RegisterWindowMessageW(kGuanLiQueryMessage);
    if (!CreateControls()) return false;
    logic_.Load();
    return true;
}

void GuanLiZhongXinWindow::Show() {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
    UpdateWindow(hwnd());
}

RECT GuanLiZhongXinWindow::TwipsRect(int left, int top, int width, int height) const {
    const int x = PxX(left), y = PxY(top);
    return RECT{x, y, x + PxX(width), y + PxY(height)};
}

bool GuanLiZhongXinWindow::CreateControls() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    boxFont_ = InterfaceFont(9, false);
    pagingFont_ = SimSun(90, true);
    positionFont_ = SimSun(105, true);

    // LeiBiao: the categories with their counts, in its stored look.
    const com::Properties listLook = {{"ItemHeight", std::int32_t{30}},
                                      {"Font", com::StoredFont{"宋体", 9, false}},
                                      {"Border", true}};
    leiBiao_ = com::OleControl::Create(hwnd(), "ListBox.LeiBiao",
                                       TwipsRect(kLeiBiao[0], kLeiBiao[1], kLeiBiao[2], kLeiBiao[3]), listLook);
    if (!leiBiao_) return false;
    leiBiao_->ConnectByName([this](const std::string& name, DISPPARAMS*, VARIANT*) {
        if (name == "Click") logic_.OnListClick(ListIndex());
    });

    // The two list boxes the behaviour keeps its lists in sit below the visible part.
    const DWORD boxStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    leiBiaoFenLei_ = CreateWindowExW(0, L"LISTBOX", L"LeiBiaoFenLei", boxStyle, PxX(45), PxY(kListBoxTop), PxX(2355),
                                     PxY(1200), hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdLeiBiaoFenLei)),
                                     module, nullptr);
    ziYuanGeShu_ = CreateWindowExW(0, L"LISTBOX", L"ZYGeShu", boxStyle, PxX(2430), PxY(kListBoxTop), PxX(2355),
                                   PxY(1200), hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdZYGeShu)), module,
                                   nullptr);

    // The wallpaper position chooser and its caption.
    biZhiZuoWeiHai_.SetFont(positionFont_);
    biZhiZuoWeiHai_.SetColor(kCyan);
    PlaceLabel(biZhiZuoWeiHai_, "位置：", positionFont_, kBiZhiZuoWeiHai[0], kBiZhiZuoWeiHai[1]);
    biZhiWeiZhi_ = CreateWindowExW(0, L"COMBOBOX", L"BiZhiWeiZhi", WS_CHILD | WS_TABSTOP | CBS_DROPDOWNLIST,
                                   PxX(kBiZhiWeiZhi[0]), PxY(kBiZhiWeiZhi[1]), PxX(kBiZhiWeiZhi[2]), 160, hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdBiZhiWeiZhiXuanZe)), module, nullptr);
    for (const BiZhiWeiZhiXiang& w : BiZhiWeiZhiBiao()) {
        SendMessageW(biZhiWeiZhi_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(w.name).c_str()));
    }
    for (HWND box : {leiBiaoFenLei_, ziYuanGeShu_, biZhiWeiZhi_}) {
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(boxFont_), FALSE);
    }

    // The tile area with its notices, the hover highlight beneath the tiles and the tiles.
    const RECT area = TwipsRect(kTuPianKuang[0], kTuPianKuang[1], kTuPianKuang[2], kTuPianKuang[3]);
    if (!tuPianKuang_.Create(hwnd(), kIdTuPianKuang, area.left, area.top, area.right - area.left,
                             area.bottom - area.top)) {
        return false;
    }
    tuPianKuang_.onMouseMove = [this] { logic_.OnAreaMouseMove(); };
    FileSystem& files = platform().files;
    touMingKuang_.Create(tuPianKuang_.hwnd(), "TouMingKuang", 0, 0, PxX(kHoverWidth), PxY(kHoverHeight));
    ClipSiblings(touMingKuang_.hwnd());
    touMingKuang_.SetPicture(files, ChengXuLuJing(platform(), "\\Skin\\GuanLi\\TouMingKuang.png"), 0);
    ShowWindow(touMingKuang_.hwnd(), SW_HIDE);
    jiaZaiTu_.Create(tuPianKuang_.hwnd(), "JiaZaiTu", PxX(kJiaZaiTu[0]), PxY(kJiaZaiTu[1]), PxX(kJiaZaiTu[2]),
                     PxY(kJiaZaiTu[3]));
    jiaZaiTu_.SetPicture(files, ChengXuLuJing(platform(), "\\Skin\\GuanLi\\JiaZai.png"), 0);
    ShowWindow(jiaZaiTu_.hwnd(), SW_HIDE);
    meiYouTu_.Create(tuPianKuang_.hwnd(), "MeiYouTu", PxX(kMeiYouTu[0]), PxY(kMeiYouTu[1]), PxX(kMeiYouTu[2]),
                     PxY(kMeiYouTu[3]));
    meiYouTu_.SetPicture(files, ChengXuLuJing(platform(), "\\Skin\\GuanLi\\MeiYou.png"), 0);
    ShowWindow(meiYouTu_.hwnd(), SW_HIDE);
    CreatePaging();
    if (!CreateTiles()) return false;

    c_Menu = std::make_unique<MenuWindow>();
    c_Menu->menu().MenuClick = [this](int index) { logic_.OnMenuClick(index); };
    c_Menu->Create(hwnd());
    return true;
}

bool GuanLiZhongXinWindow::CreateTiles() {
    // The tiles' stored look: white, white focus colours, a cyan caption.
    const com::Properties tileLook = {{"BackColor", com::Colour{0xFFFFFF}},
                                      {"EnterFocusColor", com::Colour{0xFFFFFF}},
                                      {"ExitFocusColor", com::Colour{0xFFFFFF}},
                                      {"CaptionFrColor", com::Colour{0xFFFF00}}};
    for (int i = 0; i < kMeiYeTuPian; ++i) {
        const int k = i + 1;
        Tile& tile = tiles_[static_cast<size_t>(i)];
        tile.control = com::OleControl::Create(
            tuPianKuang_.hwnd(), "Thumb.ThumbImg",
            TwipsRect(kTileLefts[i % 3], kTileTops[i / 3], kTileWidth, kTileHeight), tileLook);
        if (!tile.control) return false;
        tile.control->ConnectByName([this, k](const std::string& name, DISPPARAMS*, VARIANT*) {
            if (name == "MouseMove") logic_.OnTileMouseMove(k);
            else if (name == "MouseDown") logic_.OnTileMouseDown(k);
        });
        if (HWND w = tile.control->window()) {
            ClipSiblings(w);
            ShowWindow(w, SW_HIDE);
        }
    }
    return true;
}

void GuanLiZhongXinWindow::CreatePaging() {
    const RECT panel = TwipsRect(kFenYeKuang[0], kFenYeKuang[1], kFenYeKuang[2], kFenYeKuang[3]);
    fenYeKuang_.Create(tuPianKuang_.hwnd(), kIdFenYeKuang, panel.left, panel.top, panel.right - panel.left,
                       panel.bottom - panel.top);
    fenYeKuang_.onMouseMove = [this] { logic_.OnAreaMouseMove(); };
    fenYeKuang_.onCommand = [this](int id) {
        if (id == kIdShangYiYe) logic_.OnPreviousPage();
        if (id == kIdXiaYiYe) logic_.OnNextPage();
    };
    const HINSTANCE module = GetModuleHandleW(nullptr);
    const auto button = [&](const wchar_t* text, const int* place, int id) {
        HWND b = CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, PxX(place[0]),
                                 PxY(place[1]), PxX(place[2]), PxY(place[3]), fenYeKuang_.hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module, nullptr);
        SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(boxFont_), FALSE);
        return b;
    };
    shangYiYe_ = button(L"上一页", kShangYiYe, kIdShangYiYe);
    xiaYiYe_ = button(L"下一页", kXiaYiYe, kIdXiaYiYe);
    for (Label* label : {&wenZi1_, &yeShuZi_, &dangQianYe_}) {
        label->SetFont(pagingFont_);
        label->SetShadow(false);
    }
    wenZi1_.SetColor(RGB(0, 0, 0));
    yeShuZi_.SetColor(kRed);
    dangQianYe_.SetColor(GetSysColor(COLOR_WINDOWTEXT));
    // The count sits inside the blank stretch of "共    页", so it is made after the frame text.
    HWND parent = fenYeKuang_.hwnd();
    wenZi1_.Create(parent, "共    页", 0, 0, 1, 1);
    yeShuZi_.Create(parent, "0", 0, 0, 1, 1);
    dangQianYe_.Create(parent, "0", 0, 0, 1, 1);
    PlaceLabel(wenZi1_, "共    页", pagingFont_, kWenZi1[0], kWenZi1[1]);
    PlacePageCount("0");
    PlaceLabel(dangQianYe_, "0", pagingFont_, kDangQianYe[0], kDangQianYe[1]);
    for (Label* label : {&wenZi1_, &yeShuZi_, &dangQianYe_}) ClipSiblings(label->hwnd());
    ShowWindow(parent, SW_HIDE);
}

// Creates the label when it has no window yet, and sizes it to its text.
SIZE GuanLiZhongXinWindow::TextSize(const std::string& text, HFONT font) const {
    HDC dc = GetDC(hwnd());
    HGDIOBJ old = SelectObject(dc, font);
    const std::wstring wide = Widen(text);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    return size;
}

void GuanLiZhongXinWindow::PlaceLabel(Label& label, const std::string& text, HFONT font, int leftTwips, int topTwips) {
    if (!label.hwnd()) label.Create(hwnd(), text, 0, 0, 1, 1);
    label.SetText(text);
    const SIZE size = TextSize(text, font);
    SetWindowPos(label.hwnd(), nullptr, PxX(leftTwips), PxY(topTwips), size.cx + 2, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label.hwnd(), nullptr, FALSE);
}

void GuanLiZhongXinWindow::PlacePageCount(const std::string& count) {
    PlaceLabel(yeShuZi_, count, pagingFont_, kYeShuZi[0], kYeShuZi[1]);
    // The count goes in the middle of the blanks of "共    页", measured in the font the frame
    // text really has, so it never covers either character.
    const int blankFrom = TextSize("共", pagingFont_).cx, blankTo = TextSize("共    ", pagingFont_).cx;
    const SIZE size = TextSize(count, pagingFont_);
    const int left = PxX(kWenZi1[0]) + (blankFrom + blankTo) / 2 - (size.cx + 2) / 2;
    SetWindowPos(yeShuZi_.hwnd(), HWND_TOP, left, PxY(kYeShuZi[1]), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void GuanLiZhongXinWindow::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (hwnd()) KillTimer(hwnd(), kFillTimer);
    pendingPictures_.clear();
    c_Menu.reset();
    // The controls go while their parent window is still whole.
    for (Tile& tile : tiles_) {
        tile.control.reset();
        tile.picture = ComRef<IPictureDisp>();
    }
    leiBiao_.reset();
    if (hwnd()) DestroyWindow(hwnd());
}

void GuanLiZhongXinWindow::AddCategory(const std::string& category) {
    SendMessageW(leiBiaoFenLei_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(category).c_str()));
}

void GuanLiZhongXinWindow::AddListRow(const FenLeiHang& row) {
    if (leiBiao_) com::CallMethod(leiBiao_->dispatch(), "AddItem", {row.MingCheng, row.ShuoMing});
}

void GuanLiZhongXinWindow::ClearCategoryLists() {
    if (leiBiao_) com::CallMethod(leiBiao_->dispatch(), "Clear");
    SendMessageW(leiBiaoFenLei_, LB_RESETCONTENT, 0, 0);
}

int GuanLiZhongXinWindow::ListIndex() {
    if (!leiBiao_) return -1;
    VARIANT v;
    VariantInit(&v);
    if (FAILED(com::GetProperty(leiBiao_->dispatch(), "ListIndex", &v)) || FAILED(VariantChangeType(&v, &v, 0, VT_I4))) {
        VariantClear(&v);
        return -1;
    }
    const int index = v.lVal;
    VariantClear(&v);
    return index;
}

void GuanLiZhongXinWindow::SelectCategory(int index) {
    if (leiBiao_) com::PutProperty(leiBiao_->dispatch(), "ListIndex", std::int32_t{index});
    SendMessageW(leiBiaoFenLei_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void GuanLiZhongXinWindow::SetResourceList(const std::vector<std::string>& names) {
    SendMessageW(ziYuanGeShu_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(ziYuanGeShu_, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : names) {
        SendMessageW(ziYuanGeShu_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
    }
    SendMessageW(ziYuanGeShu_, WM_SETREDRAW, TRUE, 0);
}

void GuanLiZhongXinWindow::FillTile(int k, const std::string& path, const std::string& caption) {
    if (k < 1 || k > kMeiYeTuPian) return;
    Tile& tile = tiles_[static_cast<size_t>(k - 1)];
    if (!tile.control) return;
    IDispatch* d = tile.control->dispatch();
    // The caption shows at once; the picture follows when its turn comes.
    com::PutPropertyRef(d, "Picture", nullptr);
    tile.picture = ComRef<IPictureDisp>();
    com::PutProperty(d, "ImgCaption", caption);
    tile.caption = caption;
    tile.visible = true;
    ShowWindow(tile.control->window(), SW_SHOWNA);
    pendingPictures_.emplace_back(k, path);
    // A timer comes after input and painting, so the window stays alive between two pictures.
    SetTimer(hwnd(), kFillTimer, 0, nullptr);
}

void GuanLiZhongXinWindow::FillNextTile() {
    if (pendingPictures_.empty()) {
        KillTimer(hwnd(), kFillTimer);
        return;
    }
    const auto [k, path] = pendingPictures_.front();
    pendingPictures_.pop_front();
    Tile& tile = tiles_[static_cast<size_t>(k - 1)];
    if (tile.control) {
        tile.picture = ZhuangRuXianShiTu(tile.control->dispatch(), platform().files, path, PxX(kImageWidth),
                                         PxY(kImageHeight));
        UpdateWindow(tile.control->window());
    }
    if (pendingPictures_.empty()) KillTimer(hwnd(), kFillTimer);
}

void GuanLiZhongXinWindow::HideTiles() {
    pendingPictures_.clear();
    KillTimer(hwnd(), kFillTimer);
    for (Tile& tile : tiles_) {
        tile.visible = false;
        if (tile.control) ShowWindow(tile.control->window(), SW_HIDE);
    }
}

void GuanLiZhongXinWindow::ShowLoading(bool visible) {
    if (visible) ++loads_;
    ShowWindow(jiaZaiTu_.hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

void GuanLiZhongXinWindow::ShowEmpty(bool visible) { ShowWindow(meiYouTu_.hwnd(), visible ? SW_SHOWNA : SW_HIDE); }

void GuanLiZhongXinWindow::ShowPaging(bool visible) {
    ShowWindow(fenYeKuang_.hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

void GuanLiZhongXinWindow::SetPageTexts(const std::string& current, const std::string& count) {
    currentPage_ = current;
    pageCount_ = count;
    PlaceLabel(dangQianYe_, current, pagingFont_, kDangQianYe[0], kDangQianYe[1]);
    PlacePageCount(count);
}

void GuanLiZhongXinWindow::ShowHover(int k) {
    hoverTile_ = (k >= 1 && k <= kMeiYeTuPian) ? k : 0;
    HWND hover = touMingKuang_.hwnd();
    if (!hoverTile_) {
        ShowWindow(hover, SW_HIDE);
        return;
    }
    const int i = hoverTile_ - 1;
    // Beneath the tile: a light-blue margin round the tile under the mouse.
    SetWindowPos(hover, HWND_BOTTOM, PxX(kTileLefts[i % 3] - kHoverOffset), PxY(kTileTops[i / 3] - kHoverOffset), 0,
                 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void GuanLiZhongXinWindow::ShowPositionChooser(bool visible) {
    ShowWindow(biZhiZuoWeiHai_.hwnd(), visible ? SW_SHOW : SW_HIDE);
    ShowWindow(biZhiWeiZhi_, visible ? SW_SHOW : SW_HIDE);
}

void GuanLiZhongXinWindow::SelectPosition(int index) { SendMessageW(biZhiWeiZhi_, CB_SETCURSEL, index, 0); }

std::string GuanLiZhongXinWindow::PositionText() {
    const LRESULT i = SendMessageW(biZhiWeiZhi_, CB_GETCURSEL, 0, 0);
    const auto& items = BiZhiWeiZhiBiao();
    return (i >= 0 && static_cast<size_t>(i) < items.size()) ? items[static_cast<size_t>(i)].name : std::string();
}

void GuanLiZhongXinWindow::SetActionMenu(const std::vector<std::string>& captions) {
    if (!c_Menu) return;
    c_Menu->menu().Clear();
    for (const std::string& caption : captions) {
        if (caption.empty()) {
            c_Menu->menu().Add();
        } else {
            c_Menu->menu().Add(caption);
        }
    }
}

void GuanLiZhongXinWindow::ShowActionMenu() {
    if (c_Menu) c_Menu->menu().Show();
}

std::optional<std::string> GuanLiZhongXinWindow::AskSaveFile(const std::string& filter) {
    const std::wstring filterText = DialogFilter(filter);
    std::wstring file(MAX_PATH * 4, L'\0');
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd();
    ofn.lpstrFilter = filterText.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ofn)) return std::nullopt;
    file.resize(wcslen(file.c_str()));
    if (file.empty()) return std::nullopt;
    return Narrow(file);
}

void GuanLiZhongXinWindow::ShowInstallerWindow(LeiXingBianHao kind) { XianShiAnZhuangChuangKou(platform(), settings_, kind); }

void GuanLiZhongXinWindow::PumpPendingMessages() { RunPendingMessages(); }

LRESULT GuanLiZhongXinWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER && wp == kFillTimer) {
        FillNextTile();
        return 0;
    }
    if (queryMessage_ && msg == queryMessage_) {
        return Answer(static_cast<GuanLiQuery>(LOWORD(wp)), HIWORD(wp), reinterpret_cast<HWND>(lp));
    }
    return FramedWindow::OnMessage(msg, wp, lp);
}

LRESULT GuanLiZhongXinWindow::Answer(GuanLiQuery item, int tile, HWND replyTo) {
    const auto reply = [&](const std::string& text) -> LRESULT {
        COPYDATASTRUCT data = {static_cast<ULONG_PTR>(item), static_cast<DWORD>(text.size()),
                               const_cast<char*>(text.data())};
        return SendMessageW(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd()), reinterpret_cast<LPARAM>(&data));
    };
    const Tile* t = (tile >= 1 && tile <= kMeiYeTuPian) ? &tiles_[static_cast<size_t>(tile - 1)] : nullptr;
    const auto visible = [](HWND w) { return w && (GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) != 0; };
    switch (item) {
        case GuanLiQuery::Kind: return reply(logic_.Kind());
        case GuanLiQuery::Category: return reply(logic_.CurrentCategory());
        case GuanLiQuery::CurrentPage: return reply(currentPage_);
        case GuanLiQuery::PageCount: return reply(pageCount_);
        case GuanLiQuery::TileCaption: return reply(t ? t->caption : std::string());
        case GuanLiQuery::TileVisible: return t && t->visible ? 1 : 0;
        case GuanLiQuery::TileHasPicture: return t && t->picture ? 1 : 0;
        case GuanLiQuery::Notices:
            return (visible(jiaZaiTu_.hwnd()) ? 1 : 0) | (visible(meiYouTu_.hwnd()) ? 2 : 0) |
                   (visible(fenYeKuang_.hwnd()) ? 4 : 0) | (visible(biZhiWeiZhi_) ? 8 : 0);
        case GuanLiQuery::HoverTile: return visible(touMingKuang_.hwnd()) ? hoverTile_ : 0;
        case GuanLiQuery::ListRows: {
            std::string rows;
            VARIANT count;
            VariantInit(&count);
            if (leiBiao_ && SUCCEEDED(com::GetProperty(leiBiao_->dispatch(), "ListCount", &count)) &&
                SUCCEEDED(VariantChangeType(&count, &count, 0, VT_I4))) {
                for (long i = 0; i < count.lVal; ++i) {
                    VARIANT title, text;
                    VariantInit(&title);
                    VariantInit(&text);
                    com::GetProperty(leiBiao_->dispatch(), "Title", &title, {std::int32_t{static_cast<int>(i)}});
                    com::GetProperty(leiBiao_->dispatch(), "Author", &text, {std::int32_t{static_cast<int>(i)}});
                    const auto str = [](const VARIANT& v) {
                        return v.vt == VT_BSTR && v.bstrVal ? Narrow(v.bstrVal, SysStringLen(v.bstrVal)) : std::string();
                    };
                    rows += str(title) + "|" + str(text) + "\n";
                    VariantClear(&title);
                    VariantClear(&text);
                }
            }
            VariantClear(&count);
            return reply(rows);
        }
        case GuanLiQuery::ListIndex: return ListIndex();
        case GuanLiQuery::TileWindow: return t && t->control ? reinterpret_cast<LRESULT>(t->control->window()) : 0;
        case GuanLiQuery::PendingTiles: return static_cast<LRESULT>(pendingPictures_.size());
        case GuanLiQuery::ListWindow: return leiBiao_ ? reinterpret_cast<LRESULT>(leiBiao_->window()) : 0;
        case GuanLiQuery::Loads: return loads_;
    }
    return 0;
}

GuanLiZhongXinWindow* XianShiGuanLiZhongXin(Platform& platform, QuanJuSheZhi& settings) {
    XieZaiGuanLiZhongXin();
    auto window = std::make_unique<GuanLiZhongXinWindow>(platform, settings);
    if (!window->Load()) {
        // The control libraries beside the program register themselves once more, as their
        // installer would, and the window gets a second chance.
        window.reset();
        ZhuCeKongJianKu(platform);
        window = std::make_unique<GuanLiZhongXinWindow>(platform, settings);
        if (!window->Load()) {
            window.reset();
            platform.dialogs.ShowMessage(kKongJianKuCuoWu, "错误", MessageButtons::Ok);
            return nullptr;
        }
    }
    window->Show();
    window->logic().TianChongFenLei();
    Instance() = std::move(window);
    return Instance().get();
}

GuanLiZhongXinWindow* DangQianGuanLiZhongXin() {
    GuanLiZhongXinWindow* window = Instance().get();
    return window && !window->Unloaded() ? window : nullptr;
}

void XieZaiGuanLiZhongXin() { Instance().reset(); }

}  // namespace velmora
