// Keys moving through the grid: Left and Right go from cell to cell, and fold the tree only in
// its first column.
#include <gtest/gtest.h>

#include <QTest>

#include "platform/grid_ctrl.h"

namespace {

class GridNavigationTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int column = 0; column < 3; ++column) {
            grid_.InsertColumn(column, QStringLiteral("Column %1").arg(column), 1);
        }
        parent_ = grid_.CreateRow();
        parent_->AllowSubItems(true);
        grid_.AddRow(parent_);
        child_ = grid_.CreateRow();
        parent_->AddSubItem(child_);
        grid_.resize(400, 200);
        grid_.show();
    }

    // The cell the cursor is on after `key` from `row`, `column`.
    GridItem After(GridRow* row, int column, int key) {
        grid_.SelectItem(row->Item(column));
        QTest::keyClick(&grid_, static_cast<Qt::Key>(key));
        return GridItem(static_cast<GridRow*>(grid_.currentItem()), grid_.currentColumn());
    }

    GridCtrl grid_;
    GridRow* parent_ = nullptr;
    GridRow* child_ = nullptr;
};

TEST_F(GridNavigationTest, LeftAndRightMoveBetweenCells) {
    grid_.expandAll();
    EXPECT_EQ(After(child_, 2, Qt::Key_Left), child_->Item(1));
    EXPECT_EQ(After(child_, 1, Qt::Key_Left), child_->Item(0));
    EXPECT_EQ(After(child_, 1, Qt::Key_Right), child_->Item(2));
    EXPECT_EQ(After(child_, 2, Qt::Key_Right), child_->Item(2));
    EXPECT_EQ(After(parent_, 0, Qt::Key_Right), parent_->Item(1));
}

TEST_F(GridNavigationTest, TheFirstColumnFoldsTheTree) {
    grid_.expandAll();
    EXPECT_EQ(After(child_, 0, Qt::Key_Left), parent_->Item(0));
    After(parent_, 0, Qt::Key_Left);
    EXPECT_FALSE(parent_->isExpanded());
    EXPECT_EQ(After(parent_, 0, Qt::Key_Right), parent_->Item(0));
    EXPECT_TRUE(parent_->isExpanded());
}

}  // namespace
