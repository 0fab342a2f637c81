#pragma once
#include <string>

namespace velmora {

// The program's version: file version 2.5.0.4, shown and compared as major.minor.revision.
constexpr int kBanBenZhu = 2;
constexpr int kBanBenCi = 5;
constexpr int kBanBenXiuDing = 4;

// "2.5.4"
std::string BanBenHao();

}  // namespace velmora
