#pragma once
#include <string>
#include <vector>

namespace velmora {

bool EqualsIgnoreAsciiCase(const std::string& a, const std::string& b);
std::string ToLowerAscii(std::string s);
bool StartsWith(const std::string& s, const std::string& prefix);
bool EndsWith(const std::string& s, const std::string& suffix);
// Splits at every occurrence of the separator; n separators give n + 1 pieces.
std::vector<std::string> Split(const std::string& s, const std::string& separator);
std::string ReplaceAll(std::string s, const std::string& from, const std::string& to);
// Removes blanks (space and tab) at both ends.
std::string TrimBlanks(const std::string& s);
// Joins a directory and a name with exactly one backslash between them.
std::string JoinPath(const std::string& dir, const std::string& name);

}  // namespace velmora
