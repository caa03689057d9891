#include "validation/apply_edit.h"

#include <ctype.h>

#include "core/hex_text.h"
#include "dictionary/dictionary.h"
#include "dictionary/element_row.h"
#include "platform/prompts.h"
#include "validation/error_row_list.h"
#include "validation/length_field.h"
#include "validation/value_messages.h"

namespace {

QString Hex(const uint8_t* bytes, uint32_t count) {
    return QString::fromStdString(HexString(bytes, count));
}

TlvNode* NodeOf(GridRow* row) {
    return row != nullptr ? static_cast<TlvNode*>(row->Data()) : nullptr;
}

QString NameOf(const TlvNode* node) {
    return QString::fromLatin1(DictGetNameByTag(node->tag, node->tagLength));
}

void Refuse(const EditContext& context, const QString& text, const char* caption) {
    AppPrompts()->ShowError(context.grid, text, QString::fromLatin1(caption));
    context.grid->setFocus();
}

// Shows the node's unchanged value again, in the normal colour.
void RestoreValueCell(const GridItem& cell, const TlvNode* node) {
    uint8_t value[TLV_ENCODE_BUFFER_SIZE];
    uint16_t length = 0;
    if (TlvGetTagValue(node, nullptr, nullptr, value, &length) == TLV_OK) {
        cell.SetValue(Hex(value, length));
    }
    cell.SetTextColor(kNormalTextColor);
}

void RestoreLengthInCell(const GridItem& cell, const TlvNode* node) {
    if (node->lengthSize == 1 || node->lengthSize == 2) {
        cell.SetValue(QString::fromLatin1(kLengthInOptions[node->lengthSize - 1]));
    }
}

// The growth of the node's encoding when its value becomes `length` bytes.
int32_t GrowthFor(const TlvNode* node, uint32_t length) {
    int32_t growth = static_cast<int32_t>(length) - node->valueLength;
    if (node->isPadding == 0 && node->lengthSize == 1 && length > 127) {
        ++growth;
    }
    return growth;
}

// "Length in": the one-byte form only below 128, and the two-byte form only while every
// template above can take the extra byte.
bool ApplyLengthForm(const EditContext& context, const GridItem& cell, TlvNode* node,
                     uint16_t valueLength) {
    const QString text = cell.Value();
    if (text == QLatin1String(kLengthInOptions[0])) {
        if (valueLength >= 128) {
            Refuse(context,
                   QStringLiteral("The Length of Value is over 127 bytes !\r\n\r\nOnly 2 bytes "
                                  "length representation is available."),
                   kLengthErrorCaption);
            cell.SetValue(QString::fromLatin1(kLengthInOptions[1]));
            return false;
        }
        node->lengthSize = 1;
        node->lengthBytes[0] = static_cast<uint8_t>(valueLength);
        return true;
    }
    if (text == QLatin1String(kLengthInOptions[1])) {
        if (node->lengthSize == 1) {
            if (const TlvNode* full = AncestorOverflowing(node, 1)) {
                Refuse(context, TemplateTooLongMessage(NameOf(full)), kLengthErrorCaption);
                RestoreLengthInCell(cell, node);
                return false;
            }
        }
        node->lengthSize = 2;
        node->lengthBytes[0] = 0x81;
        node->lengthBytes[1] = static_cast<uint8_t>(valueLength);
        return true;
    }
    RestoreLengthInCell(cell, node);
    return false;
}

// "Value": converted, checked against padding rules or the dictionary and the length limits,
// then stored with its length field. False when refused; the cell then shows the old value.
bool ApplyValue(const EditContext& context, const GridItem& cell, TlvNode* node) {
    const QString typed = cell.Value();
    QByteArray text = typed.toLatin1();
    text.resize(HexTextStripWhiteSpace(text.data(), static_cast<uint32_t>(text.size())));
    QByteArray bytes(text.size() / 2 + 1, '\0');
    uint32_t count = 0;
    HexTextToBytes(text.constData(), static_cast<uint32_t>(text.size()),
                   reinterpret_cast<uint8_t*>(bytes.data()), &count);
    bytes.resize(count);
    // Conversion ends at the first character that is no hex digit and drops an odd last digit:
    // taking the rest would store a value the user did not type.
    if (static_cast<qsizetype>(count) * 2 != text.size()) {
        QChar stray;
        for (const QChar c : typed) {
            const bool whiteSpace = c == u' ' || c == u'\r' || c == u'\n' || c == u'\t';
            if (!whiteSpace && !isxdigit(static_cast<unsigned char>(c.toLatin1()))) {
                stray = c;
                break;
            }
        }
        const QString name = node->isPadding != 0 ? QStringLiteral("padding") : NameOf(node);
        Refuse(context, NotHexMessage(name, stray), kValueErrorCaption);
        RestoreValueCell(cell, node);
        return false;
    }
    const uint8_t* value = reinterpret_cast<const uint8_t*>(bytes.constData());
    cell.SetValue(Hex(value, count));
    cell.SetTextColor(kNormalTextColor);

    if (node->isPadding != 0) {
        QString refusal;
        if (count > TLV_MAX_VALUE_LENGTH) {
            refusal = QStringLiteral(
                          "The length of Value for padding is greater than maximum "
                          "allowed %1 bytes !")
                          .arg(TLV_MAX_VALUE_LENGTH);
        } else {
            for (uint32_t i = 0; i < count && refusal.isEmpty(); ++i) {
                if (value[i] != 0x00 && value[i] != 0xFF) {
                    refusal = QStringLiteral("The Value for padding can be either '00' or 'FF' !");
                }
            }
        }
        if (!refusal.isEmpty()) {
            Refuse(context, refusal, kValueErrorCaption);
            RestoreValueCell(cell, node);
            return false;
        }
    } else {
        uint8_t index = 0;
        if (DictFindIndex(node->tag, node->tagLength, &index) == TLV_OK) {
            DataElementDef* entry = DictGetEntry(index);
            const TlvResult result =
                DictSetValue(entry, value, static_cast<uint16_t>(qMin<uint32_t>(count, 0xFFFF)), 0);
            if (result != TLV_OK) {
                const QString message = ValueRuleMessage(entry, result);
                if (!message.isEmpty()) {
                    Refuse(context, message, kValueErrorCaption);
                }
                RestoreValueCell(cell, node);
                return false;
            }
        }
        // Elements that the dictionary only fits, or does not know, are held to what a length
        // field can carry.
        if (count > TLV_MAX_VALUE_LENGTH) {
            Refuse(context, ValueTooLongMessage(NameOf(node)), kValueErrorCaption);
            RestoreValueCell(cell, node);
            return false;
        }
    }
    if (const TlvNode* full = AncestorOverflowing(node, GrowthFor(node, count))) {
        Refuse(context, TemplateTooLongMessage(NameOf(full)), kLengthErrorCaption);
        RestoreValueCell(cell, node);
        return false;
    }
    if (TlvSetValue(node, value, static_cast<uint16_t>(count)) != TLV_OK) {
        RestoreValueCell(cell, node);
        return false;
    }
    if (node->isPadding == 0) {
        WriteLengthField(node, count);
    }
    return true;
}

// Whether the node passes the checks a walk applies to it (its value against the dictionary
// only when `checkValue`), tested without a message.
bool NodePasses(const TlvNode* node, bool checkValue) {
    uint8_t value[TLV_ENCODE_BUFFER_SIZE];
    uint16_t length = 0;
    if (node == nullptr ||
        TlvGetTagLengthValue(node, nullptr, nullptr, nullptr, nullptr, value, &length) != TLV_OK ||
        length > TLV_MAX_VALUE_LENGTH) {
        return false;
    }
    if (node->isPadding != 0) {
        return true;
    }
    if (node->lengthSize != 1 && node->lengthSize != 2) {
        return false;
    }
    uint8_t index = 0;
    if (!checkValue || DictFindIndex(node->tag, node->tagLength, &index) != TLV_OK) {
        return true;
    }
    return DictSetValue(DictGetEntry(index), value, length, 0) == TLV_OK;
}

// A listed cell was coloured because its row or a row above it failed. Rows off the path of
// later edits are never re-checked by the walk, so a listed cell whose whole path now passes
// gets its normal colour back here.
void ReleasePassingEntries(const EditContext& context) {
    const QList<ErrorRowList::Entry> entries = context.errors->Entries();
    for (const ErrorRowList::Entry& entry : entries) {
        const int column = entry.cell.Column();
        bool passes = true;
        bool checkValue = column == ELEMENT_COLUMN_LENGTH_IN || column == ELEMENT_COLUMN_VALUE;
        for (GridRow* row = entry.row; row != nullptr && passes; row = row->ParentRow()) {
            passes = NodePasses(NodeOf(row), checkValue);
            checkValue = true;
        }
        if (passes) {
            context.errors->RemoveExact(entry.parent, entry.row, entry.cell);
        }
    }
}

// Re-checks the cell's row up to the root. A row that passes leaves the error list; one that
// fails is listed under its parent and coloured: the edited cell, or the whole row after a
// change of the tree's shape (column 0).
void RevalidateAndMark(const EditContext& context, const GridItem& cell, uint16_t column) {
    GridRow* row = cell.Row();
    GridRow* parent = row->ParentRow();
    bool valid = true;
    RevalidateRow(context, row, false, column, &valid);
    if (valid) {
        if (parent != nullptr) {
            context.errors->RemoveExact(parent, row, cell);
        }
        ReleasePassingEntries(context);
        return;
    }
    GridItem listed = cell;
    if (column == ELEMENT_COLUMN_NAME) {
        for (int i = 0; i < ELEMENT_COLUMN_COUNT; ++i) {
            row->Item(i).SetTextColor(kErrorTextColor);
        }
        listed = row->Item(ELEMENT_COLUMN_COUNT - 1);
    } else {
        cell.SetTextColor(kErrorTextColor);
    }
    if (parent != nullptr) {
        context.errors->Add(parent, row, listed);
    }
    ReleasePassingEntries(context);
}

}  // namespace

void RevalidateRow(const EditContext& context, GridRow* row, bool fromChild, uint16_t column,
                   bool* valid) {
    TlvNode* node = NodeOf(row);
    if (node == nullptr) {
        return;
    }
    uint8_t value[TLV_ENCODE_BUFFER_SIZE];
    uint16_t length = 0;
    if (TlvGetTagLengthValue(node, nullptr, nullptr, nullptr, nullptr, value, &length) != TLV_OK) {
        return;
    }
    bool rowValid = true;
    if (node->isPadding != 0) {
        if (length > TLV_MAX_VALUE_LENGTH) {
            rowValid = false;
        } else {
            node->valueLength = length;
        }
    } else {
        if (node->lengthSize != 1 && node->lengthSize != 2) {
            return;
        }
        // A length above 255 is never written: the row shows the fault instead.
        if (!WriteLengthField(node, length)) {
            rowValid = false;
        }
        if (rowValid && (column == 2 || column == 4 || fromChild)) {
            uint8_t index = 0;
            if (DictFindIndex(node->tag, node->tagLength, &index) == TLV_OK) {
                DataElementDef* entry = DictGetEntry(index);
                const TlvResult result = DictSetValue(entry, value, length, 0);
                if (result == DE_ERR_VALUE_LENGTH || result == DE_ERR_VALUE_FORMAT) {
                    rowValid = false;
                    const QString message = ValueRuleMessage(entry, result);
                    if (!message.isEmpty()) {
                        Refuse(context, message, kValueErrorCaption);
                    }
                } else if (result != TLV_OK) {
                    return;
                }
            }
        }
    }
    if (!rowValid && valid != nullptr) {
        *valid = false;
    }

    ElementRow texts;
    if (!BuildElementRow(node, &texts)) {
        return;
    }
    const QColor colour = rowValid ? kNormalTextColor : kErrorTextColor;
    for (int i = 0; i < ELEMENT_COLUMN_COUNT; ++i) {
        const GridItem cell = row->Item(i);
        if (i >= ELEMENT_COLUMN_LENGTH_IN && (node->isPadding == 0 || i >= ELEMENT_COLUMN_VALUE)) {
            cell.SetValue(QString::fromLatin1(texts.cells[i].c_str()));
        }
        cell.SetTextColor(colour);
    }
    if (rowValid) {
        context.errors->RemoveByParent(row);
    }
    if (GridRow* parent = row->ParentRow()) {
        RevalidateRow(context, parent, true, column, valid);
    }
}

void ApplyEdit(const EditContext& context, const GridItem& cell, uint16_t column) {
    if (context.markModified) {
        context.markModified();
    }
    TlvNode* node = NodeOf(cell.Row());
    if (cell.IsNull() || column > 6 || node == nullptr) {
        return;
    }
    if (column == ELEMENT_COLUMN_NAME) {
        RevalidateAndMark(context, cell, column);
        return;
    }
    if (column != ELEMENT_COLUMN_LENGTH_IN && column != ELEMENT_COLUMN_VALUE) {
        return;
    }
    uint8_t value[TLV_ENCODE_BUFFER_SIZE];
    uint16_t valueLength = 0;
    if (TlvGetTagValue(node, nullptr, nullptr, value, &valueLength) != TLV_OK) {
        return;
    }
    if (column == ELEMENT_COLUMN_LENGTH_IN && node->isPadding != 0) {
        // Padding has no length field: whatever was typed there goes.
        cell.SetValue(QString());
        return;
    }
    const bool applied = column == ELEMENT_COLUMN_LENGTH_IN
                             ? ApplyLengthForm(context, cell, node, valueLength)
                             : ApplyValue(context, cell, node);
    if (applied) {
        RevalidateAndMark(context, cell, column);
    }
}
