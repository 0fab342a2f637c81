#include "installers/AzTuBiao.h"

#include <gtest/gtest.h>

#include "installers/tests/InstallerFixture.h"
#include "ui/testing/RecordingChromeView.h"

namespace velmora {
namespace {

const std::string kCu = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\";
const std::string kLm = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const std::string kBin = kCu + "{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon\\";
const std::string kIconSize = "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size";

std::string Drive(char letter) { return kLm + "DriveIcons\\" + letter + "\\DefaultIcon\\"; }

class AzTuBiaoTest : public InstallerTest {
protected:
    AzTuBiaoTest() {
        t.files.WriteText(set, "icon library");
        // C fixed, D CD-ROM, E fixed.
        t.drives.drives = {{'C', DriveType::Fixed}, {'D', DriveType::CdRom}, {'E', DriveType::Fixed}};
    }
    std::string L() const { return Windows("\\Icon\\\\Icon.icl"); }
    std::string set = t.ProgramPath("\\简约扁平.icl");
};

struct Location {
    std::string path;
    int index;  // the reference L + "," + index expected there
};

TEST_F(AzTuBiaoTest, InstallPointsEverySlotAtTheWorkingCopyOnBothSystems) {
    const std::vector<Location> common = {
        {kCu + "{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon\\", 1},
        {kBin + "empty", 3},
        {kBin + "full", 4},
        {kLm + "Shell Icons\\3", 5},
        {kLm + "Shell Icons\\4", 6},
        {Drive('D'), 7},
        {kLm + "Shell Icons\\7", 8},
        {Drive('C'), 9},
        {Drive('E'), 9},
        {kBin, 3},  // the bin is empty
    };
    const struct {
        const char* version;
        bool (*install)(Platform&, const std::string&);
        std::vector<Location> own;
    } systems[] = {
        {kXp, &XpTuBiaoAz,
         {{kCu + "{450D8FBA-AD25-11D0-98A8-0800361B1103}\\DefaultIcon\\", 0},
          {kCu + "{208D2C60-3AEA-1069-A2D7-08002B30309D}\\DefaultIcon\\", 2}}},
        {kWin7, &Win7TuBiaoAz,
         {{kCu + "{59031A47-3F72-44A7-89C5-5595FE6B30EE}\\DefaultIcon\\", 0},
          {kCu + "{F02C1A0D-BE21-4350-88B0-7367FC96EF3C}\\DefaultIcon\\", 2}}},
    };
    for (const auto& s : systems) {
        SCOPED_TRACE(s.version);
        testing::MemoryRegistry fresh;
        t.registry = fresh;
        UseSystem(s.version);
        ASSERT_TRUE(s.install(t.platform, set));
        EXPECT_EQ(t.files.ReadAll(L()).value_or(""), "icon library");
        std::vector<Location> all = common;
        all.insert(all.end(), s.own.begin(), s.own.end());
        for (const Location& l : all) EXPECT_EQ(Read(l.path), L() + "," + std::to_string(l.index)) << l.path;
        // Nothing under drive letters that are no CD-ROM or fixed disk.
        EXPECT_EQ(Read(Drive('F')), "(none)");
        EXPECT_TRUE(t.dialogs.shown.empty());
    }
}

TEST_F(AzTuBiaoTest, WorkingCopyIsTheExactTextWithTwoBackslashes) {
    EXPECT_EQ(TuBiaoKuFuBen(t.platform), t.environment.variables["windir"] + "\\Icon\\\\Icon.icl");
}

TEST_F(AzTuBiaoTest, RecycleBinIconFollowsTheBinState) {
    const struct {
        std::optional<uint64_t> items;
        std::string expected;
    } cases[] = {{0, L() + ",3"}, {7, L() + ",4"}, {std::nullopt, "(none)"}};
    for (const auto& c : cases) {
        testing::MemoryRegistry fresh;
        t.registry = fresh;
        t.drives.recycleBinItems = c.items;
        ASSERT_TRUE(XpTuBiaoAz(t.platform, set));
        EXPECT_EQ(Read(kBin), c.expected);
    }
}

TEST_F(AzTuBiaoTest, DriveWalks) {
    using D = DriveType;
    const struct {
        const char* name;
        std::map<char, DriveType> drives;
        char cdRom;
        std::vector<char> fixed;
    } cases[] = {
        {"C fixed, D CD-ROM, E fixed", {{'C', D::Fixed}, {'D', D::CdRom}, {'E', D::Fixed}}, 'D', {'C', 'E'}},
        {"a gap: F is never looked at", {{'C', D::Fixed}, {'D', D::CdRom}, {'F', D::Fixed}}, 'D', {'C'}},
        {"first of two CD-ROMs, removable skipped",
         {{'C', D::Fixed}, {'D', D::Removable}, {'E', D::CdRom}, {'F', D::CdRom}, {'G', D::Fixed}}, 'E', {'C', 'G'}},
        {"no CD-ROM", {{'C', D::Fixed}, {'D', D::Remote}}, '\0', {'C'}},
        {"floppy A before C", {{'A', D::Removable}, {'C', D::Fixed}}, '\0', {'C'}},
        {"no C at all", {{'D', D::Fixed}, {'E', D::CdRom}}, 'E', {}},
    };
    for (const auto& c : cases) {
        t.drives.drives = c.drives;
        EXPECT_EQ(DiYiGeGuangQu(t.drives), c.cdRom) << c.name;
        EXPECT_EQ(GuDingCiPan(t.drives), c.fixed) << c.name;
    }
}

TEST_F(AzTuBiaoTest, DriveListLongerThanTheFirstBufferIsAskedForAgain) {
    // Twenty drives take 81 characters; only the last one is a CD-ROM.
    t.drives.drives.clear();
    for (char letter = 'C'; letter < 'C' + 20; ++letter) t.drives.drives[letter] = DriveType::Fixed;
    t.drives.drives['V'] = DriveType::CdRom;
    EXPECT_EQ(LuoJiQuDongQi(t.drives).size(), 20u);
    EXPECT_EQ(t.drives.listRequests, (std::vector<size_t>{64, 81}));
    ASSERT_TRUE(XpTuBiaoAz(t.platform, set));
    EXPECT_EQ(Read(Drive('V')), L() + ",7");
}

TEST_F(AzTuBiaoTest, MissingOrUncopyableLibraryChangesNothingAndSaysSo) {
    const struct {
        const char* name;
        std::function<void()> arrange;
        std::string file;
        const char* message;
    } cases[] = {
        {"missing", [] {}, t.ProgramPath("\\没有.icl"), "缺少图标库文件！"},
        // The Icon folder's place is taken by a file, so nothing can be copied there.
        {"uncopyable", [this] { t.files.WriteText(Windows("\\Icon"), "in the way"); }, set, "图标库文件复制失败！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        for (const char* version : {kXp, kWin7}) {
            UseSystem(version);
            t.dialogs.shown.clear();
            EXPECT_FALSE(AnZhuangTuBiao(t.platform, c.file));
            ASSERT_EQ(t.dialogs.shown.size(), 1u);
            EXPECT_EQ(t.dialogs.shown[0].text, c.message);
            EXPECT_EQ(t.dialogs.shown[0].title, "温馨提示");
            EXPECT_FALSE(t.registry.KeyExists("HKEY_CURRENT_USER\\Software"));
            EXPECT_FALSE(t.registry.KeyExists("HKEY_LOCAL_MACHINE\\SOFTWARE"));
            EXPECT_TRUE(t.processes.started.empty());
            EXPECT_TRUE(t.desktop.broadcasts.empty());
        }
    }
}

TEST_F(AzTuBiaoTest, XpRefreshLeavesTheTwoByteSize32AndBroadcastsTwiceWithATimeout) {
    t.registry.WriteString(kIconSize, "48");
    ASSERT_TRUE(XpTuBiaoAz(t.platform, set));
    EXPECT_EQ(Read(kIconSize), "32");
    EXPECT_EQ(t.registry.Terminated(kIconSize), false);
    ASSERT_EQ(t.desktop.broadcasts.size(), 2u);
    for (const auto& b : t.desktop.broadcasts) {
        EXPECT_EQ(b.wParam, 0u);
        EXPECT_EQ(b.area, "");
        EXPECT_GT(b.timeoutMs, 0u);
    }
    EXPECT_TRUE(t.processes.started.empty());
}

TEST_F(AzTuBiaoTest, Windows7RefreshRestartsTheShellHidden) {
    t.environment.variables["userprofile"] = "C:\\Users\\李雷";
    ASSERT_TRUE(Win7TuBiaoAz(t.platform, set));
    EXPECT_EQ(t.processes.CommandLines(),
              (std::vector<std::string>{"attrib -h -s -r \"C:\\Users\\李雷\\AppData\\Local\\IconCache.db\"",
                                        "cmd /c  taskkill /f /im explorer.exe & start explorer"}));
    for (const auto& s : t.processes.started) EXPECT_EQ(s.style, ChuangKouYangShi::Hidden);
    EXPECT_TRUE(t.desktop.broadcasts.empty());
}

TEST_F(AzTuBiaoTest, RestoresWriteAndDeleteTheSystemDefaults) {
    const std::string empty = "";
    const struct {
        const char* version;
        std::vector<std::pair<std::string, std::string>> values;  // "(none)" for deleted
    } systems[] = {
        {kXp,
         {{kCu + "{450D8FBA-AD25-11D0-98A8-0800361B1103}\\DefaultIcon\\", "%SystemRoot%\\SYSTEM32\\mydocs.dll,0"},
          {kCu + "{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon\\", "Shell32.dll,15"},
          {kCu + "{208D2C60-3AEA-1069-A2D7-08002B30309D}\\DefaultIcon\\", "%SystemRoot%\\system32\\SHELL32.dll,17"},
          {kBin + "empty", "Shell32.dll,31"},
          {kBin + "full", "Shell32.dll,32"},
          {kBin, "Shell32.dll,32"},  // the bin holds items
          {kLm + "Shell Icons\\3", "Shell32.dll,3"},
          {kLm + "Shell Icons\\4", "Shell32.dll,4"},
          {Drive('D'), empty},
          {kLm + "Shell Icons\\7", "(none)"},
          {Drive('C'), "%SystemRoot%\\system32\\SHELL32.dll,8"},
          {Drive('E'), "%SystemRoot%\\system32\\SHELL32.dll,8"}}},
        {kWin7,
         {{kCu + "{59031A47-3F72-44A7-89C5-5595FE6B30EE}\\DefaultIcon\\", "%SystemRoot%\\System32\\imageres.dll,-123"},
          {kCu + "{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon\\", "%SystemRoot%\\System32\\imageres.dll,-109"},
          {kCu + "{F02C1A0D-BE21-4350-88B0-7367FC96EF3C}\\DefaultIcon\\", "%SystemRoot%\\System32\\imageres.dll,-25"},
          {kBin + "empty", "%SystemRoot%\\System32\\imageres.dll,-55"},
          {kBin + "full", "%SystemRoot%\\System32\\imageres.dll,-54"},
          {kLm + "Shell Icons\\3", "(none)"},
          {kLm + "Shell Icons\\4", "(none)"},
          {Drive('D'), empty},
          {kLm + "Shell Icons\\7", "(none)"},
          {Drive('C'), empty},
          {Drive('E'), empty}}},
    };
    for (const auto& s : systems) {
        SCOPED_TRACE(s.version);
        UseSystem(s.version);
        t.drives.recycleBinItems = 2;
        ASSERT_TRUE(AnZhuangTuBiao(t.platform, set));
        ASSERT_TRUE(HuanYuanTuBiao(t.platform));
        for (const auto& [path, value] : s.values) EXPECT_EQ(Read(path), value) << path;
        EXPECT_FALSE(t.files.Stat(Windows("\\Icon")));
    }
    // The Windows 7 restore leaves the bin's current icon as the install set it.
    EXPECT_EQ(Read(kBin), L() + ",4");
}

TEST_F(AzTuBiaoTest, RestoreWithNothingInstalledSucceeds) {
    EXPECT_TRUE(XpTuBiaoHy(t.platform));
    EXPECT_TRUE(Win7TuBiaoAzHy(t.platform));
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST_F(AzTuBiaoTest, OtherSystemsAreRefusedByTheDispatch) {
    UseSystem(kVista);
    EXPECT_FALSE(AnZhuangTuBiao(t.platform, set));
    EXPECT_FALSE(HuanYuanTuBiao(t.platform));
    ASSERT_EQ(t.dialogs.shown.size(), 2u);
    for (const auto& m : t.dialogs.shown) {
        EXPECT_EQ(m.text, "暂时只支持Win 7和Wind Xp使用该功能");
        EXPECT_EQ(m.title, "提示");
    }
    EXPECT_FALSE(t.files.Stat(L()));
}

TEST(YuLanXiang, SpacersStandBeforeImagesFourSevenAndTen) {
    EXPECT_EQ(YuLanXiang(10), (std::vector<int>{0, 0, 0, 1, 2, 3, 0, 4, 5, 6, 0, 0, 0, 7, 8, 9, 0, 0, 0, 10}));
    EXPECT_EQ(YuLanXiang(5), (std::vector<int>{0, 0, 0, 1, 2, 3, 0, 4, 5}));
    EXPECT_EQ(YuLanXiang(0), (std::vector<int>{0, 0, 0}));
}

class RecordingIconView : public AzTuBiaoView, public testing::RecordingChromeView {
public:
    using RecordingChromeView::RecordingChromeView;
    void ClearPreview() override { items.clear(), images = 0; }
    void AddImage(void*) override { ++images; }
    void AddItem(int image) override { items.push_back(image); }
    int images = 0;
    std::vector<int> items;
};

TEST_F(AzTuBiaoTest, PreviewShowsTheIconsTheSetHolds) {
    const struct {
        int iconsInFile;  // -1: not an icon library at all
        int images;
        int extractions;
    } cases[] = {{10, 10, 11}, {4, 4, 5}, {-1, 0, 1}, {0, 0, 1}};
    for (const auto& c : cases) {
        t.iconFiles.iconCounts[set] = c.iconsInFile;
        t.iconFiles.extractions = 0;
        RecordingIconView view(t.files);
        AzTuBiao window(t.platform, view);
        window.Load(set);
        EXPECT_EQ(view.images, c.images);
        EXPECT_EQ(view.items, YuLanXiang(c.images));
        EXPECT_EQ(t.iconFiles.extractions, c.extractions);
        EXPECT_EQ(view.title, "系统图标");
        EXPECT_EQ(window.set(), set);
    }
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST_F(AzTuBiaoTest, ButtonsAskFirst) {
    RecordingIconView view(t.files);
    AzTuBiao window(t.platform, view);
    window.Load(set);

    t.dialogs.answers = {MessageResult::Cancel};
    window.Command1Click();
    EXPECT_FALSE(t.files.Stat(L()));
    window.Command1Click();
    EXPECT_TRUE(t.files.Stat(L()));
    t.dialogs.answers = {MessageResult::Cancel};
    window.Command2Click();
    EXPECT_TRUE(t.files.Stat(L()));
    window.Command2Click();
    EXPECT_FALSE(t.files.Stat(L()));

    ASSERT_EQ(t.dialogs.shown.size(), 4u);
    EXPECT_EQ(t.dialogs.shown[0].text, "是否安装系统图标");
    EXPECT_EQ(t.dialogs.shown[2].text, "是否还原系统图标");
    for (const auto& m : t.dialogs.shown) {
        EXPECT_EQ(m.title, "温馨提示");
        EXPECT_EQ(m.buttons, MessageButtons::OkCancel);
    }
}

}  // namespace
}  // namespace velmora
