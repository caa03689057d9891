// Applying a cell the user changed in the data element grid to the row's node.
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

void ApplyEdit(const EditContext& context, const GridItem& cell, uint16_t column);

#endif
