// Any stream a container hands back: reading never goes past the data, and what decodes
// encodes back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "com/PropertyRecords.h"

using namespace velmora::com;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    auto length = RecordsBodyLength(bytes.substr(0, kRecordsHeaderSize));
    if (!length || bytes.size() - kRecordsHeaderSize < *length) return 0;
    const std::string body = bytes.substr(kRecordsHeaderSize, *length);
    auto records = DecodeRecordsBody(body);
    if (!records) return 0;
    if (EncodeRecords(*records) != bytes.substr(0, kRecordsHeaderSize + *length)) std::abort();
    return 0;
}
