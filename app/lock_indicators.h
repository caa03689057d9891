// The status bar's CAP, NUM and SCRL panes: drawn enabled while their lock is on, disabled
// while it is off or while the windowing system does not tell.
#ifndef QUORVEL_APP_LOCK_INDICATORS_H
#define QUORVEL_APP_LOCK_INDICATORS_H

#include <QObject>

class QLabel;
class QStatusBar;

class LockIndicators : public QObject {
    Q_OBJECT

public:
    // Adds the three panes to the right of `bar`.
    explicit LockIndicators(QStatusBar* bar);

    QLabel* Pane(int index) const { return panes_[index]; }
    // Reads the lock states again.
    void Refresh();

protected:
    // A lock key pressed anywhere in the program, or the program becoming active after the
    // keys may have changed elsewhere, refreshes the panes.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* panes_[3];
};

#endif
