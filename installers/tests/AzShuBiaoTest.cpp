// The cursor-scheme installer through the test platform: the installed-cursor folder, the
// fifteen registry values and the system cursor calls, on Windows XP and Windows 7 alike.
#include "installers/AzShuBiao.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/ShuBiaoJueSe.h"
#include "platform/testing/TestPlatform.h"
#include "ui/testing/RecordingChromeView.h"

namespace velmora {
namespace {

class AzShuBiaoTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { t_.system.version = std::string(GetParam()); }

    // A scheme folder (ending with a backslash) whose files say which scheme and role they are.
    std::string Scheme(const std::string& name, const std::string& without = "") {
        const std::string dir = t_.ProgramPath("\\Download\\鼠标指针\\3D效果\\" + name + "\\");
        EXPECT_TRUE(t_.files.CreateDirectories(dir));
        for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) {
            if (without != role.name) {
                EXPECT_TRUE(t_.files.WriteText(dir + role.file, name + ":" + role.name));
            }
        }
        return dir;
    }
    std::string Installed(const char* file = "") {
        return t_.environment.variables["windir"] + "\\Cursors\\Cursors\\" + file;
    }
    int CursorValues() {
        int n = 0;
        for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) n += t_.registry.ReadString(ShuBiaoZhuCeZhi(role)) ? 1 : 0;
        return n;
    }

    testing::TestPlatform t_;
};

TEST_P(AzShuBiaoTest, InstallCopiesFifteenFilesWritesFifteenValuesAndSetsThirteenCursors) {
    const std::string scheme = Scheme("星空");
    // The trailing backslash is optional.
    for (const std::string& folder : {scheme, scheme.substr(0, scheme.size() - 1)}) {
        t_.desktop.systemCursors.clear();
        ASSERT_TRUE(SheZhi(t_.platform, folder));
        EXPECT_TRUE(t_.dialogs.shown.empty());
        for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) {
            const std::string file = Installed(role.file);
            EXPECT_EQ(t_.files.ReadAll(file), std::string("星空:") + role.name);
            EXPECT_EQ(t_.registry.ReadString(ShuBiaoZhuCeZhi(role)), file) << role.name;
            EXPECT_EQ(t_.registry.ValueType(ShuBiaoZhuCeZhi(role)), "REG_SZ");
        }
        // Thirteen system cursors from the installed copies, in the install order; Help and
        // NWPen are in the registry only.
        const uint32_t ids[] = {32512, 32650, 32515, 32649, 32513, 32648, 32646,
                                32643, 32645, 32642, 32644, 32516, 32514};
        ASSERT_EQ(t_.desktop.systemCursors.size(), 13u);
        for (size_t i = 0; i < 13; ++i) {
            EXPECT_EQ(t_.desktop.systemCursors[i].id, ids[i]);
            EXPECT_EQ(t_.desktop.systemCursors[i].file.rfind(Installed(), 0), 0u);
        }
        EXPECT_EQ(t_.desktop.systemCursors[0].file, Installed("Arrow.ani"));
    }
    // The Mouse control panel's own values are not touched.
    EXPECT_FALSE(t_.registry.ReadString("HKEY_CURRENT_USER\\Control Panel\\Cursors\\"));
    EXPECT_FALSE(t_.registry.ReadString("HKEY_CURRENT_USER\\Control Panel\\Cursors\\Scheme Source"));
}

TEST_P(AzShuBiaoTest, ASecondSchemeOverwritesTheFirstInPlace) {
    ASSERT_TRUE(SheZhi(t_.platform, Scheme("A")));
    ASSERT_TRUE(SheZhi(t_.platform, Scheme("B")));
    EXPECT_EQ(t_.files.ReadAll(Installed("Wait.ani")), "B:Wait");
    EXPECT_EQ(t_.files.ListFiles(Installed(), "*").size(), 15u);
    EXPECT_EQ(CursorValues(), 15);
    // The installed folder itself installs again as it is.
    EXPECT_TRUE(SheZhi(t_.platform, Installed()));
    EXPECT_EQ(t_.files.ReadAll(Installed("Wait.ani")), "B:Wait");
    EXPECT_TRUE(t_.dialogs.shown.empty());
}

TEST_P(AzShuBiaoTest, AnIncompleteSchemeChangesNothing) {
    ASSERT_TRUE(SheZhi(t_.platform, Scheme("A")));
    t_.desktop.calls.clear();
    const std::string incomplete[] = {Scheme("缺Hand", "Hand"), Scheme("缺Wait", "Wait"), Scheme("缺Arrow", "Arrow"),
                                      t_.ProgramPath("\\Download\\鼠标指针\\3D效果\\没有\\")};
    for (const std::string& folder : incomplete) {
        t_.dialogs.shown.clear();
        EXPECT_FALSE(SheZhi(t_.platform, folder)) << folder;
        ASSERT_EQ(t_.dialogs.shown.size(), 1u);
        EXPECT_EQ(t_.dialogs.shown[0].text, "缺少美化图标！");
        EXPECT_EQ(t_.dialogs.shown[0].title, "温馨提示");
        EXPECT_EQ(t_.dialogs.shown[0].buttons, MessageButtons::Ok);
    }
    // Not even Arrow, AppStarting and Crosshair were copied before the missing Hand was seen.
    for (const ShuBiaoJueSe& role : ShuBiaoJueSeBiao()) {
        EXPECT_EQ(t_.files.ReadAll(Installed(role.file)), std::string("A:") + role.name);
        EXPECT_EQ(t_.registry.ReadString(ShuBiaoZhuCeZhi(role)), Installed(role.file));
    }
    EXPECT_TRUE(t_.desktop.calls.empty());
}

TEST_P(AzShuBiaoTest, AnIncompleteFirstSchemeCreatesNoFolder) {
    const std::string scheme = Scheme("缺NWPen", "NWPen");
    // A folder with the role's name is no cursor file.
    ASSERT_TRUE(t_.files.CreateDirectories(scheme + "NWPen.ani"));
    EXPECT_FALSE(SheZhi(t_.platform, scheme));
    EXPECT_FALSE(t_.files.Stat(Installed()));
    EXPECT_EQ(CursorValues(), 0);
}

TEST_P(AzShuBiaoTest, RestoreDeletesFilesFolderAndValuesThenReloadsThePointers) {
    ASSERT_TRUE(SheZhi(t_.platform, Scheme("A")));
    ASSERT_TRUE(t_.registry.WriteString("HKEY_CURRENT_USER\\Control Panel\\Cursors\\Scheme Source", "1"));
    t_.desktop.calls.clear();
    EXPECT_TRUE(XiaZaiSheZhi(t_.platform));
    EXPECT_FALSE(t_.files.Stat(Installed()));
    EXPECT_TRUE(t_.files.Stat(t_.environment.variables["windir"] + "\\Cursors"));
    EXPECT_EQ(CursorValues(), 0);
    EXPECT_EQ(t_.registry.ReadString("HKEY_CURRENT_USER\\Control Panel\\Cursors\\Scheme Source"), "1");
    // The reload comes after the values are gone; no control panel is started or polled.
    EXPECT_EQ(t_.desktop.calls, std::vector<std::string>{"ReloadCursors"});
    EXPECT_TRUE(t_.dialogs.shown.empty());

    // Restoring again, with nothing installed, is quiet and still reloads.
    EXPECT_TRUE(XiaZaiSheZhi(t_.platform));
    EXPECT_EQ(t_.desktop.cursorReloads, 2);
    EXPECT_TRUE(t_.dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(XpAndWindows7, AzShuBiaoTest, ::testing::Values("5.1.2600", "6.1.7601"));

TEST(AnXiaQueDing, HidesTheWindowAndPostsEnter) {
    testing::TestPlatform t;
    EXPECT_EQ(AnXiaQueDing(t.platform, "鼠标 属性"), "0");
    EXPECT_TRUE(t.desktop.keyDowns.empty());
    EXPECT_TRUE(t.desktop.hidden.empty());
    t.desktop.windows["鼠标 属性"] = 4242;
    EXPECT_EQ(AnXiaQueDing(t.platform, "鼠标 属性"), "4242");
    EXPECT_EQ(t.desktop.hidden, std::vector<uintptr_t>{4242});
    ASSERT_EQ(t.desktop.keyDowns.size(), 1u);
    EXPECT_EQ(t.desktop.keyDowns[0].virtualKey, 13u);
    // The title must match exactly.
    EXPECT_EQ(AnXiaQueDing(t.platform, "鼠标属性"), "0");
}

TEST(QueRenDingShiQi, ConfirmsThePanelThenTheQuestionAndNeverPollsForever) {
    const struct {
        const char* name;
        int panelAfterMs;     // -1: never shows
        int questionUntilMs;  // the question is there until then (-1: never shows)
        int enters;           // Enter posts in all: two for each time a window is found
        uint64_t timer1OffAtMs, timer2OffAtMs;
    } cases[] = {
        {"panel at once, no question", 0, -1, 2, 0, 100},
        {"panel later, question once", 50, 150, 4, 50, 200},
        {"never a panel", -1, -1, 0, 30000, 0},
        {"a question that stays", 0, 1000000, 2 + 2 * 49, 0, 5000},
    };
    for (const auto& c : cases) {
        testing::TestPlatform t;
        QueRenDingShiQi timers;
        timers.Start(0);
        uint64_t timer1Off = 0, timer2Off = 0;
        for (uint64_t now = 0; now <= 60000 && (timers.Timer1Enabled() || timers.Timer2Enabled()); now += 1) {
            if (c.panelAfterMs >= 0 && now >= static_cast<uint64_t>(c.panelAfterMs)) t.desktop.windows["鼠标 属性"] = 7;
            if (c.questionUntilMs >= 0 && now <= static_cast<uint64_t>(c.questionUntilMs)) {
                t.desktop.windows["是否替换方案?"] = 8;
            } else {
                t.desktop.windows.erase("是否替换方案?");
            }
            if (timers.Timer1Enabled()) {
                timers.OnTimer1(t.platform, now);
                if (!timers.Timer1Enabled()) timer1Off = now;
            } else if (now % QueRenDingShiQi::kTimer2Ms == 0) {
                timers.OnTimer2(t.platform, now);
                if (!timers.Timer2Enabled()) timer2Off = now;
            }
        }
        EXPECT_FALSE(timers.Timer1Enabled() || timers.Timer2Enabled()) << c.name;
        EXPECT_EQ(static_cast<int>(t.desktop.keyDowns.size()), c.enters) << c.name;
        EXPECT_EQ(timer1Off, c.timer1OffAtMs) << c.name;
        EXPECT_EQ(timer2Off, c.timer2OffAtMs) << c.name;
    }
}

// ---- The window

class RecordingAzShuBiaoView : public testing::RecordingChromeView, public AzShuBiaoView {
public:
    using RecordingChromeView::RecordingChromeView;
    void DrawShellIcon(int cell, const std::string& file) override {
        Log("DrawShellIcon " + std::to_string(cell) + " " + file);
    }
    bool SetCellCursor(int cell, const std::string& file) override {
        Log("SetCellCursor " + std::to_string(cell) + " " + file);
        return true;
    }
    void Unload() override { Log("Unload"); }
    std::vector<std::string> Calls(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& c : calls) {
            if (c.rfind(prefix, 0) == 0) out.push_back(c);
        }
        return out;
    }
};

TEST(AzShuBiaoWindow, PreviewsTheFolderCellByCellAndLoadsHoverCursorsOnce) {
    testing::TestPlatform t;
    const std::string dir = t.root() + "\\scheme\\";
    ASSERT_TRUE(t.files.CreateDirectories(dir));
    for (const char* file : {"Arrow.ani", "Help.ani", "Crosshair.ani"}) {
        ASSERT_TRUE(t.files.WriteText(dir + file, "x"));
    }
    RecordingAzShuBiaoView view(t.files);
    AzShuBiao window(t.platform, view);
    window.Load(dir);
    EXPECT_EQ(view.title, "鼠标指针");
    EXPECT_NE(std::find(view.calls.begin(), view.calls.end(), "SetWindowSize 3450,4600"), view.calls.end());
    // Picture1 shows Arrow, Picture2 Help, Picture15 Crosshair; missing files draw nothing.
    EXPECT_EQ(view.Calls("DrawShellIcon"),
              (std::vector<std::string>{"DrawShellIcon 1 " + dir + "Arrow.ani", "DrawShellIcon 2 " + dir + "Help.ani",
                                        "DrawShellIcon 15 " + dir + "Crosshair.ani"}));

    EXPECT_EQ(window.Text1(), "0");
    window.OnCellMouseMove(15);
    window.OnCellMouseMove(15);
    window.OnCellMouseMove(1);  // no container crossed: nothing new
    EXPECT_EQ(window.Text1(), "1");
    window.OnContainerMouseMove();
    EXPECT_EQ(window.Text1(), "0");
    window.OnCellMouseMove(1);
    window.OnContainerMouseMove();
    window.OnCellMouseMove(4);  // Wait is missing: no cursor
    EXPECT_EQ(view.Calls("SetCellCursor"), (std::vector<std::string>{"SetCellCursor 15 " + dir + "Crosshair.ani",
                                                                      "SetCellCursor 1 " + dir + "Arrow.ani"}));
    EXPECT_TRUE(t.dialogs.Texts().empty() || t.dialogs.Texts().back() != "缺少美化图标！");
}

TEST(AzShuBiaoWindow, ButtonsAskFirst) {
    testing::TestPlatform t;
    RecordingAzShuBiaoView view(t.files);
    AzShuBiao window(t.platform, view);
    window.Load(t.root() + "\\none\\");
    t.dialogs.shown.clear();

    t.dialogs.answers = {MessageResult::Cancel};
    EXPECT_FALSE(window.OnAnZhuang());
    ASSERT_EQ(t.dialogs.shown.size(), 1u);
    EXPECT_EQ(t.dialogs.shown[0].text, "是否安装鼠标指针");
    EXPECT_EQ(t.dialogs.shown[0].title, "温馨提示");
    EXPECT_EQ(t.dialogs.shown[0].buttons, MessageButtons::OkCancel);

    // OK installs the selected folder, which here lacks every file.
    EXPECT_FALSE(window.OnAnZhuang());
    EXPECT_EQ(t.dialogs.Texts().back(), "缺少美化图标！");

    t.dialogs.shown.clear();
    t.dialogs.answers = {MessageResult::Cancel};
    EXPECT_FALSE(window.OnHuanYuan());
    EXPECT_EQ(t.dialogs.shown[0].text, "是否还原鼠标指针");
    EXPECT_EQ(t.dialogs.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(t.desktop.cursorReloads, 0);
    EXPECT_TRUE(window.OnHuanYuan());
    EXPECT_EQ(t.desktop.cursorReloads, 1);

    window.OnCloseClicked();
    EXPECT_EQ(view.calls.back(), "Unload");
}

}  // namespace
}  // namespace velmora
