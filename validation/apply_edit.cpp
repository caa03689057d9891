#include "validation/apply_edit.h"

void ApplyEdit(const EditContext& context, const GridItem& cell, uint16_t column) {
    (void)cell;
    (void)column;
    if (context.markModified) {
        context.markModified();
    }
}
