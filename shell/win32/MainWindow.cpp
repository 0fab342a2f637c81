#include "shell/win32/MainWindow.h"

#include <commctrl.h>

#include "download/XiaZaiQi_win.h"
#include "library/win32/AnZhuangChuangKou.h"
#include "library/win32/GuanLiZhongXin_win.h"
#include "core/LuJing.h"
#include "shell/MingLingHang.h"
#include "platform/win32/Wide.h"
#include "ui/win32/SkinEngine.h"
#include "ui/win32/WindowClass.h"
#include "com/WebBrowserHost.h"

namespace velmora {

namespace {

// Places in twips, in the main window or (for page contents) in their frame.
constexpr int kFrameLeft = 35, kFrameTop = 1980, kFrameWidth = 12000, kFrameHeight = 5560;
constexpr int kGuangGaoLeft = 9495, kGuangGaoTop = 0;
constexpr int kXuanXiangTop = 650;
constexpr int kXuanXiangLeft[kXuanXiangShu] = {405, 1740, 3105, 4455, 5805, 7155, 8505};
constexpr int kXuanKuangTop = 450, kXuanKuangWidth = 1350, kXuanKuangHeight = 1500;
constexpr int kMarkerTop = 550;
constexpr int kXinXiLeft = 270, kXinXiTop = 270;
constexpr int kLabel1Left = 8100, kLabel1Top = 255, kPositionLeft = 8700, kPositionTop = 195, kPositionWidth = 1500;
constexpr int kZyllLeft = -45, kZyllTop = 810;
constexpr int kBenDiLeft = -45, kBenDiTop = -45, kBrowserOverhang = 90;
constexpr int kPositionId = 3001;
constexpr UINT kCreateAfterShow = WM_APP + 0x120;
constexpr UINT kEndProgram = WM_APP + 0x121;
constexpr UINT kOpenForwardedLinks = WM_APP + 0x122;

const char* const kPositions[] = {"拉伸", "居中", "平铺"};

}  // namespace

MainWindow::MainWindow(Platform& platform, QuanJuSheZhi& settings)
    : FramedWindow(platform, ChuangTiKuangJia(ChuangTiBianHao::Main)),
      settings_(settings),
      main_(platform, *this, settings) {}

MainWindow::~MainWindow() {
    // The other windows hold controls too: they go while OLE is still up.
    XieZaiGuanLiZhongXin();
    XieZaiAnZhuangChuangKou();
    // The browsers and the panel live in windows of this one: let them go first.
    xiaZaiQi_.reset();
    zyll_.reset();
    benDiGuanLi_.reset();
    if (pageFont_) DeleteObject(pageFont_);
    if (oleInitialized_) OleUninitialize();
}

bool MainWindow::Load() {
    if (!Create()) return false;
    queryMessage_ = RegisterWindowMessageW(kMainQueryMessage);
    CreateControls();
    main_.Load();
    ShowWindow(hwnd(), SW_SHOW);
    if (pendingIcon_) {
        FramedWindow::SetIcon(pendingIcon_->path, pendingIcon_->fallbackExe, pendingIcon_->index);
        pendingIcon_.reset();
    }
    UpdateWindow(hwnd());
    // What the first sight of the window does not need is made once the window shows: the pages
    // behind the home page, with their browsers and the downloader (the slowest part of the
    // start), and the tabs' transparent click areas. A posted message runs before any of the
    // user's input is read, so no click can come before they are there.
    PostMessageW(hwnd(), kCreateAfterShow, 0, 0);
    return true;
}

void MainWindow::CreateControls() {
    pageFont_ = InterfaceFont(9, false);
    const int w = PxX(kFrameWidth), h = PxY(kFrameHeight);
    shouYeKuang_.Create(hwnd(), "ShouYeKuang", 0, 0, w, h, false);
    guangGao_.Create(shouYeKuang_.hwnd(), "GuangGao", 0, 0, w - PxX(kGuangGaoLeft), h, true);
    CreateTabs();
}

void MainWindow::CreateAfterShow() {
    if (createdAfterShow_) return;
    createdAfterShow_ = true;
    // The browsers are the first OLE objects: the apartment is set up once the window shows.
    oleInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    // The first controls of the common-controls library are on these pages: it is loaded here,
    // after the window shows, and not with the program.
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    // The two pages behind the home page, where the start-up laid the frames out, the one in
    // front (a resource link may have asked for the online page) shown.
    const int w = PxX(kFrameWidth), h = PxY(kFrameHeight);
    wangLuoZiYuan_.Create(hwnd(), "WangLuoZiYuan", PxX(kFrameLeft), PxY(kFrameTop), w, h,
                          front_ == YeMian::WangLuoZiYuan);
    ziYuanGuanLiKuang_.Create(hwnd(), "ZiYuanGuanLiKuang", PxX(kFrameLeft), PxY(kFrameTop), w, h,
                              front_ == YeMian::ZiYuanGuanLiKuang);
    CreateTabAreas();
    CreateOnlinePage();
    zyll_ = com::WebBrowserHost::Create(
        wangLuoZiYuan_.hwnd(), RECT{PxX(kZyllLeft), PxY(kZyllTop), w + PxX(kBrowserOverhang / 2), zyllBottom_});
    if (zyll_) {
        zyll_->onBeforeNavigate = [this](const std::string& url) { return main_.OnOnlineBeforeNavigate(url); };
        zyll_->onCancelled = [this](const std::string& url) { main_.OnOnlineCancelled(url); };
        zyll_->onTitleChange = [this](const std::string& title) { main_.OnOnlineTitleChange(title); };
        zyll_->onDownloadComplete = [this] { main_.OnOnlineDownloadComplete(); };
    }
    benDiGuanLi_ = com::WebBrowserHost::Create(
        ziYuanGuanLiKuang_.hwnd(),
        RECT{PxX(kBenDiLeft), PxY(kBenDiTop), w + PxX(kBrowserOverhang / 2), h + PxY(kBrowserOverhang / 2)});
    if (benDiGuanLi_) {
        benDiGuanLi_->onBeforeNavigate = [this](const std::string& url) { return main_.OnLocalBeforeNavigate(url); };
        benDiGuanLi_->onCancelled = [this](const std::string& url) { main_.OnLocalCancelled(url); };
    }
    // What the start-up asked of them before they existed.
    SelectWallpaperPosition(positionIndex_);
    SetBrowsersSilent();
    if (!onlineUrl_.empty()) NavigateOnlineBrowser(onlineUrl_);
    if (!localUrl_.empty()) NavigateLocalBrowser(localUrl_);
}

void MainWindow::CreateTabs() {
    // One strip holds the seven tab pictures (80 x 80 each, in tab order) and then the hover and
    // the selection marker (90 x 95 each): one decode instead of nine at start-up.
    const std::shared_ptr<const Picture> strip =
        Picture::Load(platform().files, ChengXuLuJing(platform(), "\\Skin\\Tab\\XuanXiang.png"));
    const auto part = [](int left, int width, int height) { return RECT{left, 0, left + width, height}; };
    constexpr int kTab = 80, kMarkerW = 90, kMarkerH = 95, kMarkers = kTab * kXuanXiangShu;
    huaKuang_ = AddSprite(strip, part(kMarkers, kMarkerW, kMarkerH), XuanKuangLeft(0), kMarkerTop, false);
    huaKuangXD_ = AddSprite(strip, part(kMarkers + kMarkerW, kMarkerW, kMarkerH), XuanKuangLeft(0), kMarkerTop, true);
    for (int i = 0; i < kXuanXiangShu; ++i) {
        AddSprite(strip, part(kTab * i, kTab, kTab), kXuanXiangLeft[i], kXuanXiangTop, true);
    }
}

void MainWindow::CreateTabAreas() {
    // The click areas lie over the pictures and the markers, transparent; made after the page
    // frames, they are in front of them as a new window is.
    for (int i = 0; i < kXuanXiangShu; ++i) {
        AlphaImage& area = xuanKuang_[static_cast<size_t>(i)];
        area.Create(hwnd(), "XuanKuang" + std::to_string(i), PxX(XuanKuangLeft(i)), PxY(kXuanKuangTop),
                    PxX(kXuanKuangWidth), PxY(kXuanKuangHeight));
        area.onMove = [this, i](bool, bool) { main_.OnTabHover(i); };
        area.onLeftDown = [this, i] { main_.OnTabPressed(i, ShuBiaoJian::Zuo); };
    }
}

void MainWindow::CreateOnlinePage() {
    HWND page = wangLuoZiYuan_.hwnd();
    const int w = PxX(kFrameWidth), h = PxY(kFrameHeight);
    xinXi_.Create(page, "当前窗口", PxX(kXinXiLeft), PxY(kXinXiTop), PxX(6000), PxY(300));
    label1_.Create(page, "位置：", PxX(kLabel1Left), PxY(kLabel1Top), PxX(600), PxY(300));
    for (Label* l : {&xinXi_, &label1_}) {
        l->SetFont(pageFont_);
        l->SetColor(kPageTextColor);
        l->SetShadow(false);
    }
    biZhiWeiZhi_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST,
                                   PxX(kPositionLeft), PxY(kPositionTop), PxX(kPositionWidth), 160, page,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPositionId)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(biZhiWeiZhi_, WM_SETFONT, reinterpret_cast<WPARAM>(pageFont_), FALSE);
    for (const char* p : kPositions) {
        SendMessageW(biZhiWeiZhi_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(p).c_str()));
    }

    // The downloader sits under the browser, centred.
    const int panelTop = h - download::kPanelHeight - 4;
    xiaZaiQi_ = download::XiaZaiQiWindow::Create(page, (w - download::kPanelWidth) / 2, panelTop, platform(), settings_);
    zyllBottom_ = panelTop - 4;
    if (xiaZaiQi_) {
        xiaZaiQi_->job().SetPositionSource([this] { return WallpaperPositionText(); });
        // Not from inside the download's own event: the panel goes with the windows.
        xiaZaiQi_->job().SetProgramEnd([this] { PostMessageW(hwnd(), kEndProgram, 0, 0); });
        if (pendingCanShu_) {
            const auto job = *pendingCanShu_;
            pendingCanShu_.reset();
            CanShu(job.first, job.second);
        }
    }
}

std::string MainWindow::WallpaperPositionText() const {
    const LRESULT i = biZhiWeiZhi_ ? SendMessageW(biZhiWeiZhi_, CB_GETCURSEL, 0, 0) : positionIndex_;
    return (i >= 0 && i < 3) ? kPositions[i] : std::string();
}

void MainWindow::NavigateOnlineBrowser(const std::string& url) {
    onlineUrl_ = url;
    if (zyll_) zyll_->Navigate(url);
}

void MainWindow::NavigateLocalBrowser(const std::string& url) {
    localUrl_ = url;
    if (benDiGuanLi_) benDiGuanLi_->Navigate(url);
}

void MainWindow::SetBrowsersSilent() {
    if (zyll_) zyll_->SetSilent(true);
    if (benDiGuanLi_) benDiGuanLi_->SetSilent(true);
}

PageFrame& MainWindow::Frame(YeMian page) {
    switch (page) {
        case YeMian::WangLuoZiYuan: return wangLuoZiYuan_;
        case YeMian::ZiYuanGuanLiKuang: return ziYuanGuanLiKuang_;
        case YeMian::ShouYeKuang: break;
    }
    return shouYeKuang_;
}

void MainWindow::LayOutPageFrames() {
    // The frames made after the window shows are made in this place.
    for (YeMian page : {YeMian::ShouYeKuang, YeMian::ZiYuanGuanLiKuang, YeMian::WangLuoZiYuan}) {
        if (HWND frame = Frame(page).hwnd()) {
            SetWindowPos(frame, nullptr, PxX(kFrameLeft), PxY(kFrameTop), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    BringToFront(YeMian::ShouYeKuang);
}

void MainWindow::BringToFront(YeMian page) {
    // One frame at a time: the one in front is shown, the others wait hidden with their pages.
    // A frame not made yet is made shown or hidden as this says.
    front_ = page;
    for (YeMian p : {YeMian::ShouYeKuang, YeMian::WangLuoZiYuan, YeMian::ZiYuanGuanLiKuang}) {
        if (p != page && Frame(p).hwnd()) ShowWindow(Frame(p).hwnd(), SW_HIDE);
    }
    if (HWND frame = Frame(page).hwnd()) {
        SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    }
}

void MainWindow::PlaceHostedPanels() {
    SetWindowPos(guangGao_.hwnd(), nullptr, PxX(kGuangGaoLeft), PxY(kGuangGaoTop), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The advertisements and the about window are not part of this build yet; their start-up
// steps are kept in place and do nothing.

void MainWindow::SelectWallpaperPosition(int index) {
    positionIndex_ = index;
    if (biZhiWeiZhi_) SendMessageW(biZhiWeiZhi_, CB_SETCURSEL, index, 0);
}

void MainWindow::SkinHAttachEx(const std::string& skinFile, const std::string& password) {
    SkinH_AttachEx(platform().files, skinFile, password);
}

void MainWindow::HideMain() { ShowWindow(hwnd(), SW_HIDE); }

void MainWindow::UnloadWindow(ChuangTiBianHao window) {
    switch (window) {
        case ChuangTiBianHao::Main:
            if (hwnd()) DestroyWindow(hwnd());
            break;
        case ChuangTiBianHao::GuanLiZhongXin: XieZaiGuanLiZhongXin(); break;
        case ChuangTiBianHao::AzBiZhi:
        case ChuangTiBianHao::AzJieMian:
        case ChuangTiBianHao::AzShuBiao:
        case ChuangTiBianHao::AzTuBiao: XieZaiAnZhuangChuangKou(); break;
        default: break;  // not part of this build: never loaded
    }
}

void MainWindow::ShowWallpaperPosition(bool visible) {
    if (biZhiWeiZhi_) ShowWindow(biZhiWeiZhi_, visible ? SW_SHOW : SW_HIDE);
    if (label1_.hwnd()) ShowWindow(label1_.hwnd(), visible ? SW_SHOW : SW_HIDE);
}

void MainWindow::MoveSelectionMarker(int leftTwips) { MoveSprite(huaKuangXD_, leftTwips, kMarkerTop); }

void MainWindow::ShowHoverMarker(int leftTwips) {
    MoveSprite(huaKuang_, leftTwips, kMarkerTop);
    ShowSprite(huaKuang_, true);
}

void MainWindow::SetStatusLine(const std::string& text) {
    if (xinXi_.hwnd()) xinXi_.SetText(text);
}

void MainWindow::HoldOnlineDocumentWithoutContextMenu() {
    if (zyll_) zyll_->SuppressDocumentContextMenu();
}

bool MainWindow::LoadPagePicture(YeMianTuPian frame, const std::string& path) {
    PageFrame* target = nullptr;
    switch (frame) {
        case YeMianTuPian::ShouYeKuang: target = &shouYeKuang_; break;
        case YeMianTuPian::WangLuoZiYuan: target = &wangLuoZiYuan_; break;
        case YeMianTuPian::GuangGao: target = &guangGao_; break;
    }
    if (!target) return false;
    // The frames share one picture file: decoding it once is a good part of the start-up.
    for (const PageFrame* other : {&shouYeKuang_, &wangLuoZiYuan_, &guangGao_}) {
        if (other != target && other->picture() && pagePicturePaths_[other] == path) {
            target->SetPicture(other->picture());
            pagePicturePaths_[target] = path;
            return true;
        }
    }
    const bool loaded = target->LoadPicture(platform().files, path);
    pagePicturePaths_[target] = loaded ? path : std::string();
    return loaded;
}

bool MainWindow::SetIcon(const std::string& path, const std::string& fallbackExe, int index) {
    if (IsWindowVisible(hwnd())) return FramedWindow::SetIcon(path, fallbackExe, index);
    pendingIcon_ = IconRequest{path, fallbackExe, index};
    return true;
}

void MainWindow::PumpPendingMessages() { RunPendingMessages(); }

void MainWindow::CanShu(const std::string& id, const std::string& type) {
    canShuId_ = id;
    if (xiaZaiQi_) {
        xiaZaiQi_->job().CanShu(id, type);
    } else {
        pendingCanShu_ = std::make_pair(id, type);
    }
}

void MainWindow::OpenResourceLink(const std::string& id) {
    BringToUser();
    BringToFront(YeMian::WangLuoZiYuan);
    CanShu(id, "资源");
}

void MainWindow::BringToUser() {
    if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

bool MainWindow::Forwarded(const COPYDATASTRUCT* data) {
    if (!data || data->dwData != kForwardedCommandLine || data->cbData > kMingLingZuiChang ||
        (data->cbData > 0 && !data->lpData)) {
        return false;
    }
    const auto args = JieMaMingLing(std::string(static_cast<const char*>(data->lpData), data->cbData));
    if (!args) return false;
    const MingLing command = JieXiMingLingHang(*args);
    if (command.action == MingLingDongZuo::QiDong) {
        BringToUser();
        return true;
    }
    if (command.action != MingLingDongZuo::ZiYuan && command.action != MingLingDongZuo::ZiYuanKu) return false;
    // The sender waits for this answer: the job is prepared (or the centre opened) once it has
    // its reply. A flood of starts is not kept beyond a few.
    constexpr size_t kMostWaiting = 8;
    if (forwardedLinks_.size() >= kMostWaiting) return false;
    forwardedLinks_.push_back(command);
    PostMessageW(hwnd(), kOpenForwardedLinks, 0, 0);
    return true;
}

void MainWindow::ShowGuanLiZhongXin() {
    // The centre's controls need the apartment that the pages made after the first sight set up;
    // "/library" at start-up comes before them.
    CreateAfterShow();
    openedKind_ = settings_.DangQianLeiXing;
    XianShiGuanLiZhongXin(platform(), settings_);
}

void MainWindow::OpenLibrary(const std::string& kindName) {
    if (const ZiYuanLeiXing* kind = LeiXingByName(kindName)) main_.XianShiBenDiZiYuan(*kind);
}

LRESULT MainWindow::Answer(MainQuery item, HWND replyTo) {
    const auto reply = [&](const std::string& text) -> LRESULT {
        COPYDATASTRUCT data = {static_cast<ULONG_PTR>(item), static_cast<DWORD>(text.size()),
                               const_cast<char*>(text.data())};
        return SendMessageW(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd()), reinterpret_cast<LPARAM>(&data));
    };
    switch (item) {
        case MainQuery::OnlineUrl: return reply(onlineUrl_);
        case MainQuery::LocalUrl: return reply(localUrl_);
        case MainQuery::CanShuId: return reply(canShuId_);
        case MainQuery::OpenedKind: return reply(openedKind_);
        case MainQuery::PositionText: return reply(WallpaperPositionText());
        case MainQuery::FrontPage: return static_cast<LRESULT>(front_);
        case MainQuery::SelectionX: return SpritePosition(huaKuangXD_).x;
        case MainQuery::HoverX: return SpriteVisible(huaKuang_) ? SpritePosition(huaKuang_).x : -1;
        case MainQuery::Icons:
            // Asked here: Wine answers the icon messages of another process's window with nothing.
            return (SendMessageW(hwnd(), WM_GETICON, ICON_SMALL, 0) ? 1 : 0) |
                   (SendMessageW(hwnd(), WM_GETICON, ICON_BIG, 0) ? 2 : 0);
    }
    return 0;
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kCreateAfterShow) {
        CreateAfterShow();
        return 0;
    }
    if (msg == kEndProgram) {
        main_.XieZaiQuanBu();
        return 0;
    }
    if (msg == kOpenForwardedLinks) {
        std::vector<MingLing> commands;
        commands.swap(forwardedLinks_);
        for (const MingLing& c : commands) {
            if (c.action == MingLingDongZuo::ZiYuan) OpenResourceLink(c.id);
            if (c.action == MingLingDongZuo::ZiYuanKu) OpenLibrary(c.library);
        }
        return 0;
    }
    if (msg == WM_COPYDATA) return Forwarded(reinterpret_cast<const COPYDATASTRUCT*>(lp)) ? TRUE : FALSE;
    if (msg == queryMessage_ && queryMessage_ != 0) {
        return Answer(static_cast<MainQuery>(wp), reinterpret_cast<HWND>(lp));
    }
    return FramedWindow::OnMessage(msg, wp, lp);
}

}  // namespace velmora
