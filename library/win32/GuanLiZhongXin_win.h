#pragma once
// The management centre's window: the list control LeiBiao and nine Thumb tiles created by
// their identifiers, the two list boxes below the visible part, the tile area TuPianKuang with
// its notices, paging panel and hover highlight, the wallpaper position chooser and the action
// menu c_Menu, on the shared frame.
#include <windows.h>
#include <ocidl.h>

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <utility>

#include "com/OleControl.h"
#include "library/GuanLiZhongXin.h"
#include "ui/win32/FramedWindow.h"
#include "ui/win32/MenuWindow.h"

namespace velmora {

// Control ids, for tests (GetDlgItem on the window or on the tile area).
inline constexpr int kIdLeiBiaoFenLei = 4101;
inline constexpr int kIdZYGeShu = 4102;
inline constexpr int kIdBiZhiWeiZhiXuanZe = 4103;
inline constexpr int kIdTuPianKuang = 4104;
inline constexpr int kIdFenYeKuang = 4105;
inline constexpr int kIdShangYiYe = 4106;  // in FenYeKuang
inline constexpr int kIdXiaYiYe = 4107;    // in FenYeKuang

// Lets tests read the window's state from another process: wParam names the item (and a tile
// in its high word), lParam is a window that receives text answers as WM_COPYDATA (dwData =
// the item); numbers come back as the result.
inline constexpr wchar_t kGuanLiQueryMessage[] = L"Velmora.GuanLiZhongXin.Query";
enum class GuanLiQuery : WORD {
    Kind = 1,          // text: DangQianLeiXing
    Category = 2,      // text: the current category
    CurrentPage = 3,   // text: DangQianYe
    PageCount = 4,     // text: YeShuZi
    TileCaption = 5,   // text: tile (high word 1-9)'s caption
    TileVisible = 6,   // number: 1 when the tile (high word) shows
    TileHasPicture = 7,  // number: 1 when the tile (high word) has its picture
    Notices = 8,       // number: 1 loading, 2 empty, 4 paging panel, 8 position chooser
    HoverTile = 9,     // number: the tile the highlight is over, 0 when hidden
    ListRows = 10,     // text: LeiBiao's rows as "title|text" lines
    ListIndex = 11,    // number: LeiBiao.ListIndex
    TileWindow = 12,   // number: the tile (high word)'s window handle
    PendingTiles = 13, // number: tiles still waiting for their picture
    ListWindow = 14,   // number: LeiBiao's window handle
    Loads = 15,        // number: how often the loading notice was shown (a category or a page)
};

class GuanLiZhongXinWindow : public FramedWindow, public GuanLiZhongXinView {
public:
    GuanLiZhongXinWindow(Platform& platform, QuanJuSheZhi& settings);
    ~GuanLiZhongXinWindow() override;

    // Creates the window hidden and runs its load. False when the window or one of its
    // controls could not be made (the controls' libraries are not registered).
    bool Load();
    // Shows the window, not modally, in front.
    void Show();
    GuanLiZhongXin& logic() { return logic_; }
    // Releases the controls and destroys the window; safe to call twice.
    void Unload();
    bool Unloaded() const { return unloaded_; }

    // GuanLiZhongXinView
    void AddCategory(const std::string& category) override;
    void AddListRow(const FenLeiHang& row) override;
    void ClearCategoryLists() override;
    int ListIndex() override;
    void SelectCategory(int index) override;
    void SetResourceList(const std::vector<std::string>& names) override;
    void FillTile(int k, const std::string& path, const std::string& caption) override;
    void HideTiles() override;
    void ShowLoading(bool visible) override;
    void ShowEmpty(bool visible) override;
    void ShowPaging(bool visible) override;
    void SetPageTexts(const std::string& current, const std::string& count) override;
    void ShowHover(int k) override;
    void ShowPositionChooser(bool visible) override;
    void SelectPosition(int index) override;
    std::string PositionText() override;
    void SetActionMenu(const std::vector<std::string>& captions) override;
    void ShowActionMenu() override;
    std::optional<std::string> AskSaveFile(const std::string& filter) override;
    void ShowInstallerWindow(LeiXingBianHao kind) override;
    void PumpPendingMessages() override;

protected:
    void OnCloseClicked() override { Unload(); }
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // A white panel (the tile area, the paging panel) that children draw over.
    class Panel : public Backdrop {
    public:
        HWND Create(HWND parent, int id, int x, int y, int width, int height);
        HWND hwnd() const { return hwnd_; }
        void PaintBackdrop(HDC hdc, int originX, int originY, int width, int height) override;
        std::function<void()> onMouseMove;
        std::function<void(int id)> onCommand;

    private:
        template <typename T>
        friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
        LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
        HWND hwnd_ = nullptr;
    };

    bool CreateControls();
    bool CreateTiles();
    void CreatePaging();
    void PlaceLabel(Label& label, const std::string& text, HFONT font, int leftTwips, int topTwips);
    void PlacePageCount(const std::string& count);
    SIZE TextSize(const std::string& text, HFONT font) const;
    void FillNextTile();
    LRESULT Answer(GuanLiQuery item, int tile, HWND replyTo);
    RECT TwipsRect(int left, int top, int width, int height) const;

    QuanJuSheZhi& settings_;
    GuanLiZhongXin logic_;
    std::unique_ptr<com::OleControl> leiBiao_;
    struct Tile {
        std::unique_ptr<com::OleControl> control;
        ComRef<IPictureDisp> picture;  // the program keeps owning what the tile shows
        std::string caption;
        bool visible = false;
    };
    std::array<Tile, kMeiYeTuPian> tiles_;
    std::deque<std::pair<int, std::string>> pendingPictures_;  // tile, file
    HWND leiBiaoFenLei_ = nullptr, ziYuanGeShu_ = nullptr, biZhiWeiZhi_ = nullptr;
    HWND shangYiYe_ = nullptr, xiaYiYe_ = nullptr;
    Panel tuPianKuang_, fenYeKuang_;
    AlphaImage jiaZaiTu_, meiYouTu_, touMingKuang_;
    Label biZhiZuoWeiHai_, wenZi1_, yeShuZi_, dangQianYe_;
    std::unique_ptr<MenuWindow> c_Menu;
    HFONT pagingFont_ = nullptr, positionFont_ = nullptr, boxFont_ = nullptr;
    UINT queryMessage_ = 0;
    std::string currentPage_ = "0", pageCount_ = "0";
    int hoverTile_ = 0;
    int loads_ = 0;
    bool unloaded_ = false;
};

// What the centre says when its controls cannot be made even after registering them again.
inline constexpr char kKongJianKuCuoWu[] = "资源管理需要的控件库 Kelpo.dll 或 Thumb.dll 无法使用，请重新安装本程序！";

// The process's one management centre: XianShiBenDiZiYuan's window steps. Unloads any
// previous centre, loads a new one for settings.DangQianLeiXing, shows it and fills its
// category lists. Null when it could not be made (after a message).
GuanLiZhongXinWindow* XianShiGuanLiZhongXin(Platform& platform, QuanJuSheZhi& settings);
// The centre that is loaded, or null.
GuanLiZhongXinWindow* DangQianGuanLiZhongXin();
// Unloads the centre and releases it; for the program's unload order.
void XieZaiGuanLiZhongXin();

}  // namespace velmora
