#pragma once
// The management centre's controls as the tests see them: what each shows now, and every call
// in order.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "library/GuanLiZhongXin.h"
#include "ui/testing/RecordingChromeView.h"

namespace velmora::testing {

class RecordingView : public RecordingChromeView, public GuanLiZhongXinView {
public:
    explicit RecordingView(FileSystem& fs) : RecordingChromeView(fs) {}

    struct Tile {
        bool visible = false;
        std::string path, caption;
    };

    // LeiBiaoFenLei and LeiBiao.
    std::vector<std::string> categories;
    std::vector<FenLeiHang> rows;
    int listIndex = -1;  // what ListIndex answers
    std::vector<int> selectedCategories;
    // ZYGeShu and the tile area.
    std::vector<std::string> resources;
    std::array<Tile, kMeiYeTuPian> tiles;
    bool loading = false, empty = false, paging = false;
    std::string currentPage = "0", pageCount = "0";
    int hover = 0;
    // The position chooser, the action menu, the save dialog and the installer windows.
    bool positionChooser = false;
    int position = -1;
    std::string positionText = "拉伸";
    std::vector<std::string> menu;
    int menusShown = 0;
    std::optional<std::string> saveAnswer;
    std::vector<std::string> saveFilters;
    std::vector<LeiXingBianHao> installerWindows;
    // Runs while the waiting events run, and when the menu opens.
    std::function<void()> onPump, onMenu;

    void AddCategory(const std::string& category) override {
        categories.push_back(category);
        Log("AddCategory " + category);
    }
    void AddListRow(const FenLeiHang& row) override {
        rows.push_back(row);
        Log("AddListRow " + row.MingCheng + " " + row.ShuoMing);
    }
    void ClearCategoryLists() override {
        categories.clear();
        rows.clear();
        Log("ClearCategoryLists");
    }
    int ListIndex() override { return listIndex; }
    void SelectCategory(int index) override {
        selectedCategories.push_back(index);
        listIndex = index;
        Log("SelectCategory " + std::to_string(index));
    }
    void SetResourceList(const std::vector<std::string>& names) override {
        resources = names;
        Log("SetResourceList");
    }
    void FillTile(int k, const std::string& path, const std::string& caption) override {
        tiles.at(static_cast<size_t>(k - 1)) = Tile{true, path, caption};
        Log("FillTile " + std::to_string(k) + " " + caption);
    }
    void HideTiles() override {
        for (Tile& t : tiles) t.visible = false;
        Log("HideTiles");
    }
    void ShowLoading(bool visible) override {
        loading = visible;
        Log(std::string("ShowLoading ") + (visible ? "1" : "0"));
    }
    void ShowEmpty(bool visible) override {
        empty = visible;
        Log(std::string("ShowEmpty ") + (visible ? "1" : "0"));
    }
    void ShowPaging(bool visible) override {
        paging = visible;
        Log(std::string("ShowPaging ") + (visible ? "1" : "0"));
    }
    void SetPageTexts(const std::string& current, const std::string& count) override {
        currentPage = current;
        pageCount = count;
        Log("SetPageTexts " + current + " " + count);
    }
    void ShowHover(int k) override {
        hover = k;
        Log("ShowHover " + std::to_string(k));
    }
    void ShowPositionChooser(bool visible) override { positionChooser = visible; }
    void SelectPosition(int index) override { position = index; }
    std::string PositionText() override { return positionText; }
    void SetActionMenu(const std::vector<std::string>& captions) override { menu = captions; }
    void ShowActionMenu() override {
        ++menusShown;
        if (onMenu) onMenu();
    }
    std::optional<std::string> AskSaveFile(const std::string& filter) override {
        saveFilters.push_back(filter);
        return saveAnswer;
    }
    void ShowInstallerWindow(LeiXingBianHao kind) override { installerWindows.push_back(kind); }
    void PumpPendingMessages() override {
        Log("PumpPendingMessages");
        if (onPump) onPump();
    }

    // The nine tiles' captions, empty for a hidden tile.
    std::vector<std::string> TileCaptions() const {
        std::vector<std::string> out;
        for (const Tile& t : tiles) out.push_back(t.visible ? t.caption : std::string());
        return out;
    }
};

}  // namespace velmora::testing
