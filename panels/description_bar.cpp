#include "panels/description_bar.h"

#include "panels/description_row.h"
#include "platform/grid_ctrl.h"

namespace {

const int kWeights[DESCRIPTION_COLUMN_COUNT] = {200, 300, 100, 100, 100, 100, 100};

}  // namespace

CDescriptionBar::CDescriptionBar(QWidget* parent)
    : QDockWidget(QStringLiteral("DE Description"), parent), grid_(new GridCtrl(this)) {
    grid_->SetReadOnly(true);
    grid_->setContextMenuPolicy(Qt::PreventContextMenu);
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
