#pragma once
// The system-icon-set installer: copies an icon library into the Windows directory and points
// the shell's icons for the desktop objects, the recycle bin, folders and drives at it; the
// restores put the system's own icons back. The window `AzTuBiao` previews the selected set.
#include <string>
#include <vector>

#include "core/XiTongTuBiao.h"
#include "platform/Platform.h"
#include "ui/KuangJia.h"

namespace velmora::installers {

// The working copy's exact text: Windows directory + "\Icon\" + "\Icon.icl".
std::string TuBiaoKuFuBen(Platform& p);

// The logical drive list, entry by entry ("C:\", "D:\"), however long it is.
std::vector<std::string> LuoJiQuDongQi(Drives& drives);
// The letter of the first CD-ROM drive in the list (upper case), or '\0' for none.
char DiYiGeGuangQu(Drives& drives);
// The fixed disks among C, D, E, ... up to the first letter that names no drive.
std::vector<char> GuDingCiPan(Drives& drives);

// The preview list: 0 is a blank spacer item, k > 0 shows image k of the set.
std::vector<int> YuLanXiang(int imageCount);

// What the window shows besides its frame.
class AzTuBiaoView : public virtual ChromeView {
public:
    virtual void ClearPreview() = 0;
    // Adds the icon (HICON, handed over) as the next image of the image list.
    virtual void AddImage(void* icon) = 0;
    // Appends a list item showing image k (1-based), or a blank one for 0.
    virtual void AddItem(int image) = 0;
};

class AzTuBiao {
public:
    explicit AzTuBiao(Platform& p) : p_(p) {}

    // Installs the set in the icon library FileName. Nothing in the registry changes when the
    // library is missing or cannot be copied (the user is told); false then, and when any
    // registry value could not be written.
    bool XpTuBiaoAz(const std::string& fileName);
    bool Win7TuBiaoAz(const std::string& fileName);
    // Restores the system's own icons; false when a value could not be written or deleted.
    bool XpTuBiaoHy();
    bool Win7TuBiaoAzHy();
    // "Shell Icon Size" as exactly the two characters, then the settings-change broadcast.
    bool SheZhiTuBiaoDaXiao(const std::string& size);

    // The installer of the running system, or the refusal message on any other system.
    bool AnZhuang(const std::string& fileName);
    bool HuanYuan();

    // The window: load with the set selected in the management centre, and its two buttons.
    void Load(AzTuBiaoView& view, const std::string& set);
    void Command1Click();
    void Command2Click();
    const std::string& set() const { return set_; }

private:
    bool Install(TuBiaoXiTong system, const std::string& fileName);
    bool Restore(TuBiaoXiTong system);
    bool Write(const std::string& path, const std::string& value);
    bool RestoreSlot(int index, TuBiaoXiTong system, char driveLetter = '\0');
    void Refresh(TuBiaoXiTong system);
    void Refuse();

    Platform& p_;
    std::string set_;
};

}  // namespace velmora::installers
