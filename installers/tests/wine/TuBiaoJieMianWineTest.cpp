// The icon-set and logon-screen kinds of the real Velmora.exe's command line under Wine, in
// Windows XP and Windows 7 modes; what changed is read back with the real API.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "installers/tests/wine/MingLingFixture.h"
#include "platform/Strings.h"

namespace velmora {
namespace {

using uitest::MessageBoxSeen;
using uitest::W;

const std::string kCu = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\";
const std::string kLm = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const std::string kComputer = kCu + "{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon\\";
const std::string kBin = kCu + "{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon\\";
const std::string kUIHost = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\UIHost";
const std::string kOem =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Authentication\\LogonUI\\Background\\"
    "OEMBackground";

DWORD ValueType(HKEY root, const std::string& key, const std::string& value) {
    HKEY h = nullptr;
    DWORD type = REG_NONE;
    if (RegOpenKeyExW(root, W(key).c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return type;
    RegQueryValueExW(h, W(value).c_str(), nullptr, &type, nullptr, nullptr);
    RegCloseKey(h);
    return type;
}

// A bitmap of noise, which no JPEG squeezes small: only a smaller picture fits the limit.
std::string NoiseBitmap(int width, int height) {
    const uint32_t row = static_cast<uint32_t>((width * 3 + 3) & ~3);
    const uint32_t pixels = row * static_cast<uint32_t>(height);
    std::string b(54 + pixels, '\0');
    const auto put32 = [&b](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    put32(34, pixels);
    uint32_t seed = 12345;
    for (size_t i = 54; i < b.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        b[i] = static_cast<char>(seed >> 24);
    }
    return b;
}

class TuBiaoJieMianWineTest : public MingLingFixture {
protected:
    void SetUp() override {
        ASSERT_FALSE(FromEnvironment("VELMORA_SAMPLES").empty()) << "VELMORA_SAMPLES is not set";
        ASSERT_FALSE(FromEnvironment("VELMORA_SOURCE").empty()) << "VELMORA_SOURCE is not set";
        MingLingFixture::SetUp();
    }
    bool Xp() const { return std::wstring(GetParam()) == L"winxp"; }
    std::string Samples() const { return Narrow(FromEnvironment("VELMORA_SAMPLES")); }
    std::string IconSet() const { return Samples() + "\\Download\\系统图标\\个性\\简约扁平\\简约扁平.icl"; }
    std::string LogonProgram() const { return Samples() + "\\Download\\启动界面\\登陆界面\\晨光登陆\\晨光登陆.exe"; }
    std::string Picture() const {
        return Narrow(FromEnvironment("VELMORA_SOURCE")) + "\\tools\\demo-service\\data\\wallpapers\\1205.jpg";
    }
    std::string L() const { return Windir() + "\\Icon\\\\Icon.icl"; }
    std::string Backgrounds() const { return Windir() + "\\System32\\oobe\\info\\backgrounds\\"; }
    bool Exists(const std::string& path) const { return win32::RealPlatform().files.Stat(path).has_value(); }
};

TEST_P(TuBiaoJieMianWineTest, IconSetInstallAndRestore) {
    std::vector<MessageBoxSeen> boxes;
    ASSERT_EQ(Run(L"/install icons " + Quoted(IconSet()), &boxes), 0u);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Read(L()), Read(IconSet()));
    const std::string documents = kCu + (Xp() ? "{450D8FBA-AD25-11D0-98A8-0800361B1103}" : "{59031A47-3F72-44A7-89C5-5595FE6B30EE}") +
                                  "\\DefaultIcon\\";
    EXPECT_EQ(Reg(documents), L() + ",0");
    EXPECT_EQ(Reg(kComputer), L() + ",1");
    EXPECT_EQ(Reg(kBin + "full"), L() + ",4");
    EXPECT_EQ(Reg(kBin), L() + ",3");  // Wine's recycle bin is empty
    EXPECT_EQ(Reg(kLm + "Shell Icons\\3"), L() + ",5");
    EXPECT_EQ(Reg(kLm + "Shell Icons\\7"), L() + ",8");
    EXPECT_EQ(Reg(kLm + "DriveIcons\\C\\DefaultIcon\\"), L() + ",9");
    // Every reference names an icon the system can take from the working copy.
    for (UINT index = 0; index < 10; ++index) {
        HICON icon = ExtractIconW(GetModuleHandleW(nullptr), W(L()).c_str(), index);
        EXPECT_NE(icon, nullptr) << index;
        if (icon) DestroyIcon(icon);
    }
    if (Xp()) {
        // The refresh leaves the size at "32" (its exact two bytes: InstallersWineTest).
        EXPECT_EQ(Reg("HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size"), "32");
    }

    ASSERT_EQ(Run(L"/restore 系统图标", &boxes), 0u);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(Exists(Windir() + "\\Icon"));
    EXPECT_EQ(Reg(kComputer), Xp() ? "Shell32.dll,15" : "%SystemRoot%\\System32\\imageres.dll,-109");
    EXPECT_EQ(Reg(kLm + "Shell Icons\\3"), Xp() ? std::optional<std::string>("Shell32.dll,3") : std::nullopt);
    EXPECT_FALSE(Reg(kLm + "Shell Icons\\7"));
    EXPECT_EQ(Reg(kLm + "DriveIcons\\C\\DefaultIcon\\"), Xp() ? "%SystemRoot%\\system32\\SHELL32.dll,8" : "");
    if (Xp()) {
        EXPECT_EQ(Reg(kBin), "Shell32.dll,31");
    }
}

TEST_P(TuBiaoJieMianWineTest, MissingIconLibraryChangesNothing) {
    ASSERT_EQ(Run(L"/restore icons /silent"), 0u);
    const auto before = Reg(kComputer);
    std::vector<MessageBoxSeen> boxes;
    EXPECT_EQ(Run(L"/install icons " + Quoted(work_ + "没有.icl"), &boxes), 1u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"温馨提示");
    EXPECT_EQ(boxes[0].text, L"缺少图标库文件！");
    EXPECT_EQ(Reg(kComputer), before);
    EXPECT_FALSE(Exists(L()));
}

TEST_P(TuBiaoJieMianWineTest, LogonScreenInstallAndRestore) {
    std::vector<MessageBoxSeen> boxes;
    if (Xp()) {
        ASSERT_EQ(Run(L"/install logon " + Quoted(LogonProgram()), &boxes), 0u);
        EXPECT_TRUE(boxes.empty());
        const std::string installed = Windir() + "\\LogonUI\\Logon.exe";
        EXPECT_EQ(Read(installed), Read(LogonProgram()));
        EXPECT_EQ(Reg(kUIHost), installed);
        EXPECT_EQ(ValueType(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "UIHost"),
                  static_cast<DWORD>(REG_SZ));

        ASSERT_EQ(Run(L"/restore 启动界面", &boxes), 0u);
        EXPECT_TRUE(boxes.empty());
        EXPECT_FALSE(Exists(Windir() + "\\LogonUI"));
        EXPECT_EQ(Reg(kUIHost), "logonui.exe");
        EXPECT_EQ(ValueType(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "UIHost"),
                  static_cast<DWORD>(REG_EXPAND_SZ));
        return;
    }
    // Windows 7 takes a picture, not a program.
    EXPECT_EQ(Run(L"/install logon " + Quoted(LogonProgram()), &boxes), 1u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"温馨提示");
    EXPECT_EQ(boxes[0].text, L"Win7暂时不支持该功能");
    boxes.clear();

    // A background that was there before the program is kept and comes back.
    ASSERT_TRUE(win32::RealPlatform().files.CreateDirectories(Backgrounds()));
    const std::string foreign = *Read(Picture());
    Write(Backgrounds() + "backgroundDefault.jpg", foreign);
    const std::string noise = work_ + "噪点.bmp";
    Write(noise, NoiseBitmap(1600, 1200));
    for (const std::string& picture : {Picture(), noise}) {
        ASSERT_EQ(Run(L"/install 启动界面 " + Quoted(picture), &boxes), 0u);
        EXPECT_TRUE(boxes.empty());
        const auto jpeg = Read(Backgrounds() + "backgroundDefault.jpg");
        ASSERT_TRUE(jpeg);
        EXPECT_LE(jpeg->size(), 256u * 1024u) << picture;
        EXPECT_EQ(jpeg->substr(0, 2), "\xFF\xD8");
        EXPECT_EQ(Read(Backgrounds() + "backgroundDefault.jpg.kelpo"), foreign);
        EXPECT_EQ(win32::RealPlatform().registry.ReadDword(kOem), 1u);
        // A real JPEG the system decodes.
        EXPECT_TRUE(win32::RealPlatform().pictures.Load(Backgrounds() + "backgroundDefault.jpg")) << picture;
    }

    ASSERT_EQ(Run(L"/restore logon", &boxes), 0u);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Read(Backgrounds() + "backgroundDefault.jpg"), foreign);
    EXPECT_FALSE(Exists(Backgrounds() + "backgroundDefault.jpg.kelpo"));
    EXPECT_EQ(Reg(kUIHost), "");

    // Without a foreign one, the restore takes the program's own and the then empty folder.
    win32::RealPlatform().files.Remove(Backgrounds() + "backgroundDefault.jpg");
    ASSERT_EQ(Run(L"/install logon " + Quoted(Picture()) + L" /silent"), 0u);
    ASSERT_EQ(Run(L"/restore logon /silent"), 0u);
    EXPECT_FALSE(Exists(Backgrounds()));
}

INSTANTIATE_TEST_SUITE_P(WindowsXpAndWindows7, TuBiaoJieMianWineTest, ::testing::Values(L"winxp", L"win7"));

}  // namespace
}  // namespace velmora
