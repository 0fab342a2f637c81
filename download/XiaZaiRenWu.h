#pragma once
// The download job of the downloader panel: from a resource id (or the program's own installer)
// to a file in the library and on to the installer of its kind.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/FuWu.h"
#include "core/PeiZhi.h"
#include "download/WenBenQingQiu.h"
#include "download/XiaZaiQi.h"
#include "installers/AnZhuangQi.h"
#include "platform/Platform.h"
#include "platform/Programs.h"

namespace velmora::download {

inline const char* const kPromptReady = "资源准备就绪，点击下载按钮立即安装！";
inline const char* const kPromptDownloading = "正在为您下载...请稍等!";
inline const char* const kTypeResource = "资源";
inline const char* const kTypeSoftware = "软件";
// The started package's first window: minimised and active.
constexpr int kShowMinimized = 2;

// The message for a resource the service describes wrongly, with the support contact.
std::string ZiYuanCuoWuTiShi();

// One row of the path table: what a service kind word downloads and installs.
struct ZiYuanLuJing {
    std::string downloadFile;   // what the engine writes
    std::string watchedFolder;  // packages: the folder the package creates (ends with "\")
    std::string installPath;    // what the installer of the kind receives
    bool package = true;        // an ".exe" that is run and waited for; false for wallpapers
};

// The path table for a service answer; nothing when the answer is unusable (a kind word the
// service does not use, a category or name that is not a plain name, no file address). The
// category and name are taken trimmed.
std::optional<ZiYuanLuJing> ZiYuanLuJingBiao(Platform& p, const ZiYuanMiaoShu& answer);

class XiaZaiRenWu {
public:
    XiaZaiRenWu(Platform& platform, Programs& programs, const QuanJuSheZhi& settings, XiaZaiQi& panel,
                TcpClient& infoSocket, AnZhuangQi installers);
    XiaZaiRenWu(const XiaZaiRenWu&) = delete;
    XiaZaiRenWu& operator=(const XiaZaiRenWu&) = delete;

    // The main window's wallpaper position box (BiZhiWeiZhi), read when a wallpaper is done.
    void SetPositionSource(std::function<std::string()> source) { position_ = std::move(source); }
    // Unloads every window of the program in its order and ends it (after the installer started).
    void SetProgramEnd(std::function<void()> end) { endProgram_ = std::move(end); }

    // Prepares a job: ("资源" page id) or ("1", "软件"). False, after a short message, while a
    // description is fetched or a download runs: the running job is never mixed with another.
    bool CanShu(const std::string& id, const std::string& type);
    // cmdStart.
    void cmdStart();
    // Asks the service for the description and, from its answer, starts the download.
    void HuoQuXinXi(const std::string& address);
    // True when a process with exactly that executable name runs (letter case ignored).
    bool CheckApplicationIsRun(const std::string& szExeFileName);
    // A tick of the package watcher PanDuanShiFang.
    void PanDuanShiFangTick();
    // A second of waiting for the service's answer; a service silent this long counts as out of
    // reach.
    static constexpr int kFetchSeconds = 20;
    void FetchTimerTick();

    bool Fetching() const { return info_.Busy(); }

private:
    struct RenWu {
        std::string type, id;
        ZiYuanMiaoShu answer;
        std::string address;
        ZiYuanLuJing paths;
    };
    // What the watcher works on: its own copy, untouched by later jobs.
    struct KanShou {
        ZiYuanMiaoShu answer;
        ZiYuanLuJing paths;
        std::unique_ptr<StartedProgram> program;
        unsigned generation = 0;  // of the job that started it
    };

    void Answered(const std::optional<std::string>& body);
    void Complete(const std::string& file);
    void StartDownload();
    void BackToIdle();
    void Install(const KanShou& watch);
    void Message(const std::string& text, const std::string& title);

    Platform& p_;
    Programs& programs_;
    const QuanJuSheZhi& settings_;
    XiaZaiQi& panel_;
    WenBenQingQiu info_;
    AnZhuangQi installers_;
    std::function<std::string()> position_;
    std::function<void()> endProgram_;
    RenWu job_;
    unsigned generation_ = 0;
    int fetchSeconds_ = 0;
    // Packages still unpacking, each with what it needs to be installed.
    std::vector<KanShou> watches_;
};

}  // namespace velmora::download
