#pragma once
// The Windows 7 logon background as LogonUI reads it: a JPEG of at most 256 KB. The program
// marks its own backgrounds so that a restore can tell them from one it must not delete.
#include <cstddef>
#include <optional>
#include <string>

#include "platform/Pictures.h"

namespace velmora {

// The JPEG of the picture that fits the limit: the quality falls step by step, then the
// picture shrinks, until the file fits. Nothing when even the smallest try is too large or
// the encoder fails.
std::optional<std::string> YaSuoBeiJing(Pictures& pictures, const DecodedPicture& picture, size_t limit);

// The JPEG with the program's comment segment right after its start marker, and the test for
// it. Other bytes are left as they are.
std::string BiaoJiBeiJing(const std::string& jpeg);
bool ShiBenChengXuBeiJing(const std::string& bytes);

}  // namespace velmora
