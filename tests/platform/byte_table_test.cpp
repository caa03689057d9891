// The byte table's columns: an equal share each, unless the row numbers, the "Row" heading or
// the bytes' digits need more room.
#include "platform/byte_table.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <memory>

namespace {

// Cells are not elided; their text keeps this many pixels clear of the grid lines.
const int kTextMargin = 4;

// Whether the widest row number shows whole in the "Row" column, clear of its grid lines.
bool RowNumbersFit(const ByteTableView& table) {
    const QString last = QString::number(table.Model()->rowCount());
    return table.fontMetrics().horizontalAdvance(last) + kTextMargin <= table.columnWidth(0);
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
        // A thirty-third of 860 pixels cuts the "Row" heading.
        {32, 9, 860, false},
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
    table.Model()->SetBytes(QByteArray(32 * 20000, '\0'));
    EXPECT_GT(table.columnWidth(0), table.columnWidth(1) + 1);
    table.Model()->SetBytes(QByteArray(32, '\0'));
    EXPECT_LE(qAbs(table.columnWidth(0) - table.columnWidth(1)), 1);
}

// The pane of the first window on a 1280 x 800 screen shows all 32 bytes of a row, their
// digits and titles whole, without scrolling.
TEST(ByteTableView, ThirtyTwoBytesFitTheFirstWindowsPane) {
    ByteTableView table(32, nullptr);
    table.resize(816, 300);
    table.show();
    table.Model()->SetBytes(QByteArray(32 * 3, '\xDD'));
    EXPECT_EQ(table.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const QFontMetrics cell = table.fontMetrics();
    const QFontMetrics title = table.horizontalHeader()->fontMetrics();
    for (int column = 1; column <= 32; ++column) {
        EXPECT_GE(table.columnWidth(column),
                  cell.horizontalAdvance(QStringLiteral("DD")) + kTextMargin)
            << column;
        EXPECT_GE(table.columnWidth(column),
                  title.horizontalAdvance(QStringLiteral("32")) + kTextMargin)
            << column;
    }
    EXPECT_LE(table.horizontalHeader()->sectionPosition(32) + table.columnWidth(32),
              table.viewport()->width());
}

// Too narrow for the bytes' digits, the columns keep their width and the table scrolls sideways
// instead of eliding them; widened again, it shares the width out as before.
TEST(ByteTableView, BytesTooNarrowToReadScrollSideways) {
    ByteTableView table(32, nullptr);
    table.resize(500, 300);
    table.show();
    table.Model()->SetBytes(QByteArray(32 * 3, '\xDD'));
    const int digitsWidth =
        table.fontMetrics().horizontalAdvance(QStringLiteral("DD")) + kTextMargin;
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

// Each look draws a title within margins of its own: the Windows look's are wider than
// Fusion's, and a column fitted to Fusion's cut the "Row" title at both ends.
TEST(ByteTableView, TitlesFitWithinTheirLooksMargins) {
    for (const char* name : {"Fusion", "Windows"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<QStyle> style(QStyleFactory::create(QString::fromLatin1(name)));
        ASSERT_NE(style, nullptr);
        ByteTableView table(32, nullptr);
        table.setStyle(style.get());
        table.horizontalHeader()->setStyle(style.get());
        table.resize(400, 300);
        table.show();
        table.Model()->SetBytes(QByteArray(32 * 3, '\xDD'));
        QHeaderView* header = table.horizontalHeader();
        const int margins = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int column = 0; column <= 32; ++column) {
            const QString title =
                table.Model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
            EXPECT_GE(table.columnWidth(column),
                      header->fontMetrics().horizontalAdvance(title) + margins)
                << title.toStdString();
        }
    }
}

}  // namespace
