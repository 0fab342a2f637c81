#include "kelpo/ucMessage_win.h"

namespace velmora::kelpo {

ucMessage::ucMessage(RaiseMessage raise)
    : raise_(std::move(raise)), hook_([this](HookCall& call) { Received(call); }) {}

void ucMessage::StartMessage(HWND window) {
    window_ = window;
    if (hook_.Hook(window)) state_ = 1;
}

void ucMessage::AddMessage(std::int32_t message) { hook_.AddAfter(window_, message); }

void ucMessage::StopMessage() {
    hook_.UnhookAll();
    state_ = 0;
}

void ucMessage::Received(HookCall& call) {
    // Only the after side is ever watched; handled flag and result are left alone.
    HWND window = call.window;
    std::uint32_t message = call.message;
    auto wParam = static_cast<std::int32_t>(call.wParam);
    auto lParam = static_cast<std::int32_t>(call.lParam);
    if (raise_) raise_(window, message, wParam, lParam);
}

}  // namespace velmora::kelpo
