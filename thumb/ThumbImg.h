#pragma once
// ThumbImg, the thumbnail tile of the control library Thumb: a fixed-size surface with a
// stretched picture (Image1) and a centred caption line (Label1) beneath it. This is the
// portable part: the seven properties with their defaults and stored names, the surface colour
// through focus changes, the layout of the two parts and the mouse events each part raises.
// The ActiveX control around it is ThumbImg_win.h.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::thumb {

// OLE colours: 0x00BBGGRR, or 0x80000000 + n for system colour n.
inline constexpr std::uint32_t kButtonFace = 0x8000000F;

// The tile in twips; a container cannot make it larger or smaller.
inline constexpr int kTileWidth = 2550;
inline constexpr int kTileHeight = 2205;
inline constexpr int kTwipsPerInch = 1440;

struct TwipsRect {
    int left, top, width, height;
};
// Image1 reaches past the left, top and right edges: the picture's outer pixels are cut off.
inline constexpr TwipsRect kImage1{-30, -30, 2595, 1965};
inline constexpr TwipsRect kLabel1{120, 1980, 2325, 255};

enum class ThumbPart { Surface, Image1, Label1 };

struct PixelRect {
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};
// A part's rectangle in the control's pixels at this resolution (pixels per inch).
PixelRect PartPixels(ThumbPart part, int dpiX, int dpiY);
// The part under a point of the control's pixels (the two parts do not overlap).
ThumbPart PartAt(int x, int y, int dpiX, int dpiY);

// The properties in the order they are loaded and stored.
enum class ThumbProperty { BackColor, CaptionBkColor, CaptionFrColor, Picture, ImgCaption, EnterFocusColor, ExitFocusColor };
inline constexpr ThumbProperty kThumbProperties[] = {
    ThumbProperty::BackColor,   ThumbProperty::CaptionBkColor,  ThumbProperty::CaptionFrColor,
    ThumbProperty::Picture,     ThumbProperty::ImgCaption,      ThumbProperty::EnterFocusColor,
    ThumbProperty::ExitFocusColor,
};
const char* PersistedName(ThumbProperty property);

struct ThumbValues {
    std::uint32_t backColor = kButtonFace;
    std::uint32_t captionBkColor = 0xFFFFC0;  // kept; the caption line is transparent
    std::uint32_t captionFrColor = 0;
    bool hasPicture = false;                  // the picture object itself is the control's
    std::string imgCaption;
    std::uint32_t enterFocusColor = 0xFF0000;
    std::uint32_t exitFocusColor = kButtonFace;
};

// What a tile has before anything is loaded; a stored name that is missing loads as this.
inline const ThumbValues kThumbDefaults{};
// What a tile placed new in a designer shows, and its host then stores.
ThumbValues NewTileLook();
// A value equal to its default is left out of the stored data.
bool IsDefault(const ThumbValues& values, ThumbProperty property);

// The events, numbered in their order.
enum class ThumbEvent : int { Click = 1, DblClick = 2, MouseDown = 3, MouseMove = 4, MouseUp = 5 };

// Buttons (1 left, 2 right, 4 middle) and shift keys (1 shift, 2 control, 4 alt) as events pass them.
struct ThumbEventArgs {
    ThumbEvent event;
    std::int16_t button = 0;
    std::int16_t shift = 0;
    float x = 0, y = 0;  // twips, from the top-left corner of the part that raised it
    ThumbPart part = ThumbPart::Surface;
};

enum class MouseAction { Move, Down, Up, DoubleClick };

struct MouseInput {
    MouseAction action = MouseAction::Move;
    int button = 0;  // the button that changed (1, 2 or 4); 0 for a move
    int held = 0;    // the buttons down after the message
    int shift = 0;
    int x = 0, y = 0;  // the control's pixels
};

class ThumbImg {
public:
    ThumbImg() = default;
    explicit ThumbImg(const ThumbValues& values) : values_(values), surface_(values.backColor) {}

    const ThumbValues& values() const { return values_; }
    // The colour the surface shows now: BackColor, or a focus colour after a focus change.
    std::uint32_t SurfaceColour() const { return surface_; }

    // Each setter answers whether the value changed (an unchanged value does nothing).
    bool SetBackColor(std::uint32_t colour);
    bool SetCaptionBkColor(std::uint32_t colour);
    bool SetCaptionFrColor(std::uint32_t colour);
    bool SetHasPicture(bool has);
    bool SetImgCaption(const std::string& text);
    bool SetEnterFocusColor(std::uint32_t colour);
    bool SetExitFocusColor(std::uint32_t colour);
    // All values at once, as a load or a new tile sets them; the surface takes BackColor.
    void Load(const ThumbValues& values);

    void GotFocus() { surface_ = values_.enterFocusColor; }
    void LostFocus() { surface_ = values_.exitFocusColor; }

    // The events a mouse message raises, in order, each from the part it concerns: the part
    // under the mouse, or while a button is held the part it went down on.
    std::vector<ThumbEventArgs> OnMouse(const MouseInput& input, int dpiX, int dpiY);
    // Whether a button went down on a part and is still held (the window keeps the capture).
    bool Captured() const { return captured_.has_value(); }
    // The window lost the mouse to another (a message box, another window's capture).
    void CaptureLost() {
        captured_.reset();
        afterDoubleClick_ = false;
    }

private:
    ThumbValues values_;
    std::uint32_t surface_ = kThumbDefaults.backColor;
    std::optional<ThumbPart> captured_;
    bool afterDoubleClick_ = false;
};

// The five colour properties: where each is kept and how it is set.
struct ColourProperty {
    ThumbProperty property;
    std::uint32_t ThumbValues::*field;
    bool (ThumbImg::*set)(std::uint32_t);
};
inline constexpr ColourProperty kColourProperties[] = {
    {ThumbProperty::BackColor, &ThumbValues::backColor, &ThumbImg::SetBackColor},
    {ThumbProperty::CaptionBkColor, &ThumbValues::captionBkColor, &ThumbImg::SetCaptionBkColor},
    {ThumbProperty::CaptionFrColor, &ThumbValues::captionFrColor, &ThumbImg::SetCaptionFrColor},
    {ThumbProperty::EnterFocusColor, &ThumbValues::enterFocusColor, &ThumbImg::SetEnterFocusColor},
    {ThumbProperty::ExitFocusColor, &ThumbValues::exitFocusColor, &ThumbImg::SetExitFocusColor},
};
// The colour property's entry, or null for the picture and the caption.
const ColourProperty* ColourOf(ThumbProperty property);

}  // namespace velmora::thumb
