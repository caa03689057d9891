// COrdaView: changing the shape of the tree through the data element menu.
#include <QFontDatabase>
#include <QMenu>
#include <QMetaObject>

#include "core/hex_text.h"
#include "dictionary/dictionary.h"
#include "dictionary/element_row.h"
#include "editor/element_grid_ctrl.h"
#include "editor/orda_view.h"
#include "editor/undo_steps.h"
#include "platform/prompts.h"
#include "validation/apply_edit.h"
#include "validation/length_field.h"
#include "validation/value_messages.h"

namespace {

const uint8_t kAefTemplateTag[1] = {0x70};
const uint32_t kSlotBases[MENU_KIND_COUNT] = {ID_DE_CREATE_FIRST, ID_DE_ADD_FIRST,
                                              ID_DE_INSERT_ABOVE_FIRST, ID_DE_INSERT_BELOW_FIRST};

// "%-7s%s": the tag in a field of seven characters, then the element's name.
QString SlotLabel(const MenuSlot& slot) {
    char hex[5];
    BytesToHexText(slot.tag, slot.tagLength, hex);
    return QString::asprintf("%-7s%s", hex, DictGetNameByTag(slot.tag, slot.tagLength));
}

bool IsConstructedTag(const uint8_t* tag) {
    return (tag[0] & 0x20) != 0;
}

bool EntryFitsIn(const DataElementDef* entry, const uint8_t* tag, uint8_t tagLength) {
    if ((entry->source & SOURCE_ICC) == 0) {
        return false;
    }
    for (int i = 0; i < entry->templateCount && i < 3; ++i) {
        const TemplateRef& ref = entry->templates[i];
        if (ref.tagLength == tagLength && memcmp(ref.tag, tag, tagLength) == 0) {
            return true;
        }
    }
    return false;
}

QString NameOf(const TlvNode* node) {
    return QString::fromLatin1(DictGetNameByTag(node->tag, node->tagLength));
}

}  // namespace

QAction* COrdaView::AddMenuItem(QMenu* menu, const QString& text, int commandId) {
    QAction* action = menu->addAction(text);
    action->setData(commandId);
    // The command runs once the menu has closed: it rebuilds the menu it was chosen from.
    connect(action, &QAction::triggered, this, [this, commandId] {
        QMetaObject::invokeMethod(
            this, [this, commandId] { OnDataElementCommand(commandId); }, Qt::QueuedConnection);
    });
    return action;
}

void COrdaView::BuildContextMenu(const TlvNode* element, int selected) {
    // Rebuilding the rows asks for the same empty menu once per row, and an empty grid for the
    // same Create menu again and again: neither needs the menu built anew.
    const MenuContent wanted =
        element != nullptr
            ? (selected != 0 ? MenuContent::kElement : MenuContent::kEmpty)
            : (grid_->GetRow(0) != nullptr ? MenuContent::kEmpty : MenuContent::kCreate);
    if (wanted == menuContent_ && wanted != MenuContent::kElement) {
        return;
    }
    menuContent_ = wanted;
    menuElement_ = wanted == MenuContent::kElement ? element : nullptr;
    for (QMenu* popup :
         dataElementMenu_->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        popup->deleteLater();
    }
    dataElementMenu_->clear();
    for (int kind = 0; kind < MENU_KIND_COUNT; ++kind) {
        slotTables_[kind].base = kSlotBases[kind];
        slotTables_[kind].count = 0;
    }
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const auto makePopup = [this, &fixed](const char* title) {
        QMenu* popup = new QMenu(QString::fromLatin1(title), dataElementMenu_);
        popup->setFont(fixed);
        return popup;
    };
    // Appends slot items for every ICC entry that may stand in `tag`, to Constructed or
    // Primitive by the entry's own tag.
    const auto addEntries = [this](MenuKind kind, const uint8_t* tag, uint8_t tagLength,
                                   QMenu* constructed, QMenu* primitive) {
        for (int index = 0; index < DICT_ENTRY_COUNT; ++index) {
            const DataElementDef* entry = DictGetEntry(index);
            const bool fits = tag == nullptr ? (entry->source & SOURCE_ICC) != 0
                                             : EntryFitsIn(entry, tag, tagLength);
            if (!fits || entry->tagLength == 0) {
                continue;
            }
            const MenuSlot* slot = AddMenuSlot(&slotTables_[kind], entry->tag, entry->tagLength);
            if (slot != nullptr) {
                AddMenuItem(IsConstructedTag(entry->tag) ? constructed : primitive,
                            SlotLabel(*slot), static_cast<int>(slot->commandId));
            }
        }
    };
    // Constructed and Primitive into `menu` where they have items, then the padding item.
    const auto fill = [this](QMenu* menu, QMenu* constructed, QMenu* primitive, int paddingId) {
        for (QMenu* popup : {constructed, primitive}) {
            if (popup->isEmpty()) {
                popup->deleteLater();
            } else {
                menu->addMenu(popup);
                menu->addSeparator();
            }
        }
        AddMenuItem(menu, QStringLiteral("Padding"), paddingId);
    };

    if (element == nullptr) {
        if (grid_->GetRow(0) != nullptr) {
            return;
        }
        QMenu* create = makePopup("Create");
        QMenu* constructed = makePopup("Constructed");
        QMenu* primitive = makePopup("Primitive");
        const MenuSlot* aef = AddMenuSlot(&slotTables_[MENU_KIND_CREATE], kAefTemplateTag, 1);
        AddMenuItem(constructed, SlotLabel(*aef), static_cast<int>(aef->commandId));
        constructed->addSeparator();
        addEntries(MENU_KIND_CREATE, nullptr, 0, constructed, primitive);
        create->addMenu(constructed);
        create->addSeparator();
        if (primitive->isEmpty()) {
            primitive->deleteLater();
        } else {
            create->addMenu(primitive);
        }
        dataElementMenu_->addMenu(create);
        return;
    }
    uint8_t kind = 0;
    if (selected == 0 || TlvGetKind(element, &kind) != TLV_OK) {
        return;
    }
    if (kind == TLV_KIND_CONSTRUCTED) {
        QMenu* add = makePopup("Add");
        QMenu* constructed = makePopup("Constructed");
        QMenu* primitive = makePopup("Primitive");
        addEntries(MENU_KIND_ADD, element->tag, element->tagLength, constructed, primitive);
        fill(add, constructed, primitive, ID_DE_ADD_PADDING);
        dataElementMenu_->addMenu(add);
        dataElementMenu_->addSeparator();
    }
    const TlvNode* parent = element->parent;
    if (parent != nullptr) {
        const struct {
            const char* title;
            MenuKind kind;
            int paddingId;
        } inserts[] = {{"Insert Above", MENU_KIND_INSERT_ABOVE, ID_DE_INSERT_PADDING_ABOVE},
                       {"Insert Below", MENU_KIND_INSERT_BELOW, ID_DE_INSERT_PADDING_BELOW}};
        for (const auto& insert : inserts) {
            QMenu* menu = makePopup(insert.title);
            QMenu* constructed = makePopup("Constructed");
            QMenu* primitive = makePopup("Primitive");
            addEntries(insert.kind, parent->tag, parent->tagLength, constructed, primitive);
            fill(menu, constructed, primitive, insert.paddingId);
            dataElementMenu_->addMenu(menu);
        }
        dataElementMenu_->addSeparator();
    }
    QAction* remove = AddMenuItem(dataElementMenu_, QStringLiteral("Delete"), ID_DE_DELETE);
    remove->setStatusTip(QString::fromLatin1(kDeletePrompt));
    remove->setToolTip(QString::fromLatin1(kDeleteTip));
    UpdateDataElementCommands();
}

void COrdaView::UpdateDataElementCommands() {
    for (QAction* action : dataElementMenu_->actions()) {
        if (action->data().toInt() == ID_DE_DELETE) {
            action->setEnabled(OnUpdateDeleteElement());
        } else if (action->menu() != nullptr && menuContent_ == MenuContent::kElement) {
            action->setEnabled(OnUpdateElementCommands());
        }
    }
}

void COrdaView::OnDataElementCommand(int commandId) {
    CommitEdits();
    const UndoScope step(this, DataElementStepName(commandId));
    if (commandId >= ID_DE_ADD_PADDING && commandId <= ID_DE_INSERT_PADDING_BELOW) {
        OnInsertPadding(commandId);
    } else if (commandId == ID_DE_DELETE) {
        OnDeleteElement();
    } else if (commandId >= ID_DE_INSERT_BELOW_FIRST) {
        OnInsertBelow(commandId);
    } else if (commandId >= ID_DE_INSERT_ABOVE_FIRST) {
        OnInsertAbove(commandId);
    } else if (commandId >= ID_DE_ADD_FIRST) {
        OnAddChild(commandId);
    } else if (commandId >= ID_DE_CREATE_FIRST) {
        OnCreateRoot(commandId);
    }
    RefreshAnalysis();
}

void COrdaView::OnCreateRoot(int commandId) {
    // Create comes from a menu shown for an empty grid; rows that came since are kept.
    if (grid_->GetRow(0) != nullptr) {
        return;
    }
    TlvFree(root_);
    root_ = nullptr;
    uint32_t isConstructed = 0;
    const MenuSlot* slot =
        FindMenuSlot(&slotTables_[MENU_KIND_CREATE], static_cast<uint32_t>(commandId));
    if (slot != nullptr) {
        root_ = TlvNewElement(slot->tag, slot->tagLength, nullptr);
        if (root_ != nullptr) {
            unreadTree_.clear();
            isConstructed = IsConstructedTag(slot->tag) ? 1 : 0;
            SetDocumentModified();
        }
    }
    BuildRows(nullptr, root_, isConstructed);
    grid_->AdjustLayout();
    errors_.Clear();
    BuildContextMenu(nullptr, 0);
}

void COrdaView::OnAddChild(int commandId) {
    const MenuSlot* slot =
        FindMenuSlot(&slotTables_[MENU_KIND_ADD], static_cast<uint32_t>(commandId));
    if (slot == nullptr && commandId != ID_DE_ADD_PADDING) {
        return;
    }
    TlvNode* target = SelectedElement(nullptr);
    uint8_t kind = 0;
    if (target == nullptr || !OnUpdateElementCommands() || TlvGetKind(target, &kind) != TLV_OK ||
        kind != TLV_KIND_CONSTRUCTED) {
        return;
    }
    InsertNewNode(target, target->childCount, slot);
}

void COrdaView::OnInsertAbove(int commandId) {
    InsertNextToSelection(MENU_KIND_INSERT_ABOVE, ID_DE_INSERT_PADDING_ABOVE, commandId, 0);
}

void COrdaView::OnInsertBelow(int commandId) {
    InsertNextToSelection(MENU_KIND_INSERT_BELOW, ID_DE_INSERT_PADDING_BELOW, commandId, 1);
}

void COrdaView::InsertNextToSelection(int kind, int paddingId, int commandId, int offset) {
    const MenuSlot* slot = FindMenuSlot(&slotTables_[kind], static_cast<uint32_t>(commandId));
    if (slot == nullptr && commandId != paddingId) {
        return;
    }
    if (!OnUpdateElementCommands()) {
        return;
    }
    TlvNode* selected = SelectedElement(nullptr);
    TlvNode* parent = selected != nullptr ? selected->parent : nullptr;
    int index = -1;
    IndexOfChild(parent, selected, &index);
    if (selected != nullptr && parent != nullptr && index >= 0) {
        InsertNewNode(parent, index + offset, slot);
    }
}

void COrdaView::OnInsertPadding(int commandId) {
    switch (commandId) {
        case ID_DE_ADD_PADDING:
            OnAddChild(commandId);
            break;
        case ID_DE_INSERT_PADDING_ABOVE:
            OnInsertAbove(commandId);
            break;
        case ID_DE_INSERT_PADDING_BELOW:
            OnInsertBelow(commandId);
            break;
        default:
            break;
    }
}

void COrdaView::InsertNewNode(TlvNode* parent, int index, const MenuSlot* slot) {
    // A template records at most 255 children and 255 bytes of content; a change beyond either
    // is refused before anything is touched.
    if (parent->childCount == UINT8_MAX) {
        AppPrompts()->ShowError(this, TemplateFullMessage(NameOf(parent)),
                                QString::fromLatin1(kLengthErrorCaption));
        return;
    }
    const int32_t size = slot != nullptr ? slot->tagLength + 1 : 0;
    if (const TlvNode* full = TemplateOverflowing(parent, size)) {
        AppPrompts()->ShowError(this, TemplateTooLongMessage(NameOf(full)),
                                QString::fromLatin1(kLengthErrorCaption));
        return;
    }
    if (slot != nullptr &&
        TlvFind(parent, slot->tagLength, slot->tag, nullptr, nullptr) == TLV_OK &&
        !AppPrompts()->AskYesNo(
            this, QStringLiteral("Data Element \"%1\" is already exist in \"%2\".\r\n\r\nDo "
                                 "you want to add already existing one?")
                      .arg(QString::fromLatin1(DictGetNameByTag(slot->tag, slot->tagLength)),
                           NameOf(parent)))) {
        return;
    }
    TlvNode* node =
        slot != nullptr ? TlvNewElement(slot->tag, slot->tagLength, parent) : TlvNewPadding(parent);
    if (node == nullptr) {
        return;
    }
    if (TlvInsertChild(parent, static_cast<uint8_t>(index), node) != TLV_OK) {
        TlvFree(node);
        node = nullptr;
    }
    UpdateLengths(parent);
    SetDocumentModified();
    BuildRows(nullptr, root_, 1);
    grid_->AdjustLayout();
    errors_.Clear();
    GridRow* row = node != nullptr ? grid_->FindRowByData(node) : nullptr;
    if (row != nullptr) {
        ApplyEditToCell(row->Item(ELEMENT_COLUMN_NAME), ELEMENT_COLUMN_NAME);
    }
}

void COrdaView::OnDeleteElement() {
    int column = -1;
    TlvNode* element = SelectedElement(&column);
    uint8_t kind = 0;
    if (element == nullptr || column != ELEMENT_COLUMN_NAME ||
        TlvGetKind(element, &kind) != TLV_OK) {
        return;
    }
    QString question;
    if (kind == TLV_KIND_PADDING) {
        question = QStringLiteral("Do you want to delete a padding ?");
    } else if (kind == TLV_KIND_PRIMITIVE) {
        question = QStringLiteral("Do you want to delete a primitive data element \"%1\" ?")
                       .arg(NameOf(element));
    } else {
        question = QStringLiteral("Do you want to delete a constructed data element \"%1\" %2?")
                       .arg(NameOf(element), element->childCount > 0
                                                 ? QStringLiteral("and all of its children ")
                                                 : QString());
    }
    if (!AppPrompts()->AskYesNo(this, question)) {
        return;
    }
    // The element's place is looked up while it still exists.
    TlvNode* parent = element->parent;
    if (parent != nullptr) {
        int index = -1;
        IndexOfChild(parent, element, &index);
        if (index < 0 || TlvRemoveChild(parent, static_cast<uint8_t>(index)) != TLV_OK) {
            return;
        }
    }
    TlvFree(element);
    if (parent != nullptr) {
        UpdateLengths(parent);
    } else {
        root_ = nullptr;
    }
    SetDocumentModified();
    BuildRows(nullptr, root_, root_ != nullptr && IsConstructedTag(root_->tag) ? 1 : 0);
    grid_->AdjustLayout();
    errors_.Clear();
    if (parent == nullptr) {
        BuildContextMenu(nullptr, 0);
        return;
    }
    if (GridRow* parentRow = grid_->FindRowByData(parent)) {
        ApplyEditToCell(parentRow->Item(ELEMENT_COLUMN_NAME), ELEMENT_COLUMN_NAME);
    }
}

TlvNode* COrdaView::SelectedElement(int* column) const {
    GridRow* row = grid_->GetCurSel(nullptr, column);
    return row != nullptr ? static_cast<TlvNode*>(row->Data()) : nullptr;
}

bool COrdaView::OnUpdateElementCommands() const {
    int column = -1;
    return menuElement_ != nullptr && SelectedElement(&column) == menuElement_ &&
           column == ELEMENT_COLUMN_NAME;
}

bool COrdaView::OnUpdateDeleteElement() const {
    int column = -1;
    return grid_->GetCurSel(nullptr, &column) != nullptr && column == ELEMENT_COLUMN_NAME;
}

void COrdaView::UpdateLengths(TlvNode* node) {
    for (TlvNode* at = node; at != nullptr; at = at->parent) {
        uint8_t content[TLV_ENCODE_BUFFER_SIZE];
        uint16_t length = 0;
        // A length that no length field can hold is never written, truncated or otherwise.
        if (TlvEncode(content, at, &length, 1) != TLV_OK || !WriteLengthField(at, length)) {
            return;
        }
    }
}

void COrdaView::IndexOfChild(const TlvNode* parent, const TlvNode* child, int* index) {
    *index = -1;
    uint8_t count = 0;
    if (parent == nullptr || TlvGetChildCount(parent, &count) != TLV_OK) {
        return;
    }
    for (uint8_t i = 0; i < count; ++i) {
        TlvNode* at = nullptr;
        if (TlvGetChild(parent, i, &at, nullptr) == TLV_OK && at == child) {
            *index = i;
            return;
        }
    }
}

void COrdaView::ApplyEditToCell(const GridItem& cell, int column) {
    const UndoScope step(this, EditStepName(cell, column));
    const EditContext context = {grid_, &errors_, [this] { SetDocumentModified(); }};
    ApplyEdit(context, cell, static_cast<uint16_t>(column));
    RefreshAnalysis();
}
