// A read-only table of bytes, N per row after a "Row" column with the row numbers. The model
// reads a shared byte array, so a table of a megabyte costs no per-cell objects.
#ifndef QUORVEL_PLATFORM_BYTE_TABLE_H
#define QUORVEL_PLATFORM_BYTE_TABLE_H

#include <QAbstractTableModel>
#include <QByteArray>
#include <QTableView>

class ByteTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    ByteTableModel(int bytesPerRow, QObject* parent);

    void SetBytes(const QByteArray& bytes);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int bytesPerRow_;
    QByteArray bytes_;
};

// Every column takes the same share of the width, unless that share cannot show the row
// numbers whole: the "Row" column then takes what they need and the byte columns share the rest.
// When the rest cannot show each byte's two digits whole either, every column takes what it
// needs and the table scrolls sideways.
class ByteTableView : public QTableView {
    Q_OBJECT

public:
    ByteTableView(int bytesPerRow, QWidget* parent);
    ByteTableModel* Model() const { return model_; }
    // Makes the cell of byte `offset` the current one, selected and in view.
    void SelectByte(int offset);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitColumns();

    ByteTableModel* model_;
};

// Colour of the row numbers.
extern const QColor kRowNumberColor;

#endif
