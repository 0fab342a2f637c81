#include "shell/MingLingHang.h"

#include "installers/AzBiZhi.h"
#include "installers/AzShuBiao.h"
#include "installers/MingLing.h"

namespace velmora {

namespace {

// Shows nothing; questions are answered as if confirmed.
class SilentDialogs : public Dialogs {
public:
    MessageResult ShowMessage(const std::string&, const std::string&, MessageButtons buttons) override {
        return buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
    }
};

int Result(bool ok) { return ok ? 0 : 1; }

}  // namespace

int ZhiXingMingLing(Platform& real, const MingLing& command) {
    SilentDialogs silent;
    Platform quiet{real.registry, real.profile,  real.files,    real.environment, real.system,
                   silent,        real.codePage, real.pictures, real.desktop,     real.drives,
                   real.processes, real.iconFiles};
    Platform& p = command.silent ? quiet : real;

    if (command.action == MingLingDongZuo::AnZhuang) {
        switch (command.kind) {
            case MingLingLeiXing::BiZhi: return Result(AnZhuangBiZhi(p, command.position, command.path));
            case MingLingLeiXing::ShuBiao: return Result(SheZhi(p, command.path));
            case MingLingLeiXing::TuBiao: return AnZhuangTuBiaoMingLing(p, command.path);
            case MingLingLeiXing::JieMian: return AnZhuangJieMianMingLing(p, command.path);
        }
    }
    if (command.action == MingLingDongZuo::HuanYuan) {
        switch (command.kind) {
            case MingLingLeiXing::BiZhi:
                p.dialogs.ShowMessage("桌面壁纸不支持还原！", "提示", MessageButtons::Ok);
                return 1;
            case MingLingLeiXing::ShuBiao: return Result(XiaZaiSheZhi(p));
            case MingLingLeiXing::TuBiao: return HuanYuanTuBiaoMingLing(p);
            case MingLingLeiXing::JieMian: return HuanYuanJieMianMingLing(p);
        }
    }
    p.dialogs.ShowMessage(MingLingYongFa(), "Velmora", MessageButtons::Ok);
    return 2;
}

}  // namespace velmora
