#pragma once
// The program's command line: "Velmora.exe /install <kind> <path> [<position>]" and
// "Velmora.exe /restore <kind>", with "/silent" anywhere, run one installer in a process of
// their own, before and without any window of the program. A resource link,
// "Velmora.exe velmora://resource/<id>" or "Velmora.exe /resource <id>", goes to the running
// program (started when there is none) and prepares that resource's download. "Velmora.exe
// /library <kind>" opens the management centre on a kind in the running program the same way.
#include <optional>
#include <string>
#include <vector>

#include "core/ZiYuanMuLu.h"
#include "platform/Platform.h"

namespace velmora {

enum class MingLingDongZuo {
    QiDong,    // no arguments: the ordinary start-up
    AnZhuang,  // /install
    HuanYuan,  // /restore
    ZiYuan,    // a resource link: the running program prepares its download
    ZiYuanKu,  // /library: the running program opens the management centre on a kind
    BuMing,    // not understood
};
enum class MingLingLeiXing { BiZhi, ShuBiao, TuBiao, JieMian };

struct MingLing {
    MingLingDongZuo action = MingLingDongZuo::QiDong;
    MingLingLeiXing kind = MingLingLeiXing::BiZhi;
    std::string path;      // /install only
    std::string position;  // wallpapers only: "拉伸", "居中" or "平铺"
    std::string id;        // resource links only: a plain id (ZiYuanIdHeFa)
    std::string library;   // /library only: the library's kind name ("桌面壁纸", "电脑主题", ...)
    bool silent = false;
};

// The kinds by either spelling ("桌面壁纸" or "wallpaper", letter case ignored), or false.
bool MingLingLeiXingByName(const std::string& word, MingLingLeiXing* kind);

// A kind of the library by the command line's names, themes included ("电脑主题" or "themes").
const ZiYuanLeiXing* ZiYuanKuLeiXingByName(const std::string& word);

// args are the arguments after the program name, as the system splits them.
MingLing JieXiMingLingHang(const std::vector<std::string>& args);

// Runs a command other than QiDong and gives the exit status: 0 when the change was made, 1
// when it was refused or failed (after the installer's message), 2 for a command line not
// understood (after a usage message). With silent no message is shown at all.
int ZhiXingMingLing(Platform& p, const MingLing& command);

// The usage message's text.
std::string MingLingYongFa();

// A command line as one block of bytes for another instance of the program: the arguments
// separated by NUL bytes.
std::string BianMaMingLing(const std::vector<std::string>& args);
// The arguments again; nothing for a block that is too long or holds too many arguments. The
// block comes from outside: what it says is parsed like any command line.
std::optional<std::vector<std::string>> JieMaMingLing(const std::string& block);
inline constexpr size_t kMingLingZuiChang = 4096;

}  // namespace velmora
