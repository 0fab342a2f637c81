#pragma once
// The cursor-scheme installer's preview window: the container Picture16 with the fifteen cells
// Picture1 to Picture15 (shell icon of each role's file, its live cursor under the mouse) and
// the buttons Command1 "安 装" and Command2 "还 原", on the shared frame.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "core/ShuBiaoJueSe.h"
#include "installers/AzShuBiao.h"
#include "ui/win32/FramedWindow.h"

namespace velmora {

// Control ids, for tests: cell N is kIdShuBiaoGe + N, the container kIdShuBiaoGe + 16.
inline constexpr int kIdShuBiaoGe = 3200;
inline constexpr int kIdCommand1 = 3221;
inline constexpr int kIdCommand2 = 3222;

class AzShuBiaoWindow : public FramedWindow, public AzShuBiaoView {
public:
    explicit AzShuBiaoWindow(Platform& platform);
    ~AzShuBiaoWindow() override;

    // Creates the window hidden and runs its load with the management centre's resource folder.
    bool Load(const std::string& dangQianZiYuanMuLu);
    AzShuBiao& logic() { return azShuBiao_; }
    bool Unloaded() const { return unloaded_; }
    HWND Cell(int cell) const { return cells_.at(static_cast<size_t>(cell)).hwnd; }
    bool CellHasIcon(int cell) const { return cells_.at(static_cast<size_t>(cell)).list != nullptr; }
    HCURSOR CellCursor(int cell) const { return cells_.at(static_cast<size_t>(cell)).cursor; }

    // AzShuBiaoView
    void DrawShellIcon(int cell, const std::string& file) override;
    bool SetCellCursor(int cell, const std::string& file) override;
    void Unload() override;

protected:
    void OnCloseClicked() override { azShuBiao_.OnCloseClicked(); }
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    static LRESULT CALLBACK BoxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Box(HWND h, int cell, UINT msg, WPARAM wp, LPARAM lp);
    void CreateControls();

    struct Ge {
        HWND hwnd = nullptr;
        HIMAGELIST list = nullptr;  // the system image list: the shell's, never destroyed
        int icon = -1;
        HCURSOR cursor = nullptr;
    };
    AzShuBiao azShuBiao_;
    HWND container_ = nullptr;
    std::array<Ge, kShuBiaoJueSeShu + 1> cells_;  // 1 to 15
    HFONT font_ = nullptr;
    bool unloaded_ = false;
};

}  // namespace velmora
