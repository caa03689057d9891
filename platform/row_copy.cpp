#include "platform/row_copy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

#include "platform/grid_ctrl.h"
#include "platform/grid_printer.h"

QString GridRowCopyText(const GridCtrl* grid, GridRow* row) {
    QStringList cells;
    for (int column = 0; row != nullptr && column < grid->GetColumnCount(); ++column) {
        cells << grid->ShownText(row->Item(column));
    }
    return cells.join(QLatin1Char('\t'));
}

QString GridCopyAllText(const GridCtrl* grid) {
    // The lines a printout shows, children indented by two spaces a level.
    QString text;
    for (const PrintedRow& row : GridPrintedRows(grid)) {
        text += QString(2 * row.depth, QLatin1Char(' ')) + row.texts.join(QLatin1Char('\t')) +
                QLatin1Char('\n');
    }
    return text;
}

RowCopyCommands::RowCopyCommands(GridCtrl* grid)
    : QObject(grid),
      grid_(grid),
      copy_(new QAction(QStringLiteral("Copy\tCtrl+C"), this)),
      copyAll_(new QAction(QStringLiteral("Copy All"), this)) {
    copy_->setStatusTip(QStringLiteral("Copy the selected row and put it on the Clipboard"));
    copyAll_->setStatusTip(QStringLiteral("Copy every row and put them on the Clipboard"));
    connect(copy_, &QAction::triggered, this, &RowCopyCommands::OnCopy);
    connect(copyAll_, &QAction::triggered, this, &RowCopyCommands::OnCopyAll);
    grid_->installEventFilter(this);
}

void RowCopyCommands::AddTo(QMenu* menu) const {
    menu->addAction(copy_);
    menu->addAction(copyAll_);
}

void RowCopyCommands::Update() {
    copy_->setEnabled(grid_->GetCurSel(nullptr, nullptr) != nullptr);
    copyAll_->setEnabled(grid_->GetRow(0) != nullptr);
}

void RowCopyCommands::OnCopy() {
    if (GridRow* row = grid_->GetCurSel(nullptr, nullptr)) {
        QGuiApplication::clipboard()->setText(GridRowCopyText(grid_, row));
    }
}

void RowCopyCommands::OnCopyAll() {
    if (grid_->GetRow(0) != nullptr) {
        QGuiApplication::clipboard()->setText(GridCopyAllText(grid_));
    }
}

bool RowCopyCommands::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (watched != grid_ || !key || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        return false;
    }
    // The grid's own Copy would take the current cell alone; the panels copy whole rows.
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        OnCopy();
        return true;
    }
    return false;
}
