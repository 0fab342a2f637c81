#include "download/posix/PosixTcpClient.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "download/XiaZaiQi.h"

namespace velmora::download {

namespace {

// Bounded so the rate timer keeps its turn during a fast transfer.
constexpr size_t kReadChunk = 65536;
constexpr size_t kReadPerPoll = 4u << 20;

std::string AddressText(const sockaddr_in& a) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &a.sin_addr, text, sizeof text);
    return text;
}

}  // namespace

int WinsockErrorFor(int posixError) {
    switch (posixError) {
        case ECONNREFUSED: return kSocketErrorConnectionRefused;
        case ETIMEDOUT: return kSocketErrorTimedOut;
        case EHOSTUNREACH:
        case ENETUNREACH: return kSocketErrorHostUnreachable;
        case ECONNRESET:
        case EPIPE: return kSocketErrorConnectionReset;
        default: return 10000 + posixError;
    }
}

PosixTcpClient::~PosixTcpClient() { Close(); }

void PosixTcpClient::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    connecting_ = false;
    ++generation_;
    out_.Clear();
    pending_.clear();
}

void PosixTcpClient::QueueError(int error) { pending_.push_back(Event{Queued::Error, error}); }

void PosixTcpClient::Connect(const std::string& host, int port) {
    Close();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || !found) {
        QueueError(kSocketErrorHostNotFound);
        return;
    }
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        freeaddrinfo(found);
        QueueError(WinsockErrorFor(errno));
        return;
    }
    const int one = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    const int rc = ::connect(fd_, found->ai_addr, found->ai_addrlen);
    const int err = errno;
    freeaddrinfo(found);
    if (rc != 0 && err != EINPROGRESS) {
        const int error = WinsockErrorFor(err);
        Close();
        QueueError(error);
        return;
    }
    connecting_ = true;
}

void PosixTcpClient::Send(const std::string& bytes) {
    if (fd_ < 0) return;
    out_.Append(bytes);
    if (!connecting_) Flush();
}

void PosixTcpClient::Flush() {
    while (!out_.data().empty()) {
        const ssize_t n = ::send(fd_, out_.data().data(), out_.data().size(), MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return;
            QueueError(WinsockErrorFor(errno));
            out_.Clear();
            return;
        }
        for (size_t done = out_.Sent(static_cast<size_t>(n)); done > 0; --done) {
            pending_.push_back(Event{Queued::SendComplete, 0});
        }
    }
}

bool PosixTcpClient::Deliver(const Event& event) {
    if (event.kind == Queued::Error) {
        Close();
        if (sink_) sink_->SocketError(event.error);
        return false;
    }
    const uint64_t generation = generation_;
    if (sink_) sink_->SendComplete();
    return generation == generation_;
}

void PosixTcpClient::Poll(int timeoutMs) {
    while (!pending_.empty()) {
        const Event event = pending_.front();
        pending_.pop_front();
        if (!Deliver(event)) return;
    }
    if (fd_ < 0) {
        if (timeoutMs > 0) ::poll(nullptr, 0, timeoutMs);
        return;
    }
    pollfd p{fd_, static_cast<short>(POLLIN | ((connecting_ || !out_.data().empty()) ? POLLOUT : 0)), 0};
    const int ready = ::poll(&p, 1, timeoutMs);
    if (ready <= 0) return;
    const uint64_t generation = generation_;
    if (connecting_) {
        if (!(p.revents & (POLLOUT | POLLERR | POLLHUP))) return;
        int error = 0;
        socklen_t len = sizeof error;
        getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &len);
        if (error != 0) {
            Close();
            if (sink_) sink_->SocketError(WinsockErrorFor(error));
            return;
        }
        connecting_ = false;
        if (sink_) sink_->Connected();
        if (generation != generation_) return;
        if (!out_.data().empty()) Flush();
        return;
    }
    if (p.revents & POLLOUT) Flush();
    if (p.revents & (POLLIN | POLLHUP | POLLERR)) ReadAvailable();
}

void PosixTcpClient::ReadAvailable() {
    const uint64_t generation = generation_;
    char buffer[kReadChunk];
    size_t total = 0;
    while (total < kReadPerPoll) {
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n > 0) {
            total += static_cast<size_t>(n);
            if (sink_) sink_->DataArrived(buffer, static_cast<size_t>(n));
            if (generation != generation_) return;
            continue;
        }
        if (n == 0) {
            ::close(fd_);
            fd_ = -1;
            if (sink_) sink_->PeerClosed();
            return;
        }
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return;
        const int error = WinsockErrorFor(errno);
        ::close(fd_);
        fd_ = -1;
        if (sink_) sink_->SocketError(error);
        return;
    }
}

namespace {

// Address and port of one end of the connection; empty and 0 when there is none.
std::pair<std::string, int> Endpoint(int fd, bool peer) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    auto* raw = reinterpret_cast<sockaddr*>(&a);
    if (fd < 0 || (peer ? getpeername(fd, raw, &len) : getsockname(fd, raw, &len)) != 0) return {"", 0};
    return {AddressText(a), ntohs(a.sin_port)};
}

}  // namespace

std::string PosixTcpClient::PeerAddress() { return Endpoint(fd_, true).first; }
int PosixTcpClient::PeerPort() { return Endpoint(fd_, true).second; }
std::string PosixTcpClient::LocalAddress() { return Endpoint(fd_, false).first; }
int PosixTcpClient::LocalPort() { return Endpoint(fd_, false).second; }

bool RunDownload(XiaZaiQi& panel, PosixTcpClient& client, std::chrono::milliseconds limit) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + limit;
    auto nextTick = Clock::now() + std::chrono::milliseconds(500);
    while (panel.Busy()) {
        const auto now = Clock::now();
        if (now >= deadline) return false;
        if (now >= nextTick) {
            panel.RateTimerTick();
            nextTick += std::chrono::milliseconds(500);
            continue;
        }
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(std::min(nextTick, deadline) - now);
        client.Poll(static_cast<int>(wait.count()) + 1);
    }
    return true;
}

}  // namespace velmora::download
