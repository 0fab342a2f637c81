#pragma once
// The byte form in which a control keeps its named properties in a stream (IPersistStreamInit):
//   "VPR1", u32 body length, body = u32 record count, then per record
//   u16 name length, name (UTF-8), u16 value type (a VARTYPE), u32 payload length, payload.
// All numbers little-endian. Reading never trusts a length: a broken stream gives false.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::com {

struct PropertyRecord {
    std::string name;
    std::uint16_t type = 0;
    std::string payload;
};

constexpr std::size_t kRecordsHeaderSize = 8;
// Streams larger than this are taken as broken rather than read into memory.
constexpr std::uint32_t kMaxRecordsBody = 16u * 1024 * 1024;

// Header and body, ready to be written.
std::string EncodeRecords(const std::vector<PropertyRecord>& records);
// The body length the 8-byte header announces; nothing when the header is not ours or the
// length is beyond kMaxRecordsBody.
std::optional<std::uint32_t> RecordsBodyLength(std::string_view header);
// The records of a body; nothing when any count or length reaches past the body.
std::optional<std::vector<PropertyRecord>> DecodeRecordsBody(std::string_view body);

// Fixed-size payloads of the scalar types.
std::string Int16Payload(std::int16_t value);
std::string Int32Payload(std::int32_t value);
std::optional<std::int16_t> Int16FromPayload(std::string_view payload);
std::optional<std::int32_t> Int32FromPayload(std::string_view payload);

}  // namespace velmora::com
