#include "thumb/ThumbImg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora::thumb {
namespace {

TEST(ThumbLayoutTest, PartsInPixelsAt96Dpi) {
    const struct {
        ThumbPart part;
        PixelRect rect;
    } cases[] = {
        {ThumbPart::Surface, {0, 0, 170, 147}},
        // Two pixels past the left and top edges, one past the right.
        {ThumbPart::Image1, {-2, -2, 171, 129}},
        {ThumbPart::Label1, {8, 132, 163, 149}},
    };
    for (const auto& c : cases) {
        const PixelRect r = PartPixels(c.part, 96, 96);
        EXPECT_EQ(r.left, c.rect.left);
        EXPECT_EQ(r.top, c.rect.top);
        EXPECT_EQ(r.right, c.rect.right);
        EXPECT_EQ(r.bottom, c.rect.bottom);
    }
    const PixelRect large = PartPixels(ThumbPart::Surface, 120, 120);
    EXPECT_EQ(large.right, 213);  // 2550 twips at 120 pixels an inch
    EXPECT_EQ(large.bottom, 184);
}

TEST(ThumbLayoutTest, PartUnderAPoint) {
    const struct {
        int x, y;
        ThumbPart part;
    } cases[] = {
        {0, 0, ThumbPart::Image1},    {169, 128, ThumbPart::Image1}, {85, 129, ThumbPart::Surface},
        {85, 131, ThumbPart::Surface}, {85, 132, ThumbPart::Label1}, {8, 140, ThumbPart::Label1},
        {7, 140, ThumbPart::Surface},  {162, 148, ThumbPart::Label1}, {163, 140, ThumbPart::Surface},
        {85, 149, ThumbPart::Surface},
    };
    for (const auto& c : cases) EXPECT_EQ(PartAt(c.x, c.y, 96, 96), c.part) << c.x << "," << c.y;
}

TEST(ThumbPropertiesTest, DefaultsAndStoredNamesInLoadOrder) {
    std::vector<std::string> names;
    for (ThumbProperty p : kThumbProperties) names.push_back(PersistedName(p));
    EXPECT_EQ(names, (std::vector<std::string>{"BackColor", "CaptionBkColor", "CaptionFrColor", "Picture",
                                               "ImgCaption", "EnterFocusColor", "ExitFocusColor"}));
    const ThumbValues& d = kThumbDefaults;
    EXPECT_EQ(d.backColor, 0x8000000Fu);
    EXPECT_EQ(d.captionBkColor, 0xFFFFC0u);
    EXPECT_EQ(d.captionFrColor, 0u);
    EXPECT_FALSE(d.hasPicture);
    EXPECT_EQ(d.imgCaption, "");
    EXPECT_EQ(d.enterFocusColor, 0xFF0000u);
    EXPECT_EQ(d.exitFocusColor, 0x8000000Fu);
    for (ThumbProperty p : kThumbProperties) EXPECT_TRUE(IsDefault(d, p)) << PersistedName(p);
}

TEST(ThumbPropertiesTest, OnlyValuesOtherThanTheirDefaultAreStored) {
    const struct {
        const char* name;
        void (*change)(ThumbValues&);
        ThumbProperty stored;
    } cases[] = {
        {"BackColor", [](ThumbValues& v) { v.backColor = 0xC0C0C0; }, ThumbProperty::BackColor},
        {"CaptionBkColor", [](ThumbValues& v) { v.captionBkColor = 1; }, ThumbProperty::CaptionBkColor},
        {"CaptionFrColor", [](ThumbValues& v) { v.captionFrColor = 0xFFFF00; }, ThumbProperty::CaptionFrColor},
        {"Picture", [](ThumbValues& v) { v.hasPicture = true; }, ThumbProperty::Picture},
        {"ImgCaption", [](ThumbValues& v) { v.imgCaption = "a.jpg"; }, ThumbProperty::ImgCaption},
        {"EnterFocusColor", [](ThumbValues& v) { v.enterFocusColor = 0x80000012; }, ThumbProperty::EnterFocusColor},
        {"ExitFocusColor", [](ThumbValues& v) { v.exitFocusColor = 0; }, ThumbProperty::ExitFocusColor},
    };
    for (const auto& c : cases) {
        ThumbValues v;
        c.change(v);
        for (ThumbProperty p : kThumbProperties) EXPECT_EQ(IsDefault(v, p), p != c.stored) << c.name << " " << PersistedName(p);
    }
}

TEST(ThumbPropertiesTest, EachColourPropertySetsItsOwnValueOnly) {
    for (ThumbProperty p : kThumbProperties) {
        const ColourProperty* colour = ColourOf(p);
        const bool isColour = p != ThumbProperty::Picture && p != ThumbProperty::ImgCaption;
        ASSERT_EQ(colour != nullptr, isColour) << PersistedName(p);
        if (!colour) continue;
        ThumbImg tile;
        EXPECT_TRUE((tile.*colour->set)(0x010203)) << PersistedName(p);
        EXPECT_EQ(tile.values().*colour->field, 0x010203u) << PersistedName(p);
        for (ThumbProperty other : kThumbProperties) {
            EXPECT_EQ(IsDefault(tile.values(), other), other != p) << PersistedName(p) << " " << PersistedName(other);
        }
    }
}

TEST(ThumbPropertiesTest, ANewTileShowsItsBuiltInLookWhichIsStored) {
    const ThumbValues look = NewTileLook();
    EXPECT_EQ(look.backColor, 0xC0C0C0u);
    EXPECT_EQ(look.imgCaption, "图象标题");
    EXPECT_EQ(look.captionFrColor, 0xFFFF00u);
    EXPECT_EQ(look.captionBkColor, 0xFFFFC0u);
    EXPECT_EQ(look.enterFocusColor, kThumbDefaults.enterFocusColor);
    EXPECT_FALSE(IsDefault(look, ThumbProperty::BackColor));
    EXPECT_FALSE(IsDefault(look, ThumbProperty::ImgCaption));
    EXPECT_TRUE(IsDefault(look, ThumbProperty::ExitFocusColor));
}

TEST(ThumbFocusTest, FocusColoursShowOnTheSurfaceWithoutChangingBackColor) {
    ThumbImg tile;
    EXPECT_EQ(tile.SurfaceColour(), kButtonFace);
    tile.GotFocus();
    EXPECT_EQ(tile.SurfaceColour(), 0xFF0000u);
    EXPECT_EQ(tile.values().backColor, kButtonFace);
    EXPECT_TRUE(tile.SetExitFocusColor(0x00FF00));
    tile.LostFocus();
    EXPECT_EQ(tile.SurfaceColour(), 0x00FF00u);
    // The next assignment of BackColor shows again, and so does a load.
    EXPECT_TRUE(tile.SetBackColor(0x123456));
    EXPECT_EQ(tile.SurfaceColour(), 0x123456u);
    tile.GotFocus();
    tile.Load(NewTileLook());
    EXPECT_EQ(tile.SurfaceColour(), 0xC0C0C0u);
}

TEST(ThumbFocusTest, SettersDoNothingForAnUnchangedValue) {
    ThumbImg tile;
    EXPECT_FALSE(tile.SetBackColor(kButtonFace));
    EXPECT_FALSE(tile.SetImgCaption(""));
    EXPECT_TRUE(tile.SetImgCaption("x"));
    EXPECT_FALSE(tile.SetImgCaption("x"));
    EXPECT_FALSE(tile.SetHasPicture(false));
    EXPECT_FALSE(tile.SetCaptionBkColor(0xFFFFC0));
}

std::string Describe(const std::vector<ThumbEventArgs>& events) {
    static const char* const kNames[] = {"", "Click", "DblClick", "MouseDown", "MouseMove", "MouseUp"};
    static const char* const kParts[] = {"surface", "Image1", "Label1"};
    std::string out;
    for (const ThumbEventArgs& e : events) {
        if (!out.empty()) out += "; ";
        out += std::string(kNames[static_cast<int>(e.event)]) + " " + kParts[static_cast<int>(e.part)];
        if (e.event != ThumbEvent::Click && e.event != ThumbEvent::DblClick) {
            out += " " + std::to_string(e.button) + " " + std::to_string(e.shift) + " " +
                   std::to_string(static_cast<int>(e.x)) + "," + std::to_string(static_cast<int>(e.y));
        }
    }
    return out;
}

TEST(ThumbMouseTest, EventsComeFromThePartWithItsOwnCoordinatesInTwips) {
    using A = MouseAction;
    const struct {
        const char* name;
        std::vector<MouseInput> inputs;
        std::string events;
    } cases[] = {
        {"move over the caption: caption-relative",
         {{A::Move, 0, 0, 0, 18, 140}},
         "MouseMove Label1 0 0 150,120"},
        {"move over the picture: from its corner outside the tile",
         {{A::Move, 0, 1, 2, 0, 0}},
         "MouseMove Image1 1 2 30,30"},
        {"move over the bare surface", {{A::Move, 0, 0, 0, 2, 140}}, "MouseMove surface 0 0 30,2100"},
        {"left click on the picture",
         {{A::Down, 1, 1, 0, 10, 10}, {A::Up, 1, 0, 0, 10, 10}},
         "MouseDown Image1 1 0 180,180; MouseUp Image1 1 0 180,180; Click Image1"},
        {"right click on the caption with control held",
         {{A::Down, 2, 2, 2, 20, 135}, {A::Up, 2, 0, 2, 20, 135}},
         "MouseDown Label1 2 2 180,45; MouseUp Label1 2 2 180,45; Click Label1"},
        {"middle button: no click",
         {{A::Down, 4, 4, 0, 2, 140}, {A::Up, 4, 0, 0, 2, 140}},
         "MouseDown surface 4 0 30,2100; MouseUp surface 4 0 30,2100"},
        {"double click",
         {{A::Down, 1, 1, 0, 10, 10}, {A::Up, 1, 0, 0, 10, 10}, {A::DoubleClick, 1, 1, 0, 10, 10},
          {A::Up, 1, 0, 0, 10, 10}},
         "MouseDown Image1 1 0 180,180; MouseUp Image1 1 0 180,180; Click Image1; DblClick Image1; "
         "MouseUp Image1 1 0 180,180"},
        {"pressed on the picture, dragged onto the caption and released: the picture's, no click",
         {{A::Down, 1, 1, 0, 10, 10}, {A::Move, 0, 1, 0, 20, 140}, {A::Up, 1, 0, 0, 20, 140}},
         "MouseDown Image1 1 0 180,180; MouseMove Image1 1 0 330,2130; MouseUp Image1 1 0 330,2130"},
        {"released without a press here: no click",
         {{A::Up, 1, 0, 0, 10, 10}},
         "MouseUp Image1 1 0 180,180"},
    };
    for (const auto& c : cases) {
        ThumbImg tile;
        std::vector<ThumbEventArgs> all;
        for (const MouseInput& in : c.inputs) {
            const auto got = tile.OnMouse(in, 96, 96);
            all.insert(all.end(), got.begin(), got.end());
        }
        EXPECT_EQ(Describe(all), c.events) << c.name;
        EXPECT_FALSE(tile.Captured()) << c.name;
    }
}

TEST(ThumbMouseTest, ThePartKeepsTheMouseWhileAButtonIsHeld) {
    ThumbImg tile;
    tile.OnMouse({MouseAction::Down, 1, 1, 0, 20, 140}, 96, 96);
    EXPECT_TRUE(tile.Captured());
    tile.OnMouse({MouseAction::Down, 2, 3, 0, 20, 10}, 96, 96);
    const auto up = tile.OnMouse({MouseAction::Up, 1, 2, 0, 20, 10}, 96, 96);
    ASSERT_FALSE(up.empty());
    EXPECT_EQ(up[0].part, ThumbPart::Label1);
    EXPECT_TRUE(tile.Captured());
    tile.OnMouse({MouseAction::Up, 2, 0, 0, 20, 10}, 96, 96);
    EXPECT_FALSE(tile.Captured());
}

}  // namespace
}  // namespace velmora::thumb
