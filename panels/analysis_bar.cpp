#include "panels/analysis_bar.h"

#include <QMenu>

#include "panels/analysis_rows.h"
#include "panels/panel_images.h"
#include "platform/grid_ctrl.h"
#include "platform/menu_status_tips.h"
#include "platform/row_copy.h"

CAnalysisBar::CAnalysisBar(QWidget* parent)
    : QDockWidget(QStringLiteral("Analysis"), parent),
      grid_(new GridCtrl(this)),
      infoMenu_(new QMenu(QStringLiteral("DE Info popup in Analysis Bar"), this)),
      copy_(new RowCopyCommands(grid_)) {
    grid_->SetReadOnly(true);
    grid_->SetImageList(AnalysisImages());
    grid_->InsertColumn(0, QStringLiteral("Contents"), 25);
    grid_->InsertColumn(1, QStringLiteral("Data"), 40);
    grid_->InsertColumn(2, QStringLiteral("Description"), 35);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, &CAnalysisBar::OnContextMenu);
    QAction* info = infoMenu_->addAction(QStringLiteral("Data Element Info."));
    info->setData(static_cast<int>(ID_DE_INFO));
    info->setStatusTip(QStringLiteral("Data Element Info."));
    info->setToolTip(QStringLiteral("DE Info."));
    connect(info, &QAction::triggered, this, &CAnalysisBar::OnDataElementInfo);
    infoSeparator_ = infoMenu_->addSeparator();
    copy_->AddTo(infoMenu_);
    ForwardMenuStatusTips(infoMenu_, this);
    setWidget(grid_);
}

void CAnalysisBar::ShowElement(uint8_t kind, const TlvNode* node) {
    grid_->RemoveAll();
    grid_->AdjustLayout();
    AnalysisRow header;
    if (!BuildAnalysisRows(kind, node, &header,
                           maskCardNumbers_ ? ANALYSIS_MASK_CARD_NUMBERS : 0)) {
        return;
    }
    AddRow(nullptr, header);
    grid_->expandAll();
    grid_->AdjustLayout();
}

void CAnalysisBar::AddRow(GridRow* parent, const AnalysisRow& row) {
    GridRow* added = grid_->CreateRow();
    added->SetData(reinterpret_cast<void*>(static_cast<quintptr>(row.rowData)));
    added->Item(0).SetValue(QString::fromLatin1(row.contents.c_str()));
    added->Item(1).SetValue(QString::fromLatin1(row.data.c_str()));
    added->Item(2).SetValue(QString::fromLatin1(row.description.data(),
                                                static_cast<qsizetype>(row.description.size())));
    if (!row.tooltip.empty()) {
        for (int column = 0; column < 3; ++column) {
            added->setToolTip(column, QString::fromLatin1(row.tooltip.c_str()));
        }
    }
    if (parent != nullptr) {
        parent->AddSubItem(added);
    } else {
        grid_->AddRow(added);
    }
    added->Item(0).SetImage(row.image);
    if (!row.children.empty()) {
        added->AllowSubItems(true);
    }
    for (const AnalysisRow& child : row.children) {
        AddRow(added, child);
    }
}

bool CAnalysisBar::PrepareInfoMenu() {
    int column = -1;
    GridRow* row = grid_->GetRow(0) != nullptr ? grid_->GetCurSel(nullptr, &column) : nullptr;
    const quintptr data = row != nullptr ? reinterpret_cast<quintptr>(row->Data()) : 0;
    if (row == nullptr || column != 0 || (data & 0xFF) == 0) {
        return false;
    }
    infoIndex_ = static_cast<uint8_t>(data & 0xFF);
    return true;
}

bool CAnalysisBar::PrepareContextMenu() {
    const bool info = PrepareInfoMenu();
    infoMenu_->actions().first()->setVisible(info);
    infoSeparator_->setVisible(info);
    copy_->Update();
    return grid_->GetRow(0) != nullptr;
}

void CAnalysisBar::OnContextMenu(const QPoint& position) {
    if (PrepareContextMenu()) {
        infoMenu_->popup(grid_->viewport()->mapToGlobal(position));
    }
    grid_->setFocus();
}

void CAnalysisBar::OnDataElementInfo() {
    emit infoRequested(infoIndex_);
}
