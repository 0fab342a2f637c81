#include "download/WenBenQingQiu.h"

#include <gtest/gtest.h>

#include "download/tests/FakeTcpClient.h"
#include "platform/testing/Doubles.h"

namespace velmora::download::testing {
namespace {

struct Exchange {
    const char* name;
    std::vector<std::string> packets;  // after the connection
    bool peerCloses;                   // then the service closes
    std::optional<std::string> body;   // what the request reports
};

class TextRequest : public ::testing::TestWithParam<Exchange> {
protected:
    FakeTcpClient socket;
    velmora::testing::IdentityCodePage codePage;
    WenBenQingQiu request{socket, codePage};
    std::vector<std::optional<std::string>> results;
    void Start(const std::string& url) {
        request.Start(url, [this](const std::optional<std::string>& body) { results.push_back(body); });
    }
};

TEST_P(TextRequest, ReportsTheBodyOrNothing) {
    const Exchange& e = GetParam();
    Start("http://svc.test:8765/kelpo.php?id=7");
    ASSERT_EQ(socket.connects, std::vector<std::string>{"svc.test:8765"});
    request.Connected();
    ASSERT_EQ(socket.sends.size(), 1u);
    EXPECT_EQ(socket.sends[0], "GET /kelpo.php?id=7 HTTP/1.1\r\nHost: svc.test\r\nConnection: close\r\n\r\n");
    for (const std::string& p : e.packets) {
        if (!request.Busy()) break;
        request.DataArrived(p.data(), p.size());
    }
    if (e.peerCloses) request.PeerClosed();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0], e.body);
    EXPECT_FALSE(request.Busy());
    EXPECT_FALSE(socket.open);
}

const std::string kBig(WenBenQingQiu::kBodyCap + 1, 'x');

INSTANTIATE_TEST_SUITE_P(
    Table, TextRequest,
    ::testing::Values(
        Exchange{"Length", {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nab", "cde"}, false, "abcde"},
        Exchange{"HeaderSplit", {"HTTP/1.1 200 OK\r\nContent-Len", "gth: 2\r\n\r", "\nok"}, false, "ok"},
        Exchange{"MoreThanAnnounced", {"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nokay"}, false, "ok"},
        Exchange{"EmptyBody", {"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"}, false, ""},
        Exchange{"ToTheClose", {"HTTP/1.0 200 OK\r\n\r\nvelmora/*/", "桌面壁纸"}, true, "velmora/*/桌面壁纸"},
        Exchange{"CutShort", {"HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nabc"}, true, std::nullopt},
        Exchange{"NotFound", {"HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nno!"}, false, std::nullopt},
        Exchange{"Redirect", {"HTTP/1.1 302 Found\r\nLocation: /x\r\n\r\n"}, false, std::nullopt},
        Exchange{"HugeLength", {"HTTP/1.1 200 OK\r\nContent-Length: 99999999\r\n\r\n"}, false, std::nullopt},
        Exchange{"HugeBody", {"HTTP/1.1 200 OK\r\n\r\n", kBig}, true, std::nullopt},
        Exchange{"ClosedInHeader", {"HTTP/1.1 200 OK\r\n"}, true, std::nullopt}),
    [](const ::testing::TestParamInfo<Exchange>& param) { return param.param.name; });

TEST_F(TextRequest, NetworkErrorAndUnusableAddressReportNothing) {
    Start("http://svc.test/kelpo.php?id=1");
    request.SocketError(10061);
    Start("http://svc.test/a\r\nX: y");
    Start("https://svc.test/kelpo.php");
    EXPECT_EQ(results, (std::vector<std::optional<std::string>>{std::nullopt, std::nullopt, std::nullopt}));
    EXPECT_EQ(socket.connects.size(), 1u);
}

TEST_F(TextRequest, CancelledRequestReportsNothingLater) {
    Start("http://svc.test/kelpo.php?id=1");
    request.Cancel();
    request.Connected();
    request.PeerClosed();
    EXPECT_TRUE(results.empty());
    EXPECT_TRUE(socket.sends.empty());
}

}  // namespace
}  // namespace velmora::download::testing
