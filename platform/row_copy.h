// "Copy" and "Copy All" of a panel's grid. A row copies as the texts its cells show, separated
// by tabs. Copy All copies the column titles, then every row in display order with sub-rows
// indented by two spaces for each level, one line each, so that it pastes into a spreadsheet
// or a text file alike.
#ifndef QUORVEL_PLATFORM_ROW_COPY_H
#define QUORVEL_PLATFORM_ROW_COPY_H

#include <QObject>
#include <QString>

class GridCtrl;
class GridRow;
class QAction;
class QMenu;

QString GridRowCopyText(const GridCtrl* grid, GridRow* row);
QString GridCopyAllText(const GridCtrl* grid);

class RowCopyCommands : public QObject {
    Q_OBJECT

public:
    // Gives `grid` the two commands and its Copy keys (Ctrl+C) for Copy.
    explicit RowCopyCommands(GridCtrl* grid);

    QAction* CopyAction() const { return copy_; }
    QAction* CopyAllAction() const { return copyAll_; }
    // Adds both commands to `menu`.
    void AddTo(QMenu* menu) const;
    // Copy needs a selected row, Copy All any row.
    void Update();

    void OnCopy();
    void OnCopyAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridCtrl* grid_;
    QAction* copy_;
    QAction* copyAll_;
};

#endif
