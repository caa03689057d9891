// The About box.
#ifndef QUORVEL_APP_ABOUT_BOX_H
#define QUORVEL_APP_ABOUT_BOX_H

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

#endif
