#include "app/lock_indicators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaObject>
#include <QStatusBar>

#include "platform/lock_keys.h"

LockIndicators::LockIndicators(QStatusBar* bar) : QObject(bar) {
    const char* const texts[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        panes_[i] = new QLabel(QString::fromLatin1(texts[i]), bar);
        panes_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // No lock is claimed before the keyboard was asked.
        panes_[i]->setEnabled(false);
        bar->addPermanentWidget(panes_[i]);
    }
    qApp->installEventFilter(this);
    // Asking the keyboard takes several round trips to the window system: the window shows
    // first.
    QMetaObject::invokeMethod(this, &LockIndicators::Refresh, Qt::QueuedConnection);
}

void LockIndicators::Refresh() {
    const LockKeyStates states = ReadLockKeyStates();
    const bool on[3] = {states.capsLock, states.numLock, states.scrollLock};
    for (int i = 0; i < 3; ++i) {
        panes_[i]->setEnabled(states.known && on[i]);
    }
}

bool LockIndicators::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_CapsLock:
            case Qt::Key_NumLock:
            case Qt::Key_ScrollLock:
                Refresh();
                break;
            default:
                break;
        }
    } else if (event->type() == QEvent::ApplicationActivate) {
        Refresh();
    }
    return QObject::eventFilter(watched, event);
}
