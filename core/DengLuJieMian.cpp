#include "core/DengLuJieMian.h"

#include "core/LuJing.h"
#include "core/ZiYuanMuLu.h"

namespace velmora {

std::string DengLuMuLu(Platform& p) { return WindowsLuJing(p, "\\LogonUI\\"); }

std::string DengLuChengXu(Platform& p) { return DengLuMuLu(p) + "Logon.exe"; }

std::string BeiJingMuLu(Platform& p) { return WindowsLuJing(p, "\\System32\\oobe\\info\\backgrounds\\"); }

std::string BeiJingTuPian(Platform& p) { return BeiJingMuLu(p) + kBeiJingWenJian; }

std::string MoBanMuLu(Platform& p) { return FenLeiMuLu(p, "启动界面", "登陆界面"); }

std::string MoBanChengXu(Platform& p, const std::string& name) { return MoBanMuLu(p) + name + "\\" + name + ".exe"; }

std::string ZiDingYiTuPian(Platform& p) { return MoBanMuLu(p) + "MyInterface.bmp"; }

}  // namespace velmora
