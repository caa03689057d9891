#include "panels/analysis_bar.h"

#include "platform/grid_ctrl.h"

CAnalysisBar::CAnalysisBar(QWidget* parent)
    : QDockWidget(QStringLiteral("Analysis"), parent), grid_(new GridCtrl(this)) {
    grid_->SetReadOnly(true);
    grid_->InsertColumn(0, QStringLiteral("Contents"), 25);
    grid_->InsertColumn(1, QStringLiteral("Data"), 40);
    grid_->InsertColumn(2, QStringLiteral("Description"), 35);
    setWidget(grid_);
}

void CAnalysisBar::ShowElement(uint8_t, const TlvNode*) {
    grid_->RemoveAll();
}
