#include "installers/AzTuBiao.h"

#include <cctype>

#include "core/LuJing.h"
#include "core/XiTong.h"
#include "platform/Strings.h"

namespace velmora {

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

namespace {

bool Write(Platform& p, const std::string& path, const std::string& value) { return p.registry.WriteString(path, value); }

void Refresh(Platform& p, TuBiaoXiTong system);

bool Install(Platform& p, TuBiaoXiTong system, const std::string& fileName) {
    // Pointing the shell at a library that is not there would blank every icon it names.
    if (!AnyFileExists(p.files, fileName)) {
        p.dialogs.ShowMessage("缺少图标库文件！", "温馨提示", MessageButtons::Ok);
        return false;
    }
    const std::string library = TuBiaoKuFuBen(p);
    p.files.CreateDirectories(WindowsLuJing(p, "\\Icon\\"));
    if (!p.files.Copy(fileName, library, true)) {
        p.dialogs.ShowMessage("图标库文件复制失败！", "温馨提示", MessageButtons::Ok);
        return false;
    }

    bool ok = true;
    for (int index = 0; index <= 6; ++index) {
        ok = Write(p, TuBiaoWeiZhi(TuBiaoCaoAt(index), system), Reference(library, index)) && ok;
    }
    if (const char cd = DiYiGeGuangQu(p.drives)) {
        ok = Write(p, TuBiaoWeiZhi(TuBiaoCaoAt(kGuangQu), system, cd), Reference(library, kGuangQu)) && ok;
    }
    ok = Write(p, TuBiaoWeiZhi(TuBiaoCaoAt(8), system), Reference(library, 8)) && ok;
    if (const auto items = p.drives.RecycleBinItems()) {
        ok = Write(p, kHuiShouZhanDangQian, Reference(library, *items == 0 ? kHuiShouZhanKong : kHuiShouZhanMan)) && ok;
    }
    for (char letter : GuDingCiPan(p.drives)) {
        ok = Write(p, TuBiaoWeiZhi(TuBiaoCaoAt(kYingPan), system, letter), Reference(library, kYingPan)) && ok;
    }
    Refresh(p, system);
    return ok;
}

bool RestoreSlot(Platform& p, int index, TuBiaoXiTong system, char driveLetter = '\0') {
    const TuBiaoCao& slot = TuBiaoCaoAt(index);
    const std::string path = TuBiaoWeiZhi(slot, system, driveLetter);
    const TuBiaoHuanYuan restore = TuBiaoHuanYuanZhi(slot, system);
    switch (restore.action) {
        case HuanYuanDongZuo::XieRu: return Write(p, path, restore.value);
        // A value that is not there is already as the restore wants it.
        case HuanYuanDongZuo::ShanChu: return p.registry.DeleteValue(path) || !p.registry.ReadString(path);
        case HuanYuanDongZuo::BuXie: return true;
    }
    return true;
}

bool Restore(Platform& p, TuBiaoXiTong system) {
    const std::string folder = WindowsLuJing(p, "\\Icon\\");
    for (const std::string& name : p.files.ListFiles(folder, "*.*")) p.files.Remove(folder + name);
    p.files.RemoveEmptyFolder(folder);

    bool ok = true;
    for (int index : {0, 1, 2}) ok = RestoreSlot(p, index, system) && ok;
    if (system == TuBiaoXiTong::Xp) {
        if (const auto items = p.drives.RecycleBinItems()) {
            ok = Write(p, kHuiShouZhanDangQian, *items == 0 ? kHuiShouZhanKongXp : kHuiShouZhanManXp) && ok;
        }
    }
    for (int index : {3, 4}) ok = RestoreSlot(p, index, system) && ok;
    if (const char cd = DiYiGeGuangQu(p.drives)) ok = RestoreSlot(p, kGuangQu, system, cd) && ok;
    for (int index : {5, 6, 8}) ok = RestoreSlot(p, index, system) && ok;
    for (char letter : GuDingCiPan(p.drives)) ok = RestoreSlot(p, kYingPan, system, letter) && ok;
    Refresh(p, system);
    return ok;
}

void Refresh(Platform& p, TuBiaoXiTong system) {
    if (system == TuBiaoXiTong::Xp) {
        // Changing the icon size makes the shell rebuild its icons; the second call puts it back.
        SheZhiTuBiaoDaXiao(p, "30");
        SheZhiTuBiaoDaXiao(p, "32");
        return;
    }
    // Windows 7 keeps its icons in a cache file; the shell restarts and reads them anew. The
    // command line is started without a command interpreter, so the profile folder is filled in.
    const std::string profile = p.environment.Variable("userprofile").value_or("%userprofile%");
    p.processes.Start("attrib -h -s -r \"" + profile + "\\AppData\\Local\\IconCache.db\"", ChuangKouYangShi::Hidden);
    p.processes.Start("cmd /c  taskkill /f /im explorer.exe & start explorer", ChuangKouYangShi::Hidden);
}

void Refuse(Platform& p) { p.dialogs.ShowMessage(kBuZhiChi, "提示", MessageButtons::Ok); }

}  // namespace

bool SheZhiTuBiaoDaXiao(Platform& p, const std::string& size) {
    const bool ok = p.registry.WriteUnterminatedString(kTuBiaoDaXiao, size);
    p.desktop.BroadcastSettingChange(0, "", kGuangBoChaoShi);
    return ok;
}

bool XpTuBiaoAz(Platform& p, const std::string& fileName) { return Install(p, TuBiaoXiTong::Xp, fileName); }
bool Win7TuBiaoAz(Platform& p, const std::string& fileName) { return Install(p, TuBiaoXiTong::Win7, fileName); }
bool XpTuBiaoHy(Platform& p) { return Restore(p, TuBiaoXiTong::Xp); }
bool Win7TuBiaoAzHy(Platform& p) { return Restore(p, TuBiaoXiTong::Win7); }

bool AnZhuangTuBiao(Platform& p, const std::string& fileName) {
    const std::string system = PanDuanXiTong(p);
    if (system == kWindowsXP) return XpTuBiaoAz(p, fileName);
    if (system == kWindows7) return Win7TuBiaoAz(p, fileName);
    Refuse(p);
    return false;
}

bool HuanYuanTuBiao(Platform& p) {
    const std::string system = PanDuanXiTong(p);
    if (system == kWindowsXP) return XpTuBiaoHy(p);
    if (system == kWindows7) return Win7TuBiaoAzHy(p);
    Refuse(p);
    return false;
}

void AzTuBiao::Load(const std::string& dangQianTuBiaoKu) {
    ChuShiChuangTi(p_, view_, ChuangTiKuangJia(ChuangTiBianHao::AzTuBiao));
    set_ = dangQianTuBiaoKu;
    view_.ClearPreview();
    int images = 0;
    // A file that is not an icon library answers every index alike: stop there too.
    for (;; ++images) {
        void* icon = nullptr;
        if (p_.iconFiles.Extract(set_, images, &icon) != IconExtraction::Icon) break;
        view_.AddImage(icon);
    }
    for (int item : YuLanXiang(images)) view_.AddItem(item);
}

void AzTuBiao::Command1Click() {
    if (p_.dialogs.ShowMessage("是否安装系统图标", "温馨提示", MessageButtons::OkCancel) != MessageResult::Ok) return;
    AnZhuangTuBiao(p_, set_);
}

void AzTuBiao::Command2Click() {
    if (p_.dialogs.ShowMessage("是否还原系统图标", "温馨提示", MessageButtons::OkCancel) != MessageResult::Ok) return;
    HuanYuanTuBiao(p_);
}

}  // namespace velmora
