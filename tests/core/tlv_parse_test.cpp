#include <gtest/gtest.h>

#include "core/tlv.h"
#include "core/tlv_test_util.h"
#include "support/tlv_samples.h"

namespace {

struct AcceptCase {
    const char* hex;
    int checkPadding;
    uint8_t rootKind;
    uint8_t tagLength;
    uint8_t lengthSize;
    uint16_t valueLength;
    uint8_t childCount;
};

class ParseAccepts : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(ParseAccepts, BuildsTheExpectedRoot) {
    const AcceptCase& c = GetParam();
    TlvTree tree;
    uint32_t constructed = 0;
    ASSERT_EQ(ParseExact(HexBytes(c.hex), &tree, c.checkPadding, &constructed), TLV_OK);
    uint8_t kind = 0;
    ASSERT_EQ(TlvGetKind(tree.get(), &kind), TLV_OK);
    EXPECT_EQ(kind, c.rootKind);
    EXPECT_EQ(constructed, c.rootKind == TLV_KIND_CONSTRUCTED ? 1u : 0u);
    EXPECT_EQ(tree->tagLength, c.tagLength);
    EXPECT_EQ(tree->lengthSize, c.lengthSize);
    EXPECT_EQ(tree->valueLength, c.valueLength);
    EXPECT_EQ(tree->childCount, c.childCount);
    EXPECT_EQ(tree->parent, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseAccepts,
    ::testing::Values(AcceptCase{"9F0206000000000100", 1, TLV_KIND_PRIMITIVE, 2, 1, 6, 0},
                      AcceptCase{"5A81021234", 1, TLV_KIND_PRIMITIVE, 1, 2, 2, 0},
                      AcceptCase{"5A810512345678FF", 1, TLV_KIND_PRIMITIVE, 1, 2, 5, 0},
                      AcceptCase{"70075A02123400FF00", 1, TLV_KIND_CONSTRUCTED, 1, 1, 7, 2},
                      AcceptCase{"700600005A021234", 1, TLV_KIND_CONSTRUCTED, 1, 1, 6, 2},
                      AcceptCase{"7008A503880101FFFF00", 0, TLV_KIND_CONSTRUCTED, 1, 1, 8, 2},
                      AcceptCase{"7000", 1, TLV_KIND_CONSTRUCTED, 1, 1, 0, 0},
                      AcceptCase{"BF0C039F4D00", 1, TLV_KIND_CONSTRUCTED, 2, 1, 3, 1},
                      AcceptCase{"5A00", 1, TLV_KIND_PRIMITIVE, 1, 1, 0, 0},
                      AcceptCase{"1F0000", 1, TLV_KIND_PRIMITIVE, 2, 1, 0, 0}),
    [](const ::testing::TestParamInfo<AcceptCase>& info) {
        return "hex_" + std::string(info.param.hex);
    });

struct RejectCase {
    const char* hex;
    TlvResult withCheck;
    TlvResult withoutCheck;
};

class ParseRejects : public ::testing::TestWithParam<RejectCase> {};

TEST_P(ParseRejects, HandsOutNoTree) {
    const RejectCase& c = GetParam();
    for (int check : {1, 0}) {
        TlvTree tree;
        const TlvResult expected = check ? c.withCheck : c.withoutCheck;
        EXPECT_EQ(ParseExact(HexBytes(c.hex), &tree, check), expected) << c.hex << " " << check;
        if (expected != TLV_OK) {
            EXPECT_EQ(tree, nullptr);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseRejects,
    ::testing::Values(RejectCase{"", TLV_ERR_FORMAT, TLV_ERR_FORMAT},
                      RejectCase{"5A80", TLV_ERR_FORMAT, TLV_ERR_FORMAT},
                      RejectCase{"5A8200021234", TLV_ERR_FORMAT, TLV_ERR_FORMAT},
                      RejectCase{"5AFF", TLV_ERR_FORMAT, TLV_ERR_FORMAT},
                      RejectCase{"5A02123400", TLV_ERR_FORMAT, TLV_ERR_FORMAT},
                      RejectCase{"005A021234", TLV_ERR_FORMAT, TLV_ERR_FORMAT},
                      RejectCase{"FF", TLV_ERR_FORMAT, TLV_ERR_FORMAT},
                      RejectCase{"7008A503880101FFFF00", TLV_ERR_PADDING, TLV_OK},
                      RejectCase{"700300FF00", TLV_ERR_PADDING, TLV_OK},
                      RejectCase{"7005A5007000FF", TLV_ERR_PADDING, TLV_OK},
                      RejectCase{"7007A505A5030000FF", TLV_ERR_PADDING, TLV_OK},
                      RejectCase{"70035A021234", TLV_ERR_FORMAT, TLV_ERR_FORMAT},
                      RejectCase{"70055A021234", TLV_ERR_FORMAT, TLV_ERR_FORMAT},
                      RejectCase{"70045A81", TLV_ERR_FORMAT, TLV_ERR_FORMAT},
                      RejectCase{"70019F", TLV_ERR_FORMAT, TLV_ERR_FORMAT},
                      RejectCase{"9F", TLV_ERR_FORMAT, TLV_ERR_FORMAT},
                      RejectCase{"5A81", TLV_ERR_FORMAT, TLV_ERR_FORMAT}),
    [](const ::testing::TestParamInfo<RejectCase>& info) {
        return "hex_" + std::string(info.param.hex);
    });

TEST(Parse, RejectsNullArguments) {
    const uint8_t input[] = {0x5A, 0x00};
    TlvNode* root = nullptr;
    uint32_t flag = 0;
    EXPECT_EQ(TlvParse(nullptr, 2, &root, &flag), TLV_ERR_PARAM);
    EXPECT_EQ(TlvParse(input, 2, nullptr, &flag), TLV_ERR_PARAM);
    EXPECT_EQ(TlvParse(input, 2, &root, nullptr), TLV_ERR_PARAM);
    EXPECT_EQ(TlvParseEx(input, 2, &root, nullptr, 0), TLV_ERR_PARAM);
}

TEST(Parse, PaddingRunBecomesOneNodeWithItsBytes) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("70075A02123400FF00"), &tree, 1), TLV_OK);
    const TlvNode* pan = ChildAt(tree.get(), 0);
    const TlvNode* padding = ChildAt(tree.get(), 1);
    ASSERT_NE(pan, nullptr);
    ASSERT_NE(padding, nullptr);
    EXPECT_EQ(pan->parent, tree.get());
    EXPECT_EQ(padding->parent, tree.get());
    EXPECT_TRUE(TlvIsPadding(padding));
    EXPECT_EQ(padding->valueLength, 3);
    EXPECT_EQ(padding->tagLength, 0);
    EXPECT_EQ(padding->lengthSize, 0);
    const uint8_t* bytes = static_cast<const uint8_t*>(padding->data);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 3), HexBytes("00FF00"));
}

TEST(Parse, EmptyValuesHaveNoData) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("BF0C039F4D00"), &tree, 1), TLV_OK);
    const TlvNode* log = ChildAt(tree.get(), 0);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->valueLength, 0);
    EXPECT_EQ(log->data, nullptr);
    TlvTree empty;
    ASSERT_EQ(ParseExact(HexBytes("7000"), &empty, 1), TLV_OK);
    EXPECT_EQ(empty->data, nullptr);
}

TEST(Parse, PaddingRuleChecksNestedTemplatesFirst) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("7007A505A5030000FF"), &tree, 0), TLV_OK);
    EXPECT_EQ(TlvCheckPadding(tree.get()), TLV_ERR_PADDING);
    EXPECT_EQ(TlvCheckPadding(ChildAt(tree.get(), 0)), TLV_ERR_PADDING);
    const TlvNode* inner = ChildAt(ChildAt(tree.get(), 0), 0);
    EXPECT_EQ(TlvCheckPadding(inner), TLV_ERR_PADDING);
    EXPECT_EQ(TlvCheckPadding(ChildAt(inner, 0)), TLV_ERR_PARAM);
}

TEST(Parse, EveryStrictPrefixOfAValidSampleFails) {
    for (const TlvSample& sample : ValidSamples()) {
        for (size_t size = 0; size < sample.bytes.size(); ++size) {
            std::vector<uint8_t> prefix(sample.bytes.begin(), sample.bytes.begin() + size);
            TlvTree tree;
            EXPECT_NE(ParseExact(prefix, &tree, 0), TLV_OK) << sample.name << " " << size;
            EXPECT_EQ(tree, nullptr);
        }
    }
}

TEST(Parse, EverySampleRoundTripsThroughTheEncoder) {
    for (const TlvSample& sample : ValidSamples()) {
        TlvTree tree;
        const int check = sample.misplacedPadding ? 0 : 1;
        ASSERT_EQ(ParseExact(sample.bytes, &tree, check), TLV_OK) << sample.name;
        EXPECT_EQ(Encode(tree.get(), 0), sample.bytes) << sample.name;
        EXPECT_EQ(TlvEncodedSize(tree.get()), sample.bytes.size());
    }
}

TEST(Parse, LargestElementHoldsEightyFiveChildren) {
    const TlvSample& largest = EmvRecords().back();
    ASSERT_EQ(largest.bytes.size(), static_cast<size_t>(TLV_MAX_ELEMENT_SIZE));
    TlvTree tree;
    ASSERT_EQ(ParseExact(largest.bytes, &tree, 1), TLV_OK);
    EXPECT_EQ(tree->childCount, 85);
    EXPECT_EQ(tree->valueLength, 255);
}

TEST(Parse, DeepNestingIsBoundedByTheInput) {
    // 64 templates, each holding the next: 70 7E 70 7C ... 70 00.
    std::vector<uint8_t> bytes;
    const int depth = 64;
    for (int level = 0; level < depth; ++level) {
        bytes.push_back(0x70);
        bytes.push_back(static_cast<uint8_t>(2 * (depth - level - 1)));
    }
    TlvTree tree;
    ASSERT_EQ(ParseExact(bytes, &tree, 1), TLV_OK);
    EXPECT_EQ(Encode(tree.get(), 0), bytes);
}

}  // namespace
