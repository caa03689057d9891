#include "app/customize_dialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

const char* const CustomizeDialog::kNameProperty = "buttonName";

CustomizeDialog::CustomizeDialog(QToolBar* toolbar, const QList<QAction*>& order, QWidget* parent)
    : QDialog(parent), toolbar_(toolbar), order_(order), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Customize"));
    QDialogButtonBox* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* reset = buttons->addButton(QStringLiteral("&Reset"), QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(reset, &QPushButton::clicked, this, [this] {
        for (QAction* action : order_) {
            ShowButton(toolbar_, order_, action, true);
        }
        Refill();
    });
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        ShowButton(toolbar_, order_, item->data(Qt::UserRole).value<QAction*>(),
                   item->checkState() == Qt::Checked);
    });
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Buttons of the \"%1\" toolbar:").arg(toolbar_->windowTitle()), this));
    layout->addWidget(list_);
    layout->addWidget(buttons);
    Refill();
}

void CustomizeDialog::ShowButton(QToolBar* toolbar, const QList<QAction*>& order, QAction* button,
                                 bool shown) {
    const QList<QAction*> present = toolbar->actions();
    if (present.contains(button) == shown) {
        return;
    }
    if (!shown) {
        toolbar->removeAction(button);
    } else {
        // Before the first action that follows it in the first order and is still there.
        QAction* before = nullptr;
        for (qsizetype i = order.indexOf(button) + 1; i > 0 && i < order.size() && !before; ++i) {
            if (present.contains(order[i])) {
                before = order[i];
            }
        }
        toolbar->insertAction(before, button);
    }
    ShowSeparatorsBetweenGroups(toolbar);
}

void CustomizeDialog::ShowSeparatorsBetweenGroups(QToolBar* toolbar) {
    // A separator shows after a button of its group, so that no two stand side by side and
    // none stands first.
    bool buttonBefore = false;
    for (QAction* action : toolbar->actions()) {
        if (action->isSeparator()) {
            action->setVisible(buttonBefore);
            buttonBefore = false;
        } else {
            buttonBefore = true;
        }
    }
}

void CustomizeDialog::Refill() {
    const QSignalBlocker blocker(list_);
    list_->clear();
    const QList<QAction*> present = toolbar_->actions();
    for (QAction* action : order_) {
        if (action->isSeparator() || action->data().toInt() == 0) {
            continue;
        }
        QListWidgetItem* item =
            new QListWidgetItem(action->icon(), action->property(kNameProperty).toString(), list_);
        item->setData(Qt::UserRole, QVariant::fromValue(action));
        item->setCheckState(present.contains(action) ? Qt::Checked : Qt::Unchecked);
    }
}
