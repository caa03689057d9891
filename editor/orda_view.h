// The editor view of one document: the data element grid over the Encode and Parse buttons,
// the display mode list and the encoded data pane with its three byte tables.
#ifndef QUORVEL_EDITOR_ORDA_VIEW_H
#define QUORVEL_EDITOR_ORDA_VIEW_H

#include <stdint.h>

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "core/tlv.h"
#include "editor/menu_slots.h"
#include "platform/grid_ctrl.h"
#include "platform/long_text_edit.h"
#include "validation/error_row_list.h"

class AnalysisTarget;
class ByteTableView;
class CElementGridCtrl;
class GridCopyMenu;
class FindBar;
class QComboBox;
class QMenu;
class QPrinter;
class QPushButton;
class QUndoStack;
class ViewDocument;
class ViewStep;
struct ViewState;

enum DisplayMode {
    DISPLAY_MODE_EDIT = 0,
    DISPLAY_MODE_8_BYTES = 1,
    DISPLAY_MODE_16_BYTES = 2,
    DISPLAY_MODE_32_BYTES = 3,
    DISPLAY_MODE_COUNT = 4,
};

class COrdaView : public QWidget {
    Q_OBJECT

public:
    explicit COrdaView(QWidget* parent = nullptr);
    ~COrdaView() override;

    // Tall enough for the strip and the grid's header and first rows.
    QSize minimumSizeHint() const override;

    void SetDocument(ViewDocument* document) { document_ = document; }
    void SetAnalysisTarget(AnalysisTarget* target) { analysis_ = target; }

    // Rebuilds the rows of `node` and everything below it under `parent` (null: the whole grid).
    void BuildRows(GridRow* parent, TlvNode* node, uint32_t isConstructed);
    void OnGridSelChange(quintptr wParam, qintptr lParam);
    // Applies an open in-place edit and every edit still posted, before a command acts on the
    // tree or the document.
    void CommitEdits();
    // The Analysis panel shows the selected row's element as it is now, or nothing.
    void RefreshAnalysis();

    // Reads the pane's bytes; false when the text holds more than they do (conversion stopped at
    // a character that is no hex digit, or dropped an odd last digit).
    bool ReadEncodedText();
    void ShowEncodedBytes();
    // The same as an undo step named `stepName` when the pane text changes.
    void ShowEncodedBytesUndoably(const QString& stepName);
    // After a refused Parse: selects the byte where the data went wrong in the pane and the
    // byte tables, and says what is wrong there in the status bar.
    void PointAtParseProblem(TlvResult result);
    // Takes the status bar's word on a refused Parse back once the pane changes or Parse runs
    // again.
    void ClearParseProblem();
    void OnDisplayModeChange();
    void OnParse();
    void OnEncode();
    void StoreDocumentData(QString* treeText, QString* paneText);
    void LoadDocumentData(QString* treeText, const QString& paneText);
    // The same for a pane text of 8-bit characters, which the pane takes without a copy of the
    // whole text in between; a text read in parts continues with AppendDocumentPaneText.
    void LoadDocumentData(QString* treeText, QLatin1String paneText);
    // The same for a tree text of 8-bit characters as a file stores it, which is not written
    // back: a long tree text that does not parse is held once, not in several copies.
    void LoadDocumentData(const QByteArray& treeText, QLatin1String paneText);
    void AppendDocumentPaneText(QLatin1String more);
    void SetDocumentModified();

    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    bool CanCut() const;
    bool CanCopy() const;
    bool CanPaste() const;

    // Undo and redo of the view's steps; while the pane has the focus, of the pane's typing.
    // An open in-place edit is applied first.
    void OnEditUndo();
    void OnEditRedo();
    bool CanUndo() const;
    bool CanRedo() const;
    // The name of the step Undo or Redo would act on; empty for the pane's typing and while a
    // cell is being edited.
    QString UndoText() const;
    QString RedoText() const;
    QUndoStack* UndoStack() const { return undoStack_; }
    // The document was saved: undoing back to this state leaves it unmodified.
    void MarkSaved();
    // Whether the view shows what was last saved or loaded: its steps are back at that state
    // and no typing in the pane is left that the pane's own undo has not taken back.
    bool IsSaved() const;

    // The find bar over the grid: Find opens it, Find Next and Find Previous go to the next
    // and previous row that matches.
    void OnEditFind();
    void OnEditFindNext();
    void OnEditFindPrevious();
    FindBar* GetFindBar() const { return findBar_; }

    // Printing works on the session's printer, so that earlier choices hold.
    void OnFilePrint(QPrinter* printer);
    void OnFilePrintDirect(QPrinter* printer);
    void OnFilePrintPreview(QPrinter* printer);

    // Whether a context menu request on the grid opens the data element menu.
    bool ContextMenuAllowed() const;
    QMenu* DataElementMenu() const { return dataElementMenu_; }
    // The menu of the grid's other cells: the copy commands.
    GridCopyMenu* CopyMenu() const { return copyMenu_; }

    // Structure editing through the data element menu.
    void BuildContextMenu(const TlvNode* element, int selected);
    // Runs a command of the data element menu by its id.
    void OnDataElementCommand(int commandId);
    void OnCreateRoot(int commandId);
    void OnAddChild(int commandId);
    void OnInsertAbove(int commandId);
    void OnInsertBelow(int commandId);
    void OnInsertPadding(int commandId);
    void OnDeleteElement();
    // Delete is offered only with a selection in the Data Element column.
    bool OnUpdateDeleteElement() const;
    // Add and Insert are offered only while the Data Element cell of the element the menu was
    // built for is selected.
    bool OnUpdateElementCommands() const;
    void UpdateLengths(TlvNode* node);
    static void IndexOfChild(const TlvNode* parent, const TlvNode* child, int* index);
    const MenuSlotTable& SlotTable(MenuKind kind) const { return slotTables_[kind]; }

    // Applies an edited cell as the grid's posted notification does, and shows the selected
    // element's new state in the Analysis panel.
    void ApplyEditToCell(const GridItem& cell, int column);

    // The pane's text: exactly as the program last set it (line breaks, no-break spaces and
    // every other byte as loaded) until the user changes it, then the text the user sees.
    QString PaneText() const;
    // Replaces the pane's text as an edit of the user's: the document is marked modified, the
    // pane's own undo takes it back, and a byte table shown shows the new bytes.
    void ReplacePaneText(const QString& text);
    TlvNode* Root() const { return root_; }
    const QByteArray& ByteBuffer() const { return bytes_; }
    int CurrentDisplayMode() const { return displayMode_; }
    CElementGridCtrl* Grid() const { return grid_; }
    LongTextEdit* Pane() const { return pane_; }
    QComboBox* ModeList() const { return modeList_; }
    QPushButton* EncodeButton() const { return encodeButton_; }
    QPushButton* ParseButton() const { return parseButton_; }
    ByteTableView* ByteTable(int mode) const;
    QWidget* PaneWindow(int mode) const { return paneWindows_[mode]; }
    // The window's controls in the order Tab takes them: down the window and left to right,
    // the find bar above the grid first. Hidden ones included.
    QList<QWidget*> TabOrder() const;
    ErrorRowList* Errors() { return &errors_; }

signals:
    // What Cut and Copy can do may have changed: a selection was made or removed.
    void editCommandsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class UndoScope;
    friend class ViewStep;

    void CreateGrid();
    void CreateControls();
    void CreateUndoStack();
    // Tells the document whether the view still shows what was saved.
    void UpdateSavedState();
    // After typing in the pane or the pane's own undo and redo.
    void PaneTextEdited();
    // The pane's text as it now stands is where its typing starts from.
    void SetPaneBaseline();
    // Hands `text` to the window's status bar, as a menu item's prompt is.
    void ShowStatusTip(const QString& text);
    void CreateFindBar();
    void PlaceControls();
    // Undo steps: the state they record, and bringing a recorded state back.
    void CaptureState(ViewState* state) const;
    void RestoreState(const ViewState& state);
    // A step that changes only the pane text, from `paneBefore` to the text it holds now.
    ViewStep* PaneTextStep(const QString& stepName, const QString& paneBefore);
    // Sets the pane text as it was, with the byte tables to match, as the program's own change.
    void RestorePaneText(const QString& text);
    // The byte tables show the bytes of the pane text as it is, which stays unchanged.
    void ShowPaneBytes();
    // Shows the window of display `mode` in the pane's place, leaving the pane text as it is.
    void ShowPaneWindow(int mode);
    QString DataElementStepName(int commandId) const;
    static QString EditStepName(const GridItem& cell, int column);
    // Sets the pane text as the program's own change: it does not mark the document modified.
    // A pane already holding the text keeps it, with its undo history.
    template <typename Text>
    void SetPaneText(Text text);
    // Returns the tree text without white space.
    template <typename Text>
    QByteArray LoadDocument(const QByteArray& treeText, Text paneText);
    void ReplaceRoot(TlvNode* root, uint32_t isConstructed);
    // The rows of `node` and everything below it, not yet in the grid; null when the node gets
    // no row. Rows that may hold sub-rows are added to `templates`.
    GridRow* MakeRows(TlvNode* node, uint32_t isConstructed, std::vector<GridRow*>* templates);
    // The set-up every row of one kind shares: edit switches, options, image.
    const GridRow* RowTemplate(int image, bool lengthOptions, bool valueEditable);
    void OnGridItemChanged(const GridItem& cell, qintptr lParam);
    void OnGridContextMenu(const QPoint& position);
    QWidget* ClipboardTarget() const;
    // Shared by Add, Insert Above and Insert Below: checks, makes and places a new node under
    // `parent` at `index`, then the common tail.
    void InsertNewNode(TlvNode* parent, int index, const MenuSlot* slot);
    // The element of the selected row, with the selected column; null without one.
    TlvNode* SelectedElement(int* column) const;
    // Insert Above (offset 0) and Insert Below (offset 1) of the selected element.
    void InsertNextToSelection(int kind, int paddingId, int commandId, int offset);
    QAction* AddMenuItem(QMenu* menu, const QString& text, int commandId);
    // Enables the menu's commands by the current selection.
    void UpdateDataElementCommands();

    ViewDocument* document_ = nullptr;
    // By image (0 to 5), option cell and editable value.
    std::unique_ptr<GridRow> rowTemplates_[6 * 2 * 2];
    AnalysisTarget* analysis_ = nullptr;
    CElementGridCtrl* grid_ = nullptr;
    QPushButton* encodeButton_ = nullptr;
    QPushButton* parseButton_ = nullptr;
    QComboBox* modeList_ = nullptr;
    LongTextEdit* pane_ = nullptr;
    ByteTableView* byteTables_[3] = {nullptr, nullptr, nullptr};
    QWidget* paneWindows_[DISPLAY_MODE_COUNT] = {nullptr, nullptr, nullptr, nullptr};
    QMenu* dataElementMenu_ = nullptr;
    GridCopyMenu* copyMenu_ = nullptr;
    MenuSlotTable slotTables_[MENU_KIND_COUNT];
    enum class MenuContent { kUnbuilt, kEmpty, kCreate, kElement };
    MenuContent menuContent_ = MenuContent::kUnbuilt;
    // The element the menu's Add and Insert commands were built for; only compared, never read.
    const TlvNode* menuElement_ = nullptr;

    int displayMode_ = DISPLAY_MODE_EDIT;
    TlvNode* root_ = nullptr;
    // A loaded document's tree text that did not parse, written back as it was until the view
    // holds a tree of its own: opening and saving a document never drops its tree.
    QByteArray unreadTree_;
    QByteArray bytes_;
    ErrorRowList errors_;
    QUndoStack* undoStack_ = nullptr;
    // Nesting of the undo scopes running; inside one, changes belong to its step.
    int recording_ = 0;
    FindBar* findBar_ = nullptr;
    bool settingPaneText_ = false;
    // Typing in the pane since the last save that its own undo has not taken back; sticky once
    // the program replaced the pane's text over such typing, which the pane cannot undo then.
    bool paneTyped_ = false;
    bool paneTypedSticky_ = false;
    bool parseProblemShown_ = false;
};

#endif
