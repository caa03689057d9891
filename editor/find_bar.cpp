#include "editor/find_bar.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidgetItemIterator>
#include <climits>

#include "dictionary/element_row.h"

namespace {

const int kSearchedColumns[] = {ELEMENT_COLUMN_NAME, ELEMENT_COLUMN_TAG, ELEMENT_COLUMN_VALUE,
                                ELEMENT_COLUMN_TLV};

bool IsHexColumn(int column) {
    return column != ELEMENT_COLUMN_NAME;
}

QString WithoutWhiteSpace(const QString& text) {
    QString result;
    for (const QChar c : text) {
        if (!c.isSpace()) {
            result += c;
        }
    }
    return result;
}

// Hex cells hold two digits a byte: a match starts on a byte, never between its two digits.
bool ContainsHex(const QString& cell, const QString& wanted) {
    for (qsizetype at = cell.indexOf(wanted, 0, Qt::CaseInsensitive); at >= 0;
         at = cell.indexOf(wanted, at + 1, Qt::CaseInsensitive)) {
        if (at % 2 == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

FindBar::FindBar(GridCtrl* grid, QWidget* parent)
    : QWidget(parent),
      grid_(grid),
      field_(new QLineEdit(this)),
      status_(new QLabel(this)),
      previous_(new QToolButton(this)),
      next_(new QToolButton(this)),
      close_(new QToolButton(this)) {
    QLabel* caption = new QLabel(QStringLiteral("Find:"), this);
    caption->setBuddy(field_);
    field_->setClearButtonEnabled(true);
    field_->setToolTip(QStringLiteral("Name, tag, value or TLV"));
    previous_->setArrowType(Qt::UpArrow);
    previous_->setToolTip(QStringLiteral("Find Previous (Shift+F3)"));
    next_->setArrowType(Qt::DownArrow);
    next_->setToolTip(QStringLiteral("Find Next (F3)"));
    close_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_->setToolTip(QStringLiteral("Close (Escape)"));
    for (QToolButton* button : {previous_, next_, close_}) {
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    status_->setMinimumWidth(
        status_->fontMetrics().horizontalAdvance(QStringLiteral("000 of 000")));

    QHBoxLayout* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 2, 2);
    layout->addWidget(caption);
    layout->addWidget(field_, 1);
    layout->addWidget(previous_);
    layout->addWidget(next_);
    layout->addWidget(status_);
    layout->addStretch(1);
    layout->addWidget(close_);

    connect(field_, &QLineEdit::textEdited, this, &FindBar::OnTextEdited);
    connect(field_, &QLineEdit::returnPressed, this, [this] {
        if (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) {
            FindPrevious();
        } else {
            FindNext();
        }
    });
    connect(previous_, &QToolButton::clicked, this, &FindBar::FindPrevious);
    connect(next_, &QToolButton::clicked, this, &FindBar::FindNext);
    connect(close_, &QToolButton::clicked, this, &FindBar::Close);
    grid_->installEventFilter(this);
}

void FindBar::Open() {
    if (isHidden()) {
        show();
        WatchGrid(true);
        // The grid may have changed while the bar was hidden.
        ScheduleStatus();
        emit shownChanged();
    }
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
}

void FindBar::Close() {
    if (!isHidden()) {
        hide();
        WatchGrid(false);
        emit shownChanged();
    }
    grid_->setFocus(Qt::OtherFocusReason);
}

QString FindBar::Text() const {
    return field_->text();
}

QString FindBar::Status() const {
    return status_->text();
}

QList<GridItem> FindBar::Matches(QList<int>* rowNumbers) const {
    QList<GridItem> matches;
    const QString text = Text();
    const QString hex = WithoutWhiteSpace(text);
    if (text.isEmpty()) {
        return matches;
    }
    const auto cellMatches = [&text, &hex](int column, const QString& value) {
        return IsHexColumn(column) ? !hex.isEmpty() && ContainsHex(value, hex)
                                   : value.contains(text, Qt::CaseInsensitive);
    };
    int number = 0;
    for (QTreeWidgetItemIterator it(grid_); *it; ++it, ++number) {
        GridRow* row = static_cast<GridRow*>(*it);
        for (int column : kSearchedColumns) {
            // A cell matches as it shows: with card numbers masked, a match would tell a hidden
            // digit. Hiding digits can only take a match away, so only matches are looked at
            // again as shown.
            const GridItem item = row->Item(column);
            const bool found =
                cellMatches(column, item.Value()) && cellMatches(column, grid_->ShownText(item));
            if (found) {
                matches << row->Item(column);
                if (rowNumbers != nullptr) {
                    *rowNumbers << number;
                }
                break;
            }
        }
    }
    return matches;
}

void FindBar::OnTextEdited() {
    // The selected row itself may match: typing on keeps it while it does.
    GoToMatch(kSelectedOrNext);
}

void FindBar::FindNext() {
    GoToMatch(kNext);
}

void FindBar::FindPrevious() {
    GoToMatch(kPrevious);
}

void FindBar::GoToMatch(Direction direction) {
    // Row numbers come from the search's own walk: asking the grid for each would walk it
    // again for every match.
    QList<int> rows;
    const QList<GridItem> matches = Matches(&rows);
    if (matches.isEmpty()) {
        ShowStatus(-1, 0);
        return;
    }
    const int count = static_cast<int>(matches.size());
    int selected = -1;
    const bool hasSelection = grid_->GetCurSel(&selected, nullptr) != nullptr;
    if (direction == kPrevious) {
        if (!hasSelection) {
            selected = INT_MAX;
        }
        for (int i = count - 1; i >= 0; --i) {
            if (rows[i] < selected) {
                GoTo(matches, i);
                return;
            }
        }
        GoTo(matches, count - 1);
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (rows[i] > selected || (direction == kSelectedOrNext && rows[i] == selected)) {
            GoTo(matches, i);
            return;
        }
    }
    GoTo(matches, 0);
}

void FindBar::GoTo(const QList<GridItem>& matches, int index) {
    const GridItem& match = matches[index];
    for (GridRow* parent = match.Row()->ParentRow(); parent != nullptr;
         parent = parent->ParentRow()) {
        parent->setExpanded(true);
    }
    grid_->SelectItem(match);
    grid_->scrollToItem(match.Row());
    ShowStatus(index, static_cast<int>(matches.size()));
}

void FindBar::ShowStatus(int index, int count) {
    if (Text().isEmpty()) {
        status_->clear();
    } else if (count == 0) {
        status_->setText(QStringLiteral("Not found"));
    } else {
        status_->setText(QStringLiteral("%1 of %2").arg(index + 1).arg(count));
    }
}

void FindBar::WatchGrid(bool watch) {
    for (const QMetaObject::Connection& connection : gridWatch_) {
        disconnect(connection);
    }
    gridWatch_.clear();
    if (!watch) {
        return;
    }
    QAbstractItemModel* model = grid_->model();
    gridWatch_ << connect(model, &QAbstractItemModel::rowsInserted, this, &FindBar::ScheduleStatus)
               << connect(model, &QAbstractItemModel::rowsRemoved, this, &FindBar::ScheduleStatus)
               << connect(model, &QAbstractItemModel::dataChanged, this, &FindBar::ScheduleStatus)
               << connect(model, &QAbstractItemModel::modelReset, this, &FindBar::ScheduleStatus)
               << connect(grid_, &QTreeWidget::currentItemChanged, this, &FindBar::ScheduleStatus)
               << connect(grid_, &GridCtrl::shownTextChanged, this, &FindBar::ScheduleStatus);
}

void FindBar::ScheduleStatus() {
    if (!statusDue_) {
        statusDue_ = true;
        QTimer::singleShot(0, this, &FindBar::ShowCurrentStatus);
    }
}

void FindBar::ShowCurrentStatus() {
    statusDue_ = false;
    if (isHidden() || Text().isEmpty()) {
        return;
    }
    const QList<GridItem> matches = Matches();
    const QTreeWidgetItem* current = grid_->currentItem();
    const int count = static_cast<int>(matches.size());
    for (int i = 0; i < count; ++i) {
        if (matches[i].Row() == current) {
            ShowStatus(i, count);
            return;
        }
    }
    if (count == 0) {
        ShowStatus(-1, 0);
    } else {
        status_->setText(count == 1 ? QStringLiteral("1 match")
                                    : QStringLiteral("%1 matches").arg(count));
    }
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress && !isHidden() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Close();
        return;
    }
    QWidget::keyPressEvent(event);
}
