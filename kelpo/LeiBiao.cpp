#include "kelpo/LeiBiao.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "kelpo/Geometry.h"

namespace velmora::kelpo {
namespace {

// Begin and End around the drawing of one procedure; nothing when there is no surface.
class Drawing {
public:
    explicit Drawing(ListSurface* surface) : surface_(surface) {
        if (surface_) surface_->Begin();
    }
    ~Drawing() {
        if (surface_) surface_->End();
    }
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

private:
    ListSurface* surface_;
};

constexpr int kBarWidth = 17;

bool FitsShort(long long value) {
    return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

}  // namespace

LeiBiao::LeiBiao(ListBar& bar, ListEvents& events) : bar_(bar), events_(events) {}

// Setup

void LeiBiao::Loaded() {
    if (surface_) {
        surface_->SetBackColour(backColor_);
        surface_->SetPenWidth(borderWidth_);
        surface_->SetBrushColour(ListBrush::Row1, itemBkColor1_);
        surface_->SetBrushColour(ListBrush::Row2, itemBkColor2_);
        surface_->SetBrushColour(ListBrush::Selection, itemSelBkColor_);
        surface_->SetBrushColour(ListBrush::Background, backColor_);
    }
    ComputeWidths();
    PlaceBar();
}

void LeiBiao::ComputeWidths() {
    if (!surface_) return;
    Drawing drawing(surface_);
    numberWidth_ = surface_->TextWidth("000") + 4;
    authorWidth_ = surface_->TextWidth("AAAAAAAAAAA") + 4;
    timeWidth_ = surface_->TextWidth("00:00:00") + 4;
}

void LeiBiao::FontChanged() {
    ComputeWidths();
    DrawVisibleRows();
    events_.PropertyChanged();
}

// Properties

void LeiBiao::SetBackColor(std::uint32_t colour) {
    if (colour == backColor_) return;
    backColor_ = colour;
    if (surface_) {
        surface_->SetBackColour(colour);
        surface_->SetBrushColour(ListBrush::Background, colour);
    }
    DrawVisibleRows();
    ComputeWidths();
    events_.PropertyChanged();
}

bool LeiBiao::SetItemHeight(std::int32_t height) {
    if (height < 1) return false;  // every row position divides by it
    if (height == itemHeight_) return true;
    itemHeight_ = height;
    lastIndex_ = FloorDiv(innerHeight_, itemHeight_) + firstIndex_ + 1;
    UpdateScrollbar();
    Paint();
    events_.PropertyChanged();
    return true;
}

void LeiBiao::SetItemBkColor1(std::uint32_t colour) {
    if (colour == itemBkColor1_) return;
    itemBkColor1_ = colour;
    if (surface_) surface_->SetBrushColour(ListBrush::Row1, colour);
    DrawVisibleRows();
    events_.PropertyChanged();
}

void LeiBiao::SetItemBkColor2(std::uint32_t colour) {
    if (colour == itemBkColor2_) return;
    itemBkColor2_ = colour;
    if (surface_) surface_->SetBrushColour(ListBrush::Row2, colour);
    DrawVisibleRows();
    events_.PropertyChanged();
}

void LeiBiao::SetItemSelBkColor(std::uint32_t colour) {
    if (colour == itemSelBkColor_) return;
    itemSelBkColor_ = colour;
    if (surface_) surface_->SetBrushColour(ListBrush::Selection, colour);
    DrawRow(listIndex_);
    events_.PropertyChanged();
}

void LeiBiao::SetItemNorTextColor(std::uint32_t colour) {
    if (colour == itemNorTextColor_) return;
    itemNorTextColor_ = colour;
    DrawVisibleRows();
    events_.PropertyChanged();
}

void LeiBiao::SetItemSelTextColor(std::uint32_t colour) {
    if (colour == itemSelTextColor_) return;
    itemSelTextColor_ = colour;
    DrawRow(listIndex_);
    events_.PropertyChanged();
}

void LeiBiao::SetItemPlyTextColor(std::uint32_t colour) {
    if (colour == itemPlyTextColor_) return;
    itemPlyTextColor_ = colour;
    DrawRow(playIndex_);
    events_.PropertyChanged();
}

void LeiBiao::SetBorder(bool border) {
    if (border == border_) return;
    border_ = border;
    PlaceBar();
    if (border_) DrawBorderBox();
    events_.PropertyChanged();
}

void LeiBiao::SetBorderColor(std::uint32_t colour) {
    if (colour == borderColor_) return;
    borderColor_ = colour;
    if (border_) DrawBorderBox();
    events_.PropertyChanged();
}

bool LeiBiao::SetBorderWidth(std::int32_t width) {
    if (width < 0 || width > std::numeric_limits<std::int16_t>::max()) return false;
    if (width == borderWidth_) return true;
    borderWidth_ = width;
    if (surface_) surface_->SetPenWidth(width);
    PlaceBar();
    Paint();
    events_.PropertyChanged();
    return true;
}

// Items

const ListItem* LeiBiao::Item(std::int32_t index) const {
    if (index < 0 || index >= ListCount()) return nullptr;
    return &items_[static_cast<std::size_t>(index)];
}

ListItem* LeiBiao::Item(std::int32_t index) {
    if (index < 0 || index >= ListCount()) return nullptr;
    return &items_[static_cast<std::size_t>(index)];
}

std::int32_t LeiBiao::AddItem(const std::string& title, const std::optional<std::string>& author,
                              std::optional<double> index) {
    ListItem item;
    item.title = title;
    item.author = author.value_or(std::string());
    if (!index) {
        items_.push_back(std::move(item));
        DrawRow(ListCount() - 1);
    } else {
        const double k = std::trunc(*index);
        if (!(k >= 0) || k > ListCount()) return -1;
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(k), std::move(item));
        DrawVisibleRows();
    }
    UpdateScrollbar();
    return ListCount();
}

std::int32_t LeiBiao::RemoveItem(std::int32_t index) {
    if (items_.empty() || !Item(index)) return -1;
    if (index == playIndex_) playIndex_ = -1;
    items_.erase(items_.begin() + index);
    UpdateScrollbar();
    // An emptied list shows its empty look; the rows drawing would leave the last row standing.
    if (items_.empty()) Paint();
    else DrawVisibleRows();
    return ListCount();
}

void LeiBiao::Clear() {
    if (items_.empty()) return;
    items_.clear();
    UpdateScrollbar();
    listIndex_ = -1;
    playIndex_ = -1;
    if (!surface_) return;
    Drawing drawing(surface_);
    surface_->Clear();
    if (border_) DrawBorderBox();
}

std::string LeiBiao::Title(std::int32_t index) const { return Item(index) ? Item(index)->title : std::string(); }
std::string LeiBiao::Author(std::int32_t index) const { return Item(index) ? Item(index)->author : std::string(); }
std::string LeiBiao::Url(std::int32_t index) const { return Item(index) ? Item(index)->url : std::string(); }
std::string LeiBiao::StrTime(std::int32_t index) const {
    return Item(index) ? Item(index)->strTime : std::string();
}
std::int32_t LeiBiao::LongTime(std::int32_t index) const { return Item(index) ? Item(index)->longTime : 0; }

void LeiBiao::SetTitle(std::int32_t index, const std::string& text) {
    if (ListItem* item = Item(index)) {
        item->title = text;
        DrawRow(index);
    }
}

void LeiBiao::SetAuthor(std::int32_t index, const std::string& text) {
    if (ListItem* item = Item(index)) {
        item->author = text;
        DrawRow(index);
    }
}

void LeiBiao::SetUrl(std::int32_t index, const std::string& text) {
    if (ListItem* item = Item(index)) item->url = text;
}

void LeiBiao::SetStrTime(std::int32_t index, const std::string& text) {
    if (ListItem* item = Item(index)) item->strTime = text;
}

void LeiBiao::SetLongTime(std::int32_t index, std::int32_t value) {
    if (ListItem* item = Item(index)) {
        item->longTime = value;
        DrawRow(index);
    }
}

// Selection and scrolling

void LeiBiao::Reselect(std::int16_t& current, std::int32_t index, bool playing) {
    if (items_.empty() || index < 0 || index > ListCount() - 1 || index == current) return;
    if (current < firstIndex_ || current > lastIndex_) bar_.SetValue(current);
    const std::int16_t before = current;
    std::int16_t oldIndex = current, newIndex = static_cast<std::int16_t>(index), flag = 1;
    if (playing) events_.PlayIndexChanged(oldIndex, newIndex, flag);
    else events_.ListIndexChanged(oldIndex, newIndex, flag);
    current = newIndex;
    DrawRow(current);
    DrawRow(oldIndex);
    if (oldIndex != before) DrawRow(before);
    events_.PropertyChanged();
}

void LeiBiao::SetListIndex(std::int32_t index) { Reselect(listIndex_, index, false); }
void LeiBiao::SetPlayIndex(std::int32_t index) { Reselect(playIndex_, index, true); }

std::int16_t LeiBiao::LastIndex() const {
    return static_cast<std::int16_t>(std::min(lastIndex_, ListCount() - 1));
}

std::int16_t LeiBiao::IndexFromPoint(double, double y) const {
    if (items_.empty()) return -1;
    const long long r = static_cast<long long>(std::floor((y - borderWidth_) / itemHeight_)) + firstIndex_;
    if (r < 0 || r > ListCount() - 1 || !FitsShort(r)) return -1;
    return static_cast<std::int16_t>(r);
}

void LeiBiao::MouseDown(int button, int shift, float x, float y) {
    downButton_ = button;
    downShift_ = shift;
    downX_ = x;
    downY_ = y;
    if ((button == 1 || button == 2) && !items_.empty()) {
        // The border width counts even with the border off.
        const long long r = static_cast<long long>(std::floor((y - borderWidth_) / itemHeight_)) + firstIndex_;
        if (r > ListCount() - 1 || r < 0 || r == listIndex_ || !FitsShort(r)) return;
        const std::int16_t before = listIndex_;
        std::int16_t oldIndex = listIndex_, newIndex = static_cast<std::int16_t>(r), flag = 0;
        events_.ListIndexChanged(oldIndex, newIndex, flag);
        listIndex_ = newIndex;
        DrawRow(oldIndex);
        if (oldIndex != before) DrawRow(before);
        DrawRow(listIndex_);
    }
    events_.MouseDown(button, shift, x, y);
}

void LeiBiao::MouseMove(int button, int shift, float x, float y) { events_.MouseMove(button, shift, x, y); }
void LeiBiao::MouseUp(int button, int shift, float x, float y) { events_.MouseUp(button, shift, x, y); }
void LeiBiao::Clicked() { events_.Click(downButton_, downShift_, downX_, downY_); }

void LeiBiao::Message(std::uint32_t message, std::int32_t wParam) {
    if (message != kWheelMessage || !bar_.Visible()) return;
    const int step = static_cast<int>(std::floor(static_cast<double>(innerHeight_) / itemHeight_ * 0.2 + 1));
    const int value = bar_.Value();
    const int target = std::clamp(wParam <= 0 ? value + step : value - step, 0, std::max(bar_.Max(), 0));
    if (target == value) return;
    // The bar's Change moves FirstIndex and draws the rows.
    bar_.SetValue(target);
    events_.Scroll();
}

void LeiBiao::BarChange() {
    if (!bar_.Visible()) return;
    firstIndex_ = static_cast<std::int16_t>(bar_.Value());
    DrawVisibleRows();
}

void LeiBiao::BarScroll() {
    BarChange();
    events_.Scroll();
}

void LeiBiao::BarShownOrHidden() { Paint(); }

// Geometry

int LeiBiao::Inner() const {
    if (!surface_) return 0;
    return surface_->ClientHeight() - (border_ ? 2 * borderWidth_ : 0);
}

void LeiBiao::UpdateScrollbar() {
    if (items_.empty()) {
        bar_.SetMax(0);
        bar_.SetVisible(false);
    } else {
        innerHeight_ = Inner();
        bar_.SetMax(ListCount() - innerHeight_ / itemHeight_);
        bar_.SetVisible(innerHeight_ < static_cast<long long>(itemHeight_) * ListCount());
    }
    // A smaller Max pulls the bar's value back without a Change: the top row follows it, or
    // rows added after a Clear of a scrolled list would never be drawn.
    if (firstIndex_ != bar_.Value()) firstIndex_ = static_cast<std::int16_t>(bar_.Value());
}

void LeiBiao::PlaceBar() {
    if (!surface_) return;
    const int width = surface_->ClientWidth(), height = surface_->ClientHeight();
    const int barWidth = bar_.Width() > 0 ? bar_.Width() : kBarWidth;
    if (border_) bar_.Move(width - barWidth - borderWidth_, borderWidth_, barWidth, height - 2 * borderWidth_);
    else bar_.Move(width - barWidth, 0, barWidth, height);
}

void LeiBiao::Resize() {
    if (!surface_) return;
    const int width = surface_->ClientWidth(), height = surface_->ClientHeight();
    if (!items_.empty()) {
        innerHeight_ = Inner();
        lastIndex_ = FloorDiv(innerHeight_, itemHeight_) + firstIndex_ + 1;
    }
    // A growing control gets its normal repaint; a shrinking one is repainted here.
    if (width < lastWidth_ || height < lastHeight_) Paint();
    UpdateScrollbar();
    PlaceBar();
    lastWidth_ = width;
    lastHeight_ = height;
    events_.Resize();
}

// Drawing

void LeiBiao::DrawBorderBox() {
    if (!surface_) return;
    Drawing drawing(surface_);
    surface_->Box(0, 0, surface_->ClientWidth() - 1, surface_->ClientHeight() - 1, borderColor_);
}

void LeiBiao::Paint() {
    if (!surface_) return;
    Drawing drawing(surface_);
    const int width = surface_->ClientWidth(), height = surface_->ClientHeight();
    if (design_) {
        surface_->Clear();
        const int at = border_ ? borderWidth_ + 2 : 2;
        surface_->Text(displayName_, at, at, surface_->TextWidth(displayName_), surface_->TextHeight(displayName_),
                       TextAlign::Left, itemNorTextColor_);
        if (border_) DrawBorderBox();
        else surface_->FocusBox(0, 0, width, height);
        return;
    }
    if (!items_.empty()) {
        if (border_) DrawBorderBox();
        DrawVisibleRows();
    } else if (border_) {
        surface_->Fill(borderWidth_, borderWidth_, width - 2 * borderWidth_, height - 2 * borderWidth_,
                       ListBrush::Background);
        DrawBorderBox();
    } else {
        surface_->Clear();
    }
}

void LeiBiao::DrawVisibleRows() {
    if (items_.empty() || !surface_) return;
    Drawing drawing(surface_);
    // Each row recomputes LastIndex, so the bound is read after drawing.
    for (int i = firstIndex_; i < ListCount(); ++i) {
        DrawRow(i);
        if (i >= lastIndex_) break;
    }
}

void LeiBiao::DrawFitted(const std::string& text, int left, int top, int width, int height, TextAlign align,
                         std::uint32_t colour) {
    const FittedText fitted = FitText(text, width, [this](const std::string& s) { return surface_->TextWidth(s); });
    if (fitted.fits) {
        surface_->Text(text, left, top, width, height, align, colour);
        return;
    }
    surface_->Text(fitted.kept, left, top, fitted.keptWidth, height, TextAlign::Left, colour);
    surface_->Text("...", left + fitted.keptWidth, top, width - fitted.keptWidth, height, TextAlign::Left, colour);
}

void LeiBiao::DrawRow(int index) {
    if (!surface_ || index < 0 || index > ListCount() - 1 || index < firstIndex_) return;
    const int clientWidth = surface_->ClientWidth(), clientHeight = surface_->ClientHeight();
    int w = clientWidth - (bar_.Visible() ? bar_.Width() : 0);
    int x0 = 0, y0 = 0, inner = clientHeight;
    if (border_) {
        x0 = y0 = borderWidth_;
        w -= 2 * borderWidth_;
        inner -= 2 * borderWidth_;
    }
    innerHeight_ = inner;
    lastIndex_ = FloorDiv(inner, itemHeight_) + firstIndex_ + 1;
    if (index > lastIndex_) return;
    Drawing drawing(surface_);

    const ListItem& item = items_[static_cast<std::size_t>(index)];
    const int position = index - firstIndex_;
    const int rowTop = position * itemHeight_ + y0;
    const bool selected = index == listIndex_;
    surface_->Fill(x0, rowTop, w, itemHeight_,
                   selected ? ListBrush::Selection : (position % 2 == 1 ? ListBrush::Row2 : ListBrush::Row1));
    const std::uint32_t colour =
        selected ? itemSelTextColor_ : (index == playIndex_ ? itemPlyTextColor_ : itemNorTextColor_);

    if (index == playIndex_) {
        surface_->PlayIcon(x0 + 2, rowTop + Half(itemHeight_ - kPlayIconSize));
    } else {
        const std::string number = std::to_string(index + 1);
        DrawFitted(number, x0, rowTop + Half(itemHeight_ - surface_->TextHeight(number)), numberWidth_, itemHeight_,
                   TextAlign::Centre, colour);
    }
    DrawFitted(item.title, x0 + numberWidth_ + 2, rowTop + Half(itemHeight_ - surface_->TextHeight(item.title)),
               w - numberWidth_ - authorWidth_ - timeWidth_ + 100, itemHeight_, TextAlign::Left, colour);
    // Overlaps the title's box and lies on top of it.
    DrawFitted(item.author, w - timeWidth_ - authorWidth_ + 50,
               rowTop + Half(itemHeight_ - surface_->TextHeight(item.author)), authorWidth_, itemHeight_,
               TextAlign::Centre, colour);

    if (index == ListCount() - 1 || index >= lastIndex_) {
        const int bottom = (position + 1) * itemHeight_;
        const int edge = border_ ? borderWidth_ : 0;
        if (bottom < inner) surface_->Fill(x0, y0 + bottom, w, clientHeight - edge - (y0 + bottom), ListBrush::Background);
        // Rows below the window may have covered the bottom edge of the border.
        if (border_) surface_->Line(0, clientHeight - borderWidth_, clientWidth, clientHeight - borderWidth_, borderColor_);
    }
}

}  // namespace velmora::kelpo
