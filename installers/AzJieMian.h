#pragma once
// The logon-screen installer. On Windows XP a logon screen is a replacement logon program,
// copied into the Windows directory and registered as the logon host; on Windows 7 a picture
// becomes the system's OEM logon background. The restores undo either. The window `AzJieMian`
// lists the downloaded templates, previews them, takes the user's own picture on Windows 7,
// applies, previews by locking the workstation and restores.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/KuangJia.h"

namespace velmora {

// What the window shows; the view draws it after each change.
struct AzJieMianKongJian {
    std::vector<std::string> moBan;  // Combo1: template names
    int xuanZhong = -1;              // Combo1 selection
    bool moBanKeYong = true;         // Combo1 enabled
    bool suoLueTuKeYong = true;      // Check1 enabled
    bool suoLueTu = true;            // Check1 checked
    bool xianShiSuoLueTu = true;     // Image3 visible
    bool ziDingYiKeJian = true;      // Command3 visible
    bool yingYongKeYong = true;      // Command1 enabled
    bool chaKanKeYong = false;       // Command4 enabled
    std::string daTu;                // Image1: the picture file shown
    std::string xiaoTu;              // Image3: the picture file shown
};

class AzJieMianView : public virtual ChromeView {
public:
    // Shows what the controls hold now.
    virtual void Update(const AzJieMianKongJian& controls) = 0;
    // The open-file dialog; nothing when cancelled.
    virtual std::optional<std::string> ChooseFile(const std::string& filterName, const std::string& filter,
                                                  const std::string& title, const std::string& startFolder) = 0;
    // Whether the picture file can be shown (Image1 and Image3 load it).
    virtual bool CanShow(const std::string& picture) = 0;
    virtual void Unload() = 0;
};

// The template name of a preview picture: the file name up to its last ".".
std::string MoBanMing(const std::string& fileName);

// Installs the logon program at JieMianLj as the Windows XP logon host; false when it could not
// be copied (nothing is registered then) or registered.
bool XiaZaiAZJieMian(Platform& p, const std::string& JieMianLj);
// Restores the system's own logon screen: on Windows XP its own host "logonui.exe", on Windows
// 7 the background that was there before (only the program's own is deleted).
bool XieZaiJieMian(Platform& p);
// Windows 7: the picture becomes the logon background by the window's custom-picture steps (kept
// as the user's own picture, then applied); no template is needed. Shows its message on failure.
bool ZiDingYiBeiJing(Platform& p, const std::string& picture);

// The window `AzJieMian`. The class takes the window's name with "ChuangKou" so that the
// window's procedure `AzJieMian` keeps its own name. Without a view it only runs procedures.
class AzJieMianChuangKou {
public:
    explicit AzJieMianChuangKou(Platform& platform, AzJieMianView* view = nullptr) : p_(platform), view_(view) {}

    // Installs the template program selected in the list.
    bool AzJieMian();
    // The custom-picture step: decodes the picture and keeps it as the user's own picture.
    bool ShiYongTuPian(const std::string& picture);
    // Applies the user's own picture as the Windows 7 background.
    bool XieRuBeiJing();

    // The window.
    void Load();
    void Combo1Click(int index);
    void Check1Click(bool checked);
    void Command1Click();  // apply
    void Command2Click();  // restore
    void Command3Click();  // custom picture
    void Command4Click();  // preview by locking the workstation

    const AzJieMianKongJian& controls() const { return c_; }
    const std::string& moBanChengXu() const { return moBanChengXu_; }
    const std::string& ziDingYiTuPian() const { return ziDingYiTuPian_; }
    bool moBanMoShi() const { return moBanMoShi_; }

private:
    bool SelectTemplate(int index);
    bool Fail();
    void Show();

    Platform& p_;
    AzJieMianView* view_ = nullptr;
    AzJieMianKongJian c_;
    std::string moBanChengXu_;    // template program
    std::string ziDingYiTuPian_;  // custom picture, empty until chosen
    bool moBanMoShi_ = false;     // template mode
    std::unique_ptr<DecodedPicture> tuPian_;  // Picture1: the custom picture, decoded
};

}  // namespace velmora
