// The "DE Description" panel: one dictionary entry as a single grid row.
#ifndef QUORVEL_PANELS_DESCRIPTION_BAR_H
#define QUORVEL_PANELS_DESCRIPTION_BAR_H

#include <QDockWidget>

class GridCtrl;
class QMenu;
class RowCopyCommands;

class CDescriptionBar : public QDockWidget {
    Q_OBJECT

public:
    explicit CDescriptionBar(QWidget* parent = nullptr);

    // Shows entry `index`; 0 or an index outside the dictionary empties the panel.
    void ShowEntry(int index);
    GridCtrl* Grid() const { return grid_; }
    // The context menu: "Copy" and "Copy All".
    QMenu* CopyMenu() const { return copyMenu_; }
    RowCopyCommands* CopyCommands() const { return copy_; }

private:
    GridCtrl* grid_;
    RowCopyCommands* copy_;
    QMenu* copyMenu_;
};

#endif
