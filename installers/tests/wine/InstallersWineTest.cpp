// The icon-set and logon-screen installers' platform pieces and windows against the real
// functions under Wine: drives, the recycle bin, icons of a file, the exact two-byte value,
// empty-folder removal, program starts and the icon window's preview of a real icon library.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "installers/win32/AzJieMian_win.h"
#include "installers/win32/AzTuBiao_win.h"
#include "core/XiTong.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"
#include "platform/testing/Doubles.h"
#include "tests/wine/UiDriver.h"

namespace velmora {
namespace {

using uitest::W;

// The samples the build writes; VELMORA_SAMPLES holds their folder as a Windows path.
std::string Samples() {
    const char* samples = std::getenv("VELMORA_SAMPLES");
    return samples ? samples : "";
}

std::string SampleIconSet() { return Samples() + "\\Download\\系统图标\\个性\\简约扁平\\简约扁平.icl"; }

std::string TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return Narrow(std::wstring(temp)) + "velmora-installers-" + std::to_string(GetCurrentProcessId());
}

Platform& Real() { return win32::RealPlatform(); }

TEST(Win32Drives, ListsTheDrivesAndAsksForMoreRoomWhenTheBufferIsSmall) {
    char tiny[4] = {};
    const size_t needed = Real().drives.LogicalDriveStrings(tiny, sizeof tiny);
    ASSERT_GT(needed, sizeof tiny);  // Wine has C:\ and Z:\ at least
    const std::vector<std::string> drives = LuoJiQuDongQi(Real().drives);
    ASSERT_GE(drives.size(), 2u);
    EXPECT_EQ(drives[0], "C:\\");
    EXPECT_EQ(Real().drives.TypeOf("C:"), DriveType::Fixed);
    EXPECT_EQ(Real().drives.TypeOf("C:\\"), DriveType::Fixed);
    EXPECT_EQ(GuDingCiPan(Real().drives), std::vector<char>{'C'});  // D is missing: the walk stops there
    EXPECT_EQ(Real().drives.RecycleBinItems(), std::optional<uint64_t>(0));
}

TEST(Win32IconFiles, CountsTheIconsOfALibraryAndStopsOnOtherFiles) {
    ASSERT_FALSE(Samples().empty()) << "VELMORA_SAMPLES is not set: the installer samples are missing";
    int icons = 0;
    for (;; ++icons) {
        void* icon = nullptr;
        const IconExtraction got = Real().iconFiles.Extract(SampleIconSet(), icons, &icon);
        if (got != IconExtraction::Icon) {
            EXPECT_EQ(got, IconExtraction::NoIcon);
            break;
        }
        DestroyIcon(static_cast<HICON>(icon));
        ASSERT_LT(icons, 100);
    }
    EXPECT_EQ(icons, 10);

    const std::string text = TempFolder() + "-text.icl";
    auto f = Real().files.OpenForWrite(text);
    ASSERT_TRUE(f && f->Write("not icons", 9) && f->Close());
    void* icon = nullptr;
    EXPECT_NE(Real().iconFiles.Extract(text, 0, &icon), IconExtraction::Icon);
    Real().files.Remove(text);
    EXPECT_EQ(Real().iconFiles.Extract(text, 0, &icon), IconExtraction::NoIcon);
}

// The bytes the registry holds for a value, as the kernel keeps them (the W call adds a
// terminator for string types).
std::optional<std::string> RawValue(HKEY root, const wchar_t* key, const wchar_t* name) {
    using QueryFn = LONG(WINAPI*)(HANDLE, void*, int, void*, ULONG, ULONG*);
    struct UnicodeString {
        USHORT length, maximumLength;
        PWSTR buffer;
    };
    const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryValueKey")));
    HKEY h = nullptr;
    if (!query || RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return std::nullopt;
    std::wstring valueName = name;
    UnicodeString us = {static_cast<USHORT>(valueName.size() * 2), static_cast<USHORT>(valueName.size() * 2),
                        valueName.data()};
    // KEY_VALUE_PARTIAL_INFORMATION: title index, type, data length, data.
    std::vector<unsigned char> info(256);
    ULONG got = 0;
    const LONG status = query(h, &us, 2, info.data(), static_cast<ULONG>(info.size()), &got);
    RegCloseKey(h);
    if (status != 0) return std::nullopt;
    ULONG length = 0;
    memcpy(&length, info.data() + 8, sizeof length);
    return std::string(reinterpret_cast<const char*>(info.data() + 12), length);
}

TEST(Win32Registry, UnterminatedStringHasNoTerminator) {
    const std::string path = "HKEY_CURRENT_USER\\Software\\VelmoraTest\\Shell Icon Size";
    ASSERT_TRUE(Real().registry.WriteUnterminatedString(path, "32"));
    // Windows keeps the four bytes it is given; Wine adds a terminator of its own.
    const auto raw = RawValue(HKEY_CURRENT_USER, L"Software\\VelmoraTest", L"Shell Icon Size");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->substr(0, 4), std::string("3\0" "2\0", 4));
    EXPECT_TRUE(raw->size() == 4 || *raw == std::string("3\0" "2\0\0\0", 6)) << raw->size();
    EXPECT_EQ(Real().registry.ReadString(path), "32");
    Real().registry.DeleteKey("HKEY_CURRENT_USER\\Software\\VelmoraTest");
}

TEST(Win32FileSystem, RemovesOnlyEmptyFolders) {
    const std::string dir = TempFolder() + "-folder";
    ASSERT_TRUE(Real().files.CreateDirectories(dir));
    auto f = Real().files.OpenForWrite(dir + "\\x");
    ASSERT_TRUE(f && f->Close());
    EXPECT_FALSE(Real().files.RemoveEmptyFolder(dir));
    Real().files.Remove(dir + "\\x");
    EXPECT_TRUE(Real().files.RemoveEmptyFolder(dir));
    EXPECT_FALSE(Real().files.Stat(dir));
}

TEST(Win32Processes, StartsACommandLineWithoutWaiting) {
    const std::string marker = TempFolder() + "-started.txt";
    ASSERT_TRUE(Real().processes.Start("cmd /c echo started> \"" + marker + "\"", ChuangKouYangShi::Hidden));
    for (int i = 0; i < 100 && !Real().files.Stat(marker); ++i) Sleep(50);
    EXPECT_TRUE(Real().files.Stat(marker));
    Real().files.Remove(marker);
    EXPECT_FALSE(Real().processes.Start("velmora-no-such-program.exe", ChuangKouYangShi::Hidden));
}

TEST(AzTuBiaoWindow, PreviewsTheTenIconsOfTheSet) {
    ASSERT_FALSE(Samples().empty()) << "VELMORA_SAMPLES is not set: the installer samples are missing";
    uitest::ProgramDir dir;
    uitest::ProgramEnvironment environment(dir);
    testing::RecordingDialogs messages;
    messages.answers = {MessageResult::Cancel};
    Platform& r = Real();
    Platform platform{r.registry, r.profile, r.files, environment, r.system, messages, r.codePage, r.pictures,
                      r.desktop, r.drives, r.processes, r.iconFiles};
    AzTuBiaoWindow window(platform);
    ASSERT_TRUE(window.Load(SampleIconSet()));
    HWND list = GetDlgItem(window.hwnd(), kIdTuBiaoListView1);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(YuLanXiang(10).size()));
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), 10);
    wchar_t caption[64] = {};
    GetWindowTextW(window.hwnd(), caption, 64);
    EXPECT_EQ(Narrow(std::wstring(caption)), "系统图标");
    EXPECT_NE(GetDlgItem(window.hwnd(), kIdTuBiaoCommand1), nullptr);
    EXPECT_NE(GetDlgItem(window.hwnd(), kIdTuBiaoCommand2), nullptr);
    EXPECT_TRUE(messages.shown.empty());
    // The buttons ask first; cancelled, nothing changes.
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(kIdTuBiaoCommand1, BN_CLICKED), 0);
    EXPECT_EQ(messages.Titled(), std::vector<std::string>{"温馨提示: 是否安装系统图标"});
}

TEST(AzJieMianWindow, ListsTheTemplatesOfTheLibrary) {
    ASSERT_FALSE(Samples().empty()) << "VELMORA_SAMPLES is not set: the installer samples are missing";
    // A program directory with the sample template in its library.
    uitest::ProgramDir dir;
    const std::string templates = "\\Download\\启动界面\\登陆界面\\";
    for (const char* file : {"晨光登陆.jpg", "晨光登陆\\晨光登陆.exe"}) {
        const auto bytes = Real().files.ReadAll(Samples() + templates + file);
        ASSERT_TRUE(bytes) << file;
        ASSERT_TRUE(Real().files.CreateDirectories(Narrow(dir.path()) + templates + "晨光登陆"));
        dir.WriteFile(W(templates.substr(1) + file), *bytes);
    }
    uitest::ProgramEnvironment environment(dir);
    testing::RecordingDialogs messages;
    Platform& r = Real();
    Platform platform{r.registry, r.profile, r.files, environment, r.system, messages, r.codePage, r.pictures,
                      r.desktop, r.drives, r.processes, r.iconFiles};
    AzJieMianWindow window(platform);
    ASSERT_TRUE(window.Load());
    HWND combo = GetDlgItem(window.hwnd(), kIdJieMianCombo1);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 1);
    wchar_t name[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
    EXPECT_EQ(Narrow(std::wstring(name)), "晨光登陆");
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(window.installer().moBanChengXu(), Narrow(dir.path()) + templates + "晨光登陆\\晨光登陆.exe");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window.hwnd(), kIdJieMianCommand1)));
    // Windows 7 (Wine's default here) offers the custom picture and says the templates are XP's.
    const bool win7 = PanDuanXiTong(platform) == kWindows7;
    EXPECT_EQ((GetWindowLongPtrW(GetDlgItem(window.hwnd(), kIdJieMianCommand3), GWL_STYLE) & WS_VISIBLE) != 0, win7);
    EXPECT_EQ(IsWindowEnabled(combo) != FALSE, !win7);
    if (win7) {
        ASSERT_FALSE(messages.shown.empty());
        EXPECT_EQ(messages.Titled().front(), "温馨提示: Win7暂时不支持该功能选择模板功能，只能自定义图片");
    }
}

}  // namespace
}  // namespace velmora
