#pragma once
// The general message hook: replaces a window's procedure and offers the owner chosen messages
// before the window's own procedure runs (where the owner may handle them instead, or change
// their parameters) and after it (where the owner may change the result).
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <windows.h>

#include "kelpo/MessageList.h"

namespace velmora::kelpo {

struct HookCall {
    bool before = true;    // false: after the window's own procedure
    bool handled = false;  // before only: return result at once, skipping the procedure and after side
    LRESULT result = 0;    // after: what the procedure returned; the owner may replace it
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

using HookCallback = std::function<void(HookCall& call)>;

class MessageHook {
public:
    explicit MessageHook(HookCallback callback);
    // Unhooks every window it hooked.
    ~MessageHook();
    MessageHook(const MessageHook&) = delete;
    MessageHook& operator=(const MessageHook&) = delete;

    // False when the window is no window, or another owner hooks it already.
    bool Hook(HWND window);
    bool Hooked(HWND window) const;
    // Message numbers to offer before, after, or on both sides; -1 means every message.
    void AddBefore(HWND window, std::int32_t message);
    void AddAfter(HWND window, std::int32_t message);
    void AddBoth(HWND window, std::int32_t message);
    void RemoveBefore(HWND window, std::int32_t message);
    void RemoveAfter(HWND window, std::int32_t message);
    void RemoveBoth(HWND window, std::int32_t message);
    // Puts the window's own procedure back (when nobody replaced it since) and forgets it.
    void Unhook(HWND window);
    void UnhookAll();

    struct Entry;

private:
    Entry* Find(HWND window) const;
    void Call(HookCall& call) { callback_(call); }
    friend LRESULT CALLBACK HookProcedure(HWND, UINT, WPARAM, LPARAM);

    HookCallback callback_;
    std::vector<std::shared_ptr<Entry>> entries_;  // a freed entry (no window) is reused
};

}  // namespace velmora::kelpo
