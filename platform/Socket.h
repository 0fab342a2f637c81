#pragma once
// A TCP client driven by events, as the downloader needs it. Every event is delivered from the
// owner's event loop (the user-interface thread on Windows), never from inside a call made to
// the client, and no event arrives after Close() until the next Connect().
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace velmora {

class TcpClientEvents {
public:
    virtual ~TcpClientEvents() = default;
    virtual void Connected() = 0;
    // Bytes read from the connection; never called with a count of 0.
    virtual void DataArrived(const char* data, size_t count) = 0;
    // One call per Send() once all its bytes have been handed to the network.
    virtual void SendComplete() = 0;
    virtual void PeerClosed() = 0;
    // Winsock error numbers (10061 connection refused, 11001 host not found, ...).
    virtual void SocketError(int error) = 0;
};

class TcpClient {
public:
    virtual ~TcpClient() = default;
    virtual void SetEventSink(TcpClientEvents* sink) = 0;
    // Closes any previous connection first; the outcome arrives as Connected or SocketError.
    virtual void Connect(const std::string& host, int port) = 0;
    virtual void Send(const std::string& bytes) = 0;
    virtual void Close() = 0;
    virtual std::string PeerAddress() = 0;
    virtual int PeerPort() = 0;
    virtual std::string LocalAddress() = 0;
    virtual int LocalPort() = 0;
};

// Bytes waiting to go out, and which Send() calls they complete as they leave.
class SendQueue {
public:
    void Append(const std::string& bytes) {
        data_ += bytes;
        queued_ += bytes.size();
        ends_.push_back(queued_);
    }
    const std::string& data() const { return data_; }
    // Drops n sent bytes; how many Send() calls are complete now.
    size_t Sent(size_t n) {
        data_.erase(0, n);
        sent_ += n;
        size_t completed = 0;
        while (!ends_.empty() && ends_.front() <= sent_) {
            ends_.pop_front();
            ++completed;
        }
        return completed;
    }
    void Clear() { *this = SendQueue(); }

private:
    std::string data_;
    uint64_t queued_ = 0;
    uint64_t sent_ = 0;
    std::deque<uint64_t> ends_;
};

// Error numbers shared by the implementations.
constexpr int kSocketErrorConnectionReset = 10054;
constexpr int kSocketErrorTimedOut = 10060;
constexpr int kSocketErrorConnectionRefused = 10061;
constexpr int kSocketErrorHostUnreachable = 10065;
constexpr int kSocketErrorHostNotFound = 11001;

}  // namespace velmora
