#include "editor/grid_copy.h"

#include <QClipboard>
#include <QGuiApplication>

#include "dictionary/element_output.h"
#include "editor/card_number_cells.h"
#include "editor/editor_ids.h"
#include "platform/grid_ctrl.h"

namespace {

// The selected row when it shows an element.
GridRow* SelectedElementRow(const GridCtrl* grid, int* column) {
    GridRow* row = grid->GetCurSel(nullptr, column);
    return row != nullptr && row->Data() != nullptr ? row : nullptr;
}

QString SelectedRowCell(const GridCtrl* grid, int column) {
    GridRow* row = SelectedElementRow(grid, nullptr);
    return row != nullptr ? grid->ShownText(row->Item(column)) : QString();
}

const TlvNode* RootOf(const GridCtrl* grid) {
    GridRow* first = grid->GetRow(0);
    return first != nullptr ? static_cast<const TlvNode*>(first->Data()) : nullptr;
}

}  // namespace

QString CellCopyText(const GridCtrl* grid) {
    int column = -1;
    GridRow* row = SelectedElementRow(grid, &column);
    return row != nullptr && column >= 0 ? grid->ShownText(row->Item(column)) : QString();
}

QString ElementCopyText(const GridCtrl* grid) {
    return SelectedRowCell(grid, ELEMENT_COLUMN_TLV);
}

QString ValueCopyText(const GridCtrl* grid) {
    return SelectedRowCell(grid, ELEMENT_COLUMN_VALUE);
}

QString TreeCopyText(const GridCtrl* grid) {
    std::string text;
    ElementOutput(BER_RULES_STRICT, 0, CardNumbersMasked(grid)).AppendText(RootOf(grid), &text);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString TreeCopyJson(const GridCtrl* grid) {
    const TlvNode* root = RootOf(grid);
    if (root == nullptr) {
        return QString();
    }
    std::string text;
    AppendJson(ElementOutput(BER_RULES_STRICT, 0, CardNumbersMasked(grid)).ToJson(root), true,
               &text);
    text += '\n';
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool CanCopyCell(const GridCtrl* grid) {
    int column = -1;
    return SelectedElementRow(grid, &column) != nullptr && column >= 0;
}

void CopyCell(const GridCtrl* grid) {
    if (CanCopyCell(grid)) {
        QGuiApplication::clipboard()->setText(CellCopyText(grid));
    }
}

GridCopyMenu::GridCopyMenu(GridCtrl* grid, QWidget* parent) : QMenu(parent), grid_(grid) {
    AddItem(QStringLiteral("&Copy\tCtrl+C"), ID_EDIT_COPY,
            QStringLiteral("Copy the selected cell and put it on the Clipboard"), CellCopyText);
    AddItem(QStringLiteral("Copy &Element"), ID_COPY_ELEMENT,
            QStringLiteral("Copy the whole element as hexadecimal text"), ElementCopyText);
    AddItem(QStringLiteral("Copy &Value"), ID_COPY_VALUE,
            QStringLiteral("Copy the value of the element as hexadecimal text"), ValueCopyText);
    addSeparator();
    AddItem(QStringLiteral("Copy Tree as &Text"), ID_COPY_TREE_TEXT,
            QStringLiteral("Copy every row of the tree as bertlv parse writes them"), TreeCopyText);
    AddItem(QStringLiteral("Copy Tree as &JSON"), ID_COPY_TREE_JSON,
            QStringLiteral("Copy the tree as JSON, as bertlv parse --json writes it"),
            TreeCopyJson);
}

QAction* GridCopyMenu::AddItem(const QString& text, int commandId, const QString& prompt,
                               QString (*copied)(const GridCtrl*)) {
    QAction* item = addAction(text);
    item->setData(commandId);
    item->setStatusTip(prompt);
    // Empty values copy as empty texts, as the grid shows them.
    connect(item, &QAction::triggered, this, [this, copied] {
        if (CanCopyCell(grid_)) {
            QGuiApplication::clipboard()->setText(copied(grid_));
        }
    });
    return item;
}

bool GridCopyMenu::Prepare() {
    const bool cell = CanCopyCell(grid_);
    for (QAction* item : actions()) {
        item->setEnabled(cell);
    }
    return cell;
}

QAction* GridCopyMenu::Item(int commandId) const {
    for (QAction* item : actions()) {
        if (!item->isSeparator() && item->data().toInt() == commandId) {
            return item;
        }
    }
    return nullptr;
}
