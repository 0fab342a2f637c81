#pragma once
// The window table: every framed window of the program with its size, captions and what its
// close button does.
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

}  // namespace velmora
