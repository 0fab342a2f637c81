#include "download/XiaZaiQi.h"

#include <algorithm>

#include "download/HttpHeader.h"
#include "download/Url.h"
#include "platform/Strings.h"

namespace velmora::download {

namespace {

// The runtime's "Path/File access error", reported for any trouble with the local file.
constexpr int kFileAccessError = 75;

const char* const kPartSuffix = ".part";

std::string FileFailedLine() { return "Create local file failed. (" + std::to_string(kFileAccessError) + ")"; }

std::string WithTrailingBackslash(const std::string& dir) { return EndsWith(dir, "\\") ? dir : dir + "\\"; }

// A count of tenths or hundredths written with that many decimals.
std::string Decimal(int64_t scaled, int places) {
    int64_t scale = 1;
    for (int i = 0; i < places; ++i) scale *= 10;
    const int64_t whole = scaled / scale;
    std::string frac = std::to_string(scaled % scale);
    frac.insert(0, static_cast<size_t>(places) - frac.size(), '0');
    return std::to_string(whole) + "." + frac;
}

}  // namespace

std::string ProgressText(int64_t done, int64_t total) {
    if (total <= 0) return "100.0";  // nothing to fetch is all there is
    return Decimal((done * 2000 + total) / (2 * total), 1);
}

std::string RateText(int64_t bytesPerTick) { return Decimal((bytesPerTick * 100 + 256) / 512, 2); }

XiaZaiQi::XiaZaiQi(TcpClient& socket, FileSystem& files, CodePage& codePage, const std::string& programDirectory)
    : socket_(socket), files_(files), codePage_(codePage), programFolder_(WithTrailingBackslash(programDirectory)) {
    socket_.SetEventSink(this);
}

XiaZaiQi::~XiaZaiQi() {
    socket_.SetEventSink(nullptr);
    socket_.Close();
    DiscardFile();
}

std::string XiaZaiQi::QuTouXiang(const std::string& header, const std::string& name) { return HeaderField(header, name); }

std::string XiaZaiQi::QuWenJianMing(const std::string& url) { return FileNameOfUrl(url); }

// ---- controls

void XiaZaiQi::Notify(Control control) {
    if (observer_) observer_->Changed(control);
}

void XiaZaiQi::XieZhuangTai(const std::string& line) {
    const bool onLastLine = static_cast<int>(c_.log.size()) == c_.selected + 1;
    c_.log.push_back(line);
    if (observer_) observer_->LineAdded(line);
    if (onLastLine) SelectLine(static_cast<int>(c_.log.size()) - 1);
}

void XiaZaiQi::SelectLine(int index) {
    if (index < -1 || index >= static_cast<int>(c_.log.size())) return;
    Update(c_.selected, index, Control::Selection);
}

void XiaZaiQi::SetSource(const std::string& text) {
    if (text == c_.source) return;
    Update(c_.source, text, Control::Source);
    if (destFollowsSource_) SetDest(programFolder_ + QuWenJianMing(text));
}

void XiaZaiQi::SetDest(const std::string& text) {
    Update(c_.dest, text, Control::Dest);
    destFollowsSource_ = c_.dest == programFolder_ + QuWenJianMing(c_.source);
}

void XiaZaiQi::FolderChosen(const std::optional<std::string>& folder) {
    if (!folder) return;
    std::string dir = TrimBlanks(*folder);
    if (dir.empty()) return;
    SetDest(WithTrailingBackslash(dir) + QuWenJianMing(c_.source));
}

void XiaZaiQi::StartClicked() {
    if (c_.startEnabled && startAction_) startAction_();
}

template <typename T>
void XiaZaiQi::Update(T& field, const T& value, Control control) {
    if (field == value) return;
    field = value;
    Notify(control);
}

void XiaZaiQi::SetStartEnabled(bool enabled) { Update(c_.startEnabled, enabled, Control::Start); }
void XiaZaiQi::SetLocked(bool locked) { Update(c_.textLocked, locked, Control::Locked); }
void XiaZaiQi::SetPrompt(const std::string& text) { Update(c_.prompt, text, Control::Prompt); }
void XiaZaiQi::SetStatus(const std::string& text) { Update(c_.status, text, Control::Status); }
void XiaZaiQi::SetSpeed(const std::string& text) { Update(c_.speed, text, Control::Speed); }
void XiaZaiQi::SetProgress(int value) { Update(c_.progress, std::clamp(value, 0, 100), Control::Progress); }
void XiaZaiQi::SetRateTimer(bool running) { Update(c_.rateTimer, running, Control::RateTimer); }
void XiaZaiQi::SetWatcher(bool running) { Update(c_.watcher, running, Control::Watcher); }
void XiaZaiQi::SetFetchTimer(bool running) { Update(c_.fetchTimer, running, Control::FetchTimer); }

void XiaZaiQi::RateTimerTick() {
    if (!c_.rateTimer) return;
    SetSpeed("下载进度: " + RateText(bytesThisTick_) + " KB/s");
    bytesThisTick_ = 0;
}

// ---- start

void XiaZaiQi::ReleaseControls() {
    SetStartEnabled(true);
    SetLocked(false);
}

void XiaZaiQi::XiaZai() {
    // A download still running gives way to the new one; its partial file goes.
    EndConnection();
    DiscardFile();

    SetStartEnabled(false);
    SetLocked(true);
    c_.log.clear();
    c_.selected = -1;
    if (observer_) observer_->LogCleared();

    const std::string source = c_.source;
    destPath_ = c_.dest;
    XieZhuangTai("Initializing URL " + source + "...");
    switch (SchemeOf(source)) {
        case UrlScheme::Http: break;
        case UrlScheme::Ftp:
            XieZhuangTai("Sorry, FTP support is unavailable in this version.");
            ReleaseControls();
            return;
        case UrlScheme::Unsupported:
            XieZhuangTai("Unsupported protocol.");
            ReleaseControls();
            return;
    }
    XieZhuangTai("Detected HTTP header.");
    const HttpUrl url = ParseHttpUrl(source);
    XieZhuangTai("Server Hostname: " + url.host);
    XieZhuangTai("Server Port: " + std::to_string(url.port));
    XieZhuangTai("Server URL: " + url.path);
    if (!IsUsableUrl(source, url)) {
        XieZhuangTai("Please enter a valid URL.");
        ReleaseControls();
        return;
    }
    host_ = url.host;
    path_ = url.path;
    XieZhuangTai("Connecting Server...");
    phase_ = Phase::Connecting;
    socket_.Connect(host_, static_cast<int>(url.port));
}

// ---- socket events

void XiaZaiQi::Connected() {
    if (phase_ != Phase::Connecting) return;
    phase_ = Phase::Header;
    header_.clear();
    XieZhuangTai("Connection established: " + socket_.PeerAddress() + ":" + std::to_string(socket_.PeerPort()));
    XieZhuangTai("Local socket: " + socket_.LocalAddress() + ":" + std::to_string(socket_.LocalPort()));
    socket_.Send(codePage_.ToSystem("GET " + path_ + " HTTP/1.1\r\n"));
    socket_.Send(codePage_.ToSystem("Host: " + host_ + "\r\n"));
    socket_.Send("\r\n");
}

void XiaZaiQi::SendComplete() {
    if (phase_ == Phase::Idle) return;
    XieZhuangTai("Request was sent, waiting for response.");
}

void XiaZaiQi::DataArrived(const char* data, size_t count) {
    if (count == 0 || (phase_ != Phase::Header && phase_ != Phase::Body)) return;
    bytesThisTick_ += static_cast<int64_t>(count);
    if (phase_ == Phase::Header) {
        HeaderBytes(data, count);
        return;
    }
    if (!WriteBody(data, count)) return;
    ShowProgress(false);
}

void XiaZaiQi::HeaderBytes(const char* data, size_t count) {
    XieZhuangTai("Recieve header: " + std::to_string(count) + " bytes.");
    const size_t before = header_.size();
    header_.append(data, count);
    const size_t end = FindHeaderEnd(header_, before);
    // Measured up to the blank line, so the verdict does not depend on how the bytes were split.
    const size_t headerLength = end == std::string::npos ? header_.size() : end;
    if (headerLength > kHeaderCap) {
        header_.clear();
        Fail("An error occured while receving HTTP header.");
        return;
    }
    if (end != std::string::npos) ProcessHeader(end);
}

void XiaZaiQi::ProcessHeader(size_t headerEnd) {
    phase_ = Phase::Body;
    std::string body = header_.substr(headerEnd);
    header_.resize(headerEnd);
    const std::string text = codePage_.FromSystem(header_);
    header_.clear();
    header_.shrink_to_fit();

    const std::string statusLine = StatusLineOf(text);
    const std::string serverLine = ServerLineForStatus(statusLine);
    if (serverLine.empty()) {
        XieZhuangTai("File translate error. (" + statusLine + ")");
        EndConnection();
        SetRateTimer(false);
        SetStatus(kStatusIdle);
        SetPrompt(kPromptIdle);
        SetSpeed(kSpeedIdle);
        SetLocked(false);
        SetSource("");
        return;
    }
    XieZhuangTai(serverLine);

    const std::string length = TrimBlanks(QuTouXiang(text, "Content-Length"));
    contentLength_.reset();
    if (length.empty()) {
        XieZhuangTai("Detected file size: unknown.");
    } else {
        XieZhuangTai("Detected file size: " + length + ".");
        const auto number = LeadingNumber(length);
        const auto rounded = number ? RoundToInt32(*number) : std::nullopt;
        // A negative length is as good as none.
        if (rounded && *rounded >= 0) contentLength_ = *rounded;
    }

    XieZhuangTai("Creating local file...");
    if (!OpenPartFile()) return;
    XieZhuangTai("Starting to receive data...");
    received_ = 0;

    if (!body.empty()) {
        if (!WriteBody(body.data(), body.size())) return;
        ShowProgress(true);
    } else if (contentLength_ && *contentLength_ == 0) {
        Complete();
    }
}

bool XiaZaiQi::OpenPartFile() {
    // The body goes to a file beside the destination, which stays as it is until the download
    // is complete.
    const auto existing = files_.Stat(destPath_);
    const bool usable = !destPath_.empty() && !EndsWith(destPath_, "\\") && !(existing && existing->directory);
    partPath_ = destPath_ + kPartSuffix;
    if (usable) {
        files_.Remove(partPath_);
        file_ = files_.OpenForWrite(partPath_);
    }
    if (file_) return true;
    partPath_.clear();
    Fail(FileFailedLine());
    return false;
}

bool XiaZaiQi::WriteBody(const char* data, size_t count) {
    size_t take = count;
    if (contentLength_) {
        // Whatever the server sends beyond the announced length is not part of the file.
        take = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), *contentLength_ - received_));
    }
    if (take > 0 && !file_->Write(data, take)) {
        Fail(FileFailedLine());
        return false;
    }
    received_ += static_cast<int64_t>(take);
    return true;
}

void XiaZaiQi::ShowProgress(bool firstPacket) {
    if (!contentLength_) {
        SetStatus(firstPacket ? "Downloaded " + std::to_string(received_) + " bytes/unknown" : "下载进度 /unknown");
        return;
    }
    const std::string progress = ProgressText(received_, *contentLength_);
    SetStatus(firstPacket ? "下载进度 " + progress + "%)" : "下载进度  (" + progress + "%)");
    SetProgress(std::stoi(progress));
    if (received_ == *contentLength_) Complete();
}

void XiaZaiQi::Complete() {
    XieZhuangTai("Download complete.");
    socket_.Close();
    phase_ = Phase::Idle;
    if (!FinishFile()) {
        Fail(FileFailedLine());
        return;
    }
    SetLocked(false);
    SetStartEnabled(false);
    SetStatus("安装资源中ing...");
    SetSpeed(kSpeedIdle);
    const std::string file = destPath_;
    SetSource("");
    SetRateTimer(false);
    SetProgress(0);
    if (installStep_) installStep_(file);
}

void XiaZaiQi::PeerClosed() {
    if (phase_ == Phase::Idle) return;
    const bool lengthUnknown = phase_ == Phase::Body && !contentLength_;
    XieZhuangTai("Socket closed.");
    socket_.Close();
    phase_ = Phase::Idle;
    // Without a length the close is the only end there is: the file is kept. With a length it
    // came short and is dropped.
    if (lengthUnknown) {
        if (!FinishFile()) XieZhuangTai(FileFailedLine());
    } else {
        DiscardFile();
    }
    ReleaseControls();
}

void XiaZaiQi::SocketError(int error) {
    if (phase_ == Phase::Idle) return;
    Fail("Network error. (" + std::to_string(error) + ")");
}

// ---- ending

void XiaZaiQi::Fail(const std::string& line) {
    XieZhuangTai(line);
    EndConnection();
    DiscardFile();
    ReleaseControls();
}

void XiaZaiQi::EndConnection() {
    socket_.Close();
    phase_ = Phase::Idle;
    header_.clear();
}

bool XiaZaiQi::FinishFile() {
    if (!file_) return false;
    const bool closed = file_->Close();
    file_.reset();
    if (!closed || !files_.Move(partPath_, destPath_)) {
        files_.Remove(partPath_);
        partPath_.clear();
        return false;
    }
    partPath_.clear();
    return true;
}

void XiaZaiQi::DiscardFile() {
    if (file_) {
        file_->Close();
        file_.reset();
    }
    if (!partPath_.empty()) {
        files_.Remove(partPath_);
        partPath_.clear();
    }
}

}  // namespace velmora::download
