// The before and after lists of a hooked window.
#include <gtest/gtest.h>

#include "kelpo/MessageList.h"

namespace velmora::kelpo {
namespace {

TEST(MessageListTest, ANumberAddedTwiceIsKeptOnce) {
    MessageList list;
    list.Add(522);
    list.Add(522);
    EXPECT_EQ(list.slots(), (std::vector<std::uint32_t>{522}));
    EXPECT_TRUE(list.Contains(522));
    EXPECT_FALSE(list.Contains(523));
}

TEST(MessageListTest, RemovedNumbersFreeTheirSlotForTheNext) {
    MessageList list;
    list.Add(15);
    list.Add(5);
    list.Add(512);
    list.Remove(5);
    EXPECT_FALSE(list.Contains(5));
    EXPECT_FALSE(list.Contains(0)) << "a free slot is no message";
    list.Add(513);
    EXPECT_EQ(list.slots(), (std::vector<std::uint32_t>{15, 513, 512}));
}

TEST(MessageListTest, MinusOneMeansEveryMessage) {
    MessageList list;
    list.Add(15);
    list.Add(-1);
    EXPECT_TRUE(list.all());
    EXPECT_TRUE(list.Contains(0x1234));
    list.Remove(-1);
    EXPECT_FALSE(list.all());
    EXPECT_FALSE(list.Contains(15)) << "removing -1 empties the list";
}

}  // namespace
}  // namespace velmora::kelpo
