#include "app/windows_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

WindowsDialog::WindowsDialog(QMdiArea* area, QWidget* parent)
    : QDialog(parent), area_(area), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Windows"));
    QPushButton* activate = new QPushButton(QStringLiteral("&Activate"), this);
    QPushButton* close = new QPushButton(QStringLiteral("&Close Window(s)"), this);
    QPushButton* ok = new QPushButton(QStringLiteral("OK"), this);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(activate, &QPushButton::clicked, this, &WindowsDialog::ActivateSelected);
    connect(list_, &QListWidget::itemDoubleClicked, this, &WindowsDialog::ActivateSelected);
    connect(close, &QPushButton::clicked, this, &WindowsDialog::CloseSelected);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    QVBoxLayout* buttons = new QVBoxLayout;
    buttons->addWidget(activate);
    buttons->addWidget(close);
    buttons->addStretch();
    buttons->addWidget(ok);
    QHBoxLayout* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    Refill();
}

void WindowsDialog::Refill() {
    list_->clear();
    for (QMdiSubWindow* window : area_->subWindowList()) {
        QListWidgetItem* item = new QListWidgetItem(window->windowTitle(), list_);
        item->setData(Qt::UserRole, QVariant::fromValue<QObject*>(window));
        if (window == area_->activeSubWindow()) {
            list_->setCurrentItem(item);
        }
    }
}

void WindowsDialog::ActivateSelected() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    area_->setActiveSubWindow(
        qobject_cast<QMdiSubWindow*>(selected.first()->data(Qt::UserRole).value<QObject*>()));
    accept();
}

void WindowsDialog::CloseSelected() {
    for (QListWidgetItem* item : list_->selectedItems()) {
        if (QMdiSubWindow* window =
                qobject_cast<QMdiSubWindow*>(item->data(Qt::UserRole).value<QObject*>())) {
            window->close();
        }
    }
    Refill();
}
