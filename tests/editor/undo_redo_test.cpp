// Undo and redo of every kind of step, each checked against what the view shows before and
// after: the tree, every row, the error colours and list, the selection, the pane text and the
// modified mark.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>

#include "editor/menu_slots.h"
#include "editor/undo_test_util.h"
#include "support/active_window.h"

namespace {

QString Repeat(const char* byte, int count) {
    return QString::fromLatin1(byte).repeated(count);
}

struct StepCase {
    const char* name;
    QString start;
    // Before the step: anything the user does that is no step of its own.
    std::function<void()> prepare;
    std::function<void()> step;
    QString undoText;
};

TEST_F(UndoTest, EveryKindOfStepComesUndoneAndRedoneExactly) {
    const QString pan = "\"Application Primary Account Number(PAN)\"";
    const auto select = [this](int row, int column) {
        return [this, row, column] { Select(row, column); };
    };
    const auto command = [this](const QStringList& path, const QString& prefix) {
        return [this, path, prefix] { view_.OnDataElementCommand(Command(path, prefix)); };
    };
    const auto commandId = [this](int id) {
        return [this, id] { view_.OnDataElementCommand(id); };
    };
    const auto answeredYes = [this](void (COrdaView::*handler)()) {
        return [this, handler] {
            prompts_.QueueAnswer(true);
            (view_.*handler)();
        };
    };
    const auto typeIntoPane = [this](const QString& text) {
        return [this, text] { view_.Pane()->setPlainText(text); };
    };
    const StepCase cases[] = {
        {"parse over rows", "5A021234", typeIntoPane("70075A02123400FF00"),
         answeredYes(&COrdaView::OnParse), "Parse"},
        {"parse clearing the rows", "5A021234", typeIntoPane(""), answeredYes(&COrdaView::OnParse),
         "Parse"},
        {"create", "", nullptr, command({"Create", "Constructed"}, "70 "),
         "Create \"Application Elementary File (AEF) Data Template\""},
        {"add", "7000", select(0, ELEMENT_COLUMN_NAME), command({"Add", "Primitive"}, "5A "),
         "Add " + pan},
        {"add padding", "70045A021234", select(0, ELEMENT_COLUMN_NAME),
         commandId(ID_DE_ADD_PADDING), "Add \"padding\""},
        {"insert above", "70045A021234", select(1, ELEMENT_COLUMN_NAME),
         command({"Insert Above", "Primitive"}, "5F24 "),
         "Insert Above \"Application Expiration Date\""},
        {"insert below", "70045A021234", select(1, ELEMENT_COLUMN_NAME),
         commandId(ID_DE_INSERT_PADDING_BELOW), "Insert Below \"padding\""},
        {"delete", "A506500441424344", select(1, ELEMENT_COLUMN_NAME),
         [this] {
             prompts_.QueueAnswer(true);
             view_.OnDataElementCommand(ID_DE_DELETE);
         },
         "Delete \"Application Label\""},
        {"value", "70045A021234", select(1, ELEMENT_COLUMN_VALUE),
         [this] { Edit(1, ELEMENT_COLUMN_VALUE, "4761739001010010"); }, "Value of " + pan},
        {"value failing an ancestor", "BF0C81DE5F5081DA" + Repeat("41", 218),
         select(1, ELEMENT_COLUMN_VALUE),
         [this] { Edit(1, ELEMENT_COLUMN_VALUE, Repeat("41", 219)); }, "Value of \"Issuer URL\""},
        {"length form", "70045A021234", select(1, ELEMENT_COLUMN_LENGTH_IN),
         [this] { Edit(1, ELEMENT_COLUMN_LENGTH_IN, "2 bytes"); }, "Length in of " + pan},
        {"encode over the pane", "70 04\n5a 02 12 34", nullptr, answeredYes(&COrdaView::OnEncode),
         "Encode"},
        {"encode clearing the pane", "", typeIntoPane("5A02 zz"), answeredYes(&COrdaView::OnEncode),
         "Encode"},
        {"display mode cutting typed text", "", typeIntoPane("5A 02 12 zz 34"),
         [this] {
             view_.ModeList()->setCurrentIndex(DISPLAY_MODE_8_BYTES);
             view_.OnDisplayModeChange();
         },
         "Display Mode"},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        Start(c.start);
        if (c.prepare) {
            c.prepare();
        }
        const ViewSnapshot before = Snapshot();
        c.step();
        const ViewSnapshot after = Snapshot();
        ASSERT_NE(after, before);
        EXPECT_TRUE(after.modified);
        ASSERT_EQ(Steps(), 1);
        EXPECT_EQ(view_.UndoText(), c.undoText);
        EXPECT_TRUE(view_.CanUndo());
        EXPECT_FALSE(view_.CanRedo());

        view_.OnEditUndo();
        EXPECT_EQ(Snapshot(), before);
        EXPECT_EQ(view_.RedoText(), c.undoText);
        EXPECT_FALSE(view_.CanUndo());
        view_.OnEditRedo();
        EXPECT_EQ(Snapshot(), after);
        view_.OnEditUndo();
        EXPECT_EQ(Snapshot(), before);
        view_.OnEditRedo();
        EXPECT_EQ(Snapshot(), after);
        EXPECT_EQ(Steps(), 1);
    }
}

TEST_F(UndoTest, ErrorRowsComeBackWithTheirStep) {
    Start("BF0C81DE5F5081DA" + Repeat("41", 218));
    const ViewSnapshot clean = Snapshot();
    Edit(1, ELEMENT_COLUMN_VALUE, Repeat("41", 219));
    const ViewSnapshot failing = Snapshot();
    ASSERT_EQ(failing.errorCells,
              QStringList({"0:0", "0:1", "0:2", "0:3", "0:4", "0:5", "0:6", "1:4"}));
    ASSERT_EQ(failing.errorEntries, QStringList({"0>1:4"}));
    Edit(1, ELEMENT_COLUMN_VALUE, Repeat("41", 200));
    const ViewSnapshot mended = Snapshot();
    ASSERT_TRUE(mended.errorCells.isEmpty());

    view_.OnEditUndo();
    EXPECT_EQ(Snapshot(), failing);
    // The restored list works as the edit's own did: mending the value clears it again.
    Edit(1, ELEMENT_COLUMN_VALUE, Repeat("41", 200));
    EXPECT_TRUE(Snapshot().errorCells.isEmpty());
    EXPECT_TRUE(view_.Errors()->Entries().isEmpty());
    view_.OnEditUndo();
    EXPECT_EQ(Snapshot(), failing);
    view_.OnEditUndo();
    EXPECT_EQ(Snapshot(), clean);
    view_.OnEditRedo();
    view_.OnEditRedo();
    EXPECT_EQ(Snapshot(), mended);
}

TEST_F(UndoTest, RefusedEditsAddNoStep) {
    const struct {
        const char* name;
        QString start;
        std::function<void()> refusal;
    } cases[] = {
        {"value error", "70045A021234", [this] { Edit(1, ELEMENT_COLUMN_VALUE, "12F4"); }},
        {"padding value error", "70065A02123400FF",
         [this] { Edit(2, ELEMENT_COLUMN_VALUE, "0001"); }},
        {"length error", "718181867F" + Repeat("00", 127),
         [this] { Edit(0, ELEMENT_COLUMN_LENGTH_IN, "1 byte"); }},
        {"unchanged value", "70045A021234", [this] { Edit(1, ELEMENT_COLUMN_VALUE, "12 34"); }},
        {"delete answered no", "A506500441424344",
         [this] {
             Select(1, ELEMENT_COLUMN_NAME);
             prompts_.QueueAnswer(false);
             view_.OnDataElementCommand(ID_DE_DELETE);
         }},
        {"duplicate answered no", "70045A021234",
         [this] {
             Select(0, ELEMENT_COLUMN_NAME);
             prompts_.QueueAnswer(false);
             view_.OnDataElementCommand(Command({"Add", "Primitive"}, "5A "));
         }},
        {"parse answered no", "70045A021234",
         [this] {
             view_.Pane()->setPlainText("5A021234");
             prompts_.QueueAnswer(false);
             view_.OnParse();
         }},
        {"parse of bad data", "70045A021234",
         [this] {
             view_.Pane()->setPlainText("5A0212");
             view_.OnParse();
         }},
        {"encode answered no", "70 04 5A 02 12 34",
         [this] {
             prompts_.QueueAnswer(false);
             view_.OnEncode();
         }},
        {"encode of the same text", "70045A021234", [this] { view_.OnEncode(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        Start(c.start);
        const QString tree = Snapshot().tree;
        c.refusal();
        EXPECT_EQ(Snapshot().tree, tree);
        EXPECT_EQ(Steps(), 0);
        EXPECT_FALSE(view_.CanUndo());
    }
}

TEST_F(UndoTest, PaddingsWithoutBytesComeBackAsRows) {
    // Neither an empty padding nor two paddings side by side survive an encoding: the rows come
    // back all the same.
    Start("70045A021234");
    Select(0, ELEMENT_COLUMN_NAME);
    view_.OnDataElementCommand(ID_DE_ADD_PADDING);
    Select(0, ELEMENT_COLUMN_NAME);
    view_.OnDataElementCommand(ID_DE_ADD_PADDING);
    Edit(3, ELEMENT_COLUMN_VALUE, "00");
    Select(1, ELEMENT_COLUMN_NAME);
    const ViewSnapshot threeChildren = Snapshot();
    ASSERT_EQ(threeChildren.rows.size(), 4);
    prompts_.QueueAnswer(true);
    view_.OnDataElementCommand(ID_DE_DELETE);
    ASSERT_EQ(Snapshot().rows.size(), 3);
    view_.OnEditUndo();
    EXPECT_EQ(Snapshot(), threeChildren);
    for (int i = 0; i < 3; ++i) {
        view_.OnEditUndo();
    }
    EXPECT_EQ(Snapshot().rows.size(), 2);
    for (int i = 0; i < 3; ++i) {
        view_.OnEditRedo();
    }
    EXPECT_EQ(Snapshot().rows, threeChildren.rows);
    EXPECT_EQ(Cell(2, ELEMENT_COLUMN_NAME), "padding");
    EXPECT_EQ(Cell(2, ELEMENT_COLUMN_VALUE), "");
}

TEST_F(UndoTest, UndoingBackToTheSavedStateClearsTheModifiedMark) {
    Start("70045A021234");
    Edit(1, ELEMENT_COLUMN_VALUE, "1111");
    EXPECT_TRUE(document_.modified_);
    view_.MarkSaved();
    document_.modified_ = false;
    Edit(1, ELEMENT_COLUMN_VALUE, "2222");
    EXPECT_TRUE(document_.modified_);
    view_.OnEditUndo();
    EXPECT_FALSE(document_.modified_);
    view_.OnEditUndo();
    EXPECT_TRUE(document_.modified_);
    EXPECT_EQ(RootTlv(), "70045A021234");
    view_.OnEditRedo();
    EXPECT_FALSE(document_.modified_);
    EXPECT_EQ(RootTlv(), "70045A021111");

    // Text typed into the pane is no step: no undo leads back to the saved state after it.
    view_.Pane()->setPlainText("5A021111");
    EXPECT_TRUE(document_.modified_);
    view_.OnEditRedo();
    view_.OnEditUndo();
    EXPECT_TRUE(document_.modified_);
    EXPECT_EQ(RootTlv(), "70045A021111");
}

TEST_F(UndoTest, RedoOfADisplayModeStepBringsBackWhatCameAfterIt) {
    // Text left out by a mode change, then Edit Mode again and more typed: undo brings the text
    // left out back, and redo returns to the mode and the text as they were before the undo.
    Start("");
    view_.Pane()->setPlainText("5A021234 zz");
    view_.ModeList()->setCurrentIndex(DISPLAY_MODE_8_BYTES);
    view_.OnDisplayModeChange();
    ASSERT_EQ(view_.UndoText(), "Display Mode");
    view_.ModeList()->setCurrentIndex(DISPLAY_MODE_EDIT);
    view_.OnDisplayModeChange();
    view_.Pane()->setPlainText("5A021234 9F0702FF00 more");
    view_.OnEditUndo();
    EXPECT_EQ(view_.PaneText(), "5A021234 zz");
    EXPECT_EQ(view_.ModeList()->currentIndex(), DISPLAY_MODE_EDIT);
    view_.OnEditRedo();
    EXPECT_EQ(view_.PaneText(), "5A021234 9F0702FF00 more");
    EXPECT_EQ(view_.ModeList()->currentIndex(), DISPLAY_MODE_EDIT);
    EXPECT_TRUE(view_.Pane()->isVisibleTo(&view_));
}

TEST_F(UndoTest, AnEncodeThatChangesNothingIsAStepAllTheSame) {
    // The Encode the user confirmed marks the document modified although the pane already held
    // the encoding: undoing it takes the mark back.
    Start("70045A021234");
    view_.MarkSaved();
    document_.modified_ = false;
    prompts_.QueueAnswer(true);
    view_.OnEncode();
    EXPECT_TRUE(document_.modified_);
    EXPECT_EQ(view_.UndoText(), "Encode");
    view_.OnEditUndo();
    EXPECT_FALSE(document_.modified_);
    EXPECT_EQ(view_.PaneText(), "70045A021234");
    view_.OnEditRedo();
    EXPECT_TRUE(document_.modified_);
}

TEST_F(UndoTest, TextTypedAfterAnEncodeComesBackWithRedo) {
    Start("70 04 5a 02 12 34");
    prompts_.QueueAnswer(true);
    view_.OnEncode();
    ASSERT_EQ(view_.PaneText(), "70045A021234");
    view_.Pane()->setPlainText("70045A021234 and more");
    view_.OnEditUndo();
    EXPECT_EQ(view_.PaneText(), "70 04 5a 02 12 34");
    EXPECT_EQ(view_.ByteBuffer().toHex().toUpper(), "70045A021234");
    view_.OnEditRedo();
    EXPECT_EQ(view_.PaneText(), "70045A021234 and more");
}

TEST_F(UndoTest, UndoAfterUndoingDropsTheStepsUndone) {
    Start("70045A021234");
    Edit(1, ELEMENT_COLUMN_VALUE, "1111");
    Edit(1, ELEMENT_COLUMN_VALUE, "2222");
    view_.OnEditUndo();
    Edit(1, ELEMENT_COLUMN_LENGTH_IN, "2 bytes");
    EXPECT_EQ(Steps(), 2);
    EXPECT_FALSE(view_.CanRedo());
    view_.OnEditUndo();
    EXPECT_EQ(RootTlv(), "70045A021111");
    view_.OnEditUndo();
    EXPECT_EQ(RootTlv(), "70045A021234");
}

class FocusedUndoTest : public UndoTest {
protected:
    void SetUp() override {
        view_.resize(800, 600);
        ASSERT_TRUE(ShowActive(&view_));
    }
};

TEST_F(FocusedUndoTest, ThePaneKeepsItsOwnUndoWhileItHasTheFocus) {
    Start("70045A021234");
    Edit(1, ELEMENT_COLUMN_VALUE, "1111");
    view_.Pane()->setFocus();
    view_.Pane()->moveCursor(QTextCursor::End);
    QTest::keyClicks(view_.Pane(), "FF");
    ASSERT_EQ(view_.PaneText(), "70045A021234FF");
    EXPECT_TRUE(view_.CanUndo());
    EXPECT_EQ(view_.UndoText(), "");
    view_.OnEditUndo();
    EXPECT_EQ(view_.PaneText(), "70045A021234");
    EXPECT_EQ(RootTlv(), "70045A021111");
    EXPECT_EQ(Steps(), 1);
    view_.OnEditRedo();
    EXPECT_EQ(view_.PaneText(), "70045A021234FF");

    view_.Grid()->setFocus();
    EXPECT_EQ(view_.UndoText(), "Value of \"Application Primary Account Number(PAN)\"");
    view_.OnEditUndo();
    EXPECT_EQ(RootTlv(), "70045A021234");
    EXPECT_EQ(view_.PaneText(), "70045A021234FF");
}

TEST_F(FocusedUndoTest, AnOpenInPlaceEditIsAppliedBeforeTheUndo) {
    Start("70045A021234");
    Edit(1, ELEMENT_COLUMN_VALUE, "1111");
    view_.Grid()->setFocus();
    Select(1, ELEMENT_COLUMN_VALUE);
    view_.Grid()->editItem(Row(1), ELEMENT_COLUMN_VALUE);
    QLineEdit* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText("9999");
    EXPECT_EQ(view_.UndoText(), "");
    EXPECT_TRUE(view_.CanUndo());
    view_.OnEditUndo();
    EXPECT_EQ(RootTlv(), "70045A021111");
    EXPECT_EQ(Cell(1, ELEMENT_COLUMN_VALUE), "1111");
    EXPECT_EQ(Steps(), 2);
    view_.OnEditRedo();
    EXPECT_EQ(RootTlv(), "70045A029999");
}

}  // namespace
