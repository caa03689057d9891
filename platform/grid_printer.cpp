#include "platform/grid_printer.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTreeWidgetItemIterator>

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

void PrintGrid(const GridCtrl* grid, QPagedPaintDevice* device) {
    QPainter painter(device);
    if (!painter.isActive()) {
        return;
    }
    const int columns = grid->GetColumnCount();
    const QRect page = painter.viewport();
    const QFontMetrics metrics(painter.font());
    const int lineHeight = metrics.height() + 6;
    const int indent = metrics.horizontalAdvance(QLatin1Char('M')) * 2;

    // Columns keep the proportions they have on screen.
    QList<int> widths;
    int total = 0;
    for (int column = 0; column < columns; ++column) {
        widths << qMax(1, grid->columnWidth(column));
        total += widths.last();
    }
    for (int& width : widths) {
        width = page.width() * width / qMax(1, total);
    }

    int y = page.top();
    auto drawRow = [&](const QStringList& texts, int depth, bool bold) {
        if (y + lineHeight > page.bottom() && y > page.top()) {
            device->newPage();
            y = page.top();
        }
        QFont font = painter.font();
        font.setBold(bold);
        painter.setFont(font);
        int x = page.left();
        for (int column = 0; column < columns; ++column) {
            const int shift = column == 0 ? depth * indent : 0;
            const QRect cell(x + shift + 3, y, widths[column] - shift - 6, lineHeight);
            const Qt::Alignment align = grid->ColumnAlign(column) | Qt::AlignVCenter;
            painter.drawText(cell, static_cast<int>(align),
                             metrics.elidedText(texts.value(column), Qt::ElideRight, cell.width()));
            painter.drawRect(QRect(x, y, widths[column], lineHeight));
            x += widths[column];
        }
        y += lineHeight;
    };

    for (const PrintedRow& row : GridPrintedRows(grid)) {
        drawRow(row.texts, row.depth, row.bold);
    }
}
