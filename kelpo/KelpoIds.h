#pragma once
// What hosts of the list control need to know besides its type library: its ProgID and the
// numbers of its events (their order in the event interface).
namespace velmora::kelpo {

constexpr const wchar_t* kLeiBiaoProgId = L"ListBox.LeiBiao";

enum LeiBiaoEvent : long {
    kClickEvent = 1,
    kDBClickEvent = 2,
    kMouseDownEvent = 3,
    kMouseMoveEvent = 4,
    kMouseUpEvent = 5,
    kListIndexChangedEvent = 6,
    kPlayIndexChangedEvent = 7,
    kScrollEvent = 8,
    kResizeEvent = 9,
};

}  // namespace velmora::kelpo
