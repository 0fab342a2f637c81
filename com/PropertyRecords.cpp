#include "com/PropertyRecords.h"

namespace velmora::com {
namespace {

constexpr char kMagic[4] = {'V', 'P', 'R', '1'};

void Put(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Reads little-endian numbers and byte runs from a body, refusing to read past its end.
class Reader {
public:
    explicit Reader(std::string_view data) : data_(data) {}
    bool Number(int bytes, std::uint32_t* out) {
        if (data_.size() - at_ < static_cast<std::size_t>(bytes)) return false;
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(data_[at_ + i])) << (8 * i);
        at_ += static_cast<std::size_t>(bytes);
        *out = value;
        return true;
    }
    bool Bytes(std::uint32_t length, std::string* out) {
        if (data_.size() - at_ < length) return false;
        out->assign(data_.substr(at_, length));
        at_ += length;
        return true;
    }
    std::size_t left() const { return data_.size() - at_; }

private:
    std::string_view data_;
    std::size_t at_ = 0;
};

}  // namespace

std::string EncodeRecords(const std::vector<PropertyRecord>& records) {
    std::string body;
    Put(body, records.size(), 4);
    for (const PropertyRecord& r : records) {
        const std::size_t nameLength = r.name.size() < 0xFFFF ? r.name.size() : 0xFFFF;
        Put(body, nameLength, 2);
        body.append(r.name, 0, nameLength);
        Put(body, r.type, 2);
        Put(body, r.payload.size(), 4);
        body += r.payload;
    }
    std::string out(kMagic, sizeof kMagic);
    Put(out, body.size(), 4);
    return out + body;
}

std::optional<std::uint32_t> RecordsBodyLength(std::string_view header) {
    if (header.size() < kRecordsHeaderSize || header.substr(0, 4) != std::string_view(kMagic, 4))
        return std::nullopt;
    Reader reader(header.substr(4, 4));
    std::uint32_t length = 0;
    if (!reader.Number(4, &length) || length > kMaxRecordsBody) return std::nullopt;
    return length;
}

std::optional<std::vector<PropertyRecord>> DecodeRecordsBody(std::string_view body) {
    Reader reader(body);
    std::uint32_t count = 0;
    if (!reader.Number(4, &count)) return std::nullopt;
    // Every record takes at least 8 bytes: a count beyond that cannot be honest.
    if (count > reader.left() / 8) return std::nullopt;
    std::vector<PropertyRecord> records;
    records.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        PropertyRecord r;
        std::uint32_t nameLength = 0, type = 0, payloadLength = 0;
        if (!reader.Number(2, &nameLength) || !reader.Bytes(nameLength, &r.name) || !reader.Number(2, &type) ||
            !reader.Number(4, &payloadLength) || !reader.Bytes(payloadLength, &r.payload))
            return std::nullopt;
        r.type = static_cast<std::uint16_t>(type);
        records.push_back(std::move(r));
    }
    if (reader.left() != 0) return std::nullopt;
    return records;
}

std::string Int16Payload(std::int16_t value) {
    std::string out;
    Put(out, static_cast<std::uint16_t>(value), 2);
    return out;
}

std::string Int32Payload(std::int32_t value) {
    std::string out;
    Put(out, static_cast<std::uint32_t>(value), 4);
    return out;
}

std::optional<std::int16_t> Int16FromPayload(std::string_view payload) {
    Reader reader(payload);
    std::uint32_t value = 0;
    if (payload.size() != 2 || !reader.Number(2, &value)) return std::nullopt;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

std::optional<std::int32_t> Int32FromPayload(std::string_view payload) {
    Reader reader(payload);
    std::uint32_t value = 0;
    if (payload.size() != 4 || !reader.Number(4, &value)) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace velmora::com
