// The data element grid's copy commands: "Copy" the selected cell, "Copy Element" the row's
// whole TLV, "Copy Value" its value, "Copy Tree as Text" and "Copy Tree as JSON" the whole tree
// as `bertlv parse` and `bertlv parse --json` write it (the same builders). Everything copies
// as the grid shows it: with card numbers masked while they are masked there.
#ifndef QUORVEL_EDITOR_GRID_COPY_H
#define QUORVEL_EDITOR_GRID_COPY_H

#include <QMenu>
#include <QString>

class GridCtrl;
class GridRow;

// The texts each command copies; empty when there is nothing to copy.
QString CellCopyText(const GridCtrl* grid);
QString ElementCopyText(const GridCtrl* grid);
QString ValueCopyText(const GridCtrl* grid);
QString TreeCopyText(const GridCtrl* grid);
QString TreeCopyJson(const GridCtrl* grid);

// Whether a cell of an element is selected, for Copy.
bool CanCopyCell(const GridCtrl* grid);
// Copy: the selected cell's text on the clipboard.
void CopyCell(const GridCtrl* grid);

// The context menu of the grid's cells other than the Data Element cell.
class GridCopyMenu : public QMenu {
    Q_OBJECT

public:
    GridCopyMenu(GridCtrl* grid, QWidget* parent);

    // Enables the items for the selection; false when no cell of an element is selected.
    bool Prepare();
    // The item of a command id (ID_EDIT_COPY, ID_COPY_*), or null.
    QAction* Item(int commandId) const;

private:
    QAction* AddItem(const QString& text, int commandId, const QString& prompt,
                     QString (*copied)(const GridCtrl*));

    GridCtrl* grid_;
};

#endif
