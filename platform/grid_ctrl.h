// A tree-table of rows and cells: the grid the editor and the panels build on.
//
// Columns have titles, weights (their widths are shares of the grid's width, above each
// column's minimum) and alignments; the user may drag a column wider or narrower, and the
// weights then follow the widths the user left.
// Rows carry one data word and may hold sub-rows. Cells have a text, a text colour, an optional
// image, an edit switch and, for option cells, a list of choices edited with a drop-down.
// Exactly one cell can be selected. The grid reports selection changes at once and cell edits
// made by the user, never text set by the program.
// A grid may show a cell's text other than it holds it (card numbers masked): what is painted,
// printed, copied and shown in tooltips is the shown text (the display role), while Value() and
// the in-place editor keep the text as it is (the edit role).
#ifndef QUORVEL_PLATFORM_GRID_CTRL_H
#define QUORVEL_PLATFORM_GRID_CTRL_H

#include <QColor>
#include <QIcon>
#include <QList>
#include <QStringList>
#include <QTreeWidget>
#include <functional>
#include <vector>

class GridCtrl;
class GridItemDelegate;
class GridRow;

// One cell: a row and a column. A null item names no cell.
class GridItem {
public:
    GridItem() = default;
    GridItem(GridRow* row, int column) : row_(row), column_(column) {}

    bool IsNull() const { return row_ == nullptr; }
    GridRow* Row() const { return row_; }
    int Column() const { return column_; }

    QString Value() const;
    void SetValue(const QString& text) const;
    QColor TextColor() const;
    void SetTextColor(const QColor& color) const;
    void SetImage(int index) const;
    int Image() const;
    bool IsEditable() const;
    void SetEditable(bool editable) const;
    // Turns the cell into an option cell offering `options`.
    void SetOptions(const QStringList& options) const;
    QStringList Options() const;

    bool operator==(const GridItem& other) const {
        return row_ == other.row_ && column_ == other.column_;
    }

private:
    GridRow* row_ = nullptr;
    int column_ = -1;
};

class GridRow : public QTreeWidgetItem {
public:
    void SetData(void* data) { data_ = data; }
    void* Data() const { return data_; }
    GridRow* ParentRow() const { return static_cast<GridRow*>(QTreeWidgetItem::parent()); }
    GridItem Item(int column) { return GridItem(this, column); }
    int SubItemCount() const { return childCount(); }
    GridRow* SubItem(int index) const { return static_cast<GridRow*>(child(index)); }
    void AddSubItem(GridRow* row) { addChild(row); }
    // Rows that may hold sub-rows show an expander even while empty.
    void AllowSubItems(bool allow);
    // The shown text in the display role, through the grid's ShownText function.
    QVariant data(int column, int role) const override;
    // The grid the row was made for, also before it joins it.
    const GridCtrl* Grid() const { return grid_; }

private:
    friend class GridCtrl;
    explicit GridRow(const GridCtrl* grid) : grid_(grid) {}
    GridRow(const GridRow& other) = default;
    void* data_ = nullptr;
    const GridCtrl* grid_;
};

class GridCtrl : public QTreeWidget {
    Q_OBJECT

public:
    explicit GridCtrl(QWidget* parent = nullptr);

    void InsertColumn(int position, const QString& title, int weight);
    QList<int> ColumnWeights() const { return weights_; }
    // Ignored unless it names one positive weight per column.
    void SetColumnWeights(const QList<int>& weights);
    void SetColumnAlign(int column, Qt::Alignment alignment);
    int GetColumnCount() const { return columnCount(); }
    QString ColumnTitle(int column) const;
    Qt::Alignment ColumnAlign(int column) const;
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool IsReadOnly() const { return readOnly_; }
    void SetImageList(const QList<QIcon>& images) { images_ = images; }
    QIcon ImageAt(int index) const { return images_.value(index); }
    // The text a cell shows for the text it holds; none shows every text as it is.
    using ShownTextFunction =
        std::function<QString(const GridRow* row, int column, const QString& text)>;
    void SetShownText(const ShownTextFunction& shown);
    bool HasShownText() const { return static_cast<bool>(shownText_); }
    // The text the cell shows.
    QString ShownText(const GridItem& item) const;

    // A row of GetColumnCount() empty cells, not yet in the grid.
    GridRow* CreateRow() const;
    // A row not yet in the grid with the cells of `model`: texts, colours, images, edit switches
    // and options, shared with the model until one of them changes. No data word, no sub-rows.
    GridRow* CopyRow(const GridRow& model) const;
    void AddRow(GridRow* row) { addTopLevelItem(row); }
    // The index-th row in display order, sub-rows included; null past the last row.
    GridRow* GetRow(int index) const;
    int RowNumber(const GridRow* row) const;
    // The selected row, with its row and column numbers (-1 when none is selected).
    GridRow* GetCurSel(int* rowNumber, int* columnNumber) const;
    GridItem GetCurSelItem() const;
    void SelectItem(const GridItem& item);
    GridRow* FindRowByData(const void* data) const;
    void RemoveAll();
    // Counts the calls of RemoveAll, so that work queued for a cell can tell it is gone.
    quint64 Generation() const { return generation_; }
    // Gives every column its share of the width.
    void AdjustLayout();
    // Whether the cell shows its text only in part; such cells show it whole in a tooltip.
    bool IsTextCut(const GridItem& item) const;

    // The cell whose in-place editor has the focus, and that editor when it edits text.
    QWidget* ActiveTextEditor() const;
    // Ends an open in-place edit as the user's Enter would: a changed text is reported.
    void CommitOpenEditor();

signals:
    void gridSelectionChanged(bool selected);
    void gridItemChanged(GridItem item, int rowNumber, int columnNumber);
    // The user resized a column; ColumnWeights() holds the new widths.
    void columnWeightsChangedByUser();
    // The selection in the in-place text editor changed.
    void editorSelectionChanged();
    // SetShownText changed what the cells show.
    void shownTextChanged();

protected:
    // Hooks of the two notifications; by default they emit the signals.
    virtual void OnSelChanged(bool selected);
    virtual void OnItemChanged(const GridItem& item, int rowNumber, int columnNumber);
    // The narrowest a column may become when the grid shares out its width; 0 by default.
    virtual int ColumnMinimumWidth(int column) const;

    void resizeEvent(QResizeEvent* event) override;
    // Left and Right go from cell to cell as in a spreadsheet; in the first column Left collapses
    // an expanded row, or else goes to the parent, and Right expands a collapsed one.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    friend class GridItemDelegate;
    friend class GridRow;
    void CommitEdit(const GridItem& item, const QString& text);
    void OnSectionResized(int column, int oldWidth, int newWidth);
    void ApplyColumnWidths(const std::vector<int>& widths);
    std::vector<int> SharingMinimums() const;

    GridItemDelegate* delegate_;
    QList<int> weights_;
    // The weights are widths the user gave the columns rather than the initial proportions.
    bool widthsFromUser_ = false;
    QList<Qt::Alignment> alignments_;
    QList<QIcon> images_;
    ShownTextFunction shownText_;
    bool readOnly_ = false;
    bool settingWidths_ = false;
    quint64 generation_ = 0;
};

#endif
