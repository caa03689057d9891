// The "Data Elements" panel: the whole dictionary as a tree, sorted three ways.
#ifndef QUORVEL_PANELS_DICTIONARY_BAR_H
#define QUORVEL_PANELS_DICTIONARY_BAR_H

#include <QDockWidget>

class QTreeWidget;

class CDictionaryBar : public QDockWidget {
    Q_OBJECT

public:
    explicit CDictionaryBar(QWidget* parent = nullptr);
    QTreeWidget* Tree() const { return tree_; }

signals:
    // The selection names this dictionary index; 0 for groups, the root or no selection.
    void entrySelected(int index);

private:
    QTreeWidget* tree_;
};

#endif
