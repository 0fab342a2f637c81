#pragma once
// The window `AzJieMian`: the frame, the template list, the large and small previews, the
// thumbnail switch and the four buttons; the behaviour is AzJieMianChuangKou's.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "installers/AzJieMian.h"
#include "ui/win32/FramedWindow.h"

namespace velmora {

// Control ids, for tests (GetDlgItem on the window).
constexpr int kIdJieMianCombo1 = 3401;
constexpr int kIdJieMianCheck1 = 3402;
constexpr int kIdJieMianCommand1 = 3403;
constexpr int kIdJieMianCommand2 = 3404;
constexpr int kIdJieMianCommand3 = 3405;
constexpr int kIdJieMianCommand4 = 3406;
constexpr int kIdJieMianImage1 = 3407;
constexpr int kIdJieMianImage3 = 3408;

class AzJieMianWindow : public FramedWindow, public AzJieMianView {
public:
    explicit AzJieMianWindow(Platform& platform);
    ~AzJieMianWindow() override;

    // Creates the window hidden and runs its load; false when the window could not be created
    // or the load unloaded it again (no template folder).
    bool Load();
    AzJieMianChuangKou& installer() { return installer_; }
    // Called once the window has been unloaded.
    std::function<void()> onUnload;

    // AzJieMianView
    void Update(const AzJieMianKongJian& controls) override;
    std::optional<std::string> ChooseFile(const std::string& filterName, const std::string& filter,
                                          const std::string& title, const std::string& startFolder) override;
    bool CanShow(const std::string& picture) override;
    void Unload() override;

protected:
    void OnCloseClicked() override { Unload(); }
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CreateControls();
    HWND Child(int id) const { return GetDlgItem(hwnd(), id); }
    void ShowPicture(int id, const std::string& path, std::string& shown);

    AzJieMianChuangKou installer_;
    HFONT font_ = nullptr;
    std::vector<std::string> listed_;
    std::string image1_, image3_;
};

}  // namespace velmora
