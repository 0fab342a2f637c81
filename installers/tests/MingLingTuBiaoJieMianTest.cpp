#include "installers/MingLing.h"

#include <gtest/gtest.h>

#include "installers/tests/InstallerFixture.h"

namespace velmora {
namespace {

const std::string kComputer =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\"
    "{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon\\";

class MingLingTest : public InstallerTest {
protected:
    MingLingTest() {
        t.files.WriteText(icons, "icon library");
        t.files.WriteText(program, "MZ logon");
        t.files.WriteText(picture, FakePicture(PictureFormat::Jpeg, 1024, 768));
    }
    std::string icons = t.ProgramPath("\\简约扁平.icl");
    std::string program = t.ProgramPath("\\晨光登陆.exe");
    std::string picture = t.ProgramPath("\\海边.jpg");
};

TEST_F(MingLingTest, IconAndLogonKindsByTheSystem) {
    const struct {
        const char* version;
        const char* command;  // "icons", "logon", "restore icons", "restore logon"
        std::string path;
        int status;
        std::string message, title;  // empty: none
        std::string uiHost, computerIcon;
        bool background;
    } cases[] = {
        {kXp, "icons", icons, 0, "", "", "(none)", Windows("\\Icon\\\\Icon.icl,1"), false},
        {kWin7, "icons", icons, 0, "", "", "(none)", Windows("\\Icon\\\\Icon.icl,1"), false},
        {kXp, "icons", t.ProgramPath("\\没有.icl"), 1, "缺少图标库文件！", "温馨提示", "(none)", "(none)", false},
        {kVista, "icons", icons, 1, "暂时只支持Win 7和Wind Xp使用该功能", "提示", "(none)", "(none)", false},
        {kXp, "restore icons", "", 0, "", "", "(none)", "Shell32.dll,15", false},
        {kWin7, "restore icons", "", 0, "", "", "(none)", "%SystemRoot%\\System32\\imageres.dll,-109", false},
        {kXp, "logon", program, 0, "", "", Windows("\\LogonUI\\Logon.exe"), "(none)", false},
        {kXp, "logon", picture, 1, "启动界面安装失败！", "错误", "(none)", "(none)", false},
        {kXp, "logon", t.ProgramPath("\\没有.exe"), 1, "启动界面安装失败！", "错误", "(none)", "(none)", false},
        {kWin7, "logon", program, 1, "Win7暂时不支持该功能", "温馨提示", "(none)", "(none)", false},
        {kWin7, "logon", picture, 0, "", "", "(none)", "(none)", true},
        {kVista, "logon", picture, 1, "暂时只支持Win 7和Wind Xp使用该功能", "提示", "(none)", "(none)", false},
        {kXp, "restore logon", "", 0, "", "", "logonui.exe", "(none)", false},
        {kWin7, "restore logon", "", 0, "", "", "", "(none)", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.version) + " " + c.command + " " + c.path);
        testing::MemoryRegistry fresh;
        t.registry = fresh;
        t.dialogs.shown.clear();
        t.files.Remove(Windows("\\System32\\oobe\\info\\backgrounds\\backgroundDefault.jpg"));
        UseSystem(c.version);
        const std::string command = c.command;
        const int status = command == "icons"           ? AnZhuangTuBiaoMingLing(t.platform, c.path)
                           : command == "restore icons" ? HuanYuanTuBiaoMingLing(t.platform)
                           : command == "logon"         ? AnZhuangJieMianMingLing(t.platform, c.path)
                                                        : HuanYuanJieMianMingLing(t.platform);
        EXPECT_EQ(status, c.status);
        if (c.message.empty()) {
            EXPECT_TRUE(t.dialogs.shown.empty());
        } else {
            ASSERT_EQ(t.dialogs.shown.size(), 1u);
            EXPECT_EQ(t.dialogs.shown[0].text, c.message);
            EXPECT_EQ(t.dialogs.shown[0].title, c.title);
        }
        EXPECT_EQ(Read(kUIHostLm), c.uiHost);
        EXPECT_EQ(Read(kComputer), c.computerIcon);
        EXPECT_EQ(static_cast<bool>(t.files.Stat(Windows("\\System32\\oobe\\info\\backgrounds\\backgroundDefault.jpg"))),
                  c.background);
    }
}

// The 32-bit release on 64-bit Windows 7 must reach the places the 64-bit shell and LogonUI read:
// the platform opens machine keys in the 64-bit view and turns file-system redirection off, so
// the installers name the native places and never the 32-bit views.
TEST_F(MingLingTest, MachineKeysAndSystemFilesAreTheNativeOnes) {
    t.drives.drives = {{'C', DriveType::Fixed}, {'D', DriveType::CdRom}};
    for (const char* version : {kXp, kWin7}) {
        UseSystem(version);
        ASSERT_EQ(AnZhuangTuBiaoMingLing(t.platform, icons), 0);
        EXPECT_EQ(AnZhuangJieMianMingLing(t.platform, version == kXp ? program : picture), 0);
        for (const char* key : {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons",
                                "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\C",
                                "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\D"}) {
            EXPECT_TRUE(t.registry.KeyExists(key)) << key;
        }
        EXPECT_FALSE(t.registry.KeyExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node"));
    }
    EXPECT_TRUE(t.registry.KeyExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon"));
    EXPECT_TRUE(t.registry.KeyExists(
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Authentication\\LogonUI\\Background"));
    EXPECT_TRUE(t.files.Stat(Windows("\\System32\\oobe\\info\\backgrounds\\backgroundDefault.jpg")));
    EXPECT_FALSE(t.files.Stat(Windows("\\SysWOW64")));
}

}  // namespace
}  // namespace velmora
