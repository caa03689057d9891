#include "platform/command_focus.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {

bool IsMenu(const QWidget* widget) {
    return qobject_cast<const QMenuBar*>(widget) != nullptr ||
           qobject_cast<const QMenu*>(widget) != nullptr;
}

class FocusFollower : public QObject {
public:
    explicit FocusFollower(QObject* parent) : QObject(parent) {
        last_ = QApplication::focusWidget();
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now != nullptr && !IsMenu(now)) {
                last_ = now;
            }
        });
    }

    QWidget* Last() const { return last_; }

private:
    QPointer<QWidget> last_;
};

FocusFollower* Follower() {
    // Owned by the application, so that it ends with it.
    static QPointer<FocusFollower> follower;
    if (follower.isNull() && qApp != nullptr) {
        follower = new FocusFollower(qApp);
    }
    return follower.data();
}

}  // namespace

void TrackCommandFocus() {
    Follower();
}

QWidget* CommandFocusWidget() {
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && !IsMenu(focus)) {
        return focus;
    }
    FocusFollower* follower = Follower();
    return follower != nullptr ? follower->Last() : nullptr;
}
