// "Windows...": the open document windows, to activate or close.
#ifndef QUORVEL_APP_WINDOWS_DIALOG_H
#define QUORVEL_APP_WINDOWS_DIALOG_H

#include <QDialog>

class QListWidget;
class QMdiArea;

class WindowsDialog : public QDialog {
    Q_OBJECT

public:
    WindowsDialog(QMdiArea* area, QWidget* parent = nullptr);

private:
    void Refill();
    void ActivateSelected();
    void CloseSelected();

    QMdiArea* area_;
    QListWidget* list_;
};

#endif
