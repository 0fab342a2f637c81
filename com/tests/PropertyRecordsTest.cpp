// The stream form of stored properties: what is written reads back, and a broken stream is
// refused instead of being read past its end.
#include <gtest/gtest.h>

#include "com/PropertyRecords.h"

namespace velmora::com {
namespace {

std::string Body(const std::string& encoded) { return encoded.substr(kRecordsHeaderSize); }

TEST(PropertyRecordsTest, WrittenRecordsReadBackInOrder) {
    const std::vector<PropertyRecord> written = {
        {"ItemHeight", 3, Int32Payload(18)},
        {"Border", 11, Int16Payload(-1)},
        {"Font", 9, std::string("\x00\x01\x02\xff", 4)},
        {"", 8, ""},
    };
    const std::string bytes = EncodeRecords(written);
    auto length = RecordsBodyLength(bytes.substr(0, kRecordsHeaderSize));
    ASSERT_TRUE(length);
    EXPECT_EQ(*length, bytes.size() - kRecordsHeaderSize);
    auto read = DecodeRecordsBody(Body(bytes));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), written.size());
    for (size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ((*read)[i].name, written[i].name);
        EXPECT_EQ((*read)[i].type, written[i].type);
        EXPECT_EQ((*read)[i].payload, written[i].payload);
    }
    EXPECT_EQ(Int32FromPayload((*read)[0].payload), 18);
    EXPECT_EQ(Int16FromPayload((*read)[1].payload), -1);
}

TEST(PropertyRecordsTest, ScalarPayloadsKeepTheirBitsAndSize) {
    EXPECT_EQ(Int32FromPayload(Int32Payload(static_cast<std::int32_t>(0x8000000F))),
              static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(Int16FromPayload(Int16Payload(-32768)), -32768);
    EXPECT_FALSE(Int32FromPayload("abc"));
    EXPECT_FALSE(Int32FromPayload("abcde"));
    EXPECT_FALSE(Int16FromPayload("a"));
}

TEST(PropertyRecordsTest, ForeignOrOversizedHeadersAreRefused) {
    EXPECT_FALSE(RecordsBodyLength(""));
    EXPECT_FALSE(RecordsBodyLength("VPR1\x01"));
    EXPECT_FALSE(RecordsBodyLength(std::string("XPR1\x00\x00\x00\x00", 8)));
    EXPECT_FALSE(RecordsBodyLength(std::string("VPR1\xff\xff\xff\xff", 8)));
    EXPECT_EQ(RecordsBodyLength(std::string("VPR1\x04\x00\x00\x00", 8)), 4u);
}

TEST(PropertyRecordsTest, BrokenBodiesAreRefused) {
    const std::string good = Body(EncodeRecords({{"Name", 8, "text"}}));
    struct Case {
        const char* what;
        std::string body;
    } cases[] = {
        {"empty", ""},
        {"count cut short", good.substr(0, 3)},
        {"count larger than the records", std::string("\x02\x00\x00\x00", 4) + good.substr(4)},
        {"huge count", std::string("\xff\xff\xff\x7f", 4) + good.substr(4)},
        {"name cut short", good.substr(0, 8)},
        {"payload cut short", good.substr(0, good.size() - 1)},
        {"bytes after the last record", good + "x"},
    };
    for (const Case& c : cases) EXPECT_FALSE(DecodeRecordsBody(c.body)) << c.what;
    EXPECT_TRUE(DecodeRecordsBody(good));
}

TEST(PropertyRecordsTest, AnEmptyListIsAValidStream) {
    auto read = DecodeRecordsBody(Body(EncodeRecords({})));
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->empty());
}

}  // namespace
}  // namespace velmora::com
