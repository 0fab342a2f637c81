#pragma once
// The system-icon-set installer: copies an icon library into the Windows directory and points
// the shell's icons for the desktop objects, the recycle bin, folders and drives at it; the
// restores put the system's own icons back. The window `AzTuBiao` previews the selected set.
#include <string>
#include <vector>

#include "core/XiTongTuBiao.h"
#include "platform/Platform.h"
#include "ui/KuangJia.h"

namespace velmora {

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

// Install the set in the icon library fileName. Nothing in the registry changes when the library
// is missing or cannot be copied (the user is told); false then, and when a registry value could
// not be written.
bool XpTuBiaoAz(Platform& p, const std::string& fileName);
bool Win7TuBiaoAz(Platform& p, const std::string& fileName);
// Restore the system's own icons; false when a value could not be written or deleted.
bool XpTuBiaoHy(Platform& p);
bool Win7TuBiaoAzHy(Platform& p);
// "Shell Icon Size" as exactly the two characters, then the settings-change broadcast.
bool SheZhiTuBiaoDaXiao(Platform& p, const std::string& size);
// The install or restore of the running system as PanDuanXiTong says, or the refusal message
// "暂时只支持Win 7和Wind Xp使用该功能" on any other system.
bool AnZhuangTuBiao(Platform& p, const std::string& fileName);
bool HuanYuanTuBiao(Platform& p);

// The window's behaviour: load with the set selected in the management centre, two buttons.
class AzTuBiao {
public:
    AzTuBiao(Platform& platform, AzTuBiaoView& view) : p_(platform), view_(view) {}

    void Load(const std::string& dangQianTuBiaoKu);
    void Command1Click();  // "设置图标"
    void Command2Click();  // "还原图标"
    const std::string& set() const { return set_; }

private:
    Platform& p_;
    AzTuBiaoView& view_;
    std::string set_;
};

}  // namespace velmora
