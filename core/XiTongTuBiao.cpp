#include "core/XiTongTuBiao.h"

#include "platform/Strings.h"

namespace velmora {

namespace {

const char* const kExplorer = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

std::string ClsidIcon(const char* clsid) {
    return std::string("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\") +
           clsid + "\\DefaultIcon\\";
}

std::string ShellIcon(const char* id) { return std::string(kExplorer) + "Shell Icons\\" + id; }

constexpr TuBiaoHuanYuan Write(const char* value) { return {HuanYuanDongZuo::XieRu, value}; }
constexpr TuBiaoHuanYuan kDelete = {HuanYuanDongZuo::ShanChu, ""};

const char* const kDocumentsXp = "{450D8FBA-AD25-11D0-98A8-0800361B1103}";
const char* const kDocuments7 = "{59031A47-3F72-44A7-89C5-5595FE6B30EE}";
const char* const kComputer = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const char* const kNetworkXp = "{208D2C60-3AEA-1069-A2D7-08002B30309D}";
const char* const kNetwork7 = "{F02C1A0D-BE21-4350-88B0-7367FC96EF3C}";
const char* const kRecycleBin = "{645FF040-5081-101B-9F08-00AA002F954E}";

}  // namespace

const std::vector<TuBiaoCao>& TuBiaoCaoBiao() {
    static const std::string drive = QuDongQiTuBiaoJian("*");
    static const std::vector<TuBiaoCao> kSlots = {
        {0, "我的文档", ClsidIcon(kDocumentsXp), ClsidIcon(kDocuments7), Write("%SystemRoot%\\SYSTEM32\\mydocs.dll,0"),
         Write("%SystemRoot%\\System32\\imageres.dll,-123")},
        {1, "我的电脑", ClsidIcon(kComputer), ClsidIcon(kComputer), Write("Shell32.dll,15"),
         Write("%SystemRoot%\\System32\\imageres.dll,-109")},
        {2, "网络", ClsidIcon(kNetworkXp), ClsidIcon(kNetwork7), Write("%SystemRoot%\\system32\\SHELL32.dll,17"),
         Write("%SystemRoot%\\System32\\imageres.dll,-25")},
        {3, "回收站空", ClsidIcon(kRecycleBin) + "empty", ClsidIcon(kRecycleBin) + "empty", Write("Shell32.dll,31"),
         Write("%SystemRoot%\\System32\\imageres.dll,-55")},
        {4, "回收站满", ClsidIcon(kRecycleBin) + "full", ClsidIcon(kRecycleBin) + "full", Write("Shell32.dll,32"),
         Write("%SystemRoot%\\System32\\imageres.dll,-54")},
        {5, "文件夹关闭", ShellIcon("3"), ShellIcon("3"), Write("Shell32.dll,3"), kDelete},
        {6, "文件夹打开", ShellIcon("4"), ShellIcon("4"), Write("Shell32.dll,4"), kDelete},
        {7, "光驱", drive, drive, Write(""), Write("")},
        {8, "U盘", ShellIcon("7"), ShellIcon("7"), kDelete, kDelete},
        {9, "硬盘", drive, drive, Write("%SystemRoot%\\system32\\SHELL32.dll,8"), Write("")},
    };
    return kSlots;
}

const TuBiaoCao& TuBiaoCaoAt(int index) { return TuBiaoCaoBiao().at(static_cast<size_t>(index)); }

std::string TuBiaoWeiZhi(const TuBiaoCao& slot, TuBiaoXiTong system, char driveLetter) {
    const std::string& path = system == TuBiaoXiTong::Xp ? slot.xpPath : slot.win7Path;
    return ReplaceAll(path, "\\*\\", "\\" + std::string(1, driveLetter) + "\\");
}

TuBiaoHuanYuan TuBiaoHuanYuanZhi(const TuBiaoCao& slot, TuBiaoXiTong system) {
    return system == TuBiaoXiTong::Xp ? slot.xpRestore : slot.win7Restore;
}

std::string QuDongQiTuBiaoJian(const std::string& letter) {
    return std::string(kExplorer) + "DriveIcons\\" + letter + "\\DefaultIcon\\";
}

}  // namespace velmora
