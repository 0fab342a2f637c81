#include "download/XiaZaiRenWu.h"

#include <gtest/gtest.h>

#include "download/tests/FakeTcpClient.h"
#include "platform/testing/FakePrograms.h"
#include "platform/testing/TestPlatform.h"

namespace velmora::download::testing {
namespace {

using velmora::testing::FakePrograms;
using velmora::testing::TestPlatform;

std::string Lib(const TestPlatform& tp, const std::string& rest) { return tp.ProgramPath("\\Download\\" + rest); }

// ---- the path table

struct TableCase {
    ZiYuanMiaoShu answer;
    // Below "\Download\"; an empty download file means refused.
    std::string download, watched, install;
};

class PathTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(PathTable, PathsOrRefusal) {
    TestPlatform tp;
    const TableCase& c = GetParam();
    const auto paths = ZiYuanLuJingBiao(tp.platform, c.answer);
    if (c.download.empty()) {
        EXPECT_FALSE(paths.has_value()) << c.answer.kind << "|" << c.answer.category << "|" << c.answer.name;
        return;
    }
    ASSERT_TRUE(paths.has_value()) << c.answer.kind << "|" << c.answer.category << "|" << c.answer.name;
    EXPECT_EQ(paths->downloadFile, Lib(tp, c.download));
    EXPECT_EQ(paths->watchedFolder, Lib(tp, c.watched));
    EXPECT_EQ(paths->installPath, Lib(tp, c.install));
    EXPECT_EQ(paths->package, c.download.substr(c.download.size() - 4) == ".exe");
}

TableCase Refused(const std::string& kind, const std::string& category, const std::string& name,
                  const std::string& address = "files/1.exe") {
    return TableCase{{kind, category, name, address}, "", "", ""};
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PathTable,
    ::testing::Values(
        TableCase{{"桌面壁纸", "风景壁纸", "晨雾", "files/1201.jpg"},
                  "桌面壁纸\\风景壁纸\\晨雾.jpg", "桌面壁纸\\风景壁纸\\晨雾\\", "桌面壁纸\\风景壁纸\\晨雾.jpg"},
        TableCase{{"xp主题", "3D主题", "蓝色", "files/1301.exe"},
                  "电脑主题\\3D主题\\蓝色.exe", "电脑主题\\3D主题\\蓝色\\", "电脑主题\\3D主题\\蓝色\\蓝色.exe"},
        TableCase{{"win7主题", "仿Win7", "极光", "x"},
                  "电脑主题\\仿Win7\\极光.exe", "电脑主题\\仿Win7\\极光\\", "电脑主题\\仿Win7\\极光\\极光.exe"},
        TableCase{{"启动界面", "登陆界面", "晨光", "x"},
                  "启动界面\\登陆界面\\晨光.exe", "启动界面\\登陆界面\\晨光\\", "启动界面\\登陆界面\\晨光\\晨光.exe"},
        TableCase{{"鼠标指针", "3D效果", "水晶", "x"},
                  "鼠标指针\\3D效果\\水晶.exe", "鼠标指针\\3D效果\\水晶\\", "鼠标指针\\3D效果\\水晶\\"},
        TableCase{{"系统图标", "苹果", "银色", "x"},
                  "系统图标\\苹果\\银色.exe", "系统图标\\苹果\\银色\\", "系统图标\\苹果\\银色\\银色.icl"},
        // Blanks around a name are not part of it; a category the table does not list is a folder all the same.
        TableCase{{"鼠标指针", " 新系列 ", "\t水晶 ", "x"},
                  "鼠标指针\\新系列\\水晶.exe", "鼠标指针\\新系列\\水晶\\", "鼠标指针\\新系列\\水晶\\"}));

INSTANTIATE_TEST_SUITE_P(
    Refusals, PathTable,
    ::testing::Values(Refused("电脑主题", "3D主题", "蓝色"), Refused("", "3D主题", "蓝色"),
                      Refused("XP主题", "3D主题", "蓝色"), Refused("鼠标指针", "", "水晶"),
                      Refused("鼠标指针", "3D效果", ""), Refused("鼠标指针", "  ", "水晶"),
                      Refused("鼠标指针", "3D效果", "水晶", ""), Refused("鼠标指针", "3D效果", "水晶", "  "),
                      Refused("桌面壁纸", "..\\..\\Windows", "x"), Refused("桌面壁纸", "..", "x"),
                      Refused("桌面壁纸", "a/b", "x"), Refused("桌面壁纸", "C:", "x"),
                      Refused("桌面壁纸", "风景", "..\\..\\..\\boot"), Refused("桌面壁纸", "风景", "a\\b"),
                      Refused("桌面壁纸", "风景", "x\ty"), Refused("桌面壁纸", "风景", std::string("x\x01", 2)),
                      Refused("桌面壁纸", "CON", "x"), Refused("桌面壁纸", "风景", "com1.jpg"),
                      Refused("桌面壁纸", "风景", "Lpt9"), Refused("桌面壁纸", "风景", "nul.txt"),
                      Refused("桌面壁纸", "风景.", "x"), Refused("桌面壁纸", "风景", "a*b"),
                      Refused("桌面壁纸", "风景", "a?b"), Refused("桌面壁纸", "风景", "a|b")));

TEST(PathTableParse, AnswerMarkersAndMissingFields) {
    TestPlatform tp;
    const ZiYuanMiaoShu marked = JieXiZiYuanMiaoShu("/**/ok/*/鼠标指针/**//*/3D效果/*/水/**/晶/*/files/9.exe/**/");
    const auto paths = ZiYuanLuJingBiao(tp.platform, marked);
    ASSERT_TRUE(paths.has_value());
    EXPECT_EQ(paths->installPath, Lib(tp, "鼠标指针\\3D效果\\水晶\\"));
    for (const char* broken : {"notfound", "", "ok/*/鼠标指针", "ok/*/鼠标指针/*/3D效果", "ok/*/鼠标指针/*/3D效果/*/水晶"}) {
        EXPECT_FALSE(ZiYuanLuJingBiao(tp.platform, JieXiZiYuanMiaoShu(broken)).has_value()) << broken;
    }
}

// ---- the job

class JobTest : public ::testing::Test {
protected:
    JobTest() {
        tp.environment.variables["VELMORA_SERVICE_HOST"] = "svc.test:8765";
        job.SetPositionSource([this] { return position; });
        job.SetProgramEnd([this] { ++programEnds; });
    }

    AnZhuangQi Recording() {
        AnZhuangQi a;
        a.anZhuangBiZhi = [this](Platform&, const std::string& w, const std::string& path) {
            return Record("AnZhuangBiZhi " + w + " " + path);
        };
        a.sheZhi = [this](Platform&, const std::string& path) { return Record("SheZhi " + path); };
        a.xpTuBiaoAz = [this](Platform&, const std::string& path) { return Record("XpTuBiaoAz " + path); };
        a.win7TuBiaoAz = [this](Platform&, const std::string& path) { return Record("Win7TuBiaoAz " + path); };
        a.xiaZaiAZJieMian = [this](Platform&, const std::string& path) { return Record("XiaZaiAZJieMian " + path); };
        return a;
    }
    bool Record(const std::string& call) {
        installs.push_back(call);
        return true;
    }

    // The service answers the description request.
    void Serve(const std::string& answer) {
        ASSERT_NE(info.sink_, nullptr);
        info.sink_->Connected();
        const std::string r = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(answer.size()) + "\r\n\r\n" + answer;
        info.sink_->DataArrived(r.data(), r.size());
    }
    // The file server answers the engine's request.
    void Download(const std::string& body = "package") {
        panel.Connected();
        const std::string r = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
        panel.DataArrived(r.data(), r.size());
    }
    // From the page's click to a complete download.
    void Fetch(const std::string& id, const std::string& answer) {
        ASSERT_TRUE(job.CanShu(id, kTypeResource));
        panel.StartClicked();
        Serve(answer);
        Download();
    }
    std::vector<std::string> Texts() const { return tp.dialogs.Texts(); }
    bool Exists(const std::string& path) const { return tp.files.Stat(path).has_value(); }

    mutable TestPlatform tp;
    FakeTcpClient socket, info;
    FakePrograms programs;
    QuanJuSheZhi settings;
    XiaZaiQi panel{socket, tp.files, tp.codePage, tp.environment.programDirectory};
    XiaZaiRenWu job{tp.platform, programs, settings, panel, info, Recording()};
    std::vector<std::string> installs;
    std::string position = "居中";
    int programEnds = 0;
};

const char* const kWallpaper = "velmora/*/桌面壁纸/*/风景壁纸/*/晨雾/*/files/1201.jpg/**/";
const char* const kCursors = "velmora/*/鼠标指针/*/3D效果/*/水晶/*/files/1501.exe/**/";

TEST_F(JobTest, PreparedJobWaitsForThePress) {
    EXPECT_FALSE(panel.controls().startEnabled);
    EXPECT_TRUE(job.CanShu("1201", kTypeResource));
    EXPECT_EQ(panel.controls().prompt, kPromptReady);
    EXPECT_TRUE(panel.controls().startEnabled);
    EXPECT_TRUE(info.connects.empty());

    panel.StartClicked();
    EXPECT_EQ(info.connects, std::vector<std::string>{"svc.test:8765"});
    info.sink_->Connected();
    EXPECT_EQ(info.sends.at(0).substr(0, 33), "GET /kelpo.php?id=1201 HTTP/1.1\r\n");
    // While the answer is awaited the button stays off and no other job gets in.
    EXPECT_FALSE(panel.controls().startEnabled);
    EXPECT_FALSE(job.CanShu("1202", kTypeResource));
    EXPECT_EQ(Texts(), std::vector<std::string>{"正在下载资源，请稍候再试！"});
}

class WallpaperJob : public JobTest, public ::testing::WithParamInterface<bool> {};

TEST_P(WallpaperJob, InstalledAtOnceWithThePositionWhateverTheSetting) {
    settings.XiaZaiAnZhuang = GetParam();
    ASSERT_TRUE(job.CanShu("1201", kTypeResource));
    panel.StartClicked();
    Serve(kWallpaper);
    const std::string file = Lib(tp, "桌面壁纸\\风景壁纸\\晨雾.jpg");
    EXPECT_EQ(panel.controls().source, "http://svc.test:8765/files/1201.jpg");
    EXPECT_EQ(panel.controls().dest, file);
    EXPECT_EQ(panel.controls().prompt, kPromptDownloading);
    EXPECT_TRUE(panel.controls().rateTimer);
    EXPECT_EQ(socket.connects, std::vector<std::string>{"svc.test:8765"});
    EXPECT_TRUE(job.CanShu("1202", kTypeResource) == false);  // the download runs

    Download("jpeg bytes");
    EXPECT_EQ(*tp.files.ReadAll(file), "jpeg bytes");
    EXPECT_EQ(installs, std::vector<std::string>{"AnZhuangBiZhi 居中 " + file});
    EXPECT_EQ(panel.controls().prompt, kPromptIdle);
    EXPECT_EQ(panel.controls().status, kStatusIdle);
    EXPECT_TRUE(programs.started.empty());
    EXPECT_FALSE(panel.controls().watcher);
}

INSTANTIATE_TEST_SUITE_P(AutoInstall, WallpaperJob, ::testing::Bool());

TEST_F(JobTest, BrokenAnswerShowsTheMessageAndDownloadsNothing) {
    for (const char* answer : {"notfound", "velmora/*/桌面壁纸/*/..\\..\\Windows/*/x/*/files/1.jpg",
                               "velmora/*/桌面壁纸/*/风景壁纸/*/晨雾", "velmora/*/电脑主题/*/3D主题/*/蓝/*/f.exe"}) {
        tp.dialogs.shown.clear();
        ASSERT_TRUE(job.CanShu("1201", kTypeResource)) << answer;
        panel.StartClicked();
        Serve(answer);
        EXPECT_EQ(Texts(), std::vector<std::string>{"该资源存在错误,请联系管理员 Q Q：800058810"}) << answer;
        EXPECT_EQ(tp.dialogs.shown.at(0).title, "错误");
        EXPECT_EQ(panel.controls().source, "");
        EXPECT_EQ(panel.controls().prompt, kPromptIdle);
        EXPECT_FALSE(panel.controls().startEnabled);
    }
    EXPECT_TRUE(socket.connects.empty());
    EXPECT_FALSE(Exists(tp.ProgramPath("\\Download")));
    EXPECT_FALSE(Exists(tp.ProgramPath("\\Windows")));
}

TEST_F(JobTest, ServiceOutOfReachKeepsTheJobPrepared) {
    ASSERT_TRUE(job.CanShu("1201", kTypeResource));
    panel.StartClicked();
    info.sink_->SocketError(10061);
    EXPECT_EQ(Texts(), std::vector<std::string>{"网络连接不正常,请查看宽带是否连接!"});
    EXPECT_TRUE(panel.controls().startEnabled);
    EXPECT_EQ(panel.controls().prompt, kPromptReady);
    panel.StartClicked();
    EXPECT_EQ(info.connects.size(), 2u);
}

TEST_F(JobTest, SilentServiceCountsAsOutOfReach) {
    ASSERT_TRUE(job.CanShu("1201", kTypeResource));
    panel.StartClicked();
    info.sink_->Connected();
    EXPECT_TRUE(panel.controls().fetchTimer);
    for (int i = 1; i < XiaZaiRenWu::kFetchSeconds; ++i) job.FetchTimerTick();
    EXPECT_TRUE(job.Fetching());
    job.FetchTimerTick();
    EXPECT_FALSE(job.Fetching());
    EXPECT_FALSE(info.open);
    EXPECT_FALSE(panel.controls().fetchTimer);
    EXPECT_EQ(Texts(), std::vector<std::string>{"网络连接不正常,请查看宽带是否连接!"});
    EXPECT_TRUE(panel.controls().startEnabled);
    // A late answer finds nobody waiting.
    Serve(kWallpaper);
    EXPECT_TRUE(socket.connects.empty());
}

TEST_F(JobTest, UnsafeIdIsNotPassedOn) {
    for (const char* id : {"", "12 34", "1&id=2", "../x", "1\r\nHost: evil"}) {
        EXPECT_FALSE(job.CanShu(id, kTypeResource)) << id;
    }
    EXPECT_FALSE(panel.controls().startEnabled);
    EXPECT_EQ(tp.dialogs.shown.size(), 5u);
}

TEST_F(JobTest, RelativeAndAbsoluteFileAddresses) {
    const struct {
        const char* address;
        const char* fetched;
    } cases[] = {
        {"files/1201.jpg", "http://svc.test:8765/files/1201.jpg"},
        {"/files/1201.jpg", "http://svc.test:8765/files/1201.jpg"},
        {"files/www.example.com.jpg", "http://svc.test:8765/files/www.example.com.jpg"},
        {"HTTP://cdn.example.net/a.jpg", "HTTP://cdn.example.net/a.jpg"},
        {"http://cdn.example.com/a.jpg", "http://cdn.example.com/a.jpg"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(job.CanShu("1201", kTypeResource));
        panel.StartClicked();
        Serve(std::string("v/*/桌面壁纸/*/风景壁纸/*/晨雾/*/") + c.address);
        EXPECT_EQ(panel.controls().source, c.fetched);
        panel.SocketError(10061);  // ends this download
    }
}

// ---- packages and the watcher

class PackageJob : public JobTest {
protected:
    const std::string file = Lib(tp, "鼠标指针\\3D效果\\水晶.exe");
    const std::string folder = Lib(tp, "鼠标指针\\3D效果\\水晶\\");
};

TEST_F(PackageJob, StartedMinimisedThenWatched) {
    Fetch("1501", kCursors);
    ASSERT_EQ(programs.started.size(), 1u);
    EXPECT_EQ(programs.started[0].file, file);
    EXPECT_EQ(programs.started[0].showStyle, 2);
    EXPECT_TRUE(panel.controls().watcher);
    EXPECT_TRUE(installs.empty());
}

struct WatchCase {
    const char* name;
    bool exited;
    bool folderMade;
    bool autoInstall;
    std::vector<std::string> otherProcesses;
    bool stillWatching;
    bool installed;
    bool packageKept;
    bool errorShown;
};

class Watcher : public PackageJob, public ::testing::WithParamInterface<WatchCase> {};

TEST_P(Watcher, Tick) {
    const WatchCase& c = GetParam();
    settings.XiaZaiAnZhuang = c.autoInstall;
    Fetch("1501", kCursors);
    if (c.folderMade) tp.files.CreateDirectories(folder);
    if (c.exited) programs.EndLast();
    programs.running = c.otherProcesses;
    job.PanDuanShiFangTick();
    job.PanDuanShiFangTick();  // a second tick changes nothing once the watch has ended
    EXPECT_EQ(panel.controls().watcher, c.stillWatching);
    EXPECT_EQ(installs, c.installed ? std::vector<std::string>{"SheZhi " + folder} : std::vector<std::string>{});
    EXPECT_EQ(Exists(file), c.packageKept);
    EXPECT_EQ(Texts(), c.errorShown ? std::vector<std::string>{"该资源存在错误,请联系管理员 Q Q：800058810"}
                                    : std::vector<std::string>{});
    EXPECT_EQ(panel.controls().prompt, c.stillWatching ? kPromptDownloading : kPromptIdle);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Watcher,
    ::testing::Values(WatchCase{"StillRunning", false, true, true, {}, true, false, true, false},
                      WatchCase{"ExitedWithoutFolder", true, false, true, {}, false, false, true, true},
                      WatchCase{"ExitedWithFolder", true, true, true, {}, false, true, false, false},
                      WatchCase{"ExitedWithFolderNoAutoInstall", true, true, false, {}, false, false, true, false},
                      WatchCase{"SameNameStillRuns", true, true, true, {"explorer.exe", "水晶.EXE"}, true, false,
                                true, false},
                      WatchCase{"OthersContainingTheName", true, true, true, {"水晶.exe.bak", "大水晶.exe", ""},
                                false, true, false, false}),
    [](const ::testing::TestParamInfo<WatchCase>& param) { return param.param.name; });

TEST_F(PackageJob, TicksDuringItsMessageDoNotReportTwice) {
    Fetch("1501", kCursors);
    programs.EndLast();
    // The message box runs the message loop, and with it the watcher's timer.
    int nested = 0;
    tp.dialogs.onShow = [&] {
        ++nested;
        job.PanDuanShiFangTick();
    };
    job.PanDuanShiFangTick();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(Texts().size(), 1u);
    EXPECT_FALSE(panel.controls().watcher);
}

TEST_F(PackageJob, CheckApplicationIsRunComparesWholeNames) {
    programs.running = {"svchost.exe", "SETUP.EXE", ""};
    EXPECT_TRUE(job.CheckApplicationIsRun("setup.exe"));
    EXPECT_FALSE(job.CheckApplicationIsRun("tup.exe"));
    EXPECT_FALSE(job.CheckApplicationIsRun("setup.exe.old"));
    programs.listable = false;
    EXPECT_FALSE(job.CheckApplicationIsRun("setup.exe"));
}

TEST_F(PackageJob, PackageThatCannotStartIsReportedAndKept) {
    programs.startable = false;
    Fetch("1501", kCursors);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0], "资源安装包无法运行，已保存在：" + file);
    EXPECT_TRUE(Exists(file));
    EXPECT_FALSE(panel.controls().watcher);
    EXPECT_EQ(panel.controls().prompt, kPromptIdle);
}

TEST_F(PackageJob, WatcherKeepsItsOwnJobWhileAnotherRuns) {
    settings.XiaZaiAnZhuang = true;
    Fetch("1501", kCursors);
    // The next job is prepared and its download runs while the first package unpacks.
    ASSERT_TRUE(job.CanShu("1601", kTypeResource));
    panel.StartClicked();
    Serve("v/*/系统图标/*/苹果/*/银色/*/files/1601.exe");
    tp.files.CreateDirectories(folder);
    programs.EndLast();
    job.PanDuanShiFangTick();
    EXPECT_EQ(installs, std::vector<std::string>{"SheZhi " + folder});
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(panel.controls().prompt, kPromptDownloading);  // the running job keeps its prompt
    EXPECT_EQ(panel.controls().dest, Lib(tp, "系统图标\\苹果\\银色.exe"));
}

struct KindCase {
    const char* answer;
    const char* version;  // what the system reports
    std::vector<std::string> installs;  // below "\Download\"
};

class PackageKinds : public JobTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(PackageKinds, InstallerOfTheKind) {
    const KindCase& c = GetParam();
    settings.XiaZaiAnZhuang = true;
    tp.system.version = std::string(c.version);
    Fetch("1", c.answer);
    const auto paths = ZiYuanLuJingBiao(tp.platform, JieXiZiYuanMiaoShu(c.answer));
    ASSERT_TRUE(paths.has_value());
    tp.files.CreateDirectories(paths->watchedFolder);
    programs.EndLast();
    job.PanDuanShiFangTick();
    std::vector<std::string> expected;
    for (const std::string& i : c.installs) expected.push_back(i.substr(0, i.find(' ') + 1) + Lib(tp, i.substr(i.find(' ') + 1)));
    EXPECT_EQ(installs, expected);
    EXPECT_FALSE(Exists(paths->downloadFile));
    EXPECT_FALSE(panel.controls().watcher);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PackageKinds,
    ::testing::Values(KindCase{"v/*/系统图标/*/苹果/*/银色/*/f.exe", "5.1.2600", {"XpTuBiaoAz 系统图标\\苹果\\银色\\银色.icl"}},
                      KindCase{"v/*/系统图标/*/苹果/*/银色/*/f.exe", "6.1.7601", {"Win7TuBiaoAz 系统图标\\苹果\\银色\\银色.icl"}},
                      KindCase{"v/*/系统图标/*/苹果/*/银色/*/f.exe", "6.0.6002", {}},
                      KindCase{"v/*/启动界面/*/登陆界面/*/晨光/*/f.exe", "5.1.2600",
                               {"XiaZaiAZJieMian 启动界面\\登陆界面\\晨光\\晨光.exe"}},
                      KindCase{"v/*/xp主题/*/3D主题/*/蓝色/*/f.exe", "5.1.2600", {}},
                      KindCase{"v/*/win7主题/*/3D主题/*/蓝色/*/f.exe", "6.1.7601", {}}));

// ---- the program's installer

TEST_F(JobTest, SoftwareJobStartsTheWrittenFileThenEndsTheProgram) {
    ASSERT_TRUE(job.CanShu("1", kTypeSoftware));
    const std::string file = tp.ProgramPath("\\安装包.exe");
    EXPECT_EQ(panel.controls().source, "http://svc.test:8765/安装包.exe");
    EXPECT_EQ(panel.controls().dest, file);
    panel.StartClicked();
    EXPECT_TRUE(info.connects.empty());
    EXPECT_EQ(panel.controls().prompt, kPromptDownloading);
    Download("setup");
    ASSERT_EQ(programs.started.size(), 1u);
    EXPECT_EQ(programs.started[0].file, file);
    EXPECT_EQ(programs.started[0].showStyle, 2);
    EXPECT_EQ(programEnds, 1);
}

TEST_F(JobTest, SoftwareJobKeepsRunningWhenTheInstallerCannotStart) {
    programs.startable = false;
    ASSERT_TRUE(job.CanShu("1", kTypeSoftware));
    panel.StartClicked();
    Download("setup");
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(Texts(), std::vector<std::string>{"安装程序无法运行，请稍后重试！"});
    EXPECT_TRUE(Exists(tp.ProgramPath("\\安装包.exe")));
}

TEST_F(JobTest, SoftwareJobWithoutSourceAsks) {
    ASSERT_TRUE(job.CanShu("1", kTypeSoftware));
    panel.SetSource("");
    panel.StartClicked();
    EXPECT_EQ(Texts(), std::vector<std::string>{"请选择资源后进行下载!"});
    EXPECT_TRUE(socket.connects.empty());
}

}  // namespace
}  // namespace velmora::download::testing
