// The document window: one view of a document, captioned with the document's title.
#ifndef QUORVEL_APP_CHILD_FRAME_H
#define QUORVEL_APP_CHILD_FRAME_H

#include <QMdiSubWindow>

class COrdaDoc;
class COrdaView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    CChildFrame(COrdaDoc* document, QWidget* parent = nullptr);
    ~CChildFrame() override;

    COrdaDoc* Document() const { return document_; }
    COrdaView* View() const { return view_; }
    // Closes the window without the save question: the user has already answered it.
    bool CloseAnswered();
    // The document's title, followed by ":2" and so on while the document has several windows.
    void UpdateTitle();

protected:
    // Closing a document's last window first offers to save it.
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    COrdaDoc* document_;
    COrdaView* view_;
    bool answered_ = false;
};

#endif
