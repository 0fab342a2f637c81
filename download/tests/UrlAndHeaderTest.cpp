#include <gtest/gtest.h>

#include "download/HttpHeader.h"
#include "download/Url.h"
#include "download/XiaZaiQi.h"

namespace velmora::download {
namespace {

TEST(QuWenJianMing, TakesTheLastPartOfTheAddress) {
    const struct {
        const char* url;
        const char* name;
    } cases[] = {
        {"http://h/a/b/pic.jpg", "pic.jpg"},
        {"http://h/a/", "index.htm"},
        {"http://h/get?id=3&f=x.jpg", "get?id=3&f=x.jpg"},
        {"http://h/a\\b\\c.exe", "c.exe"},
        {"http://host", "host"},
        {"", ""},
        {"plain", "plain"},
    };
    for (const auto& c : cases) EXPECT_EQ(XiaZaiQi::QuWenJianMing(c.url), c.name) << c.url;
}

TEST(QuTouXiang, FindsTheFirstFieldByNameWithoutLetterCase) {
    const std::string header =
        "HTTP/1.1 200 OK\r\ncontent-LENGTH:   42 \r\nLocation: http://x:81/y\r\nContent-Length: 7\r\n\r\n";
    EXPECT_EQ(XiaZaiQi::QuTouXiang(header, "Content-Length"), "42");
    EXPECT_EQ(XiaZaiQi::QuTouXiang(header, "location"), "http://x:81/y");
    EXPECT_EQ(XiaZaiQi::QuTouXiang(header, "Server"), "");
    // The name must match whole: a blank before the colon is part of it.
    EXPECT_EQ(XiaZaiQi::QuTouXiang("HTTP/1.1 200 OK\r\nContent-Length : 5\r\n", "Content-Length"), "");
}

TEST(QuTouXiang, LooksOnlyAtTheFirst32767Characters) {
    const std::string filler = "HTTP/1.1 200 OK\r\nX: " + std::string(32767 - 20 - 2, 'a') + "\r\n";
    ASSERT_EQ(filler.size(), 32767u);
    EXPECT_EQ(XiaZaiQi::QuTouXiang(filler + "Content-Length: 9\r\n", "Content-Length"), "");
    const std::string shorter = filler.substr(0, filler.size() - 30) + "\r\nContent-Length: 9\r\n";
    EXPECT_EQ(XiaZaiQi::QuTouXiang(shorter, "Content-Length"), "9");
}

TEST(FindHeaderEnd, FindsTheTerminatorAcrossTheAppendPoint) {
    const std::string buffer = "HTTP/1.1 200 OK\r\n\r\nbody";
    for (size_t from = 0; from <= 18; ++from) EXPECT_EQ(FindHeaderEnd(buffer, from), 19u) << from;
    EXPECT_EQ(FindHeaderEnd("HTTP/1.1 200 OK\r\n\r", 0), std::string::npos);
    EXPECT_EQ(FindHeaderEnd("\r\n\r\n", 3), 4u);
}

TEST(ServerLineForStatus, AcceptsOnlySuccess) {
    const struct {
        const char* status;
        const char* line;
    } cases[] = {
        {"HTTP/1.1 200 OK", "This server is an HTTP/1.1 server."},
        {"http/1.1 200 ok", "This server is an HTTP/1.1 server."},
        {"HTTP/1.0 200 OK", "This server is an HTTP/1.0 server."},
        {"HTTP/0.9 200 OK", "This server is an HTTP/0.9 server."},
        {"HTTP/1.1 200 Fine", "This server is an HTTP/unknown server."},
        {"HTTP/1.1 200", "This server is an HTTP/unknown server."},
        {"HTTP/1.1 206 Partial Content", ""},
        {"HTTP/1.1 301 Moved Permanently", ""},
        {"HTTP/1.1 404 Not Found", ""},
        {"HTTP/1.1 2000 OK", ""},
        {"garbage", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ServerLineForStatus(c.status), c.line) << c.status;
}

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    EXPECT_EQ(LeadingNumber("8080abc"), 8080.0);
    EXPECT_EQ(LeadingNumber("  12.5"), 12.5);
    EXPECT_EQ(LeadingNumber("-3"), -3.0);
    EXPECT_EQ(LeadingNumber("1e3x"), 1000.0);
    EXPECT_EQ(LeadingNumber("7e"), 7.0);
    EXPECT_FALSE(LeadingNumber("abc"));
    EXPECT_FALSE(LeadingNumber(""));
    EXPECT_FALSE(LeadingNumber("-"));
    EXPECT_EQ(RoundToInt32(80.5), 80);
    EXPECT_EQ(RoundToInt32(81.5), 82);
    EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
    EXPECT_FALSE(RoundToInt32(2147483648.0));
    EXPECT_FALSE(RoundToInt32(1e300 * 1e300));
}

TEST(Formats, RoundHalvesUp) {
    EXPECT_EQ(ProgressText(1, 3), "33.3");
    EXPECT_EQ(ProgressText(2, 3), "66.7");
    EXPECT_EQ(ProgressText(1, 2000), "0.1");
    EXPECT_EQ(ProgressText(0, 10), "0.0");
    EXPECT_EQ(ProgressText(10, 10), "100.0");
    EXPECT_EQ(ProgressText(0, 0), "100.0");
    EXPECT_EQ(ProgressText(2147483647, 2147483647), "100.0");
    EXPECT_EQ(RateText(1024), "2.00");
    EXPECT_EQ(RateText(64), "0.13");
    EXPECT_EQ(RateText(0), "0.00");
    EXPECT_EQ(RateText(5 * 512 * 1024 + 1), "5120.00");
}

}  // namespace
}  // namespace velmora::download
