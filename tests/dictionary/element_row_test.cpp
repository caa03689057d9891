#include "dictionary/element_row.h"

#include <gtest/gtest.h>

#include "core/tlv_test_util.h"
#include "support/tlv_samples.h"

namespace {

struct RowCase {
    const char* input;
    uint8_t child;  // 255: the root itself
    int image;
    const char* cells[ELEMENT_COLUMN_COUNT];
};

TEST(ElementRow, CellTextsOfEachKind) {
    const RowCase cases[] = {
        {"70075A02123400FF00",
         255,
         ELEMENT_IMAGE_CONSTRUCTED,
         {"Application Elementary File (AEF) Data Template", "70", "1 byte", "07", "5A02123400FF00",
          "7 bytes", "70075A02123400FF00"}},
        {"70075A02123400FF00",
         0,
         ELEMENT_IMAGE_PRIMITIVE,
         {"Application Primary Account Number(PAN)", "5A", "1 byte", "02", "1234", "2 bytes",
          "5A021234"}},
        {"70075A02123400FF00",
         1,
         ELEMENT_IMAGE_PADDING,
         {"padding", "", "", "", "00FF00", "3 bytes", "00FF00"}},
        {"9F7F0100",
         255,
         ELEMENT_IMAGE_PRIMITIVE,
         {"Not Defined", "9F7F", "1 byte", "01", "00", "1 bytes", "9F7F0100"}},
        {"5A81021234",
         255,
         ELEMENT_IMAGE_PRIMITIVE,
         {"Application Primary Account Number(PAN)", "5A", "2 bytes", "8102", "1234", "2 bytes",
          "5A81021234"}},
        {"9F4D00",
         255,
         ELEMENT_IMAGE_PRIMITIVE,
         {"Log Entry", "9F4D", "1 byte", "00", "", "0 bytes", "9F4D00"}},
        {"BF0C039F4D00",
         255,
         ELEMENT_IMAGE_CONSTRUCTED,
         {"File Control Information(FCI) Issuer Discretionary Data", "BF0C", "1 byte", "03",
          "9F4D00", "3 bytes", "BF0C039F4D00"}},
    };
    for (const RowCase& c : cases) {
        TlvTree tree;
        ASSERT_EQ(ParseExact(HexBytes(c.input), &tree, 1), TLV_OK);
        const TlvNode* node = c.child == 255 ? tree.get() : ChildAt(tree.get(), c.child);
        ElementRow row;
        ASSERT_TRUE(BuildElementRow(node, &row)) << c.input;
        EXPECT_EQ(row.image, c.image) << c.input;
        for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
            EXPECT_EQ(row.cells[column], c.cells[column]) << c.input << " column " << column;
        }
    }
}

TEST(ElementRow, NodesThatCannotBeShownGetNoRow) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("5A021234"), &tree, 1), TLV_OK);
    ElementRow row;
    EXPECT_FALSE(BuildElementRow(nullptr, &row));
    tree->lengthSize = 3;
    EXPECT_FALSE(BuildElementRow(tree.get(), &row));
    tree->lengthSize = 1;
    EXPECT_TRUE(BuildElementRow(tree.get(), &row));
}

}  // namespace
