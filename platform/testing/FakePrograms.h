#pragma once
// Programs for the native tests: a start is recorded and may run an action (a package creating
// its folder); each started program runs until the test ends it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Programs.h"

namespace velmora::testing {

class FakePrograms : public Programs {
public:
    struct Started {
        std::string file;
        int showStyle;
        std::shared_ptr<bool> running;
    };

    std::unique_ptr<StartedProgram> Start(const std::string& file, int showStyle) override {
        if (!startable) return nullptr;
        auto alive = std::make_shared<bool>(true);
        started.push_back(Started{file, showStyle, alive});
        if (onStart) onStart(file);
        return std::make_unique<Handle>(alive);
    }
    std::optional<std::vector<std::string>> RunningExecutables() override {
        if (!listable) return std::nullopt;
        return running;
    }

    // Ends the last program started.
    void EndLast() {
        if (!started.empty()) *started.back().running = false;
    }

    bool startable = true;
    bool listable = true;
    std::vector<std::string> running;  // what RunningExecutables reports
    std::function<void(const std::string& file)> onStart;
    std::vector<Started> started;

private:
    class Handle : public StartedProgram {
    public:
        explicit Handle(std::shared_ptr<bool> running) : running_(std::move(running)) {}
        bool Running() override { return *running_; }

    private:
        std::shared_ptr<bool> running_;
    };
};

}  // namespace velmora::testing
