#pragma once
// The downloader panel as a child window: the controls of XiaZaiQi over its background
// picture, showing what the portable panel holds and forwarding the user's actions to it.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "download/XiaZaiQi.h"
#include "download/XiaZaiRenWu.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Programs.h"
#include "platform/win32/Win32Socket.h"
#include "ui/win32/AlphaImage.h"
#include "ui/win32/Backdrop.h"
#include "ui/win32/Picture.h"
#include "ui/win32/WindowClass.h"

namespace velmora::download {

// Control ids of the panel's children, for the host and for tests (GetDlgItem on hwnd()).
constexpr int kIdTxtSource = 2101;
constexpr int kIdTxtDest = 2102;
constexpr int kIdCmdStart = 2103;
constexpr int kIdJcbutton2 = 2104;
constexpr int kIdLstStatus = 2105;
constexpr int kIdLblStatus = 2106;
constexpr int kIdLblSpeed = 2107;
constexpr int kIdJinDu = 2108;
constexpr int kIdTiShi = 2109;

constexpr int kPanelWidth = 580;
constexpr int kPanelHeight = 110;

// Drawn like every other surface of the program: its picture through the kit's backdrop, the
// labels over it, the text boxes and the log in the skin's colours.
class XiaZaiQiWindow : private XiaZaiQiObserver, public Backdrop {
public:
    // Creates the panel at (x, y) in the parent's client area, in pixels; null when the window
    // cannot be created. A missing background picture is reported and creation goes on.
    // settings: the program-wide flags, XiaZaiAnZhuang read when a package has unpacked.
    static std::unique_ptr<XiaZaiQiWindow> Create(HWND parent, int x, int y, Platform& platform,
                                                  const QuanJuSheZhi& settings);
    ~XiaZaiQiWindow() override;
    XiaZaiQiWindow(const XiaZaiQiWindow&) = delete;
    XiaZaiQiWindow& operator=(const XiaZaiQiWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    void PaintBackdrop(HDC hdc, int originX, int originY, int width, int height) override;
    // The logic behind the controls: the job sets its texts, seams and starts it here.
    XiaZaiQi& panel() { return panel_; }
    // The download job over the panel: CanShu, the press of "下载", the package watcher.
    XiaZaiRenWu& job() { return job_; }

private:
    XiaZaiQiWindow(Platform& platform, const QuanJuSheZhi& settings);
    template <typename T>
    friend LRESULT CALLBACK velmora::ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void CreateControls();
    void Command(int id, int code);
    HWND Child(int id) const { return GetDlgItem(hwnd_, id); }
    void ShowText(int id, const std::string& text);
    void RunTimer(UINT_PTR id, UINT ms, bool running);

    void LogCleared() override;
    void LineAdded(const std::string& line) override;
    void Changed(Control control) override;

    Platform& platform_;
    win32::Win32TcpClient socket_;
    win32::Win32TcpClient infoSocket_;
    win32::Win32Programs programs_;
    XiaZaiQi panel_;
    XiaZaiRenWu job_;

    std::unique_ptr<Picture> background_;
    BackdropCache cache_;
    Label tiShi_, status_, speed_;
    HWND hwnd_ = nullptr;
};

// The folder chooser (`XuanZeMuLu`): file-system folders only; nothing when cancelled.
std::optional<std::string> XuanZeMuLu(HWND owner, const std::string& title);

}  // namespace velmora::download
