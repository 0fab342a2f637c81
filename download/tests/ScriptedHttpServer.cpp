#include "download/tests/ScriptedHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace velmora::download::testing {

namespace {

constexpr int kWaitMs = 10000;

int BoundLoopbackSocket(int* port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        if (fd >= 0) ::close(fd);
        return -1;
    }
    *port = ntohs(a.sin_port);
    return fd;
}

bool WaitReadable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, kWaitMs) == 1;
}

void SendAll(int fd, const std::string& bytes) {
    size_t at = 0;
    while (at < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
        if (n <= 0) return;
        at += static_cast<size_t>(n);
    }
}

}  // namespace

ScriptedHttpServer::ScriptedHttpServer(std::vector<Step> script) : script_(std::move(script)) {
    listener_ = BoundLoopbackSocket(&port_);
    if (listener_ >= 0) ::listen(listener_, 1);
    thread_ = std::thread([this] { Run(); });
}

ScriptedHttpServer::~ScriptedHttpServer() {
    if (thread_.joinable()) thread_.join();
    if (listener_ >= 0) ::close(listener_);
}

std::string ScriptedHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

const std::string& ScriptedHttpServer::Request() {
    if (thread_.joinable()) thread_.join();
    return request_;
}

void ScriptedHttpServer::Run() {
    if (listener_ < 0 || !WaitReadable(listener_)) return;
    const int fd = ::accept(listener_, nullptr, nullptr);
    if (fd < 0) return;
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    char buffer[4096];
    while (request_.find("\r\n\r\n") == std::string::npos && WaitReadable(fd)) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request_.append(buffer, static_cast<size_t>(n));
    }
    bool closed = false;
    for (const Step& step : script_) {
        switch (step.kind) {
            case Step::Kind::Send: SendAll(fd, step.bytes); break;
            case Step::Kind::Pause: std::this_thread::sleep_for(std::chrono::milliseconds(step.ms)); break;
            case Step::Kind::Reset: {
                const linger hard{1, 0};
                setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                ::close(fd);
                closed = true;
                break;
            }
            case Step::Kind::Close:
                ::close(fd);
                closed = true;
                break;
        }
        if (closed) break;
    }
    if (!closed) {
        // Keep the connection open until the client has done with it.
        while (WaitReadable(fd) && ::recv(fd, buffer, sizeof buffer, 0) > 0) {
        }
        ::close(fd);
    }
}

int ClosedLoopbackPort() {
    int port = 0;
    const int fd = BoundLoopbackSocket(&port);
    if (fd >= 0) ::close(fd);
    return port;
}

}  // namespace velmora::download::testing
