#include "validation/error_row_list.h"

const QColor kNormalTextColor(0, 0, 0);
const QColor kErrorTextColor(255, 17, 17);

namespace {

void PaintRowNormal(GridRow* row) {
    for (int column = 0; column < row->columnCount(); ++column) {
        row->Item(column).SetTextColor(kNormalTextColor);
    }
}

}  // namespace

void ErrorRowList::Add(GridRow* parent, GridRow* row, const GridItem& cell) {
    entries_.append({parent, row, cell});
}

void ErrorRowList::RemoveExact(GridRow* parent, GridRow* row, const GridItem& cell) {
    for (qsizetype i = entries_.size() - 1; i >= 0; --i) {
        const Entry& entry = entries_[i];
        if (entry.parent == parent && entry.row == row && entry.cell == cell) {
            PaintRowNormal(entry.row);
            entries_.removeAt(i);
        }
    }
}

void ErrorRowList::RemoveByParent(GridRow* parent) {
    for (qsizetype i = entries_.size() - 1; i >= 0; --i) {
        if (entries_[i].parent == parent) {
            PaintRowNormal(entries_[i].row);
            entries_.removeAt(i);
        }
    }
}
