// Where nodes live: trees straight from a parse in one block of memory of their own, nodes the
// caller made anywhere else. These tests pin down what callers see of that, from the deepest
// nesting a record allows to edits made by hand.
#include <gtest/gtest.h>
#include <string.h>

#include "core/tlv.h"
#include "core/tlv_memory.h"
#include "core/tlv_test_util.h"
#include "support/tlv_samples.h"

namespace {

// One padding byte wrapped in templates for as long as the outermost one can hold the rest:
// 63 more with one-byte length fields, then 43 with 81 xx, 258 bytes in all, the deepest
// nesting a record can have.
std::vector<uint8_t> DeepestRecord() {
    std::vector<uint8_t> bytes = {0x00};
    while (bytes.size() <= TLV_MAX_VALUE_LENGTH) {
        std::vector<uint8_t> header = {0x70};
        if (bytes.size() >= 0x80) {
            header.push_back(0x81);
        }
        header.push_back(static_cast<uint8_t>(bytes.size()));
        bytes.insert(bytes.begin(), header.begin(), header.end());
    }
    return bytes;
}

TEST(ParsedTree, DeepestNestingParsesEncodesAndFrees) {
    const size_t before = TlvMemLiveBlocks();
    const std::vector<uint8_t> bytes = DeepestRecord();
    TlvTree tree;
    ASSERT_EQ(ParseExact(bytes, &tree, 0), TLV_OK);
    EXPECT_EQ(Encode(tree.get(), 0), bytes);
    const TlvNode* node = tree.get();
    int depth = 0;
    while (node->isPadding == 0) {
        ASSERT_EQ(node->childCount, 1);
        node = ChildAt(node, 0);
        ++depth;
    }
    EXPECT_EQ(bytes.size(), 258u);
    EXPECT_EQ(depth, 107);
    EXPECT_EQ(node->valueLength, 1);
    // 108 nodes and 107 child arrays.
    EXPECT_EQ(TlvMemLiveBlocks() - before, 108u + 107u);
    // Alone in its template, the padding breaks the placement rule.
    TlvTree checked;
    EXPECT_EQ(ParseExact(bytes, &checked, 1), TLV_ERR_PADDING);
    tree.reset();
    EXPECT_EQ(TlvMemLiveBlocks(), before);
}

TEST(ParsedTree, SubtreesEncodeWholeAndContentOnly) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(EmvRecords()[0].bytes, &tree, 1), TLV_OK);
    TlvNode* proprietary = ChildAt(tree.get(), 1);
    ASSERT_NE(proprietary, nullptr);
    const std::string whole =
        "A52E500A4D4153544552434152448701019F380F9F1A0295055F2A029A039C019F3704BF0C0A9F4D020B0A"
        "5F55025553";
    EXPECT_EQ(BytesHex(Encode(proprietary, 0)), whole);
    EXPECT_EQ(BytesHex(Encode(proprietary, 1)), whole.substr(4));
    TlvNode* label = ChildAt(proprietary, 0);
    EXPECT_EQ(BytesHex(Encode(label, 1)), "4D415354455243415244");
    TlvNode* discretionary = ChildAt(proprietary, 3);
    EXPECT_EQ(BytesHex(Encode(discretionary, 0)), "BF0C0A9F4D020B0A5F55025553");
    // The same after an edit elsewhere in the tree.
    const uint8_t sfi[] = {0x02};
    ASSERT_EQ(TlvSetValue(ChildAt(tree.get(), 0), sfi, 1), TLV_OK);
    EXPECT_EQ(BytesHex(Encode(proprietary, 0)), whole);
    EXPECT_EQ(BytesHex(Encode(discretionary, 1)), "9F4D020B0A5F55025553");
}

// Editing code rewrites length fields in place, without a core call: the encoding follows.
TEST(ParsedTree, LengthFieldsChangedByHandShowInTheEncoding) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("70075A02123400FF00"), &tree, 1), TLV_OK);
    TlvNode* pan = ChildAt(tree.get(), 0);
    pan->lengthSize = 2;
    pan->lengthBytes[0] = 0x81;
    pan->lengthBytes[1] = 0x02;
    tree->lengthBytes[0] = 0x08;
    tree->valueLength = 8;
    EXPECT_EQ(BytesHex(Encode(tree.get(), 0)), "70085A8102123400FF00");
    EXPECT_EQ(BytesHex(Encode(tree.get(), 1)), "5A8102123400FF00");
    // A value made longer by hand than the tree can hold is refused, never read.
    pan->valueLength = 300;
    uint8_t buffer[TLV_ENCODE_BUFFER_SIZE];
    uint16_t length = 7;
    EXPECT_EQ(TlvEncode(buffer, tree.get(), &length, 0), TLV_ERR_PARAM);
    EXPECT_EQ(length, 0);
    pan->valueLength = 2;
}

TEST(ParsedTree, ParsedBlocksAreNotResizedByHand) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("70045A021234"), &tree, 1), TLV_OK);
    void* children = tree->data;
    EXPECT_EQ(TlvMemRealloc(children, 64), nullptr);
    EXPECT_EQ(tree->data, children);
    EXPECT_EQ(BytesHex(Encode(tree.get(), 0)), "70045A021234");
}

TEST(ParsedTree, ManyTreesLiveSideBySide) {
    const size_t before = TlvMemLiveBlocks();
    std::vector<TlvTree> trees;
    for (int round = 0; round < 40; ++round) {
        for (const TlvSample& sample : ValidSamples()) {
            trees.emplace_back();
            ASSERT_EQ(ParseExact(sample.bytes, &trees.back(), sample.misplacedPadding ? 0 : 1),
                      TLV_OK);
        }
    }
    size_t index = 0;
    for (int round = 0; round < 40; ++round) {
        for (const TlvSample& sample : ValidSamples()) {
            EXPECT_EQ(Encode(trees[index++].get(), 0), sample.bytes) << sample.name;
        }
    }
    // Freed in another order than they were made.
    for (size_t i = 0; i < trees.size(); i += 2) {
        trees[i].reset();
    }
    trees.clear();
    EXPECT_EQ(TlvMemLiveBlocks(), before);
}

// Nodes may be the caller's own, here on the stack: they are encoded and edited like nodes the
// core made, and parsed trees go into them and out again.
TEST(CallerNodes, EncodeAndEditNodesOnTheStack) {
    const size_t before = TlvMemLiveBlocks();
    uint8_t pan[] = {0x12, 0x34};
    TlvNode leaf;
    memset(&leaf, 0, sizeof leaf);
    leaf.tag[0] = 0x5A;
    leaf.tagLength = 1;
    leaf.lengthBytes[0] = 0x02;
    leaf.lengthSize = 1;
    leaf.valueLength = 2;
    leaf.data = pan;
    EXPECT_EQ(BytesHex(Encode(&leaf, 0)), "5A021234");

    TlvNode record;
    memset(&record, 0, sizeof record);
    record.tag[0] = 0x70;
    record.tagLength = 1;
    record.lengthSize = 1;
    ASSERT_EQ(TlvInsertChild(&record, 0, &leaf), TLV_OK);
    TlvTree parsed;
    ASSERT_EQ(ParseExact(HexBytes("9F4D020B0A"), &parsed, 1), TLV_OK);
    ASSERT_EQ(TlvAppendChild(&record, parsed.get()), TLV_OK);
    record.lengthBytes[0] = 0x09;
    EXPECT_EQ(BytesHex(Encode(&record, 0)), "70095A0212349F4D020B0A");
    ASSERT_EQ(TlvRemoveChild(&record, 1), TLV_OK);
    ASSERT_EQ(TlvRemoveChild(&record, 0), TLV_OK);
    EXPECT_EQ(record.data, nullptr);
    EXPECT_EQ(BytesHex(Encode(parsed.get(), 0)), "9F4D020B0A");

    TlvNode empty;
    memset(&empty, 0, sizeof empty);
    empty.tag[0] = 0x5A;
    empty.tagLength = 1;
    empty.lengthSize = 1;
    const uint8_t value[] = {0x56, 0x78, 0x9A};
    ASSERT_EQ(TlvSetValue(&empty, value, sizeof value), TLV_OK);
    empty.lengthBytes[0] = 0x03;
    EXPECT_EQ(BytesHex(Encode(&empty, 0)), "5A0356789A");
    ASSERT_EQ(TlvSetValue(&empty, nullptr, 0), TLV_OK);
    parsed.reset();
    EXPECT_EQ(TlvMemLiveBlocks(), before);
}

}  // namespace
