#pragma once
// The window `AzTuBiao`: the frame, the preview list of the selected icon set and the two
// buttons; the behaviour is AzTuBiao's.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "installers/AzTuBiao.h"
#include "ui/win32/FramedWindow.h"

namespace velmora {

// Control ids, for tests (GetDlgItem on the window).
constexpr int kIdTuBiaoListView1 = 3301;
constexpr int kIdTuBiaoCommand1 = 3302;
constexpr int kIdTuBiaoCommand2 = 3303;

class AzTuBiaoWindow : public FramedWindow, public AzTuBiaoView {
public:
    explicit AzTuBiaoWindow(Platform& platform);
    ~AzTuBiaoWindow() override;

    // Creates the window hidden and runs its load with the set selected in the management
    // centre; false when the window could not be created.
    bool Load(const std::string& set);
    AzTuBiao& installer() { return installer_; }
    // Called once the close button has unloaded the window.
    std::function<void()> onUnload;

    // AzTuBiaoView
    void ClearPreview() override;
    void AddImage(void* icon) override;
    void AddItem(int image) override;

protected:
    void OnCloseClicked() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    AzTuBiao installer_;
    HWND list_ = nullptr;
    HIMAGELIST images_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace velmora
