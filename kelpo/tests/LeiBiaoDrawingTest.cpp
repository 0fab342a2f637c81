// What a row and the whole control look like: columns, colours, ellipsis, the area below the
// last row, the border and the empty and designer looks.
#include <gtest/gtest.h>

#include "kelpo/tests/ListFixture.h"

namespace velmora::kelpo::testing {
namespace {

TEST(LeiBiaoDrawingTest, TheFirstItemIsDrawnAtTheTopWithNumberOne) {
    ListFixture f;
    f.list.AddItem("壁纸", std::string("说明"), std::nullopt);
    const auto texts = f.surface.Of("text");
    ASSERT_EQ(texts.size(), 3u);
    // Widths: number "000" + 4 = 22, author 11 x 6 + 4 = 70, time 8 x 6 + 4 = 52.
    EXPECT_EQ(texts[0].text, "1");
    EXPECT_EQ(texts[0].x, 1);
    EXPECT_EQ(texts[0].w, 22);
    EXPECT_EQ(texts[0].align, TextAlign::Centre);
    EXPECT_EQ(texts[1].text, "壁纸");
    EXPECT_EQ(texts[1].x, 1 + 22 + 2);
    EXPECT_EQ(texts[1].w, 298 - 22 - 70 - 52 + 100);
    EXPECT_EQ(texts[1].align, TextAlign::Left);
    EXPECT_EQ(texts[2].text, "说明");
    EXPECT_EQ(texts[2].x, 298 - 52 - 70 + 50);
    EXPECT_EQ(texts[2].w, 70);
    for (const DrawOp& t : texts) EXPECT_EQ(t.colour, ListDefaults::kItemNorTextColor);
    const DrawOp* row = f.surface.RowFill(1);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->x, 1);
    EXPECT_EQ(row->w, 298);
    EXPECT_EQ(row->h, 18);
    EXPECT_EQ(row->brush, ListBrush::Row1);
    // Below the only row: the background down to the bottom border, and the border's bottom edge.
    const auto fills = f.surface.Of("fill");
    EXPECT_EQ(fills.back().brush, ListBrush::Background);
    EXPECT_EQ(fills.back().y, 19);
    EXPECT_EQ(fills.back().h, 402 - 1 - 19);
    EXPECT_EQ(f.surface.Of("line").back().y, 401);
}

TEST(LeiBiaoDrawingTest, TextColoursOfSelectedPlayingAndOtherRows) {
    ListFixture f;
    f.Fill(3);
    f.list.SetListIndex(0);
    f.list.SetPlayIndex(1);
    f.surface.ops.clear();
    f.list.Paint();
    std::map<std::string, std::uint32_t> colours;
    for (const DrawOp& t : f.surface.Of("text")) colours[t.text] = t.colour;
    EXPECT_EQ(colours["item0"], ListDefaults::kItemSelTextColor);
    EXPECT_EQ(colours["item1"], ListDefaults::kItemPlyTextColor);
    EXPECT_EQ(colours["item2"], ListDefaults::kItemNorTextColor);
    EXPECT_EQ(colours.count("2"), 0u) << "the playing row shows the icon instead of its number";
    EXPECT_EQ(f.surface.RowFill(1)->brush, ListBrush::Selection);
    EXPECT_EQ(f.surface.RowFill(19)->brush, ListBrush::Row2);
}

TEST(LeiBiaoDrawingTest, ASelectionChangeRedrawsOnlyTheTwoRows) {
    ListFixture f;
    f.Fill(10000);
    f.list.SetListIndex(3);
    f.surface.ops.clear();
    f.list.SetListIndex(4);
    const auto fills = f.surface.Of("fill");
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].y, f.RowTop(4));
    EXPECT_EQ(fills[0].brush, ListBrush::Selection);
    EXPECT_EQ(fills[1].y, f.RowTop(3));
    EXPECT_EQ(fills[1].brush, ListBrush::Row2);
}

TEST(LeiBiaoDrawingTest, TooWideTextsEndInDotsDrawnLeftAligned) {
    ListFixture f;
    // The author box is 70 wide: 12 characters (72) do not fit; 8 do beside the dots.
    f.list.AddItem("t", std::string("abcdefghijkl"), std::nullopt);
    const auto texts = f.surface.Of("text");
    ASSERT_EQ(texts.size(), 4u);
    const int left = 298 - 52 - 70 + 50;
    EXPECT_EQ(texts[2].text, "abcdefgh");
    EXPECT_EQ(texts[2].x, left);
    EXPECT_EQ(texts[2].w, 48);
    EXPECT_EQ(texts[2].align, TextAlign::Left);
    EXPECT_EQ(texts[3].text, "...");
    EXPECT_EQ(texts[3].x, left + 48);
    EXPECT_EQ(texts[3].w, 70 - 48);
    EXPECT_EQ(texts[3].align, TextAlign::Left);
}

TEST(LeiBiaoDrawingTest, EmptyAndDesignerLooks) {
    ListFixture bordered;
    bordered.list.Paint();
    ASSERT_EQ(bordered.surface.ops.size(), 2u);
    EXPECT_EQ(bordered.surface.ops[0].kind, "fill");
    EXPECT_EQ(bordered.surface.ops[0].brush, ListBrush::Background);
    EXPECT_EQ(bordered.surface.ops[0].w, 298);
    EXPECT_EQ(bordered.surface.ops[0].h, 400);
    EXPECT_EQ(bordered.surface.ops[1].kind, "box");
    EXPECT_EQ(bordered.surface.ops[1].w, 299);  // right edge
    EXPECT_EQ(bordered.surface.ops[1].h, 401);  // bottom edge
    EXPECT_EQ(bordered.surface.ops[1].colour, ListDefaults::kBorderColor);

    ListFixture plain;
    plain.list.SetBorder(false);
    plain.surface.ops.clear();
    plain.list.Paint();
    ASSERT_EQ(plain.surface.ops.size(), 1u);
    EXPECT_EQ(plain.surface.ops[0].kind, "clear");

    ListFixture design;
    design.list.SetDesignMode(true);
    design.list.SetDisplayName("LeiBiao1");
    design.Fill(3);
    design.list.Paint();
    ASSERT_EQ(design.surface.ops.size(), 3u);
    EXPECT_EQ(design.surface.ops[0].kind, "clear");
    EXPECT_EQ(design.surface.ops[1].text, "LeiBiao1");
    EXPECT_EQ(design.surface.ops[1].x, 3);
    EXPECT_EQ(design.surface.ops[1].colour, ListDefaults::kItemNorTextColor);
    EXPECT_EQ(design.surface.ops[2].kind, "box");
}

TEST(LeiBiaoDrawingTest, ShrinkingRepaintsGrowingWaitsForThePaintNotification) {
    ListFixture f;
    f.Fill(5);
    f.surface.height = 300;
    f.list.Resize();
    EXPECT_FALSE(f.surface.Of("box").empty());
    EXPECT_EQ(f.log.events.back(), "Resize");
    f.surface.ops.clear();
    f.surface.height = 500;
    f.list.Resize();
    EXPECT_TRUE(f.surface.ops.empty());
    EXPECT_EQ(f.bar.bar.height(), 498);
}

TEST(LeiBiaoDrawingTest, NothingIsDrawnWithoutAWindow) {
    EventLog log;
    BarDouble bar;
    LeiBiao list(bar, log);
    bar.list = &list;
    list.Loaded();
    for (int i = 0; i < 50; ++i) list.AddItem("x", std::nullopt, std::nullopt);
    list.SetListIndex(3);
    list.Paint();
    EXPECT_EQ(list.ListCount(), 50);
    EXPECT_EQ(list.ListIndex(), 3);
    EXPECT_EQ(list.RemoveItem(0), 49);
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
}

}  // namespace
}  // namespace velmora::kelpo::testing
