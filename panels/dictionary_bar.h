// The "Data Elements" panel: the whole dictionary as a tree, in one of three arrangements.
#ifndef QUORVEL_PANELS_DICTIONARY_BAR_H
#define QUORVEL_PANELS_DICTIONARY_BAR_H

#include <QDockWidget>

class QLineEdit;
class QMenu;
class QToolButton;
class QTreeWidget;

class CDictionaryBar : public QDockWidget {
    Q_OBJECT

public:
    enum SortCommand {
        ID_DE_SORT_ALPHA = 32851,
        ID_DE_SORT_TYPE = 32852,
        ID_DE_SORT_SOURCE = 32853
    };

    explicit CDictionaryBar(QWidget* parent = nullptr);

    void FillTree(int sortCommand);
    // A new arrangement rebuilds the tree; the active one changes nothing.
    void OnSort(int sortCommand);
    int CurrentSort() const { return currentSort_; }
    QTreeWidget* Tree() const { return tree_; }
    QToolButton* SortButton() const { return sortButton_; }
    QMenu* SortMenu() const { return sortMenu_; }
    // Shows only the entries whose name or tag holds the field's text, ignoring case; the root
    // and the arrangement's groups stay.
    QLineEdit* FilterField() const { return filter_; }

signals:
    // The selection names this dictionary index; 0 for groups, the root or no selection.
    void entrySelected(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnSelectionChanged();
    // The column as wide as the widest row.
    void FitColumn();
    void ApplyFilter();

    QTreeWidget* tree_;
    QToolButton* sortButton_;
    QMenu* sortMenu_;
    QLineEdit* filter_;
    int currentSort_ = ID_DE_SORT_ALPHA;
};

#endif
