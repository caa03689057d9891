#include "app/customize_dialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

CustomizeDialog::CustomizeDialog(QToolBar* toolbar, QWidget* parent)
    : QDialog(parent), toolbar_(toolbar), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Customize"));
    QDialogButtonBox* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* reset = buttons->addButton(QStringLiteral("&Reset"), QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(reset, &QPushButton::clicked, this, [this] {
        ResetToolbar(toolbar_);
        Refill();
    });
    connect(list_, &QListWidget::itemChanged, this, [](QListWidgetItem* item) {
        QAction* action = item->data(Qt::UserRole).value<QAction*>();
        action->setVisible(item->checkState() == Qt::Checked);
    });
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Buttons of the \"%1\" toolbar:").arg(toolbar_->windowTitle()), this));
    layout->addWidget(list_);
    layout->addWidget(buttons);
    Refill();
}

void CustomizeDialog::ResetToolbar(QToolBar* toolbar) {
    for (QAction* action : toolbar->actions()) {
        action->setVisible(true);
    }
}

void CustomizeDialog::Refill() {
    const QSignalBlocker blocker(list_);
    list_->clear();
    for (QAction* action : toolbar_->actions()) {
        if (action->isSeparator() || action->data().toInt() == 0) {
            continue;
        }
        QListWidgetItem* item = new QListWidgetItem(action->icon(), action->toolTip(), list_);
        item->setData(Qt::UserRole, QVariant::fromValue(action));
        item->setCheckState(action->isVisible() ? Qt::Checked : Qt::Unchecked);
    }
}
