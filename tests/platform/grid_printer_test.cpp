#include "platform/grid_printer.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>

namespace {

TEST(GridPrinter, ColumnsThatFitTakeTheirTextsWidthAndTheOthersShareTheRest) {
    struct Case {
        QList<int> natural;
        QList<int> screen;
        int page;
        QList<int> expected;
    };
    const Case cases[] = {
        // Everything fits: the spare width goes to all columns in their screen proportions.
        {{50, 20, 30}, {100, 100, 100}, 300, {116, 86, 98}},
        // The name and tag columns fit in their shares; the long value takes what is left.
        {{400, 40, 900}, {300, 50, 400}, 1000, {400, 40, 560}},
        // The element grid: the short columns print whole, value and TLV share the rest.
        {{300, 40, 80, 60, 900, 70, 1000},
         {260, 45, 60, 50, 155, 65, 200},
         1500,
         {300, 40, 80, 60, 414, 70, 536}},
        // Nothing fits: the screen proportions, as before.
        {{1000, 1000}, {1, 3}, 400, {100, 300}},
        // Hidden or unmeasured columns still get a share, and no column is negative.
        {{10, 10}, {0, 0}, 5, {2, 3}},
        {{}, {}, 500, {}},
    };
    for (const Case& c : cases) {
        const QList<int> widths = PrintedColumnWidths(c.natural, c.screen, c.page);
        EXPECT_EQ(widths, c.expected) << c.page;
        int sum = 0;
        for (int width : widths) {
            sum += width;
        }
        EXPECT_EQ(sum, c.natural.isEmpty() ? 0 : c.page);
    }
}

TEST(GridPrinter, LongTextsWrapOverLinesThatEachFit) {
    QImage page(100, 100, QImage::Format_RGB32);
    const QFont font;
    const QFontMetricsF metrics(font, &page);
    const int width = qCeil(metrics.horizontalAdvance(QStringLiteral("0123456789ABCDEF")));
    const struct {
        QString text;
        qsizetype atLeast;  // lines
    } cases[] = {
        // A value's digits have no word breaks: they break anywhere.
        {QStringLiteral("4761739001010010").repeated(16), 16},
        // Words stay whole where they fit.
        {QStringLiteral("Application Elementary File (AEF) Data Template"), 3},
        {QStringLiteral("5A"), 1},
        {QString(), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const QStringList lines = WrappedLines(c.text, font, &page, width);
        EXPECT_GE(lines.size(), c.atLeast);
        EXPECT_EQ(lines.join(QString()), c.text);
        for (const QString& line : lines) {
            EXPECT_LE(metrics.horizontalAdvance(line.trimmed()), width) << line.toStdString();
        }
    }
    // Names break between words only.
    const QStringList words = {"Application", "Elementary", "File"};
    for (const QString& line : WrappedLines(words.join(' '), font, &page, width)) {
        for (const QString& word : line.trimmed().split(QLatin1Char(' '))) {
            EXPECT_TRUE(words.contains(word)) << line.toStdString();
        }
    }
}

}  // namespace

namespace {

// Pages break before the row that does not fit; every further page first repeats the column
// titles (row 0), and every page holds at least one row below them however tall.
TEST(GridPrinter, PagesBreakBeforeARowThatDoesNotFitAndRepeatTheTitles) {
    const struct {
        QList<int> heights;
        int page;
        QList<int> starts;
    } cases[] = {
        {{}, 50, {}},
        {{10, 20, 20}, 50, {0}},
        {{10, 20, 20, 20}, 50, {0, 3}},
        // On the second page the titles take 10 of the 50: two rows of 20 fit, a third does not.
        {{10, 20, 20, 20, 20, 20}, 50, {0, 3, 5}},
        // The first page holds its titles and the first row, even one taller than the page.
        {{10, 100, 20}, 50, {0, 2}},
        {{10, 45, 45}, 50, {0, 2}},
        {{10, 20, 45, 45}, 50, {0, 2, 3}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PageStarts(c.heights, c.page), c.starts) << c.heights.size() << " rows";
    }
}

}  // namespace
