#include "panels/dictionary_bar.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <QtMath>
#include <array>

#include "core/hex_text.h"
#include "dictionary/dictionary.h"
#include "panels/panel_images.h"
#include "platform/cut_text_delegate.h"
#include "platform/element_images.h"

namespace {

enum TreeImage { kImageNoTag = 0, kImageConstructed = 1, kImageGroup = 2, kImagePrimitive = 3 };

QTreeWidgetItem* NewItem(QTreeWidgetItem* parent, const QString& text, int image, int index,
                         const QList<QIcon>& images) {
    QTreeWidgetItem* item = new QTreeWidgetItem(parent, QStringList(text));
    item->setIcon(0, images.value(image));
    item->setData(0, Qt::UserRole, index);
    return item;
}

// Whether the row shows: no row above it is hidden or collapsed.
bool IsShown(const QTreeWidgetItem* item) {
    if (item->isHidden()) {
        return false;
    }
    for (const QTreeWidgetItem* parent = item->parent(); parent != nullptr;
         parent = parent->parent()) {
        if (parent->isHidden() || !parent->isExpanded()) {
            return false;
        }
    }
    return true;
}

int Depth(const QTreeWidgetItem* item) {
    int depth = 0;
    for (item = item->parent(); item != nullptr; item = item->parent()) {
        ++depth;
    }
    return depth;
}

// Estimates a text's advance as the sum of its characters' advances, each measured once. It
// leaves out kerning, so it may be off by a pixel or two, at a small part of the cost of
// measuring each text whole.
class CharacterAdvances {
public:
    explicit CharacterAdvances(const QFont& font) : metrics_(font) { advances_.fill(-1); }

    qreal Of(const QString& text) {
        qreal sum = 0;
        for (const QChar character : text) {
            if (character.unicode() >= advances_.size()) {
                return metrics_.horizontalAdvance(text);
            }
            qreal& advance = advances_[character.unicode()];
            if (advance < 0) {
                advance = metrics_.horizontalAdvance(character);
            }
            sum += advance;
        }
        return sum;
    }

private:
    QFontMetricsF metrics_;
    std::array<qreal, 256> advances_;
};

bool EntryMatches(const DataElementDef* entry, const QString& text) {
    if (QString::fromLatin1(entry->name).contains(text, Qt::CaseInsensitive)) {
        return true;
    }
    QString hex = text;
    hex.remove(QLatin1Char(' '));
    char tag[5];
    BytesToHexText(entry->tag, entry->tagLength < 2 ? entry->tagLength : 2, tag);
    return entry->tagLength != 0 && !hex.isEmpty() &&
           QString::fromLatin1(tag).contains(hex, Qt::CaseInsensitive);
}

}  // namespace

CDictionaryBar::CDictionaryBar(QWidget* parent)
    : QDockWidget(QStringLiteral("Data Elements"), parent),
      tree_(new QTreeWidget),
      sortButton_(new QToolButton),
      sortMenu_(new QMenu(QStringLiteral("Sorting DE in Toolbar"), this)),
      filter_(new QLineEdit) {
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    // Every row holds one line and a small icon: the view takes the first row's height for all
    // instead of asking each row, when it lays out, paints and fits the column.
    tree_->setUniformRowHeights(true);
    tree_->setContextMenuPolicy(Qt::PreventContextMenu);
    // Names are never elided: the panel scrolls sideways to the longest, and whatever lies
    // beyond its edge shows in a tooltip. The column is fitted when the rows, the font or the
    // style change; a header resizing to its contents would measure every row far more often.
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionResizeMode(0, QHeaderView::Fixed);
    tree_->installEventFilter(this);
    tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tree_->setItemDelegate(new CutTextDelegate(tree_));

    const struct {
        int id;
        const char* text;
    } sorts[] = {{ID_DE_SORT_ALPHA, "Sort &Alphabetically"},
                 {ID_DE_SORT_TYPE, "Sort by &Type"},
                 {ID_DE_SORT_SOURCE, "Sort by &Source"}};
    for (const auto& sort : sorts) {
        QAction* action = sortMenu_->addAction(QString::fromLatin1(sort.text));
        action->setData(sort.id);
        action->setCheckable(true);
        action->setChecked(sort.id == currentSort_);
        const int id = sort.id;
        connect(action, &QAction::triggered, this, [this, id] { OnSort(id); });
    }
    sortButton_->setMenu(sortMenu_);
    sortButton_->setPopupMode(QToolButton::InstantPopup);
    sortButton_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    sortButton_->setIcon(SortImage(currentSort_));
    sortButton_->setToolTip(QStringLiteral("Sort"));

    QToolBar* toolBar = new QToolBar;
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->addWidget(sortButton_);
    filter_->setPlaceholderText(QStringLiteral("Filter"));
    filter_->setToolTip(QStringLiteral("Show the elements whose name or tag holds this text"));
    filter_->setClearButtonEnabled(true);
    toolBar->addWidget(filter_);
    connect(filter_, &QLineEdit::textChanged, this, &CDictionaryBar::ApplyFilter);

    QWidget* body = new QWidget(this);
    QVBoxLayout* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(tree_, 1);
    setWidget(body);
    setFocusProxy(tree_);

    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &CDictionaryBar::OnSelectionChanged);
    FillTree(currentSort_);
}

void CDictionaryBar::FillTree(int sortCommand) {
    const QList<QIcon> images = ElementImages();
    tree_->clear();
    QTreeWidgetItem* root =
        new QTreeWidgetItem(QStringList(QStringLiteral("Data Elements Dictionary")));
    root->setIcon(0, images.value(kImageGroup));
    root->setData(0, Qt::UserRole, 0);
    QFont bold = root->font(0);
    bold.setBold(true);
    root->setFont(0, bold);

    QList<QTreeWidgetItem*> groups;
    if (sortCommand == ID_DE_SORT_TYPE || sortCommand == ID_DE_SORT_SOURCE) {
        const char* const typeGroups[] = {"Constructed", "Primitive", "Tag not defined"};
        const char* const sourceGroups[] = {"Source by ICC", "Source by Terminal",
                                            "Source by Issuer"};
        for (const char* name : sortCommand == ID_DE_SORT_TYPE ? typeGroups : sourceGroups) {
            groups << NewItem(root, QString::fromLatin1(name), kImageGroup, 0, images);
        }
    }
    for (int index = 1; index < DICT_ENTRY_COUNT; ++index) {
        const DataElementDef* entry = DictGetEntry(index);
        const bool constructed = entry->tagLength != 0 && (entry->tag[0] & 0x20) != 0;
        const int image = entry->tagLength == 0 ? kImageNoTag
                          : constructed         ? kImageConstructed
                                                : kImagePrimitive;
        const QString name = QString::fromLatin1(entry->name);
        if (sortCommand == ID_DE_SORT_TYPE) {
            NewItem(groups[entry->tagLength == 0 ? 2
                           : constructed         ? 0
                                                 : 1],
                    name, image, index, images);
        } else if (sortCommand == ID_DE_SORT_SOURCE) {
            // An entry from several sources stands under each of them.
            const uint8_t bits[3] = {SOURCE_ICC, SOURCE_TERMINAL, SOURCE_ISSUER};
            for (int g = 0; g < 3; ++g) {
                if ((entry->source & bits[g]) != 0) {
                    NewItem(groups[g], name, image, index, images);
                }
            }
        } else {
            NewItem(root, name, image, index, images);
        }
    }
    // The rows join the tree at once, which then takes them in once.
    tree_->addTopLevelItem(root);
    tree_->setCurrentItem(root);
    root->setExpanded(true);
    for (QTreeWidgetItem* item : groups) {
        item->setExpanded(true);
    }
    ApplyFilter();
    tree_->scrollToItem(root);
    // Fitted before the window shows: fitted later, the column would bring in the horizontal
    // scroll bar after the first drawing, and the rows would be drawn again.
    FitColumn();
}

void CDictionaryBar::FitColumn() {
    // The column is as wide as the header would ask for: the widest shown row's width under
    // the style, indentation included. The style lays out a row's text to measure it, which
    // costs far more than the text's advance; the advances tell which few rows can be the
    // widest, and only those are measured in full.
    struct Row {
        QTreeWidgetItem* item;
        int indent;
        int estimate;
    };
    tree_->ensurePolished();
    QList<Row> rows;
    int widestEstimate = 0;
    CharacterAdvances advances(tree_->font());
    const int firstLevel = tree_->rootIsDecorated() ? 1 : 0;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        if (!IsShown(*it)) {
            continue;
        }
        const int indent = tree_->indentation() * (firstLevel + Depth(*it));
        const QVariant font = (*it)->data(0, Qt::FontRole);
        const qreal advance = font.isValid()
                                  ? QFontMetricsF(font.value<QFont>().resolve(tree_->font()))
                                        .horizontalAdvance((*it)->text(0))
                                  : advances.Of((*it)->text(0));
        const int estimate = indent + qCeil(advance);
        rows.append({*it, indent, estimate});
        widestEstimate = qMax(widestEstimate, estimate);
    }
    // A laid-out text may end a little beyond the estimate (kerning, a glyph's overhang).
    const int slack = 2 * QFontMetrics(tree_->font()).averageCharWidth();
    int width = 0;
    for (const Row& row : rows) {
        if (row.estimate >= widestEstimate - slack) {
            const QModelIndex index = tree_->indexFromItem(row.item);
            width = qMax(width, row.indent + tree_->sizeHintForIndex(index).width());
        }
    }
    tree_->header()->resizeSection(0, width);
}

bool CDictionaryBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_ &&
        (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)) {
        FitColumn();
    }
    return QDockWidget::eventFilter(watched, event);
}

void CDictionaryBar::ApplyFilter() {
    const QString text = filter_->text().trimmed();
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        const DataElementDef* entry = DictGetEntry((*it)->data(0, Qt::UserRole).toInt());
        if ((*it)->data(0, Qt::UserRole).toInt() != 0 && entry != nullptr) {
            (*it)->setHidden(!text.isEmpty() && !EntryMatches(entry, text));
        }
    }
    // The entry the description panel shows may have gone: the root takes its place, so that
    // the panel shows nothing rather than an entry no longer in the tree.
    QTreeWidgetItem* current = tree_->currentItem();
    bool filteredOut = false;
    for (const QTreeWidgetItem* item = current; item != nullptr; item = item->parent()) {
        filteredOut = filteredOut || item->isHidden();
    }
    if (filteredOut && tree_->topLevelItemCount() > 0) {
        tree_->setCurrentItem(tree_->topLevelItem(0));
    } else if (current != nullptr) {
        // Entries coming back or going push it about: it stays in view.
        tree_->scrollToItem(current);
    }
}

void CDictionaryBar::OnSort(int sortCommand) {
    const bool change = sortCommand != currentSort_ && sortCommand >= ID_DE_SORT_ALPHA &&
                        sortCommand <= ID_DE_SORT_SOURCE;
    if (change) {
        currentSort_ = sortCommand;
    }
    // Choosing the checked item again unchecks it: the check stays with the arrangement.
    for (QAction* action : sortMenu_->actions()) {
        action->setChecked(action->data().toInt() == currentSort_);
    }
    if (!change) {
        return;
    }
    sortButton_->setIcon(SortImage(sortCommand));
    FillTree(sortCommand);
}

void CDictionaryBar::OnSelectionChanged() {
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    const int index = selected.isEmpty() ? 0 : selected.first()->data(0, Qt::UserRole).toInt();
    emit entrySelected(DictGetEntry(index) != nullptr ? index : 0);
}
