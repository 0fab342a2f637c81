#include "installers/AzShuBiao.h"

#include "core/ShuBiaoJueSe.h"
#include "platform/Strings.h"

namespace velmora {

namespace {
const char* const kMissing = "缺少美化图标！";
const char* const kTitle = "温馨提示";
constexpr uint32_t kEnter = 13;

bool Fail(Platform& p) {
    p.dialogs.ShowMessage(kMissing, kTitle, MessageButtons::Ok);
    return false;
}
}  // namespace

bool SheZhi(Platform& p, const std::string& shuBiaoLj) {
    const std::string target = YiAnZhuangShuBiaoMuLu(p);
    // Every file is checked before anything is copied: a half-copied scheme would show two
    // schemes mixed after the next logon.
    for (const ShuBiaoJueSe* role : ShuBiaoAnZhuangShunXu()) {
        if (!AnyFileExists(p.files, JoinPath(shuBiaoLj, role->file))) return Fail(p);
    }
    if (!p.files.CreateDirectories(target)) return Fail(p);
    for (const ShuBiaoJueSe* role : ShuBiaoAnZhuangShunXu()) {
        const std::string from = JoinPath(shuBiaoLj, role->file), to = target + role->file;
        // Installing the installed scheme again: a file cannot be copied onto itself.
        if (EqualsIgnoreAsciiCase(from, to)) continue;
        if (!p.files.Copy(from, to, true)) return Fail(p);
    }
    for (const ShuBiaoJueSe* role : ShuBiaoAnZhuangShunXu()) {
        const std::string file = target + role->file;
        // Help and NWPen have no system cursor: the registry alone names them.
        if (role->systemCursorId != 0) p.desktop.SetSystemCursorFromFile(file, role->systemCursorId);
        if (!p.registry.WriteString(ShuBiaoZhuCeZhi(*role), file)) return Fail(p);
    }
    return true;
}

bool XiaZaiSheZhi(Platform& p) {
    // Every step ignores its own failure and the next one runs.
    const std::string target = YiAnZhuangShuBiaoMuLu(p);
    for (const std::string& name : p.files.ListFiles(target, "*")) p.files.Remove(target + name);
    p.files.RemoveEmptyFolder(target);
    bool cleared = true;
    for (const ShuBiaoJueSe* role : ShuBiaoAnZhuangShunXu()) {
        p.registry.DeleteValue(ShuBiaoZhuCeZhi(*role));
        cleared = cleared && !p.registry.ReadString(ShuBiaoZhuCeZhi(*role));
    }
    // With the values gone the system falls back to its own pointers once it reloads them.
    p.desktop.ReloadCursors();
    return cleared;
}

std::string AnXiaQueDing(Platform& p, const std::string& title) {
    const uintptr_t window = p.desktop.FindWindowByTitle(title);
    if (window != 0) {
        p.desktop.HideWindow(window);
        p.desktop.PostKeyDown(window, kEnter);
    }
    return std::to_string(window);
}

void QueRenDingShiQi::Start(uint64_t nowMs) {
    timer1_ = true;
    timer2_ = false;
    timer1Since_ = nowMs;
}

void QueRenDingShiQi::OnTimer1(Platform& p, uint64_t nowMs) {
    if (!timer1_) return;
    if (AnXiaQueDing(p, "鼠标 属性") != "0") {
        AnXiaQueDing(p, "鼠标 属性");
        timer1_ = false;
        timer2_ = true;
        timer2Since_ = nowMs;
    } else if (nowMs - timer1Since_ >= kTimer1LimitMs) {
        timer1_ = false;  // the control panel never came: give up
    }
}

void QueRenDingShiQi::OnTimer2(Platform& p, uint64_t nowMs) {
    if (!timer2_) return;
    // A question that Enter does not answer is left to the user.
    if (nowMs - timer2Since_ < kTimer2LimitMs && AnXiaQueDing(p, "是否替换方案?") != "0") {
        AnXiaQueDing(p, "是否替换方案?");
    } else {
        timer2_ = false;
    }
}

void AzShuBiao::Load(const std::string& dangQianZiYuanMuLu) {
    dangQianZiYuanMuLu_ = dangQianZiYuanMuLu;
    ChuShiChuangTi(p_, view_, ChuangTiKuangJia(ChuangTiBianHao::AzShuBiao));
    JiaZaiYuLan();
}

std::string AzShuBiao::CellFile(int cell) const {
    const ShuBiaoJueSe* role = ShuBiaoJueSeOfInstallerCell(cell);
    return role ? dangQianZiYuanMuLu_ + role->file : std::string();
}

void AzShuBiao::JiaZaiYuLan() {
    for (int cell = 1; cell <= kShuBiaoJueSeShu; ++cell) {
        // A missing file draws nothing.
        const std::string file = CellFile(cell);
        if (AnyFileExists(p_.files, file)) view_.DrawShellIcon(cell, file);
    }
}

void AzShuBiao::OnCellMouseMove(int cell) {
    if (text1_ != "0") return;
    const std::string file = CellFile(cell);
    if (!file.empty() && AnyFileExists(p_.files, file)) view_.SetCellCursor(cell, file);
    text1_ = "1";
}

bool AzShuBiao::OnAnZhuang() {
    if (p_.dialogs.ShowMessage("是否安装鼠标指针", kTitle, MessageButtons::OkCancel) != MessageResult::Ok) return false;
    return SheZhi(p_, dangQianZiYuanMuLu_);
}

bool AzShuBiao::OnHuanYuan() {
    if (p_.dialogs.ShowMessage("是否还原鼠标指针", kTitle, MessageButtons::OkCancel) != MessageResult::Ok) return false;
    return XiaZaiSheZhi(p_);
}

}  // namespace velmora
