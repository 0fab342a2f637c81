// The panel in a real window, downloading over a real loopback socket from a server thread.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "download/XiaZaiQi_win.h"
#include "platform/testing/Doubles.h"
#include "platform/testing/win32/MessagePump.h"
#include "platform/win32/Wide.h"
#include "ui/win32/SkinEngine.h"
#include "platform/win32/Win32Platform.h"

namespace velmora::download {
namespace {

// A fresh program directory under the temporary folder.
class TempProgramDirectory : public Environment {
public:
    TempProgramDirectory() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = Narrow(temp, wcslen(temp)) + "velmora-xzq-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(counter_++);
        win32::RealPlatform().files.CreateDirectories(dir_ + "\\Skin\\img");
    }
    ~TempProgramDirectory() override {
        // The folder and all below it; the double NUL ends the list of names.
        std::wstring from = Widen(dir_);
        from.push_back(L'\0');
        SHFILEOPSTRUCTW op = {};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationW(&op);
    }
    TempProgramDirectory(const TempProgramDirectory&) = delete;
    TempProgramDirectory& operator=(const TempProgramDirectory&) = delete;
    std::optional<std::string> Variable(const std::string& name) override {
        return win32::RealPlatform().environment.Variable(name);
    }
    std::string ProgramDirectory() override { return dir_; }
    std::string ExecutableBaseName() override { return "Velmora"; }

private:
    static inline int counter_ = 0;
    std::string dir_;
};

// A piece that is not sent: the server waits longer than two rate ticks instead.
const char* const kPause = "pause";

// One connection: reads the request, then sends the pieces with a short pause between them
// and closes when told to.
class ServerThread {
public:
    ServerThread(std::vector<std::string> pieces, bool closeAtEnd) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int len = sizeof a;
        bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        listen(listener_, 1);
        thread_ = std::thread([this, pieces = std::move(pieces), closeAtEnd] { Run(pieces, closeAtEnd); });
    }
    ~ServerThread() {
        if (thread_.joinable()) thread_.join();
        closesocket(listener_);
    }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    const std::string& Request() {
        if (thread_.joinable()) thread_.join();
        return request_;
    }

private:
    void Run(const std::vector<std::string>& pieces, bool closeAtEnd) {
        const SOCKET s = accept(listener_, nullptr, nullptr);
        if (s == INVALID_SOCKET) return;
        char buffer[4096];
        while (request_.find("\r\n\r\n") == std::string::npos) {
            const int n = recv(s, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            request_.append(buffer, static_cast<size_t>(n));
        }
        for (const std::string& piece : pieces) {
            if (piece == kPause) {
                Sleep(1200);
                continue;
            }
            send(s, piece.data(), static_cast<int>(piece.size()), 0);
            Sleep(20);
        }
        if (!closeAtEnd) {
            // Until the client has done with the connection.
            while (recv(s, buffer, sizeof buffer, 0) > 0) {
            }
        }
        closesocket(s);
    }

    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::string request_;
    std::thread thread_;
};

class PanelWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 240, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(host_, nullptr);
    }
    void TearDown() override {
        view_.reset();
        DestroyWindow(host_);
    }
    void CreatePanel() {
        view_ = XiaZaiQiWindow::Create(host_, 10, 120, platform_, settings_);
        ASSERT_NE(view_, nullptr);
        view_->panel().SetInstallStep([this](const std::string& file) { installed_.push_back(file); });
    }
    // Runs the message loop until the condition holds or ten seconds have passed.
    static bool PumpUntil(const std::function<bool()>& done) { return testing::PumpUntil(done, 10000); }
    void PumpUntilIdle() { ASSERT_TRUE(PumpUntil([this] { return !view_->panel().Busy(); })); }
    void Download(const std::string& url, const std::string& dest) {
        view_->panel().SetSource(url);
        view_->panel().SetDest(dest);
        view_->panel().SetRateTimer(true);
        view_->panel().XiaZai();
        PumpUntilIdle();
    }
    HWND Child(int id) const { return GetDlgItem(view_->hwnd(), id); }
    std::string Text(int id) const {
        wchar_t text[1024] = {};
        GetWindowTextW(Child(id), text, 1024);
        return Narrow(text, wcslen(text));
    }
    std::vector<std::string> ListLines() const {
        std::vector<std::string> lines;
        const int n = static_cast<int>(SendMessageW(Child(kIdLstStatus), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            wchar_t line[1024] = {};
            SendMessageW(Child(kIdLstStatus), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
            lines.push_back(Narrow(line, wcslen(line)));
        }
        return lines;
    }
    std::string Program(const std::string& relative) const { return environment_.ProgramDirectory() + relative; }
    std::optional<std::string> Read(const std::string& path) const { return win32::RealPlatform().files.ReadAll(path); }
    void Write(const std::string& path, const std::string& text) {
        auto file = win32::RealPlatform().files.OpenForWrite(path);
        ASSERT_TRUE(file && file->Write(text.data(), text.size()) && file->Close());
    }

    testing::RecordingDialogs dialogs_;
    mutable TempProgramDirectory environment_;
    Platform& real_ = win32::RealPlatform();
    Platform platform_{real_.registry, real_.profile, real_.files, environment_, real_.system, dialogs_, real_.codePage,
                       real_.pictures, real_.desktop, real_.drives, real_.processes, real_.iconFiles};
    HWND host_ = nullptr;
    QuanJuSheZhi settings_;
    std::unique_ptr<XiaZaiQiWindow> view_;
    std::vector<std::string> installed_;
};

TEST_F(PanelWindowTest, MissingBackgroundIsReportedAndCreationGoesOn) {
    CreatePanel();
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, "错误");
    EXPECT_EQ(dialogs_.shown[0].text, "缺少软件背景图片!");
    EXPECT_EQ(Text(kIdCmdStart), "下载");
    EXPECT_EQ(Text(kIdJcbutton2), "浏览");
    EXPECT_EQ(Text(kIdLblStatus), "速率/%比.");
    EXPECT_EQ(Text(kIdLblSpeed), "速率: 0.00 KB/s");
    EXPECT_EQ(Text(kIdTiShi), "暂时没有资源准备下载...");
    for (int id : {kIdTxtSource, kIdTxtDest, kIdLstStatus, kIdJinDu}) EXPECT_NE(Child(id), nullptr) << id;
}

TEST_F(PanelWindowTest, BackgroundPictureLoads) {
    const std::string picture = std::string(getenv("VELMORA_SOURCE") ? getenv("VELMORA_SOURCE") : "") +
                                "\\res\\Skin\\img\\General.jpg";
    const auto bytes = Read(picture);
    ASSERT_TRUE(bytes) << "no picture at " << picture << " (ctest sets VELMORA_SOURCE)";
    Write(Program("\\Skin\\img\\General.jpg"), *bytes);
    CreatePanel();
    EXPECT_TRUE(dialogs_.shown.empty());
}

// The panel is one more surface of the skin: its text boxes and its log take the skin's colours.
TEST_F(PanelWindowTest, TextBoxesAndLogTakeTheSkin) {
    Write(Program("\\Skin\\img\\aero.she"), "[Skin]\r\nFace=#D0E0F0\r\nWindow=#203040\r\nWindowText=#F0F0F0\r\n");
    ASSERT_EQ(SkinH_AttachEx(real_.files, Program("\\Skin\\img\\aero.she"), ""), 0);
    CreatePanel();
    testing::PumpFor(300);
    for (int id : {kIdTxtSource, kIdLstStatus}) {
        HWND child = Child(id);
        RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT rc;
        GetClientRect(child, &rc);
        HDC dc = GetDC(child);
        const COLORREF inside = GetPixel(dc, rc.right - 4, rc.bottom / 2);
        ReleaseDC(child, dc);
        EXPECT_EQ(inside, RGB(0x20, 0x30, 0x40)) << "control " << id << " has " << std::hex << inside;
    }
}

TEST_F(PanelWindowTest, TypedSourceMovesTheDestination) {
    CreatePanel();
    SetWindowTextW(Child(kIdTxtSource), L"http://h/壁纸.jpg");
    EXPECT_EQ(view_->panel().controls().source, "http://h/壁纸.jpg");
    EXPECT_EQ(Text(kIdTxtDest), Program("\\壁纸.jpg"));
}

TEST_F(PanelWindowTest, DownloadsIntoTheFileAndHandsOver) {
    std::string body(200000, '\0');
    for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 31 + i / 977);
    ServerThread server({"HTTP/1.1 200 OK\r\nContent-Le", "ngth: 200000\r\n\r", "\n" + body.substr(0, 1000),
                         body.substr(1000, 120000), body.substr(121000)},
                        false);
    CreatePanel();
    const std::string dest = Program("\\壁纸.jpg");
    Write(dest, "the old picture");
    Download(server.Url("/pic/壁纸.jpg"), dest);

    EXPECT_EQ(installed_, std::vector<std::string>{dest});
    EXPECT_TRUE(Read(dest) == body);
    EXPECT_FALSE(Read(dest + ".part"));
    const auto lines = ListLines();
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines[0], "Initializing URL " + server.Url("/pic/壁纸.jpg") + "...");
    EXPECT_EQ(lines[6], "Connection established: 127.0.0.1:" + server.Url("").substr(17));
    EXPECT_EQ(lines.back(), "Download complete.");
    EXPECT_EQ(static_cast<int>(SendMessageW(Child(kIdLstStatus), LB_GETCURSEL, 0, 0)),
              static_cast<int>(lines.size()) - 1);
    EXPECT_EQ(Text(kIdLblStatus), "安装资源中ing...");
    EXPECT_EQ(Text(kIdLblSpeed), "速率: 0.00 KB/s");
    EXPECT_EQ(Text(kIdTxtSource), "");
    EXPECT_FALSE(IsWindowEnabled(Child(kIdCmdStart)));
    EXPECT_EQ(SendMessageW(Child(kIdJinDu), PBM_GETPOS, 0, 0), 0);
    // The request went out in the system code page.
    if (GetACP() == 936) {
        EXPECT_EQ(server.Request(), "GET /pic/\xB1\xDA\xD6\xBD.jpg HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    }
}

TEST_F(PanelWindowTest, RateTimerRunsDuringTheDownload) {
    ServerThread server({"HTTP/1.1 200 OK\r\nContent-Length: 2048\r\n\r\n" + std::string(1024, 'a'), kPause,
                         std::string(1024, 'b')},
                        false);
    CreatePanel();
    view_->panel().SetSource(server.Url("/r.bin"));
    view_->panel().SetRateTimer(true);
    view_->panel().XiaZai();
    EXPECT_TRUE(PumpUntil([this] { return Text(kIdLblSpeed).rfind("下载进度: ", 0) == 0; })) << Text(kIdLblSpeed);
    PumpUntilIdle();
    EXPECT_EQ(Text(kIdLblSpeed), "速率: 0.00 KB/s");
    EXPECT_EQ(installed_.size(), 1u);
}

// Closes the folder chooser as the user's Cancel would, once it is up.
VOID CALLBACK CancelChooser(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(h, cls, 16);
            if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(h)) PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        },
        0);
}

TEST_F(PanelWindowTest, CancelledFolderChooserKeepsTheDestination) {
    CreatePanel();
    view_->panel().SetSource("http://h/a.jpg");
    const std::string before = Text(kIdTxtDest);
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, CancelChooser);
    SendMessageW(view_->hwnd(), WM_COMMAND, MAKEWPARAM(kIdJcbutton2, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Child(kIdJcbutton2)));
    KillTimer(nullptr, timer);
    EXPECT_EQ(Text(kIdTxtDest), before);
    EXPECT_EQ(view_->panel().controls().dest, before);
}

TEST_F(PanelWindowTest, EarlyCloseKeepsTheOldFile) {
    ServerThread server({"HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\nonly a part"}, true);
    CreatePanel();
    const std::string dest = Program("\\a.jpg");
    Write(dest, "the old picture");
    Download(server.Url("/a.jpg"), dest);
    EXPECT_EQ(ListLines().back(), "Socket closed.");
    EXPECT_EQ(Read(dest), "the old picture");
    EXPECT_FALSE(Read(dest + ".part"));
    EXPECT_TRUE(IsWindowEnabled(Child(kIdCmdStart)));
    EXPECT_TRUE(installed_.empty());
}

TEST_F(PanelWindowTest, RefusedConnectionIsANetworkError) {
    int port = 0;
    {
        ServerThread unused({}, true);
        port = std::stoi(unused.Url("").substr(17));
        // Wake its accept so it ends, then its listener closes.
        const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<u_short>(port));
        connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
        send(s, "\r\n\r\n", 4, 0);
        closesocket(s);
    }
    CreatePanel();
    Download("http://127.0.0.1:" + std::to_string(port) + "/x", Program("\\x"));
    EXPECT_EQ(ListLines().back(), "Network error. (10061)");
    EXPECT_TRUE(IsWindowEnabled(Child(kIdCmdStart)));
}

// ---- A wallpaper of the demo resource service, which ctest starts around these tests.

// One GET over Winsock, read until the service closes; the header and the body, or nothing.
struct Answer {
    std::string header, body;
};
std::optional<Answer> Get(int port, const std::string& path) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<u_short>(port));
    std::string raw;
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
        const std::string request = "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
        send(s, request.data(), static_cast<int>(request.size()), 0);
        char buffer[4096];
        for (int n; (n = recv(s, buffer, sizeof buffer, 0)) > 0;) raw.append(buffer, static_cast<size_t>(n));
    }
    closesocket(s);
    WSACleanup();
    const size_t end = raw.find("\r\n\r\n");
    if (raw.rfind("HTTP/1.1 200 ", 0) != 0 || end == std::string::npos) return std::nullopt;
    return Answer{raw.substr(0, end + 4), raw.substr(end + 4)};
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + separator.size()) {
        parts.push_back(text.substr(from, at - from));
    }
    parts.push_back(text.substr(from));
    return parts;
}

class DemoServiceTest : public PanelWindowTest {
protected:
    void SetUp() override {
        PanelWindowTest::SetUp();
        const char* state = getenv("VELMORA_DEMO_SERVICE");
        ASSERT_NE(state, nullptr) << "no demo service: run through ctest, which starts one";
        // "PORT PID", written once the service answers.
        const auto text = Read(state);
        ASSERT_TRUE(text) << state;
        port_ = atoi(text->c_str());
        ASSERT_GT(port_, 0) << *text;
    }
    std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_); }
    // Lets late socket events arrive, to see that none of them does anything more.
    void PumpFor(int milliseconds) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        PumpUntil([until] { return std::chrono::steady_clock::now() >= until; });
    }

    int port_ = 0;
};

TEST_F(DemoServiceTest, DownloadsTheWallpaperTheServiceNames) {
    // "velmora/*/KIND/*/CATEGORY/*/NAME/*/ADDRESS/**/", the address relative to the service.
    const auto answer = Get(port_, "/kelpo.php?id=1201");
    ASSERT_TRUE(answer);
    const auto fields = Split(answer->body.substr(0, answer->body.find("/**/")), "/*/");
    ASSERT_EQ(fields.size(), 5u) << answer->body;
    ASSERT_EQ(fields[1], "桌面壁纸");
    const std::string path = "/" + fields[4];
    const auto picture = Get(port_, path);
    ASSERT_TRUE(picture) << path;
    ASSERT_FALSE(picture->body.empty());

    CreatePanel();
    const std::string folder = Program("\\Download\\" + fields[1] + "\\" + fields[2] + "\\");
    ASSERT_TRUE(real_.files.CreateDirectories(folder));
    const std::string dest = folder + fields[3] + ".jpg";
    view_->panel().SetSource(Address() + path);
    view_->panel().SetDest(dest);
    view_->panel().SetRateTimer(true);
    view_->panel().XiaZai();
    ASSERT_TRUE(PumpUntil([this] { return !installed_.empty(); })) << ListLines().back();
    PumpFor(300);

    EXPECT_EQ(installed_, std::vector<std::string>{dest});
    EXPECT_TRUE(Read(dest) == picture->body);
    EXPECT_FALSE(Read(dest + ".part"));
    auto lines = ListLines();
    // Each of the three sends reports its completion through the message queue; when the whole
    // answer is in before the last report is handled, the closed connection drops that report.
    const std::string sent = "Request was sent, waiting for response.";
    const auto reports = std::count(lines.begin(), lines.end(), sent);
    EXPECT_GE(reports, 1) << ::testing::PrintToString(lines);
    EXPECT_LE(reports, 3) << ::testing::PrintToString(lines);
    lines.erase(std::remove(lines.begin(), lines.end(), sent), lines.end());
    ASSERT_EQ(lines.size(), 14u) << ::testing::PrintToString(lines);
    // The local port is the system's choice, and the first read may carry part or all of the
    // body too; either way the download completes and is handed over.
    EXPECT_EQ(lines[7].rfind("Local socket: 127.0.0.1:", 0), 0u) << lines[7];
    const std::string received = lines[8];
    ASSERT_EQ(received.rfind("Recieve header: ", 0), 0u) << received;
    const size_t count = std::stoul(received.substr(std::string("Recieve header: ").size()));
    EXPECT_GE(count, picture->header.size()) << received;
    EXPECT_LE(count, picture->header.size() + picture->body.size()) << received;
    lines[7] = "Local socket";
    lines[8] = "Recieve header";
    const std::string port = std::to_string(port_);
    EXPECT_EQ(lines, (std::vector<std::string>{"Initializing URL " + Address() + path + "...",
                                               "Detected HTTP header.",
                                               "Server Hostname: 127.0.0.1",
                                               "Server Port: " + port,
                                               "Server URL: " + path,
                                               "Connecting Server...",
                                               "Connection established: 127.0.0.1:" + port,
                                               "Local socket",
                                               "Recieve header",
                                               "This server is an HTTP/1.1 server.",
                                               "Detected file size: " + std::to_string(picture->body.size()) + ".",
                                               "Creating local file...",
                                               "Starting to receive data...",
                                               "Download complete."}));
    EXPECT_EQ(received, "Recieve header: " + std::to_string(count) + " bytes.");
}

}  // namespace
}  // namespace velmora::download
