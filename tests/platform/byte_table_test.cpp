// The byte table's columns: an equal share each, unless the row numbers, the "Row" heading or
// the bytes' digits need more room.
#include "platform/byte_table.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>

namespace {

// Whether the widest row number shows whole in the "Row" column, within the cell's margins.
bool RowNumbersFit(const ByteTableView& table) {
    const QString last = QString::number(table.Model()->rowCount());
    const int margin =
        2 * (table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &table) + 1);
    return table.fontMetrics().horizontalAdvance(last) + margin <= table.columnWidth(0);
}

TEST(ByteTableView, RowColumnWidensOnlyWhenItsShareCutsTheRowNumbers) {
    const struct {
        int bytesPerRow;
        int rows;
        int width;
        bool equalShares;
    } cases[] = {
        {8, 3, 500, true},
        {32, 9, 1100, true},
        // A thirty-third of 900 pixels cuts the "Row" heading.
        {32, 9, 900, false},
        // Four-digit row numbers do not fit a thirty-third of 900 pixels.
        {32, 1200, 900, false},
        {16, 99999, 500, false},
        // Wide enough, the table goes back to equal shares.
        {32, 1200, 2400, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bytesPerRow << " bytes a row, " << c.rows << " rows, "
                                        << c.width << " pixels");
        ByteTableView table(c.bytesPerRow, nullptr);
        table.resize(c.width, 300);
        table.show();
        table.Model()->SetBytes(QByteArray(c.rows * c.bytesPerRow, '\x5A'));
        EXPECT_TRUE(RowNumbersFit(table));
        const int byteColumn = table.columnWidth(1);
        for (int column = 2; column <= c.bytesPerRow; ++column) {
            EXPECT_LE(qAbs(table.columnWidth(column) - byteColumn), 1) << column;
        }
        EXPECT_EQ(qAbs(table.columnWidth(0) - byteColumn) <= 1, c.equalShares)
            << table.columnWidth(0) << " against " << byteColumn;
    }
}

TEST(ByteTableView, FewerRowsGiveTheShareBack) {
    ByteTableView table(32, nullptr);
    table.resize(1100, 300);
    table.show();
    table.Model()->SetBytes(QByteArray(32 * 5000, '\0'));
    EXPECT_GT(table.columnWidth(0), table.columnWidth(1) + 1);
    table.Model()->SetBytes(QByteArray(32, '\0'));
    EXPECT_LE(qAbs(table.columnWidth(0) - table.columnWidth(1)), 1);
}

// Too narrow for the bytes' digits, the columns keep their width and the table scrolls sideways
// instead of eliding them; widened again, it shares the width out as before.
TEST(ByteTableView, BytesTooNarrowToReadScrollSideways) {
    ByteTableView table(32, nullptr);
    table.resize(500, 300);
    table.show();
    table.Model()->SetBytes(QByteArray(32 * 3, '\xDD'));
    const int margin =
        2 * (table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &table) + 1);
    const int digitsWidth = table.fontMetrics().horizontalAdvance(QStringLiteral("DD")) + margin;
    for (int column = 1; column <= 32; ++column) {
        EXPECT_GE(table.columnWidth(column), digitsWidth) << column;
    }
    EXPECT_TRUE(RowNumbersFit(table));
    EXPECT_GE(table.columnWidth(0),
              table.horizontalHeader()->fontMetrics().horizontalAdvance(QStringLiteral("Row")));
    EXPECT_EQ(table.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_GT(table.horizontalScrollBar()->maximum(), 0);

    table.resize(2400, 300);
    EXPECT_EQ(table.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_LE(qAbs(table.columnWidth(0) - table.columnWidth(1)), 1);
    EXPECT_EQ(table.columnWidth(0) * 33 >= 2300, true);
}

}  // namespace
