#pragma once
// A borderless top-level window with the shared chrome: background picture (also the drag
// area), title label, close button and optionally a minimise button.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/KuangJia.h"
#include "ui/win32/AlphaImage.h"
#include "ui/win32/Backdrop.h"
#include "ui/win32/Picture.h"

namespace velmora {

inline constexpr wchar_t kFrameClass[] = L"VelmoraFrame";

class FramedWindow : public virtual ChromeView, public Backdrop {
public:
    FramedWindow(Platform& platform, KuangJia frame);
    ~FramedWindow() override;
    FramedWindow(const FramedWindow&) = delete;
    FramedWindow& operator=(const FramedWindow&) = delete;

    // Creates the window hidden, with its chrome controls; the load handler comes after.
    bool Create();
    HWND hwnd() const { return hwnd_; }
    int Dpi() const { return dpiX_; }
    int PxX(int twips) const { return TwipsToPixels(twips, dpiX_); }
    int PxY(int twips) const { return TwipsToPixels(twips, dpiY_); }

    // ChromeView
    void PlaceTitle(int leftTwips, int topTwips) override;
    void SetTitleText(const std::string& text) override;
    void SetBackgroundArea(int widthTwips, int heightTwips) override;
    void SetWindowSize(int widthTwips, int heightTwips) override;
    void PlaceCloseButton(int leftTwips, int topTwips) override;
    void PlaceMinimizeButton(int leftTwips, int topTwips) override;
    bool LoadBackground(const std::string& path) override;
    bool SetIcon(const std::string& path, const std::string& fallbackExe, int index) override;
    void AllowMinimize() override;
    void RoundCorners(int widthTwips, int heightTwips, int cornerPixels) override;
    void SetOpacity(uint8_t alpha) override;

    // Backdrop
    void PaintBackdrop(HDC hdc, int originX, int originY, int width, int height) override;

    // Pictures drawn over the background in the order they were added (tabs, markers); the
    // controls on top see them through their transparent parts.
    int AddSprite(const std::string& path, int leftTwips, int topTwips, bool visible);
    // A part of a picture several sprites share (a strip, decoded once).
    int AddSprite(std::shared_ptr<const Picture> strip, const RECT& part, int leftTwips, int topTwips, bool visible);
    void MoveSprite(int sprite, int leftTwips, int topTwips);
    void ShowSprite(int sprite, bool visible);
    POINT SpritePosition(int sprite) const;  // in pixels
    bool SpriteVisible(int sprite) const;

protected:
    virtual void OnCloseClicked() = 0;
    virtual void OnMinimizeClicked() {}
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    Platform& platform() { return p_; }
    const KuangJia& frame() const { return frame_; }

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void WireButton(AlphaImage& button, AnNiuTuPian pictures, AnNiuZhuangTai& state, bool close);
    void StartDrag();

    Platform& p_;
    const KuangJia frame_;
    HWND hwnd_ = nullptr;
    int dpiX_ = 96, dpiY_ = 96;
    std::unique_ptr<Picture> background_;
    SIZE backgroundArea_ = {0, 0};
    Label title_;
    AlphaImage close_, minimize_;
    AnNiuZhuangTai closeState_ = AnNiuZhuangTai::PuTong, minimizeState_ = AnNiuZhuangTai::PuTong;
    struct Sprite {
        std::shared_ptr<const Picture> picture;
        RECT part;  // in the picture's own pixels
        POINT at;
        bool visible;
        SIZE Size(int dpiX, int dpiY) const;
    };
    void InvalidateSprite(const Sprite& sprite);
    void ComposeBackdrop(HDC hdc, int width, int height);
    BackdropCache cache_;
    std::vector<Sprite> sprites_;
    HFONT titleFont_ = nullptr;
    HICON smallIcon_ = nullptr, bigIcon_ = nullptr;
};

// The number of framed windows alive; the message loop ends when the last one is gone.
int LiveFramedWindows();

}  // namespace velmora
