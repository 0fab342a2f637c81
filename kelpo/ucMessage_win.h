#pragma once
// The invisible message-hook control: taps a window's messages and reports each watched one
// after the window has processed it.
#include <cstdint>
#include <functional>

#include <windows.h>

#include "kelpo/MessageHook_win.h"

namespace velmora::kelpo {

class ucMessage {
public:
    // The RaiseMessage event: window, message number, wParam and lParam (each 32-bit).
    using RaiseMessage = std::function<void(HWND& window, std::uint32_t& message, std::int32_t& wParam,
                                            std::int32_t& lParam)>;
    explicit ucMessage(RaiseMessage raise);

    // Hooks the window; State becomes 1.
    void StartMessage(HWND window);
    // Watches a message of the started window (after its processing); -1 means every message.
    void AddMessage(std::int32_t message);
    // Unhooks every window; State becomes 0. Harmless when nothing is hooked.
    void StopMessage();
    std::int32_t State() const { return state_; }

private:
    void Received(HookCall& call);

    RaiseMessage raise_;
    MessageHook hook_;
    HWND window_ = nullptr;
    std::int32_t state_ = 0;
};

}  // namespace velmora::kelpo
