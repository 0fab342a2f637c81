// The icon-set and logon-screen kinds of the command line, until their installers are here.
#include "installers/MingLing.h"

namespace velmora {

int AnZhuangTuBiaoMingLing(Platform&, const std::string&) { return 1; }
int HuanYuanTuBiaoMingLing(Platform&) { return 1; }
int AnZhuangJieMianMingLing(Platform&, const std::string&) { return 1; }
int HuanYuanJieMianMingLing(Platform&) { return 1; }

}  // namespace velmora
