#include "ui/SubclassTable.h"

namespace velmora {

int MessageTable::Used() const {
    int n = 0;
    for (bool u : used_) n += u ? 1 : 0;
    return n;
}

MessageTable::Added MessageTable::Add(std::uint32_t msg) {
    if (msg == ALL_MESSAGES) {
        used_.fill(false);
        all_ = true;
        return Added::Yes;
    }
    if (Contains(msg)) return Added::Already;
    for (int i = 0; i < MSG_ENTRIES; ++i) {
        if (!used_[i]) {
            used_[i] = true;
            slots_[i] = msg;
            return Added::Yes;
        }
    }
    return Added::Overflow;
}

void MessageTable::Remove(std::uint32_t msg) {
    if (msg == ALL_MESSAGES) {
        all_ = false;
        used_.fill(false);
        return;
    }
    for (int i = 0; i < MSG_ENTRIES; ++i) {
        if (used_[i] && slots_[i] == msg) used_[i] = false;
    }
}

bool MessageTable::Contains(std::uint32_t msg) const {
    if (all_) return true;
    for (int i = 0; i < MSG_ENTRIES; ++i) {
        if (used_[i] && slots_[i] == msg) return true;
    }
    return false;
}

void AddMessage(MessageTables& tables, std::uint32_t msg, int when, EventLog& log) {
    for (auto [bit, table] : {std::pair{MSG_BEFORE, &tables.before}, std::pair{MSG_AFTER, &tables.after}}) {
        if ((when & bit) && table->Add(msg) == MessageTable::Added::Overflow) {
            log.Error(SubclassErrorText("ssc_AddMsg", kTableOverflow));
        }
    }
}

void DeleteMessage(MessageTables& tables, std::uint32_t msg, int when) {
    if (when & MSG_BEFORE) tables.before.Remove(msg);
    if (when & MSG_AFTER) tables.after.Remove(msg);
}

std::string SubclassErrorText(const std::string& routine, const std::string& message) {
    return "CSubclass." + routine + ": " + message;
}

}  // namespace velmora
