#include <gtest/gtest.h>

#include "core/tlv.h"
#include "core/tlv_memory.h"
#include "core/tlv_test_util.h"
#include "support/tlv_samples.h"

namespace {

struct FailureSeamReset {
    ~FailureSeamReset() { TlvMemFailAt(0); }
};

// For every k, failing the k-th allocation makes the parse report TLV_ERR_MEMORY, hand out no
// tree and leave nothing allocated; the first k that is never reached lets the parse succeed.
TEST(AllocationFailure, EveryFailingAllocationIsReportedAndCleanedUp) {
    FailureSeamReset reset;
    for (const TlvSample& sample : ValidSamples()) {
        const int check = sample.misplacedPadding ? 0 : 1;
        for (uint32_t k = 1;; ++k) {
            ASSERT_LT(k, 2000u) << sample.name;
            const size_t before = TlvMemLiveBlocks();
            TlvMemFailAt(k);
            TlvTree tree;
            const TlvResult result = ParseExact(sample.bytes, &tree, check);
            TlvMemFailAt(0);
            if (result == TLV_OK) {
                EXPECT_EQ(Encode(tree.get(), 0), sample.bytes) << sample.name;
                break;
            }
            EXPECT_EQ(result, TLV_ERR_MEMORY) << sample.name << " k=" << k;
            EXPECT_EQ(tree, nullptr);
            EXPECT_EQ(TlvMemLiveBlocks(), before) << sample.name << " k=" << k;
        }
    }
}

TEST(AllocationFailure, FailedAppendLeavesBothNodesAsTheyWere) {
    FailureSeamReset reset;
    TlvTree parent;
    ASSERT_EQ(ParseExact(HexBytes("70045A021234"), &parent, 1), TLV_OK);
    TlvTree child;
    ASSERT_EQ(ParseExact(HexBytes("9F4D00"), &child, 1), TLV_OK);
    TlvMemFailAt(1);
    EXPECT_EQ(TlvAppendChild(parent.get(), child.get()), TLV_ERR_MEMORY);
    EXPECT_EQ(parent->childCount, 1);
    EXPECT_EQ(BytesHex(Encode(parent.get(), 0)), "70045A021234");
}

TEST(Allocator, GrowingWithinAClassKeepsTheBlockAndItsBytes) {
    uint8_t* block = static_cast<uint8_t*>(TlvMemAlloc(3));
    ASSERT_NE(block, nullptr);
    block[0] = 1;
    block[1] = 2;
    block[2] = 3;
    uint8_t* same = static_cast<uint8_t*>(TlvMemRealloc(block, 8));
    EXPECT_EQ(same, block);
    uint8_t* moved = static_cast<uint8_t*>(TlvMemRealloc(same, 4000));
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved[0], 1);
    EXPECT_EQ(moved[2], 3);
    const size_t live = TlvMemLiveBlocks();
    TlvMemFree(moved);
    EXPECT_EQ(TlvMemLiveBlocks(), live - 1);
    TlvMemFree(nullptr);
}

}  // namespace
