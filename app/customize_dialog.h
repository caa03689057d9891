// "Customize...": shows and hides the buttons of the toolbar, or puts them all back.
#ifndef QUORVEL_APP_CUSTOMIZE_DIALOG_H
#define QUORVEL_APP_CUSTOMIZE_DIALOG_H

#include <QDialog>

class QListWidget;
class QToolBar;

class CustomizeDialog : public QDialog {
    Q_OBJECT

public:
    CustomizeDialog(QToolBar* toolbar, QWidget* parent = nullptr);

    // Shows every button of the toolbar again.
    static void ResetToolbar(QToolBar* toolbar);

private:
    void Refill();

    QToolBar* toolbar_;
    QListWidget* list_;
};

#endif
