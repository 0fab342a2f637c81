#pragma once
// A loopback HTTP server for one connection that plays a script: it reads the request up to
// its blank line, then sends any bytes in any split, pauses, closes or resets.
#include <string>
#include <thread>
#include <vector>

namespace velmora::download::testing {

struct Step {
    enum class Kind { Send, Pause, Close, Reset };
    Kind kind;
    std::string bytes;
    int ms = 0;

    static Step Send(std::string bytes) { return Step{Kind::Send, std::move(bytes), 0}; }
    static Step Pause(int ms) { return Step{Kind::Pause, {}, ms}; }
    static Step Close() { return Step{Kind::Close, {}, 0}; }
    // Aborts the connection, so the client sees a reset instead of an orderly close.
    static Step Reset() { return Step{Kind::Reset, {}, 0}; }
};

class ScriptedHttpServer {
public:
    // Listens on 127.0.0.1 at a free port; the script runs for the first client only.
    explicit ScriptedHttpServer(std::vector<Step> script);
    ~ScriptedHttpServer();
    ScriptedHttpServer(const ScriptedHttpServer&) = delete;
    ScriptedHttpServer& operator=(const ScriptedHttpServer&) = delete;

    int port() const { return port_; }
    std::string Url(const std::string& path) const;
    // Waits for the script to end; then the request as received.
    const std::string& Request();

private:
    void Run();

    std::vector<Step> script_;
    int listener_ = -1;
    int port_ = 0;
    std::string request_;
    std::thread thread_;
};

// A loopback port where nothing listens.
int ClosedLoopbackPort();

}  // namespace velmora::download::testing
