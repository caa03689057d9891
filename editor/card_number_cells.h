// Card numbers masked in the data element grid (View > Mask Card Numbers). The Value and TLV
// cells show them masked wherever they stand: in the row of the element that holds one and in
// the rows of every template around it. The cells keep their data as it is, so that editing,
// the pane, Encode and saved files never see a masked digit.
#ifndef QUORVEL_EDITOR_CARD_NUMBER_CELLS_H
#define QUORVEL_EDITOR_CARD_NUMBER_CELLS_H

#include <QString>

class GridCtrl;
class GridRow;

void ShowCardNumbersMasked(GridCtrl* grid, bool mask);
bool CardNumbersMasked(const GridCtrl* grid);

// The text a cell of the data element grid shows with card numbers masked, for the text `text`
// it holds.
QString MaskedElementCell(const GridRow* row, int column, const QString& text);

#endif
