#include <gtest/gtest.h>

#include "download/posix/PosixTcpClient.h"
#include "download/tests/PanelFixture.h"
#include "download/tests/ScriptedHttpServer.h"

namespace velmora::download::testing {
namespace {

using namespace std::chrono_literals;

class LoopbackTest : public PanelHarness<PosixTcpClient> {
protected:
    void Download(const std::string& url) {
        Start(url);
        ASSERT_TRUE(RunDownload(panel, socket, 10s));
    }
    const std::string& LastLine() const { return Log().back(); }
};

TEST_F(LoopbackTest, LengthInSeveralPacketsWithPauses) {
    ScriptedHttpServer server({Step::Send("HTTP/1.1 200 OK\r\nContent-Len"), Step::Pause(30),
                               Step::Send("gth: 12\r\n\r"), Step::Pause(30), Step::Send("\nhello "), Step::Pause(30),
                               Step::Send("world!")});
    Download(server.Url("/dir/got.bin"));
    EXPECT_EQ(server.Request(), "GET /dir/got.bin HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    EXPECT_EQ(ReadDest(), "hello world!");
    EXPECT_EQ(installed, std::vector<std::string>{Dest()});
    EXPECT_EQ(LastLine(), "Download complete.");
    const auto& log = panel.controls().log;
    EXPECT_EQ(log[6], "Connection established: 127.0.0.1:" + std::to_string(server.port()));
    EXPECT_EQ(std::count(log.begin(), log.end(), "Request was sent, waiting for response."), 3);
    EXPECT_EQ(seen.statuses.back(), "安装资源中ing...");
}

TEST_F(LoopbackTest, LargeBodyArrivesWhole) {
    std::string body(3 << 20, '\0');
    for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 7 + i / 251);
    ScriptedHttpServer server(
        {Step::Send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body)});
    Download(server.Url("/big"));
    EXPECT_TRUE(ReadDest() == body);
    EXPECT_EQ(installed.size(), 1u);
    EXPECT_EQ(seen.statuses[seen.statuses.size() - 2], "下载进度  (100.0%)");
}

TEST_F(LoopbackTest, WithoutLengthEndsWithTheClose) {
    ScriptedHttpServer server({Step::Send("HTTP/1.0 200 OK\r\n\r\nfirst"), Step::Pause(30), Step::Send("second"),
                               Step::Close()});
    Download(server.Url("/x"));
    EXPECT_EQ(LastLine(), "Socket closed.");
    EXPECT_EQ(ReadDest(), "firstsecond");
    EXPECT_TRUE(installed.empty());
}

TEST_F(LoopbackTest, EarlyCloseLeavesTheOldFile) {
    tp.files.WriteText(Dest(), "keep me");
    ScriptedHttpServer server({Step::Send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial"), Step::Close()});
    Download(server.Url("/x"));
    EXPECT_EQ(LastLine(), "Socket closed.");
    EXPECT_EQ(ReadDest(), "keep me");
    EXPECT_FALSE(PartFileExists());
}

TEST_F(LoopbackTest, ResetIsANetworkError) {
    ScriptedHttpServer server({Step::Send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial"), Step::Pause(50),
                               Step::Reset()});
    Download(server.Url("/x"));
    EXPECT_EQ(LastLine(), "Network error. (10054)");
    EXPECT_FALSE(tp.files.Stat(Dest()));
}

TEST_F(LoopbackTest, RefusedConnection) {
    Download("http://127.0.0.1:" + std::to_string(ClosedLoopbackPort()) + "/x");
    EXPECT_EQ(LastLine(), "Network error. (10061)");
    EXPECT_TRUE(panel.controls().startEnabled);
}

TEST_F(LoopbackTest, NotFoundIsRefused) {
    ScriptedHttpServer server({Step::Send("HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nnope")});
    Download(server.Url("/missing"));
    EXPECT_EQ(LastLine(), "File translate error. (HTTP/1.1 404 Not Found)");
    EXPECT_FALSE(tp.files.Stat(Dest()));
}

}  // namespace
}  // namespace velmora::download::testing
