// The main of every GoogleTest program here. A skipped test fails the program unless its
// message says it is skipped on purpose ("on purpose: why"): a test that cannot find its
// environment must not pass as if it had run.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class SkipPolicy : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo& test) override {
        current_ = std::string(test.test_suite_name()) + "." + test.name();
    }
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (!result.skipped()) return;
        const std::string message = result.message() ? result.message() : "";
        if (message.find("on purpose:") == std::string::npos) unexplained_.push_back(current_ + ": " + message);
    }
    const std::vector<std::string>& unexplained() const { return unexplained_; }

private:
    std::string current_;
    std::vector<std::string> unexplained_;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    auto* policy = new SkipPolicy;  // the listener list owns it
    ::testing::UnitTest::GetInstance()->listeners().Append(policy);
    const int status = RUN_ALL_TESTS();
    if (!policy->unexplained().empty()) {
        std::fprintf(stderr, "\n*** %zu test(s) SKIPPED without saying they are skipped on purpose; failing:\n",
                     policy->unexplained().size());
        for (const std::string& line : policy->unexplained()) std::fprintf(stderr, "***   %s\n", line.c_str());
        return 1;
    }
    return status;
}
