#include "platform/cut_text_delegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>
#include <QTreeView>
#include <climits>

namespace {

// Tooltips longer than this wrap, so that a long description stays on the screen.
const int kLongTip = 80;

// The depth of an index below the top level of its tree.
int Depth(QModelIndex index) {
    int depth = 0;
    while (index.parent().isValid()) {
        index = index.parent();
        ++depth;
    }
    return depth;
}

// Rich text wraps only where a line may break: a long run without spaces, such as a value's
// hexadecimal digits, gets a break opportunity (a zero-width space) after every two characters.
QString TipText(const QString& text) {
    if (text.size() <= kLongTip) {
        return text;
    }
    QString wrappable;
    wrappable.reserve(text.size() * 3 / 2);
    int run = 0;
    for (const QChar c : text) {
        wrappable += c;
        run = c.isSpace() ? 0 : run + 1;
        if (run >= kLongTip / 2 && run % 2 == 0) {
            wrappable += QChar(0x200B);
        }
    }
    return QStringLiteral("<p>%1</p>").arg(wrappable.toHtmlEscaped());
}

}  // namespace

bool CutTextDelegate::IsTextCut(const QAbstractItemView* view, const QModelIndex& index) const {
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(index);
    option.font = view->font();
    option.textElideMode = view->textElideMode();
    option.decorationSize = view->iconSize().isValid()
                                ? view->iconSize()
                                : QSize(view->style()->pixelMetric(QStyle::PM_SmallIconSize),
                                        view->style()->pixelMetric(QStyle::PM_SmallIconSize));
    option.decorationPosition = QStyleOptionViewItem::Left;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    if (view->property("wordWrap").toBool()) {
        option.features |= QStyleOptionViewItem::WrapText;
    }
    return IsTextCut(option, index, view);
}

bool CutTextDelegate::IsTextCut(const QStyleOptionViewItem& viewOption, const QModelIndex& index,
                                const QAbstractItemView* view) const {
    QStyleOptionViewItem option = viewOption;
    initStyleOption(&option, index);
    if (option.text.isEmpty() || !option.rect.isValid()) {
        return false;
    }
    const QWidget* widget = option.widget != nullptr ? option.widget : view;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    // The style draws the text inside this rectangle, less a margin on either side.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &option, widget)
                               .adjusted(margin, 0, -margin, 0);
    const QFontMetrics metrics(option.font);
    QSize needed;
    if (option.features & QStyleOptionViewItem::WrapText) {
        needed = metrics
                     .boundingRect(QRect(0, 0, qMax(1, textRect.width()), INT_MAX / 2),
                                   Qt::TextWordWrap | Qt::TextWrapAnywhere, option.text)
                     .size();
        if (needed.height() > textRect.height()) {
            return true;
        }
    } else {
        needed = QSize(metrics.horizontalAdvance(option.text), metrics.height());
        if (needed.width() > textRect.width()) {
            return true;
        }
    }
    // A text that fits its cell may still reach out of the view's visible part.
    const QRect drawn = QStyle::alignedRect(
        option.direction, option.displayAlignment,
        QSize(qMin(needed.width(), textRect.width()), qMin(needed.height(), textRect.height())),
        textRect);
    return view != nullptr && !view->viewport()->rect().contains(drawn);
}

bool CutTextDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event == nullptr || view == nullptr || event->type() != QEvent::ToolTip ||
        !index.isValid()) {
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    QString tip = index.data(Qt::ToolTipRole).toString();
    if (IsTextCut(option, index, view)) {
        const QString text = index.data(Qt::DisplayRole).toString();
        tip = tip.isEmpty() ? text : text + QLatin1Char('\n') + tip;
    }
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(event->globalPos(), TipText(tip), view->viewport(), option.rect);
    return true;
}

QSize CutTextDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    // A tree asks for row heights without a width, so wrapped text would stay on one line: the
    // column's width is the width to wrap at.
    const QTreeView* tree = qobject_cast<const QTreeView*>(option.widget);
    if (tree == nullptr || !(option.features & QStyleOptionViewItem::WrapText) ||
        option.rect.width() > 0) {
        return QStyledItemDelegate::sizeHint(option, index);
    }
    int width = tree->columnWidth(index.column());
    const bool treeColumn = tree->treePosition() < 0
                                ? tree->header()->visualIndex(index.column()) == 0
                                : index.column() == tree->treePosition();
    if (treeColumn) {
        width -= tree->indentation() * (Depth(index) + (tree->rootIsDecorated() ? 1 : 0));
    }
    QStyleOptionViewItem sized = option;
    sized.rect = QRect(0, 0, qMax(1, width), qMax(1, option.rect.height()));
    return QStyledItemDelegate::sizeHint(sized, index);
}
