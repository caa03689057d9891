// COrdaView: undo and redo of its steps.
#include <QHash>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTreeWidgetItemIterator>
#include <QUndoStack>

#include "dictionary/dictionary.h"
#include "dictionary/element_row.h"
#include "editor/element_grid_ctrl.h"
#include "editor/orda_view.h"
#include "editor/tree_image.h"
#include "editor/undo_steps.h"
#include "editor/view_interfaces.h"
#include "platform/command_focus.h"

namespace {

// The element as its row names it.
QString NodeName(const TlvNode* node) {
    if (node == nullptr) {
        return QString();
    }
    return node->isPadding != 0 ? QStringLiteral("padding")
                                : QString::fromLatin1(DictGetNameByTag(node->tag, node->tagLength));
}

QString Quoted(const QString& name) {
    return QStringLiteral("\"%1\"").arg(name);
}

// Every row of the grid in order, sub-rows of collapsed rows included.
QList<GridRow*> AllRows(GridCtrl* grid) {
    QList<GridRow*> rows;
    for (QTreeWidgetItemIterator it(grid); *it; ++it) {
        rows << static_cast<GridRow*>(*it);
    }
    return rows;
}

}  // namespace

void COrdaView::CreateUndoStack() {
    undoStack_ = new QUndoStack(this);
    // Undoing back to the saved state leaves the document unmodified, and away from it modified.
    connect(undoStack_, &QUndoStack::cleanChanged, this, &COrdaView::UpdateSavedState);
    connect(undoStack_, &QUndoStack::indexChanged, this, &COrdaView::editCommandsChanged);
    connect(pane_, &QPlainTextEdit::undoAvailable, this, &COrdaView::editCommandsChanged);
    connect(pane_, &QPlainTextEdit::redoAvailable, this, &COrdaView::editCommandsChanged);
}

void COrdaView::MarkSaved() {
    paneTyped_ = false;
    paneTypedSticky_ = false;
    SetPaneBaseline();
    undoStack_->setClean();
}

bool COrdaView::IsSaved() const {
    return undoStack_->isClean() && !paneTyped_;
}

void COrdaView::UpdateSavedState() {
    if (document_ != nullptr) {
        document_->ViewSavedStateChanged(IsSaved());
        document_->SetTitle(document_->Title());
    }
}

void COrdaView::PaneTextEdited() {
    ClearParseProblem();
    // Back at the baseline with neither undo nor redo left, the text was replaced outright
    // (setPlainText) rather than typed and taken back.
    const QTextDocument* text = pane_->document();
    paneTyped_ = paneTypedSticky_ || text->isModified() ||
                 (!text->isUndoAvailable() && !text->isRedoAvailable());
    UpdateSavedState();
}

void COrdaView::SetPaneBaseline() {
    // Typing the pane can no longer undo stays unsaved.
    if (paneTyped_) {
        paneTypedSticky_ = true;
    }
    const bool setting = settingPaneText_;
    settingPaneText_ = true;
    pane_->document()->setModified(false);
    settingPaneText_ = setting;
}

void COrdaView::OnEditUndo() {
    if (CommandFocusWidget() == pane_) {
        pane_->undo();
        return;
    }
    CommitEdits();
    undoStack_->undo();
}

void COrdaView::OnEditRedo() {
    if (CommandFocusWidget() == pane_) {
        pane_->redo();
        return;
    }
    CommitEdits();
    undoStack_->redo();
}

bool COrdaView::CanUndo() const {
    if (CommandFocusWidget() == pane_) {
        return pane_->document()->isUndoAvailable();
    }
    // An open in-place edit becomes a step before the undo.
    return undoStack_->canUndo() || grid_->ActiveTextEditor() != nullptr;
}

bool COrdaView::CanRedo() const {
    if (CommandFocusWidget() == pane_) {
        return pane_->document()->isRedoAvailable();
    }
    return undoStack_->canRedo();
}

// While a cell is being edited the command first applies the edit, so which step it reaches is
// not known yet.
QString COrdaView::UndoText() const {
    return CommandFocusWidget() == pane_ || grid_->ActiveTextEditor() != nullptr
               ? QString()
               : undoStack_->undoText();
}

QString COrdaView::RedoText() const {
    return CommandFocusWidget() == pane_ || grid_->ActiveTextEditor() != nullptr
               ? QString()
               : undoStack_->redoText();
}

QString COrdaView::DataElementStepName(int commandId) const {
    if (commandId == ID_DE_DELETE) {
        return QStringLiteral("Delete ") + Quoted(NodeName(SelectedElement(nullptr)));
    }
    const struct {
        int first;
        int padding;
        MenuKind kind;
        const char* verb;
    } kinds[] = {{ID_DE_INSERT_BELOW_FIRST, ID_DE_INSERT_PADDING_BELOW, MENU_KIND_INSERT_BELOW,
                  "Insert Below"},
                 {ID_DE_INSERT_ABOVE_FIRST, ID_DE_INSERT_PADDING_ABOVE, MENU_KIND_INSERT_ABOVE,
                  "Insert Above"},
                 {ID_DE_ADD_FIRST, ID_DE_ADD_PADDING, MENU_KIND_ADD, "Add"},
                 {ID_DE_CREATE_FIRST, 0, MENU_KIND_CREATE, "Create"}};
    for (const auto& kind : kinds) {
        QString name;
        if (commandId == kind.padding) {
            name = QStringLiteral("padding");
        } else if (commandId >= kind.first && commandId < kind.first + MENU_SLOT_CAPACITY) {
            const MenuSlot* slot =
                FindMenuSlot(&slotTables_[kind.kind], static_cast<uint32_t>(commandId));
            if (slot != nullptr) {
                name = QString::fromLatin1(DictGetNameByTag(slot->tag, slot->tagLength));
            }
        } else {
            continue;
        }
        return QString::fromLatin1(kind.verb) + QLatin1Char(' ') + Quoted(name);
    }
    return QString();
}

QString COrdaView::EditStepName(const GridItem& cell, int column) {
    const TlvNode* node =
        cell.Row() != nullptr ? static_cast<const TlvNode*>(cell.Row()->Data()) : nullptr;
    const QString what = column >= 0 && column < ELEMENT_COLUMN_COUNT
                             ? QString::fromLatin1(kElementColumnTitles[column])
                             : QString();
    return QStringLiteral("%1 of %2").arg(what, Quoted(NodeName(node)));
}

void COrdaView::CaptureState(ViewState* state) const {
    state->tree = TreeImage(root_);
    state->unreadTree = unreadTree_;
    QHash<const GridRow*, int> numbers;
    int number = 0;
    for (GridRow* row : AllRows(grid_)) {
        numbers.insert(row, number);
        for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
            if (row->Item(column).TextColor() == kErrorTextColor) {
                state->errorCells.append(ViewState::Cell{number, column});
            }
        }
        ++number;
    }
    for (const ErrorRowList::Entry& entry : errors_.Entries()) {
        state->errorEntries.append(ViewState::ErrorEntry{
            numbers.value(entry.parent, -1), {numbers.value(entry.row, -1), entry.cell.Column()}});
    }
    int column = -1;
    const GridRow* selected = grid_->GetCurSel(nullptr, &column);
    state->selected = {selected != nullptr ? numbers.value(selected, -1) : -1, column};
}

void COrdaView::RestoreState(const ViewState& state) {
    ++recording_;
    // The rows are built anew only when the tree differs: an unchanged grid keeps its
    // expansion and scroll position.
    if (state.tree != TreeImage(root_)) {
        bool ok = false;
        TlvNode* root = TreeFromImage(state.tree, &ok);
        if (!ok) {
            // Out of memory: the view stays as it is, rows and colours together.
            --recording_;
            return;
        }
        uint8_t kind = 0;
        const bool constructed =
            root != nullptr && TlvGetKind(root, &kind) == TLV_OK && kind == TLV_KIND_CONSTRUCTED;
        ReplaceRoot(root, constructed ? 1 : 0);
    }
    unreadTree_ = state.unreadTree;
    const QList<GridRow*> rows = AllRows(grid_);
    const auto cellAt = [&rows](const ViewState::Cell& cell) {
        return cell.row >= 0 && cell.row < rows.size() && cell.column >= 0 &&
                       cell.column < ELEMENT_COLUMN_COUNT
                   ? rows[cell.row]->Item(cell.column)
                   : GridItem();
    };
    errors_.Clear();
    for (GridRow* row : rows) {
        for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
            const GridItem cell = row->Item(column);
            if (cell.TextColor() == kErrorTextColor) {
                cell.SetTextColor(kNormalTextColor);
            }
        }
    }
    for (const ViewState::Cell& cell : state.errorCells) {
        cellAt(cell).SetTextColor(kErrorTextColor);
    }
    for (const ViewState::ErrorEntry& entry : state.errorEntries) {
        const GridItem cell = cellAt(entry.cell);
        if (!cell.IsNull()) {
            errors_.Add(cellAt({entry.parentRow, 0}).Row(), cell.Row(), cell);
        }
    }
    const GridItem selected = cellAt(state.selected);
    if (!(selected == grid_->GetCurSelItem())) {
        for (GridRow* parent = selected.Row() != nullptr ? selected.Row()->ParentRow() : nullptr;
             parent != nullptr; parent = parent->ParentRow()) {
            parent->setExpanded(true);
        }
        grid_->SelectItem(selected);
    }
    RefreshAnalysis();
    --recording_;
}
