#include "editor/undo_steps.h"

#include <QUndoStack>

#include "editor/orda_view.h"

ViewStep::ViewStep(COrdaView* view, const QString& text, const ViewState& before,
                   const ViewState& after)
    : QUndoCommand(text), view_(view), before_(before), after_(after) {}

void ViewStep::SetPaneTexts(const QString& before, const QString& after) {
    hasPane_ = true;
    paneBefore_ = before;
    paneAfter_ = after;
}

void ViewStep::SetDisplayModes(int before, int after) {
    modeBefore_ = before;
    modeAfter_ = after;
}

void ViewStep::undo() {
    view_->RestoreState(before_);
    if (hasPane_) {
        // Text typed into the pane since is what a redo brings back.
        paneAfter_ = view_->PaneText();
        view_->RestorePaneText(paneBefore_);
    }
    if (modeBefore_ >= 0) {
        // As with the pane text: the mode chosen since is what a redo brings back.
        modeAfter_ = view_->displayMode_;
        view_->ShowPaneWindow(modeBefore_);
    }
}

void ViewStep::redo() {
    if (done_) {
        done_ = false;
        return;
    }
    view_->RestoreState(after_);
    if (hasPane_) {
        paneBefore_ = view_->PaneText();
        view_->RestorePaneText(paneAfter_);
    }
    if (modeAfter_ >= 0) {
        view_->ShowPaneWindow(modeAfter_);
    }
}

UndoScope::UndoScope(COrdaView* view, const QString& text, PaneUse pane)
    : view_(view), text_(text), outermost_(view->recording_++ == 0), withPane_(pane == kWithPane) {
    if (outermost_) {
        view_->CaptureState(&before_);
        if (withPane_) {
            paneBefore_ = view_->PaneText();
        }
    }
}

UndoScope::~UndoScope() {
    if (outermost_) {
        ViewState after;
        view_->CaptureState(&after);
        const QString paneAfter = withPane_ ? view_->PaneText() : QString();
        const bool paneChanged = withPane_ && paneAfter != paneBefore_;
        if (after.tree != before_.tree || paneChanged || always_) {
            ViewStep* step = new ViewStep(view_, text_, before_, after);
            if (paneChanged) {
                step->SetPaneTexts(paneBefore_, paneAfter);
            }
            view_->UndoStack()->push(step);
        }
    }
    --view_->recording_;
}
