// Trees kept node for node by undo steps: every field comes back, and a damaged image gives no
// tree rather than a wrong one.
#include "editor/tree_image.h"

#include <gtest/gtest.h>

#include "support/tlv_samples.h"

namespace {

TlvNode* ParsedTree(const std::vector<uint8_t>& bytes) {
    TlvNode* root = nullptr;
    uint32_t constructed = 0;
    EXPECT_EQ(TlvParseEx(bytes.data(), static_cast<uint16_t>(bytes.size()), &root, &constructed, 0),
              TLV_OK);
    return root;
}

std::string Encoded(const TlvNode* root) {
    uint8_t buffer[TLV_ENCODE_BUFFER_SIZE];
    uint16_t length = 0;
    EXPECT_EQ(TlvEncode(buffer, root, &length, 0), TLV_OK);
    return BytesHex(std::vector<uint8_t>(buffer, buffer + length));
}

TEST(TreeImage, EverySampleComesBackNodeForNode) {
    for (const TlvSample& sample : ValidSamples()) {
        SCOPED_TRACE(sample.name);
        TlvNode* root = ParsedTree(sample.bytes);
        const QByteArray image = TreeImage(root);
        bool ok = false;
        TlvNode* copy = TreeFromImage(image, &ok);
        ASSERT_TRUE(ok);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(TreeImage(copy), image);
        EXPECT_EQ(Encoded(copy), BytesHex(sample.bytes));
        TlvFree(copy);
        TlvFree(root);
    }
}

TEST(TreeImage, KeepsWhatNoEncodingCanHold) {
    // 70{5A, padding without bytes, padding 00}: the encoding 70 05 5A 02 12 34 00 would read
    // back as one padding.
    TlvNode* root = ParsedTree(HexBytes("70045A021234"));
    TlvNode* empty = TlvNewPadding(root);
    TlvNode* zero = TlvNewPadding(root);
    const uint8_t byte = 0x00;
    ASSERT_EQ(TlvSetValue(zero, &byte, 1), TLV_OK);
    ASSERT_EQ(TlvInsertChild(root, 1, empty), TLV_OK);
    ASSERT_EQ(TlvInsertChild(root, 2, zero), TLV_OK);
    // A length field out of step with the value is kept as it stands too.
    root->lengthBytes[0] = 0x05;
    root->valueLength = 5;
    bool ok = false;
    TlvNode* copy = TreeFromImage(TreeImage(root), &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(copy->childCount, 3);
    TlvNode* children[3] = {};
    for (uint8_t i = 0; i < 3; ++i) {
        ASSERT_EQ(TlvGetChild(copy, i, &children[i], nullptr), TLV_OK);
        EXPECT_EQ(children[i]->parent, copy);
    }
    EXPECT_EQ(children[1]->isPadding, 1u);
    EXPECT_EQ(children[1]->valueLength, 0);
    EXPECT_EQ(children[2]->isPadding, 1u);
    EXPECT_EQ(children[2]->valueLength, 1);
    EXPECT_EQ(Encoded(copy), "70055A02123400");
    TlvFree(copy);
    TlvFree(root);
}

TEST(TreeImage, DamagedImagesGiveNoTree) {
    TlvNode* root = ParsedTree(EmvRecords().front().bytes);
    const QByteArray image = TreeImage(root);
    TlvFree(root);
    bool ok = true;
    EXPECT_EQ(TreeFromImage(QByteArray(), &ok), nullptr);
    EXPECT_TRUE(ok);
    for (qsizetype length = 1; length < image.size(); ++length) {
        EXPECT_EQ(TreeFromImage(image.left(length), &ok), nullptr) << length;
        EXPECT_FALSE(ok) << length;
    }
    EXPECT_EQ(TreeFromImage(image + '\0', &ok), nullptr);
    EXPECT_FALSE(ok);
    QByteArray badKind = image;
    badKind[0] = 7;
    EXPECT_EQ(TreeFromImage(badKind, &ok), nullptr);
    EXPECT_FALSE(ok);
}

}  // namespace
