// The general hook and the message-hook control on real windows.
#include <gtest/gtest.h>

#include <vector>

#include "kelpo/MessageHook_win.h"
#include "kelpo/tests/wine/WindowFixture.h"
#include "kelpo/ucMessage_win.h"

namespace velmora::kelpo::testing {
namespace {

struct Record {
    bool before;
    UINT message;
    LRESULT result;
};

TEST(MessageHookTest, BeforeMayHandleOrChangeAndAfterMayReplaceTheResult) {
    CountingWindow w;
    std::vector<Record> calls;
    MessageHook hook([&](HookCall& call) {
        calls.push_back({call.before, call.message, call.result});
        if (call.before && call.message == WM_APP + 1) {
            call.handled = true;
            call.result = 7;
        }
        if (call.before && call.message == WM_APP) call.wParam = 99;
        if (!call.before && call.message == WM_APP) call.result += 1;
    });
    ASSERT_TRUE(hook.Hook(w.hwnd()));
    hook.AddBoth(w.hwnd(), WM_APP);
    hook.AddBoth(w.hwnd(), WM_APP + 1);
    EXPECT_EQ(SendMessageW(w.hwnd(), WM_APP, 1, 0), CountingWindow::kAnswer + 1);
    EXPECT_EQ(w.lastWParam, 99u) << "the procedure saw the changed parameter";
    EXPECT_EQ(SendMessageW(w.hwnd(), WM_APP + 1, 0, 0), 7);
    EXPECT_EQ(w.seen[WM_APP + 1], 0) << "handled before: the procedure never ran";
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_TRUE(calls[0].before);
    EXPECT_EQ(calls[0].result, 0);
    EXPECT_FALSE(calls[1].before);
    EXPECT_EQ(calls[1].result, CountingWindow::kAnswer);
    EXPECT_TRUE(calls[2].before) << "no after side for a handled message";
}

TEST(MessageHookTest, HandlingPaintBeforeKeepsTheDefaultPaintingFromRunning) {
    CountingWindow w;
    int painted = 0;
    MessageHook hook([&](HookCall& call) {
        PAINTSTRUCT ps;
        BeginPaint(call.window, &ps);
        EndPaint(call.window, &ps);
        ++painted;
        call.handled = true;
    });
    ASSERT_TRUE(hook.Hook(w.hwnd()));
    hook.AddBefore(w.hwnd(), WM_PAINT);
    w.seen.clear();
    InvalidateRect(w.hwnd(), nullptr, TRUE);
    UpdateWindow(w.hwnd());
    EXPECT_GE(painted, 1);
    EXPECT_EQ(w.seen[WM_PAINT], 0);
}

TEST(MessageHookTest, UnhookingPutsTheProcedureBackAndStopsTheCalls) {
    CountingWindow w;
    const LONG_PTR original = GetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC);
    int calls = 0;
    MessageHook hook([&](HookCall&) { ++calls; });
    ASSERT_TRUE(hook.Hook(w.hwnd()));
    hook.AddAfter(w.hwnd(), -1);  // everything
    EXPECT_NE(GetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC), original);
    SendMessageW(w.hwnd(), WM_APP + 5, 0, 0);
    EXPECT_EQ(calls, 1);
    hook.Unhook(w.hwnd());
    EXPECT_EQ(GetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC), original);
    EXPECT_FALSE(hook.Hooked(w.hwnd()));
    SendMessageW(w.hwnd(), WM_APP + 5, 0, 0);
    EXPECT_EQ(calls, 1);
    hook.Unhook(w.hwnd());  // harmless
    EXPECT_EQ(SendMessageW(w.hwnd(), WM_APP, 0, 0), CountingWindow::kAnswer);
}

TEST(MessageHookTest, OneOwnerAtATimeAndADestroyedWindowIsLetGo) {
    auto w = std::make_unique<CountingWindow>();
    HWND window = w->hwnd();
    MessageHook first([](HookCall&) {});
    MessageHook second([](HookCall&) {});
    ASSERT_TRUE(first.Hook(window));
    EXPECT_TRUE(first.Hook(window)) << "again by the same owner";
    EXPECT_FALSE(second.Hook(window)) << "another owner's window";
    first.Unhook(window);
    EXPECT_TRUE(second.Hook(window));
    w.reset();
    EXPECT_FALSE(second.Hooked(window));
    EXPECT_FALSE(second.Hook(nullptr));
}

TEST(MessageHookTest, AProcedureSetOverTheHookKeepsWorkingAfterUnhooking) {
    CountingWindow w;
    int calls = 0;
    MessageHook hook([&](HookCall&) { ++calls; });
    ASSERT_TRUE(hook.Hook(w.hwnd()));
    hook.AddAfter(w.hwnd(), WM_APP);
    static WNDPROC below = nullptr;
    static int outer = 0;
    below = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        w.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            ++outer;
            return CallWindowProcW(below, h, m, wp, lp);
        })));
    hook.Unhook(w.hwnd());
    EXPECT_EQ(SendMessageW(w.hwnd(), WM_APP, 0, 0), CountingWindow::kAnswer);
    EXPECT_EQ(calls, 0) << "unhooked: nothing reported";
    EXPECT_GE(outer, 1) << "the procedure above still runs";
    SetWindowLongPtrW(w.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(below));
}

TEST(ucMessageTest, ReportsEachWatchedMessageOnceAfterTheWindowProcessedIt) {
    CountingWindow w;
    std::vector<std::int32_t> wParams;
    int seenByWindowFirst = 0;
    ucMessage watcher([&](HWND& window, std::uint32_t& message, std::int32_t& wParam, std::int32_t&) {
        EXPECT_EQ(window, w.hwnd());
        EXPECT_EQ(message, 522u);
        if (w.seen[522] > 0) ++seenByWindowFirst;
        wParams.push_back(wParam);
    });
    EXPECT_EQ(watcher.State(), 0);
    watcher.StartMessage(w.hwnd());
    EXPECT_EQ(watcher.State(), 1);
    watcher.AddMessage(522);
    watcher.AddMessage(522);
    SendMessageW(w.hwnd(), 522, static_cast<WPARAM>(static_cast<std::uint32_t>(-120) << 16), 0);
    SendMessageW(w.hwnd(), WM_APP, 0, 0);
    ASSERT_EQ(wParams.size(), 1u);
    EXPECT_LT(wParams[0], 0);
    EXPECT_EQ(seenByWindowFirst, 1);
    watcher.StopMessage();
    EXPECT_EQ(watcher.State(), 0);
    SendMessageW(w.hwnd(), 522, 0, 0);
    EXPECT_EQ(wParams.size(), 1u);
    watcher.StopMessage();
    EXPECT_EQ(watcher.State(), 0);
}

}  // namespace
}  // namespace velmora::kelpo::testing
