#pragma once
// The downloader's reading of a source address. Only plain "http://" is fetched.
#include <optional>
#include <string>

namespace velmora::download {

enum class UrlScheme { Http, Ftp, Unsupported };

struct HttpUrl {
    std::string host;
    long long port = 80;
    std::string path = "/";
};

// By the first characters, letter case ignored.
UrlScheme SchemeOf(const std::string& source);

// Host, port and path of a source whose scheme is http (the first seven characters are not
// looked at). The port is whatever number stands between ":" and the first "/", 0 when none.
HttpUrl ParseHttpUrl(const std::string& source);

// True when the parsed address can be connected to and the source is safe to put in a request
// line: a host, a port in 1..65535, no control characters anywhere.
bool IsUsableUrl(const std::string& source, const HttpUrl& url);

// File name part of an address ("index.htm" when it ends in "/"); the query string is kept.
std::string FileNameOfUrl(const std::string& url);

// The number at the start of a text as the program's number reading does it: leading blanks,
// a sign, digits, a fraction and an exponent; nothing when the text does not start with one.
std::optional<double> LeadingNumber(const std::string& text);

// Rounds to the nearest integer, halves to even; nothing when the result leaves 32 bits.
std::optional<long long> RoundToInt32(double value);

}  // namespace velmora::download
