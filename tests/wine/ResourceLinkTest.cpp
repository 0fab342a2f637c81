// Resource links from outside under Wine, against the demo resource service: a second start hands
// its link to the running program, the user presses "下载", and the resource ends up installed.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "download/XiaZaiQi_win.h"
#include "shell/win32/MainWindow.h"
#include "tests/wine/UiDriver.h"

namespace velmora::uitest {
namespace {

constexpr DWORD kWait = 15000;

bool WaitFor(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        Sleep(50);
    }
    return true;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring Windir() {
    wchar_t buf[MAX_PATH] = {};
    GetEnvironmentVariableW(L"windir", buf, MAX_PATH);
    return buf;
}

std::wstring ReadUserValue(const wchar_t* key, const wchar_t* name) {
    wchar_t buf[1024] = {};
    DWORD size = sizeof buf - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS) return L"";
    return buf;
}

void DeleteUserValue(const wchar_t* key, const wchar_t* name) {
    HKEY k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
        RegDeleteValueW(k, name);
        RegCloseKey(k);
    }
}

int CountFiles(const std::wstring& dir) {
    int n = 0;
    for (const FolderEntry& e : Entries(dir)) n += e.folder ? CountFiles(dir + L"\\" + e.name) : 1;
    return n;
}

BOOL CALLBACK FindPanel(HWND h, LPARAM lp) {
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    if (std::wstring(cls) != L"VelmoraXiaZaiQi") return TRUE;
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
}

// The program started with the demo service as its service, the library empty.
class ResourceLink : public ::testing::Test {
protected:
    void SetUp() override {
        const char* state = getenv("VELMORA_DEMO_SERVICE");
        ASSERT_NE(state, nullptr) << "no demo service: run through ctest, which starts one";
        std::ifstream in(state);
        int port = 0;
        in >> port;
        ASSERT_GT(port, 0) << state;
        SetEnvironmentVariableW(L"VELMORA_SERVICE_HOST", (L"127.0.0.1:" + std::to_wstring(port)).c_str());
        velmora_ = std::make_unique<Process>(dir_ / L"Velmora.exe");
        ASSERT_TRUE(velmora_->started());
        main_ = WaitWindow(velmora_->pid(), L"VelmoraFrame", L"Velmora", kWait);
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(WaitFor([this] { return Panel() != nullptr; }, kWait)) << "no downloader panel";
    }

    HWND Panel() const {
        HWND panel = nullptr;
        EnumChildWindows(main_, FindPanel, reinterpret_cast<LPARAM>(&panel));
        return panel;
    }
    std::wstring Prompt() const { return Text(GetDlgItem(Panel(), download::kIdTiShi)); }

    // A second start with the link: it hands the link over and ends with status 0.
    void HandLink(const std::wstring& args) {
        Process second(dir_ / L"Velmora.exe", args);
        ASSERT_TRUE(second.started());
        DWORD code = 99;
        ASSERT_TRUE(second.WaitExit(kWait, &code)) << "the second start did not end";
        EXPECT_EQ(code, 0u);
        EXPECT_TRUE(velmora_->Running());
    }
    void PressDownload() {
        HWND start = GetDlgItem(Panel(), download::kIdCmdStart);
        ASSERT_TRUE(WaitFor([start] { return IsWindowEnabled(start) != FALSE; }, kWait));
        PostMessageW(start, BM_CLICK, 0, 0);
    }

    ProgramDir dir_;
    std::unique_ptr<Process> velmora_;
    HWND main_ = nullptr;
};

const wchar_t kReady[] = L"资源准备就绪，点击下载按钮立即安装！";
const wchar_t kIdle[] = L"暂时没有资源准备下载...";

TEST_F(ResourceLink, WallpaperFromALinkHandedToTheRunningProgram) {
    const std::wstring bmp = Windir() + L"\\Wallpaper\\Wallpaper.bmp";
    DeleteFileW(bmp.c_str());
    DeleteUserValue(L"Control Panel\\Desktop", L"Wallpaper");

    HandLink(L"velmora://resource/1201");
    EXPECT_EQ(QueryText(main_, static_cast<int>(MainQuery::CanShuId)), "1201");
    EXPECT_EQ(QueryNumber(main_, static_cast<int>(MainQuery::FrontPage)), static_cast<LRESULT>(YeMian::WangLuoZiYuan));
    ASSERT_TRUE(WaitFor([this] { return Prompt() == kReady; }, kWait)) << U(Prompt());
    PressDownload();

    const std::wstring picture = dir_ / L"Download\\桌面壁纸\\风景壁纸\\湖光山色.jpg";
    ASSERT_TRUE(WaitFor([&] { return Exists(picture) && Prompt() == kIdle; }, 30000)) << U(Prompt());
    EXPECT_TRUE(Exists(bmp));
    EXPECT_EQ(ReadUserValue(L"Control Panel\\Desktop", L"Wallpaper"), bmp);
    // The position box's first item, "拉伸".
    EXPECT_EQ(ReadUserValue(L"Control Panel\\Desktop", L"WallpaperStyle"), L"2");
    EXPECT_EQ(ReadUserValue(L"Control Panel\\Desktop", L"TileWallpaper"), L"0");
    EXPECT_TRUE(NoMessageBox(velmora_->pid(), 300));
}

TEST_F(ResourceLink, CursorSchemeUnpackedByItsPackageThenInstalled) {
    DeleteUserValue(L"Control Panel\\Cursors", L"Arrow");
    HandLink(L"/resource 1501");
    ASSERT_TRUE(WaitFor([this] { return Prompt() == kReady; }, kWait)) << U(Prompt());
    PressDownload();

    const std::wstring category = dir_ / L"Download\\鼠标指针\\透明系列\\";
    ASSERT_TRUE(WaitFor([&] { return !ReadUserValue(L"Control Panel\\Cursors", L"Arrow").empty(); }, 60000))
        << U(Prompt());
    const std::wstring arrow = ReadUserValue(L"Control Panel\\Cursors", L"Arrow");
    EXPECT_NE(arrow.find(L"Arrow.ani"), std::wstring::npos) << U(arrow);
    EXPECT_TRUE(Exists(arrow)) << U(arrow);
    EXPECT_TRUE(Exists(category + L"水晶蓝\\Arrow.ani"));
    EXPECT_TRUE(Exists(category + L"水晶蓝.jpg"));
    // The package has done its work and goes; the watcher has stopped.
    EXPECT_TRUE(WaitFor([&] { return !Exists(category + L"水晶蓝.exe") && Prompt() == kIdle; }, kWait));
    EXPECT_TRUE(NoMessageBox(velmora_->pid(), 300));
}

TEST_F(ResourceLink, BrokenAnswerShowsTheMessageAndDownloadsNothing) {
    // Unknown to the service; a category leaving the library; no file address.
    for (const wchar_t* link : {L"velmora://resource/999999/", L"velmora://resource/9901", L"/resource 9902"}) {
        HandLink(link);
        ASSERT_TRUE(WaitFor([this] { return Prompt() == kReady; }, kWait)) << U(link);
        PressDownload();
        const MessageBoxSeen box = WaitMessageBox(velmora_->pid(), kWait);
        ASSERT_NE(box.window, nullptr) << U(link);
        EXPECT_EQ(box.title, L"错误");
        EXPECT_EQ(box.text, L"该资源存在错误,请联系管理员 Q Q：800058810");
        Answer(box, IDOK);
        EXPECT_TRUE(WaitFor([this] { return Prompt() == kIdle; }, kWait)) << U(link);
    }
    EXPECT_EQ(CountFiles(dir_ / L"Download"), 0);
    EXPECT_FALSE(Exists(dir_ / L"Windows"));
}

TEST_F(ResourceLink, PlainSecondStartOnlyBringsTheWindowForward) {
    ShowWindow(main_, SW_HIDE);
    HandLink(L"");
    EXPECT_TRUE(WaitFor([this] { return IsWindowVisible(main_) != FALSE; }, kWait));
    EXPECT_EQ(QueryText(main_, static_cast<int>(MainQuery::CanShuId)), "");
}

TEST_F(ResourceLink, MalformedLinkIsRefusedByTheSecondStart) {
    Process second(dir_ / L"Velmora.exe", L"velmora://resource/..%5C..%5Cx");
    const MessageBoxSeen box = WaitMessageBox(second.pid(), kWait);
    ASSERT_NE(box.window, nullptr);
    Answer(box, IDOK);
    DWORD code = 0;
    ASSERT_TRUE(second.WaitExit(kWait, &code));
    EXPECT_EQ(code, 2u);
    EXPECT_EQ(QueryText(main_, static_cast<int>(MainQuery::CanShuId)), "");
}

}  // namespace
}  // namespace velmora::uitest
