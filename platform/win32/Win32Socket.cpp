#include "platform/win32/Win32Socket.h"

#include <utility>

namespace velmora::win32 {

namespace {

constexpr UINT kSocketMessage = WM_APP + 0x51;
constexpr UINT kQueuedMessage = WM_APP + 0x52;
const wchar_t* const kWindowClass = L"VelmoraSocketWindow";
// Bounded so timers and painting keep their turn during a fast transfer; Winsock posts
// another FD_READ for what is left.
constexpr size_t kReadPerMessage = 4u << 20;
// Each receive is a round trip to the server under Wine: large pieces keep their number low
// (200 MB in 64 KiB pieces took twice as long as the transfer itself). The size is fixed, so
// memory stays flat whatever the file's size.
constexpr size_t kReadPiece = 1u << 20;

bool StartWinsock() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

std::pair<std::string, int> Endpoint(SOCKET s, bool peer) {
    sockaddr_in a{};
    int len = sizeof a;
    auto* raw = reinterpret_cast<sockaddr*>(&a);
    if (s == INVALID_SOCKET || (peer ? getpeername(s, raw, &len) : getsockname(s, raw, &len)) != 0) return {"", 0};
    return {inet_ntoa(a.sin_addr), ntohs(a.sin_port)};
}

}  // namespace

Win32TcpClient::Win32TcpClient() {
    StartWinsock();
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);  // fails harmlessly once the class exists
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (window_) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32TcpClient::~Win32TcpClient() {
    Close();
    if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK Win32TcpClient::WindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Win32TcpClient*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (self && msg == kSocketMessage) {
        self->SocketMessage(static_cast<SOCKET>(wp), WSAGETSELECTEVENT(lp), WSAGETSELECTERROR(lp));
        return 0;
    }
    if (self && msg == kQueuedMessage) {
        self->QueuedMessage();
        return 0;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

void Win32TcpClient::Close() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    socket_ = INVALID_SOCKET;
    connected_ = false;
    ++generation_;
    out_.Clear();
}

void Win32TcpClient::Queue(Queued kind, int error) {
    pending_.push_back(Event{generation_, kind, error});
    PostMessageW(window_, kQueuedMessage, 0, 0);
}

void Win32TcpClient::QueuedMessage() {
    if (pending_.empty()) return;
    const Event event = pending_.front();
    pending_.pop_front();
    if (event.generation != generation_ || !sink_) return;
    if (event.kind == Queued::SendComplete) {
        sink_->SendComplete();
    } else {
        Close();
        sink_->SocketError(event.error);
    }
}

void Win32TcpClient::Connect(const std::string& host, int port) {
    Close();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = inet_addr(host.c_str());
    if (address.sin_addr.s_addr == INADDR_NONE) {
        // Name lookup blocks, as the platform's socket control did; Windows XP has no other.
        const hostent* found = gethostbyname(host.c_str());
        if (!found || found->h_addrtype != AF_INET || !found->h_addr_list[0]) {
            Queue(Queued::Error, WSAGetLastError() ? WSAGetLastError() : kSocketErrorHostNotFound);
            return;
        }
        memcpy(&address.sin_addr, found->h_addr_list[0], sizeof address.sin_addr);
    }
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (socket_ == INVALID_SOCKET ||
        WSAAsyncSelect(socket_, window_, kSocketMessage, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) != 0) {
        const int error = WSAGetLastError();
        Close();
        Queue(Queued::Error, error);
        return;
    }
    const BOOL noDelay = TRUE;
    setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    if (connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        WSAGetLastError() != WSAEWOULDBLOCK) {
        const int error = WSAGetLastError();
        Close();
        Queue(Queued::Error, error);
    }
}

void Win32TcpClient::Send(const std::string& bytes) {
    if (socket_ == INVALID_SOCKET) return;
    out_.Append(bytes);
    if (connected_) Flush();
}

void Win32TcpClient::Flush() {
    while (!out_.data().empty()) {
        const int n = send(socket_, out_.data().data(), static_cast<int>(out_.data().size()), 0);
        if (n == SOCKET_ERROR) {
            const int error = WSAGetLastError();
            if (error == WSAEWOULDBLOCK) return;  // FD_WRITE follows when there is room again
            out_.Clear();
            Queue(Queued::Error, error);
            return;
        }
        for (size_t done = out_.Sent(static_cast<size_t>(n)); done > 0; --done) Queue(Queued::SendComplete, 0);
    }
}

bool Win32TcpClient::ReadAvailable(bool toTheEnd) {
    const uint64_t generation = generation_;
    if (readBuffer_.empty()) readBuffer_.resize(kReadPiece);
    size_t total = 0;
    while (toTheEnd || total < kReadPerMessage) {
        const int n = recv(socket_, readBuffer_.data(), static_cast<int>(readBuffer_.size()), 0);
        if (n > 0) {
            total += static_cast<size_t>(n);
            if (sink_) sink_->DataArrived(readBuffer_.data(), static_cast<size_t>(n));
            if (generation != generation_) return false;
            continue;
        }
        if (n == 0) return true;
        const int error = WSAGetLastError();
        if (error == WSAEWOULDBLOCK) return true;
        Close();
        if (sink_) sink_->SocketError(error);
        return false;
    }
    return true;
}

void Win32TcpClient::SocketMessage(SOCKET s, WORD event, WORD error) {
    // Messages of a socket already closed may still be queued.
    if (s != socket_ || socket_ == INVALID_SOCKET) return;
    if (error != 0 && event != FD_CLOSE) {
        Close();
        if (sink_) sink_->SocketError(error);
        return;
    }
    switch (event) {
        case FD_CONNECT: {
            connected_ = true;
            const uint64_t generation = generation_;
            if (sink_) sink_->Connected();
            if (generation == generation_ && !out_.data().empty()) Flush();
            break;
        }
        case FD_WRITE:
            if (connected_) Flush();
            break;
        case FD_READ: ReadAvailable(false); break;
        case FD_CLOSE:
            if (error != 0) {
                Close();
                if (sink_) sink_->SocketError(error);
                break;
            }
            // What the peer sent before closing is delivered first.
            if (!ReadAvailable(true)) break;
            Close();
            if (sink_) sink_->PeerClosed();
            break;
        default: break;
    }
}

std::string Win32TcpClient::PeerAddress() { return Endpoint(socket_, true).first; }
int Win32TcpClient::PeerPort() { return Endpoint(socket_, true).second; }
std::string Win32TcpClient::LocalAddress() { return Endpoint(socket_, false).first; }
int Win32TcpClient::LocalPort() { return Endpoint(socket_, false).second; }

}  // namespace velmora::win32
