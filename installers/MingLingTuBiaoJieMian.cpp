// The icon-set and logon-screen kinds of the command line.
#include "core/XiTong.h"
#include "installers/AzJieMian.h"
#include "installers/AzTuBiao.h"
#include "installers/MingLing.h"
#include "platform/Strings.h"

namespace velmora {

namespace {

int Status(bool changed) { return changed ? 0 : 1; }

bool IsProgram(const std::string& path) { return EndsWith(ToLowerAscii(path), ".exe"); }

}  // namespace

int AnZhuangTuBiaoMingLing(Platform& p, const std::string& path) { return Status(AnZhuangTuBiao(p, path)); }

int HuanYuanTuBiaoMingLing(Platform& p) { return Status(HuanYuanTuBiao(p)); }

int AnZhuangJieMianMingLing(Platform& p, const std::string& path) {
    const std::string system = PanDuanXiTong(p);
    if (system == kWindowsXP) {
        // Anything but a program registered as the logon host would leave no way to log on.
        if (IsProgram(path) && XiaZaiAZJieMian(p, path)) return 0;
        p.dialogs.ShowMessage("启动界面安装失败！", "错误", MessageButtons::Ok);
        return 1;
    }
    if (system == kWindows7) {
        if (IsProgram(path)) {
            p.dialogs.ShowMessage("Win7暂时不支持该功能", "温馨提示", MessageButtons::Ok);
            return 1;
        }
        return Status(ZiDingYiBeiJing(p, path));
    }
    p.dialogs.ShowMessage("暂时只支持Win 7和Wind Xp使用该功能", "提示", MessageButtons::Ok);
    return 1;
}

int HuanYuanJieMianMingLing(Platform& p) { return Status(XieZaiJieMian(p)); }

}  // namespace velmora
