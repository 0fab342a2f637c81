#pragma once
// The configuration store "\Data storage\Sys.dll" (INI text in the system code page), read and
// written one key at a time and never cached, and the small helpers every window uses.
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace velmora {

inline constexpr size_t kPeiZhiHuanChong = 255;  // read buffer, terminator included

// Program directory + "\Data storage\Sys.dll", built fresh at each call.
std::string PeiZhiWenJian(Platform& p);

// A missing file (hidden and system files count as missing) shows "缺少配置文件!" and reads as
// the empty string; an absent section or key reads as the empty string.
std::string DuPeiZhi(Platform& p, const std::string& section, const std::string& key, const std::string& file);
// A missing file shows the same message and is never created.
void XiePeiZhi(Platform& p, const std::string& section, const std::string& key, const std::string& value,
               const std::string& file);

// Any value other than "0" counts as "1".
inline bool PeiZhiKaiGuan(const std::string& value) { return value != "0"; }

// A window opacity from its configuration text: a decimal integer, clamped to 0-255. Empty or
// non-numeric text gives nothing (the caller keeps the window opaque).
std::optional<int> JieXiTouMingDu(const std::string& value);

// True when the platform reports a connection.
bool JianChaWangLuo(Platform& p);

// Process-wide settings set at start-up and by the settings dialog.
struct QuanJuSheZhi {
    bool GuanBiTuiChu = false;    // the close button exits the program
    bool XiaZaiAnZhuang = false;  // install a resource when its download completes
    std::string DangQianLeiXing;  // kind open in the management centre
    // The management centre's selection, read by the installer windows when they open.
    std::string DangQianTuPian;      // the preview picture (for wallpapers the wallpaper)
    std::string DangQianZiYuanMuLu;  // a cursor scheme's folder
    std::string DangQianTuBiaoKu;    // an icon set's icon library
    std::string DangQianJieMianBao;  // a logon screen's package
};

}  // namespace velmora
