#pragma once
// Child controls that draw over their parent's picture (text labels, alpha-blended buttons) ask
// the parent to paint its background under them first. A parent offers that by implementing
// Backdrop and registering itself on its window.
#include <windows.h>

#include <functional>

namespace velmora {

class Backdrop {
public:
    virtual ~Backdrop() = default;
    // Paints the parent's background into hdc, whose origin is at (originX, originY) of the
    // parent's client area.
    virtual void PaintBackdrop(HDC hdc, int originX, int originY, int width, int height) = 0;
};

void SetBackdrop(HWND window, Backdrop* backdrop);
// Marks the window, or the part given, with the controls on it to be painted again. Nothing
// needs doing while it is hidden: a window is painted whole when it shows.
void Repaint(HWND window, const RECT* part = nullptr);
// Paints the parent's background for the child into hdc (the child's client coordinates);
// without a registered parent it fills with the dialog face colour.
void PaintParentBackdrop(HWND child, HDC hdc, int width, int height);

// Puts the part at (originX, originY) of an area of the given size into hdc, width x height:
// copy(x, y, w, h) draws the area's pixels from (originX + x, originY + y) to (x, y) of hdc for
// what lies inside the area; what lies beyond it (a control reaching past the window's edge)
// is the dialog face. Each pixel is written once, so this may go straight to the screen.
void CopyArea(HDC hdc, int originX, int originY, int width, int height, SIZE area,
              const std::function<void(int x, int y, int w, int h)>& copy);

// A window's composed background (picture and everything drawn on it), kept in memory so that
// the many small controls over it copy their part instead of drawing the pictures again.
class BackdropCache {
public:
    BackdropCache() = default;
    ~BackdropCache();
    BackdropCache(const BackdropCache&) = delete;
    BackdropCache& operator=(const BackdropCache&) = delete;

    void Invalidate() { valid_ = false; }
    // Copies the part at (originX, originY) into hdc, composing the whole background of the
    // given size first when it changed.
    template <typename Compose>
    void Paint(HDC hdc, int originX, int originY, int width, int height, SIZE full, Compose compose) {
        if (!valid_ || full.cx != size_.cx || full.cy != size_.cy) {
            HDC mem = Prepare(hdc, full);
            compose(mem);
            Finish(mem);
        }
        CopyTo(hdc, originX, originY, width, height);
    }

private:
    HDC Prepare(HDC like, SIZE full);
    void Finish(HDC mem);
    void CopyTo(HDC hdc, int originX, int originY, int width, int height);
    HBITMAP bitmap_ = nullptr;
    SIZE size_ = {0, 0};
    bool valid_ = false;
};

// A memory surface the size of a window's client area, copied to the screen when it ends.
class BufferedPaint {
public:
    BufferedPaint(HWND window, HDC target);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC dc() const { return mem_; }
    int width() const { return w_; }
    int height() const { return h_; }

private:
    HDC target_, mem_;
    HBITMAP bitmap_, old_;
    int w_, h_;
};

// Answers WM_PAINT of a window that shows nothing but its backdrop: composed off screen by its
// cache, it is copied to the screen in one go.
void PaintBackdropWindow(HWND window, Backdrop& backdrop);

// Answers WM_PAINT through a memory surface: draw(hdc, width, height) paints the whole client.
template <typename Draw>
void PaintBuffered(HWND window, Draw draw) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(window, &ps);
    {
        BufferedPaint buffer(window, hdc);
        draw(buffer.dc(), buffer.width(), buffer.height());
    }
    EndPaint(window, &ps);
}

}  // namespace velmora
