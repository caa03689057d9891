#include "editor/element_grid_ctrl.h"

#include <QEvent>
#include <QHeaderView>
#include <QMetaObject>
#include <QStyle>

#include "dictionary/dictionary.h"
#include "dictionary/element_row.h"

namespace {

// Room between a text and its neighbours beyond the style's own margins.
const int kSlack = 6;

}  // namespace

CElementGridCtrl::CElementGridCtrl(QWidget* parent) : GridCtrl(parent) {}

void CElementGridCtrl::OnSelChanged(bool selected) {
    if (parentWidget() != nullptr) {
        emit selChanged(0, selected ? 1 : 0);
    }
}

void CElementGridCtrl::OnItemChanged(const GridItem& item, int rowNumber, int columnNumber) {
    if (parentWidget() == nullptr) {
        return;
    }
    const qintptr lParam =
        static_cast<qintptr>(((rowNumber & 0xFFFF) << 16) | (columnNumber & 0xFFFF));
    posted_.append({item, lParam, Generation()});
    QMetaObject::invokeMethod(
        this, [this] { DeliverPostedEdits(); }, Qt::QueuedConnection);
}

void CElementGridCtrl::DeliverPostedEdits() {
    while (!posted_.isEmpty()) {
        const PostedEdit edit = posted_.takeFirst();
        // An edit is dropped when the rows were rebuilt in the meantime: its cell is gone.
        if (edit.generation == Generation()) {
            emit itemChangedPosted(edit.cell, edit.lParam);
        }
    }
}

void CElementGridCtrl::MeasureMinimumWidths() const {
    const QFontMetrics metrics(font());
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    int hexDigit = 0;
    for (const QChar digit : QStringLiteral("0123456789ABCDEF")) {
        hexDigit = qMax(hexDigit, metrics.horizontalAdvance(digit));
    }
    int namePrefix = metrics.horizontalAdvance(QStringLiteral("Not Defined"));
    for (int index = 0; index < DICT_ENTRY_COUNT; ++index) {
        const DataElementDef* entry = DictGetEntry(index);
        if (entry != nullptr && entry->name != nullptr) {
            namePrefix =
                qMax(namePrefix, metrics.horizontalAdvance(
                                     QString::fromLatin1(entry->name).left(kNameCharactersShown)));
        }
    }
    minimumWidths_.clear();
    for (int column = 0; column < GetColumnCount(); ++column) {
        int content = 0;
        switch (column) {
            case ELEMENT_COLUMN_NAME: {
                const int icon = iconSize().isValid()
                                     ? iconSize().width()
                                     : style()->pixelMetric(QStyle::PM_SmallIconSize);
                content = indentation() * (kNameDepthShown + (rootIsDecorated() ? 1 : 0)) + icon +
                          margins + namePrefix;
                break;
            }
            case ELEMENT_COLUMN_TAG:
            case ELEMENT_COLUMN_LENGTH:
                // Two bytes: a two-byte tag, or 81 and the length.
                content = 4 * hexDigit;
                break;
            case ELEMENT_COLUMN_LENGTH_IN:
                content = qMax(metrics.horizontalAdvance(QString::fromLatin1(kLengthInOptions[0])),
                               metrics.horizontalAdvance(QString::fromLatin1(kLengthInOptions[1])));
                break;
            case ELEMENT_COLUMN_VALUE_LENGTH:
                content = metrics.horizontalAdvance(QStringLiteral("255 bytes"));
                break;
            case ELEMENT_COLUMN_VALUE:
            case ELEMENT_COLUMN_TLV:
                // The bytes are what is read here: in a narrow window the grid scrolls
                // sideways before these show less than a few bytes.
                content = 2 * kBytesShown * hexDigit;
                break;
            default:
                break;
        }
        minimumWidths_.append(qMax(header()->sectionSizeHint(column), content + margins + kSlack));
    }
}

int CElementGridCtrl::ColumnMinimumWidth(int column) const {
    if (minimumWidths_.size() != GetColumnCount()) {
        MeasureMinimumWidths();
    }
    return minimumWidths_.value(column);
}

void CElementGridCtrl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        minimumWidths_.clear();
    }
    GridCtrl::changeEvent(event);
}
