// The real Velmora.exe under Wine, in Windows XP and Windows 7 modes, driven by its command line
// from a throwaway program directory; what it did is read back with the real API.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/ShuBiaoJueSe.h"
#include "platform/Strings.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"
#include "installers/tests/wine/MingLingFixture.h"
#include "tests/wine/UiDriver.h"

namespace velmora {
namespace {

using uitest::MessageBoxSeen;
using uitest::ProgramDir;
using uitest::W;

const std::string kGeneral = "HKCU\\Software\\Microsoft\\Internet Explorer\\Desktop\\General\\";

std::string WinIni(const wchar_t* key) {
    wchar_t value[512] = {};
    GetPrivateProfileStringW(L"Desktop", key, L"<none>", value, 512, L"win.ini");
    return Narrow(value, wcslen(value));
}

DWORD RegType(const std::string& key, const std::string& value) {
    HKEY h = nullptr;
    DWORD type = REG_NONE;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, W(key).c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return type;
    RegQueryValueExW(h, W(value).c_str(), nullptr, &type, nullptr, nullptr);
    RegCloseKey(h);
    return type;
}

uint32_t Le32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return v;
}

class MingLingWineTest : public MingLingFixture {
protected:
    void SetUp() override {
        ASSERT_FALSE(FromEnvironment("VELMORA_SOURCE").empty()) << "VELMORA_SOURCE is not set";
        ASSERT_FALSE(FromEnvironment("VELMORA_SAMPLE_SCHEME").empty()) << "VELMORA_SAMPLE_SCHEME is not set";
        MingLingFixture::SetUp();
    }

    std::string Wallpaper() {
        return Narrow(FromEnvironment("VELMORA_SOURCE")) + "\\tools\\demo-service\\data\\wallpapers\\1201.jpg";
    }
    // A copy of the sample scheme, without the named role's file.
    std::string Scheme(const std::string& name, const std::string& without = "") {
        const std::string from = Narrow(FromEnvironment("VELMORA_SAMPLE_SCHEME")) + "\\";
        const std::string to = work_ + name + "\\";
        EXPECT_TRUE(win32::RealPlatform().files.CreateDirectories(to));
        for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) {
            if (without != role.name) {
                EXPECT_TRUE(win32::RealPlatform().files.Copy(from + role.file, to + role.file, true));
            }
        }
        return to;
    }
    std::string Installed(const char* file = "") { return Windir() + "\\Cursors\\Cursors\\" + file; }
};

TEST_P(MingLingWineTest, WallpaperInstallWritesTheBitmapRegistryAndWinIni) {
    const struct {
        std::wstring kind, position;
        const char *tile, *style;
    } cases[] = {{L"wallpaper", L" 平铺", "1", "0"}, {L"桌面壁纸", L" 居中", "0", "0"}, {L"WALLPAPER", L"", "0", "2"}};
    const std::string bitmap = Windir() + "\\Wallpaper\\Wallpaper.bmp";
    for (const auto& c : cases) {
        std::vector<MessageBoxSeen> boxes;
        EXPECT_EQ(Run(L"/install " + c.kind + L" " + Quoted(Wallpaper()) + c.position, &boxes), 0u);
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(Reg(kGeneral + "TileWallpaper"), c.tile);
        EXPECT_EQ(Reg(kGeneral + "WallpaperStyle"), c.style);
        EXPECT_EQ(RegType("Software\\Microsoft\\Internet Explorer\\Desktop\\General", "WallpaperStyle"),
                  static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(WinIni(L"TileWallpaper"), c.tile);
        EXPECT_EQ(WinIni(L"WallpaperStyle"), c.style);
        EXPECT_TRUE(EqualsIgnoreAsciiCase(WinIni(L"Wallpaper"), bitmap)) << WinIni(L"Wallpaper");
        EXPECT_TRUE(EqualsIgnoreAsciiCase(Reg("HKCU\\Control Panel\\Desktop\\Wallpaper").value_or(""), bitmap));
    }
    // The JPEG became a 24-bit bitmap of its own size.
    const auto bytes = Read(bitmap);
    ASSERT_TRUE(bytes);
    ASSERT_GT(bytes->size(), 54u);
    EXPECT_EQ(bytes->substr(0, 2), "BM");
    EXPECT_EQ(Le32(*bytes, 18), 1024u);
    EXPECT_EQ(Le32(*bytes, 22), 768u);
    EXPECT_EQ(static_cast<unsigned char>((*bytes)[28]), 24u);
}

TEST_P(MingLingWineTest, ABrokenPictureIsReportedAndChangesNothing) {
    ASSERT_EQ(Run(L"/install wallpaper " + Quoted(Wallpaper()) + L" 平铺 /silent"), 0u);
    const auto before = Read(Windir() + "\\Wallpaper\\Wallpaper.bmp");
    const std::string broken = work_ + "坏图.jpg";
    Write(broken, std::string("\xFF\xD8\xFF\xE0", 4) + "not really a picture");

    std::vector<MessageBoxSeen> boxes;
    EXPECT_EQ(Run(L"/install wallpaper " + Quoted(broken) + L" 居中", &boxes), 1u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"警告");
    EXPECT_EQ(boxes[0].text, L"图片格式错误，请查看图片是否损坏！");
    EXPECT_EQ(boxes[0].buttons.size(), 1u);
    // Silent: the same refusal without the message.
    boxes.clear();
    EXPECT_EQ(Run(L"/silent /install wallpaper " + Quoted(work_ + "missing.jpg"), &boxes), 1u);
    EXPECT_TRUE(boxes.empty());

    EXPECT_EQ(Reg(kGeneral + "TileWallpaper"), "1");
    EXPECT_EQ(WinIni(L"TileWallpaper"), "1");
    EXPECT_EQ(Read(Windir() + "\\Wallpaper\\Wallpaper.bmp"), before);
}

TEST_P(MingLingWineTest, CursorsInstallAndRestore) {
    const std::string scheme = Scheme("水晶蓝");
    // Quoted with its trailing backslash, which the system's splitting turns into a quote.
    std::vector<MessageBoxSeen> boxes;
    ASSERT_EQ(Run(L"/install cursors " + Quoted(scheme), &boxes), 0u);
    EXPECT_TRUE(boxes.empty());
    for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) {
        const std::string file = Installed(role.file);
        EXPECT_EQ(Reg(ShuBiaoZhuCeZhi(role)), file) << role.name;
        EXPECT_EQ(RegType("Control Panel\\Cursors", role.name), static_cast<DWORD>(REG_SZ)) << role.name;
        EXPECT_EQ(Read(file), Read(scheme + role.file)) << role.name;
        // A real animated cursor that the system loads.
        HCURSOR cursor = LoadCursorFromFileW(W(file).c_str());
        EXPECT_NE(cursor, nullptr) << role.name;
        if (cursor) DestroyCursor(cursor);
    }

    ASSERT_EQ(Run(L"/restore 鼠标指针", &boxes), 0u);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(win32::RealPlatform().files.Stat(Installed()));
    for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) EXPECT_FALSE(Reg(ShuBiaoZhuCeZhi(role))) << role.name;
    // Restoring again with nothing installed is quiet and succeeds.
    EXPECT_EQ(Run(L"/restore cursors", &boxes), 0u);
    EXPECT_TRUE(boxes.empty());
}

TEST_P(MingLingWineTest, AnIncompleteSchemeLeavesTheInstalledOneAlone) {
    const std::string first = Scheme("完整");
    ASSERT_EQ(Run(L"/install 鼠标指针 " + Quoted(first.substr(0, first.size() - 1)) + L" /silent"), 0u);
    std::vector<MessageBoxSeen> boxes;
    EXPECT_EQ(Run(L"/install cursors " + Quoted(Scheme("缺手形", "Hand")), &boxes), 1u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"温馨提示");
    EXPECT_EQ(boxes[0].text, L"缺少美化图标！");
    for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) {
        EXPECT_EQ(Reg(ShuBiaoZhuCeZhi(role)), Installed(role.file));
        EXPECT_TRUE(win32::RealPlatform().files.Stat(Installed(role.file)));
    }
    EXPECT_EQ(Run(L"/restore cursors /silent"), 0u);
}

TEST_P(MingLingWineTest, RefusalsAndUsage) {
    const struct {
        std::wstring args;
        DWORD status;
        const wchar_t *title, *text;  // title nullptr: no message
    } cases[] = {
        {L"/restore wallpaper", 1, L"提示", L"桌面壁纸不支持还原！"},
        {L"/restore 桌面壁纸 /silent", 1, nullptr, nullptr},
        {L"/install cursors", 2, L"Velmora", nullptr},
        {L"/install sounds x.wav", 2, L"Velmora", nullptr},
        {L"/frobnicate /silent", 2, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        std::vector<MessageBoxSeen> boxes;
        EXPECT_EQ(Run(c.args, &boxes), c.status) << uitest::U(c.args);
        if (!c.title) {
            EXPECT_TRUE(boxes.empty()) << uitest::U(c.args);
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u) << uitest::U(c.args);
        EXPECT_EQ(boxes[0].title, c.title);
        if (c.text) {
            EXPECT_EQ(boxes[0].text, c.text);
        } else {
            EXPECT_NE(boxes[0].text.find(L"/install"), std::wstring::npos);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WindowsXpAndWindows7, MingLingWineTest, ::testing::Values(L"winxp", L"win7"));

TEST(DefaultCursors, FifteenShippedCursorsThatTheSystemLoads) {
    ProgramDir dir;
    for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) {
        const std::wstring file = dir / (L"Data storage\\Cursors\\" + W(role.file));
        const auto bytes = Read(Narrow(file));
        ASSERT_TRUE(bytes) << role.file;
        EXPECT_EQ(bytes->substr(0, 4), "RIFF");
        EXPECT_EQ(bytes->substr(8, 4), "ACON");
        HCURSOR cursor = LoadCursorFromFileW(file.c_str());
        EXPECT_NE(cursor, nullptr) << role.file;
        if (cursor) DestroyCursor(cursor);
    }
}

}  // namespace
}  // namespace velmora
