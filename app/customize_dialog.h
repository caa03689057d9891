// "Customize...": takes buttons off the toolbar and puts them back, or puts them all back. The
// commands stay in the menus and keep their keys.
#ifndef QUORVEL_APP_CUSTOMIZE_DIALOG_H
#define QUORVEL_APP_CUSTOMIZE_DIALOG_H

#include <QDialog>
#include <QList>

class QAction;
class QListWidget;
class QToolBar;

class CustomizeDialog : public QDialog {
    Q_OBJECT

public:
    // `order` holds the toolbar's actions as it was first made, separators included.
    CustomizeDialog(QToolBar* toolbar, const QList<QAction*>& order, QWidget* parent = nullptr);

    // Puts `button` on the toolbar at its place in `order`, or takes it off.
    static void ShowButton(QToolBar* toolbar, const QList<QAction*>& order, QAction* button,
                           bool shown);
    // The name a button goes by in the list, whatever its tooltip says at the moment.
    static const char* const kNameProperty;

private:
    static void ShowSeparatorsBetweenGroups(QToolBar* toolbar);
    void Refill();

    QToolBar* toolbar_;
    QList<QAction*> order_;
    QListWidget* list_;
};

#endif
