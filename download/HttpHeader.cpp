#include "download/HttpHeader.h"

#include "platform/Strings.h"

namespace velmora::download {

size_t FindHeaderEnd(const std::string& buffer, size_t from) {
    static const std::string kTerminator = "\r\n\r\n";
    const size_t start = from > 3 ? from - 3 : 0;
    const size_t at = buffer.find(kTerminator, start);
    return at == std::string::npos ? std::string::npos : at + kTerminator.size();
}

namespace {

std::string UpperAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

}  // namespace

std::string ServerLineForStatus(const std::string& statusLine) {
    const std::string upper = UpperAscii(statusLine);
    if (upper == "HTTP/1.1 200 OK") return "This server is an HTTP/1.1 server.";
    if (upper == "HTTP/1.0 200 OK") return "This server is an HTTP/1.0 server.";
    if (upper == "HTTP/0.9 200 OK") return "This server is an HTTP/0.9 server.";
    // A bare "200" without a reason phrase is a valid success line too.
    if (upper.find(" 200 ") != std::string::npos || EndsWith(upper, " 200")) {
        return "This server is an HTTP/unknown server.";
    }
    return "";
}

std::string HeaderField(const std::string& header, const std::string& name) {
    const std::string wanted = ToLowerAscii(name);
    for (const std::string& line : Split(header.substr(0, 32767), "\r\n")) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        if (ToLowerAscii(line.substr(0, colon)) == wanted) return TrimBlanks(line.substr(colon + 1));
    }
    return "";
}

std::string StatusLineOf(const std::string& header) { return header.substr(0, header.find("\r\n")); }

}  // namespace velmora::download
