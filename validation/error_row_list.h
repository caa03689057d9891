// The rows currently shown in the error colour, each remembered with the parent row it hung
// under when it was marked and one of its cells.
#ifndef QUORVEL_VALIDATION_ERROR_ROW_LIST_H
#define QUORVEL_VALIDATION_ERROR_ROW_LIST_H

#include <QColor>
#include <QList>

#include "platform/grid_ctrl.h"

// Text colours of the data element grid.
extern const QColor kNormalTextColor;
extern const QColor kErrorTextColor;

class ErrorRowList {
public:
    struct Entry {
        GridRow* parent;
        GridRow* row;
        GridItem cell;
    };

    void Add(GridRow* parent, GridRow* row, const GridItem& cell);
    // Removes every entry equal to (parent, row, cell); their rows get the normal colour.
    void RemoveExact(GridRow* parent, GridRow* row, const GridItem& cell);
    // Removes every entry listed under `parent`; their rows get the normal colour.
    void RemoveByParent(GridRow* parent);
    // Forgets every entry and leaves the colours alone (the rows are about to go).
    void Clear() { entries_.clear(); }

    const QList<Entry>& Entries() const { return entries_; }

private:
    QList<Entry> entries_;
};

#endif
