#pragma once
// Reading an HTTP response header as the downloader does: the blank line that ends it, the
// status line and single fields.
#include <cstddef>
#include <string>

namespace velmora::download {

// A header without its blank line may grow to this many bytes, no further.
constexpr size_t kHeaderCap = 131072;

// Index one past the CR LF CR LF that ends the header, searching bytes from `from` on (the
// terminator may start up to three bytes earlier); std::string::npos when it is not there.
size_t FindHeaderEnd(const std::string& buffer, size_t from);

// The log line that names the server for an accepted status line; empty for a refused one.
std::string ServerLineForStatus(const std::string& statusLine);

// Value of one field, trimmed, or "" when absent. Only the first 32,767 characters count.
std::string HeaderField(const std::string& header, const std::string& name);

// Text before the first CR LF.
std::string StatusLineOf(const std::string& header);

}  // namespace velmora::download
