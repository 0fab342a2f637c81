#pragma once
// UTF-8 inside the program, UTF-16 at every Win32 call.
#include <string>

namespace velmora {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::string Narrow(const wchar_t* wide, size_t length);

}  // namespace velmora
