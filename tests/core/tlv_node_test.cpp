#include <gtest/gtest.h>
#include <string.h>

#include "core/tlv.h"
#include "core/tlv_memory.h"
#include "core/tlv_test_util.h"
#include "support/tlv_samples.h"

namespace {

TlvNode MakeNode(uint8_t tag0, uint8_t tag1, uint8_t tagLength, uint32_t isPadding) {
    TlvNode node;
    memset(&node, 0, sizeof node);
    node.tag[0] = tag0;
    node.tag[1] = tag1;
    node.tagLength = tagLength;
    node.isPadding = isPadding;
    return node;
}

TEST(NodeQueries, KindFollowsPaddingFlagAndTagBit) {
    struct Case {
        TlvNode node;
        uint8_t kind;
    } cases[] = {
        {MakeNode(0, 0, 0, 1), TLV_KIND_PADDING},
        {MakeNode(0x9F, 0x02, 2, 0), TLV_KIND_PRIMITIVE},
        {MakeNode(0x70, 0, 1, 0), TLV_KIND_CONSTRUCTED},
        {MakeNode(0xBF, 0x0C, 2, 0), TLV_KIND_CONSTRUCTED},
    };
    for (const Case& c : cases) {
        uint8_t kind = 0;
        EXPECT_EQ(TlvGetKind(&c.node, &kind), TLV_OK);
        EXPECT_EQ(kind, c.kind);
        EXPECT_EQ(TlvGetKind(&c.node, nullptr), TLV_OK);
    }
    EXPECT_EQ(TlvGetKind(nullptr, nullptr), TLV_ERR_PARAM);
    EXPECT_EQ(TlvIsPadding(nullptr), 0);
    EXPECT_EQ(TlvIsPadding(&cases[0].node), 1);
    EXPECT_EQ(TlvIsPadding(&cases[1].node), 0);
}

TEST(NodeQueries, ChildCountAndChildNeedAConstructedTag) {
    const TlvNode primitive = MakeNode(0x5A, 0, 1, 0);
    const TlvNode empty = MakeNode(0x70, 0, 1, 0);
    uint8_t count = 99;
    EXPECT_EQ(TlvGetChildCount(&primitive, &count), TLV_ERR_PARAM);
    EXPECT_EQ(TlvGetChildCount(nullptr, &count), TLV_ERR_PARAM);
    EXPECT_EQ(TlvGetChildCount(&empty, &count), TLV_OK);
    EXPECT_EQ(count, 0);
    TlvNode* child = nullptr;
    EXPECT_EQ(TlvGetChild(&empty, 0, &child, nullptr), TLV_ERR_PARAM);
    EXPECT_EQ(TlvGetChild(&primitive, 0, &child, nullptr), TLV_ERR_PARAM);
}

TEST(NodeQueries, GetChildReportsConstructedChildren) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("6F0CA50A8801015F2D02656E8700"), &tree, 1), TLV_OK);
    TlvNode* fci = nullptr;
    uint32_t constructed = 7;
    ASSERT_EQ(TlvGetChild(tree.get(), 0, &fci, &constructed), TLV_OK);
    EXPECT_EQ(constructed, 1u);
    EXPECT_EQ(TlvGetChild(fci, 3, &fci, nullptr), TLV_ERR_PARAM);
    TlvNode* sfi = nullptr;
    ASSERT_EQ(TlvGetChild(fci, 0, &sfi, &constructed), TLV_OK);
    EXPECT_EQ(constructed, 0u);
    EXPECT_EQ(sfi->tag[0], 0x88);
    EXPECT_EQ(TlvGetChild(fci, 0, nullptr, &constructed), TLV_OK);
    EXPECT_EQ(TlvGetChild(fci, 2, nullptr, nullptr), TLV_OK);
}

TEST(NodeQueries, AppendChildGrowsTheArrayOnly) {
    TlvTree parent;
    ASSERT_EQ(ParseExact(HexBytes("7000"), &parent, 1), TLV_OK);
    for (int i = 0; i < 255; ++i) {
        TlvNode* child = static_cast<TlvNode*>(TlvMemAlloc(sizeof(TlvNode)));
        ASSERT_NE(child, nullptr);
        *child = MakeNode(0x5A, 0, 1, 0);
        ASSERT_EQ(TlvAppendChild(parent.get(), child), TLV_OK);
        EXPECT_EQ(ChildAt(parent.get(), static_cast<uint8_t>(i)), child);
        EXPECT_EQ(child->parent, nullptr);
    }
    EXPECT_EQ(parent->childCount, 255);
    EXPECT_EQ(parent->valueLength, 0);
    TlvNode extra = MakeNode(0x5A, 0, 1, 0);
    EXPECT_EQ(TlvAppendChild(parent.get(), &extra), TLV_ERR_PARAM);
    EXPECT_EQ(parent->childCount, 255);

    TlvNode primitive = MakeNode(0x5A, 0, 1, 0);
    EXPECT_EQ(TlvAppendChild(&primitive, &extra), TLV_ERR_PARAM);
    EXPECT_EQ(TlvAppendChild(nullptr, &extra), TLV_ERR_PARAM);
    EXPECT_EQ(TlvAppendChild(parent.get(), nullptr), TLV_ERR_PARAM);
}

TEST(NodeQueries, FreeReleasesEveryBlockOnce) {
    const size_t before = TlvMemLiveBlocks();
    {
        TlvTree tree;
        ASSERT_EQ(ParseExact(HexBytes("6F0CA50A8801015F2D02656E8700"), &tree, 1), TLV_OK);
        // 5 nodes (parsed values share their node's block) and 2 child arrays.
        EXPECT_EQ(TlvMemLiveBlocks() - before, 5u + 2u);
    }
    EXPECT_EQ(TlvMemLiveBlocks(), before);
    TlvFree(nullptr);
}

}  // namespace

namespace {

TEST(NodeEditing, SetValueReplacesParsedAndOwnValues) {
    const size_t before = TlvMemLiveBlocks();
    {
        TlvTree tree;
        ASSERT_EQ(ParseExact(HexBytes("70075A02123400FF00"), &tree, 1), TLV_OK);
        TlvNode* pan = ChildAt(tree.get(), 0);
        const uint8_t longer[] = {0x54, 0x13, 0x33, 0x00, 0x89};
        ASSERT_EQ(TlvSetValue(pan, longer, sizeof longer), TLV_OK);
        EXPECT_EQ(pan->valueLength, 5);
        EXPECT_EQ(BytesHex(Encode(pan, 1)), "5413330089");
        // The value may be given from the node's own bytes.
        ASSERT_EQ(TlvSetValue(pan, static_cast<const uint8_t*>(pan->data) + 1, 2), TLV_OK);
        EXPECT_EQ(BytesHex(Encode(pan, 1)), "1333");
        ASSERT_EQ(TlvSetValue(pan, nullptr, 0), TLV_OK);
        EXPECT_EQ(pan->data, nullptr);
        EXPECT_EQ(TlvSetValue(tree.get(), longer, 1), TLV_ERR_PARAM);
        EXPECT_EQ(TlvSetValue(pan, nullptr, 1), TLV_ERR_PARAM);
        EXPECT_EQ(TlvSetValue(nullptr, longer, 1), TLV_ERR_PARAM);
    }
    EXPECT_EQ(TlvMemLiveBlocks(), before);
}

TEST(NodeEditing, ParsedTreesCanBeTakenApartNodeByNode) {
    const size_t before = TlvMemLiveBlocks();
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("6F0CA50A8801015F2D02656E8700"), &tree, 1), TLV_OK);
    TlvNode* fci = ChildAt(tree.get(), 0);
    // Growing a parsed child array moves it; the parsed nodes stay where they are.
    TlvTree extra;
    ASSERT_EQ(ParseExact(HexBytes("9F4D020B0A"), &extra, 1), TLV_OK);
    TlvNode* sfi = ChildAt(fci, 0);
    ASSERT_EQ(TlvAppendChild(fci, extra.get()), TLV_OK);
    extra.release()->parent = fci;
    EXPECT_EQ(fci->childCount, 4);
    EXPECT_EQ(ChildAt(fci, 0), sfi);
    // Free the parsed leaves one at a time, out of order, then the rest.
    TlvNode** children = static_cast<TlvNode**>(fci->data);
    TlvFree(children[2]);
    TlvFree(children[0]);
    children[0] = children[3];
    fci->childCount = 2;
    tree.reset();
    EXPECT_EQ(TlvMemLiveBlocks(), before);
}

}  // namespace
