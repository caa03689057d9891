// The "Analysis" panel: the selected element broken into its parts, values decoded.
#ifndef QUORVEL_PANELS_ANALYSIS_BAR_H
#define QUORVEL_PANELS_ANALYSIS_BAR_H

#include <stdint.h>

#include <QDockWidget>

class GridCtrl;
class GridRow;
class QMenu;
class RowCopyCommands;
struct AnalysisRow;
struct TlvNode;

class CAnalysisBar : public QDockWidget {
    Q_OBJECT

public:
    enum { ID_DE_INFO = 32857 };

    explicit CAnalysisBar(QWidget* parent = nullptr);

    // Kind 0 with no node, or a kind that does not match the node, empties the panel.
    void ShowElement(uint8_t kind, const TlvNode* node);
    // Card numbers show masked from the next ShowElement on.
    void SetMaskCardNumbers(bool mask) { maskCardNumbers_ = mask; }
    bool MaskCardNumbers() const { return maskCardNumbers_; }
    GridCtrl* Grid() const { return grid_; }
    // The context menu: "Data Element Info." (on an element's header row only), "Copy" and
    // "Copy All".
    QMenu* InfoMenu() const { return infoMenu_; }
    RowCopyCommands* CopyCommands() const { return copy_; }
    int InfoIndex() const { return infoIndex_; }

    // Whether a context menu request offers "Data Element Info.", remembering the index if so.
    bool PrepareInfoMenu();
    // Readies the context menu for the selection; false when the panel is empty.
    bool PrepareContextMenu();
    // "Data Element Info.": asks for the remembered entry to be described.
    void OnDataElementInfo();

signals:
    void infoRequested(int index);

private:
    void AddRow(GridRow* parent, const AnalysisRow& row);
    void OnContextMenu(const QPoint& position);

    GridCtrl* grid_;
    QMenu* infoMenu_;
    QAction* infoSeparator_;
    RowCopyCommands* copy_;
    uint8_t infoIndex_ = 0;
    bool maskCardNumbers_ = false;
};

#endif
