#include "library/win32/AnZhuangChuangKou.h"

#include <memory>

#include "installers/win32/AzBiZhi_win.h"
#include "installers/win32/AzJieMian_win.h"
#include "installers/win32/AzShuBiao_win.h"
#include "installers/win32/AzTuBiao_win.h"

namespace velmora {

namespace {

struct ChuangKou {
    std::unique_ptr<AzBiZhiWindow> biZhi;
    std::unique_ptr<AzShuBiaoWindow> shuBiao;
    std::unique_ptr<AzTuBiaoWindow> tuBiao;
    std::unique_ptr<AzJieMianWindow> jieMian;
};

ChuangKou& Windows() {
    static ChuangKou windows;
    return windows;
}

// Loads a fresh window in place of the old one and shows it; the old one's window goes first.
template <typename W, typename... Args>
void Replace(std::unique_ptr<W>& slot, Platform& p, const Args&... selection) {
    slot.reset();
    auto window = std::make_unique<W>(p);
    if (!window->Load(selection...)) return;
    ShowWindow(window->hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(window->hwnd());
    slot = std::move(window);
}

}  // namespace

void XianShiAnZhuangChuangKou(Platform& p, const QuanJuSheZhi& settings, LeiXingBianHao kind) {
    ChuangKou& w = Windows();
    switch (kind) {
        case LeiXingBianHao::ZhuoMianBiZhi: Replace(w.biZhi, p, settings.DangQianTuPian); break;
        case LeiXingBianHao::ShuBiaoZhiZhen: Replace(w.shuBiao, p, settings.DangQianZiYuanMuLu); break;
        case LeiXingBianHao::XiTongTuBiao: Replace(w.tuBiao, p, settings.DangQianTuBiaoKu); break;
        case LeiXingBianHao::QiDongJieMian: Replace(w.jieMian, p); break;
        case LeiXingBianHao::DianNaoZhuTi: break;
    }
}

void XieZaiAnZhuangChuangKou() {
    ChuangKou& w = Windows();
    w.biZhi.reset();
    w.shuBiao.reset();
    w.tuBiao.reset();
    w.jieMian.reset();
}

}  // namespace velmora
