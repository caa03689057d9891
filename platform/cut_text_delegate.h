// The item delegate of every list, tree and grid: a text shown only in part (elided, wrapped
// beyond its row, or reaching out of the view) shows whole in a tooltip, and wrapped texts take
// the height their column gives them.
#ifndef QUORVEL_PLATFORM_CUT_TEXT_DELEGATE_H
#define QUORVEL_PLATFORM_CUT_TEXT_DELEGATE_H

#include <QStyledItemDelegate>

class QAbstractItemView;

class CutTextDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Whether `view` shows the text of `index` only in part.
    bool IsTextCut(const QAbstractItemView* view, const QModelIndex& index) const;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    bool IsTextCut(const QStyleOptionViewItem& option, const QModelIndex& index,
                   const QAbstractItemView* view) const;
};

#endif
