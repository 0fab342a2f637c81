// The program itself under Wine: start-up, chrome, close behaviour, configuration messages.
#include <gtest/gtest.h>

#include "shell/win32/MainWindow.h"
#include "ui/win32/AlphaImage.h"
#include "tests/wine/UiDriver.h"

namespace velmora::uitest {
namespace {

constexpr DWORD kWait = 15000;
BYTE Alpha(HWND h) {
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (!GetLayeredWindowAttributes(h, &key, &alpha, &flags)) return 0;
    return (flags & LWA_ALPHA) ? alpha : 255;
}

int CountSubfolders(const std::wstring& dir) {
    int n = 0;
    for (const FolderEntry& e : Entries(dir)) n += e.folder ? 1 : 0;
    return n;
}

int CountCategoryFolders(const std::wstring& download) {
    int n = 0;
    for (const FolderEntry& e : Entries(download)) {
        if (e.folder) n += CountSubfolders(download + L"\\" + e.name);
    }
    return n;
}

int PictureState(HWND button) { return static_cast<int>(SendMessageW(button, kAlphaImageQuery, 0, 0)); }

TEST(Velmora, FreshStartShowsTheFramedWindowAndCloseExits) {
    ProgramDir dir;
    ASSERT_EQ(CountSubfolders(dir / L"Download"), 0);
    Process velmora(dir / L"Velmora.exe");
    ASSERT_TRUE(velmora.started());
    HWND main = WaitWindow(velmora.pid(), L"VelmoraFrame", L"Velmora", kWait);
    ASSERT_NE(main, nullptr);
    // Asked as soon as the window shows, as the taskbar asks: the program's icon, both sizes.
    EXPECT_EQ(QueryNumber(main, static_cast<int>(MainQuery::Icons)), 3);
    EXPECT_TRUE(NoMessageBox(velmora.pid(), 300));

    // The library exists once the window is up.
    EXPECT_EQ(CountSubfolders(dir / L"Download"), 5);
    EXPECT_EQ(CountCategoryFolders(dir / L"Download"), 30);

    RECT rc;
    GetWindowRect(main, &rc);
    // 12070 x 7600 twips at the screen's DPI (805 x 507 at 96 DPI).
    EXPECT_EQ(rc.right - rc.left, ScreenPixels(12070, true));
    EXPECT_EQ(rc.bottom - rc.top, ScreenPixels(7600, false));
    EXPECT_EQ(Alpha(main), 255);

    // Rounded corners: the region leaves out the very corner pixels but keeps the edges.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(main, region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, rc.right - rc.left - 1, 0));
    EXPECT_TRUE(PtInRegion(region, 10, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 10));
    DeleteObject(region);

    // Both embedded browsers are there, in their hidden pages.
    HWND online = FindChild(main, L"VelmoraPageFrame", L"WangLuoZiYuan");
    HWND local = FindChild(main, L"VelmoraPageFrame", L"ZiYuanGuanLiKuang");
    EXPECT_NE(FindWindowExW(online, nullptr, L"Shell Embedding", nullptr), nullptr);
    EXPECT_NE(FindWindowExW(local, nullptr, L"Shell Embedding", nullptr), nullptr);

    HWND title = FindChild(main, kLabelClass, L"Velmora V2.5.4");
    EXPECT_NE(title, nullptr);
    HWND close = FindChild(main, kAlphaImageClass, L"GuanBi");
    HWND minimize = FindChild(main, kAlphaImageClass, L"SuoXiao");
    ASSERT_NE(close, nullptr);
    ASSERT_NE(minimize, nullptr);
    EXPECT_EQ(PictureState(close), 0x101);  // normal look
    HoverOver(close);
    EXPECT_EQ(PictureState(close), 0x102);  // hover look
    HoverOver(minimize);
    EXPECT_EQ(PictureState(close), 0x101);  // left again
    EXPECT_EQ(PictureState(minimize), 0x102);

    ClickLeft(close);
    DWORD code = 1;
    EXPECT_TRUE(velmora.WaitExit(kWait, &code));
    EXPECT_EQ(code, 0u);
}

TEST(Velmora, HalfTransparentAndCloseOnlyHidesWhenConfigured) {
    ProgramDir dir;
    dir.WriteFile(L"Data storage\\Sys.dll", "[Function]\r\nGuanBi=0\r\nXiaZai=1\r\nChuangTiTuMing=128\r\n");
    Process velmora(dir / L"Velmora.exe");
    HWND main = WaitWindow(velmora.pid(), L"VelmoraFrame", L"Velmora", kWait);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Alpha(main), 128);
    ClickLeft(FindChild(main, kAlphaImageClass, L"GuanBi"));
    for (int i = 0; i < 100 && IsWindowVisible(main); ++i) Sleep(20);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_FALSE(velmora.WaitExit(500));
    EXPECT_TRUE(IsWindow(main));
}

TEST(Velmora, MissingConfigurationIsReportedAndTheWindowStaysVisible) {
    ProgramDir dir;
    dir.Remove(L"Data storage\\Sys.dll");
    Process velmora(dir / L"Velmora.exe");
    for (int i = 0; i < 3; ++i) {
        const MessageBoxSeen box = WaitMessageBox(velmora.pid(), kWait);
        ASSERT_NE(box.window, nullptr) << "message " << i;
        EXPECT_EQ(U(box.text), "缺少配置文件!");
        EXPECT_EQ(U(box.title), "错误");
        Answer(box, IDOK);
    }
    HWND main = WaitWindow(velmora.pid(), L"VelmoraFrame", L"Velmora", kWait);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Alpha(main), 255);
    EXPECT_EQ(GetFileAttributesW((dir / L"Data storage\\Sys.dll").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Velmora, MissingHoverPictureLeavesTheButtonEmptyButClickStillCloses) {
    ProgramDir dir;
    dir.Remove(L"Skin\\Button\\Close2.png");
    Process velmora(dir / L"Velmora.exe");
    HWND main = WaitWindow(velmora.pid(), L"VelmoraFrame", L"Velmora", kWait);
    ASSERT_NE(main, nullptr);
    HWND close = FindChild(main, kAlphaImageClass, L"GuanBi");
    HoverOver(close);
    EXPECT_EQ(PictureState(close), 0x002);  // hover state, no picture
    ClickLeft(close);
    EXPECT_TRUE(velmora.WaitExit(kWait));
}

TEST(Velmora, MissingBackgroundIsReportedOnce) {
    ProgramDir dir;
    dir.Remove(L"Skin\\img\\Background.jpg");
    Process velmora(dir / L"Velmora.exe");
    const MessageBoxSeen box = WaitMessageBox(velmora.pid(), kWait);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(U(box.text), "Skin\\img缺少General图片!");
    Answer(box, IDOK);
    ASSERT_NE(WaitWindow(velmora.pid(), L"VelmoraFrame", L"Velmora", kWait), nullptr);
    EXPECT_TRUE(NoMessageBox(velmora.pid(), 300));
}

}  // namespace
}  // namespace velmora::uitest
