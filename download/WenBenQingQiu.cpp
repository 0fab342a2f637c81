#include "download/WenBenQingQiu.h"

#include "download/HttpHeader.h"
#include "download/Url.h"
#include "platform/Strings.h"

namespace velmora::download {

WenBenQingQiu::WenBenQingQiu(TcpClient& socket, CodePage& codePage) : socket_(socket), codePage_(codePage) {
    socket_.SetEventSink(this);
}

WenBenQingQiu::~WenBenQingQiu() {
    socket_.SetEventSink(nullptr);
    socket_.Close();
}

void WenBenQingQiu::Start(const std::string& url, Done done) {
    Cancel();
    done_ = std::move(done);
    const HttpUrl parsed = ParseHttpUrl(url);
    if (SchemeOf(url) != UrlScheme::Http || !IsUsableUrl(url, parsed)) {
        Finish(std::nullopt);
        return;
    }
    host_ = parsed.host;
    path_ = parsed.path;
    phase_ = Phase::Connecting;
    socket_.Connect(host_, static_cast<int>(parsed.port));
}

void WenBenQingQiu::Cancel() {
    socket_.Close();
    phase_ = Phase::Idle;
    buffer_.clear();
    done_ = nullptr;
}

void WenBenQingQiu::Connected() {
    if (phase_ != Phase::Connecting) return;
    phase_ = Phase::Header;
    buffer_.clear();
    // The answer is read to its length or to the close, whichever the service gives.
    socket_.Send(codePage_.ToSystem("GET " + path_ + " HTTP/1.1\r\nHost: " + host_ + "\r\nConnection: close\r\n\r\n"));
}

void WenBenQingQiu::DataArrived(const char* data, size_t count) {
    if (phase_ != Phase::Header && phase_ != Phase::Body) return;
    buffer_.append(data, count);
    if (phase_ == Phase::Header) {
        HeaderBytes();
        return;
    }
    if (buffer_.size() > kBodyCap) {
        Finish(std::nullopt);
    } else if (length_ && static_cast<int64_t>(buffer_.size()) >= *length_) {
        Finish(buffer_.substr(0, static_cast<size_t>(*length_)));
    }
}

void WenBenQingQiu::HeaderBytes() {
    const size_t end = FindHeaderEnd(buffer_, 0);
    if (end == std::string::npos) {
        if (buffer_.size() > kHeaderCap) Finish(std::nullopt);
        return;
    }
    const std::string header = codePage_.FromSystem(buffer_.substr(0, end));
    buffer_.erase(0, end);
    if (ServerLineForStatus(StatusLineOf(header)).empty()) {
        Finish(std::nullopt);
        return;
    }
    length_.reset();
    const std::string length = TrimBlanks(HeaderField(header, "Content-Length"));
    if (!length.empty()) {
        const auto number = LeadingNumber(length);
        if (!number || *number < 0 || *number > static_cast<double>(kBodyCap)) {
            Finish(std::nullopt);
            return;
        }
        length_ = static_cast<int64_t>(*number);
    }
    phase_ = Phase::Body;
    // What came with the header is judged like any later packet.
    DataArrived("", 0);
}

void WenBenQingQiu::PeerClosed() {
    if (phase_ == Phase::Body && !length_) {
        Finish(buffer_);
        return;
    }
    if (phase_ != Phase::Idle) Finish(std::nullopt);
}

void WenBenQingQiu::SocketError(int) {
    if (phase_ != Phase::Idle) Finish(std::nullopt);
}

void WenBenQingQiu::Finish(const std::optional<std::string>& body) {
    Done done = std::move(done_);
    socket_.Close();
    phase_ = Phase::Idle;
    buffer_.clear();
    done_ = nullptr;
    if (done) done(body);
}

}  // namespace velmora::download
