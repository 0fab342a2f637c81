#include <gtest/gtest.h>

#include "download/tests/PanelFixture.h"
#include "platform/Strings.h"

namespace velmora::download::testing {
namespace {

const std::string kOkHeader = "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n";

std::vector<std::string> Tail(const std::vector<std::string>& lines, size_t from) {
    return {lines.begin() + static_cast<std::ptrdiff_t>(std::min(from, lines.size())), lines.end()};
}

// ---- start and address

struct UrlCase {
    const char* source;
    std::vector<std::string> lines;  // after "Initializing URL ..."
    const char* connect;             // "" when nothing is connected
};

class UrlForms : public PanelTest, public ::testing::WithParamInterface<UrlCase> {};

TEST_P(UrlForms, LogAndConnect) {
    const UrlCase& c = GetParam();
    panel.SetSource(c.source);
    panel.XiaZai();
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log()[0], std::string("Initializing URL ") + c.source + "...");
    EXPECT_EQ(Tail(Log(), 1), c.lines);
    const bool connects = *c.connect != '\0';
    EXPECT_EQ(socket.connects, connects ? std::vector<std::string>{c.connect} : std::vector<std::string>{});
    EXPECT_EQ(panel.Busy(), connects);
    EXPECT_EQ(panel.controls().startEnabled, !connects);
    EXPECT_EQ(panel.controls().textLocked, connects);
}

std::vector<std::string> Parsed(const std::string& host, const std::string& port, const std::string& path,
                                bool valid) {
    return {"Detected HTTP header.", "Server Hostname: " + host, "Server Port: " + port, "Server URL: " + path,
            valid ? "Connecting Server..." : "Please enter a valid URL."};
}

INSTANTIATE_TEST_SUITE_P(
    Table, UrlForms,
    ::testing::Values(
        UrlCase{"http://example.test", Parsed("example.test", "80", "/", true), "example.test:80"},
        UrlCase{"HTTP://Host:8080/a/b?x=1", Parsed("Host", "8080", "/a/b?x=1", true), "Host:8080"},
        UrlCase{"http://host/a:b", Parsed("host", "80", "/a:b", true), "host:80"},
        UrlCase{"http://host:81", Parsed("host", "81", "/", true), "host:81"},
        UrlCase{"http://host:80.5/", Parsed("host", "80", "/", true), "host:80"},
        UrlCase{"http://host:65535/", Parsed("host", "65535", "/", true), "host:65535"},
        UrlCase{"http://host:abc/", Parsed("host", "0", "/", false), ""},
        UrlCase{"http://host:0/", Parsed("host", "0", "/", false), ""},
        UrlCase{"http://host:65536/", Parsed("host", "65536", "/", false), ""},
        UrlCase{"http://host:-1/", Parsed("host", "-1", "/", false), ""},
        UrlCase{"http://host:99999999999/", Parsed("host", "0", "/", false), ""},
        UrlCase{"http://:80/x", Parsed("", "80", "/x", false), ""},
        UrlCase{"http://", Parsed("", "80", "/", false), ""},
        UrlCase{"http://host/a\r\nX-Injected: 1", Parsed("host", "80", "/a\r\nX-Injected: 1", false), ""},
        UrlCase{"http://host/a\tb", Parsed("host", "80", "/a\tb", false), ""},
        UrlCase{"ftp://files.test/x", {"Sorry, FTP support is unavailable in this version."}, ""},
        UrlCase{"FTP://files.test/x", {"Sorry, FTP support is unavailable in this version."}, ""},
        UrlCase{"https://secure.test/x", {"Unsupported protocol."}, ""},
        UrlCase{"", {"Unsupported protocol."}, ""},
        UrlCase{"example.test/x", {"Unsupported protocol."}, ""}));

TEST_F(PanelTest, ConnectSendsExactlyThreeRequestLines) {
    StartConnected("http://example.test:8080/dir/pic.jpg?v=2");
    EXPECT_EQ(socket.sends,
              (std::vector<std::string>{"GET /dir/pic.jpg?v=2 HTTP/1.1\r\n", "Host: example.test\r\n", "\r\n"}));
    EXPECT_EQ(Tail(Log(), 6), (std::vector<std::string>{"Connection established: 10.0.0.2:8080",
                                                         "Local socket: 10.0.0.1:49152"}));
    panel.SendComplete();
    EXPECT_EQ(Log().back(), "Request was sent, waiting for response.");
}

class ToSystemMarking : public CodePage {
public:
    std::string ToSystem(const std::string& utf8) override { return "<" + utf8 + ">"; }
    std::string FromSystem(const std::string& bytes) override { return velmora::ReplaceAll(bytes, "\xB0\xA1", "啊"); }
};

TEST(PanelCodePage, RequestGoesOutAndHeaderComesInThroughTheSystemCodePage) {
    velmora::testing::TestPlatform tp;
    FakeTcpClient socket;
    ToSystemMarking codePage;
    XiaZaiQi panel(socket, tp.files, codePage, tp.environment.programDirectory);
    panel.SetSource("http://h/图.jpg");
    panel.XiaZai();
    panel.Connected();
    ASSERT_EQ(socket.sends.size(), 3u);
    EXPECT_EQ(socket.sends[0], "<GET /图.jpg HTTP/1.1\r\n>");
    EXPECT_EQ(socket.sends[1], "<Host: h\r\n>");
    const std::string header = "HTTP/1.1 200 \xB0\xA1\r\n\r\n";
    panel.DataArrived(header.data(), header.size());
    EXPECT_EQ(panel.controls().log[9], "This server is an HTTP/unknown server.");
}

TEST_F(PanelTest, NewStartClearsTheLogAndDropsAPartialDownload) {
    StartConnected();
    Deliver(kOkHeader + "abc");
    ASSERT_TRUE(PartFileExists());
    panel.XiaZai();
    EXPECT_FALSE(PartFileExists());
    EXPECT_EQ(Log().front(), "Initializing URL http://example.test/pic.jpg...");
    EXPECT_EQ(seen.lines, Log());
    Deliver("stale");  // before the new connection: not the new response
    EXPECT_EQ(Log().back(), "Connecting Server...");
}

// ---- header accumulation

class HeaderSplits : public PanelTest, public ::testing::WithParamInterface<std::vector<size_t>> {};

TEST_P(HeaderSplits, CompleteWhateverTheSplit) {
    const std::string response = kOkHeader + "0123456789";
    StartConnected();
    size_t at = 0;
    for (const size_t cut : GetParam()) {
        Deliver(response.substr(at, cut - at));
        at = cut;
    }
    Deliver(response.substr(at));
    EXPECT_EQ(installed, std::vector<std::string>{Dest()});
    EXPECT_EQ(ReadDest(), "0123456789");
    EXPECT_TRUE(Logged("This server is an HTTP/1.1 server."));
    EXPECT_TRUE(Logged("Detected file size: 10."));
}

// The terminator ends at index 38: cuts inside it straddle two reads.
INSTANTIATE_TEST_SUITE_P(Table, HeaderSplits,
                         ::testing::Values(std::vector<size_t>{}, std::vector<size_t>{36}, std::vector<size_t>{37},
                                           std::vector<size_t>{38}, std::vector<size_t>{39},
                                           std::vector<size_t>{5, 20, 37, 38, 44},
                                           std::vector<size_t>{36, 37, 38}));

TEST_F(PanelTest, HeaderOneByteAtATime) {
    const std::string response = kOkHeader + "0123456789";
    StartConnected();
    for (const char c : response) Deliver(std::string(1, c));
    EXPECT_EQ(ReadDest(), "0123456789");
    EXPECT_EQ(installed.size(), 1u);
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "Recieve header: 1 bytes."), 39);
}

TEST_F(PanelTest, HeaderMayFillTheCapButNotExceedIt) {
    StartConnected();
    Deliver("HTTP/1.1 200 OK\r\nX: " + std::string(131072 - 20, 'a'));
    EXPECT_EQ(Log().back(), "Recieve header: 131072 bytes.");
    EXPECT_TRUE(panel.Busy());
    Deliver("a");
    EXPECT_EQ(Log().back(), "An error occured while receving HTTP header.");
    EXPECT_FALSE(panel.Busy());
    EXPECT_FALSE(socket.open);
    EXPECT_TRUE(panel.controls().startEnabled);
    EXPECT_FALSE(panel.controls().textLocked);
    EXPECT_FALSE(PartFileExists());
}

TEST_F(PanelTest, OverlongHeaderFailsEvenWhenItsEndCameInTheSameRead) {
    StartConnected();
    Deliver("HTTP/1.1 200 OK\r\nX: " + std::string(131072, 'a') + "\r\n\r\nbody");
    EXPECT_EQ(Log().back(), "An error occured while receving HTTP header.");
    EXPECT_FALSE(tp.files.Stat(Dest()));
}

// ---- status line

class RefusedStatus : public PanelTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedStatus, AbortsAndResetsThePanel) {
    tp.files.WriteText(Dest(), "old");
    StartConnected();
    Deliver(std::string(GetParam()) + "\r\nLocation: http://elsewhere/\r\nContent-Length: 3\r\n\r\nabc");
    EXPECT_EQ(Log().back(), std::string("File translate error. (") + GetParam() + ")");
    const auto& c = panel.controls();
    EXPECT_FALSE(c.startEnabled);
    EXPECT_FALSE(c.textLocked);
    EXPECT_EQ(c.source, "");
    EXPECT_EQ(c.status, kStatusIdle);
    EXPECT_EQ(c.prompt, kPromptIdle);
    EXPECT_EQ(c.speed, kSpeedIdle);
    EXPECT_FALSE(c.rateTimer);
    EXPECT_FALSE(socket.open);
    EXPECT_EQ(socket.connects.size(), 1u);  // no redirect
    EXPECT_EQ(ReadDest(), "old");
    EXPECT_TRUE(installed.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedStatus,
                         ::testing::Values("HTTP/1.1 206 Partial Content", "HTTP/1.1 301 Moved Permanently",
                                           "HTTP/1.0 404 Not Found", "garbage", "HTTP/1.1 2000 OK"));

// ---- body and completion

TEST_F(PanelTest, ExactLengthInManyPacketsCompletesAndHandsOver) {
    tp.files.WriteText(Dest(), "old picture");
    StartConnected();
    Deliver(kOkHeader);
    EXPECT_EQ(Log().back(), "Starting to receive data...");
    EXPECT_EQ(ReadDest(), "old picture");  // untouched until complete
    Deliver("012");
    EXPECT_EQ(panel.controls().status, "下载进度  (30.0%)");
    EXPECT_EQ(panel.controls().progress, 30);
    Deliver("3456");
    Deliver("789");
    EXPECT_EQ(seen.statuses, (std::vector<std::string>{"下载进度  (30.0%)", "下载进度  (70.0%)",
                                                       "下载进度  (100.0%)", "安装资源中ing..."}));
    EXPECT_EQ(Log().back(), "Download complete.");
    EXPECT_EQ(ReadDest(), "0123456789");
    EXPECT_FALSE(PartFileExists());
    EXPECT_EQ(installed, std::vector<std::string>{Dest()});
    const auto& c = panel.controls();
    EXPECT_FALSE(c.startEnabled);
    EXPECT_FALSE(c.textLocked);
    EXPECT_EQ(c.source, "");
    EXPECT_EQ(c.speed, kSpeedIdle);
    EXPECT_EQ(c.progress, 0);
    EXPECT_FALSE(c.rateTimer);
    EXPECT_FALSE(socket.open);
    EXPECT_FALSE(panel.Busy());
}

TEST_F(PanelTest, BodyInTheHeaderPacketCompletesLikeALaterOne) {
    StartConnected();
    Deliver(kOkHeader + "0123456789");
    EXPECT_EQ(seen.statuses, (std::vector<std::string>{"下载进度 100.0%)", "安装资源中ing..."}));
    EXPECT_EQ(installed, std::vector<std::string>{Dest()});
    EXPECT_FALSE(panel.controls().rateTimer);
    EXPECT_EQ(ReadDest(), "0123456789");
}

TEST_F(PanelTest, PartOfTheBodyInTheHeaderPacket) {
    StartConnected();
    Deliver(kOkHeader + "0123");
    EXPECT_EQ(panel.controls().status, "下载进度 40.0%)");
    EXPECT_EQ(panel.controls().progress, 40);
    Deliver("456789");
    EXPECT_EQ(installed.size(), 1u);
}

TEST_F(PanelTest, BytesBeyondTheLengthAreNotWritten) {
    StartConnected();
    Deliver(kOkHeader + "01234");
    Deliver("56789EXTRA");
    EXPECT_EQ(ReadDest(), "0123456789");
    EXPECT_EQ(installed.size(), 1u);
    Deliver("MORE");  // after completion: nothing
    EXPECT_EQ(ReadDest(), "0123456789");
    EXPECT_EQ(installed.size(), 1u);
}

TEST_F(PanelTest, ZeroLengthCompletesAtOnceWithAnEmptyFile) {
    tp.files.WriteText(Dest(), "old");
    StartConnected();
    Deliver("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    EXPECT_EQ(ReadDest(), "");
    EXPECT_EQ(installed.size(), 1u);
    EXPECT_EQ(Log().back(), "Download complete.");
}

TEST_F(PanelTest, ZeroLengthIgnoresBytesThatFollowTheHeader) {
    StartConnected();
    Deliver("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\nstray");
    EXPECT_EQ(ReadDest(), "");
    EXPECT_EQ(seen.statuses, (std::vector<std::string>{"下载进度 100.0%)", "安装资源中ing..."}));
    EXPECT_EQ(installed.size(), 1u);
}

TEST_F(PanelTest, EarlyCloseKeepsTheOldFileAndDropsThePartial) {
    tp.files.WriteText(Dest(), "old");
    StartConnected();
    Deliver(kOkHeader + "0123");
    panel.PeerClosed();
    EXPECT_EQ(Log().back(), "Socket closed.");
    EXPECT_EQ(ReadDest(), "old");
    EXPECT_FALSE(PartFileExists());
    EXPECT_TRUE(installed.empty());
    EXPECT_TRUE(panel.controls().startEnabled);
    EXPECT_FALSE(panel.controls().textLocked);
    EXPECT_TRUE(panel.controls().rateTimer);  // only completion and the status abort stop it
}

TEST_F(PanelTest, SocketErrorKeepsTheOldFileAndDropsThePartial) {
    tp.files.WriteText(Dest(), "old");
    StartConnected();
    Deliver(kOkHeader + "0123");
    panel.SocketError(10054);
    EXPECT_EQ(Log().back(), "Network error. (10054)");
    EXPECT_EQ(ReadDest(), "old");
    EXPECT_FALSE(PartFileExists());
    EXPECT_FALSE(socket.open);
    EXPECT_TRUE(panel.controls().startEnabled);
    panel.PeerClosed();  // nothing more after the end
    EXPECT_EQ(Log().back(), "Network error. (10054)");
}

TEST_F(PanelTest, ErrorWhileConnecting) {
    panel.SetSource("http://nowhere.test/x");
    panel.XiaZai();
    panel.SocketError(10061);
    EXPECT_EQ(Log().back(), "Network error. (10061)");
    EXPECT_TRUE(panel.controls().startEnabled);
    EXPECT_FALSE(panel.Busy());
}

struct UnknownLengthCase {
    const char* lengthLine;  // "" for none
    const char* logged;
};

class UnknownLength : public PanelTest, public ::testing::WithParamInterface<UnknownLengthCase> {};

TEST_P(UnknownLength, EndsWithTheCloseAndKeepsTheFile) {
    tp.files.WriteText(Dest(), "old");
    StartConnected();
    Deliver(std::string("HTTP/1.0 200 OK\r\n") + GetParam().lengthLine + "\r\nabc");
    EXPECT_TRUE(Logged(GetParam().logged));
    EXPECT_EQ(panel.controls().status, "Downloaded 3 bytes/unknown");
    Deliver("defgh");
    EXPECT_EQ(panel.controls().status, "下载进度 /unknown");
    EXPECT_EQ(ReadDest(), "old");
    panel.PeerClosed();
    EXPECT_EQ(Log().back(), "Socket closed.");
    EXPECT_EQ(ReadDest(), "abcdefgh");
    EXPECT_TRUE(installed.empty());
    EXPECT_TRUE(panel.controls().startEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnknownLength,
    ::testing::Values(UnknownLengthCase{"", "Detected file size: unknown."},
                      UnknownLengthCase{"Content-Length:   \r\n", "Detected file size: unknown."},
                      UnknownLengthCase{"Content-Length: abc\r\n", "Detected file size: abc."},
                      UnknownLengthCase{"Content-Length: -5\r\n", "Detected file size: -5."},
                      UnknownLengthCase{"Content-Length: 4294967296\r\n", "Detected file size: 4294967296."}));

TEST_F(PanelTest, NextResponseUsesItsOwnLength) {
    StartConnected();
    Deliver("HTTP/1.1 200 OK\r\n\r\nabc");
    panel.PeerClosed();
    StartConnected();
    Deliver("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n");
    Deliver("xy");
    EXPECT_EQ(ReadDest(), "xy");
    EXPECT_EQ(installed.size(), 1u);
}

TEST_F(PanelTest, UnusableDestinationFailsToCreate) {
    tp.files.CreateDirectories(Dest());
    StartConnected();
    Deliver(kOkHeader);
    EXPECT_EQ(Log().back(), "Create local file failed. (75)");
    EXPECT_FALSE(socket.open);
    EXPECT_TRUE(panel.controls().startEnabled);
    EXPECT_FALSE(panel.controls().textLocked);
    EXPECT_TRUE(tp.files.Stat(Dest())->directory);
}

TEST_F(PanelTest, MissingFolderFailsToCreate) {
    panel.SetSource("http://h/x.jpg");
    panel.SetDest(tp.ProgramPath("\\no\\such\\x.jpg"));
    panel.XiaZai();
    panel.Connected();
    Deliver(kOkHeader);
    EXPECT_EQ(Log().back(), "Create local file failed. (75)");
}

// ---- rate, log, destination

TEST_F(PanelTest, RateOfOneTick) {
    StartConnected();
    Deliver("HTTP/1.1 200 OK\r\n\r\n");
    Deliver(std::string(1024 - 19, 'x'));
    panel.RateTimerTick();
    EXPECT_EQ(panel.controls().speed, "下载进度: 2.00 KB/s");
    panel.RateTimerTick();
    EXPECT_EQ(panel.controls().speed, "下载进度: 0.00 KB/s");
    panel.SetRateTimer(false);
    Deliver("x");
    panel.RateTimerTick();
    EXPECT_EQ(seen.speeds.size(), 2u);
}

TEST_F(PanelTest, LogFollowsTheLastLineUntilTheUserSelectsAnother) {
    panel.XieZhuangTai("one");
    EXPECT_EQ(panel.controls().selected, 0);
    panel.XieZhuangTai("two");
    EXPECT_EQ(panel.controls().selected, 1);
    panel.SelectLine(0);
    panel.XieZhuangTai("three");
    EXPECT_EQ(panel.controls().selected, 0);
    panel.SelectLine(2);
    panel.XieZhuangTai("four");
    EXPECT_EQ(panel.controls().selected, 3);
    panel.SelectLine(-1);  // no selection with lines present: stays put
    panel.XieZhuangTai("five");
    EXPECT_EQ(panel.controls().selected, -1);
    panel.XiaZai();  // a new start clears the list, which follows again
    EXPECT_EQ(panel.controls().selected, static_cast<int>(Log().size()) - 1);
}

TEST_F(PanelTest, DestinationFollowsTheSourceUntilSetApart) {
    const std::string folder = panel.programFolder();
    EXPECT_EQ(folder, tp.environment.programDirectory + "\\");
    panel.SetSource("http://h/a.jpg");
    EXPECT_EQ(panel.controls().dest, folder + "a.jpg");
    panel.SetDest("C:\\elsewhere\\b.jpg");
    panel.SetSource("http://h/c.jpg");
    EXPECT_EQ(panel.controls().dest, "C:\\elsewhere\\b.jpg");
    panel.SetDest(folder + "c.jpg");
    panel.SetSource("http://h/d/");
    EXPECT_EQ(panel.controls().dest, folder + "index.htm");
}

TEST_F(PanelTest, ChosenFolderTakesTheFileNameAndCancelKeepsTheDestination) {
    panel.SetSource("http://h/a.jpg");
    const std::string before = panel.controls().dest;
    panel.FolderChosen(std::nullopt);
    EXPECT_EQ(panel.controls().dest, before);
    panel.FolderChosen(std::string("  "));
    EXPECT_EQ(panel.controls().dest, before);
    panel.FolderChosen(std::string(" D:\\pics "));
    EXPECT_EQ(panel.controls().dest, "D:\\pics\\a.jpg");
    panel.FolderChosen(std::string("E:\\"));
    EXPECT_EQ(panel.controls().dest, "E:\\a.jpg");
}

TEST_F(PanelTest, StartButtonRunsTheJobOnlyWhenEnabled) {
    int starts = 0;
    panel.SetStartAction([&] { ++starts; });
    panel.StartClicked();
    EXPECT_EQ(starts, 0);
    panel.SetStartEnabled(true);
    panel.StartClicked();
    EXPECT_EQ(starts, 1);
}

}  // namespace
}  // namespace velmora::download::testing
