#include "editor/card_number_cells.h"

#include <QByteArray>

#include "core/ber_reader.h"
#include "core/hex_text.h"
#include "dictionary/card_number_mask.h"
#include "dictionary/element_row.h"
#include "platform/grid_ctrl.h"

void ShowCardNumbersMasked(GridCtrl* grid, bool mask) {
    grid->SetShownText(mask ? GridCtrl::ShownTextFunction(MaskedElementCell)
                            : GridCtrl::ShownTextFunction());
}

bool CardNumbersMasked(const GridCtrl* grid) {
    return grid->HasShownText();
}

QString MaskedElementCell(const GridRow* row, int column, const QString& text) {
    const TlvNode* node = static_cast<const TlvNode*>(row->Data());
    uint8_t kind = 0;
    if ((column != ELEMENT_COLUMN_VALUE && column != ELEMENT_COLUMN_TLV) ||
        TlvGetKind(node, &kind) != TLV_OK || kind == TLV_KIND_PADDING) {
        return text;
    }
    const QByteArray hex = text.toLatin1();
    QByteArray bytes(hex.size() / 2 + 1, '\0');
    uint32_t count = 0;
    HexTextToBytes(hex.constData(), static_cast<uint32_t>(hex.size()),
                   reinterpret_cast<uint8_t*>(bytes.data()), &count);
    const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    DigitMask mask;
    if (column == ELEMENT_COLUMN_VALUE && kind == TLV_KIND_PRIMITIVE) {
        // The cell's own digits: while an edit is checked they are not yet the node's.
        AppendValueMask(node->tag, node->tagLength, data, count, &mask);
    } else {
        // The nodes say where each element starts, even where an edit has left a template's
        // length behind and the bytes no longer read back.
        AppendNodeMask(node, column == ELEMENT_COLUMN_VALUE ? 1 : 0, &mask);
        if (mask.size() != 2 * static_cast<size_t>(count)) {
            mask.clear();
            AppendElementsMask(data, count, BER_RULES_STRICT, &mask);
        }
    }
    if (!MaskHidesAny(mask)) {
        return text;
    }
    return QString::fromLatin1(MaskedHexText(hex.toStdString(), mask).c_str());
}
