#pragma once
// A frame: a child window that shows a picture (or the dialog face) and lets the labels and
// image controls on it draw over that picture.
#include <windows.h>

#include <memory>
#include <string>

#include "ui/win32/Backdrop.h"
#include "ui/win32/Picture.h"

namespace velmora {

class FileSystem;

inline constexpr wchar_t kPageFrameClass[] = L"VelmoraPageFrame";

class PageFrame : public Backdrop {
public:
    PageFrame() = default;
    ~PageFrame() override;
    PageFrame(const PageFrame&) = delete;
    PageFrame& operator=(const PageFrame&) = delete;

    // name becomes the window text, so the frame can be found by it.
    HWND Create(HWND parent, const std::string& name, int x, int y, int width, int height, bool visible);
    HWND hwnd() const { return hwnd_; }
    bool LoadPicture(FileSystem& files, const std::string& path);

    void PaintBackdrop(HDC hdc, int originX, int originY, int width, int height) override;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
    std::unique_ptr<Picture> picture_;
    BackdropCache cache_;
};

}  // namespace velmora
