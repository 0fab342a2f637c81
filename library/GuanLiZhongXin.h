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

// What a delete does. A refused delete has its message and no steps: a name that is not a
// plain file name, one of the system's own themes, the theme in use.
struct ShanChuJiHua {
    bool refused = false;
    std::string message;  // title "温馨提示"
    std::vector<BuZhou> steps;
};
inline const char* const kMingChengWuXiao = "此资源的名称无效，不能删除！";
inline const char* const kXiTongZhuTi = "系统自带的主题不能删除！";
inline const char* const kZhuTiZhengZaiShiYong = "主题正在使用,请还原主题后继续删除!";
// Reads what the plan depends on through the platform: the theme in use (both registry
// places, letter case ignored), whether the library holds the theme's package. Every folder
// step is C\N or W\Resources\Themes\N, every file step lies directly in one of the two
// folders or in C\N: a delete never reaches the category, the kind or anything above.
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
    // Moves step pages (+1 or -1) once the waiting window events have run.
    void TurnPage(int step);
    void FillTile(int k, int picture);
    void HideTiles();
    void Refresh();
    void ZhuTiYingYong();
    void ZhuTiHuanYuan();
    // Opens a file with the program the system associates with its type.
    void OpenWithShell(const std::string& file);
    void Message(const std::string& text, const std::string& title);
    // Delete steps skip what fails; export copies stop at the first failure, with a message.
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
    std::string captions_[kMeiYeTuPian];  // ImgCaption of the tiles shown, empty for a hidden one
    XuanZe selection_;
    std::string selectionFolder_;  // C when the selection was recorded
};

}  // namespace velmora
