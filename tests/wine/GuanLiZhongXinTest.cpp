// The management centre as its users meet it: opened by "/library <kind>" on a program
// directory with a small library, its categories in both list boxes, ten pictures paged
// through, and a delete and an export chosen from the action menu with real mouse input.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "library/win32/GuanLiZhongXin_win.h"
#include "tests/wine/ServerTestSupport.h"
#include "tests/wine/UiDriver.h"

namespace velmora::uitest {
namespace {

constexpr DWORD kWait = 20000;
const std::wstring kCategory = L"Download\\桌面壁纸\\经典珍藏";
// Ten pictures in the order the centre sorts them: a name with dots, one outside the Chinese
// code page.
const std::vector<std::wstring> kPictures = {L"a.b.jpg", L"p02.jpg", L"p03.jpg", L"p04.jpg", L"p05.jpg",
                                             L"p06.jpg", L"p07.jpg", L"p08.jpg", L"p09.jpg", L"ก10.jpg"};

std::string ReadBytes(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD read = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(h);
    bytes.resize(read);
    return bytes;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class GuanLiZhongXinTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableW(L"VELMORA_SERVICE_HOST", L"127.0.0.1:9");
        // Different pictures, so a tile showing the wrong one would be noticed by its caption only
        // if the order were wrong; the bytes tell the export apart.
        const std::string a = ReadBytes(dir_ / L"Skin\\img\\General.jpg");
        const std::string b = ReadBytes(dir_ / L"Skin\\img\\Background.jpg");
        ASSERT_FALSE(a.empty());
        ASSERT_FALSE(b.empty());
        for (size_t i = 0; i < kPictures.size(); ++i) {
            dir_.WriteFile(kCategory + L"\\" + kPictures[i], i % 2 ? b : a);
            ASSERT_TRUE(Exists(dir_ / (kCategory + L"\\" + kPictures[i]))) << U(kPictures[i]);
        }
        // Another category with nothing in it, and a stray file that is no picture.
        dir_.WriteFile(L"Download\\桌面壁纸\\温馨浪漫\\readme.txt", "not a picture");
    }
    void TearDown() override {
        if (velmora_) velmora_->Kill();
        // The program registered its control libraries from this throwaway folder.
        RunRegsvr32(L"/u /s", dir_ / L"Kelpo.dll");
        RunRegsvr32(L"/u /s", dir_ / L"Thumb.dll");
        SetEnvironmentVariableW(L"VELMORA_SERVICE_HOST", nullptr);
    }

    void Open(const std::wstring& kind) {
        velmora_ = std::make_unique<Process>(dir_ / L"Velmora.exe", L"/library " + kind);
        centre_ = WaitWindow(velmora_->pid(), L"VelmoraFrame", L"资源管理", kWait);
        ASSERT_NE(centre_, nullptr) << "the management centre did not open";
        velmora_->WaitIdle(kWait);
    }

    std::string Text(GuanLiQuery item, int tile = 0) {
        return QueryText(centre_, kGuanLiQueryMessage, MAKEWPARAM(static_cast<WORD>(item), tile));
    }
    LRESULT Number(GuanLiQuery item, int tile = 0) {
        return QueryNumber(centre_, kGuanLiQueryMessage, MAKEWPARAM(static_cast<WORD>(item), tile));
    }
    // Waits until the page is loaded (its notice gone) and every tile shown has its picture.
    bool TilesSettled() {
        return testing::PumpUntil(
            [this] { return (Number(GuanLiQuery::Notices) & 1) == 0 && Number(GuanLiQuery::PendingTiles) == 0; },
            kWait);
    }
    std::vector<std::string> Captions() {
        std::vector<std::string> shown;
        for (int k = 1; k <= 9; ++k) {
            if (Number(GuanLiQuery::TileVisible, k)) shown.push_back(Text(GuanLiQuery::TileCaption, k));
        }
        return shown;
    }
    HWND ListBox(int id) { return GetDlgItem(centre_, id); }
    std::vector<std::string> ListBoxTexts(int id) {
        std::vector<std::string> texts;
        HWND box = ListBox(id);
        const LRESULT n = SendMessageW(box, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            std::wstring t(static_cast<size_t>(SendMessageW(box, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)), L'\0');
            SendMessageW(box, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t.data()));
            texts.push_back(U(t));
        }
        return texts;
    }
    // A real click on row `row` of the category list (rows are 30 pixels high).
    void ClickCategory(int row) {
        HWND list = reinterpret_cast<HWND>(Number(GuanLiQuery::ListWindow));
        ASSERT_NE(list, nullptr);
        POINT at = {60, row * 30 + 15};
        ClientToScreen(list, &at);
        const LRESULT loads = Number(GuanLiQuery::Loads);
        ClickAt(at.x, at.y);
        ASSERT_TRUE(testing::PumpUntil([&] { return Number(GuanLiQuery::Loads) > loads; }, kWait)) << row;
        ASSERT_TRUE(TilesSettled());
        EXPECT_EQ(Number(GuanLiQuery::ListIndex), row);
    }
    HWND PagingButton(int id) {
        return GetDlgItem(GetDlgItem(GetDlgItem(centre_, kIdTuPianKuang), kIdFenYeKuang), id);
    }
    void TurnPage(int id, const std::string& expectedPage) {
        const LRESULT loads = Number(GuanLiQuery::Loads);
        ClickLeft(PagingButton(id));
        ASSERT_TRUE(testing::PumpUntil([&] { return Number(GuanLiQuery::Loads) > loads; }, kWait));
        ASSERT_TRUE(TilesSettled());
        EXPECT_EQ(Text(GuanLiQuery::CurrentPage), expectedPage);
    }
    // Clicks tile k and the action menu's item at its position (separators are 3 pixels high,
    // items 24, the first 2 pixels from the top).
    void ChooseAction(int k, int position) {
        HWND tile = reinterpret_cast<HWND>(Number(GuanLiQuery::TileWindow, k));
        ASSERT_NE(tile, nullptr);
        ClickLeft(tile);
        HWND menu = WaitWindow(velmora_->pid(), L"VelmoraMenu", L"", kWait);
        ASSERT_NE(menu, nullptr) << "the action menu did not open";
        int top = 2;
        for (int i = 0; i < position; ++i) top += (i == 2 || i == 5) ? 3 : 24;
        RECT r;
        GetWindowRect(menu, &r);
        MoveMouse(r.left + 40, r.top + top + 12);
        Sleep(100);
        ClickAt(r.left + 40, r.top + top + 12);
    }

    ProgramDir dir_;
    std::unique_ptr<Process> velmora_;
    HWND centre_ = nullptr;
};

TEST_F(GuanLiZhongXinTest, OpensOnTheKindPagesDeletesAndExports) {
    Open(L"桌面壁纸");

    // Opened: the kind's thirteen categories in both lists, nothing in the tile area yet, the
    // position chooser shown for wallpapers.
    EXPECT_EQ(Text(GuanLiQuery::Kind), "桌面壁纸");
    const std::vector<std::string> categories = ListBoxTexts(kIdLeiBiaoFenLei);
    ASSERT_EQ(categories.size(), 13u);
    EXPECT_EQ(categories.front(), "经典珍藏");
    EXPECT_EQ(categories.back(), "用户自定义");
    std::istringstream rows(Text(GuanLiQuery::ListRows));
    std::string first, second;
    std::getline(rows, first);
    std::getline(rows, second);
    EXPECT_EQ(first, "经典珍藏|壁纸:10");
    EXPECT_EQ(second, "温馨浪漫|壁纸:0");
    EXPECT_EQ(Number(GuanLiQuery::Notices), 8) << "only the position chooser";
    EXPECT_TRUE(Captions().empty());

    // A category of ten: nine on page 1 with the paging panel, one on page 2.
    ClickCategory(0);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"a.b.jpg", "p02.jpg", "p03.jpg", "p04.jpg", "p05.jpg", "p06.jpg",
                                                    "p07.jpg", "p08.jpg", "p09.jpg"}));
    EXPECT_EQ(Number(GuanLiQuery::TileHasPicture, 1), 1);
    EXPECT_EQ(Number(GuanLiQuery::TileHasPicture, 9), 1);
    EXPECT_EQ(Number(GuanLiQuery::Notices), 4 | 8) << "the paging panel, no notice";
    EXPECT_EQ(Text(GuanLiQuery::CurrentPage), "1");
    EXPECT_EQ(Text(GuanLiQuery::PageCount), "2");
    TurnPage(kIdXiaYiYe, "2");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"ก10.jpg"}));
    EXPECT_EQ(Number(GuanLiQuery::TileHasPicture, 1), 1) << "a name outside the code page still decodes";
    TurnPage(kIdShangYiYe, "1");
    EXPECT_EQ(Captions().size(), 9u);

    // The empty category shows the empty notice only.
    ClickCategory(1);
    EXPECT_TRUE(Captions().empty());
    EXPECT_EQ(Number(GuanLiQuery::Notices), 2 | 8);

    // Delete p03 through the menu and its confirmation: that file only, the lists rebuilt with
    // the same row selected.
    ClickCategory(0);
    ChooseAction(3, 4);
    const MessageBoxSeen confirm = WaitMessageBox(velmora_->pid(), kWait);
    ASSERT_NE(confirm.window, nullptr) << "no confirmation";
    EXPECT_EQ(U(confirm.text), "是否确定删除此资源,一旦删除后资源不可恢复");
    Answer(confirm, IDOK);
    ASSERT_TRUE(testing::PumpUntil([&] { return !Exists(dir_ / (kCategory + L"\\p03.jpg")); }, kWait));
    ASSERT_TRUE(testing::PumpUntil([&] { return Text(GuanLiQuery::ListRows).rfind("经典珍藏|壁纸:9\n", 0) == 0; }, kWait));
    EXPECT_EQ(Number(GuanLiQuery::ListIndex), 0);
    EXPECT_EQ(Entries(dir_ / kCategory).size(), 9u);
    ASSERT_TRUE(TilesSettled());
    EXPECT_EQ(Captions(), (std::vector<std::string>{"a.b.jpg", "p02.jpg", "p04.jpg", "p05.jpg", "p06.jpg", "p07.jpg",
                                                    "p08.jpg", "p09.jpg", "ก10.jpg"}));

    // Export p02 through the save dialog: a copy under the name typed, the library unchanged.
    const std::wstring target = dir_ / L"exported.jpg";
    ChooseAction(2, 6);
    const MessageBoxSeen dialog = WaitMessageBox(velmora_->pid(), kWait);
    ASSERT_NE(dialog.window, nullptr) << "no save dialog";
    // The file name box of either dialog style.
    for (int id : {0x47c, 0x480}) SetDlgItemTextW(dialog.window, id, target.c_str());
    PostMessageW(dialog.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(testing::PumpUntil([&] { return Exists(target); }, kWait)) << "nothing exported";
    EXPECT_EQ(ReadBytes(target), ReadBytes(dir_ / (kCategory + L"\\p02.jpg")));
    EXPECT_EQ(Entries(dir_ / kCategory).size(), 9u);
    EXPECT_TRUE(NoMessageBox(velmora_->pid(), 500));

    // Preview: the wallpaper installer's window opens on its own, not modally.
    ChooseAction(1, 3);
    EXPECT_NE(WaitWindow(velmora_->pid(), L"VelmoraFrame", L"桌面壁纸", kWait), nullptr) << "no installer window";
    EXPECT_TRUE(IsWindowEnabled(centre_)) << "the preview is not modal";
}

TEST_F(GuanLiZhongXinTest, ASecondStartOpensTheKindInTheRunningProgram) {
    Open(L"wallpaper");
    Process second(dir_ / L"Velmora.exe", L"/library themes");
    DWORD code = 99;
    ASSERT_TRUE(second.WaitExit(kWait, &code));
    EXPECT_EQ(code, 0u) << "the running program took the command line";
    // The centre is opened afresh on the new kind: eight theme categories, no position chooser.
    ASSERT_TRUE(testing::PumpUntil([&] {
        centre_ = WaitWindow(velmora_->pid(), L"VelmoraFrame", L"资源管理", 100);
        return centre_ && Text(GuanLiQuery::Kind) == "电脑主题";
    }, kWait));
    EXPECT_EQ(ListBoxTexts(kIdLeiBiaoFenLei).size(), 8u);
    EXPECT_EQ(Number(GuanLiQuery::Notices), 0);
}

}  // namespace
}  // namespace velmora::uitest
