#pragma once
// The management centre `GuanLiZhongXin` ("资源管理"): the local library of one kind as a list
// of categories with their counts and the current category's pictures in pages of nine tiles,
// and the actions on the resource of the tile last clicked. This is the portable part; the
// window with its controls is library/win32/GuanLiZhongXin_win.h.
#include <optional>
#include <string>
#include <vector>

#include "core/PeiZhi.h"
#include "core/ZiYuanMuLu.h"
#include "installers/AnZhuangQi.h"
#include "platform/Platform.h"
#include "ui/KuangJia.h"

namespace velmora {

inline constexpr int kMeiYeTuPian = 9;  // tiles on a page

// Pages of nine for a number of pictures: 0 for none.
int YeShu(int total);
// The pictures of page (1-based) as the first index (0-based) and how many; none past the end.
struct YeFanWei {
    int first = 0;
    int count = 0;
};
YeFanWei YeMianFanWei(int page, int total);

// The selection recorded on a tile click. C is the category folder without its trailing
// backslash, the caption the tile's (the picture's file name).
struct XuanZe {
    std::string N;                   // the caption up to its last "."
    std::string DangQianTuPian;      // C\caption
    std::string DangQianZiYuanMuLu;  // C\N\ (a cursor scheme's folder)
    std::string DangQianTuBiaoKu;    // C\N\N.icl
    std::string DangQianJieMianBao;  // C\N\N.exe (a logon screen's package)
    std::string zhuTiBao;            // C\N\N.exe (a theme's package)
    std::string zhuTiWenJian;        // W\Resources\Themes\N.theme
};
XuanZe JiLuXuanZe(const std::string& categoryFolder, const std::string& caption, const std::string& windowsDirectory);

// The action menu's captions by position; an empty caption is a separator.
std::vector<std::string> CaoZuoCaiDan(const std::string& kind);
enum class CaoZuo { YingYong = 0, HuanYuan = 1, YuLan = 3, ShanChu = 4, DaoChu = 6 };

// One step of a delete or an export.
struct BuZhou {
    enum class Lei { ShanChuWenJian, ShanChuMuLu, ChuangJianMuLu, FuZhi } lei;
    std::string path;  // the file or folder removed or created, or the copy's source
    std::string to;    // the copy's destination
};

// What a delete does. A refused delete has a message (the in-use theme) or none (a name that
// is not a plain file name, which no tile can have come from) and no steps.
struct ShanChuJiHua {
    bool refused = false;
    std::string message;  // shown with the information icon, title "温馨提示"
    std::vector<BuZhou> steps;
};
// Reads what the plan depends on through the platform: the theme in use (both registry
// places, letter case ignored), whether the library holds the theme's package.
ShanChuJiHua JiHuaShanChu(Platform& p, const std::string& kind, const std::string& categoryFolder, const XuanZe& selection);

// What an export to D does: the steps, then a message that ends it, if any.
struct DaoChuJiHua {
    std::vector<BuZhou> steps;
    std::string stopMessage;  // after the steps; title stopTitle
    std::string stopTitle;
};
DaoChuJiHua JiHuaDaoChu(const std::string& kind, const std::string& system, const XuanZe& selection,
                        const std::string& d);
// The save dialog's filter for the kind's export.
std::string DaoChuGuoLvQi(const std::string& kind);

// The window's controls, as the behaviour drives them.
class GuanLiZhongXinView : public virtual ChromeView {
public:
    // LeiBiaoFenLei (the hidden category box) and LeiBiao (the visible list control).
    virtual void AddCategory(const std::string& category) = 0;          // LeiBiaoFenLei
    virtual void AddListRow(const FenLeiHang& row) = 0;                 // LeiBiao.AddItem
    virtual void ClearCategoryLists() = 0;                              // both
    virtual int ListIndex() = 0;                                        // LeiBiao.ListIndex, -1 for none
    virtual void SelectCategory(int index) = 0;                         // LeiBiao and LeiBiaoFenLei
    // ZYGeShu: the current category's pictures, in the order given.
    virtual void SetResourceList(const std::vector<std::string>& names) = 0;
    // Tile k (1 to 9): shown with the picture file and the caption. The picture may arrive
    // after the call returns; one that cannot be read leaves the tile empty with its caption.
    virtual void FillTile(int k, const std::string& path, const std::string& caption) = 0;
    virtual void HideTiles() = 0;
    virtual void ShowLoading(bool visible) = 0;  // JiaZaiTu
    virtual void ShowEmpty(bool visible) = 0;    // MeiYouTu
    virtual void ShowPaging(bool visible) = 0;   // FenYeKuang
    virtual void SetPageTexts(const std::string& current, const std::string& count) = 0;  // DangQianYe, YeShuZi
    // TouMingKuang over tile k, or hidden for 0.
    virtual void ShowHover(int k) = 0;
    virtual void ShowPositionChooser(bool visible) = 0;  // BiZhiZuoWeiHai and BiZhiWeiZhi
    virtual void SelectPosition(int index) = 0;
    virtual std::string PositionText() = 0;
    virtual void SetActionMenu(const std::vector<std::string>& captions) = 0;  // c_Menu
    // Opens the action menu at the mouse; returns at once.
    virtual void ShowActionMenu() = 0;
    // ReiRongDC: the save dialog; nothing when cancelled.
    virtual std::optional<std::string> AskSaveFile(const std::string& filter) = 0;
    // Unloads the kind's installer window if it is loaded and shows it again, not modally,
    // with the program-wide selection.
    virtual void ShowInstallerWindow(LeiXingBianHao kind) = 0;
    // Lets the window messages already waiting run once.
    virtual void PumpPendingMessages() = 0;
};

class GuanLiZhongXin {
public:
    // The kind comes from settings.DangQianLeiXing; the selection strings go there too.
    GuanLiZhongXin(Platform& platform, GuanLiZhongXinView& view, QuanJuSheZhi& settings, AnZhuangQi installers);

    // The window's load: frame, action menu, position chooser; nothing in the tile area.
    void Load();
    // XianShiBenDiZiYuan's steps after showing the window: the kind's categories into
    // LeiBiaoFenLei, then TongJiZiYuan into LeiBiao.
    void TianChongFenLei();

    // Click on LeiBiao with its ListIndex after the click.
    void OnListClick(int listIndex);
    void OnNextPage();      // XiaYiYe
    void OnPreviousPage();  // ShangYiYe
    void OnTileMouseMove(int k);
    void OnAreaMouseMove();  // TuPianKuang
    void OnTileMouseDown(int k);
    // The action menu's MenuClick with the item's position.
    void OnMenuClick(int position);

    void YingYong();
    void HuanYuan();
    void YuLan();
    void ShanChu();
    void DaoChu();

    // What tests and the window's queries read.
    const std::string& Kind() const { return kind_; }
    std::string CurrentCategory() const;
    // C: the category folder without its trailing backslash.
    std::string CategoryFolder() const;
    int Total() const { return static_cast<int>(pictures_.size()); }
    int Page() const { return page_; }
    const std::vector<std::string>& Pictures() const { return pictures_; }
    const XuanZe& Selection() const { return selection_; }

private:
    void LoadCategory();
    void ShowPage(int page);
    void Refresh();
    bool RunSteps(const std::vector<BuZhou>& steps, bool reportCopies);

    Platform& p_;
    GuanLiZhongXinView& view_;
    QuanJuSheZhi& settings_;
    AnZhuangQi installers_;
    std::string kind_;
    std::vector<std::string> categories_;  // LeiBiaoFenLei
    int categoryIndex_ = -1;               // its selection
    std::vector<std::string> pictures_;    // ZYGeShu
    int page_ = 0;                         // DangQianYe; 0 before any category held a picture
    XuanZe selection_;
};

}  // namespace velmora
