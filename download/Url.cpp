#include "download/Url.h"

#include <cmath>
#include <cstdlib>

#include "platform/Strings.h"

namespace velmora::download {

UrlScheme SchemeOf(const std::string& source) {
    const std::string lower = ToLowerAscii(source.substr(0, 7));
    if (lower == "http://") return UrlScheme::Http;
    if (lower.compare(0, 6, "ftp://") == 0) return UrlScheme::Ftp;
    return UrlScheme::Unsupported;
}

namespace {

long long PortFrom(const std::string& text) {
    const auto number = LeadingNumber(text);
    if (!number) return 0;
    const auto rounded = RoundToInt32(*number);
    return rounded ? *rounded : 0;
}

bool HasControlCharacter(const std::string& s) {
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) return true;
    }
    return false;
}

}  // namespace

HttpUrl ParseHttpUrl(const std::string& source) {
    const std::string rest = source.size() > 7 ? source.substr(7) : std::string();
    const size_t colon = rest.find(':');
    const size_t slash = rest.find('/');
    HttpUrl url;
    if (slash != std::string::npos && (colon == std::string::npos || colon > slash)) {
        url.host = rest.substr(0, slash);
        url.path = rest.substr(slash);
    } else if (colon != std::string::npos && slash != std::string::npos) {
        url.host = rest.substr(0, colon);
        url.port = PortFrom(rest.substr(colon + 1, slash - colon - 1));
        url.path = rest.substr(slash);
    } else if (colon != std::string::npos) {
        url.host = rest.substr(0, colon);
        url.port = PortFrom(rest.substr(colon + 1));
    } else {
        url.host = rest;
    }
    return url;
}

bool IsUsableUrl(const std::string& source, const HttpUrl& url) {
    return !url.host.empty() && url.port >= 1 && url.port <= 65535 && !HasControlCharacter(source);
}

std::string FileNameOfUrl(const std::string& url) {
    const std::string s = ReplaceAll(url, "\\", "/");
    if (EndsWith(s, "/")) return "index.htm";
    const size_t last = s.rfind('/');
    return last == std::string::npos ? s : s.substr(last + 1);
}

std::optional<double> LeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const auto isDigit = [&](size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
    size_t digits = 0;
    while (isDigit(i)) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (isDigit(i)) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        if (isDigit(e)) {
            while (isDigit(e)) ++e;
            i = e;
        }
    }
    // strtod reads the same digits; the copy stops it from reading further.
    const std::string number = text.substr(start, i - start);
    return std::strtod(number.c_str(), nullptr);
}

std::optional<long long> RoundToInt32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
    return static_cast<long long>(rounded);
}

}  // namespace velmora::download
