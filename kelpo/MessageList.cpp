#include "kelpo/MessageList.h"

#include <algorithm>

namespace velmora::kelpo {

void MessageList::Add(std::int32_t message) {
    if (message == -1) {
        all_ = true;
        return;
    }
    const auto number = static_cast<std::uint32_t>(message);
    if (number == 0 || std::find(slots_.begin(), slots_.end(), number) != slots_.end()) return;
    auto free = std::find(slots_.begin(), slots_.end(), 0u);
    if (free != slots_.end()) *free = number;
    else slots_.push_back(number);
}

void MessageList::Remove(std::int32_t message) {
    if (message == -1) {
        Clear();
        return;
    }
    for (auto& slot : slots_)
        if (slot == static_cast<std::uint32_t>(message)) slot = 0;
}

bool MessageList::Contains(std::uint32_t message) const {
    if (all_) return true;
    return message != 0 && std::find(slots_.begin(), slots_.end(), message) != slots_.end();
}

void MessageList::Clear() {
    all_ = false;
    slots_.clear();
}

}  // namespace velmora::kelpo
