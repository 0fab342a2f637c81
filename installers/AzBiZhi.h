#pragma once
// The wallpaper installer `AzBiZhi`: its two public procedures, which convert a picture to a
// bitmap file, record the position and set the system wallpaper, and the window's behaviour.
#include <string>

#include "core/BiZhiWeiZhi.h"
#include "platform/Platform.h"
#include "ui/KuangJia.h"

namespace velmora {

// Windows directory + "\Wallpaper\Wallpaper.bmp", overwritten by every install.
std::string BiZhiWenJian(Platform& p);

// Installs the picture (JPEG, BMP, PNG) with the position text. An undecodable picture shows
// "图片格式错误，请查看图片是否损坏！" and changes nothing; a bitmap that cannot be written is
// reported and leaves the registry and "Win.ini" alone. True when the wallpaper was set.
bool AnZhuangBiZhi(Platform& p, const std::string& weiZhi, const std::string& anZhuangUrl);
// The same with the bitmap kept in the library as "\Download\桌面壁纸\用户自定义\" + mingChen.
bool ZiDingYiBiZhi(Platform& p, const std::string& weiZhi, const std::string& anZhuangUrl,
                   const std::string& mingChen);

class AzBiZhiView : public virtual ChromeView {
public:
    // BiZhiTu: shows the picture file, or nothing for an empty path.
    virtual void ShowPicture(const std::string& path) = 0;
    virtual void SelectPosition(int index) = 0;  // BiZhiWeiZhi
    virtual std::string PositionText() = 0;
    virtual void Unload() = 0;
};

class AzBiZhi {
public:
    AzBiZhi(Platform& platform, AzBiZhiView& view) : p_(platform), view_(view) {}

    // The window's load: frame, the management centre's selected picture, position "拉伸".
    void Load(const std::string& dangQianTuPian);
    // The install button "壁 纸 安 装".
    bool OnAnZhuang();
    void OnCloseClicked() { view_.Unload(); }

private:
    Platform& p_;
    AzBiZhiView& view_;
    std::string dangQianTuPian_;
};

}  // namespace velmora
