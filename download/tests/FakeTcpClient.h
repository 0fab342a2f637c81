#pragma once
#include <string>
#include <vector>

#include "platform/Socket.h"

namespace velmora::download::testing {

// Records the calls; events are delivered by the test calling the panel directly.
class FakeTcpClient : public TcpClient {
public:
    void SetEventSink(TcpClientEvents* sink) override { sink_ = sink; }
    void Connect(const std::string& host, int port) override {
        connects.push_back(host + ":" + std::to_string(port));
        open = true;
    }
    void Send(const std::string& bytes) override { sends.push_back(bytes); }
    void Close() override {
        if (open) ++closes;
        open = false;
    }
    std::string PeerAddress() override { return "10.0.0.2"; }
    int PeerPort() override { return 8080; }
    std::string LocalAddress() override { return "10.0.0.1"; }
    int LocalPort() override { return 49152; }

    TcpClientEvents* sink_ = nullptr;
    std::vector<std::string> connects;
    std::vector<std::string> sends;
    int closes = 0;
    bool open = false;
};

}  // namespace velmora::download::testing
