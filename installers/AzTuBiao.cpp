#include "installers/AzTuBiao.h"

#include <cctype>

#include "core/LuJing.h"
#include "core/XiTong.h"
#include "platform/Strings.h"

namespace velmora::installers {

namespace {

constexpr size_t kQuDongQiHuanChong = 64;  // the first guess; a longer list is asked for again
const char* const kTuBiaoDaXiao = "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size";
constexpr unsigned kGuangBoChaoShi = 5000;  // ms a window may take to answer the broadcast
const char* const kBuZhiChi = "暂时只支持Win 7和Wind Xp使用该功能";

std::string Reference(const std::string& library, int index) { return library + "," + std::to_string(index); }

}  // namespace

std::string TuBiaoKuFuBen(Platform& p) { return WindowsLuJing(p, "\\Icon\\") + "\\Icon.icl"; }

std::vector<std::string> LuoJiQuDongQi(Drives& drives) {
    size_t size = kQuDongQiHuanChong;
    // The list may grow between two calls (a drive plugged in): ask again with each new size.
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::vector<char> buffer(size + 1, '\0');
        const size_t n = drives.LogicalDriveStrings(buffer.data(), size);
        if (n == 0) return {};
        if (n > size) {
            size = n;
            continue;
        }
        std::vector<std::string> entries;
        for (size_t at = 0; at < n;) {
            const std::string entry(buffer.data() + at);
            if (entry.empty()) break;
            entries.push_back(entry);
            at += entry.size() + 1;
        }
        return entries;
    }
    return {};
}

char DiYiGeGuangQu(Drives& drives) {
    for (const std::string& entry : LuoJiQuDongQi(drives)) {
        if (drives.TypeOf(entry) == DriveType::CdRom) {
            return static_cast<char>(std::toupper(static_cast<unsigned char>(entry[0])));
        }
    }
    return '\0';
}

std::vector<char> GuDingCiPan(Drives& drives) {
    std::vector<char> letters;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const DriveType type = drives.TypeOf(std::string(1, letter) + ":");
        if (type == DriveType::NoRootDir) break;
        if (type == DriveType::Fixed) letters.push_back(letter);
    }
    return letters;
}

std::vector<int> YuLanXiang(int imageCount) {
    std::vector<int> items(3, 0);
    for (int k = 1; k <= imageCount; ++k) {
        if (k == 4) items.push_back(0);
        if (k == 7 || k == 10) items.insert(items.end(), 3, 0);
        items.push_back(k);
    }
    return items;
}

bool AzTuBiao::Write(const std::string& path, const std::string& value) { return p_.registry.WriteString(path, value); }

bool AzTuBiao::Install(TuBiaoXiTong system, const std::string& fileName) {
    // Pointing the shell at a library that is not there would blank every icon it names.
    if (!AnyFileExists(p_.files, fileName)) {
        p_.dialogs.ShowMessage("缺少图标库文件！", "温馨提示", MessageButtons::Ok);
        return false;
    }
    const std::string library = TuBiaoKuFuBen(p_);
    p_.files.CreateDirectories(WindowsLuJing(p_, "\\Icon\\"));
    if (!p_.files.Copy(fileName, library, true)) {
        p_.dialogs.ShowMessage("图标库文件复制失败！", "温馨提示", MessageButtons::Ok);
        return false;
    }

    bool ok = true;
    for (int index = 0; index <= 6; ++index) {
        ok = Write(TuBiaoWeiZhi(TuBiaoCaoAt(index), system), Reference(library, index)) && ok;
    }
    if (const char cd = DiYiGeGuangQu(p_.drives)) {
        ok = Write(TuBiaoWeiZhi(TuBiaoCaoAt(kGuangQu), system, cd), Reference(library, kGuangQu)) && ok;
    }
    ok = Write(TuBiaoWeiZhi(TuBiaoCaoAt(8), system), Reference(library, 8)) && ok;
    if (const auto items = p_.drives.RecycleBinItems()) {
        ok = Write(kHuiShouZhanDangQian, Reference(library, *items == 0 ? kHuiShouZhanKong : kHuiShouZhanMan)) && ok;
    }
    for (char letter : GuDingCiPan(p_.drives)) {
        ok = Write(TuBiaoWeiZhi(TuBiaoCaoAt(kYingPan), system, letter), Reference(library, kYingPan)) && ok;
    }
    Refresh(system);
    return ok;
}

bool AzTuBiao::RestoreSlot(int index, TuBiaoXiTong system, char driveLetter) {
    const TuBiaoCao& slot = TuBiaoCaoAt(index);
    const std::string path = TuBiaoWeiZhi(slot, system, driveLetter);
    const TuBiaoHuanYuan restore = TuBiaoHuanYuanZhi(slot, system);
    switch (restore.action) {
        case HuanYuanDongZuo::XieRu: return Write(path, restore.value);
        // A value that is not there is already as the restore wants it.
        case HuanYuanDongZuo::ShanChu: return p_.registry.DeleteValue(path) || !p_.registry.ReadString(path);
        case HuanYuanDongZuo::BuXie: return true;
    }
    return true;
}

bool AzTuBiao::Restore(TuBiaoXiTong system) {
    const std::string folder = WindowsLuJing(p_, "\\Icon\\");
    for (const std::string& name : p_.files.ListFiles(folder, "*.*")) p_.files.Remove(folder + name);
    p_.files.RemoveEmptyFolder(folder);

    bool ok = true;
    for (int index : {0, 1, 2}) ok = RestoreSlot(index, system) && ok;
    if (system == TuBiaoXiTong::Xp) {
        if (const auto items = p_.drives.RecycleBinItems()) {
            ok = Write(kHuiShouZhanDangQian, *items == 0 ? kHuiShouZhanKongXp : kHuiShouZhanManXp) && ok;
        }
    }
    for (int index : {3, 4}) ok = RestoreSlot(index, system) && ok;
    if (const char cd = DiYiGeGuangQu(p_.drives)) ok = RestoreSlot(kGuangQu, system, cd) && ok;
    for (int index : {5, 6, 8}) ok = RestoreSlot(index, system) && ok;
    for (char letter : GuDingCiPan(p_.drives)) ok = RestoreSlot(kYingPan, system, letter) && ok;
    Refresh(system);
    return ok;
}

void AzTuBiao::Refresh(TuBiaoXiTong system) {
    if (system == TuBiaoXiTong::Xp) {
        // Changing the icon size makes the shell rebuild its icons; the second call puts it back.
        SheZhiTuBiaoDaXiao("30");
        SheZhiTuBiaoDaXiao("32");
        return;
    }
    // Windows 7 keeps its icons in a cache file; the shell restarts and reads them anew. The
    // command line is started without a command interpreter, so the profile folder is filled in.
    const std::string profile = p_.environment.Variable("userprofile").value_or("%userprofile%");
    p_.processes.Start("attrib -h -s -r \"" + profile + "\\AppData\\Local\\IconCache.db\"", ChuangKouYangShi::Hidden);
    p_.processes.Start("cmd /c  taskkill /f /im explorer.exe & start explorer", ChuangKouYangShi::Hidden);
}

bool AzTuBiao::SheZhiTuBiaoDaXiao(const std::string& size) {
    const bool ok = p_.registry.WriteUnterminatedString(kTuBiaoDaXiao, size);
    p_.desktop.BroadcastSettingChange(0, "", kGuangBoChaoShi);
    return ok;
}

bool AzTuBiao::XpTuBiaoAz(const std::string& fileName) { return Install(TuBiaoXiTong::Xp, fileName); }
bool AzTuBiao::Win7TuBiaoAz(const std::string& fileName) { return Install(TuBiaoXiTong::Win7, fileName); }
bool AzTuBiao::XpTuBiaoHy() { return Restore(TuBiaoXiTong::Xp); }
bool AzTuBiao::Win7TuBiaoAzHy() { return Restore(TuBiaoXiTong::Win7); }

void AzTuBiao::Refuse() { p_.dialogs.ShowMessage(kBuZhiChi, "提示", MessageButtons::Ok); }

bool AzTuBiao::AnZhuang(const std::string& fileName) {
    const std::string system = PanDuanXiTong(p_);
    if (system == kWindowsXP) return XpTuBiaoAz(fileName);
    if (system == kWindows7) return Win7TuBiaoAz(fileName);
    Refuse();
    return false;
}

bool AzTuBiao::HuanYuan() {
    const std::string system = PanDuanXiTong(p_);
    if (system == kWindowsXP) return XpTuBiaoHy();
    if (system == kWindows7) return Win7TuBiaoAzHy();
    Refuse();
    return false;
}

void AzTuBiao::Load(AzTuBiaoView& view, const std::string& set) {
    ChuShiChuangTi(p_, view, ChuangTiKuangJia(ChuangTiBianHao::AzTuBiao));
    set_ = set;
    view.ClearPreview();
    int images = 0;
    // A file that is not an icon library answers every index alike: stop there too.
    for (;; ++images) {
        void* icon = nullptr;
        if (p_.iconFiles.Extract(set_, images, &icon) != IconExtraction::Icon) break;
        view.AddImage(icon);
    }
    for (int item : YuLanXiang(images)) view.AddItem(item);
}

void AzTuBiao::Command1Click() {
    if (p_.dialogs.ShowMessage("是否安装系统图标", "温馨提示", MessageButtons::OkCancel) != MessageResult::Ok) return;
    AnZhuang(set_);
}

void AzTuBiao::Command2Click() {
    if (p_.dialogs.ShowMessage("是否还原系统图标", "温馨提示", MessageButtons::OkCancel) != MessageResult::Ok) return;
    HuanYuan();
}

}  // namespace velmora::installers
