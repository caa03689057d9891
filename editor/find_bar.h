// The find bar over the data element grid. Its text matches, ignoring case, the name, the tag,
// the value and the TLV cells of every row as they show (card numbers masked or not), rows
// under collapsed templates included; white space in the text does not count against the
// hexadecimal cells. Going to a match selects its first
// matching cell and opens the templates above it.
#ifndef QUORVEL_EDITOR_FIND_BAR_H
#define QUORVEL_EDITOR_FIND_BAR_H

#include <QList>
#include <QWidget>

#include "platform/grid_ctrl.h"

class QLabel;
class QLineEdit;
class QToolButton;

class FindBar : public QWidget {
    Q_OBJECT

public:
    explicit FindBar(GridCtrl* grid, QWidget* parent = nullptr);

    // Shows the bar with its text selected and the keyboard in it.
    void Open();
    // Hides the bar and gives the keyboard back to the grid.
    void Close();
    // The next or previous match after the selected row, wrapping round; without a selection
    // the first or the last.
    void FindNext();
    void FindPrevious();

    QString Text() const;
    QLineEdit* Field() const { return field_; }
    // "3 of 7", "7 matches" while the selected row is none of them, "Not found", or empty while
    // there is no text. While the bar shows, it follows the grid's rows, cells and selection.
    QString Status() const;
    // The first matching cell of every matching row, in row order; `rowNumbers`, where given,
    // receives each match's row number (as GridCtrl::RowNumber counts), found on the same walk.
    QList<GridItem> Matches(QList<int>* rowNumbers = nullptr) const;

signals:
    // The bar was shown or hidden: the view lays out its windows again.
    void shownChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Escape in the grid closes the bar too; an in-place editor takes its own Escape first.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Direction { kSelectedOrNext, kNext, kPrevious };

    // Typing looks again from the selected row on.
    void OnTextEdited();
    // Goes to the first match on the selected row or after it, the first after it, or the last
    // before it, wrapping round.
    void GoToMatch(Direction direction);
    // Selects the match `index` of `matches` and shows where it stands.
    void GoTo(const QList<GridItem>& matches, int index);
    void ShowStatus(int index, int count);
    // While the bar shows, every change of the grid's rows, cells, selection or shown texts
    // brings the status up to date once control returns to the event loop.
    void WatchGrid(bool watch);
    void ScheduleStatus();
    void ShowCurrentStatus();

    GridCtrl* grid_;
    QLineEdit* field_;
    QLabel* status_;
    QToolButton* previous_;
    QToolButton* next_;
    QToolButton* close_;
    QList<QMetaObject::Connection> gridWatch_;
    bool statusDue_ = false;
};

#endif
