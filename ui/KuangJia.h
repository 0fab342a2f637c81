#pragma once
// The chrome every window shares: a background picture that is also the drag area, a title
// label, a close button (and on the main window a minimise button) of three pictures each,
// rounded corners and the configured opacity.
#include <cstdint>
#include <string>

#include "core/ChuangTi.h"
#include "platform/Platform.h"

namespace velmora {

// What the frame needs to know of its window.
struct KuangJia {
    std::string className;  // the window's own name
    std::string caption;    // what the taskbar shows
    std::string title;      // the title label WenZi
    int widthTwips = 0;
    int heightTwips = 0;
    // The main window: its background reaches past the edge, it has a minimise button, and its
    // background is loaded later by the start-up with no message here.
    bool zhuChuangKou = false;
    // Keeps the icon of its design (the about window's is also the tray icon).
    bool baoLiuTuBiao = false;
};

// The frame of a window of the program's window table; the main window's title carries the version.
KuangJia ChuangTiKuangJia(ChuangTiBianHao id);

inline constexpr int kTwipsPerInch = 1440;
// Twips to pixels at the screen's DPI, rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi);

// Places in twips, fixed for every window.
inline constexpr int kWenZiLeft = 200, kWenZiTop = 100;
inline constexpr int kAnNiuTop = -13;
inline constexpr int kGuanBiFromRight = 630, kSuoXiaoFromRight = 1050;
inline constexpr int kMainOverhang = 100;  // the main window's background reaches past its edge
inline constexpr int kYuanJiao = 5;        // corner ellipse in pixels, the same on every window

// What a framed window must do for its chrome; the Win32 window implements it, tests record it.
class ChromeView {
public:
    virtual ~ChromeView() = default;
    virtual void PlaceTitle(int leftTwips, int topTwips) = 0;
    virtual void SetTitleText(const std::string& text) = 0;
    virtual void SetBackgroundArea(int widthTwips, int heightTwips) = 0;  // DaoHang
    virtual void SetWindowSize(int widthTwips, int heightTwips) = 0;
    virtual void PlaceCloseButton(int leftTwips, int topTwips) = 0;
    virtual void PlaceMinimizeButton(int leftTwips, int topTwips) = 0;
    virtual bool LoadBackground(const std::string& path) = 0;
    // Sets the window's small icon from the file, or from the executable when the file is
    // missing; false when neither gives an icon.
    virtual bool SetIcon(const std::string& path, const std::string& fallbackExe, int index) = 0;
    virtual void AllowMinimize() = 0;
    virtual void RoundCorners(int widthTwips, int heightTwips, int cornerPixels) = 0;
    virtual void SetOpacity(uint8_t alpha) = 0;
};

// Runs the chrome set-up. Returns false when a step failed (an error the caller may report);
// the failing step is skipped and the rest still runs.
bool ChuShiChuangTi(Platform& p, ChromeView& view, const KuangJia& frame);

// The three pictures of an image button and which one each mouse event shows.
enum class AnNiuZhuangTai { PuTong = 1, XuanTing = 2, AnXia = 3 };  // normal, hover, pressed

struct AnNiuTuPian {
    std::string baseName;  // "Close" or "Minimization"
    std::string Path(Platform& p, AnNiuZhuangTai state) const;
};

// The state a mouse event moves an image button to, or the same state when it changes nothing.
enum class ShuBiaoShiJian { LiKai, YiDong, ZuoJianAnXia };  // leave, move, left press
AnNiuZhuangTai AnNiuXinZhuangTai(AnNiuZhuangTai current, ShuBiaoShiJian event, bool anyButtonHeld);

// Whether a mouse event on the title label or the background starts a window drag.
enum class TuoDongQu { WenZi, DaoHang };
bool KaiShiTuoDong(TuoDongQu where, ShuBiaoShiJian event, bool leftHeld);

}  // namespace velmora
