#include "platform/menu_status_tips.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QStatusTipEvent>

namespace {

void SendStatusTip(QWidget* receiver, const QString& tip) {
    QStatusTipEvent event(tip);
    QCoreApplication::sendEvent(receiver, &event);
}

}  // namespace

void ForwardMenuStatusTips(QMenu* menu, QWidget* receiver) {
    QObject::connect(menu, &QMenu::hovered, receiver,
                     [receiver](QAction* action) { SendStatusTip(receiver, action->statusTip()); });
    QObject::connect(menu, &QMenu::aboutToHide, receiver,
                     [receiver] { SendStatusTip(receiver, QString()); });
}
