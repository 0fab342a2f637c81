// Adding, removing and clearing rows, the item fields, and the selection and playing rules
// with their events.
#include <gtest/gtest.h>

#include "kelpo/tests/ListFixture.h"

namespace velmora::kelpo::testing {
namespace {

std::vector<std::string> Titles(const LeiBiao& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.Title(i));
    return out;
}

TEST(LeiBiaoItemsTest, AddItemAppendsOrInsertsAndRefusesOutsideIndexes) {
    struct Case {
        const char* what;
        std::optional<double> index;
        int result;
        std::vector<std::string> titles;
    } cases[] = {
        {"append", std::nullopt, 3, {"a", "b", "new"}},
        {"at the front", 0.0, 3, {"new", "a", "b"}},
        {"in the middle, fraction dropped", 1.9, 3, {"a", "new", "b"}},
        {"at ListCount appends", 2.0, 3, {"a", "b", "new"}},
        {"ListCount + 1", 3.0, -1, {"a", "b"}},
        {"negative", -1.0, -1, {"a", "b"}},
        {"far beyond", 1e12, -1, {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListFixture f;
        f.list.AddItem("a", std::nullopt, std::nullopt);
        f.list.AddItem("b", std::string("B"), std::nullopt);
        EXPECT_EQ(f.list.AddItem("new", std::string("说明"), c.index), c.result);
        EXPECT_EQ(Titles(f.list), c.titles);
    }
}

TEST(LeiBiaoItemsTest, AnAddedItemHasItsTextsAndEmptyStoredFields) {
    ListFixture f;
    f.list.AddItem("壁纸", std::nullopt, std::nullopt);
    f.list.AddItem("主题", std::string("12"), std::nullopt);
    EXPECT_EQ(f.list.Author(0), "");
    EXPECT_EQ(f.list.Author(1), "12");
    EXPECT_EQ(f.list.Url(1), "");
    EXPECT_EQ(f.list.StrTime(1), "");
    EXPECT_EQ(f.list.LongTime(1), 0);
    EXPECT_EQ(f.list.ListIndex(), -1);
    EXPECT_EQ(f.list.PlayIndex(), -1);
}

TEST(LeiBiaoItemsTest, ItemFieldsOutsideTheListReadEmptyAndWriteNothing) {
    ListFixture f;
    f.Fill(3);
    for (int index : {-1, -32769, 3, 32767, 32768, 65536, 1 << 30}) {
        SCOPED_TRACE(index);
        f.list.SetTitle(index, "x");
        f.list.SetAuthor(index, "x");
        f.list.SetUrl(index, "x");
        f.list.SetStrTime(index, "x");
        f.list.SetLongTime(index, 7);
        EXPECT_EQ(f.list.Title(index), "");
        EXPECT_EQ(f.list.Author(index), "");
        EXPECT_EQ(f.list.Url(index), "");
        EXPECT_EQ(f.list.StrTime(index), "");
        EXPECT_EQ(f.list.LongTime(index), 0);
    }
    EXPECT_EQ(Titles(f.list), (std::vector<std::string>{"item0", "item1", "item2"}));
    EXPECT_TRUE(f.surface.ops.empty());
}

TEST(LeiBiaoItemsTest, WritingAFieldRedrawsOnlyWhatIsShown) {
    ListFixture f;
    f.Fill(3);
    f.list.SetUrl(1, "http://x/1");
    f.list.SetStrTime(1, "00:01:00");
    EXPECT_TRUE(f.surface.ops.empty()) << "URL and StrTime are stored only";
    EXPECT_EQ(f.list.Url(1), "http://x/1");
    EXPECT_EQ(f.list.StrTime(1), "00:01:00");
    for (auto write : {+[](LeiBiao& l) { l.SetTitle(1, "t"); }, +[](LeiBiao& l) { l.SetAuthor(1, "a"); },
                       +[](LeiBiao& l) { l.SetLongTime(1, 5); }}) {
        f.surface.ops.clear();
        write(f.list);
        ASSERT_TRUE(f.surface.RowFill(f.RowTop(1)));
        EXPECT_EQ(f.surface.Of("fill").size(), 1u) << "only that row";
    }
}

TEST(LeiBiaoItemsTest, RemoveItemKeepsTheSelectionIndexAndDropsThePlayingRow) {
    ListFixture f;
    f.Fill(4);
    f.list.SetListIndex(1);
    f.list.SetPlayIndex(2);
    f.log.events.clear();
    EXPECT_EQ(f.list.RemoveItem(1), 3);
    EXPECT_EQ(f.list.ListIndex(), 1) << "the following row shows as selected";
    EXPECT_EQ(f.list.Title(1), "item2");
    EXPECT_EQ(f.list.PlayIndex(), 2) << "not moved by the removal before it";
    EXPECT_EQ(f.list.RemoveItem(2), 2);
    EXPECT_EQ(f.list.PlayIndex(), -1);
    EXPECT_TRUE(f.log.events.empty()) << "no events";
    EXPECT_EQ(f.list.RemoveItem(2), -1);
    EXPECT_EQ(f.list.RemoveItem(-1), -1);
    EXPECT_EQ(f.list.RemoveItem(1), 1);
    EXPECT_EQ(f.list.ListIndex(), 1) << "after the last row: none shows";
    ListFixture empty;
    EXPECT_EQ(empty.list.RemoveItem(0), -1);
}

TEST(LeiBiaoItemsTest, RemovingTheLastRowShowsTheEmptyList) {
    ListFixture f;
    f.Fill(1);
    EXPECT_EQ(f.list.RemoveItem(0), 0);
    ASSERT_FALSE(f.surface.Of("fill").empty());
    EXPECT_EQ(f.surface.Of("fill").back().brush, ListBrush::Background);
    EXPECT_FALSE(f.surface.Of("box").empty());
}

TEST(LeiBiaoItemsTest, ClearResetsSelectionWithoutEventsAndScrollsBackToTheTop) {
    ListFixture f;
    f.Fill(100);
    f.list.SetListIndex(5);
    f.list.SetPlayIndex(6);
    f.bar.SetValue(40);
    f.log.events.clear();
    f.surface.ops.clear();
    f.list.Clear();
    EXPECT_EQ(f.list.ListCount(), 0);
    EXPECT_EQ(f.list.ListIndex(), -1);
    EXPECT_EQ(f.list.PlayIndex(), -1);
    EXPECT_TRUE(f.log.events.empty());
    EXPECT_FALSE(f.bar.Visible());
    EXPECT_EQ(f.bar.Max(), 0);
    ASSERT_GE(f.surface.ops.size(), 2u);
    EXPECT_EQ(f.surface.ops[f.surface.ops.size() - 2].kind, "clear");
    EXPECT_EQ(f.surface.ops.back().kind, "box");
    // Rows added afterwards start at the top again.
    EXPECT_EQ(f.list.FirstIndex(), 0);
    f.surface.ops.clear();
    f.list.AddItem("again", std::nullopt, std::nullopt);
    ASSERT_TRUE(f.surface.RowFill(1));
    EXPECT_EQ(f.surface.Of("text")[0].text, "1");
    f.list.Clear();
    f.list.Clear();  // nothing to clear: nothing happens
}

TEST(LeiBiaoItemsTest, AssigningListIndexRaisesTheEventWithFlagOne) {
    ListFixture f;
    f.Fill(5);
    f.list.SetListIndex(2);
    f.list.SetListIndex(2);   // unchanged
    f.list.SetListIndex(5);   // beyond the last row
    f.list.SetListIndex(-1);  // no row: refused
    f.list.SetListIndex(3);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"ListIndexChanged -1 2 1", "ListIndexChanged 2 3 1"}));
    EXPECT_EQ(f.list.ListIndex(), 3);
    EXPECT_EQ(f.log.dirty, 2);
    ListFixture empty;
    empty.list.SetListIndex(0);
    EXPECT_TRUE(empty.log.events.empty());
}

TEST(LeiBiaoItemsTest, AHandlerThatChangesTheIndexesWins) {
    ListFixture f;
    f.Fill(10);
    f.list.SetListIndex(1);
    f.log.onListIndex = [](std::int16_t& oldIndex, std::int16_t& newIndex, std::int16_t&) {
        newIndex = 7;
        oldIndex = 4;
    };
    f.surface.ops.clear();
    f.list.SetListIndex(3);
    EXPECT_EQ(f.list.ListIndex(), 7);
    // Redrawn: the new selection, the old row as the handler left it and the row selected before.
    for (int row : {7, 4, 1}) EXPECT_TRUE(f.surface.RowFill(f.RowTop(row))) << row;
    EXPECT_FALSE(f.surface.RowFill(f.RowTop(3)));
    EXPECT_EQ(f.surface.RowFill(f.RowTop(7))->brush, ListBrush::Selection);
    EXPECT_NE(f.surface.RowFill(f.RowTop(1))->brush, ListBrush::Selection);
}

TEST(LeiBiaoItemsTest, MouseSelectionRules) {
    ListFixture f;
    f.Fill(30);
    f.list.MouseDown(1, 0, 10, 40);  // row 2
    f.list.MouseUp(1, 0, 10, 40);
    f.list.Clicked();
    EXPECT_EQ(f.list.ListIndex(), 2);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"ListIndexChanged -1 2 0", "MouseDown 1 0 10 40",
                                                      "MouseUp 1 0 10 40", "Click 1 0 10 40"}));
    f.log.events.clear();
    f.list.MouseDown(1, 2, 12, 41);  // the selected row again
    f.list.Clicked();
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"Click 1 2 12 41"}));
    f.log.events.clear();
    f.list.MouseDown(2, 0, 10, 60);  // the right button selects too
    f.list.MouseDown(4, 0, 10, 80);  // the middle one does not
    f.list.MouseDown(1, 0, 10, 0);   // above the first row (the border width is subtracted)
    EXPECT_EQ(f.list.ListIndex(), 3);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"ListIndexChanged 2 3 0", "MouseDown 2 0 10 60",
                                                      "MouseDown 4 0 10 80"}));
}

TEST(LeiBiaoItemsTest, PlayIndexHasItsOwnEventAndLook) {
    ListFixture f;
    f.Fill(5);
    f.log.onPlayIndex = [](std::int16_t&, std::int16_t& newIndex, std::int16_t&) { newIndex = 4; };
    f.list.SetPlayIndex(1);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"PlayIndexChanged -1 1 1"}));
    EXPECT_EQ(f.list.PlayIndex(), 4);
    const auto icons = f.surface.Of("icon");
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].x, 1 + 2);
    EXPECT_EQ(icons[0].y, f.RowTop(4) + 3);
}

TEST(LeiBiaoItemsTest, SelectingARowOffScreenScrollsToTheRowLosingTheSelection) {
    ListFixture f;
    f.Fill(100);
    f.list.SetListIndex(50);
    EXPECT_EQ(f.list.FirstIndex(), 0);
    f.list.SetListIndex(51);  // 50 is off screen: the bar moves to it first
    EXPECT_EQ(f.list.FirstIndex(), 50);
}

TEST(LeiBiaoItemsTest, ItemHeightBelowOneIsRefused) {
    ListFixture f;
    f.Fill(3);
    EXPECT_FALSE(f.list.SetItemHeight(0));
    EXPECT_FALSE(f.list.SetItemHeight(-5));
    EXPECT_EQ(f.list.ItemHeight(), 18);
    EXPECT_EQ(f.log.dirty, 0);
    EXPECT_TRUE(f.list.SetItemHeight(1));
    EXPECT_EQ(f.list.ItemHeight(), 1);
}

TEST(LeiBiaoItemsTest, SettersOfUnchangedValuesDoNothing) {
    ListFixture f;
    f.Fill(3);
    f.list.SetBackColor(ListDefaults::kBackColor);
    f.list.SetItemHeight(ListDefaults::kItemHeight);
    f.list.SetItemBkColor1(ListDefaults::kItemBkColor1);
    f.list.SetItemBkColor2(ListDefaults::kItemBkColor2);
    f.list.SetItemSelBkColor(ListDefaults::kItemSelBkColor);
    f.list.SetItemNorTextColor(ListDefaults::kItemNorTextColor);
    f.list.SetItemSelTextColor(ListDefaults::kItemSelTextColor);
    f.list.SetItemPlyTextColor(ListDefaults::kItemPlyTextColor);
    f.list.SetBorder(ListDefaults::kBorder);
    f.list.SetBorderColor(ListDefaults::kBorderColor);
    f.list.SetBorderWidth(ListDefaults::kBorderWidth);
    EXPECT_EQ(f.log.dirty, 0);
    EXPECT_TRUE(f.surface.ops.empty());
    f.list.SetItemSelBkColor(0x123456);
    f.list.FontChanged();  // the font is always applied
    EXPECT_EQ(f.log.dirty, 2);
}

}  // namespace
}  // namespace velmora::kelpo::testing
