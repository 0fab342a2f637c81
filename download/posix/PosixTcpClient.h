#pragma once
// The TCP client over POSIX sockets for the native tools and tests. Poll() is the event loop:
// it waits for the socket and delivers the events from there.
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>

#include "platform/Socket.h"

namespace velmora::download {

class XiaZaiQi;

class PosixTcpClient : public TcpClient {
public:
    PosixTcpClient() = default;
    ~PosixTcpClient() override;
    PosixTcpClient(const PosixTcpClient&) = delete;
    PosixTcpClient& operator=(const PosixTcpClient&) = delete;

    void SetEventSink(TcpClientEvents* sink) override { sink_ = sink; }
    void Connect(const std::string& host, int port) override;
    void Send(const std::string& bytes) override;
    void Close() override;
    std::string PeerAddress() override;
    int PeerPort() override;
    std::string LocalAddress() override;
    int LocalPort() override;

    // Waits up to timeoutMs for activity and delivers what happened.
    void Poll(int timeoutMs);

private:
    enum class Queued { SendComplete, Error };
    struct Event {
        Queued kind;
        int error;
    };
    void Flush();
    void ReadAvailable();
    void QueueError(int error);
    // False once the handler closed or reconnected the client.
    bool Deliver(const Event& event);

    TcpClientEvents* sink_ = nullptr;
    int fd_ = -1;
    bool connecting_ = false;
    uint64_t generation_ = 0;
    SendQueue out_;
    std::deque<Event> pending_;
};

// Drives one download with the client until the panel is idle again or the time is up, ticking
// the rate timer every 500 ms while it runs. False when the time ran out.
bool RunDownload(XiaZaiQi& panel, PosixTcpClient& client, std::chrono::milliseconds limit);

// The Winsock number for a POSIX errno.
int WinsockErrorFor(int posixError);

}  // namespace velmora::download
