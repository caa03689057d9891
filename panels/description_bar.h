// The "DE Description" panel: one dictionary entry as a single grid row.
#ifndef QUORVEL_PANELS_DESCRIPTION_BAR_H
#define QUORVEL_PANELS_DESCRIPTION_BAR_H

#include <QDockWidget>

class GridCtrl;

class CDescriptionBar : public QDockWidget {
    Q_OBJECT

public:
    explicit CDescriptionBar(QWidget* parent = nullptr);

    // Shows entry `index`; 0 or an index outside the dictionary empties the panel.
    void ShowEntry(int index);
    GridCtrl* Grid() const { return grid_; }

private:
    GridCtrl* grid_;
};

#endif
