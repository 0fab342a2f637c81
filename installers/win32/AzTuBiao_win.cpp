#include "installers/win32/AzTuBiao_win.h"

#include <commctrl.h>

#include "platform/win32/Wide.h"

namespace velmora {

namespace {

// Places in twips inside the 3680 x 5400 window.
constexpr int kListLeft = 120, kListTop = 480, kListWidth = 3440, kListHeight = 4080;
constexpr int kButtonTop = 4740, kButtonWidth = 1440, kButtonHeight = 420;
constexpr int kCommand1Left = 240, kCommand2Left = 2000;
constexpr int kColumnWidth = 5000;
constexpr int kIconSize = 32;

HWND Button(HWND parent, int id, const char* text, int x, int y, int w, int h, HFONT font) {
    HWND b = CreateWindowExW(0, L"BUTTON", Widen(text).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x,
                             y, w, h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return b;
}

}  // namespace

AzTuBiaoWindow::AzTuBiaoWindow(Platform& platform)
    : FramedWindow(platform, ChuangTiKuangJia(ChuangTiBianHao::AzTuBiao)), installer_(platform, *this) {}

AzTuBiaoWindow::~AzTuBiaoWindow() {
    if (hwnd()) DestroyWindow(hwnd());
    if (images_) ImageList_Destroy(images_);
    if (font_) DeleteObject(font_);
}

bool AzTuBiaoWindow::Load(const std::string& set) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    if (!Create()) return false;
    font_ = InterfaceFont(9, false);
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"ListView1",
                            WS_CHILD | WS_VISIBLE | LVS_SMALLICON | LVS_SINGLESEL | LVS_SHAREIMAGELISTS, PxX(kListLeft),
                            PxY(kListTop), PxX(kListWidth), PxY(kListHeight), hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdTuBiaoListView1)), GetModuleHandleW(nullptr),
                            nullptr);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = PxX(kColumnWidth);
    SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    Button(hwnd(), kIdTuBiaoCommand1, "设置图标", PxX(kCommand1Left), PxY(kButtonTop), PxX(kButtonWidth),
           PxY(kButtonHeight), font_);
    Button(hwnd(), kIdTuBiaoCommand2, "还原图标", PxX(kCommand2Left), PxY(kButtonTop), PxX(kButtonWidth),
           PxY(kButtonHeight), font_);
    installer_.Load(set);
    return true;
}

void AzTuBiaoWindow::ClearPreview() {
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    if (images_) ImageList_Destroy(images_);
    images_ = ImageList_Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, 10, 4);
    SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
}

void AzTuBiaoWindow::AddImage(void* icon) {
    const auto h = static_cast<HICON>(icon);
    ImageList_AddIcon(images_, h);
    DestroyIcon(h);
}

void AzTuBiaoWindow::AddItem(int image) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(L"");
    item.iImage = image > 0 ? image - 1 : I_IMAGENONE;
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void AzTuBiaoWindow::OnCloseClicked() {
    DestroyWindow(hwnd());
    if (onUnload) onUnload();
}

LRESULT AzTuBiaoWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        switch (LOWORD(wp)) {
            case kIdTuBiaoCommand1: installer_.Command1Click(); return 0;
            case kIdTuBiaoCommand2: installer_.Command2Click(); return 0;
            default: break;
        }
    }
    return FramedWindow::OnMessage(msg, wp, lp);
}

}  // namespace velmora
