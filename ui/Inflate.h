#pragma once
// The zlib format (a deflate stream with its header and checksum), as PNG pictures carry it.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

// Unpacks a zlib stream into out, which must come out exactly out.size() bytes long (a PNG
// knows the size of its rows beforehand). False when the stream is damaged, uses a preset
// dictionary, fails its checksum or unpacks to another size.
bool ZlibInflate(const uint8_t* data, size_t size, std::vector<uint8_t>& out);

}  // namespace velmora
