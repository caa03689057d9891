// COrdaView: the find bar over the grid.
#include "editor/element_grid_ctrl.h"
#include "editor/find_bar.h"
#include "editor/orda_view.h"

void COrdaView::CreateFindBar() {
    findBar_ = new FindBar(grid_, this);
    findBar_->hide();
    connect(findBar_, &FindBar::shownChanged, this, &COrdaView::PlaceControls);
}

void COrdaView::OnEditFind() {
    CommitEdits();
    findBar_->Open();
}

void COrdaView::OnEditFindNext() {
    CommitEdits();
    if (findBar_->Text().isEmpty() || findBar_->isHidden()) {
        findBar_->Open();
    }
    findBar_->FindNext();
}

void COrdaView::OnEditFindPrevious() {
    CommitEdits();
    if (findBar_->Text().isEmpty() || findBar_->isHidden()) {
        findBar_->Open();
    }
    findBar_->FindPrevious();
}
