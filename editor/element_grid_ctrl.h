// The data element grid: a GridCtrl whose selection changes reach the view at once, while cell
// edits are posted, so that the view handles them after the grid has finished its own edit.
// Its columns are never narrower than their content needs: every tag, length form, length
// field and value length shows whole, and so do the first characters of every name.
#ifndef QUORVEL_EDITOR_ELEMENT_GRID_CTRL_H
#define QUORVEL_EDITOR_ELEMENT_GRID_CTRL_H

#include <stdint.h>

#include <QList>

#include "platform/grid_ctrl.h"

class CElementGridCtrl : public GridCtrl {
    Q_OBJECT

public:
    // The leading characters of a name that show whole, for rows this deep below the root, and
    // the leading bytes of a value and of an encoding that show whole.
    enum { kNameCharactersShown = 28, kNameDepthShown = 2, kBytesShown = 6 };

    explicit CElementGridCtrl(QWidget* parent = nullptr);

    // Hands every posted edit to the view now rather than from the event loop, so that a
    // command sees the values typed before it.
    void DeliverPostedEdits();

signals:
    // WM_GRID_SELCHANGED: lParam 1 on select, 0 on deselect.
    void selChanged(quintptr wParam, qintptr lParam);
    // WM_GRID_ITEMCHANGED, delivered from the event loop: the cell, and lParam with the row
    // number in the high and the column number in the low 16 bits.
    void itemChangedPosted(GridItem cell, qintptr lParam);

protected:
    void OnSelChanged(bool selected) override;
    void OnItemChanged(const GridItem& item, int rowNumber, int columnNumber) override;
    int ColumnMinimumWidth(int column) const override;
    void changeEvent(QEvent* event) override;

private:
    // Measures every column's minimum in the current font and style.
    void MeasureMinimumWidths() const;

    struct PostedEdit {
        GridItem cell;
        qintptr lParam;
        quint64 generation;
    };
    QList<PostedEdit> posted_;
    // Measured once per font and style: a layout asks for them on every rebuild of the rows.
    mutable QList<int> minimumWidths_;
};

#endif
