#pragma once
// CSubclass: lets an object see the messages of windows of its own process, before and/or
// after each window's own procedure, and answer them in its place.
//
//   CSubclass hook;
//   hook.ssc_Subclass(hwnd, 0, [this](SubclassMessage& m) {
//       if (m.bBefore && m.uMsg == WM_PAINT) { Paint(); m.bHandled = true; }
//   });
//   hook.ssc_AddMsg(hwnd, WM_PAINT, MSG_BEFORE);
//
// Every window a CSubclass hooks goes through one shared forwarding procedure that runs the
// hooks of that window newest first, then the procedure that was in place before. Hooks may be
// added and removed in any order, also from inside a handler, and a window destroyed while
// hooked is let go as it goes (after its WM_NCDESTROY), so no hook outlives its window.
// Failures are written to the application event log and answered with false; nothing is shown.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/EventLog.h"
#include "ui/SubclassTable.h"

namespace velmora {

// One message as the owner sees it. Before the window's procedure, setting bHandled skips that
// procedure (and the after-call) and answers lReturn; after it, lReturn holds its result and
// may be changed.
struct SubclassMessage {
    bool bBefore;
    bool bHandled;
    LRESULT lReturn;
    HWND hWnd;
    UINT uMsg;
    WPARAM wParam;
    LPARAM lParam;
    LPARAM lParamUser;
};

using SubclassProc = std::function<void(SubclassMessage& message)>;

namespace subclass_detail {
struct Hook;
}

class CSubclass {
public:
    explicit CSubclass(EventLog& log);
    CSubclass();  // logs to the application event log
    // ssc_Terminate.
    ~CSubclass();
    CSubclass(const CSubclass&) = delete;
    CSubclass& operator=(const CSubclass&) = delete;

    // Hooks a window of this process once. bUnicode, when given and true, is set to whether
    // the window really is a Unicode window; given false, the window is hooked through the
    // narrow functions (unless another hook of the process got there first).
    bool ssc_Subclass(HWND hWnd, LPARAM lParamUser, SubclassProc callback, bool* bUnicode = nullptr);
    void ssc_UnSubclass(HWND hWnd);
    void ssc_Terminate();
    // The procedure below this object's hook, for a message of the caller's; 0 when not hooked.
    LRESULT ssc_CallOrigWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    // when: MSG_BEFORE, MSG_AFTER or MSG_BEFORE_AFTER; uMsg ALL_MESSAGES for every message.
    void ssc_AddMsg(HWND hWnd, UINT uMsg, int when);
    void ssc_DelMsg(HWND hWnd, UINT uMsg, int when);
    void zSet_lParamUser(HWND hWnd, LPARAM value);
    LPARAM zGet_lParamUser(HWND hWnd) const;
    // One WM_MOUSELEAVE when the mouse leaves the window.
    bool TrackMouseTracking(HWND hWnd);

    // Whether this object hooks the window now.
    bool IsHooked(HWND hWnd) const;

private:
    subclass_detail::Hook* Find(HWND hWnd) const;
    void Error(const char* routine, const std::string& message);

    EventLog& log_;
    // Keyed by the handle's decimal text and "h"; windows that died meanwhile stay until the
    // next call for the same handle or the end.
    std::map<std::string, std::shared_ptr<subclass_detail::Hook>> windows_;
    BOOL(WINAPI* trackMouseEvent_)(TRACKMOUSEEVENT*) = nullptr;
};

}  // namespace velmora
