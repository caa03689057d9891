#include "panels/description_row.h"

#include <gtest/gtest.h>

namespace {

struct DescriptionCase {
    int index;
    const char* cells[DESCRIPTION_COLUMN_COUNT];  // null: not compared
};

TEST(DescriptionRow, CellsFollowTheEntry) {
    const DescriptionCase cases[] = {
        {15,
         {"Application File Locator(AFL)", nullptr, "ICC", "var.", "'77' or '80'", "'94'",
          "0-252"}},
        {33,
         {"Authorisation Response Code(ARC)", nullptr, "Issuer/Terminal", "an", "-", "'8A'", "2"}},
        {112, {"Terminal Action Code - Default", nullptr, "Terminal", "b", "-", "-", "5"}},
        {35,
         {"Bank Identifier Code(BIC)", nullptr, "ICC", "var.", "'BF0C' or '73'", "'5F54'",
          "8 or 11"}},
        {18,
         {"Application Interchange Profile(AIP)",
          "Indicates the capabilities of the card to support specific functions in the "
          "application",
          "ICC", "b", "'77' or '80'", "'82'", "2"}},
        {110,
         {"Static Data Authentication Tag List", nullptr, "ICC", "-", "'70' or '77'", "'9F4A'",
          "0-255"}},
    };
    for (const DescriptionCase& c : cases) {
        DescriptionRow row;
        ASSERT_TRUE(BuildDescriptionRow(c.index, &row)) << c.index;
        for (int column = 0; column < DESCRIPTION_COLUMN_COUNT; ++column) {
            if (c.cells[column] != nullptr) {
                EXPECT_EQ(row.cells[column], c.cells[column]) << c.index << " column " << column;
            }
        }
        EXPECT_FALSE(row.cells[1].empty());
    }
}

TEST(DescriptionRow, NoRowForIndexZeroOrOutsideTheTable) {
    DescriptionRow row;
    EXPECT_FALSE(BuildDescriptionRow(0, &row));
    EXPECT_FALSE(BuildDescriptionRow(142, &row));
    EXPECT_FALSE(BuildDescriptionRow(-3, &row));
}

}  // namespace
