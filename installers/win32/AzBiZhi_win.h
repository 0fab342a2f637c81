#pragma once
// The wallpaper installer's window: the picture BiZhiTu, the position box BiZhiWeiZhi and the
// install button AnZhuang on the shared frame.
#include <windows.h>

#include <memory>
#include <string>

#include "installers/AzBiZhi.h"
#include "ui/win32/FramedWindow.h"

namespace velmora {

// Control ids, for tests (GetDlgItem on hwnd()).
inline constexpr int kIdBiZhiTu = 3101;
inline constexpr int kIdBiZhiWeiZhi = 3102;
inline constexpr int kIdAnZhuang = 3103;

class AzBiZhiWindow : public FramedWindow, public AzBiZhiView {
public:
    explicit AzBiZhiWindow(Platform& platform);
    ~AzBiZhiWindow() override;

    // Creates the window hidden and runs its load with the management centre's selection.
    bool Load(const std::string& dangQianTuPian);
    AzBiZhi& logic() { return azBiZhi_; }
    // True once the close button unloaded the window.
    bool Unloaded() const { return unloaded_; }

    // AzBiZhiView
    void ShowPicture(const std::string& path) override;
    void SelectPosition(int index) override;
    std::string PositionText() override;
    void Unload() override;

protected:
    void OnCloseClicked() override { azBiZhi_.OnCloseClicked(); }
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    static LRESULT CALLBACK PictureProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void CreateControls();

    AzBiZhi azBiZhi_;
    std::unique_ptr<Picture> picture_;
    HWND biZhiTu_ = nullptr, biZhiWeiZhi_ = nullptr, anZhuang_ = nullptr;
    HFONT font_ = nullptr;
    bool unloaded_ = false;
};

}  // namespace velmora
