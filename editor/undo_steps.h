// Undo and redo of a view's editing: each command that changes the tree, or the pane text where
// it says so, becomes one step of the view's QUndoStack that brings back the state before and
// after it.
#ifndef QUORVEL_EDITOR_UNDO_STEPS_H
#define QUORVEL_EDITOR_UNDO_STEPS_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUndoCommand>

class COrdaView;

// What a step brings back of a view besides its pane text. Rows are named by their number in
// the grid, sub-rows included, which a tree read back from its image gives again.
struct ViewState {
    struct Cell {
        int row;
        int column;
    };
    struct ErrorEntry {
        int parentRow;  // -1 for none
        Cell cell;
    };

    QByteArray tree;        // TreeImage of the root; empty without a tree
    QByteArray unreadTree;  // a loaded document's tree text that did not parse
    QList<Cell> errorCells;
    QList<ErrorEntry> errorEntries;
    Cell selected = {-1, -1};
};

class ViewStep : public QUndoCommand {
public:
    ViewStep(COrdaView* view, const QString& text, const ViewState& before, const ViewState& after);
    void SetPaneTexts(const QString& before, const QString& after);
    // The step also brings back the display mode it was taken in and left.
    void SetDisplayModes(int before, int after);

    void undo() override;
    void redo() override;

private:
    COrdaView* view_;
    ViewState before_;
    ViewState after_;
    bool hasPane_ = false;
    QString paneBefore_;
    QString paneAfter_;
    int modeBefore_ = -1;
    int modeAfter_ = -1;
    // The command has already done what the step's first redo would.
    bool done_ = true;
};

// Makes the command run within its lifetime one step named `text`, when it changed the tree or,
// with kWithPane, the pane text. Within another scope it records nothing of its own: the
// outermost command is the step.
class UndoScope {
public:
    enum PaneUse { kTreeOnly, kWithPane };

    UndoScope(COrdaView* view, const QString& text, PaneUse pane = kTreeOnly);
    ~UndoScope();
    UndoScope(const UndoScope&) = delete;
    UndoScope& operator=(const UndoScope&) = delete;

    // The command marked the document modified, whether or not the tree or the pane text
    // changed: it is a step all the same, so that undoing it takes the mark back.
    void RecordAlways() { always_ = true; }

private:
    COrdaView* view_;
    QString text_;
    bool outermost_;
    bool withPane_;
    bool always_ = false;
    ViewState before_;
    QString paneBefore_;
};

#endif
