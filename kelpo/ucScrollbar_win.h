#pragma once
// The skinned scrollbar's window: a child window whose painting, sizing, mouse and timer
// messages reach the portable scrollbar through the message hook (painting and sizing before,
// and instead of, the window's own handling; the rest after it). Without a window (a control
// created by a script host) the scrollbar still keeps its value and range.
#include <functional>

#include <windows.h>

#include "kelpo/LeiBiao.h"
#include "kelpo/MessageHook_win.h"
#include "kelpo/cScrollbarDraw_win.h"
#include "kelpo/ucScrollbar.h"

namespace velmora::kelpo {

struct ScrollbarEvents {
    std::function<void()> change, scroll, show, hide;
};

class ucScrollbarWindow : public ListBar, private ScrollbarHost {
public:
    static constexpr int kWidth = 17;
    static constexpr const wchar_t* kClassName = L"VelmoraKelpoScrollbar";

    ucScrollbarWindow(HMODULE module, ScrollbarEvents events);
    ~ucScrollbarWindow() override;
    ucScrollbarWindow(const ucScrollbarWindow&) = delete;
    ucScrollbarWindow& operator=(const ucScrollbarWindow&) = delete;

    // A hidden child of parent. running: in a program, not a designer (the hook goes in).
    bool Create(HWND parent, bool running);
    void Destroy();
    HWND hWnd() const { return window_; }
    ucScrollbar& bar() { return bar_; }
    // Repaints now.
    void Refresh();

    // What the list uses.
    int Value() const override { return bar_.Value(); }
    void SetValue(int value) override { bar_.SetValue(value); }
    int Max() const override { return bar_.Max(); }
    void SetMax(int max) override { bar_.SetMax(max); }
    bool Visible() const override { return bar_.Visible(); }
    void SetVisible(bool visible) override;
    int Width() const override { return bar_.width(); }
    void Move(int left, int top, int width, int height) override;

private:
    void StartTimer(int id, int milliseconds) override;
    void StopTimer(int id) override;
    void Repaint() override;
    void Change() override;
    void Scroll() override;
    void Show() override;
    void Hide() override;

    void Message(HookCall& call);
    void Paint(HDC dc);
    Point Cursor() const;

    HMODULE module_;
    ScrollbarEvents events_;
    ucScrollbar bar_;
    cScrollbarDraw painter_;
    MessageHook hook_;
    HWND window_ = nullptr;
    HBRUSH checkers_ = nullptr;
};

// The window class of the scrollbar (its own procedure does nothing but the defaults).
bool RegisterScrollbarClass(HMODULE module);
void UnregisterScrollbarClass(HMODULE module);

}  // namespace velmora::kelpo
