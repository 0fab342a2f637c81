#include "download/XiaZaiQi_win.h"

#include <commctrl.h>
#include <shlobj.h>

#include <iterator>

#include "core/LuJing.h"
#include "platform/win32/Wide.h"
#include "ui/win32/SkinEngine.h"

namespace velmora::download {

namespace {

const wchar_t* const kClassName = L"VelmoraXiaZaiQi";
constexpr UINT_PTR kRateTimerId = 1;
constexpr UINT kRateTimerMs = 500;
constexpr UINT_PTR kWatcherTimerId = 2;
constexpr UINT kWatcherTimerMs = 1000;
constexpr UINT_PTR kFetchTimerId = 3;
constexpr UINT kFetchTimerMs = 1000;
const char* const kChooserTitle = "C:\\Documents and Settings\\Administrator\\桌面\\";

struct ChildSpec {
    int id;
    const wchar_t* cls;
    const char* text;
    DWORD style;
    DWORD exStyle;
    int x, y, w, h;
};

// The online page leaves a strip about 580 by 110 pixels below its browser: the addresses and
// buttons on the left, progress below them, the log on the right.
const ChildSpec kChildren[] = {
    {kIdTxtSource, L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 4, 4, 330, 21},
    {kIdTxtDest, L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 4, 29, 270, 21},
    {kIdJcbutton2, L"BUTTON", "浏览", WS_TABSTOP | BS_PUSHBUTTON, 0, 278, 28, 56, 23},
    {kIdCmdStart, L"BUTTON", "下载", WS_TABSTOP | BS_PUSHBUTTON, 0, 338, 4, 60, 46},
    {kIdJinDu, PROGRESS_CLASSW, "", 0, 0, 4, 72, 394, 14},
    {kIdLstStatus, L"LISTBOX", "", WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, 402,
     4, 174, 102},
};

struct LabelPlace {
    int id;
    const char* text;
    int x, y, w, h;
};
const LabelPlace kLabels[] = {
    {kIdTiShi, kPromptIdle, 4, 54, 394, 16},
    {kIdLblStatus, kStatusIdle, 4, 90, 200, 16},
    {kIdLblSpeed, kSpeedIdle, 208, 90, 190, 16},
};

std::string WindowText(HWND h) {
    const int n = GetWindowTextLengthW(h);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(h, text.data(), n + 1);
    return Narrow(text.data(), static_cast<size_t>(got));
}

}  // namespace

XiaZaiQiWindow::XiaZaiQiWindow(Platform& platform, const QuanJuSheZhi& settings)
    : platform_(platform),
      panel_(socket_, platform.files, platform.codePage, platform.environment.ProgramDirectory()),
      job_(platform, programs_, settings, panel_, infoSocket_, ChengXuAnZhuangQi()) {}

std::unique_ptr<XiaZaiQiWindow> XiaZaiQiWindow::Create(HWND parent, int x, int y, Platform& platform,
                                                       const QuanJuSheZhi& settings) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    RegisterClassOnce(kClassName, ObjectWindowProc<XiaZaiQiWindow>, 0, nullptr);
    std::unique_ptr<XiaZaiQiWindow> self(new XiaZaiQiWindow(platform, settings));
    self->background_ = Picture::Load(platform.files, ChengXuLuJing(platform, "\\Skin\\img\\General.jpg"));
    if (!self->background_) platform.dialogs.ShowMessage("缺少软件背景图片!", "错误", MessageButtons::Ok);
    const HWND h = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                                   kPanelWidth, kPanelHeight, parent, nullptr, GetModuleHandleW(nullptr), self.get());
    if (!h) return nullptr;
    SetBackdrop(h, self.get());
    self->CreateControls();
    self->panel_.SetObserver(self.get());
    return self;
}

XiaZaiQiWindow::~XiaZaiQiWindow() {
    panel_.SetObserver(nullptr);
    if (hwnd_) {
        SetBackdrop(hwnd_, nullptr);
        KillTimer(hwnd_, kRateTimerId);
        KillTimer(hwnd_, kWatcherTimerId);
        KillTimer(hwnd_, kFetchTimerId);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void XiaZaiQiWindow::CreateControls() {
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ChildSpec& c : kChildren) {
        const HWND child = CreateWindowExW(c.exStyle, c.cls, Widen(c.text).c_str(), WS_CHILD | WS_VISIBLE | c.style,
                                           c.x, c.y, c.w, c.h, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                           GetModuleHandleW(nullptr), nullptr);
        SendMessageW(child, WM_SETFONT, font, FALSE);
    }
    Label* const labels[] = {&tiShi_, &status_, &speed_};
    for (size_t i = 0; i < std::size(kLabels); ++i) {
        const LabelPlace& place = kLabels[i];
        Label& label = *labels[i];
        label.Create(hwnd_, place.text, place.x, place.y, place.w, place.h);
        // Found by its id like the other controls.
        SetWindowLongPtrW(label.hwnd(), GWLP_ID, place.id);
        label.SetColor(kPageTextColor);
        label.SetShadow(false);
    }
    SendMessageW(Child(kIdJinDu), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    EnableWindow(Child(kIdCmdStart), panel_.controls().startEnabled);
    ShowText(kIdTxtDest, panel_.controls().dest);
}

void XiaZaiQiWindow::PaintBackdrop(HDC hdc, int originX, int originY, int width, int height) {
    RECT client;
    GetClientRect(hwnd_, &client);
    cache_.Paint(hdc, originX, originY, width, height, SIZE{client.right, client.bottom}, [this, &client](HDC mem) {
        FillRect(mem, &client, GetSysColorBrush(COLOR_BTNFACE));
        if (background_) background_->Draw(mem, 0, 0, background_->Width(), background_->Height());
    });
}

LRESULT XiaZaiQiWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
            PaintBuffered(hwnd_, [this](HDC dc, int w, int h) { PaintBackdrop(dc, 0, 0, w, h); });
            return 0;
        case WM_COMMAND: Command(LOWORD(wp), HIWORD(wp)); return 0;
        case WM_TIMER:
            if (wp == kRateTimerId) panel_.RateTimerTick();
            if (wp == kWatcherTimerId) job_.PanDuanShiFangTick();
            if (wp == kFetchTimerId) job_.FetchTimerTick();
            return 0;
        case WM_NCDESTROY: hwnd_ = nullptr; break;
        default: {
            LRESULT skinned = 0;
            if (SkinnedControlColor(msg, wp, &skinned)) return skinned;
            break;
        }
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void XiaZaiQiWindow::Command(int id, int code) {
    switch (id) {
        case kIdTxtSource:
            // A text the panel set itself comes back here unchanged and is ignored.
            if (code == EN_CHANGE) panel_.SetSource(WindowText(Child(id)));
            break;
        case kIdTxtDest:
            if (code == EN_CHANGE) panel_.SetDest(WindowText(Child(id)));
            break;
        case kIdCmdStart:
            if (code == BN_CLICKED) panel_.StartClicked();
            break;
        case kIdJcbutton2:
            if (code == BN_CLICKED) panel_.FolderChosen(XuanZeMuLu(hwnd_, kChooserTitle));
            break;
        case kIdLstStatus:
            if (code == LBN_SELCHANGE) {
                panel_.SelectLine(static_cast<int>(SendMessageW(Child(id), LB_GETCURSEL, 0, 0)));
            }
            break;
        default: break;
    }
}

void XiaZaiQiWindow::ShowText(int id, const std::string& text) {
    // Rewriting the text the user is typing would throw the caret back to the start.
    if (WindowText(Child(id)) != text) SetWindowTextW(Child(id), Widen(text).c_str());
}

void XiaZaiQiWindow::RunTimer(UINT_PTR id, UINT ms, bool running) {
    if (running) {
        SetTimer(hwnd_, id, ms, nullptr);
    } else {
        KillTimer(hwnd_, id);
    }
}

void XiaZaiQiWindow::LogCleared() { SendMessageW(Child(kIdLstStatus), LB_RESETCONTENT, 0, 0); }

void XiaZaiQiWindow::LineAdded(const std::string& line) {
    const std::wstring text = Widen(line);
    SendMessageW(Child(kIdLstStatus), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void XiaZaiQiWindow::Changed(Control control) {
    const XiaZaiQiControls& c = panel_.controls();
    switch (control) {
        case Control::Source: ShowText(kIdTxtSource, c.source); break;
        case Control::Dest: ShowText(kIdTxtDest, c.dest); break;
        case Control::Start: EnableWindow(Child(kIdCmdStart), c.startEnabled); break;
        case Control::Locked:
            SendMessageW(Child(kIdTxtSource), EM_SETREADONLY, c.textLocked, 0);
            SendMessageW(Child(kIdTxtDest), EM_SETREADONLY, c.textLocked, 0);
            break;
        case Control::Selection:
            SendMessageW(Child(kIdLstStatus), LB_SETCURSEL, static_cast<WPARAM>(c.selected), 0);
            break;
        case Control::Status: ShowText(kIdLblStatus, c.status); break;
        case Control::Speed: ShowText(kIdLblSpeed, c.speed); break;
        case Control::Progress: SendMessageW(Child(kIdJinDu), PBM_SETPOS, static_cast<WPARAM>(c.progress), 0); break;
        case Control::Prompt: ShowText(kIdTiShi, c.prompt); break;
        case Control::RateTimer: RunTimer(kRateTimerId, kRateTimerMs, c.rateTimer); break;
        case Control::Watcher: RunTimer(kWatcherTimerId, kWatcherTimerMs, c.watcher); break;
        case Control::FetchTimer: RunTimer(kFetchTimerId, kFetchTimerMs, c.fetchTimer); break;
    }
}

std::optional<std::string> XuanZeMuLu(HWND owner, const std::string& title) {
    const HRESULT com = CoInitialize(nullptr);
    const std::wstring wideTitle = Widen(title);
    BROWSEINFOW bi = {};
    bi.hwndOwner = owner;
    bi.lpszTitle = wideTitle.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    std::optional<std::string> folder;
    if (LPITEMIDLIST item = SHBrowseForFolderW(&bi)) {
        wchar_t path[512] = {};
        if (SHGetPathFromIDListW(item, path)) folder = Narrow(path, wcslen(path));
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return folder;
}

}  // namespace velmora::download
