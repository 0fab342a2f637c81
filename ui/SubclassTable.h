#pragma once
// The message tables of the window-message hooking class CSubclass: which messages of a hooked
// window its owner sees before the window's own procedure and which after it, and the texts it
// writes to the application event log when something fails.
#include <array>
#include <cstdint>
#include <string>

#include "platform/EventLog.h"

namespace velmora {

// Constants under the names the hooking class has always had.
inline constexpr int MSG_ENTRIES = 32;
inline constexpr std::uint32_t ALL_MESSAGES = 0xFFFFFFFFu;  // -1 as a message number
inline constexpr int MSG_BEFORE = 1;
inline constexpr int MSG_AFTER = 2;
inline constexpr int MSG_BEFORE_AFTER = MSG_BEFORE | MSG_AFTER;

// Either every message or up to MSG_ENTRIES message numbers.
class MessageTable {
public:
    enum class Added { Yes, Already, Overflow };
    // ALL_MESSAGES replaces whatever the table held.
    Added Add(std::uint32_t msg);
    // ALL_MESSAGES empties the table; a specific message leaves an all-messages table alone.
    void Remove(std::uint32_t msg);
    bool Contains(std::uint32_t msg) const;
    bool All() const { return all_; }
    bool Empty() const { return !all_ && Used() == 0; }
    int Used() const;

private:
    bool all_ = false;
    std::array<std::uint32_t, MSG_ENTRIES> slots_{};
    std::array<bool, MSG_ENTRIES> used_{};
};

struct MessageTables {
    MessageTable before, after;
};

// ssc_AddMsg: adds msg to the tables named in when (MSG_BEFORE, MSG_AFTER or both). A full
// table logs the overflow and keeps its content; the other table is still tried.
void AddMessage(MessageTables& tables, std::uint32_t msg, int when, EventLog& log);
// ssc_DelMsg.
void DeleteMessage(MessageTables& tables, std::uint32_t msg, int when);

// The routine-by-routine texts of the log ("CSubclass.ssc_Subclass: Invalid window handle").
std::string SubclassErrorText(const std::string& routine, const std::string& message);

inline constexpr char kInvalidWindow[] = "Invalid window handle";
inline constexpr char kOtherProcess[] = "Window handle belongs to another process";
inline constexpr char kNoCallback[] = "Callback method not found";
inline constexpr char kAlreadySubclassed[] = "Window handle is already subclassed";
inline constexpr char kSetWindowLongFailed[] = "SetWindowLong failed, error #";
inline constexpr char kTableOverflow[] =
    "Message table overflow. Either increase the value of Const MSG_ENTRIES or use ALL_MESSAGES instead of "
    "specific message values";

}  // namespace velmora
