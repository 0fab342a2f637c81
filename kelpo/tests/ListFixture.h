#pragma once
// A list control without a window: a surface that records what is drawn (6 pixels per
// character, 12 per line), the real scrollbar behind the list's bar, and a log of the events.
#include <functional>
#include <string>
#include <vector>

#include "kelpo/LeiBiao.h"
#include "kelpo/ucScrollbar.h"

namespace velmora::kelpo::testing {

// wParam of a wheel message turned by delta, no keys held.
inline std::int32_t WheelParam(int delta) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(delta) << 16);
}

inline int Characters(const std::string& text) {
    int n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

struct DrawOp {
    std::string kind;  // "fill", "text", "icon", "box", "line", "clear", "focus"
    int x = 0, y = 0, w = 0, h = 0;
    ListBrush brush = ListBrush::Background;
    std::string text;
    TextAlign align = TextAlign::Left;
    std::uint32_t colour = 0;
};

class RecordingSurface : public ListSurface {
public:
    int width = 300, height = 402;
    int depth = 0, begins = 0;
    std::vector<DrawOp> ops;

    void Begin() override {
        ++depth;
        ++begins;
    }
    void End() override { --depth; }
    int ClientWidth() override { return width; }
    int ClientHeight() override { return height; }
    void SetBrushColour(ListBrush, std::uint32_t) override {}
    void SetBackColour(std::uint32_t) override {}
    void SetPenWidth(int) override {}
    void Fill(int x, int y, int w, int h, ListBrush brush) override {
        DrawOp op = Op("fill", x, y, w, h);
        op.brush = brush;
        Record(op);
    }
    void Clear() override { Record(Op("clear", 0, 0, 0, 0)); }
    void Box(int l, int t, int r, int b, std::uint32_t c) override { Record(Op("box", l, t, r, b, c)); }
    void Line(int x1, int y1, int x2, int y2, std::uint32_t c) override { Record(Op("line", x1, y1, x2, y2, c)); }
    void FocusBox(int l, int t, int r, int b) override { Record(Op("focus", l, t, r, b)); }
    int TextWidth(const std::string& text) override { return 6 * Characters(text); }
    int TextHeight(const std::string&) override { return 12; }
    void Text(const std::string& text, int l, int t, int w, int h, TextAlign align, std::uint32_t c) override {
        DrawOp op = Op("text", l, t, w, h, c);
        op.text = text;
        op.align = align;
        Record(op);
    }
    void PlayIcon(int x, int y) override { Record(Op("icon", x, y, kPlayIconSize, kPlayIconSize)); }

    static DrawOp Op(const char* kind, int x, int y, int w, int h, std::uint32_t colour = 0) {
        DrawOp op;
        op.kind = kind;
        op.x = x;
        op.y = y;
        op.w = w;
        op.h = h;
        op.colour = colour;
        return op;
    }
    void Record(DrawOp op) {
        if (depth <= 0) outsideBegin = true;
        ops.push_back(std::move(op));
    }
    std::vector<DrawOp> Of(const std::string& kind) const {
        std::vector<DrawOp> out;
        for (const DrawOp& op : ops)
            if (op.kind == kind) out.push_back(op);
        return out;
    }
    // The fill of the row whose top is at y, if drawn.
    const DrawOp* RowFill(int y) const {
        for (auto it = ops.rbegin(); it != ops.rend(); ++it)
            if (it->kind == "fill" && it->y == y && it->brush != ListBrush::Background) return &*it;
        return nullptr;
    }
    bool outsideBegin = false;
};

struct EventLog : ListEvents {
    std::vector<std::string> events;
    std::function<void(std::int16_t&, std::int16_t&, std::int16_t&)> onListIndex;
    std::function<void(std::int16_t&, std::int16_t&, std::int16_t&)> onPlayIndex;
    int dirty = 0;

    static std::string Mouse(const char* name, int b, int s, float x, float y) {
        return std::string(name) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
               std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y));
    }
    void Click(int b, int s, float x, float y) override { events.push_back(Mouse("Click", b, s, x, y)); }
    void MouseDown(int b, int s, float x, float y) override { events.push_back(Mouse("MouseDown", b, s, x, y)); }
    void MouseMove(int b, int s, float x, float y) override { events.push_back(Mouse("MouseMove", b, s, x, y)); }
    void MouseUp(int b, int s, float x, float y) override { events.push_back(Mouse("MouseUp", b, s, x, y)); }
    void ListIndexChanged(std::int16_t& o, std::int16_t& n, std::int16_t& f) override {
        events.push_back("ListIndexChanged " + std::to_string(o) + " " + std::to_string(n) + " " + std::to_string(f));
        if (onListIndex) onListIndex(o, n, f);
    }
    void PlayIndexChanged(std::int16_t& o, std::int16_t& n, std::int16_t& f) override {
        events.push_back("PlayIndexChanged " + std::to_string(o) + " " + std::to_string(n) + " " + std::to_string(f));
        if (onPlayIndex) onPlayIndex(o, n, f);
    }
    void Scroll() override { events.push_back("Scroll"); }
    void Resize() override { events.push_back("Resize"); }
    void PropertyChanged() override { ++dirty; }
};

// The list's bar: the real scrollbar behaviour, its events going to the list as the window's do.
class BarDouble : public ListBar, public ScrollbarHost {
public:
    BarDouble() : bar(*this) { bar.SetVisible(false); }
    LeiBiao* list = nullptr;
    ucScrollbar bar;
    int left = 0, top = 0;
    std::vector<std::string> calls;

    int Value() const override { return bar.Value(); }
    void SetValue(int v) override { bar.SetValue(v); }
    int Max() const override { return bar.Max(); }
    void SetMax(int m) override { bar.SetMax(m); }
    bool Visible() const override { return bar.Visible(); }
    void SetVisible(bool v) override { bar.SetVisible(v); }
    int Width() const override { return 17; }
    void Move(int l, int t, int w, int h) override {
        left = l;
        top = t;
        bar.Resize(w, h);
    }
    void StartTimer(int id, int ms) override { calls.push_back("start " + std::to_string(id) + " " + std::to_string(ms)); }
    void StopTimer(int id) override { calls.push_back("stop " + std::to_string(id)); }
    void Repaint() override {}
    void Change() override {
        if (list) list->BarChange();
    }
    void Scroll() override {
        if (list) list->BarScroll();
    }
    void Show() override {
        if (list) list->BarShownOrHidden();
    }
    void Hide() override {
        if (list) list->BarShownOrHidden();
    }
};

struct ListFixture {
    RecordingSurface surface;
    EventLog log;
    BarDouble bar;
    LeiBiao list{bar, log};

    explicit ListFixture(int width = 300, int height = 402) {
        surface.width = width;
        surface.height = height;
        bar.list = &list;
        list.SetSurface(&surface);
        list.Loaded();
        list.Resize();
        log.events.clear();
        surface.ops.clear();
    }
    void Fill(int count) {
        for (int i = 0; i < count; ++i) list.AddItem("item" + std::to_string(i), "by" + std::to_string(i), {});
        log.events.clear();
        surface.ops.clear();
    }
    // Top of row i as drawn with the border on and width 1.
    int RowTop(int i) const { return (i - list.FirstIndex()) * list.ItemHeight() + 1; }
};

}  // namespace velmora::kelpo::testing
