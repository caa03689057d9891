// Applying a cell the user changed in the data element grid to the row's node, and carrying the
// change up to the root: lengths rewritten, values checked, failing rows coloured.
#ifndef QUORVEL_VALIDATION_APPLY_EDIT_H
#define QUORVEL_VALIDATION_APPLY_EDIT_H

#include <stdint.h>

#include <functional>

#include "platform/grid_ctrl.h"

class ErrorRowList;

// What an edit needs from the view that owns the grid; validation never calls the view itself.
struct EditContext {
    GridCtrl* grid;
    ErrorRowList* errors;
    std::function<void()> markModified;
};

// Column 2 ("Length in") or 4 ("Value") applies the cell's new text; column 0 re-checks the
// row's ancestors after a change of the tree's shape.
void ApplyEdit(const EditContext& context, const GridItem& cell, uint16_t column);

// Brings the row's node and cells up to date, checks its value when `column` is 2 or 4 or the
// row is visited for a child, then does the same for the parent row. Clears `*valid` when this
// row or an ancestor fails.
void RevalidateRow(const EditContext& context, GridRow* row, bool fromChild, uint16_t column,
                   bool* valid);

#endif
