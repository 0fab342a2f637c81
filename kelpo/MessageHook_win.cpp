#include "kelpo/MessageHook_win.h"

#include <map>

namespace velmora::kelpo {

struct MessageHook::Entry {
    HWND window = nullptr;
    WNDPROC previous = nullptr;
    MessageList before, after;
    MessageHook* owner = nullptr;  // null once unhooked: messages only pass through
};

LRESULT CALLBACK HookProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

// Every hooked window of the process (all on the user-interface thread).
std::map<HWND, std::shared_ptr<MessageHook::Entry>>& HookedWindows() {
    static std::map<HWND, std::shared_ptr<MessageHook::Entry>> hooked;
    return hooked;
}

// Restores the window's procedure when ours is still the one in place; a procedure someone set
// over ours keeps calling us, so the entry then stays, passing messages through.
void Release(const std::shared_ptr<MessageHook::Entry>& entry) {
    entry->owner = nullptr;
    entry->before.Clear();
    entry->after.Clear();
    HWND window = entry->window;
    entry->window = nullptr;
    if (!window) return;
    auto it = HookedWindows().find(window);
    if (it == HookedWindows().end() || it->second != entry) return;
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (current == HookProcedure || !IsWindow(window)) {
        if (IsWindow(window))
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry->previous));
        HookedWindows().erase(it);
    }
}

}  // namespace

LRESULT CALLBACK HookProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = HookedWindows().find(window);
    if (it == HookedWindows().end()) return DefWindowProcW(window, message, wParam, lParam);
    // Kept alive while the owner runs: it may unhook, or be destroyed, meanwhile.
    const std::shared_ptr<MessageHook::Entry> entry = it->second;
    const WNDPROC previous = entry->previous;
    HookCall call;
    call.window = window;
    call.message = message;
    call.wParam = wParam;
    call.lParam = lParam;
    if (entry->owner && entry->before.Contains(message)) {
        entry->owner->Call(call);
        if (call.handled) return call.result;
    }
    LRESULT result = CallWindowProcW(previous, window, call.message, call.wParam, call.lParam);
    if (message == WM_NCDESTROY) {
        // The window is gone: whoever hooked it lets go.
        if (entry->window) Release(entry);
        HookedWindows().erase(window);
        return result;
    }
    if (entry->owner && entry->after.Contains(message)) {
        call.before = false;
        call.handled = false;
        call.result = result;
        entry->owner->Call(call);
        result = call.result;
    }
    return result;
}

MessageHook::MessageHook(HookCallback callback) : callback_(std::move(callback)) {}

MessageHook::~MessageHook() { UnhookAll(); }

MessageHook::Entry* MessageHook::Find(HWND window) const {
    if (!window) return nullptr;
    for (const auto& e : entries_)
        if (e->window == window) return e.get();
    return nullptr;
}

bool MessageHook::Hooked(HWND window) const { return Find(window) != nullptr; }

bool MessageHook::Hook(HWND window) {
    if (!IsWindow(window)) return false;
    if (Find(window)) return true;
    std::shared_ptr<Entry> entry;
    auto it = HookedWindows().find(window);
    if (it != HookedWindows().end()) {
        if (it->second->owner) return false;  // someone else's
        entry = it->second;                   // still passing through: take it up again
    } else {
        entry = std::make_shared<Entry>();
        const auto previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookProcedure)));
        if (!previous) return false;
        entry->previous = previous;
        HookedWindows()[window] = entry;
    }
    entry->window = window;
    entry->owner = this;
    for (auto& slot : entries_) {
        if (!slot->window) {
            slot = entry;
            return true;
        }
    }
    entries_.push_back(entry);
    return true;
}

void MessageHook::AddBefore(HWND window, std::int32_t message) {
    if (Entry* e = Find(window)) e->before.Add(message);
}

void MessageHook::AddAfter(HWND window, std::int32_t message) {
    if (Entry* e = Find(window)) e->after.Add(message);
}

void MessageHook::AddBoth(HWND window, std::int32_t message) {
    AddBefore(window, message);
    AddAfter(window, message);
}

void MessageHook::RemoveBefore(HWND window, std::int32_t message) {
    if (Entry* e = Find(window)) e->before.Remove(message);
}

void MessageHook::RemoveAfter(HWND window, std::int32_t message) {
    if (Entry* e = Find(window)) e->after.Remove(message);
}

void MessageHook::RemoveBoth(HWND window, std::int32_t message) {
    RemoveBefore(window, message);
    RemoveAfter(window, message);
}

void MessageHook::Unhook(HWND window) {
    for (const auto& e : entries_)
        if (e->window == window) Release(e);
}

void MessageHook::UnhookAll() {
    for (const auto& e : entries_)
        if (e->window) Release(e);
}

}  // namespace velmora::kelpo
