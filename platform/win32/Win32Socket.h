#pragma once
// The TCP client over Winsock: asynchronous selection on a hidden message window, so every
// event arrives through the user-interface thread's message loop.
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/Socket.h"

namespace velmora::win32 {

class Win32TcpClient : public TcpClient {
public:
    Win32TcpClient();
    ~Win32TcpClient() override;
    Win32TcpClient(const Win32TcpClient&) = delete;
    Win32TcpClient& operator=(const Win32TcpClient&) = delete;

    void SetEventSink(TcpClientEvents* sink) override { sink_ = sink; }
    void Connect(const std::string& host, int port) override;
    void Send(const std::string& bytes) override;
    void Close() override;
    std::string PeerAddress() override;
    int PeerPort() override;
    std::string LocalAddress() override;
    int LocalPort() override;

private:
    enum class Queued { SendComplete, Error };
    struct Event {
        uint64_t generation;
        Queued kind;
        int error;
    };
    static LRESULT CALLBACK WindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void SocketMessage(SOCKET s, WORD event, WORD error);
    void QueuedMessage();
    void Queue(Queued kind, int error);
    void Flush();
    // False when the connection ended or was replaced while reading. Without toTheEnd a
    // bounded amount is read and Winsock announces the rest.
    bool ReadAvailable(bool toTheEnd);

    HWND window_ = nullptr;
    TcpClientEvents* sink_ = nullptr;
    SOCKET socket_ = INVALID_SOCKET;
    bool connected_ = false;
    uint64_t generation_ = 0;
    SendQueue out_;
    std::deque<Event> pending_;
    std::vector<char> readBuffer_;
};

}  // namespace velmora::win32
