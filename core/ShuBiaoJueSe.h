#pragma once
// The cursor-role table every pointer feature uses (the installer, the scheme editor, the
// resource actions): role name = registry value name under HKEY_CURRENT_USER\Control
// Panel\Cursors = file stem, the system cursor id, and the cells and captions of the two windows
// that show the roles.
#include <array>
#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace velmora {

inline constexpr int kShuBiaoJueSeShu = 15;

struct ShuBiaoJueSe {
    const char* name;          // "Arrow"
    const char* file;          // "Arrow.ani"
    uint32_t systemCursorId;   // for SetSystemCursor; 0: set through the registry only
    int installerCell;         // PictureN of the installer's preview grid
    int editorCell;            // PictureN of the scheme editor
    const char* editorCaption; // label ShuoMing_ShuBiao(editorCell - 1), inner blanks kept
};

// In table order (alphabetical by file name), the order of the editor, apply, import and export.
const std::array<ShuBiaoJueSe, kShuBiaoJueSeShu>& ShuBiaoJueSeBiao();

// The order the installer copies, sets and deletes: Arrow, AppStarting, then the rest in table
// order.
const std::array<const ShuBiaoJueSe*, kShuBiaoJueSeShu>& ShuBiaoAnZhuangShunXu();

// The role by its name (letter case ignored), or null.
const ShuBiaoJueSe* ShuBiaoJueSeByName(const std::string& name);
// The role shown in the installer's PictureN (1 to 15), or null.
const ShuBiaoJueSe* ShuBiaoJueSeOfInstallerCell(int cell);

// "HKEY_CURRENT_USER\Control Panel\Cursors\" + role name: the role's registry value.
std::string ShuBiaoZhuCeZhi(const ShuBiaoJueSe& role);

// Windows directory + "\Cursors\Cursors\": where installed pointers live.
std::string YiAnZhuangShuBiaoMuLu(Platform& p);

// Program directory + "\Data storage\Cursors\": the default pointer files shipped with the program.
std::string MoRenShuBiaoMuLu(Platform& p);

}  // namespace velmora
