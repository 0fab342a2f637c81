#pragma once
// A read-only stream over a copy of some bytes, for the decoders that read pictures through
// IStream (GDI+). A read that starts past the end gives nothing: the system's stream over
// memory lets one run on past its end under Wine, which a damaged picture file brings about
// (a segment that claims more bytes than the file holds).
#include <windows.h>
#include <objidl.h>

#include <string>

namespace velmora::win32 {

// With one reference for the caller; null when out of memory.
IStream* NewMemoryStream(const std::string& bytes);

}  // namespace velmora::win32
