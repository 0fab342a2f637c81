#pragma once
// What the command line ("Velmora.exe /install <kind> <path>", "/restore <kind>") calls for the
// icon-set and logon-screen kinds. Each returns the process's exit status: 0 when the change
// was made, 1 when it was refused or failed (after the installer's own message, which the
// platform's dialogs may silence).
#include <string>

#include "platform/Platform.h"

namespace velmora {

// <path>: an icon library; the XP or Windows 7 install as PanDuanXiTong says.
int AnZhuangTuBiaoMingLing(Platform& p, const std::string& path);
int HuanYuanTuBiaoMingLing(Platform& p);
// <path>: on Windows XP a logon program, on Windows 7 a picture for the logon background.
int AnZhuangJieMianMingLing(Platform& p, const std::string& path);
int HuanYuanJieMianMingLing(Platform& p);

}  // namespace velmora
