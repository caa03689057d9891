#include "panels/description_bar.h"

#include <QMenu>

#include "panels/description_row.h"
#include "platform/grid_ctrl.h"
#include "platform/menu_status_tips.h"
#include "platform/row_copy.h"

namespace {

const int kWeights[DESCRIPTION_COLUMN_COUNT] = {200, 300, 100, 100, 100, 100, 100};

}  // namespace

CDescriptionBar::CDescriptionBar(QWidget* parent)
    : QDockWidget(QStringLiteral("DE Description"), parent),
      grid_(new GridCtrl(this)),
      copy_(new RowCopyCommands(grid_)),
      copyMenu_(new QMenu(this)) {
    grid_->SetReadOnly(true);
    copy_->AddTo(copyMenu_);
    ForwardMenuStatusTips(copyMenu_, this);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        copy_->Update();
        if (grid_->GetRow(0) != nullptr) {
            copyMenu_->popup(grid_->viewport()->mapToGlobal(position));
        }
    });
    grid_->setWordWrap(true);
    grid_->setUniformRowHeights(false);
    grid_->setRootIsDecorated(false);
    for (int column = 0; column < DESCRIPTION_COLUMN_COUNT; ++column) {
        grid_->InsertColumn(column, QString::fromLatin1(kDescriptionColumnTitles[column]),
                            kWeights[column]);
        grid_->SetColumnAlign(column, column < 2 ? Qt::AlignLeft : Qt::AlignHCenter);
    }
    setWidget(grid_);
}

void CDescriptionBar::ShowEntry(int index) {
    grid_->RemoveAll();
    DescriptionRow texts;
    if (BuildDescriptionRow(index, &texts)) {
        GridRow* row = grid_->CreateRow();
        for (int column = 0; column < DESCRIPTION_COLUMN_COUNT; ++column) {
            const QString text = QString::fromLatin1(texts.cells[column].c_str());
            row->Item(column).SetValue(text);
        }
        grid_->AddRow(row);
    }
    grid_->AdjustLayout();
}
