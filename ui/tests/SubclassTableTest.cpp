#include "ui/SubclassTable.h"

#include <gtest/gtest.h>

#include "platform/testing/RecordingEventLog.h"

namespace velmora {
namespace {

using testing::RecordingEventLog;

constexpr char kOverflowEntry[] =
    "CSubclass.ssc_AddMsg: Message table overflow. Either increase the value of Const MSG_ENTRIES or use "
    "ALL_MESSAGES instead of specific message values";

TEST(SubclassTableTest, ThirtyTwoMessagesFitAndTheThirtyThirdOverflowsIntoTheLog) {
    RecordingEventLog log;
    MessageTables t;
    for (std::uint32_t m = 0x100; m < 0x100 + MSG_ENTRIES; ++m) AddMessage(t, m, MSG_BEFORE, log);
    EXPECT_TRUE(log.errors.empty());
    EXPECT_EQ(t.before.Used(), MSG_ENTRIES);
    AddMessage(t, 0x300, MSG_BEFORE, log);
    ASSERT_EQ(log.errors.size(), 1u);
    EXPECT_EQ(log.errors[0], kOverflowEntry);
    EXPECT_FALSE(t.before.Contains(0x300));
    EXPECT_TRUE(t.before.Contains(0x100 + MSG_ENTRIES - 1));
    // A message already there is no overflow, and a freed slot is taken again.
    AddMessage(t, 0x105, MSG_BEFORE, log);
    EXPECT_EQ(log.errors.size(), 1u);
    DeleteMessage(t, 0x105, MSG_BEFORE);
    AddMessage(t, 0x300, MSG_BEFORE, log);
    EXPECT_EQ(log.errors.size(), 1u);
    EXPECT_TRUE(t.before.Contains(0x300));
    EXPECT_FALSE(t.before.Contains(0x105));
}

TEST(SubclassTableTest, AFullBeforeTableStillLetsTheAfterTableTakeTheMessage) {
    RecordingEventLog log;
    MessageTables t;
    for (std::uint32_t m = 1; m <= MSG_ENTRIES; ++m) AddMessage(t, m, MSG_BEFORE, log);
    AddMessage(t, 0x201, MSG_BEFORE_AFTER, log);
    EXPECT_EQ(log.errors.size(), 1u);
    EXPECT_FALSE(t.before.Contains(0x201));
    EXPECT_TRUE(t.after.Contains(0x201));
}

TEST(SubclassTableTest, TheAllMessagesMarker) {
    const struct {
        const char* name;
        std::vector<std::pair<bool, std::uint32_t>> steps;  // add (true) or delete, message
        std::uint32_t probe;
        bool contains, all, empty;
    } cases[] = {
        {"replaces the specific messages", {{true, 5}, {true, ALL_MESSAGES}}, 77, true, true, false},
        {"a specific add after it changes nothing", {{true, ALL_MESSAGES}, {true, 5}}, 9, true, true, false},
        {"a specific delete leaves it", {{true, ALL_MESSAGES}, {false, 9}}, 9, true, true, false},
        {"deleting all empties", {{true, 5}, {true, 6}, {false, ALL_MESSAGES}}, 5, false, false, true},
        {"deleting all after all empties", {{true, ALL_MESSAGES}, {false, ALL_MESSAGES}}, 5, false, false, true},
        {"message 0 is a message like any", {{true, 0}}, 0, true, false, false},
        {"empty holds nothing", {}, 0, false, false, true},
    };
    for (const auto& c : cases) {
        RecordingEventLog log;
        MessageTables t;
        for (const auto& [add, msg] : c.steps) {
            if (add) {
                AddMessage(t, msg, MSG_AFTER, log);
            } else {
                DeleteMessage(t, msg, MSG_AFTER);
            }
        }
        EXPECT_EQ(t.after.Contains(c.probe), c.contains) << c.name;
        EXPECT_EQ(t.after.All(), c.all) << c.name;
        EXPECT_EQ(t.after.Empty(), c.empty) << c.name;
        EXPECT_TRUE(t.before.Empty()) << c.name;
        EXPECT_TRUE(log.errors.empty()) << c.name;
    }
}

TEST(SubclassTableTest, AllMessagesNeverOverflows) {
    RecordingEventLog log;
    MessageTables t;
    for (std::uint32_t m = 1; m <= MSG_ENTRIES; ++m) AddMessage(t, m, MSG_AFTER, log);
    AddMessage(t, ALL_MESSAGES, MSG_AFTER, log);
    EXPECT_TRUE(log.errors.empty());
    EXPECT_TRUE(t.after.All());
    EXPECT_TRUE(t.after.Contains(0x7FFF));
}

TEST(SubclassTableTest, ErrorTextsNameTheClassAndRoutine) {
    EXPECT_EQ(SubclassErrorText("ssc_Subclass", kInvalidWindow), "CSubclass.ssc_Subclass: Invalid window handle");
}

}  // namespace
}  // namespace velmora
