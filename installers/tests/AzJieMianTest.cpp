#include "installers/AzJieMian.h"

#include <gtest/gtest.h>

#include "installers/BeiJingJpeg.h"
#include "platform/Strings.h"
#include "installers/tests/InstallerFixture.h"
#include "ui/testing/RecordingChromeView.h"

namespace velmora {
namespace {

const std::string kOem =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Authentication\\LogonUI\\Background\\"
    "OEMBackground";

class RecordingLogonView : public AzJieMianView, public testing::RecordingChromeView {
public:
    explicit RecordingLogonView(testing::TempFileSystem& files) : RecordingChromeView(files), files_(files) {}
    void Update(const AzJieMianKongJian& c) override { shown = c; }
    std::optional<std::string> ChooseFile(const std::string& filterName, const std::string& filter,
                                          const std::string& caption, const std::string& start) override {
        dialog = {filterName, filter, caption, start};
        return chosen;
    }
    bool CanShow(const std::string& picture) override { return OrdinaryFileExists(files_, picture); }
    void Unload() override { unloaded = true; }

    AzJieMianKongJian shown;
    std::vector<std::string> dialog;
    std::optional<std::string> chosen;
    bool unloaded = false;

private:
    testing::TempFileSystem& files_;
};

class AzJieMianTest : public InstallerTest {
protected:
    std::string Templates() const { return t.ProgramPath("\\Download\\启动界面\\登陆界面\\"); }
    std::string Backgrounds() const { return Windows("\\System32\\oobe\\info\\backgrounds\\"); }
    std::string Background() const { return Backgrounds() + "backgroundDefault.jpg"; }
    std::string LogonExe() const { return Windows("\\LogonUI\\Logon.exe"); }

    void AddTemplate(const std::string& name) {
        t.files.CreateDirectories(Templates() + name);
        t.files.WriteText(Templates() + name + ".jpg", FakePicture(PictureFormat::Jpeg, 320, 240));
        t.files.WriteText(Templates() + name + "\\" + name + ".exe", "MZ " + name);
    }
    std::string Picture(const std::string& name, int w, int h) {
        const std::string path = t.ProgramPath("\\" + name);
        t.files.WriteText(path, FakePicture(PictureFormat::Jpeg, w, h));
        return path;
    }
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (const auto& m : t.dialogs.shown) titles.push_back(m.title);
        return titles;
    }

};

TEST_F(AzJieMianTest, XpInstallCopiesTheProgramAndRegistersIt) {
    AddTemplate("晨光登陆");
    ASSERT_TRUE(XiaZaiAZJieMian(t.platform, Templates() + "晨光登陆\\晨光登陆.exe"));
    EXPECT_EQ(t.files.ReadAll(LogonExe()).value_or(""), "MZ 晨光登陆");
    EXPECT_EQ(Read(kUIHostLm), LogonExe());
    EXPECT_EQ(t.registry.ValueType(kUIHostLm), "REG_SZ");

    // A second install replaces the first.
    AddTemplate("星夜登陆");
    ASSERT_TRUE(XiaZaiAZJieMian(t.platform, Templates() + "星夜登陆\\星夜登陆.exe"));
    EXPECT_EQ(t.files.ReadAll(LogonExe()).value_or(""), "MZ 星夜登陆");
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST_F(AzJieMianTest, MissingProgramRegistersNothing) {
    EXPECT_FALSE(XiaZaiAZJieMian(t.platform, t.ProgramPath("\\没有.exe")));
    EXPECT_EQ(Read(kUIHostLm), "(none)");
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST_F(AzJieMianTest, XpRestoreRemovesTheProgramAndPutsBackTheSystemHost) {
    AddTemplate("晨光登陆");
    ASSERT_TRUE(XiaZaiAZJieMian(t.platform, Templates() + "晨光登陆\\晨光登陆.exe"));
    ASSERT_TRUE(XieZaiJieMian(t.platform));
    EXPECT_FALSE(t.files.Stat(Windows("\\LogonUI")));
    EXPECT_EQ(Read(kUIHostLm), "logonui.exe");
    EXPECT_EQ(t.registry.ValueType(kUIHostLm), "REG_EXPAND_SZ");
}

TEST_F(AzJieMianTest, Windows7BackgroundIsAMarkedJpegWithinTheLimit) {
    UseSystem(kWin7);
    t.files.CreateDirectories(Templates());
    ASSERT_TRUE(ZiDingYiBeiJing(t.platform, Picture("海边.jpg", 1920, 1200)));
    const auto bytes = t.files.ReadAll(Background());
    ASSERT_TRUE(bytes);
    EXPECT_LE(bytes->size(), 256u * 1024u);
    EXPECT_TRUE(ShiBenChengXuBeiJing(*bytes));
    EXPECT_TRUE(t.pictures.Load(Background()));  // still a picture the system decodes
    EXPECT_EQ(t.registry.ReadDword(kOem), 1u);
    // The user's picture is kept in the library as bitmap data.
    EXPECT_TRUE(StartsWith(t.files.ReadAll(Templates() + "MyInterface.bmp").value_or(""), "BM"));
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST_F(AzJieMianTest, Windows7BackgroundMakesNoLibraryFolders) {
    UseSystem(kWin7);
    ASSERT_TRUE(ZiDingYiBeiJing(t.platform, Picture("海边.jpg", 1024, 768)));
    EXPECT_TRUE(t.files.Stat(Background()));
    EXPECT_FALSE(t.files.Stat(t.ProgramPath("\\Download")));
}

class YaSuoBeiJingTest : public InstallerTest {
protected:
    std::unique_ptr<DecodedPicture> Decoded(int w, int h) {
        const std::string path = t.ProgramPath("\\p.jpg");
        t.files.WriteText(path, FakePicture(PictureFormat::Jpeg, w, h));
        return t.pictures.Load(path);
    }
};

TEST_F(YaSuoBeiJingTest, LowersTheQualityThenTheSize) {
    const struct {
        int width, height;
        std::vector<std::string> tries;  // "quality@widthxheight"
    } cases[] = {
        {1024, 768, {"90@1024x768"}},
        {1920, 1200, {"90@1920x1200", "80@1920x1200", "70@1920x1200", "60@1920x1200", "50@1920x1200", "40@1920x1200",
                      "40@1536x960"}},
        {4000, 3000, {"90@4000x3000", "80@4000x3000", "70@4000x3000", "60@4000x3000", "50@4000x3000", "40@4000x3000",
                      "40@3200x2400", "40@2560x1920", "40@2048x1536", "40@1638x1228"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> tries;
        t.pictures.jpegBytes = [&tries](int w, int h, int q) {
            tries.push_back(std::to_string(q) + "@" + std::to_string(w) + "x" + std::to_string(h));
            return static_cast<size_t>(w) * static_cast<size_t>(h) * 3u * static_cast<size_t>(q) / 1000u;
        };
        const auto picture = Decoded(c.width, c.height);
        ASSERT_TRUE(picture);
        const auto jpeg = YaSuoBeiJing(t.pictures, *picture, 256 * 1024);
        ASSERT_TRUE(jpeg);
        EXPECT_LE(BiaoJiBeiJing(*jpeg).size(), 256u * 1024u);
        EXPECT_EQ(tries, c.tries);
    }
}

TEST_F(YaSuoBeiJingTest, GivesUpWhenNothingFits) {
    t.pictures.jpegBytes = [](int, int, int) { return size_t{300 * 1024}; };
    const auto picture = Decoded(1920, 1200);
    EXPECT_FALSE(YaSuoBeiJing(t.pictures, *picture, 256 * 1024));
}

TEST(BiaoJiBeiJing, MarksOnlyJpegsAndIsRecognised) {
    const std::string jpeg = FakePicture(PictureFormat::Jpeg, 10, 10);
    const std::string marked = BiaoJiBeiJing(jpeg);
    EXPECT_TRUE(ShiBenChengXuBeiJing(marked));
    EXPECT_FALSE(ShiBenChengXuBeiJing(jpeg));
    EXPECT_EQ(marked.substr(0, 4), "\xFF\xD8\xFF\xFE");
    EXPECT_EQ(marked.substr(marked.size() - (jpeg.size() - 2)), jpeg.substr(2));
    EXPECT_EQ(BiaoJiBeiJing("BM bitmap"), "BM bitmap");
    EXPECT_FALSE(ShiBenChengXuBeiJing(""));
}

TEST_F(AzJieMianTest, ForeignBackgroundIsKeptAndComesBackOnRestore) {
    UseSystem(kWin7);
    t.files.CreateDirectories(Backgrounds());
    const std::string foreign = FakePicture(PictureFormat::Jpeg, 800, 600, 1000);
    t.files.WriteText(Background(), foreign);

    ASSERT_TRUE(ZiDingYiBeiJing(t.platform, Picture("一.jpg", 1024, 768)));
    EXPECT_EQ(t.files.ReadAll(Background() + ".kelpo").value_or(""), foreign);
    // The second apply replaces the program's own background and leaves the backup alone.
    ASSERT_TRUE(ZiDingYiBeiJing(t.platform, Picture("二.jpg", 800, 600)));
    EXPECT_EQ(t.files.ReadAll(Background() + ".kelpo").value_or(""), foreign);
    EXPECT_TRUE(ShiBenChengXuBeiJing(t.files.ReadAll(Background()).value_or("")));

    ASSERT_TRUE(XieZaiJieMian(t.platform));
    EXPECT_EQ(t.files.ReadAll(Background()).value_or(""), foreign);
    EXPECT_FALSE(t.files.Stat(Background() + ".kelpo"));
    // Windows 7 keeps the switch on and empties the XP host value, as it always did.
    EXPECT_EQ(t.registry.ReadDword(kOem), 1u);
    EXPECT_EQ(Read(kUIHostLm), "");
    EXPECT_EQ(t.registry.ValueType(kUIHostLm), "REG_SZ");
}

TEST_F(AzJieMianTest, Windows7RestoreDeletesOnlyTheProgramsOwnBackground) {
    UseSystem(kWin7);
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> before;  // file name, content
        bool apply;
        std::vector<std::string> after;  // names left
        bool folderLeft;
    } cases[] = {
        {"own background alone", {}, true, {}, false},
        {"own background beside another file", {{"other.jpg", "x"}}, true, {"other.jpg"}, true},
        {"a foreign background never replaced", {{"backgroundDefault.jpg", "foreign"}}, false,
         {"backgroundDefault.jpg"}, true},
        {"nothing there", {}, false, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        t.files.CreateDirectories(Backgrounds());
        for (const auto& [name, content] : c.before) t.files.WriteText(Backgrounds() + name, content);
        if (c.apply) {
            ASSERT_TRUE(ZiDingYiBeiJing(t.platform, Picture("图.jpg", 1024, 768)));
        }
        EXPECT_TRUE(XieZaiJieMian(t.platform));
        EXPECT_EQ(t.files.ListFiles(Backgrounds(), "*.*"), c.after);
        EXPECT_EQ(static_cast<bool>(t.files.Stat(Backgrounds())), c.folderLeft);
        for (const auto& name : c.after) t.files.Remove(Backgrounds() + name);
        t.files.RemoveEmptyFolder(Backgrounds());
    }
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST_F(AzJieMianTest, Windows7FailuresSayFailed) {
    UseSystem(kWin7);
    const struct {
        const char* name;
        std::function<void()> arrange;
    } cases[] = {
        {"no JPEG fits", [this] { t.pictures.jpegBytes = [](int, int, int) { return size_t{1} << 20; }; }},
        // The background folder's place is taken by a file.
        {"folder cannot be made",
         [this] {
             t.files.CreateDirectories(Windows("\\System32\\oobe\\info"));
             t.files.WriteText(Windows("\\System32\\oobe\\info\\backgrounds"), "in the way");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        t.dialogs.shown.clear();
        EXPECT_FALSE(ZiDingYiBeiJing(t.platform, Picture("图.jpg", 1024, 768)));
        EXPECT_EQ(t.dialogs.Texts(), std::vector<std::string>{"失败"});
        EXPECT_EQ(Titles(), std::vector<std::string>{"Velmora"});
        EXPECT_FALSE(t.registry.ReadDword(kOem));
    }
}

TEST_F(AzJieMianTest, UndecodablePictureIsRefused) {
    UseSystem(kWin7);
    const std::string broken = t.ProgramPath("\\坏.jpg");
    t.files.WriteText(broken, "not a picture");
    EXPECT_FALSE(ZiDingYiBeiJing(t.platform, broken));
    EXPECT_EQ(t.dialogs.Texts(), std::vector<std::string>{"图片格式错误，请查看图片是否损坏！"});
    EXPECT_EQ(Titles(), std::vector<std::string>{"警告"});
    EXPECT_FALSE(t.files.Stat(Backgrounds()));
}

TEST_F(AzJieMianTest, TemplateNamesKeepEverythingUpToTheLastDot) {
    EXPECT_EQ(MoBanMing("晨光.登陆.v2.jpg"), "晨光.登陆.v2");
    EXPECT_EQ(MoBanMing("星夜.jpg"), "星夜");
    EXPECT_EQ(MoBanMing("无扩展名"), "无扩展名");
}

TEST_F(AzJieMianTest, XpWindowListsTemplatesAndInstallsTheSelectedOne) {
    AddTemplate("晨光.登陆");
    AddTemplate("星夜登陆");
    RecordingLogonView view(t.files);
    AzJieMianChuangKou window(t.platform, &view);
    window.Load();
    const AzJieMianKongJian& c = view.shown;
    // Sorted as the file list sorts: 星 (U+661F) before 晨 (U+6668).
    EXPECT_EQ(c.moBan, (std::vector<std::string>{"星夜登陆", "晨光.登陆"}));
    EXPECT_EQ(c.xuanZhong, 0);
    EXPECT_EQ(c.daTu, Templates() + "星夜登陆.jpg");
    EXPECT_EQ(window.moBanChengXu(), Templates() + "星夜登陆\\星夜登陆.exe");
    EXPECT_FALSE(c.ziDingYiKeJian);
    EXPECT_TRUE(c.chaKanKeYong);
    EXPECT_TRUE(c.yingYongKeYong);
    EXPECT_TRUE(c.moBanKeYong);
    EXPECT_EQ(view.title, "登陆界面");

    // The name with a dot keeps everything up to the last one.
    window.Combo1Click(1);
    EXPECT_EQ(window.moBanChengXu(), Templates() + "晨光.登陆\\晨光.登陆.exe");
    EXPECT_EQ(view.shown.xiaoTu, Templates() + "晨光.登陆.jpg");
    window.Command1Click();
    EXPECT_EQ(t.files.ReadAll(LogonExe()).value_or(""), "MZ 晨光.登陆");
    EXPECT_EQ(Read(kUIHostLm), LogonExe());

    window.Check1Click(false);
    EXPECT_FALSE(view.shown.xianShiSuoLueTu);
    window.Check1Click(true);
    EXPECT_TRUE(view.shown.xianShiSuoLueTu);
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST_F(AzJieMianTest, MissingTemplateFolderUnloadsTheWindow) {
    RecordingLogonView view(t.files);
    AzJieMianChuangKou window(t.platform, &view);
    window.Load();
    EXPECT_TRUE(view.unloaded);
    EXPECT_EQ(t.dialogs.Texts(), std::vector<std::string>{"Donload 缺少文件!"});
    EXPECT_EQ(Titles(), std::vector<std::string>{"提示"});
}

TEST_F(AzJieMianTest, TemplatePictureThatCannotBeShownDisablesApply) {
    AddTemplate("坏图");
    struct Refusing : RecordingLogonView {
        using RecordingLogonView::RecordingLogonView;
        bool CanShow(const std::string&) override { return false; }
    } view(t.files);
    AzJieMianChuangKou window(t.platform, &view);
    window.Load();
    EXPECT_FALSE(view.shown.yingYongKeYong);
    EXPECT_EQ(view.shown.daTu, "");
}

TEST_F(AzJieMianTest, Windows7WindowTakesACustomPictureAndAppliesIt) {
    UseSystem(kWin7);
    AddTemplate("晨光登陆");
    RecordingLogonView view(t.files);
    AzJieMianChuangKou window(t.platform, &view);
    window.Load();
    EXPECT_EQ(t.dialogs.Texts(), std::vector<std::string>{"Win7暂时不支持该功能选择模板功能，只能自定义图片"});
    EXPECT_EQ(Titles(), std::vector<std::string>{"温馨提示"});
    EXPECT_FALSE(view.shown.moBanKeYong);
    EXPECT_FALSE(view.shown.suoLueTuKeYong);
    EXPECT_FALSE(view.shown.xianShiSuoLueTu);
    EXPECT_TRUE(view.shown.ziDingYiKeJian);
    EXPECT_FALSE(view.shown.chaKanKeYong);

    view.chosen = Picture("我的.jpg", 1024, 768);
    window.Command3Click();
    EXPECT_EQ(view.dialog, (std::vector<std::string>{"指定图片(*.jpg;*.bmp)", "*.jpg;*.bmp", "打开文件",
                                                     t.environment.programDirectory}));
    EXPECT_EQ(view.shown.daTu, Templates() + "MyInterface.bmp");
    EXPECT_FALSE(window.moBanMoShi());
    window.Command1Click();
    EXPECT_TRUE(ShiBenChengXuBeiJing(t.files.ReadAll(Background()).value_or("")));
    EXPECT_EQ(t.registry.ReadDword(kOem), 1u);
    EXPECT_TRUE(view.shown.chaKanKeYong);
    EXPECT_EQ(Read(kUIHostLm), "(none)");  // no logon program on Windows 7
}

TEST_F(AzJieMianTest, Windows7TemplateSelectedStillInstallsTheProgram) {
    UseSystem(kWin7);
    AddTemplate("晨光登陆");
    RecordingLogonView view(t.files);
    AzJieMianChuangKou window(t.platform, &view);
    window.Load();
    window.Command1Click();
    EXPECT_EQ(Read(kUIHostLm), LogonExe());
}

TEST_F(AzJieMianTest, CustomPictureWithoutTemplatesIsRefused) {
    UseSystem(kWin7);
    t.files.CreateDirectories(Templates());
    RecordingLogonView view(t.files);
    AzJieMianChuangKou window(t.platform, &view);
    window.Load();
    view.chosen = Picture("我的.jpg", 1024, 768);
    window.Command3Click();
    t.dialogs.shown.clear();
    window.Command1Click();
    EXPECT_EQ(t.dialogs.Texts(), std::vector<std::string>{"请先下载模板进行操作"});
    EXPECT_EQ(Titles(), std::vector<std::string>{"Velmora"});
    EXPECT_FALSE(t.files.Stat(Background()));
}

TEST_F(AzJieMianTest, FailedTemplateInstallIsReported) {
    AddTemplate("晨光登陆");
    t.files.Remove(Templates() + "晨光登陆\\晨光登陆.exe");
    RecordingLogonView view(t.files);
    AzJieMianChuangKou window(t.platform, &view);
    window.Load();
    window.Command1Click();
    EXPECT_EQ(t.dialogs.Texts(), std::vector<std::string>{"启动界面安装失败！"});
    EXPECT_EQ(Titles(), std::vector<std::string>{"错误"});
    EXPECT_EQ(Read(kUIHostLm), "(none)");
}

TEST_F(AzJieMianTest, RestoreAsksAndPreviewLocksTheWorkstation) {
    AddTemplate("晨光登陆");
    RecordingLogonView view(t.files);
    AzJieMianChuangKou window(t.platform, &view);
    window.Load();
    t.dialogs.answers = {MessageResult::Cancel};
    window.Command2Click();
    EXPECT_EQ(Read(kUIHostLm), "(none)");
    window.Command2Click();
    EXPECT_EQ(Read(kUIHostLm), "logonui.exe");
    EXPECT_EQ(t.dialogs.Texts(), (std::vector<std::string>{"是否还原启动界面", "是否还原启动界面"}));
    for (const auto& m : t.dialogs.shown) {
        EXPECT_EQ(m.title, "温馨提示");
        EXPECT_EQ(m.buttons, MessageButtons::OkCancel);
    }
    window.Command4Click();
    ASSERT_EQ(t.processes.started.size(), 1u);
    EXPECT_EQ(t.processes.started[0].commandLine, "rundll32.exe user32.dll,LockWorkStation");
    EXPECT_EQ(t.processes.started[0].style, ChuangKouYangShi::Minimized);
}

}  // namespace
}  // namespace velmora
