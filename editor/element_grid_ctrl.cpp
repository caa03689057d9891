#include "editor/element_grid_ctrl.h"

#include <QMetaObject>

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
