#pragma once
// One side (before or after) of a hooked window's watch list: message numbers, or "all".
#include <cstdint>
#include <vector>

namespace velmora::kelpo {

class MessageList {
public:
    // -1 means every message. A number already present is not added again; a new one takes the
    // first free slot.
    void Add(std::int32_t message);
    // -1 empties the list.
    void Remove(std::int32_t message);
    bool Contains(std::uint32_t message) const;
    void Clear();
    bool all() const { return all_; }
    const std::vector<std::uint32_t>& slots() const { return slots_; }

private:
    bool all_ = false;
    std::vector<std::uint32_t> slots_;  // 0 marks a free slot
};

}  // namespace velmora::kelpo
