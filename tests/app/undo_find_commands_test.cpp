// Edit > Undo, Redo and Find in the main window: their texts, keys and toolbar buttons, and the
// document's " *" mark as steps are undone back to the saved state.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>

#include "app/app_fixture.h"
#include "app/app_ids.h"
#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/orda_app.h"
#include "app/orda_doc.h"
#include "dictionary/element_row.h"
#include "editor/element_grid_ctrl.h"
#include "editor/find_bar.h"
#include "editor/menu_slots.h"
#include "editor/orda_view.h"
#include "platform/scripted_prompts.h"
#include "support/active_window.h"

namespace {

class UndoCommandsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(ShowActive(Frame()));
    }
    QAction* Undo() { return Frame()->Action(ID_EDIT_UNDO); }
    QAction* Redo() { return Frame()->Action(ID_EDIT_REDO); }

    // A saved document showing `hex`, with the grid focused.
    CChildFrame* SavedDocument(const QString& hex) {
        CChildFrame* frame = app_->OnFileNew();
        frame->View()->Pane()->setPlainText(hex);
        frame->View()->OnParse();
        prompts_.QueuePath(dir_.filePath(QStringLiteral("card.tlv")));
        EXPECT_TRUE(frame->Document()->SaveAs(Frame()));
        frame->View()->Grid()->setFocus();
        return frame;
    }
};

TEST_F(UndoCommandsTest, MenuTextsNameTheStep) {
    EXPECT_FALSE(Undo()->isEnabled());
    CChildFrame* frame = SavedDocument("A509500441424344870101");
    COrdaView* view = frame->View();
    // Parsing the typed text was the first step.
    EXPECT_EQ(Undo()->text(), "&Undo Parse\tCtrl+Z");
    EXPECT_TRUE(Undo()->isEnabled());
    EXPECT_FALSE(Redo()->isEnabled());

    view->Grid()->SelectItem(view->Grid()->GetRow(1)->Item(ELEMENT_COLUMN_NAME));
    prompts_.QueueAnswer(true);
    view->OnDataElementCommand(ID_DE_DELETE);
    EXPECT_TRUE(Undo()->isEnabled());
    EXPECT_EQ(Undo()->text(), "&Undo Delete \"Application Label\"\tCtrl+Z");
    EXPECT_EQ(Undo()->toolTip(), "Undo Delete \"Application Label\"");
    EXPECT_EQ(Redo()->text(), "&Redo\tCtrl+Y");

    Undo()->trigger();
    EXPECT_EQ(Undo()->text(), "&Undo Parse\tCtrl+Z");
    EXPECT_EQ(Redo()->text(), "&Redo Delete \"Application Label\"\tCtrl+Y");
    EXPECT_TRUE(Redo()->isEnabled());
    EXPECT_TRUE(Frame()->StandardToolBar()->actions().contains(Undo()));
    EXPECT_TRUE(Frame()->StandardToolBar()->actions().contains(Redo()));
}

TEST_F(UndoCommandsTest, KeysUndoAndRedoBackToTheSavedState) {
    CChildFrame* frame = SavedDocument("70045A021234");
    COrdaView* view = frame->View();
    EXPECT_EQ(frame->windowTitle(), "card.tlv");
    const auto edit = [view](const QString& value) {
        const GridItem cell = view->Grid()->GetRow(1)->Item(ELEMENT_COLUMN_VALUE);
        cell.SetValue(value);
        view->ApplyEditToCell(cell, ELEMENT_COLUMN_VALUE);
    };
    edit("4761739001010010");
    EXPECT_EQ(frame->windowTitle(), "card.tlv *");
    EXPECT_EQ(Undo()->text(), "&Undo Value of \"Application Primary Account Number(PAN)\"\tCtrl+Z");

    QTest::keyClick(view->Grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view->Grid()->GetRow(0)->Item(ELEMENT_COLUMN_TLV).Value(), "70045A021234");
    EXPECT_EQ(frame->windowTitle(), "card.tlv");
    EXPECT_FALSE(frame->Document()->IsModified());
    EXPECT_EQ(Redo()->text(), "&Redo Value of \"Application Primary Account Number(PAN)\"\tCtrl+Y");

    QTest::keyClick(view->Grid(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(view->Grid()->GetRow(0)->Item(ELEMENT_COLUMN_TLV).Value(),
              "700A5A084761739001010010");
    EXPECT_EQ(frame->windowTitle(), "card.tlv *");
    QTest::keyClick(view->Grid(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(view->Grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(view->Grid()->GetRow(0)->Item(ELEMENT_COLUMN_TLV).Value(),
              "700A5A084761739001010010");

    // Saving makes this the state undo leads back to.
    ASSERT_TRUE(frame->Document()->Save(Frame()));
    EXPECT_EQ(frame->windowTitle(), "card.tlv");
    Undo()->trigger();
    EXPECT_EQ(frame->windowTitle(), "card.tlv *");
    Redo()->trigger();
    EXPECT_EQ(frame->windowTitle(), "card.tlv");
}

TEST_F(UndoCommandsTest, ThePaneUndoesItsOwnTyping) {
    CChildFrame* frame = SavedDocument("70045A021234");
    COrdaView* view = frame->View();
    view->Grid()->SelectItem(view->Grid()->GetRow(1)->Item(ELEMENT_COLUMN_LENGTH_IN));
    const GridItem cell = view->Grid()->GetRow(1)->Item(ELEMENT_COLUMN_LENGTH_IN);
    cell.SetValue("2 bytes");
    view->ApplyEditToCell(cell, ELEMENT_COLUMN_LENGTH_IN);

    QPlainTextEdit* pane = view->Pane();
    pane->setFocus();
    pane->moveCursor(QTextCursor::End);
    QTest::keyClicks(pane, "00");
    EXPECT_EQ(Undo()->text(), "&Undo\tCtrl+Z");
    EXPECT_TRUE(Undo()->isEnabled());
    QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view->PaneText(), "70045A021234");
    EXPECT_EQ(view->UndoStack()->index(), 2);
    for (const auto modifiers :
         {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
        QTest::keyClick(pane, modifiers & Qt::ShiftModifier ? Qt::Key_Z : Qt::Key_Y, modifiers);
        EXPECT_EQ(view->PaneText(), "70045A02123400");
        QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
    }
    EXPECT_EQ(view->UndoStack()->index(), 2);
    // Edit > Undo from the menu acts on the pane as well.
    QTest::keyClicks(pane, "11");
    Undo()->trigger();
    EXPECT_EQ(view->PaneText(), "70045A021234");
    EXPECT_EQ(view->Grid()->GetRow(1)->Item(ELEMENT_COLUMN_LENGTH_IN).Value(), "2 bytes");

    view->Grid()->setFocus();
    EXPECT_EQ(Undo()->text(),
              "&Undo Length in of \"Application Primary Account Number(PAN)\"\tCtrl+Z");
    Undo()->trigger();
    EXPECT_EQ(view->Grid()->GetRow(1)->Item(ELEMENT_COLUMN_LENGTH_IN).Value(), "1 byte");
    // The typing was taken back as well: this is the saved document.
    EXPECT_EQ(frame->windowTitle(), "card.tlv");
}

// Typing in the pane marks the document, and undoing it in the pane back to the saved text
// clears the mark; typing the program has since replaced stays unsaved.
TEST_F(UndoCommandsTest, UndoingThePanesTypingBackToTheSavedTextClearsTheMark) {
    CChildFrame* frame = SavedDocument("70045A021234");
    COrdaView* view = frame->View();
    QPlainTextEdit* pane = view->Pane();
    pane->setFocus();
    pane->moveCursor(QTextCursor::End);
    QTest::keyClicks(pane, "AB");
    EXPECT_EQ(frame->windowTitle(), "card.tlv *");
    EXPECT_TRUE(frame->Document()->IsModified());
    QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view->PaneText(), "70045A021234");
    EXPECT_EQ(frame->windowTitle(), "card.tlv");
    EXPECT_FALSE(frame->Document()->IsModified());
    QTest::keyClick(pane, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(frame->windowTitle(), "card.tlv *");

    // Encode replaces the typed text; undoing Encode brings it back, still unsaved.
    prompts_.QueueAnswer(true);
    view->OnEncode();
    EXPECT_EQ(view->PaneText(), "70045A021234");
    view->Grid()->setFocus();
    Undo()->trigger();
    EXPECT_EQ(view->PaneText(), "70045A021234AB");
    EXPECT_EQ(frame->windowTitle(), "card.tlv *");
    pane->setFocus();
    QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(frame->windowTitle(), "card.tlv *");

    // Saving makes the typed text the saved one.
    ASSERT_TRUE(frame->Document()->Save(Frame()));
    EXPECT_EQ(frame->windowTitle(), "card.tlv");
    QTest::keyClicks(pane, "C");
    QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(frame->windowTitle(), "card.tlv");
}

// A refused Parse selects the byte in error in the pane, and Undo still takes the Parse back.
TEST_F(UndoCommandsTest, AFailedParseStaysOneUndoAway) {
    CChildFrame* frame = app_->OnFileNew();
    COrdaView* view = frame->View();
    view->Pane()->setPlainText(QStringLiteral("5a 02 12 XYZ"));
    view->Grid()->setFocus();
    view->OnParse();
    EXPECT_EQ(view->PaneText(), "5A0212");
    EXPECT_EQ(view->Pane()->textCursor().selectedText(), "5A");
    EXPECT_EQ(Undo()->text(), "&Undo Parse\tCtrl+Z");
    Undo()->trigger();
    EXPECT_EQ(view->PaneText(), "5a 02 12 XYZ");
}

TEST_F(UndoCommandsTest, FindKeysReachTheActiveDocument) {
    for (int id : {ID_EDIT_FIND, ID_EDIT_FIND_NEXT, ID_EDIT_FIND_PREVIOUS}) {
        EXPECT_FALSE(Frame()->Action(id)->isEnabled()) << id;
    }
    CChildFrame* frame = SavedDocument("701A5A0812345678901234565F24032512319F420209785F2A020978");
    COrdaView* view = frame->View();
    FindBar* bar = view->GetFindBar();
    ASSERT_TRUE(bar->isHidden());
    QTest::keyClick(view->Grid(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_FALSE(bar->isHidden());
    ASSERT_EQ(QApplication::focusWidget(), bar->Field());
    QTest::keyClicks(bar->Field(), "0978");
    int row = -1;
    view->Grid()->GetCurSel(&row, nullptr);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(bar->Status(), "1 of 3");
    QTest::keyClick(bar->Field(), Qt::Key_F3);
    view->Grid()->GetCurSel(&row, nullptr);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(bar->Status(), "2 of 3");
    QTest::keyClick(bar->Field(), Qt::Key_F3, Qt::ShiftModifier);
    view->Grid()->GetCurSel(&row, nullptr);
    EXPECT_EQ(row, 0);
    QTest::keyClick(bar->Field(), Qt::Key_Escape);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), view->Grid());
}

}  // namespace
