#include "platform/grid_ctrl.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTreeWidgetItemIterator>

#include "platform/column_widths.h"
#include "platform/command_focus.h"
#include "platform/cut_text_delegate.h"

namespace {

// Cell state kept in the item's data roles.
const int kEditableRole = Qt::UserRole + 1;
const int kOptionsRole = Qt::UserRole + 2;
const int kImageRole = Qt::UserRole + 3;

}  // namespace

// Opens a line editor or, for option cells, a drop-down; only editable cells of a grid that is
// not read-only get one. A commit that changes the text is reported by the grid.
class GridItemDelegate : public CutTextDelegate {
public:
    explicit GridItemDelegate(GridCtrl* grid) : CutTextDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const GridItem item = ItemAt(index);
        if (grid_->IsReadOnly() || item.IsNull() || !item.IsEditable()) {
            return nullptr;
        }
        editedIndex_ = index;
        const QStringList options = item.Options();
        if (!options.isEmpty()) {
            QComboBox* combo = new QComboBox(parent);
            combo->addItems(options);
            // A choice in the drop-down applies at once, not when the editor loses the focus.
            connect(combo, QOverload<int>::of(&QComboBox::activated), grid_,
                    &GridCtrl::CommitOpenEditor);
            return combo;
        }
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (QLineEdit* line = qobject_cast<QLineEdit*>(editor)) {
            QObject::connect(line, &QLineEdit::selectionChanged, grid_,
                             &GridCtrl::editorSelectionChanged);
        }
        return editor;
    }

    // The cell of the editor opened last; its editor may have closed since.
    QModelIndex EditedIndex() const { return editedIndex_; }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (QComboBox* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentText(index.data(Qt::DisplayRole).toString());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        QString text;
        if (QComboBox* combo = qobject_cast<QComboBox*>(editor)) {
            text = combo->currentText();
        } else if (QLineEdit* line = qobject_cast<QLineEdit*>(editor)) {
            text = line->text();
        } else {
            return;
        }
        grid_->CommitEdit(ItemAt(index), text);
    }

private:
    GridItem ItemAt(const QModelIndex& index) const {
        GridRow* row = static_cast<GridRow*>(grid_->itemFromIndex(index));
        return row != nullptr ? GridItem(row, index.column()) : GridItem();
    }

    GridCtrl* grid_;
    mutable QPersistentModelIndex editedIndex_;
};

QString GridItem::Value() const {
    return row_ ? row_->data(column_, Qt::EditRole).toString() : QString();
}

void GridItem::SetValue(const QString& text) const {
    if (row_) {
        row_->setText(column_, text);
    }
}

QColor GridItem::TextColor() const {
    return row_ ? row_->foreground(column_).color() : QColor();
}

void GridItem::SetTextColor(const QColor& color) const {
    if (row_) {
        row_->setForeground(column_, QBrush(color));
    }
}

void GridItem::SetImage(int index) const {
    if (!row_) {
        return;
    }
    row_->setData(column_, kImageRole, index);
    row_->setIcon(column_, row_->Grid()->ImageAt(index));
}

int GridItem::Image() const {
    return row_ && row_->data(column_, kImageRole).isValid()
               ? row_->data(column_, kImageRole).toInt()
               : -1;
}

bool GridItem::IsEditable() const {
    return row_ && row_->data(column_, kEditableRole).toBool();
}

void GridItem::SetEditable(bool editable) const {
    if (row_) {
        row_->setData(column_, kEditableRole, editable);
    }
}

void GridItem::SetOptions(const QStringList& options) const {
    if (row_) {
        row_->setData(column_, kOptionsRole, options);
    }
}

QStringList GridItem::Options() const {
    return row_ ? row_->data(column_, kOptionsRole).toStringList() : QStringList();
}

QVariant GridRow::data(int column, int role) const {
    if (role == Qt::DisplayRole) {
        const GridCtrl* grid = static_cast<const GridCtrl*>(treeWidget());
        if (grid != nullptr && grid->shownText_) {
            return grid->shownText_(this, column, QTreeWidgetItem::data(column, role).toString());
        }
    }
    return QTreeWidgetItem::data(column, role);
}

void GridRow::AllowSubItems(bool allow) {
    setChildIndicatorPolicy(allow ? QTreeWidgetItem::ShowIndicator
                                  : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

GridCtrl::GridCtrl(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(0);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    delegate_ = new GridItemDelegate(this);
    setItemDelegate(delegate_);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(false);
    // The columns fill the width; only minimums wider than the grid make it scroll.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    connect(this, &QTreeWidget::itemSelectionChanged, this,
            [this] { OnSelChanged(!selectedItems().isEmpty()); });
    connect(header(), &QHeaderView::sectionResized, this, &GridCtrl::OnSectionResized);
}

void GridCtrl::SetColumnWeights(const QList<int>& weights) {
    if (weights.size() != weights_.size()) {
        return;
    }
    for (int weight : weights) {
        if (weight <= 0) {
            return;
        }
    }
    weights_ = weights;
    widthsFromUser_ = true;
    AdjustLayout();
}

void GridCtrl::InsertColumn(int position, const QString& title, int weight) {
    const int count = columnCount();
    position = qBound(0, position, count);
    weights_.insert(position, qMax(1, weight));
    alignments_.insert(position, Qt::AlignLeft);
    QStringList titles;
    for (int i = 0; i < count; ++i) {
        titles << headerItem()->text(i);
    }
    titles.insert(position, title);
    setColumnCount(count + 1);
    setHeaderLabels(titles);
    SetColumnAlign(position, Qt::AlignLeft);
}

void GridCtrl::SetColumnAlign(int column, Qt::Alignment alignment) {
    if (column < 0 || column >= alignments_.size()) {
        return;
    }
    alignments_[column] = alignment;
    headerItem()->setTextAlignment(column, alignment | Qt::AlignVCenter);
}

void GridCtrl::SetShownText(const ShownTextFunction& shown) {
    shownText_ = shown;
    viewport()->update();
    emit shownTextChanged();
}

QString GridCtrl::ShownText(const GridItem& item) const {
    return item.IsNull() ? QString() : item.Row()->data(item.Column(), Qt::DisplayRole).toString();
}

QString GridCtrl::ColumnTitle(int column) const {
    return headerItem()->text(column);
}

Qt::Alignment GridCtrl::ColumnAlign(int column) const {
    return alignments_.value(column, Qt::AlignLeft);
}

GridRow* GridCtrl::CreateRow() const {
    GridRow* row = new GridRow(this);
    row->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
    for (int column = 0; column < columnCount(); ++column) {
        row->setTextAlignment(column, alignments_.value(column) | Qt::AlignVCenter);
    }
    return row;
}

GridRow* GridCtrl::CopyRow(const GridRow& model) const {
    GridRow* row = new GridRow(model);
    row->data_ = nullptr;
    return row;
}

GridRow* GridCtrl::GetRow(int index) const {
    int at = 0;
    for (QTreeWidgetItemIterator it(const_cast<GridCtrl*>(this)); *it; ++it, ++at) {
        if (at == index) {
            return static_cast<GridRow*>(*it);
        }
    }
    return nullptr;
}

int GridCtrl::RowNumber(const GridRow* row) const {
    int at = 0;
    for (QTreeWidgetItemIterator it(const_cast<GridCtrl*>(this)); *it; ++it, ++at) {
        if (*it == row) {
            return at;
        }
    }
    return -1;
}

GridRow* GridCtrl::GetCurSel(int* rowNumber, int* columnNumber) const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    GridRow* row = selected.isEmpty() ? nullptr : static_cast<GridRow*>(selected.first());
    if (rowNumber != nullptr) {
        *rowNumber = row != nullptr ? RowNumber(row) : -1;
    }
    if (columnNumber != nullptr) {
        *columnNumber = row != nullptr ? currentColumn() : -1;
    }
    return row;
}

GridItem GridCtrl::GetCurSelItem() const {
    int column = -1;
    GridRow* row = GetCurSel(nullptr, &column);
    return row != nullptr && column >= 0 ? GridItem(row, column) : GridItem();
}

void GridCtrl::SelectItem(const GridItem& item) {
    if (item.IsNull()) {
        clearSelection();
        return;
    }
    setCurrentItem(item.Row(), item.Column(), QItemSelectionModel::ClearAndSelect);
}

GridRow* GridCtrl::FindRowByData(const void* data) const {
    for (QTreeWidgetItemIterator it(const_cast<GridCtrl*>(this)); *it; ++it) {
        if (static_cast<GridRow*>(*it)->Data() == data) {
            return static_cast<GridRow*>(*it);
        }
    }
    return nullptr;
}

void GridCtrl::RemoveAll() {
    ++generation_;
    clear();
}

void GridCtrl::AdjustLayout() {
    const int width = viewport()->width();
    if (weights_.isEmpty() || width <= 0) {
        return;
    }
    ApplyColumnWidths(ShareColumnWidths(width, std::vector<int>(weights_.cbegin(), weights_.cend()),
                                        SharingMinimums()));
}

std::vector<int> GridCtrl::SharingMinimums() const {
    // A column the user made narrower than its minimum keeps that width as its minimum, also
    // in a later session: the weights kept then are the widths the user left.
    std::vector<int> minimums;
    for (int column = 0; column < weights_.size(); ++column) {
        const int minimum = ColumnMinimumWidth(column);
        minimums.push_back(widthsFromUser_ ? qMin(minimum, weights_[column]) : minimum);
    }
    return minimums;
}

void GridCtrl::ApplyColumnWidths(const std::vector<int>& widths) {
    settingWidths_ = true;
    for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
        setColumnWidth(column, widths[static_cast<size_t>(column)]);
    }
    settingWidths_ = false;
    // Wrapped rows take their height from the column widths.
    if (wordWrap()) {
        scheduleDelayedItemsLayout();
    }
}

void GridCtrl::OnSectionResized(int column, int, int newWidth) {
    const int width = viewport()->width();
    if (settingWidths_ || column < 0 || column >= weights_.size() || width <= 0) {
        return;
    }
    // The dragged column keeps its new width, even below its minimum; the others share the
    // rest, and the widths become the weights that later resizes keep.
    std::vector<int> fixed(static_cast<size_t>(weights_.size()), -1);
    fixed[static_cast<size_t>(column)] = newWidth;
    const std::vector<int> widths = ShareColumnWidths(
        width, std::vector<int>(weights_.cbegin(), weights_.cend()), SharingMinimums(), fixed);
    ApplyColumnWidths(widths);
    for (int at = 0; at < weights_.size(); ++at) {
        weights_[at] = qMax(1, widths[static_cast<size_t>(at)]);
    }
    widthsFromUser_ = true;
    emit columnWeightsChangedByUser();
}

bool GridCtrl::IsTextCut(const GridItem& item) const {
    if (item.IsNull()) {
        return false;
    }
    const QModelIndex index = indexFromItem(item.Row(), item.Column());
    const CutTextDelegate* delegate = qobject_cast<const CutTextDelegate*>(itemDelegate());
    return delegate != nullptr && delegate->IsTextCut(this, index);
}

int GridCtrl::ColumnMinimumWidth(int) const {
    return 0;
}

QWidget* GridCtrl::ActiveTextEditor() const {
    QWidget* focus = CommandFocusWidget();
    if (state() != QAbstractItemView::EditingState || qobject_cast<QLineEdit*>(focus) == nullptr ||
        !isAncestorOf(focus)) {
        return nullptr;
    }
    return focus;
}

void GridCtrl::CommitOpenEditor() {
    QWidget* editor = indexWidget(delegate_->EditedIndex());
    if (state() != QAbstractItemView::EditingState || editor == nullptr) {
        return;
    }
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridCtrl::OnSelChanged(bool selected) {
    emit gridSelectionChanged(selected);
}

void GridCtrl::OnItemChanged(const GridItem& item, int rowNumber, int columnNumber) {
    emit gridItemChanged(item, rowNumber, columnNumber);
}

QModelIndex GridCtrl::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = currentIndex();
    if ((action != MoveLeft && action != MoveRight) || !current.isValid()) {
        return QTreeWidget::moveCursor(action, modifiers);
    }
    const bool left = (action == MoveLeft) != isRightToLeft();
    const int from = header()->visualIndex(current.column());
    QTreeWidgetItem* row = itemFromIndex(current);
    if (from == 0 && row->childCount() > 0 && row->isExpanded() == left) {
        row->setExpanded(!left);
        return current;
    }
    if (from == 0 && left) {
        return row->parent() != nullptr ? indexFromItem(row->parent(), current.column()) : current;
    }
    const int step = left ? -1 : 1;
    for (int visual = from + step; visual >= 0 && visual < columnCount(); visual += step) {
        const int column = header()->logicalIndex(visual);
        if (!isColumnHidden(column)) {
            return current.sibling(current.row(), column);
        }
    }
    return current;
}

void GridCtrl::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    AdjustLayout();
}

void GridCtrl::CommitEdit(const GridItem& item, const QString& text) {
    if (item.IsNull() || item.Value() == text) {
        return;
    }
    item.Row()->setText(item.Column(), text);
    OnItemChanged(item, RowNumber(item.Row()), item.Column());
}
