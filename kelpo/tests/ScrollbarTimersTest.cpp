// Auto-repeat and hover tracking as a sequence of timer events on a simulated clock.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "kelpo/ucScrollbar.h"

namespace velmora::kelpo {
namespace {

// Runs the scrollbar's timers on a clock of whole milliseconds and notes when the value changed.
class Clock : public ScrollbarHost {
public:
    ucScrollbar bar{*this};
    int now = 0;
    Point mouse{8, 5};
    bool overBar = true;
    std::vector<int> changes;  // times of Change
    std::vector<std::string> timerCalls;

    void StartTimer(int id, int ms) override {
        timers_[id] = {ms, now + ms};
        timerCalls.push_back("start " + std::to_string(id) + " at " + std::to_string(now));
    }
    void StopTimer(int id) override {
        if (timers_.erase(id)) timerCalls.push_back("stop " + std::to_string(id) + " at " + std::to_string(now));
    }
    void Repaint() override {}
    void Change() override { changes.push_back(now); }
    void Scroll() override {}
    void Show() override {}
    void Hide() override {}

    void RunUntil(int end) {
        while (true) {
            int id = 0, due = end + 1;
            for (const auto& [timer, state] : timers_)
                if (state.due < due) {
                    due = state.due;
                    id = timer;
                }
            if (id == 0) break;
            now = due;
            timers_[id].due = now + timers_[id].period;
            bar.Timer(id, mouse, overBar);
        }
        now = end;
    }
    bool Running(int id) const { return timers_.count(id) > 0; }

private:
    struct State {
        int period, due;
    };
    std::map<int, State> timers_;
};

TEST(ScrollbarTimersTest, HoldingAnArrowStepsAtOnceThenAfterTheDelayThenAtTheFrequency) {
    Clock c;
    c.bar.Resize(17, 236);
    c.bar.SetMax(5);
    c.mouse = {8, 230};  // on button 2
    c.bar.LeftButtonDown(c.mouse);
    c.RunUntil(2000);
    // One step at once; timer 1 ends after 500 ms and starts the repeat, which steps every
    // 50 ms until the end, where it stops.
    EXPECT_EQ(c.changes, (std::vector<int>{0, 550, 600, 650, 700}));
    EXPECT_EQ(c.bar.Value(), 5);
    EXPECT_EQ(c.timerCalls, (std::vector<std::string>{"start 1 at 0", "stop 1 at 500", "start 2 at 500",
                                                      "stop 2 at 750"}));
    c.bar.LeftButtonUp();
    EXPECT_FALSE(c.Running(kRepeatTimer));
}

TEST(ScrollbarTimersTest, TheRepeatWaitsWhileTheMouseIsOffTheButton) {
    Clock c;
    c.bar.Resize(17, 236);
    c.mouse = {8, 230};
    c.bar.LeftButtonDown(c.mouse);
    c.mouse = {8, 100};
    c.RunUntil(700);
    EXPECT_EQ(c.changes, (std::vector<int>{0}));
    c.mouse = {8, 230};
    c.RunUntil(800);
    EXPECT_EQ(c.changes, (std::vector<int>{0, 750, 800}));
    c.bar.LeftButtonUp();
    c.RunUntil(2000);
    EXPECT_EQ(c.changes.size(), 3u) << "button up stops the repeat";
}

TEST(ScrollbarTimersTest, HoldingTheTrackPagesUntilTheThumbReachesTheMouse) {
    Clock c;
    c.bar.Resize(17, 236);  // track 18 ... 218, thumb 18 long
    c.mouse = {8, 150};
    c.bar.LeftButtonDown(c.mouse);  // track after the thumb
    EXPECT_EQ(c.bar.Value(), 10);
    c.RunUntil(3000);
    // Pages of 10 while the mouse lies beyond the thumb's far edge: the thumb ends under it.
    const ScrollbarLayout& l = c.bar.layout();
    EXPECT_LE(l.thumbPos, 150);
    EXPECT_GT(l.thumbPos + l.thumbSize, 150 - 18);
    EXPECT_EQ(c.changes.front(), 0);
    EXPECT_EQ(c.changes[1], 550);
    EXPECT_EQ(c.bar.TrackState(BarPart::TrackAfter), 0) << "reached: the track is no longer pressed";
    const int value = c.bar.Value();
    c.RunUntil(4000);
    EXPECT_EQ(c.bar.Value(), value);
}

TEST(ScrollbarTimersTest, HotAndHoverLooksEndWhenTheMouseLeaves) {
    Clock c;
    c.bar.Resize(17, 236);
    c.bar.MouseMove({8, 5}, false);
    EXPECT_TRUE(c.Running(kHotTimer));
    EXPECT_TRUE(c.Running(kLeaveTimer));
    EXPECT_EQ(c.bar.ButtonState(1), 2);
    c.mouse = {8, 100};
    c.RunUntil(100);
    EXPECT_EQ(c.bar.ButtonState(1), 1) << "off the button, still over the bar";
    EXPECT_FALSE(c.Running(kHotTimer));
    c.overBar = false;
    c.RunUntil(200);
    EXPECT_EQ(c.bar.ButtonState(1), 0);
    EXPECT_FALSE(c.Running(kLeaveTimer));
}

}  // namespace
}  // namespace velmora::kelpo
