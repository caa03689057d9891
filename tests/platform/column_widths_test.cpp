#include "platform/column_widths.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

int Sum(const std::vector<int>& widths) {
    return std::accumulate(widths.begin(), widths.end(), 0);
}

TEST(ColumnWidths, WideGridsKeepTheProportions) {
    const std::vector<int> widths = ShareColumnWidths(1000, {200, 40, 75, 75, 235, 75, 300}, {});
    EXPECT_EQ(widths, std::vector<int>({200, 40, 75, 75, 235, 75, 300}));
    EXPECT_EQ(Sum(ShareColumnWidths(997, {1, 1, 1}, {})), 997);
}

TEST(ColumnWidths, ShortSharesTakeTheirMinimumAndTheRestShareWhatIsLeft) {
    struct Case {
        int total;
        std::vector<int> weights;
        std::vector<int> minimums;
        std::vector<int> expected;
    };
    const Case cases[] = {
        // The second column needs 50 of 100: the others share 50 as 1 : 1.
        {100, {1, 1, 1}, {0, 50, 0}, {25, 50, 25}},
        // Settling one column pushes another below its minimum in the next round.
        {100, {2, 1, 1}, {0, 40, 30}, {30, 40, 30}},
        // Minimums beyond the total: everyone gets the minimum, the grid scrolls.
        {50, {1, 1}, {40, 40}, {40, 40}},
        // Shares above the minimums change nothing.
        {400, {1, 3}, {50, 50}, {100, 300}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShareColumnWidths(c.total, c.weights, c.minimums), c.expected) << c.total;
    }
}

TEST(ColumnWidths, AFixedColumnComesFirst) {
    // A column the user dragged to 300 keeps it; the others share the rest by weight, above
    // their minimums.
    EXPECT_EQ(ShareColumnWidths(600, {1, 1, 1}, {0, 0, 200}, {300, -1, -1}),
              std::vector<int>({300, 100, 200}));
    EXPECT_EQ(ShareColumnWidths(600, {1, 2, 3}, {}, {-1, 120}), std::vector<int>({120, 120, 360}));
    // Columns settled early in a round do not shrink the shares of later ones: the last
    // column takes what the others leave.
    EXPECT_EQ(ShareColumnWidths(816, {287, 48, 68, 52, 161, 72, 128}, {287, 48, 68, 52, 0, 72, 29},
                                {-1, -1, -1, -1, 201, -1, -1}),
              std::vector<int>({287, 48, 68, 52, 201, 72, 88}));
}

}  // namespace
