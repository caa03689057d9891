#include "platform/grid_printer.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <QTreeWidgetItemIterator>
#include <QtMath>
#include <vector>

#include "platform/column_widths.h"
#include "platform/grid_ctrl.h"

namespace {

int DepthOf(const QTreeWidgetItem* item) {
    int depth = 0;
    for (const QTreeWidgetItem* up = item->parent(); up != nullptr; up = up->parent()) {
        ++depth;
    }
    return depth;
}

}  // namespace

QList<PrintedRow> GridPrintedRows(const GridCtrl* grid) {
    const int columns = grid->GetColumnCount();
    QList<PrintedRow> rows;
    QStringList titles;
    for (int column = 0; column < columns; ++column) {
        titles << grid->ColumnTitle(column);
    }
    rows.append(PrintedRow{titles, 0, true});
    for (QTreeWidgetItemIterator it(const_cast<GridCtrl*>(grid)); *it; ++it) {
        GridRow* row = static_cast<GridRow*>(*it);
        QStringList texts;
        for (int column = 0; column < columns; ++column) {
            texts << grid->ShownText(row->Item(column));
        }
        rows.append(PrintedRow{texts, DepthOf(*it), false});
    }
    return rows;
}

QList<int> PrintedColumnWidths(const QList<int>& natural, const QList<int>& screen, int pageWidth) {
    const int count = static_cast<int>(natural.size());
    std::vector<int> weights;
    for (int column = 0; column < count; ++column) {
        weights.push_back(screen.value(column));
    }
    // A column whose texts fit in an equal share of what is left takes just their width, so
    // that short columns print whole; the others share the rest in their screen proportions.
    std::vector<int> fixed(static_cast<size_t>(count), -1);
    int left = pageWidth;
    int open = count;
    for (bool fixedOne = true; fixedOne && open > 0;) {
        fixedOne = false;
        for (int column = 0; column < count && !fixedOne; ++column) {
            if (fixed[static_cast<size_t>(column)] < 0 && natural[column] <= left / open) {
                fixed[static_cast<size_t>(column)] = natural[column];
                left -= natural[column];
                --open;
                fixedOne = true;
            }
        }
    }
    std::vector<int> widths = ShareColumnWidths(pageWidth, weights, {}, fixed);
    // With every text fitting, the page's spare width goes to all columns alike.
    if (open == 0) {
        const std::vector<int> spare = ShareColumnWidths(left, weights, {});
        for (int column = 0; column < count; ++column) {
            widths[static_cast<size_t>(column)] += spare[static_cast<size_t>(column)];
        }
    }
    return QList<int>(widths.begin(), widths.end());
}

QList<int> PageStarts(const QList<int>& heights, int pageHeight) {
    QList<int> starts;
    if (heights.isEmpty()) {
        return starts;
    }
    starts << 0;
    int used = 0;
    for (int index = 0; index < heights.size(); ++index) {
        // A page holds at least one row below the titles, however tall: one taller than a page
        // is cut at its foot.
        if (index > 0 && used + heights[index] > pageHeight && used > heights[0]) {
            starts << index;
            used = heights[0];
        }
        used += heights[index];
    }
    return starts;
}

QStringList WrappedLines(const QString& text, const QFont& font, QPaintDevice* device, int width) {
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(qMax(1, width));
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    if (lines.isEmpty()) {
        lines << QString();
    }
    return lines;
}

void PrintGrid(const GridCtrl* grid, QPagedPaintDevice* device) {
    QPainter painter(device);
    if (!painter.isActive()) {
        return;
    }
    const int columns = grid->GetColumnCount();
    const QRect page = painter.viewport();
    const QFont normalFont = painter.font();
    QFont boldFont = normalFont;
    boldFont.setBold(true);
    const QFontMetrics metrics(normalFont, device);
    const QFontMetrics boldMetrics(boldFont, device);
    const int lineStep = qMax(metrics.height(), boldMetrics.height());
    const int rowPadding = 6;
    const int indent = metrics.horizontalAdvance(QLatin1Char('M')) * 2;
    const int padding = 6;

    const QList<PrintedRow> rows = GridPrintedRows(grid);
    QList<int> natural(columns, 0);
    QList<int> screen;
    for (int column = 0; column < columns; ++column) {
        screen << grid->columnWidth(column);
    }
    // Measured exactly: a width rounded down would wrap a text that fits.
    const QFontMetricsF exactMetrics(normalFont, device);
    const QFontMetricsF exactBoldMetrics(boldFont, device);
    for (const PrintedRow& row : rows) {
        const QFontMetricsF& exact = row.bold ? exactBoldMetrics : exactMetrics;
        for (int column = 0; column < columns; ++column) {
            const int shift = column == 0 ? row.depth * indent : 0;
            natural[column] =
                qMax(natural[column],
                     shift + padding + qCeil(exact.horizontalAdvance(row.texts.value(column))));
        }
    }
    const QList<int> widths = PrintedColumnWidths(natural, screen, page.width());

    // Every row's lines, and the pages they go on.
    QList<QList<QStringList>> cells;
    QList<int> heights;
    for (const PrintedRow& row : rows) {
        const QFont& font = row.bold ? boldFont : normalFont;
        QList<QStringList> rowCells;
        qsizetype lineCount = 1;
        for (int column = 0; column < columns; ++column) {
            const int shift = column == 0 ? row.depth * indent : 0;
            rowCells << WrappedLines(row.texts.value(column), font, device,
                                     widths[column] - shift - padding);
            lineCount = qMax(lineCount, rowCells.last().size());
        }
        cells << rowCells;
        heights << static_cast<int>(lineCount) * lineStep + rowPadding;
    }
    const auto draw = [&](int index, int y) {
        const PrintedRow& row = rows[index];
        painter.setFont(row.bold ? boldFont : normalFont);
        int x = page.left();
        for (int column = 0; column < columns; ++column) {
            const int shift = column == 0 ? row.depth * indent : 0;
            const Qt::Alignment align = grid->ColumnAlign(column) | Qt::AlignVCenter;
            int lineTop = y + rowPadding / 2;
            for (const QString& line : cells[index][column]) {
                const QRect cell(x + shift + padding / 2, lineTop, widths[column] - shift - padding,
                                 lineStep);
                painter.drawText(cell, static_cast<int>(align), line.trimmed());
                lineTop += lineStep;
            }
            painter.drawRect(QRect(x, y, widths[column], heights[index]));
            x += widths[column];
        }
        return y + heights[index];
    };
    const QList<int> starts = PageStarts(heights, page.height());
    int y = page.top();
    for (int index = 0; index < rows.size(); ++index) {
        if (index > 0 && starts.contains(index)) {
            device->newPage();
            // Each further page starts with the column titles again.
            y = draw(0, page.top());
        }
        y = draw(index, y);
    }
}
