#include "thumb/ThumbImg.h"

namespace velmora::thumb {

namespace {

int ToPixels(int twips, int dpi) {
    // Rounded half away from zero, as the tile's edges are placed.
    const long scaled = static_cast<long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + kTwipsPerInch / 2) / kTwipsPerInch
                                        : -((-scaled + kTwipsPerInch / 2) / kTwipsPerInch));
}

template <typename T>
bool Assign(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

}  // namespace

PixelRect PartPixels(ThumbPart part, int dpiX, int dpiY) {
    const auto of = [&](const TwipsRect& r) {
        const int left = ToPixels(r.left, dpiX), top = ToPixels(r.top, dpiY);
        return PixelRect{left, top, left + ToPixels(r.width, dpiX), top + ToPixels(r.height, dpiY)};
    };
    switch (part) {
        case ThumbPart::Image1: return of(kImage1);
        case ThumbPart::Label1: return of(kLabel1);
        case ThumbPart::Surface: break;
    }
    return of(TwipsRect{0, 0, kTileWidth, kTileHeight});
}

ThumbPart PartAt(int x, int y, int dpiX, int dpiY) {
    for (ThumbPart part : {ThumbPart::Label1, ThumbPart::Image1}) {
        if (PartPixels(part, dpiX, dpiY).Contains(x, y)) return part;
    }
    return ThumbPart::Surface;
}

const char* PersistedName(ThumbProperty property) {
    switch (property) {
        case ThumbProperty::BackColor: return "BackColor";
        case ThumbProperty::CaptionBkColor: return "CaptionBkColor";
        case ThumbProperty::CaptionFrColor: return "CaptionFrColor";
        case ThumbProperty::Picture: return "Picture";
        case ThumbProperty::ImgCaption: return "ImgCaption";
        case ThumbProperty::EnterFocusColor: return "EnterFocusColor";
        case ThumbProperty::ExitFocusColor: return "ExitFocusColor";
    }
    return "";
}

ThumbValues NewTileLook() {
    ThumbValues look;
    look.backColor = 0xC0C0C0;
    look.imgCaption = "图象标题";
    look.captionFrColor = 0xFFFF00;
    look.captionBkColor = 0xFFFFC0;
    return look;
}

bool IsDefault(const ThumbValues& v, ThumbProperty property) {
    const ThumbValues& d = kThumbDefaults;
    switch (property) {
        case ThumbProperty::BackColor: return v.backColor == d.backColor;
        case ThumbProperty::CaptionBkColor: return v.captionBkColor == d.captionBkColor;
        case ThumbProperty::CaptionFrColor: return v.captionFrColor == d.captionFrColor;
        case ThumbProperty::Picture: return !v.hasPicture;
        case ThumbProperty::ImgCaption: return v.imgCaption == d.imgCaption;
        case ThumbProperty::EnterFocusColor: return v.enterFocusColor == d.enterFocusColor;
        case ThumbProperty::ExitFocusColor: return v.exitFocusColor == d.exitFocusColor;
    }
    return false;
}

const ColourProperty* ColourOf(ThumbProperty property) {
    for (const ColourProperty& c : kColourProperties) {
        if (c.property == property) return &c;
    }
    return nullptr;
}

bool ThumbImg::SetBackColor(std::uint32_t colour) {
    if (!Assign(values_.backColor, colour)) return false;
    surface_ = colour;
    return true;
}

bool ThumbImg::SetCaptionBkColor(std::uint32_t colour) { return Assign(values_.captionBkColor, colour); }
bool ThumbImg::SetCaptionFrColor(std::uint32_t colour) { return Assign(values_.captionFrColor, colour); }
bool ThumbImg::SetHasPicture(bool has) { return Assign(values_.hasPicture, has); }
bool ThumbImg::SetImgCaption(const std::string& text) { return Assign(values_.imgCaption, text); }
bool ThumbImg::SetEnterFocusColor(std::uint32_t colour) { return Assign(values_.enterFocusColor, colour); }
bool ThumbImg::SetExitFocusColor(std::uint32_t colour) { return Assign(values_.exitFocusColor, colour); }

void ThumbImg::Load(const ThumbValues& values) {
    values_ = values;
    surface_ = values.backColor;
}

std::vector<ThumbEventArgs> ThumbImg::OnMouse(const MouseInput& in, int dpiX, int dpiY) {
    const ThumbPart under = PartAt(in.x, in.y, dpiX, dpiY);
    const bool pressed = captured_.has_value();
    const ThumbPart part = captured_.value_or(under);
    const PixelRect origin = PartPixels(part, dpiX, dpiY);
    // Coordinates in twips from the part's corner, as the part itself reports them.
    const float x = static_cast<float>(in.x - origin.left) * kTwipsPerInch / static_cast<float>(dpiX);
    const float y = static_cast<float>(in.y - origin.top) * kTwipsPerInch / static_cast<float>(dpiY);
    const auto args = [&](ThumbEvent e, int button) {
        return ThumbEventArgs{e, static_cast<std::int16_t>(button), static_cast<std::int16_t>(in.shift), x, y, part};
    };
    const bool clicking = in.button == 1 || in.button == 2;
    std::vector<ThumbEventArgs> events;
    switch (in.action) {
        case MouseAction::Move: events.push_back(args(ThumbEvent::MouseMove, in.held)); break;
        case MouseAction::Down:
            captured_ = part;
            afterDoubleClick_ = false;
            events.push_back(args(ThumbEvent::MouseDown, in.button));
            break;
        case MouseAction::DoubleClick:
            captured_ = part;
            if (clicking) {
                // The second press of a double click: DblClick in place of MouseDown, and no
                // Click when it is released.
                afterDoubleClick_ = true;
                events.push_back({ThumbEvent::DblClick, 0, 0, 0, 0, part});
            } else {
                events.push_back(args(ThumbEvent::MouseDown, in.button));
            }
            break;
        case MouseAction::Up:
            events.push_back(args(ThumbEvent::MouseUp, in.button));
            // A click is a press and release on the same part.
            if (clicking && pressed && !afterDoubleClick_ && under == part) events.push_back({ThumbEvent::Click, 0, 0, 0, 0, part});
            if (in.held == 0) {
                captured_.reset();
                afterDoubleClick_ = false;
            }
            break;
    }
    return events;
}

}  // namespace velmora::thumb
