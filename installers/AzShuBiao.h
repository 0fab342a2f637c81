#pragma once
// The cursor-scheme installer `AzShuBiao`: install a folder of fifteen role-named cursors,
// restore the system's own pointers, and the small preview window with its 3 x 5 cells.
#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "ui/KuangJia.h"

namespace velmora {

// Installs the scheme in folder shuBiaoLj (with or without the trailing backslash). All fifteen
// files are checked first: a scheme missing any of them shows "缺少美化图标！" and leaves the
// installed-cursor folder and the registry as they were. True when all fifteen are in place.
bool SheZhi(Platform& p, const std::string& shuBiaoLj);

// Deletes the installed cursors and the fifteen registry values, then has the system reload its
// pointers from the registry. True when none of the fifteen values is left.
bool XiaZaiSheZhi(Platform& p);

// Finds the top-level window with exactly that caption, hides it and posts it Enter. The
// handle in decimal, "0" when there is none.
std::string AnXiaQueDing(Platform& p, const std::string& title);

// The two confirm timers that drive the Mouse control panel for the cursor editor: Timer1 (1 ms)
// waits for "鼠标 属性" and confirms it twice, then Timer2 (100 ms) confirms "是否替换方案?" for as
// long as it is there. Neither polls without end: each gives up after its time limit.
class QueRenDingShiQi {
public:
    static constexpr unsigned kTimer1Ms = 1, kTimer2Ms = 100;
    static constexpr uint64_t kTimer1LimitMs = 30000, kTimer2LimitMs = 5000;

    void Start(uint64_t nowMs);
    void OnTimer1(Platform& p, uint64_t nowMs);
    void OnTimer2(Platform& p, uint64_t nowMs);
    bool Timer1Enabled() const { return timer1_; }
    bool Timer2Enabled() const { return timer2_; }

private:
    bool timer1_ = false, timer2_ = false;
    uint64_t timer1Since_ = 0, timer2Since_ = 0;
};

class AzShuBiaoView : public virtual ChromeView {
public:
    // Draws the shell's icon of the file into the installer cell PictureN (1 to 15).
    virtual void DrawShellIcon(int cell, const std::string& file) = 0;
    // From now on the cell shows the cursor loaded from the file (animated for .ani).
    virtual bool SetCellCursor(int cell, const std::string& file) = 0;
    virtual void Unload() = 0;
};

class AzShuBiao {
public:
    AzShuBiao(Platform& platform, AzShuBiaoView& view) : p_(platform), view_(view) {}

    // The window's load: frame, then the previews of the resource folder (JiaZaiYuLan).
    void Load(const std::string& dangQianZiYuanMuLu);
    void JiaZaiYuLan();
    // Hover preview: the container resets the flag Text1, a cell entered with the flag at "0"
    // loads its cursor and sets it to "1".
    void OnContainerMouseMove() { text1_ = "0"; }
    void OnCellMouseMove(int cell);
    const std::string& Text1() const { return text1_; }
    // The buttons "安 装" and "还 原": each asks first. True when the change was made.
    bool OnAnZhuang();
    bool OnHuanYuan();
    void OnCloseClicked() { view_.Unload(); }

private:
    std::string CellFile(int cell) const;

    Platform& p_;
    AzShuBiaoView& view_;
    std::string dangQianZiYuanMuLu_;
    std::string text1_ = "0";
};

}  // namespace velmora
