#include "ui/win32/Subclass.h"

#include <vector>

#include "platform/win32/Win32EventLog.h"

namespace velmora {

namespace subclass_detail {

// One object's hook of one window. Shared between the object and the window's chain, and held
// by every dispatch running through it, so a handler that unhooks (or releases its object) in
// the middle of a message never pulls the hook from under the running call.
struct Hook {
    HWND hwnd = nullptr;
    LPARAM user = 0;
    SubclassProc callback;
    MessageTables tables;
    bool live = true;  // false once unhooked or once its window is gone
};

}  // namespace subclass_detail

using subclass_detail::Hook;

namespace {

// The hooks of one window, in the order they came, and what ran before the first of them.
struct WindowChain {
    WNDPROC previous = nullptr;
    bool unicode = true;
    std::vector<std::shared_ptr<Hook>> hooks;
};

// Everything runs on the user-interface thread: one table for the process.
std::map<HWND, WindowChain>& Chains() {
    static std::map<HWND, WindowChain> chains;
    return chains;
}

LONG_PTR SetProcedure(HWND h, bool unicode, LONG_PTR proc) {
    return unicode ? SetWindowLongPtrW(h, GWLP_WNDPROC, proc) : SetWindowLongPtrA(h, GWLP_WNDPROC, proc);
}

LONG_PTR CurrentProcedure(HWND h, bool unicode) {
    return unicode ? GetWindowLongPtrW(h, GWLP_WNDPROC) : GetWindowLongPtrA(h, GWLP_WNDPROC);
}

// The newest of the first count hooks, with the ones below it running inside its before- and
// after-calls; below them all the previous procedure.
LRESULT RunHooks(const std::vector<std::shared_ptr<Hook>>& hooks, size_t count, const WindowChain& chain, HWND h,
                 UINT msg, WPARAM wp, LPARAM lp) {
    while (count > 0 && !hooks[count - 1]->live) --count;
    if (count == 0) {
        return chain.unicode ? CallWindowProcW(chain.previous, h, msg, wp, lp)
                             : CallWindowProcA(chain.previous, h, msg, wp, lp);
    }
    Hook& hook = *hooks[count - 1];
    if (hook.tables.before.Contains(msg)) {
        SubclassMessage m{true, false, 0, h, msg, wp, lp, hook.user};
        hook.callback(m);
        if (m.bHandled) return m.lReturn;
    }
    LRESULT result = RunHooks(hooks, count - 1, chain, h, msg, wp, lp);
    if (hook.live && hook.tables.after.Contains(msg)) {
        SubclassMessage m{false, false, result, h, msg, wp, lp, hook.user};
        hook.callback(m);
        result = m.lReturn;
    }
    return result;
}

LRESULT CALLBACK Forwarder(HWND h, UINT msg, WPARAM wp, LPARAM lp);

// Puts the previous procedure back when nobody came after us; otherwise the forwarder stays
// in place, passing everything on, until the window goes.
void Restore(HWND h, const WindowChain& chain) {
    if (CurrentProcedure(h, chain.unicode) == reinterpret_cast<LONG_PTR>(&Forwarder)) {
        SetProcedure(h, chain.unicode, reinterpret_cast<LONG_PTR>(chain.previous));
    }
}

// The window is being destroyed: every hook of it ends here.
void LetGo(HWND h) {
    auto it = Chains().find(h);
    if (it == Chains().end()) return;
    for (const auto& hook : it->second.hooks) hook->live = false;
    Restore(h, it->second);
    Chains().erase(it);
}

void Detach(Hook& hook) {
    if (!hook.live) return;
    hook.live = false;
    auto it = Chains().find(hook.hwnd);
    if (it == Chains().end()) return;
    auto& hooks = it->second.hooks;
    for (auto h = hooks.begin(); h != hooks.end(); ++h) {
        if (h->get() == &hook) {
            hooks.erase(h);
            break;
        }
    }
    if (!hooks.empty()) return;
    if (CurrentProcedure(hook.hwnd, it->second.unicode) != reinterpret_cast<LONG_PTR>(&Forwarder)) return;
    Restore(hook.hwnd, it->second);
    Chains().erase(it);
}

LRESULT CALLBACK Forwarder(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto it = Chains().find(h);
    if (it == Chains().end()) return DefWindowProcW(h, msg, wp, lp);
    // Copies: handlers may hook and unhook while the message runs.
    const WindowChain chain = it->second;
    const LRESULT result = RunHooks(chain.hooks, chain.hooks.size(), chain, h, msg, wp, lp);
    if (msg == WM_NCDESTROY) LetGo(h);
    return result;
}

std::string WindowKey(HWND h) { return std::to_string(reinterpret_cast<std::uintptr_t>(h)) + "h"; }

}  // namespace

CSubclass::CSubclass(EventLog& log) : log_(log) {
    // XP's user32 has it; older systems had only the common controls' copy.
    trackMouseEvent_ = reinterpret_cast<BOOL(WINAPI*)(TRACKMOUSEEVENT*)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "TrackMouseEvent")));
    if (!trackMouseEvent_) {
        if (HMODULE comctl = LoadLibraryW(L"comctl32.dll")) {
            trackMouseEvent_ = reinterpret_cast<BOOL(WINAPI*)(TRACKMOUSEEVENT*)>(
                reinterpret_cast<void*>(GetProcAddress(comctl, "_TrackMouseEvent")));
        }
    }
}

CSubclass::CSubclass() : CSubclass(win32::ApplicationEventLog()) {}

CSubclass::~CSubclass() { ssc_Terminate(); }

void CSubclass::Error(const char* routine, const std::string& message) {
    log_.Error(SubclassErrorText(routine, message));
}

Hook* CSubclass::Find(HWND hWnd) const {
    auto it = windows_.find(WindowKey(hWnd));
    return it != windows_.end() && it->second->live ? it->second.get() : nullptr;
}

bool CSubclass::IsHooked(HWND hWnd) const { return Find(hWnd) != nullptr; }

bool CSubclass::ssc_Subclass(HWND hWnd, LPARAM lParamUser, SubclassProc callback, bool* bUnicode) {
    const char* routine = "ssc_Subclass";
    if (!IsWindow(hWnd)) {
        Error(routine, kInvalidWindow);
        return false;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(hWnd, &process);
    if (process != GetCurrentProcessId()) {
        Error(routine, kOtherProcess);
        return false;
    }
    if (!callback) {
        Error(routine, kNoCallback);
        return false;
    }
    if (Find(hWnd)) {
        Error(routine, kAlreadySubclassed);
        return false;
    }
    bool unicode = IsWindowUnicode(hWnd) != FALSE;
    if (bUnicode) {
        if (*bUnicode) {
            *bUnicode = unicode;
        } else {
            unicode = false;
        }
    }
    auto chain = Chains().find(hWnd);
    if (chain == Chains().end()) {
        SetLastError(0);
        const LONG_PTR previous = SetProcedure(hWnd, unicode, reinterpret_cast<LONG_PTR>(&Forwarder));
        if (previous == 0) {
            Error(routine, kSetWindowLongFailed + std::to_string(GetLastError()));
            return false;
        }
        chain = Chains().emplace(hWnd, WindowChain{reinterpret_cast<WNDPROC>(previous), unicode, {}}).first;
    }
    auto hook = std::make_shared<Hook>();
    hook->hwnd = hWnd;
    hook->user = lParamUser;
    hook->callback = std::move(callback);
    chain->second.hooks.push_back(hook);
    windows_[WindowKey(hWnd)] = std::move(hook);
    return true;
}

void CSubclass::ssc_UnSubclass(HWND hWnd) {
    auto it = windows_.find(WindowKey(hWnd));
    if (it == windows_.end()) return;
    const std::shared_ptr<Hook> hook = it->second;
    windows_.erase(it);
    Detach(*hook);
    hook->tables = MessageTables{};
}

void CSubclass::ssc_Terminate() {
    auto windows = std::move(windows_);
    windows_.clear();
    for (auto& [key, hook] : windows) {
        Detach(*hook);
        hook->tables = MessageTables{};
    }
}

LRESULT CSubclass::ssc_CallOrigWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    Hook* hook = Find(hWnd);
    if (!hook) return 0;
    auto it = Chains().find(hWnd);
    if (it == Chains().end()) return 0;
    const WindowChain chain = it->second;
    size_t below = 0;
    while (below < chain.hooks.size() && chain.hooks[below].get() != hook) ++below;
    return RunHooks(chain.hooks, below, chain, hWnd, uMsg, wParam, lParam);
}

void CSubclass::ssc_AddMsg(HWND hWnd, UINT uMsg, int when) {
    if (Hook* hook = Find(hWnd)) AddMessage(hook->tables, uMsg, when, log_);
}

void CSubclass::ssc_DelMsg(HWND hWnd, UINT uMsg, int when) {
    if (Hook* hook = Find(hWnd)) DeleteMessage(hook->tables, uMsg, when);
}

void CSubclass::zSet_lParamUser(HWND hWnd, LPARAM value) {
    if (Hook* hook = Find(hWnd)) hook->user = value;
}

LPARAM CSubclass::zGet_lParamUser(HWND hWnd) const {
    const Hook* hook = Find(hWnd);
    return hook ? hook->user : 0;
}

bool CSubclass::TrackMouseTracking(HWND hWnd) {
    if (!trackMouseEvent_) return false;
    TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, hWnd, 0};
    return trackMouseEvent_(&tme) != FALSE;
}

}  // namespace velmora
