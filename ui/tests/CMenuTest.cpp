#include "ui/CMenu.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/testing/RecordingMenuView.h"

namespace velmora {
namespace {

using testing::RecordingMenuView;

// An item of a menu under test: text (none for a separator), key, visible, enabled.
struct Row {
    Row(std::optional<std::string> t, std::string k = "", bool v = true, bool e = true)
        : text(std::move(t)), key(std::move(k)), visible(v), enabled(e) {}
    Row(const char* t) : Row(std::string(t)) {}
    std::optional<std::string> text;
    std::string key;
    bool visible;
    bool enabled;
};

const std::vector<Row> kTrayMenu = {
    {"Velmora", "New"}, {"功能设置"}, {std::nullopt}, {"意见反馈(&U)"}, {std::nullopt}, {"关于Velmora"},
    {"退出Velmora(&E)"},
};

class MenuFixture : public ::testing::Test {
protected:
    void SetUp() override {
        view.menu = menu.get();
        menu->MenuClick = [this](int i) {
            clicks.push_back(i);
            hiddenAtClick.push_back(!view.visible);
        };
    }
    void Fill(const std::vector<Row>& rows) {
        for (const Row& r : rows) {
            ASSERT_TRUE(menu->Add(r.text, r.key));
            const int i = menu->Count() - 1;
            menu->SetVisible(i, r.visible);
            menu->SetEnabled(i, r.enabled);
        }
    }
    void CreateAndShow() {
        ASSERT_NE(menu->Create(0x99), 0u);
        menu->Show(10, 10);
    }

    RecordingMenuView view;
    std::unique_ptr<CMenu> menu = std::make_unique<CMenu>(view);
    std::vector<int> clicks;
    std::vector<bool> hiddenAtClick;
};

TEST(MenuAcceleratorTest, TheCharacterAfterTheLastAmpersandUpperCased) {
    const struct {
        const char* text;
        std::int32_t key;
    } cases[] = {
        {"意见反馈(&U)", 'U'}, {"退出Velmora(&e)", 'E'}, {"plain", 0},      {"ends with &", 0},
        {"&first &second", 'S'}, {"&x&", 'X'},            {"a&&b", 'B'},     {"&1", '1'},
        {"中&文", 0},            {"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(MenuAccelerator(c.text), c.key) << c.text;
}

TEST_F(MenuFixture, LayoutWidthIsTheWidestTextPlus61AndHeightTheSumOfTheRows) {
    const struct {
        const char* name;
        std::vector<Row> rows;
        MenuSize screen;
        int width, height;
    } cases[] = {
        {"empty menu", {}, {1280, 1024}, 29, 28},
        {"one item", {{"Velmora"}}, {1280, 1024}, 42 + 61, 24 + 4},
        {"a lone separator", {{std::nullopt}}, {1280, 1024}, 61, 28},
        {"the tray menu", kTrayMenu, {1280, 1024}, 24 + 42 + 24 + 61, 5 * 24 + 2 * 3 + 4},
        {"hidden items take no room",
         {{"short"}, {"a much longer hidden text", "", false}},
         {1280, 1024},
         30 + 61,
         24 + 4},
        {"all hidden", {{"hidden", "", false}}, {1280, 1024}, 29, 28},
        {"the screen is the limit",
         {{std::string(300, 'w')}, {"b"}, {"c"}, {"d"}, {"e"}},
         {640, 100},
         640,
         100},
    };
    for (const auto& c : cases) {
        RecordingMenuView v;
        v.screen = c.screen;
        CMenu m(v);
        for (const Row& r : c.rows) {
            m.Add(r.text, r.key);
            m.SetVisible(m.Count() - 1, r.visible);
        }
        EXPECT_EQ(m.Width(), c.width) << c.name;
        EXPECT_EQ(m.Height(), c.height) << c.name;
    }
}

TEST_F(MenuFixture, ItemsFollowEachOtherFromTop2AndSpanTheMenuLessTwoEachSide) {
    Fill(kTrayMenu);
    const int tops[] = {2, 26, 50, 53, 77, 80, 104};
    for (int i = 0; i < menu->Count(); ++i) {
        const MenuRect r = menu->Item(i).rect;
        EXPECT_EQ(r.top, tops[i]) << i;
        EXPECT_EQ(r.bottom - r.top, menu->Item(i).separator() ? 3 : 24) << i;
        EXPECT_EQ(r.left, 2);
        EXPECT_EQ(r.right, menu->Width() - 2);
    }
}

TEST_F(MenuFixture, TheWindowIsResizedToTheLayoutOnlyOnceItExists) {
    Fill(kTrayMenu);
    EXPECT_FALSE(view.created);
    ASSERT_EQ(menu->Create(0x99), 0x1234u);
    EXPECT_EQ(view.owner, 0x99u);
    EXPECT_EQ(view.windowSize.width, menu->Width());
    EXPECT_EQ(view.windowSize.height, menu->Height());
    // A second Create hands back the same window.
    view.created = false;
    EXPECT_EQ(menu->Create(0x77), 0x1234u);
    EXPECT_FALSE(view.created);
}

TEST_F(MenuFixture, AddRefusesAUsedKeyAndAnIndexOutOfRange) {
    Fill({{"one", "k1"}, {"two", "k2"}});
    const struct {
        const char* name;
        std::optional<std::string> text;
        std::string key;
        std::optional<int> index;
        bool added;
        std::vector<std::string> texts;
    } cases[] = {
        {"used key", "again", "k1", std::nullopt, false, {"one", "two"}},
        {"index past the end", "x", "", 3, false, {"one", "two"}},
        {"negative index", "x", "", -1, false, {"one", "two"}},
        {"index = count appends", "three", "", 2, true, {"one", "two", "three"}},
        {"index 0 goes first", "zero", "", 0, true, {"zero", "one", "two"}},
        {"in the middle", "mid", "k3", 1, true, {"one", "mid", "two"}},
        {"empty key is no key", "x", "", std::nullopt, true, {"one", "two", "x"}},
    };
    for (const auto& c : cases) {
        RecordingMenuView v;
        CMenu m(v);
        m.Add("one", "k1");
        m.Add("two", "k2");
        EXPECT_EQ(m.Add(c.text, c.key, c.index), c.added) << c.name;
        std::vector<std::string> texts;
        for (int i = 0; i < m.Count(); ++i) texts.push_back(m.Text(i));
        EXPECT_EQ(texts, c.texts) << c.name;
    }
}

TEST_F(MenuFixture, NewItemsAreEnabledVisibleUncheckedAndNoTextMakesASeparator) {
    ASSERT_TRUE(menu->Add("text", "t", std::nullopt, 0));
    ASSERT_TRUE(menu->Add());
    ASSERT_TRUE(menu->Add("typed", "", std::nullopt, 5));
    EXPECT_TRUE(menu->Enabled("t"));
    EXPECT_TRUE(menu->Visible("t"));
    EXPECT_FALSE(menu->Checked("t"));
    EXPECT_EQ(menu->MenuType("t"), 0);
    EXPECT_NE(menu->MenuType(1), 0);
    EXPECT_EQ(menu->Text(1), "");
    EXPECT_EQ(menu->MenuType(2), 5);
    EXPECT_TRUE(menu->Item(2).separator());
}

TEST_F(MenuFixture, RemoveTakesAKeyOrAPositionAndGivesThePosition) {
    Fill({{"a", "ka"}, {"b", "kb"}, {"c", "kc"}});
    EXPECT_EQ(menu->Remove("kb"), 1);
    EXPECT_EQ(menu->Text(1), "c");
    EXPECT_EQ(menu->Remove("kb"), -1);
    EXPECT_EQ(menu->Remove(""), -1);
    EXPECT_EQ(menu->Remove(5), -1);
    EXPECT_EQ(menu->Remove(0), 0);
    EXPECT_EQ(menu->Text(0), "c");
    EXPECT_EQ(menu->Remove("kc"), 0);
    EXPECT_EQ(menu->Count(), 0);
    EXPECT_EQ(menu->Width(), 29);
    EXPECT_EQ(menu->Height(), 28);
}

TEST_F(MenuFixture, PropertiesOutOfRangeReadEmptyAndWriteNothing) {
    Fill({{"a", "ka"}});
    menu->SetText(3, "x");
    menu->SetText("nokey", "x");
    menu->SetEnabled(-1, false);
    EXPECT_EQ(menu->Text(0), "a");
    EXPECT_TRUE(menu->Enabled(0));
    EXPECT_EQ(menu->Text(3), "");
    EXPECT_EQ(menu->Key(-1), "");
    EXPECT_FALSE(menu->Visible(9));
    EXPECT_EQ(menu->Image("nokey"), 0);
    // A key another item has is refused.
    menu->Add("b", "kb");
    menu->SetKey("kb", "ka");
    EXPECT_EQ(menu->Key(1), "kb");
    menu->SetKey(1, "new");
    EXPECT_EQ(menu->Text("new"), "b");
}

TEST_F(MenuFixture, WritingTextRecomputesTheAccelerator) {
    Fill({{"plain"}});
    CreateAndShow();
    EXPECT_FALSE(menu->OnKeyDown('Q'));
    menu->SetText(0, "&Quit");
    EXPECT_TRUE(menu->OnKeyDown('Q'));
    EXPECT_EQ(clicks, std::vector<int>{0});
}

TEST_F(MenuFixture, ShowFollowsTheCursorAndStaysOnTheScreen) {
    Fill({{std::string(9, 'x')}, {"y"}});  // 115 x 52
    ASSERT_EQ(menu->Width(), 115);
    ASSERT_EQ(menu->Height(), 52);
    ASSERT_NE(menu->Create(0x99), 0u);
    const struct {
        const char* name;
        MenuPoint cursor;
        std::optional<int> x, y;
        int atX, atY;
    } cases[] = {
        {"at the cursor", {100, 100}, std::nullopt, std::nullopt, 100, 100},
        {"10 pixels from the right edge: left of the cursor", {1270, 100}, std::nullopt, std::nullopt, 1155, 100},
        {"near the bottom-right corner: left of and above", {1270, 1014}, std::nullopt, std::nullopt, 1155, 962},
        {"just fits", {1165, 972}, std::nullopt, std::nullopt, 1165, 972},
        {"given inside", {0, 0}, 300, 400, 300, 400},
        {"given past the edges: the limits", {0, 0}, 1275, 1020, 1165, 972},
        {"given negative: 0", {0, 0}, -40, -1, 0, 0},
        {"x given, y from the cursor", {500, 1000}, 20, std::nullopt, 20, 948},
    };
    for (const auto& c : cases) {
        view.cursor = c.cursor;
        view.shownAt.clear();
        menu->Show(c.x, c.y);
        ASSERT_EQ(view.shownAt.size(), 1u) << c.name;
        EXPECT_EQ(view.shownAt[0].x, c.atX) << c.name;
        EXPECT_EQ(view.shownAt[0].y, c.atY) << c.name;
    }
}

TEST_F(MenuFixture, ShowNeedsAWindowAndAVisibleItem) {
    Fill({{"a", "", false}});
    EXPECT_EQ(menu->Show(), 0);  // no window yet
    ASSERT_NE(menu->Create(0x99), 0u);
    EXPECT_EQ(menu->Show(), 0);  // nothing visible
    EXPECT_TRUE(view.shownAt.empty());
    menu->SetVisible(0, true);
    menu->Show();
    EXPECT_EQ(view.shownAt.size(), 1u);
    EXPECT_NE(menu->Show(), 0);  // already visible before
}

TEST_F(MenuFixture, HitTestLeavesTheFrameOutAndTakesTheFirstRowThatHolds) {
    Fill({{"first"}, {std::nullopt}, {"hidden", "", false}, {"off", "", true, false}});
    // Rows: 0 at 2..26, separator 1 at 26..29, disabled 3 at 29..53; the menu is 91 x 55.
    ASSERT_EQ(menu->Width(), 91);
    ASSERT_EQ(menu->Height(), 55);
    const struct {
        int x, y, item;
    } cases[] = {
        {0, 10, -1},  {1, 10, -1},  {2, 10, 0},   {89, 10, 0},  {90, 10, -1}, {10, 0, -1},  {10, 1, -1},
        {10, 2, 0},   {10, 26, 0},  {10, 27, 1},  {10, 28, 1},  {10, 29, 1},  {10, 30, 3},  {10, 53, 3},
        {10, 54, -1}, {10, 55, -1}, {-5, -5, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(menu->HitTest(c.x, c.y), c.item) << c.x << "," << c.y;
}

TEST_F(MenuFixture, ReleasingTheButtonChoosesAnEnabledItemOrASeparatorAfterHiding) {
    Fill({{"first"}, {std::nullopt}, {"off", "", true, false}});
    CreateAndShow();
    menu->OnLeftButtonUp(10, 10);
    EXPECT_EQ(clicks, std::vector<int>{0});
    EXPECT_EQ(hiddenAtClick, std::vector<bool>{true});
    menu->Show(10, 10);
    menu->OnLeftButtonUp(10, 27);
    EXPECT_EQ(clicks, (std::vector<int>{0, 1}));
    // The frame and a disabled item choose nothing and the menu stays open.
    menu->Show(10, 10);
    menu->OnLeftButtonUp(0, 10);
    menu->OnLeftButtonUp(10, 40);
    EXPECT_EQ(clicks.size(), 2u);
    EXPECT_TRUE(view.visible);
}

TEST_F(MenuFixture, TheMouseHighlightsEvenADisabledItemAndTheHighlightGoesOnLeave) {
    Fill({{"first"}, {"off", "", true, false}});
    CreateAndShow();
    view.draws.clear();
    menu->OnMouseMove(10, 40);
    EXPECT_EQ(menu->HotItem(), 1);
    auto frames = view.Only("frame");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, menu->Item(1).rect);
    EXPECT_EQ(frames[0].colour, kMenuHotBorder);
    EXPECT_EQ(frames[0].fill, kMenuHotFill);
    EXPECT_EQ(view.Only("text")[0].colour, kMenuGreyText);
    EXPECT_EQ(view.Only("present").back().rect, menu->Item(1).rect);

    // Moving within the item repaints nothing; onto the other item repaints both.
    view.draws.clear();
    menu->OnMouseMove(12, 41);
    EXPECT_TRUE(view.draws.empty());
    menu->OnMouseMove(10, 10);
    EXPECT_EQ(view.Only("text").size(), 2u);
    EXPECT_EQ(view.Only("frame").size(), 1u);

    view.draws.clear();
    menu->OnMouseLeave();
    EXPECT_EQ(menu->HotItem(), -1);
    EXPECT_TRUE(view.Only("frame").empty());
    EXPECT_EQ(view.Only("text").size(), 1u);
}

TEST_F(MenuFixture, KeysChooseTheFirstVisibleEnabledItemWithThatAccelerator) {
    Fill({{"&Off", "", true, false}, {"&Hidden", "", false}, {"&Open"}, {"&Other"}, {"意见反馈(&U)"}});
    CreateAndShow();
    EXPECT_FALSE(menu->OnKeyDown('H'));
    EXPECT_FALSE(menu->OnKeyDown('X'));
    EXPECT_TRUE(view.visible);
    EXPECT_TRUE(clicks.empty());
    EXPECT_TRUE(menu->OnKeyDown('O'));
    menu->Show(10, 10);
    EXPECT_TRUE(menu->OnKeyDown('U'));
    EXPECT_EQ(clicks, (std::vector<int>{2, 4}));
    EXPECT_EQ(hiddenAtClick, (std::vector<bool>{true, true}));
}

TEST_F(MenuFixture, PaintingFillsTheBackgroundThenDrawsEachVisibleItem) {
    Fill({{"one"}, {std::nullopt}, {"gone", "", false}, {"off", "", true, false}});
    ASSERT_NE(menu->Create(0x99), 0u);
    const int w = menu->Width(), h = menu->Height();
    const auto frames = view.Only("frame");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].buffer, MenuBuffer::Background);
    EXPECT_EQ(frames[0].rect, (MenuRect{0, 0, w, h}));
    EXPECT_EQ(frames[0].colour, kMenuBorder);
    EXPECT_EQ(frames[0].fill, kMenuFill);

    const auto texts = view.Only("text");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "one");
    EXPECT_EQ(texts[0].colour, kMenuText);
    EXPECT_EQ(texts[0].rect, (MenuRect{2 + 27, 2, w - 2, 26}));
    EXPECT_EQ(texts[1].text, "off");
    EXPECT_EQ(texts[1].colour, kMenuGreyText);

    const auto lines = view.Only("line");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rect, (MenuRect{2, 27, w - 2, 28}));
    EXPECT_EQ(lines[0].colour, kMenuSeparator);
    EXPECT_EQ(view.draws.back().what, "present");
    EXPECT_EQ(view.draws.back().rect, (MenuRect{0, 0, w, h}));
}

TEST_F(MenuFixture, DrawEventsCanCancelTheDefaultPainting) {
    Fill({{"one"}, {"two"}});
    std::vector<int> drawn;
    menu->DrawBackground = [](std::uintptr_t dc, int x, int y, int, int, bool& cancel) {
        EXPECT_EQ(dc, 0xB0u);
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, 0);
        cancel = true;
    };
    menu->DrawItem = [&](int i, std::uintptr_t dc, int x, int y, int width, int height, bool& cancel) {
        EXPECT_EQ(dc, 0xD0u);
        EXPECT_EQ(x, 2);
        EXPECT_EQ(y, menu->Item(i).rect.top);
        EXPECT_EQ(width, menu->Width() - 4);
        EXPECT_EQ(height, 24);
        drawn.push_back(i);
        cancel = i == 1;
    };
    ASSERT_NE(menu->Create(0x99), 0u);
    EXPECT_EQ(drawn, (std::vector<int>{0, 1}));
    EXPECT_TRUE(view.Only("frame").empty());
    const auto texts = view.Only("text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "one");
}

TEST_F(MenuFixture, AHandlerMayReleaseTheMenu) {
    Fill({{"&Exit"}});
    CreateAndShow();
    menu->MenuClick = [this](int) { menu.reset(); };
    EXPECT_TRUE(menu->OnKeyDown('E'));
    EXPECT_EQ(menu, nullptr);
    EXPECT_TRUE(view.destroyed);
}

TEST_F(MenuFixture, HidingForgetsTheItemUnderTheMouse) {
    Fill({{"one"}});
    CreateAndShow();
    menu->OnMouseMove(10, 10);
    ASSERT_EQ(menu->HotItem(), 0);
    menu->Hide();
    EXPECT_EQ(menu->HotItem(), -1);
}

TEST(MenuWordsTest, SignedHalvesOfAMessageParameter) {
    EXPECT_EQ(CMenu::LoWord(0x0002FFFF), -1);
    EXPECT_EQ(CMenu::HiWord(0x0002FFFF), 2);
    EXPECT_EQ(CMenu::HiWord(static_cast<std::int32_t>(0xFFFE0010)), -2);
    EXPECT_EQ(CMenu::LoWord(0x00030010), 16);
}

}  // namespace
}  // namespace velmora
