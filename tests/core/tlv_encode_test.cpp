#include <gtest/gtest.h>

#include "core/tlv.h"
#include "core/tlv_test_util.h"
#include "support/tlv_samples.h"

namespace {

TEST(Encode, WholeAndContentOnly) {
    struct Case {
        const char* input;
        const char* whole;
        const char* content;
    } cases[] = {
        {"70075A02123400FF00", "70075A02123400FF00", "5A02123400FF00"},
        {"5A81021234", "5A81021234", "1234"},
        {"9F4D00", "9F4D00", ""},
        {"7000", "7000", ""},
        {"BF0C039F4D00", "BF0C039F4D00", "9F4D00"},
    };
    for (const Case& c : cases) {
        TlvTree tree;
        ASSERT_EQ(ParseExact(HexBytes(c.input), &tree, 1), TLV_OK) << c.input;
        EXPECT_EQ(BytesHex(Encode(tree.get(), 0)), c.whole);
        EXPECT_EQ(BytesHex(Encode(tree.get(), 1)), c.content);
    }
}

TEST(Encode, TerminatesWithAZeroByteAndCountsWithoutIt) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("70075A02123400FF00"), &tree, 1), TLV_OK);
    uint8_t buffer[TLV_ENCODE_BUFFER_SIZE];
    memset(buffer, 0xAA, sizeof buffer);
    uint16_t length = 0;
    ASSERT_EQ(TlvEncode(buffer, tree.get(), &length, 0), TLV_OK);
    EXPECT_EQ(length, 9);
    EXPECT_EQ(buffer[9], 0);
    EXPECT_EQ(buffer[10], 0xAA);
}

TEST(Encode, PaddingNodeYieldsItsBytesEitherWay) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("70075A02123400FF00"), &tree, 1), TLV_OK);
    const TlvNode* padding = ChildAt(tree.get(), 1);
    EXPECT_EQ(BytesHex(Encode(padding, 0)), "00FF00");
    EXPECT_EQ(BytesHex(Encode(padding, 1)), "00FF00");
}

TEST(Encode, RejectsNullArgumentsAndOversizedTrees) {
    uint8_t buffer[TLV_ENCODE_BUFFER_SIZE];
    uint16_t length = 77;
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("5A021234"), &tree, 1), TLV_OK);
    EXPECT_EQ(TlvEncode(nullptr, tree.get(), &length, 0), TLV_ERR_PARAM);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(TlvEncode(buffer, nullptr, &length, 0), TLV_ERR_PARAM);
    EXPECT_EQ(TlvEncode(buffer, tree.get(), nullptr, 0), TLV_ERR_PARAM);

    // A value length that breaks the limits is refused rather than written past the buffer.
    const uint16_t saved = tree->valueLength;
    tree->valueLength = 600;
    EXPECT_EQ(TlvEncode(buffer, tree.get(), &length, 0), TLV_ERR_PARAM);
    EXPECT_EQ(length, 0);
    tree->valueLength = saved;
}

TEST(Find, SearchesPreOrderAndCopiesTheValue) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("70075A02123400FF00"), &tree, 1), TLV_OK);
    const uint8_t pan[] = {0x5A};
    uint8_t out[TLV_ENCODE_BUFFER_SIZE];
    uint16_t length = 0;
    ASSERT_EQ(TlvFind(tree.get(), 1, pan, &length, out), TLV_OK);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(BytesHex(std::vector<uint8_t>(out, out + 3)), "123400");

    const uint8_t aef[] = {0x70};
    ASSERT_EQ(TlvFind(tree.get(), 1, aef, &length, out), TLV_OK);
    EXPECT_EQ(length, 7);
    EXPECT_EQ(BytesHex(std::vector<uint8_t>(out, out + 8)), "5A02123400FF0000");
    EXPECT_EQ(TlvFind(tree.get(), 1, aef, nullptr, nullptr), TLV_OK);
    EXPECT_EQ(TlvFind(tree.get(), 1, pan, nullptr, nullptr), TLV_OK);
}

TEST(Find, ComparesTagBytesAndLength) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("77069F0303000000"), &tree, 1), TLV_OK);
    const uint8_t amount[] = {0x9F, 0x02};
    const uint8_t other[] = {0x9F, 0x03};
    const uint8_t shortTag[] = {0x9F};
    EXPECT_EQ(TlvFind(tree.get(), 2, amount, nullptr, nullptr), TLV_ERR_NOT_FOUND);
    EXPECT_EQ(TlvFind(tree.get(), 2, other, nullptr, nullptr), TLV_OK);
    EXPECT_EQ(TlvFind(tree.get(), 1, shortTag, nullptr, nullptr), TLV_ERR_NOT_FOUND);
    EXPECT_EQ(TlvFind(nullptr, 2, other, nullptr, nullptr), TLV_ERR_PARAM);

    TlvTree padded;
    ASSERT_EQ(ParseExact(HexBytes("70075A02123400FF00"), &padded, 1), TLV_OK);
    const uint8_t none[] = {0x00};
    EXPECT_EQ(TlvFind(ChildAt(padded.get(), 1), 0, none, nullptr, nullptr), TLV_ERR_NOT_FOUND);
}

TEST(CopyOut, TagLengthValueOfEachKind) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("700A"
                                  "5A81021234"
                                  "00FF00"
                                  "7000"),
                         &tree, 0),
              TLV_OK);
    struct Expect {
        uint8_t index;
        uint8_t tagLength;
        uint8_t lengthSize;
        const char* lengthField;
        const char* value;
    } rows[] = {
        {0, 1, 2, "8102", "1234"},
        {1, 0, 0, "", "00FF00"},
        {2, 1, 1, "00", ""},
    };
    for (const Expect& row : rows) {
        uint8_t tag[2] = {0xEE, 0xEE};
        uint8_t tagLength = 9;
        uint8_t field[2] = {0, 0};
        uint8_t fieldSize = 9;
        uint8_t value[TLV_ENCODE_BUFFER_SIZE];
        uint16_t valueLength = 999;
        ASSERT_EQ(TlvGetTagLengthValue(ChildAt(tree.get(), row.index), tag, &tagLength, field,
                                       &fieldSize, value, &valueLength),
                  TLV_OK);
        EXPECT_EQ(tagLength, row.tagLength);
        EXPECT_EQ(fieldSize, row.lengthSize);
        EXPECT_EQ(BytesHex(std::vector<uint8_t>(field, field + fieldSize)), row.lengthField);
        EXPECT_EQ(BytesHex(std::vector<uint8_t>(value, value + valueLength)), row.value);
        EXPECT_EQ(value[valueLength], 0);
    }
    uint8_t tag[2] = {0, 0};
    uint8_t tagLength = 0;
    uint16_t valueLength = 0;
    uint8_t value[TLV_ENCODE_BUFFER_SIZE];
    ASSERT_EQ(TlvGetTagValue(tree.get(), tag, &tagLength, value, &valueLength), TLV_OK);
    EXPECT_EQ(tag[0], 0x70);
    EXPECT_EQ(BytesHex(std::vector<uint8_t>(value, value + valueLength)), "5A8102123400FF007000");
    EXPECT_EQ(TlvGetTagValue(tree.get(), nullptr, nullptr, nullptr, nullptr), TLV_OK);
    EXPECT_EQ(TlvGetTagValue(nullptr, tag, &tagLength, value, &valueLength), TLV_ERR_PARAM);
}

}  // namespace
