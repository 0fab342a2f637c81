#pragma once
// A short text fetched over the engine's own TCP client: the service's description of a
// resource. The answer arrives through the event loop; nothing waits inside a call.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/Socket.h"
#include "platform/System.h"

namespace velmora::download {

class WenBenQingQiu : public TcpClientEvents {
public:
    // An answer body may be this long, no longer: a description is a line of text.
    static constexpr size_t kBodyCap = 65536;

    // The body of a 200 answer, or nothing for any failure (no connection, another status, a
    // body longer than the cap or cut short).
    using Done = std::function<void(const std::optional<std::string>& body)>;

    WenBenQingQiu(TcpClient& socket, CodePage& codePage);
    ~WenBenQingQiu() override;
    WenBenQingQiu(const WenBenQingQiu&) = delete;
    WenBenQingQiu& operator=(const WenBenQingQiu&) = delete;

    // Starts the GET; done runs once, from a later event (or at once for an unusable address).
    void Start(const std::string& url, Done done);
    // Drops the request without calling done.
    void Cancel();
    bool Busy() const { return phase_ != Phase::Idle; }

    void Connected() override;
    void DataArrived(const char* data, size_t count) override;
    void SendComplete() override {}
    void PeerClosed() override;
    void SocketError(int error) override;

private:
    enum class Phase { Idle, Connecting, Header, Body };
    void HeaderBytes();
    void Finish(const std::optional<std::string>& body);

    TcpClient& socket_;
    CodePage& codePage_;
    Phase phase_ = Phase::Idle;
    std::string host_, path_;
    std::string buffer_;
    std::optional<int64_t> length_;
    Done done_;
};

}  // namespace velmora::download
