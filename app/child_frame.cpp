#include "app/child_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QUndoStack>

#include "app/orda_doc.h"
#include "app/tab_cycle.h"
#include "editor/orda_view.h"

CChildFrame::CChildFrame(COrdaDoc* document, QWidget* parent)
    : QMdiSubWindow(parent), document_(document), view_(new COrdaView) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Ctrl+F4 closes the window that has the focus, as document windows do on Windows and in
    // most desktops' programs. The window menu's Close keeps the desktop's own keys (Ctrl+W
    // alone on X11) less Ctrl+F4 where they include it: two actions on one key answer neither.
    const QKeySequence closeWindowKey(Qt::CTRL | Qt::Key_F4);
    for (QAction* action : actions()) {
        QList<QKeySequence> keys = action->shortcuts();
        if (keys.removeAll(closeWindowKey) > 0) {
            action->setShortcuts(keys);
        }
    }
    QAction* closeWindow = new QAction(this);
    closeWindow->setShortcut(closeWindowKey);
    connect(closeWindow, &QAction::triggered, this, &QWidget::close);
    addAction(closeWindow);
    setWidget(view_);
    document_->AddView(view_);
    UpdateTitle();
    connect(document_, &COrdaDoc::titleChanged, this, &CChildFrame::UpdateTitle);
    connect(document_, &COrdaDoc::viewsChanged, this, &CChildFrame::UpdateTitle);
}

void CChildFrame::UpdateTitle() {
    QString title = document_->Title();
    if (const int number = document_->ViewNumber(view_)) {
        // "a.tlv:2 *": the number belongs to the name, the mark to the whole.
        const bool marked = title.endsWith(QStringLiteral(" *"));
        if (marked) {
            title.chop(2);
        }
        title += QStringLiteral(":%1").arg(number) + (marked ? QStringLiteral(" *") : QString());
    }
    setWindowTitle(title);
}

CChildFrame::~CChildFrame() {
    document_->RemoveView(view_);
    if (document_->ViewCount() == 0) {
        document_->deleteLater();
    }
}

bool CChildFrame::CloseAnswered() {
    answered_ = true;
    const bool closed = close();
    answered_ = false;
    return closed;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    view_->CommitEdits();
    if (!answered_ && document_->ViewCount() <= 1 && !document_->SaveModified(this)) {
        event->ignore();
        return;
    }
    // A window whose data no other window can take is asked about as the last one is, when it
    // holds unsaved changes; what the window left holds then differs from the file.
    const bool handedOver = document_->ViewCount() <= 1 || document_->HandOverFrom(view_);
    if (!handedOver && !answered_ && !view_->IsSaved() && !document_->SaveModified(this, view_)) {
        event->ignore();
        return;
    }
    // The frame is deleted later; until then a save must not read this view.
    document_->RemoveView(view_);
    if (!handedOver) {
        document_->MarkUnsaved();
    }
    QMdiSubWindow::closeEvent(event);
}

bool CChildFrame::focusNextPrevChild(bool next) {
    // Tab goes on from the document window's controls to the panels of the main window.
    return (mdiArea() != nullptr && MoveTabFocus(window(), mdiArea(), view_->TabOrder(), next)) ||
           QMdiSubWindow::focusNextPrevChild(next);
}
