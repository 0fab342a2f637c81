#pragma once
// The installer windows as the management centre's preview shows them: one window per kind for
// the whole process, loaded again with the program-wide selection each time it is asked for.
#include "core/PeiZhi.h"
#include "core/ZiYuanMuLu.h"
#include "platform/Platform.h"

namespace velmora {

// Unloads the kind's installer window if it is loaded, loads it with the selection and shows it
// in front, not modally. Themes have no installer window.
void XianShiAnZhuangChuangKou(Platform& p, const QuanJuSheZhi& settings, LeiXingBianHao kind);
// Unloads every installer window shown this way.
void XieZaiAnZhuangChuangKou();

}  // namespace velmora
