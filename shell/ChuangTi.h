#pragma once
// The chrome every window shares: a background picture that is also the drag area, a title
// label, a close button (and on the main window a minimise button) of three pictures each,
// rounded corners and the configured opacity.
#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace velmora {

enum class GuanBiDongZuo { TuiChuHuoYinCang, YinCang, XieZai };  // exit-or-hide, hide, unload

enum class ChuangTiBianHao { Main, GuanYu, AzBiZhi, AzJieMian, AzShuBiao, AzTuBiao, GuanLiZhongXin,
                             RuanJianSheZhi, ZiDongGenXin };

struct ChuangTiXinXi {
    ChuangTiBianHao id;
    const char* className;  // the window's own name
    int widthTwips;
    int heightTwips;
    const char* caption;  // what the taskbar shows
    const char* title;    // the title label WenZi; the main window's is built from the version
    GuanBiDongZuo closeAction;
};

const ChuangTiXinXi& ChuangTi(ChuangTiBianHao id);

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

// SheZhiChuangKouTuBiao's fallback: the executable in the program directory.
std::string ChengXuWenJian(Platform& p);

// Runs the chrome set-up. Returns false when a step failed (an error the caller may report);
// the failing step is skipped and the rest still runs. The main window's background is loaded
// later by the start-up and its icon step shows no message.
bool ChuShiChuangTi(Platform& p, ChromeView& view, const ChuangTiXinXi& window);

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
