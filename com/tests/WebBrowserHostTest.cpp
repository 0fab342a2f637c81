// The system's web browser control hosted in a test window. Under this Wine no page ever loads:
// navigations are seen in before-navigation and end in a navigation error.
#include <gtest/gtest.h>

#include <iostream>

#include "com/WebBrowserHost.h"
#include "com/tests/OleTestSupport.h"

namespace velmora::com::testing {
namespace {

struct Seen {
    std::vector<std::string> before, errors;
    std::vector<long> statuses;
};

class WebBrowserHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureOle();
        ASSERT_TRUE(parent_.hwnd());
        windowsBefore_ = CountThreadWindows();
        host_ = WebBrowserHost::Create(parent_.hwnd(), RECT{0, 54, 790, 454});
        ASSERT_TRUE(host_);
        host_->onBeforeNavigate = [this](const std::string& url) {
            seen_.before.push_back(url);
            return url.find("/*/") != std::string::npos;
        };
        host_->onNavigateError = [this](const std::string& url, long status) {
            seen_.errors.push_back(url);
            seen_.statuses.push_back(status);
        };
    }
    void TearDown() override {
        host_.reset();
        PumpFor(100);
        EXPECT_EQ(CountChildren(parent_.hwnd()), 0) << "the browser left windows behind";
        EXPECT_EQ(CountThreadWindows(), windowsBefore_);
    }
    bool ErrorFor(const std::string& url) const {
        return std::find(seen_.errors.begin(), seen_.errors.end(), url) != seen_.errors.end();
    }

    ParentWindow parent_;
    int windowsBefore_ = 0;
    std::unique_ptr<WebBrowserHost> host_;
    Seen seen_;
};

TEST_F(WebBrowserHostTest, IsActiveInPlaceAsAChildOfTheGivenSize) {
    HWND own = host_->control().window();
    ASSERT_TRUE(own);
    EXPECT_EQ(GetParent(own), parent_.hwnd());
    EXPECT_TRUE(IsWindowVisible(own));
    RECT r;
    GetWindowRect(own, &r);
    MapWindowPoints(nullptr, parent_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 54);
    EXPECT_EQ(r.right - r.left, 790);
    EXPECT_EQ(r.bottom - r.top, 400);
    ASSERT_TRUE(host_->control().Move(RECT{10, 10, 310, 210}));
    GetClientRect(own, &r);
    EXPECT_EQ(r.right, 300);
    EXPECT_EQ(r.bottom, 200);
}

TEST_F(WebBrowserHostTest, SilentReadsBack) {
    ASSERT_TRUE(host_->SetSilent(true));
    EXPECT_TRUE(host_->Silent());
    ASSERT_TRUE(host_->SetSilent(false));
    EXPECT_FALSE(host_->Silent());
}

TEST_F(WebBrowserHostTest, CancelledNavigationLeavesTheBrowserWhereItWas) {
    const std::string before = host_->LocationUrl();
    const std::string link = "http://127.0.0.1:1/index.php/*/1024/*/";
    ASSERT_TRUE(host_->Navigate(link));
    PumpUntil([&] { return !seen_.before.empty(); }, 2000);
    ASSERT_EQ(seen_.before, std::vector<std::string>{link});
    PumpFor(500);
    EXPECT_EQ(host_->LocationUrl(), before);
    EXPECT_FALSE(ErrorFor(link));
}

TEST_F(WebBrowserHostTest, UnreachablePageRaisesNavigationError) {
    const std::string page = "http://127.0.0.1:1/index.php?cate=12";
    ASSERT_TRUE(host_->Navigate(page));
    EXPECT_TRUE(PumpUntil([&] { return ErrorFor(page); }, 10000));
    EXPECT_EQ(seen_.before, std::vector<std::string>{page});
    ASSERT_FALSE(seen_.statuses.empty());
    std::cout << "[ info     ] navigation error status 0x" << std::hex << seen_.statuses.front() << std::dec << "\n";
    EXPECT_NE(seen_.statuses.front(), 0);
}

TEST_F(WebBrowserHostTest, LocalPageArrivesInBeforeNavigation) {
    // The local page is navigated to by its path; a file URL arrives as a path as well.
    const std::string path = "C:\\windows\\win.ini";
    ASSERT_TRUE(host_->Navigate(path));
    ASSERT_TRUE(host_->Navigate("file:///C:/windows/win.ini"));
    PumpUntil([&] { return seen_.before.size() >= 2; }, 2000);
    ASSERT_EQ(seen_.before.size(), 2u);
    for (const std::string& url : seen_.before) std::cout << "[ info     ] before-navigation saw " << url << "\n";
    EXPECT_EQ(seen_.before[0], path);
    EXPECT_TRUE(seen_.before[1] == path || seen_.before[1] == "file:///C:/windows/win.ini") << seen_.before[1];
}

TEST_F(WebBrowserHostTest, HandlerMayCancelBasedOnTheUrlAlone) {
    int calls = 0;
    host_->onBeforeNavigate = [&](const std::string&) { return ++calls == 1; };
    ASSERT_TRUE(host_->Navigate("http://127.0.0.1:1/first"));
    ASSERT_TRUE(host_->Navigate("http://127.0.0.1:1/second"));
    EXPECT_TRUE(PumpUntil([&] { return ErrorFor("http://127.0.0.1:1/second"); }, 10000));
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(ErrorFor("http://127.0.0.1:1/first"));
}

TEST_F(WebBrowserHostTest, CancelledNavigationIsHandedOnAfterItsFlagIsSet) {
    // The hand-on runs the message loop and navigates again, as a page click can while a
    // message box is up: the first navigation must stay cancelled all the same.
    std::vector<std::string> handed;
    host_->onBeforeNavigate = [](const std::string& url) { return url.find("/*/") != std::string::npos; };
    host_->onCancelled = [&](const std::string& url) {
        handed.push_back(url);
        if (handed.size() == 1) {
            host_->Navigate("http://127.0.0.1:1/again/*/2/*/");
            PumpFor(200);
        }
    };
    ASSERT_TRUE(host_->Navigate("http://127.0.0.1:1/first/*/1/*/"));
    PumpUntil([&] { return handed.size() >= 2; }, 5000);
    PumpFor(300);
    EXPECT_EQ(handed, (std::vector<std::string>{"http://127.0.0.1:1/first/*/1/*/", "http://127.0.0.1:1/again/*/2/*/"}));
    EXPECT_FALSE(ErrorFor("http://127.0.0.1:1/first/*/1/*/"));
    EXPECT_FALSE(ErrorFor("http://127.0.0.1:1/again/*/2/*/"));
}

TEST_F(WebBrowserHostTest, NoDocumentMeansNoMenuSuppression) {
    // Under this Wine the browser never has a document.
    EXPECT_FALSE(host_->SuppressDocumentContextMenu());
}

TEST(WebBrowserHost, RefusesAMissingParent) {
    EnsureOle();
    EXPECT_FALSE(WebBrowserHost::Create(nullptr, RECT{0, 0, 100, 100}));
}

}  // namespace
}  // namespace velmora::com::testing
