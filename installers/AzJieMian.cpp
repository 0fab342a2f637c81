#include "installers/AzJieMian.h"

#include <algorithm>

#include "core/ChuangTi.h"
#include "core/DengLuJieMian.h"
#include "core/XiTong.h"
#include "installers/BeiJingJpeg.h"
#include "platform/Strings.h"

namespace velmora {

namespace {

const char* AppTitle() { return ChuangTi(ChuangTiBianHao::Main).caption; }

bool RestoreBackground(Platform& p) {
    const std::string background = BeiJingTuPian(p);
    const std::string backup = background + kBeiFenHouZhui;
    bool ok = true;
    if (AnyFileExists(p.files, backup)) {
        ok = p.files.Move(backup, background);
    } else if (AnyFileExists(p.files, background)) {
        // Only the program's own background goes; anything else in the system folder stays.
        const auto bytes = p.files.ReadAll(background);
        if (bytes && ShiBenChengXuBeiJing(*bytes)) ok = p.files.Remove(background);
    }
    p.files.RemoveEmptyFolder(BeiJingMuLu(p));  // only when nothing else is left in it
    return ok;
}

bool BackUpForeignBackground(Platform& p, const std::string& background) {
    const std::string backup = background + kBeiFenHouZhui;
    if (!AnyFileExists(p.files, background) || AnyFileExists(p.files, backup)) return true;
    const auto bytes = p.files.ReadAll(background);
    if (bytes && ShiBenChengXuBeiJing(*bytes)) return true;
    return p.files.Copy(background, backup, false);
}

}  // namespace

std::string MoBanMing(const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

bool XiaZaiAZJieMian(Platform& p, const std::string& JieMianLj) {
    const std::string folder = DengLuMuLu(p);
    if (!DirectoryExists(p.files, folder)) p.files.CreateDirectories(folder);
    const std::string program = DengLuChengXu(p);
    // Registering a host that is not there would leave the machine without a logon screen.
    if (!p.files.Copy(JieMianLj, program, true)) return false;
    return p.registry.WriteString(kUIHost, program);
}

bool AzJieMianChuangKou::AzJieMian() { return XiaZaiAZJieMian(p_, moBanChengXu_); }

bool XieZaiJieMian(Platform& p) {
    const std::string system = PanDuanXiTong(p);
    if (system == kWindowsXP) {
        const std::string folder = DengLuMuLu(p);
        for (const std::string& name : p.files.ListFiles(folder, "*.*")) p.files.Remove(folder + name);
        p.files.RemoveEmptyFolder(folder);
        // An empty host is not the default: Windows XP's own is its logon program, by name.
        return p.registry.WriteExpandString(kUIHost, kUIHostXiTong);
    }
    bool ok = true;
    if (system == kWindows7) ok = RestoreBackground(p);
    return p.registry.WriteString(kUIHost, "") && ok;
}

bool AzJieMianChuangKou::Fail() {
    p_.dialogs.ShowMessage("失败", AppTitle(), MessageButtons::Ok);
    return false;
}

bool AzJieMianChuangKou::ShiYongTuPian(const std::string& picture) {
    tuPian_ = p_.pictures.Load(picture);
    if (!tuPian_) {
        p_.dialogs.ShowMessage("图片格式错误，请查看图片是否损坏！", "警告", MessageButtons::Ok);
        return false;
    }
    // The user's own picture is kept in the template library when there is one; the command
    // line makes no library folders.
    const std::string own = ZiDingYiTuPian(p_);
    const bool kept = DirectoryExists(p_.files, MoBanMuLu(p_)) && p_.pictures.SaveBmp(*tuPian_, own);
    c_.daTu = kept ? own : picture;
    ziDingYiTuPian_ = own;
    moBanMoShi_ = false;
    Show();
    return true;
}

bool AzJieMianChuangKou::XieRuBeiJing() {
    if (!tuPian_) tuPian_ = p_.pictures.Load(ziDingYiTuPian_);
    if (!tuPian_) return Fail();
    if (DirectoryExists(p_.files, MoBanMuLu(p_))) p_.pictures.SaveBmp(*tuPian_, ziDingYiTuPian_);
    const std::string background = BeiJingTuPian(p_);
    if (!p_.files.CreateDirectories(BeiJingMuLu(p_))) return Fail();
    // A background the program did not write is kept before the first one replaces it.
    if (!BackUpForeignBackground(p_, background)) return Fail();
    const auto jpeg = YaSuoBeiJing(p_.pictures, *tuPian_, kBeiJingZuiDa);
    if (!jpeg) return Fail();
    const std::string marked = BiaoJiBeiJing(*jpeg);
    auto file = p_.files.OpenForWrite(background);
    if (!file || !file->Write(marked.data(), marked.size()) || !file->Close()) return Fail();
    if (!p_.registry.WriteDword(kOEMBackground, 1)) return Fail();
    c_.chaKanKeYong = true;
    Show();
    return true;
}

bool ZiDingYiBeiJing(Platform& p, const std::string& picture) {
    AzJieMianChuangKou window(p);
    return window.ShiYongTuPian(picture) && window.XieRuBeiJing();
}

void AzJieMianChuangKou::Show() {
    if (view_) view_->Update(c_);
}

void AzJieMianChuangKou::Load() {
    if (!view_) return;
    AzJieMianView& view = *view_;
    bool ok = true;
    if (PanDuanXiTong(p_) == kWindows7) {
        p_.dialogs.ShowMessage("Win7暂时不支持该功能选择模板功能，只能自定义图片", "温馨提示", MessageButtons::Ok);
        c_.moBanKeYong = false;
        c_.suoLueTuKeYong = false;
        c_.xianShiSuoLueTu = false;
    } else {
        c_.ziDingYiKeJian = false;
        c_.chaKanKeYong = true;
    }
    ok = ChuShiChuangTi(p_, view, ChuangTiKuangJia(ChuangTiBianHao::AzJieMian)) && ok;

    const std::string folder = MoBanMuLu(p_);
    if (!DirectoryExists(p_.files, folder)) {
        p_.dialogs.ShowMessage("Donload 缺少文件!", "提示", MessageButtons::Ok);
        view.Unload();
        view_ = nullptr;
        return;
    }
    // The file list shows its names sorted.
    std::vector<std::string> names = p_.files.ListFiles(folder, "*.jpg");
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return ToLowerAscii(a) < ToLowerAscii(b); });
    for (const std::string& name : names) c_.moBan.push_back(MoBanMing(name));
    if (!c_.moBan.empty()) ok = SelectTemplate(0) && ok;
    moBanChengXu_ = MoBanChengXu(p_, c_.xuanZhong >= 0 ? c_.moBan[static_cast<size_t>(c_.xuanZhong)] : "");
    if (!ok) c_.yingYongKeYong = false;
    Show();
}

bool AzJieMianChuangKou::SelectTemplate(int index) {
    if (index < 0 || index >= static_cast<int>(c_.moBan.size())) return false;
    const std::string& name = c_.moBan[static_cast<size_t>(index)];
    const std::string picture = MoBanMuLu(p_) + name + ".jpg";
    const bool shown = !view_ || view_->CanShow(picture);
    c_.xuanZhong = index;
    c_.daTu = c_.xiaoTu = shown ? picture : "";
    moBanChengXu_ = MoBanChengXu(p_, name);
    moBanMoShi_ = true;
    Show();
    return shown;
}

void AzJieMianChuangKou::Combo1Click(int index) { SelectTemplate(index); }

void AzJieMianChuangKou::Check1Click(bool checked) {
    c_.suoLueTu = checked;
    c_.xianShiSuoLueTu = checked;
    Show();
}

void AzJieMianChuangKou::Command1Click() {
    if (moBanMoShi_) {
        if (AzJieMian()) {
            c_.chaKanKeYong = true;
            Show();
        } else {
            p_.dialogs.ShowMessage("启动界面安装失败！", "错误", MessageButtons::Ok);
        }
        return;
    }
    if (c_.moBan.empty()) {
        p_.dialogs.ShowMessage("请先下载模板进行操作", AppTitle(), MessageButtons::Ok);
        return;
    }
    if (!ziDingYiTuPian_.empty() && PanDuanXiTong(p_) == kWindows7) XieRuBeiJing();
}

void AzJieMianChuangKou::Command2Click() {
    if (p_.dialogs.ShowMessage("是否还原启动界面", "温馨提示", MessageButtons::OkCancel) != MessageResult::Ok) return;
    XieZaiJieMian(p_);
}

void AzJieMianChuangKou::Command3Click() {
    if (!view_) return;
    const auto chosen = view_->ChooseFile("指定图片(*.jpg;*.bmp)", "*.jpg;*.bmp", "打开文件", p_.environment.ProgramDirectory());
    if (chosen) ShiYongTuPian(*chosen);
}

void AzJieMianChuangKou::Command4Click() {
    p_.processes.Start("rundll32.exe user32.dll,LockWorkStation", ChuangKouYangShi::Minimized);
}

}  // namespace velmora
