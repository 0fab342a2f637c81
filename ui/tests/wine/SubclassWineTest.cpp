// The hooking class on real windows: before and after calls, answering in the window's place,
// several hooks on one window in any order, and windows that die while hooked.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/testing/RecordingEventLog.h"
#include "ui/win32/Subclass.h"

namespace velmora {
namespace {

using testing::RecordingEventLog;

constexpr UINT kProbe = WM_APP + 7;  // the window's own procedure answers it with 40 + wParam

// What the windows' own procedure saw.
std::vector<UINT>& OwnCalls() {
    static std::vector<UINT> calls;
    return calls;
}

LRESULT CALLBACK OwnProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbe) {
        OwnCalls().push_back(msg);
        return 40 + static_cast<LRESULT>(wp);
    }
    return DefWindowProcW(h, msg, wp, lp);
}

LRESULT CALLBACK OwnProcA(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbe) return 40 + static_cast<LRESULT>(wp);
    return DefWindowProcA(h, msg, wp, lp);
}

HWND MakeWindow() {
    static const bool registered = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = OwnProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VelmoraSubclassTest";
        return RegisterClassW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    return CreateWindowExW(0, L"VelmoraSubclassTest", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

class SubclassTest : public ::testing::Test {
protected:
    void SetUp() override {
        OwnCalls().clear();
        window = MakeWindow();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
    }
    LRESULT Probe(WPARAM wp = 0) { return SendMessageW(window, kProbe, wp, 0); }

    RecordingEventLog log;
    HWND window = nullptr;
};

TEST_F(SubclassTest, BeforeAndAfterCallsAroundTheWindowsOwnProcedure) {
    CSubclass hook(log);
    std::vector<std::string> seen;
    ASSERT_TRUE(hook.ssc_Subclass(window, 77, [&](SubclassMessage& m) {
        if (m.uMsg != kProbe) return;
        EXPECT_EQ(m.hWnd, window);
        EXPECT_EQ(m.lParamUser, 77);
        EXPECT_FALSE(m.bHandled);
        seen.push_back((m.bBefore ? "before " : "after ") + std::to_string(m.lReturn) + " own calls " +
                       std::to_string(OwnCalls().size()));
        if (!m.bBefore) m.lReturn += 100;
    }));
    EXPECT_EQ(Probe(2), 42);  // no table entry yet: nothing seen
    hook.ssc_AddMsg(window, kProbe, MSG_BEFORE_AFTER);
    EXPECT_EQ(Probe(2), 142);
    EXPECT_EQ(seen, (std::vector<std::string>{"before 0 own calls 1", "after 42 own calls 2"}));
    hook.ssc_DelMsg(window, kProbe, MSG_AFTER);
    seen.clear();
    EXPECT_EQ(Probe(1), 41);
    EXPECT_EQ(seen, std::vector<std::string>{"before 0 own calls 2"});
    EXPECT_TRUE(log.errors.empty());
}

TEST_F(SubclassTest, AHandledBeforeCallAnswersInsteadOfTheWindow) {
    CSubclass hook(log);
    int afterCalls = 0;
    ASSERT_TRUE(hook.ssc_Subclass(window, 0, [&](SubclassMessage& m) {
        if (m.bBefore) {
            m.bHandled = true;
            m.lReturn = 5;
        } else {
            ++afterCalls;
        }
    }));
    hook.ssc_AddMsg(window, ALL_MESSAGES, MSG_BEFORE_AFTER);
    EXPECT_EQ(Probe(), 5);
    EXPECT_TRUE(OwnCalls().empty());
    EXPECT_EQ(afterCalls, 0);
    // The window's own procedure stays reachable to the hook's owner.
    EXPECT_EQ(hook.ssc_CallOrigWndProc(window, kProbe, 3, 0), 43);
    EXPECT_EQ(hook.ssc_CallOrigWndProc(GetDesktopWindow(), kProbe, 3, 0), 0);
}

TEST_F(SubclassTest, UnhookingPutsTheWindowBackAsItWas) {
    const LONG_PTR own = GetWindowLongPtrW(window, GWLP_WNDPROC);
    {
        CSubclass hook(log);
        ASSERT_TRUE(hook.ssc_Subclass(window, 0, [](SubclassMessage& m) { m.bHandled = m.bBefore; }));
        hook.ssc_AddMsg(window, kProbe, MSG_BEFORE);
        EXPECT_EQ(Probe(), 0);
        EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), own);
        hook.ssc_UnSubclass(window);
        EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), own);
        EXPECT_EQ(Probe(), 40);
        EXPECT_FALSE(hook.IsHooked(window));
        EXPECT_EQ(hook.zGet_lParamUser(window), 0);
        hook.ssc_UnSubclass(window);  // a second time is harmless
        ASSERT_TRUE(hook.ssc_Subclass(window, 0, [](SubclassMessage& m) { m.bHandled = m.bBefore; }));
        hook.ssc_AddMsg(window, kProbe, MSG_BEFORE);
    }  // released: ssc_Terminate
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), own);
    EXPECT_EQ(Probe(), 40);
}

TEST_F(SubclassTest, HooksOfSeveralObjectsComeOffInAnyOrder) {
    const LONG_PTR own = GetWindowLongPtrW(window, GWLP_WNDPROC);
    std::string order;
    auto first = std::make_unique<CSubclass>(log);
    auto second = std::make_unique<CSubclass>(log);
    ASSERT_TRUE(first->ssc_Subclass(window, 0, [&](SubclassMessage& m) { order += m.bBefore ? "1" : "!"; }));
    ASSERT_TRUE(second->ssc_Subclass(window, 0, [&](SubclassMessage& m) { order += m.bBefore ? "2" : "@"; }));
    first->ssc_AddMsg(window, kProbe, MSG_BEFORE_AFTER);
    second->ssc_AddMsg(window, kProbe, MSG_BEFORE_AFTER);
    EXPECT_EQ(Probe(), 40);
    EXPECT_EQ(order, "21!@");  // the newest hook outside
    // The older hook goes first; the newer still sees everything, and the window still answers.
    first.reset();
    order.clear();
    EXPECT_EQ(Probe(), 40);
    EXPECT_EQ(order, "2@");
    second.reset();
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), own);
}

TEST_F(SubclassTest, SomeoneHookingAfterUsKeepsHisHookWhenWeLeave) {
    CSubclass hook(log);
    ASSERT_TRUE(hook.ssc_Subclass(window, 0, [](SubclassMessage& m) { m.bHandled = m.bBefore; }));
    hook.ssc_AddMsg(window, kProbe, MSG_BEFORE);
    // Another party replaces the procedure by hand, passing on to ours.
    static WNDPROC below = nullptr;
    below = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
            if (msg == kProbe && wp == 9) return 900;
            return CallWindowProcW(below, h, msg, wp, lp);
        })));
    EXPECT_EQ(Probe(9), 900);
    EXPECT_EQ(Probe(1), 0);
    hook.ssc_UnSubclass(window);
    // His procedure stays in place and ours just passes everything on.
    EXPECT_EQ(Probe(9), 900);
    EXPECT_EQ(Probe(1), 41);
}

TEST_F(SubclassTest, AWindowDestroyedBeforeTheHookIsReleasedIsLetGoCleanly) {
    std::vector<UINT> seenAfter;
    auto hook = std::make_unique<CSubclass>(log);
    ASSERT_TRUE(hook->ssc_Subclass(window, 0, [&](SubclassMessage& m) {
        if (!m.bBefore) seenAfter.push_back(m.uMsg);
    }));
    hook->ssc_AddMsg(window, WM_NCDESTROY, MSG_AFTER);
    hook->ssc_AddMsg(window, kProbe, MSG_AFTER);
    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_EQ(seenAfter, std::vector<UINT>{WM_NCDESTROY});
    EXPECT_FALSE(hook->IsHooked(window));
    // Every call for the dead window is harmless, and so is the release.
    hook->ssc_AddMsg(window, kProbe, MSG_BEFORE);
    EXPECT_EQ(hook->ssc_CallOrigWndProc(window, kProbe, 0, 0), 0);
    hook->ssc_UnSubclass(window);
    hook.reset();
    // A new window, perhaps under the same handle, starts clean.
    window = MakeWindow();
    CSubclass again(log);
    ASSERT_TRUE(again.ssc_Subclass(window, 0, [&](SubclassMessage& m) { m.bHandled = m.bBefore; }));
    again.ssc_AddMsg(window, kProbe, MSG_BEFORE);
    EXPECT_EQ(Probe(), 0);
    EXPECT_TRUE(log.errors.empty());
}

TEST_F(SubclassTest, AHandlerMayUnhookOrReleaseItsObjectWhileTheMessageRuns) {
    auto hook = std::make_unique<CSubclass>(log);
    int calls = 0;
    ASSERT_TRUE(hook->ssc_Subclass(window, 0, [&](SubclassMessage& m) {
        ++calls;
        if (m.bBefore) hook.reset();  // the object goes, the running call finishes safely
    }));
    hook->ssc_AddMsg(window, kProbe, MSG_BEFORE_AFTER);
    EXPECT_EQ(Probe(), 40);
    EXPECT_EQ(calls, 1);  // no after-call for a released hook
    EXPECT_EQ(Probe(), 40);
    EXPECT_EQ(calls, 1);
}

TEST_F(SubclassTest, ChecksAreLoggedAndAnsweredFalse) {
    CSubclass hook(log);
    const auto noop = [](SubclassMessage&) {};
    EXPECT_FALSE(hook.ssc_Subclass(reinterpret_cast<HWND>(0x123456), 0, noop));
    EXPECT_FALSE(hook.ssc_Subclass(GetDesktopWindow(), 0, noop));  // another process's window
    EXPECT_FALSE(hook.ssc_Subclass(window, 0, SubclassProc()));
    ASSERT_TRUE(hook.ssc_Subclass(window, 0, noop));
    EXPECT_FALSE(hook.ssc_Subclass(window, 0, noop));
    for (UINT m = 0; m <= MSG_ENTRIES; ++m) hook.ssc_AddMsg(window, WM_APP + 100 + m, MSG_AFTER);
    EXPECT_EQ(log.errors, (std::vector<std::string>{
                              "CSubclass.ssc_Subclass: Invalid window handle",
                              "CSubclass.ssc_Subclass: Window handle belongs to another process",
                              "CSubclass.ssc_Subclass: Callback method not found",
                              "CSubclass.ssc_Subclass: Window handle is already subclassed",
                              "CSubclass.ssc_AddMsg: Message table overflow. Either increase the value of Const "
                              "MSG_ENTRIES or use ALL_MESSAGES instead of specific message values",
                          }));
}

TEST_F(SubclassTest, TheUserValueTravelsWithEveryCall) {
    CSubclass hook(log);
    LPARAM seen = 0;
    ASSERT_TRUE(hook.ssc_Subclass(window, 1, [&](SubclassMessage& m) { seen = m.lParamUser; }));
    hook.ssc_AddMsg(window, kProbe, MSG_BEFORE);
    hook.zSet_lParamUser(window, 99);
    EXPECT_EQ(hook.zGet_lParamUser(window), 99);
    Probe();
    EXPECT_EQ(seen, 99);
}

TEST_F(SubclassTest, UnicodeAndNarrowWindows) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnProcA;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = "VelmoraSubclassNarrow";
    RegisterClassA(&wc);
    HWND narrow = CreateWindowExA(0, "VelmoraSubclassNarrow", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(narrow, nullptr);
    CSubclass hook(log);
    bool unicode = true;
    ASSERT_TRUE(hook.ssc_Subclass(narrow, 0, [](SubclassMessage&) {}, &unicode));
    EXPECT_FALSE(unicode);
    EXPECT_EQ(hook.ssc_CallOrigWndProc(narrow, kProbe, 2, 0), 42);
    EXPECT_EQ(SendMessageA(narrow, kProbe, 3, 0), 43);
    unicode = true;
    ASSERT_TRUE(hook.ssc_Subclass(window, 0, [](SubclassMessage&) {}, &unicode));
    EXPECT_TRUE(unicode);
    // Text reaches a narrow window's procedure in its own form through the forwarder.
    ASSERT_TRUE(SetWindowTextW(narrow, L"abc"));
    char text[16] = {};
    GetWindowTextA(narrow, text, 16);
    EXPECT_STREQ(text, "abc");
    hook.ssc_Terminate();
    DestroyWindow(narrow);
}

TEST_F(SubclassTest, MouseLeaveIsRequested) {
    CSubclass hook(log);
    EXPECT_TRUE(hook.TrackMouseTracking(window));
}

}  // namespace
}  // namespace velmora
