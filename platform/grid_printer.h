// Prints a grid: its header and every row, sub-rows indented under their parent, over as many
// pages as it takes.
#ifndef QUORVEL_PLATFORM_GRID_PRINTER_H
#define QUORVEL_PLATFORM_GRID_PRINTER_H

#include <QList>
#include <QStringList>

class GridCtrl;
class QFont;
class QPagedPaintDevice;
class QPaintDevice;

struct PrintedRow {
    QStringList texts;
    int depth;
    bool bold;
};

// What PrintGrid prints, line by line: the column titles in bold, then every row with the texts
// its cells show.
QList<PrintedRow> GridPrintedRows(const GridCtrl* grid);

// The printed widths of columns whose texts need `natural` widths, on a page `pageWidth` wide:
// a column whose texts fit in an equal share of what is left takes what they need, the others
// share the rest in the proportions of their `screen` widths; spare width goes to all columns
// in those proportions.
QList<int> PrintedColumnWidths(const QList<int>& natural, const QList<int>& screen, int pageWidth);

// The index of the first row on each page, for rows `heights` tall (row 0 the column titles,
// which each further page repeats) on pages `pageHeight` tall.
QList<int> PageStarts(const QList<int>& heights, int pageHeight);

// The lines `text` takes in a cell `width` wide: broken between words, and anywhere inside a
// word longer than a line, such as a value's hexadecimal digits. At least one line.
QStringList WrappedLines(const QString& text, const QFont& font, QPaintDevice* device, int width);

// Every cell prints whole, its text wrapped over as many lines as it takes.
void PrintGrid(const GridCtrl* grid, QPagedPaintDevice* device);

#endif
