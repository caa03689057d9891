#include "platform/byte_table.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>

const QColor kRowNumberColor(34, 34, 238);

ByteTableModel::ByteTableModel(int bytesPerRow, QObject* parent)
    : QAbstractTableModel(parent), bytesPerRow_(bytesPerRow) {}

void ByteTableModel::SetBytes(const QByteArray& bytes) {
    beginResetModel();
    bytes_ = bytes;
    endResetModel();
}

int ByteTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return static_cast<int>((bytes_.size() + bytesPerRow_ - 1) / bytesPerRow_);
}

int ByteTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : bytesPerRow_ + 1;
}

QVariant ByteTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return QVariant();
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    }
    if (role == Qt::ForegroundRole && index.column() == 0) {
        return kRowNumberColor;
    }
    if (role != Qt::DisplayRole) {
        return QVariant();
    }
    if (index.column() == 0) {
        return QString::number(index.row() + 1);
    }
    const qsizetype at = static_cast<qsizetype>(index.row()) * bytesPerRow_ + index.column() - 1;
    if (at >= bytes_.size()) {
        return QString();
    }
    return QStringLiteral("%1")
        .arg(static_cast<uint8_t>(bytes_[at]), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QVariant ByteTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return QVariant();
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    }
    if (role != Qt::DisplayRole) {
        return QVariant();
    }
    return section == 0 ? QStringLiteral("Row")
                        : QStringLiteral("%1").arg(section, 2, 10, QLatin1Char('0'));
}

ByteTableView::ByteTableView(int bytesPerRow, QWidget* parent)
    : QTableView(parent), model_(new ByteTableModel(bytesPerRow, this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Tab leaves the table, as it leaves every other control; the arrows move between bytes.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setMinimumSectionSize(8);
    // Bytes and titles are two digits, centred, in columns as wide as the digits need: eliding
    // them for the style's margins would cost the 32-byte table its fit in a window of common
    // width.
    setTextElideMode(Qt::ElideNone);
    horizontalHeader()->setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    connect(model_, &QAbstractItemModel::modelReset, this, &ByteTableView::FitColumns);
}

void ByteTableView::SelectByte(int offset) {
    const int perRow = model_->columnCount() - 1;
    const QModelIndex cell = model_->index(offset / perRow, 1 + offset % perRow);
    if (!cell.isValid()) {
        return;
    }
    setCurrentIndex(cell);
    scrollTo(cell);
}

void ByteTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    FitColumns();
}

void ByteTableView::FitColumns() {
    // Digits are equally wide in the fonts of every look, letters are not. Neither cells nor
    // titles are elided: two pixels clear on each side of the text keep it off the grid lines,
    // and a title keeps the margins its look draws it within.
    const int margin = 4;
    QHeaderView* header = horizontalHeader();
    const int headerMargins =
        qMax(margin, 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header));
    const QFontMetrics headerMetrics = header->fontMetrics();
    const auto width = [&](const QString& cell, const QString& heading) {
        return qMax(fontMetrics().horizontalAdvance(cell) + margin,
                    headerMetrics.horizontalAdvance(heading) + headerMargins);
    };
    int widestDigit = 0;
    for (const char digit : QByteArrayLiteral("0123456789ABCDEF")) {
        widestDigit = qMax(widestDigit, fontMetrics().horizontalAdvance(QLatin1Char(digit)));
    }
    const int digits = static_cast<int>(QString::number(qMax(model_->rowCount(), 1)).size());
    const int rowNeeded = width(QString(digits, QLatin1Char('0')), QStringLiteral("Row"));
    const int byteNeeded = qMax(width(QString(), QStringLiteral("00")), 2 * widestDigit + margin);
    const int columns = model_->columnCount();
    const int available = viewport()->width();
    if (available / columns >= qMax(rowNeeded, byteNeeded)) {
        header->setSectionResizeMode(QHeaderView::Stretch);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        return;
    }
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->resizeSection(0, rowNeeded);
    const bool bytesFit = (available - rowNeeded) / (columns - 1) >= byteNeeded;
    for (int column = 1; column < columns; ++column) {
        header->setSectionResizeMode(column, bytesFit ? QHeaderView::Stretch : QHeaderView::Fixed);
        if (!bytesFit) {
            header->resizeSection(column, byteNeeded);
        }
    }
    setHorizontalScrollBarPolicy(bytesFit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}
