// The Win32 platform against the real functions under Wine, and the native stand-ins against
// the same cases, so that the stand-ins behave like the platform where the program relies on it.
#include <gtest/gtest.h>

#include "platform/IniText.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Wide.h"
#include "core/XiTong.h"
#include "tests/wine/UiDriver.h"

namespace velmora {
namespace {

std::string TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::string dir = Narrow(std::wstring(temp)) + "velmora-platform-" + std::to_string(GetCurrentProcessId());
    win32::RealPlatform().files.CreateDirectories(dir);
    return dir;
}

TEST(Win32ProfileStore, AgreesWithTheIniRulesOfTheNativeStandIn) {
    const std::string file = TempFolder() + "\\Sys.dll";
    const char* texts[] = {
        "[Function]\r\nGuanBi=1\r\n",
        "[FUNCTION]\r\nguanbi=0\r\n",
        "[ Function ]\r\n  GuanBi  =  7  \r\n",
        "[Function]\r\nGuanBi=\"x y\"\r\n",
        "[Function]\r\nGuanBi='x'\r\n",
        "[Function]\r\nGuanBi=\"x\r\n",
        "[A]\r\nGuanBi=1\r\n[Function]\r\nGuanBi=2\r\n",
        "[Function]\r\nXiaZai=1\r\n",
        "[Other]\r\nGuanBi=1\r\n",
        "",
    };
    auto& profile = win32::RealPlatform().profile;
    for (const char* text : texts) {
        HANDLE h = CreateFileW(Widen(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
        CloseHandle(h);
        EXPECT_EQ(profile.Read(file, "Function", "GuanBi", "", 255), IniLookup(text, "Function", "GuanBi", "", 255))
            << text;
    }
    const std::string longValue(300, 'x');
    profile.Write(file, "Function", "GuanBi", longValue);
    EXPECT_EQ(profile.Read(file, "Function", "GuanBi", "", 255), std::string(254, 'x'));
    EXPECT_EQ(profile.Read(file + ".missing", "Function", "GuanBi", "", 255), "");
    // With the Chinese code page, Chinese text survives the round trip through the ANSI file.
    profile.Write(file, "Function", "GuanBi", "缺少配置文件");
    EXPECT_EQ(profile.Read(file, "function", "guanbi", "", 255), "缺少配置文件");
    win32::RealPlatform().files.Remove(file);
}

TEST(Win32Registry, FullPathsTypedValuesAndKeys) {
    auto& reg = win32::RealPlatform().registry;
    const std::string key = "HKEY_CURRENT_USER\\Software\\VelmoraTest";
    ASSERT_TRUE(reg.WriteString(key + "\\Wallpaper", "C:\\壁纸.bmp"));
    EXPECT_EQ(reg.ReadString("HKCU\\software\\velmoratest\\WALLPAPER"), "C:\\壁纸.bmp");
    ASSERT_TRUE(reg.WriteString(key + "\\", "default"));
    EXPECT_EQ(reg.ReadString(key + "\\"), "default");
    ASSERT_TRUE(reg.WriteDword(key + "\\Sub\\N", 42));
    EXPECT_EQ(reg.ReadDword(key + "\\Sub\\N"), 42u);
    EXPECT_EQ(reg.ReadString(key + "\\Sub\\N"), "42");
    EXPECT_TRUE(reg.DeleteValue(key + "\\Wallpaper"));
    EXPECT_FALSE(reg.ReadString(key + "\\Wallpaper"));
    EXPECT_TRUE(reg.DeleteKey(key));
    EXPECT_FALSE(reg.ReadDword(key + "\\Sub\\N"));
}

TEST(Win32FileSystem, AttributesDecideWhatExistsAndIsListed) {
    auto& fs = win32::RealPlatform().files;
    const std::string dir = TempFolder() + "\\Download\\桌面壁纸\\经典珍藏\\";
    ASSERT_TRUE(fs.CreateDirectories(dir));
    for (const char* name : {"a.jpg", "b.JPG", "h.jpg", "s.jpg", "c.png", "d.jpgx"}) {
        auto f = fs.OpenForWrite(dir + name);
        ASSERT_TRUE(f);
        f->Write("x", 1);
        f->Close();
    }
    SetFileAttributesW(Widen(dir + "h.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(Widen(dir + "s.jpg").c_str(), FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(fs.ListFiles(dir, "*.jpg").size(), 2u);
    EXPECT_TRUE(OrdinaryFileExists(fs, dir + "a.jpg"));
    EXPECT_FALSE(OrdinaryFileExists(fs, dir + "h.jpg"));
    EXPECT_TRUE(AnyFileExists(fs, dir + "h.jpg"));
    EXPECT_TRUE(DirectoryExists(fs, dir));
    EXPECT_TRUE(fs.Move(dir + "a.jpg", dir + "b.JPG"));
    EXPECT_FALSE(AnyFileExists(fs, dir + "a.jpg"));
    EXPECT_TRUE(fs.Remove(dir + "b.JPG"));
}

TEST(Win32FileSystem, RemoveTreeIsForcedAndStopsAtItsOwnFolder) {
    auto& fs = win32::RealPlatform().files;
    const std::string themes = TempFolder() + "\\Resources\\Themes";
    const std::string dir = themes + "\\极光";
    ASSERT_TRUE(fs.CreateDirectories(dir + "\\Wallpaper\\大"));
    for (const char* name : {"\\readonly.msstyles", "\\Wallpaper\\hidden.bmp", "\\Wallpaper\\大\\a.jpg"}) {
        auto f = fs.OpenForWrite(dir + name);
        ASSERT_TRUE(f);
        f->Write("x", 1);
        f->Close();
    }
    auto beside = fs.OpenForWrite(themes + "\\极光.theme");
    ASSERT_TRUE(beside);
    beside->Close();
    SetFileAttributesW(Widen(dir + "\\readonly.msstyles").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(Widen(dir + "\\Wallpaper\\hidden.bmp").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(Widen(dir + "\\Wallpaper").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_FALSE(fs.Remove(dir + "\\readonly.msstyles"));  // what a plain delete refuses

    EXPECT_FALSE(fs.RemoveTree(themes + "\\极光.theme"));  // a file
    EXPECT_TRUE(AnyFileExists(fs, themes + "\\极光.theme"));
    EXPECT_TRUE(fs.RemoveTree(dir + "\\"));
    EXPECT_FALSE(fs.Stat(dir));
    EXPECT_TRUE(DirectoryExists(fs, themes));
    EXPECT_TRUE(AnyFileExists(fs, themes + "\\极光.theme"));
    EXPECT_TRUE(fs.RemoveTree(dir));  // already gone
    EXPECT_TRUE(fs.RemoveTree(themes + "\\missing\\deeper"));
    EXPECT_TRUE(fs.Remove(themes + "\\极光.theme"));
}

TEST(PanDuanXiTong, FollowsTheWindowsVersionOfTheProcess) {
    const struct {
        const char* wineVersion;
        const char* name;
    } cases[] = {{"winxp", "Windows XP"}, {"win7", "Windows 7"}, {"win2003", "Windows Server 2003"},
                 {"win8", "未知系统"}};
    const std::string out = TempFolder() + "\\osprobe.txt";
    for (const auto& c : cases) {
        auto& reg = win32::RealPlatform().registry;
        ASSERT_TRUE(reg.WriteString("HKCU\\Software\\Wine\\AppDefaults\\velmora-osprobe.exe\\Version", c.wineVersion));
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring probePath = self;
        probePath = probePath.substr(0, probePath.find_last_of(L'\\')) + L"\\velmora-osprobe.exe";
        uitest::Process p(probePath, L"\"" + Widen(out) + L"\"");
        ASSERT_TRUE(p.started());
        DWORD code = 1;
        ASSERT_TRUE(p.WaitExit(30000, &code));
        EXPECT_EQ(code, 0u);
        const auto text = win32::RealPlatform().files.ReadAll(out);
        ASSERT_TRUE(text);
        EXPECT_EQ(text->substr(0, text->find('\n')), c.name) << c.wineVersion << ": " << *text;
    }
    win32::RealPlatform().registry.DeleteKey("HKCU\\Software\\Wine\\AppDefaults\\velmora-osprobe.exe");
}

}  // namespace
}  // namespace velmora
