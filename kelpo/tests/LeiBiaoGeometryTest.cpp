// The list's geometry: rows that fit, the scrollbar's range and visibility, the row under a
// point, the wheel step and the row numbers after scrolling.
#include <gtest/gtest.h>

#include "kelpo/tests/ListFixture.h"

namespace velmora::kelpo::testing {
namespace {

struct BarCase {
    const char* what;
    int count, height;
    bool border;
    int itemHeight;
    int max;
    bool visible;
    int lastIndex;  // as the LastIndex property reads it
};

TEST(LeiBiaoGeometryTest, ScrollbarRangeVisibilityAndLastIndex) {
    const BarCase cases[] = {
        {"empty", 0, 402, true, 18, 0, false, -1},
        {"few rows fit, Max stays 0", 10, 402, true, 18, 0, false, 9},
        {"exactly fitting rows", 22, 398, true, 18, 0, false, 21},
        {"one row too many", 23, 402, true, 18, 1, true, 22},
        {"many rows", 100, 402, true, 18, 78, true, 23},
        {"no border: the whole height", 100, 400, false, 18, 78, true, 23},
        {"tall rows", 100, 402, true, 40, 90, true, 11},
    };
    for (const BarCase& c : cases) {
        SCOPED_TRACE(c.what);
        ListFixture f(300, c.height);
        f.list.SetBorder(c.border);
        f.list.SetItemHeight(c.itemHeight);
        f.Fill(c.count);
        EXPECT_EQ(f.bar.Max(), c.max);
        EXPECT_EQ(f.bar.Visible(), c.visible);
        EXPECT_EQ(f.list.LastIndex(), c.lastIndex);
    }
}

TEST(LeiBiaoGeometryTest, TheBarSitsInsideTheBorderAtTheRightEdge) {
    ListFixture f(300, 402);
    EXPECT_EQ(f.bar.left, 300 - 17 - 1);
    EXPECT_EQ(f.bar.top, 1);
    EXPECT_EQ(f.bar.bar.height(), 400);
    f.list.SetBorder(false);
    EXPECT_EQ(f.bar.left, 300 - 17);
    EXPECT_EQ(f.bar.top, 0);
    EXPECT_EQ(f.bar.bar.height(), 402);
}

TEST(LeiBiaoGeometryTest, IndexFromPoint) {
    ListFixture f;
    f.Fill(100);
    struct Case {
        double y;
        int scrolled;
        int index;
    } cases[] = {
        {0, 0, -1},   {1, 0, 0},    {18, 0, 0},   {19, 0, 1},    {18.9, 0, 0},
        {1, 10, 10},  {37, 10, 12}, {-50, 0, -1}, {383, 78, 99}, {1799, 0, 99}, {1801, 0, -1},
    };
    for (const Case& c : cases) {
        f.bar.SetValue(c.scrolled);
        EXPECT_EQ(f.list.IndexFromPoint(0, c.y), c.index) << "y " << c.y << " scrolled " << c.scrolled;
    }
    ListFixture empty;
    EXPECT_EQ(empty.list.IndexFromPoint(0, 10), -1);
}

TEST(LeiBiaoGeometryTest, TheWheelMovesAFifthOfThePagePlusOne) {
    struct Case {
        int height, itemHeight, step;
    } cases[] = {{402, 18, 5}, {402, 40, 3}, {102, 18, 2}, {22, 18, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE("inner " + std::to_string(c.height - 2) + " item " + std::to_string(c.itemHeight));
        ListFixture f(300, c.height);
        f.list.SetItemHeight(c.itemHeight);
        f.Fill(500);
        f.list.Message(kWheelMessage, WheelParam(-120));  // towards the user: down the list
        EXPECT_EQ(f.list.FirstIndex(), c.step);
        EXPECT_EQ(f.bar.Value(), c.step);
        f.list.Message(kWheelMessage, WheelParam(120));
        EXPECT_EQ(f.list.FirstIndex(), 0);
        EXPECT_EQ(f.log.events, (std::vector<std::string>{"Scroll", "Scroll"}));
    }
}

TEST(LeiBiaoGeometryTest, TheWheelStopsAtBothEndsAndNeedsTheBar) {
    ListFixture f;
    f.Fill(25);  // Max 3
    for (int i = 0; i < 3; ++i) f.list.Message(kWheelMessage, WheelParam(-120));
    EXPECT_EQ(f.list.FirstIndex(), 3);
    EXPECT_EQ(f.log.events.size(), 1u) << "no Scroll once the end is reached";
    f.list.Message(kWheelMessage + 1, WheelParam(120));
    EXPECT_EQ(f.list.FirstIndex(), 3) << "other watched messages are ignored";

    ListFixture fits;
    fits.Fill(5);
    fits.list.Message(kWheelMessage, WheelParam(-120));
    EXPECT_EQ(fits.list.FirstIndex(), 0);
    EXPECT_TRUE(fits.log.events.empty());
}

TEST(LeiBiaoGeometryTest, RowNumbersAndStripesFollowTheTopRow) {
    ListFixture f;
    f.Fill(100);
    f.bar.SetValue(10);
    EXPECT_EQ(f.list.FirstIndex(), 10);
    const auto texts = f.surface.Of("text");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].text, "11");
    EXPECT_EQ(texts[0].y, 1 + 3);  // centred: (18 - 12) / 2
    EXPECT_EQ(texts[1].text, "item10");
    const DrawOp* top = f.surface.RowFill(1);
    const DrawOp* second = f.surface.RowFill(19);
    ASSERT_TRUE(top && second);
    EXPECT_EQ(top->brush, ListBrush::Row1) << "stripes follow the position on screen, not the item";
    EXPECT_EQ(second->brush, ListBrush::Row2);
    EXPECT_FALSE(f.surface.outsideBegin);
}

TEST(LeiBiaoGeometryTest, ScrollingDrawsOnlyTheRowsOnScreen) {
    ListFixture f;
    f.Fill(10000);
    f.list.Message(kWheelMessage, WheelParam(-120));
    const auto fills = f.surface.Of("fill");
    // LastIndex is one beyond the last whole row: 22 rows fit, 24 are visited.
    EXPECT_EQ(fills.size(), 24u);
}

}  // namespace
}  // namespace velmora::kelpo::testing
