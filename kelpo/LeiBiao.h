#pragma once
// The list control's behaviour without a window: the items, selection and playing row, the
// geometry of rows and scrolling, the stored properties with their setters, and the row
// drawing, which paints straight onto the control's surface one row at a time. The COM
// control (LeiBiao_win.h) gives it a surface, its scrollbar and an event sink.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kelpo/Ellipsis.h"

namespace velmora::kelpo {

struct ListItem {
    std::string title;
    std::string author;
    std::int32_t longTime = 0;
    std::string strTime;
    std::string url;
};

enum class ListBrush { Row1, Row2, Selection, Background };
enum class TextAlign { Left, Centre };

// The control's window (or a recording double): pixels of its client area. Colours are
// 0x00BBGGRR or 0x80000000 + a system colour number.
class ListSurface {
public:
    virtual ~ListSurface() = default;
    // Drawing calls come between Begin and End (nested pairs allowed).
    virtual void Begin() = 0;
    virtual void End() = 0;
    virtual int ClientWidth() = 0;
    virtual int ClientHeight() = 0;
    virtual void SetBrushColour(ListBrush brush, std::uint32_t colour) = 0;
    virtual void SetBackColour(std::uint32_t colour) = 0;
    virtual void SetPenWidth(int width) = 0;
    virtual void Fill(int x, int y, int width, int height, ListBrush brush) = 0;
    // The whole client area in the surface colour.
    virtual void Clear() = 0;
    // An unfilled box with both corners inside it, in the pen width.
    virtual void Box(int left, int top, int right, int bottom, std::uint32_t colour) = 0;
    virtual void Line(int x1, int y1, int x2, int y2, std::uint32_t colour) = 0;
    virtual void FocusBox(int left, int top, int right, int bottom) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    // One line, no wrapping, clipped to nothing: the box only aligns it.
    virtual void Text(const std::string& text, int left, int top, int width, int height, TextAlign align,
                      std::uint32_t colour) = 0;
    // The 12 x 12 play icon with its top-left corner at (x, y).
    virtual void PlayIcon(int x, int y) = 0;
};

// What the list needs of its embedded scrollbar.
class ListBar {
public:
    virtual ~ListBar() = default;
    virtual int Value() const = 0;
    virtual void SetValue(int value) = 0;
    virtual int Max() const = 0;
    virtual void SetMax(int max) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual int Width() const = 0;
    virtual void Move(int left, int top, int width, int height) = 0;
};

// The control's events in their numbering, and the note that stored state changed.
class ListEvents {
public:
    virtual ~ListEvents() = default;
    virtual void Click(int button, int shift, float x, float y) = 0;
    virtual void MouseDown(int button, int shift, float x, float y) = 0;
    virtual void MouseMove(int button, int shift, float x, float y) = 0;
    virtual void MouseUp(int button, int shift, float x, float y) = 0;
    // The handler may change the three values; the control uses what it leaves.
    virtual void ListIndexChanged(std::int16_t& oldIndex, std::int16_t& newIndex, std::int16_t& flag) = 0;
    virtual void PlayIndexChanged(std::int16_t& oldIndex, std::int16_t& newIndex, std::int16_t& flag) = 0;
    virtual void Scroll() = 0;
    virtual void Resize() = 0;
    virtual void PropertyChanged() = 0;
};

// Defaults of a new control.
struct ListDefaults {
    static constexpr std::uint32_t kBackColor = 0xFFFFFF;
    static constexpr std::int32_t kItemHeight = 18;
    static constexpr std::uint32_t kItemBkColor1 = 0xFFFFFF;
    static constexpr std::uint32_t kItemBkColor2 = 0xFAF6EA;
    static constexpr std::uint32_t kItemSelBkColor = 0xCC9462;
    static constexpr std::uint32_t kItemNorTextColor = 0x8F614C;
    static constexpr std::uint32_t kItemSelTextColor = 0xFFFFFF;
    static constexpr std::uint32_t kItemPlyTextColor = 0x12B753;
    static constexpr bool kBorder = true;
    static constexpr std::uint32_t kBorderColor = 0xC3A378;
    static constexpr std::int32_t kBorderWidth = 1;
};

constexpr int kWheelMessage = 522;
constexpr int kPlayIconSize = 12;

class LeiBiao {
public:
    // The surface may be null while the control has no window: nothing is drawn then.
    LeiBiao(ListBar& bar, ListEvents& events);
    void SetSurface(ListSurface* surface) { surface_ = surface; }
    // In a designer the control draws a placeholder instead of rows.
    void SetDesignMode(bool design) { design_ = design; }
    void SetDisplayName(const std::string& name) { displayName_ = name; }

    // After the stored properties were read (or the defaults set): widths, brushes, surface
    // settings and the scrollbar's place.
    void Loaded();
    // The surface's font changed: widths and rows follow (the font itself is the window's).
    void FontChanged();
    // The column widths from the surface's font (done by Loaded and FontChanged).
    void ComputeWidths();

    // Properties. Setters other than the font's do nothing for an unchanged value.
    std::uint32_t BackColor() const { return backColor_; }
    void SetBackColor(std::uint32_t colour);
    std::int32_t ItemHeight() const { return itemHeight_; }
    // False (and nothing changes) for a height below 1.
    bool SetItemHeight(std::int32_t height);
    std::uint32_t ItemBkColor1() const { return itemBkColor1_; }
    void SetItemBkColor1(std::uint32_t colour);
    std::uint32_t ItemBkColor2() const { return itemBkColor2_; }
    void SetItemBkColor2(std::uint32_t colour);
    std::uint32_t ItemSelBkColor() const { return itemSelBkColor_; }
    void SetItemSelBkColor(std::uint32_t colour);
    std::uint32_t ItemNorTextColor() const { return itemNorTextColor_; }
    void SetItemNorTextColor(std::uint32_t colour);
    std::uint32_t ItemSelTextColor() const { return itemSelTextColor_; }
    void SetItemSelTextColor(std::uint32_t colour);
    std::uint32_t ItemPlyTextColor() const { return itemPlyTextColor_; }
    void SetItemPlyTextColor(std::uint32_t colour);
    bool Border() const { return border_; }
    void SetBorder(bool border);
    std::uint32_t BorderColor() const { return borderColor_; }
    void SetBorderColor(std::uint32_t colour);
    std::int32_t BorderWidth() const { return borderWidth_; }
    // False (and nothing changes) for a width outside 0 ... 32767.
    bool SetBorderWidth(std::int32_t width);

    // Items.
    std::int32_t ListCount() const { return static_cast<std::int32_t>(items_.size()); }
    // index: nothing to append; otherwise its integer part. -1 when it lies outside
    // 0 ... ListCount; otherwise the new count.
    std::int32_t AddItem(const std::string& title, const std::optional<std::string>& author,
                         std::optional<double> index);
    std::int32_t RemoveItem(std::int32_t index);
    void Clear();
    // Item fields; an index outside the list reads empty or 0 and writes nothing.
    std::string Title(std::int32_t index) const;
    void SetTitle(std::int32_t index, const std::string& text);
    std::string Author(std::int32_t index) const;
    void SetAuthor(std::int32_t index, const std::string& text);
    std::string Url(std::int32_t index) const;
    void SetUrl(std::int32_t index, const std::string& text);
    std::string StrTime(std::int32_t index) const;
    void SetStrTime(std::int32_t index, const std::string& text);
    std::int32_t LongTime(std::int32_t index) const;
    void SetLongTime(std::int32_t index, std::int32_t value);

    // Selection and scrolling.
    std::int16_t ListIndex() const { return listIndex_; }
    void SetListIndex(std::int32_t index);
    std::int16_t PlayIndex() const { return playIndex_; }
    void SetPlayIndex(std::int32_t index);
    std::int16_t FirstIndex() const { return firstIndex_; }
    // The smaller of the last row a redraw visits and the last item.
    std::int16_t LastIndex() const;
    std::int16_t IndexFromPoint(double x, double y) const;
    int innerHeight() const { return innerHeight_; }
    int numberWidth() const { return numberWidth_; }
    int authorWidth() const { return authorWidth_; }
    int timeWidth() const { return timeWidth_; }

    // Input from the window (button 1 left, 2 right, 4 middle; shift 1, ctrl 2, alt 4).
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    // A click ended (the left button came up over the control after going down on it).
    void Clicked();
    // A watched message of the control's own window, after the window processed it.
    void Message(std::uint32_t message, std::int32_t wParam);
    void Resize();
    // The scrollbar's events.
    void BarChange();
    void BarScroll();
    void BarShownOrHidden();

    // Painting the whole control (its paint notification, Refresh, ambient changes).
    void Paint();

private:
    int Inner() const;
    void UpdateScrollbar();
    void PlaceBar();
    void DrawVisibleRows();
    void DrawRow(int index);
    void DrawBorderBox();
    void DrawFitted(const std::string& text, int left, int top, int width, int height, TextAlign align,
                    std::uint32_t colour);
    void Reselect(std::int16_t& current, std::int32_t index, bool playing);
    const ListItem* Item(std::int32_t index) const;
    ListItem* Item(std::int32_t index);

    ListBar& bar_;
    ListEvents& events_;
    ListSurface* surface_ = nullptr;
    bool design_ = false;
    std::string displayName_;

    std::uint32_t backColor_ = ListDefaults::kBackColor;
    std::int32_t itemHeight_ = ListDefaults::kItemHeight;
    std::uint32_t itemBkColor1_ = ListDefaults::kItemBkColor1;
    std::uint32_t itemBkColor2_ = ListDefaults::kItemBkColor2;
    std::uint32_t itemSelBkColor_ = ListDefaults::kItemSelBkColor;
    std::uint32_t itemNorTextColor_ = ListDefaults::kItemNorTextColor;
    std::uint32_t itemSelTextColor_ = ListDefaults::kItemSelTextColor;
    std::uint32_t itemPlyTextColor_ = ListDefaults::kItemPlyTextColor;
    bool border_ = ListDefaults::kBorder;
    std::uint32_t borderColor_ = ListDefaults::kBorderColor;
    std::int32_t borderWidth_ = ListDefaults::kBorderWidth;

    std::vector<ListItem> items_;
    std::int16_t listIndex_ = -1;
    std::int16_t playIndex_ = -1;
    std::int16_t firstIndex_ = 0;
    int lastIndex_ = 0;
    int innerHeight_ = 0;
    int numberWidth_ = 0, authorWidth_ = 0, timeWidth_ = 0;
    int downButton_ = 0, downShift_ = 0;
    float downX_ = 0, downY_ = 0;
    int lastWidth_ = 0, lastHeight_ = 0;
};

}  // namespace velmora::kelpo
