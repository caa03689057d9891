#include "editor/view_layout.h"

#include <gtest/gtest.h>

namespace {

void ExpectRect(const ViewRect& rect, int x, int y, int width, int height) {
    EXPECT_EQ(rect.x, x);
    EXPECT_EQ(rect.y, y);
    EXPECT_EQ(rect.width, width);
    EXPECT_EQ(rect.height, height);
}

TEST(ViewLayout, WideClientKeepsFixedSizes) {
    const ViewLayout layout = ComputeViewLayout(0, 0, 800, 600);
    ExpectRect(layout.grid, 0, 0, 800, 470);
    ExpectRect(layout.encode, 0, 471, 78, 28);
    ExpectRect(layout.parse, 81, 471, 78, 28);
    ExpectRect(layout.modeList, 601, 474, 198, 28);
    ExpectRect(layout.pane, 0, 500, 800, 100);
}

TEST(ViewLayout, NarrowClientShrinksInProportion) {
    // Width 270: E = 60, M = 150.
    const ViewLayout layout = ComputeViewLayout(10, 20, 280, 420);
    ExpectRect(layout.encode, 10, 291, 58, 28);
    ExpectRect(layout.parse, 71, 291, 58, 28);
    ExpectRect(layout.modeList, 131, 296, 148, 28);
    ExpectRect(layout.pane, 10, 320, 270, 100);
    ExpectRect(layout.grid, 10, 20, 270, 270);
}

TEST(ViewLayout, BoundaryWidth) {
    EXPECT_EQ(ComputeViewLayout(0, 0, 360, 200).encode.width, 78);
    EXPECT_EQ(ComputeViewLayout(0, 0, 359, 200).encode.width, 77);
}

}  // namespace
