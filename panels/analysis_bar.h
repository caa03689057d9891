// The "Analysis" panel: the selected element broken into its parts, values decoded.
#ifndef QUORVEL_PANELS_ANALYSIS_BAR_H
#define QUORVEL_PANELS_ANALYSIS_BAR_H

#include <stdint.h>

#include <QDockWidget>

class GridCtrl;
struct TlvNode;

class CAnalysisBar : public QDockWidget {
    Q_OBJECT

public:
    explicit CAnalysisBar(QWidget* parent = nullptr);

    // Kind 0 with no node empties the panel.
    void ShowElement(uint8_t kind, const TlvNode* node);
    GridCtrl* Grid() const { return grid_; }

signals:
    // "Data Element Info." was chosen for the entry with this dictionary index.
    void infoRequested(int index);

private:
    GridCtrl* grid_;
};

#endif
