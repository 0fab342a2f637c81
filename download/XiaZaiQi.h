#pragma once
// The downloader panel's logic: one HTTP GET over a plain TCP connection into a file, with the
// texts and states of every control of the panel. The window (or any other front end) forwards
// its events here and shows what controls() holds; socket events arrive through the client.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Socket.h"
#include "platform/System.h"

namespace velmora::download {

inline const char* const kStatusIdle = "速率/%比.";
inline const char* const kSpeedIdle = "速率: 0.00 KB/s";
inline const char* const kPromptIdle = "暂时没有资源准备下载...";

// Which control a change concerns, so a view redraws only that one.
enum class Control { Source, Dest, Start, Locked, Selection, Status, Speed, Progress, Prompt, RateTimer, Watcher, FetchTimer };

class XiaZaiQiObserver {
public:
    virtual ~XiaZaiQiObserver() = default;
    virtual void LogCleared() {}
    virtual void LineAdded(const std::string& /*line*/) {}
    virtual void Changed(Control /*control*/) {}
};

struct XiaZaiQiControls {
    std::string source;           // txtSource
    std::string dest;             // txtDest
    bool startEnabled = false;    // cmdStart; the job enables it once prepared
    bool textLocked = false;      // txtSource and txtDest read-only
    std::vector<std::string> log; // lstStatus
    int selected = -1;            // lstStatus selection, -1 for none
    std::string status = kStatusIdle;  // lblStatus
    std::string speed = kSpeedIdle;    // lblSpeed
    int progress = 0;                  // JinDu, 0..100
    std::string prompt = kPromptIdle;  // TiShi
    bool rateTimer = false;            // tmrSpeed
    bool watcher = false;              // PanDuanShiFang, the job's package watcher
    bool fetchTimer = false;           // once a second while the job awaits the service's answer
};

class XiaZaiQi : public TcpClientEvents {
public:
    // The program directory is taken without or with its trailing backslash.
    XiaZaiQi(TcpClient& socket, FileSystem& files, CodePage& codePage, const std::string& programDirectory);
    ~XiaZaiQi() override;
    XiaZaiQi(const XiaZaiQi&) = delete;
    XiaZaiQi& operator=(const XiaZaiQi&) = delete;

    void SetObserver(XiaZaiQiObserver* observer) { observer_ = observer; }
    // What the job does with a complete download (installs it); receives the finished file.
    void SetInstallStep(std::function<void(const std::string& file)> step) { installStep_ = std::move(step); }
    // What a press of cmdStart does (the job starts).
    void SetStartAction(std::function<void()> action) { startAction_ = std::move(action); }

    const XiaZaiQiControls& controls() const { return c_; }
    const std::string& programFolder() const { return programFolder_; }
    // True from a valid start until the download has ended one way or another.
    bool Busy() const { return phase_ != Phase::Idle; }

    // Downloads txtSource into txtDest.
    void XiaZai();
    // Appends a line to lstStatus; the selection follows when it was on the last line.
    void XieZhuangTai(const std::string& line);
    static std::string QuTouXiang(const std::string& header, const std::string& name);
    static std::string QuWenJianMing(const std::string& url);

    // From the view (user edits) and from the job (texts it sets).
    void SetSource(const std::string& text);
    void SetDest(const std::string& text);
    void SelectLine(int index);
    // The folder picked with "浏览"; nothing when the chooser was cancelled.
    void FolderChosen(const std::optional<std::string>& folder);
    void StartClicked();
    void SetStartEnabled(bool enabled);
    void SetPrompt(const std::string& text);
    void SetStatus(const std::string& text);
    void SetRateTimer(bool running);
    void SetWatcher(bool running);
    void SetFetchTimer(bool running);
    void RateTimerTick();

    // TcpClientEvents
    void Connected() override;
    void DataArrived(const char* data, size_t count) override;
    void SendComplete() override;
    void PeerClosed() override;
    void SocketError(int error) override;

private:
    enum class Phase { Idle, Connecting, Header, Body };

    void HeaderBytes(const char* data, size_t count);
    void ProcessHeader(size_t headerEnd);
    bool OpenPartFile();
    // Writes what belongs to the body; false after a failure has ended the download.
    bool WriteBody(const char* data, size_t count);
    void ShowProgress(bool firstPacket);
    void Complete();
    void Fail(const std::string& line);
    void EndConnection();
    bool FinishFile();
    void DiscardFile();
    void ReleaseControls();

    void SetSpeed(const std::string& text);
    void SetProgress(int value);
    void SetLocked(bool locked);
    void Notify(Control control);
    template <typename T>
    void Update(T& field, const T& value, Control control);

    TcpClient& socket_;
    FileSystem& files_;
    CodePage& codePage_;
    std::string programFolder_;
    bool destFollowsSource_ = true;
    XiaZaiQiControls c_;
    XiaZaiQiObserver* observer_ = nullptr;
    std::function<void(const std::string&)> installStep_;
    std::function<void()> startAction_;

    Phase phase_ = Phase::Idle;
    std::string host_;
    std::string path_;
    std::string header_;
    std::optional<int64_t> contentLength_;  // nothing when unknown
    int64_t received_ = 0;
    int64_t bytesThisTick_ = 0;
    std::string partPath_;
    std::string destPath_;
    std::unique_ptr<WritableFile> file_;
};

// "0.0": tenths of a percent, halves rounded up.
std::string ProgressText(int64_t done, int64_t total);
// "0.00" KiB per second for the bytes of one half-second tick.
std::string RateText(int64_t bytesPerTick);

}  // namespace velmora::download
