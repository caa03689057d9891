#include "editor/orda_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEnterEvent>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QUndoStack>

#include "dictionary/element_row.h"
#include "editor/button_images.h"
#include "editor/element_grid_ctrl.h"
#include "editor/view_fakes.h"
#include "platform/byte_table.h"
#include "platform/grid_printer.h"
#include "platform/scripted_prompts.h"
#include "support/active_window.h"

namespace {

class ViewTest : public ::testing::Test {
protected:
    ViewTest() {
        view_.SetDocument(&document_);
        view_.SetAnalysisTarget(&analysis_);
        view_.resize(900, 500);
    }

    // Puts `text` into the pane of a document saved so, then presses Parse.
    void Parse(const QString& text) {
        view_.Pane()->setPlainText(text);
        view_.MarkSaved();
        document_.modified_ = false;
        view_.OnParse();
    }

    QStringList RowTexts(int rowIndex) {
        QStringList texts;
        GridRow* row = view_.Grid()->GetRow(rowIndex);
        for (int column = 0; row != nullptr && column < ELEMENT_COLUMN_COUNT; ++column) {
            texts << row->Item(column).Value();
        }
        return texts;
    }

    QString PaneText() { return view_.PaneText(); }

    ScriptedPrompts prompts_;
    FakeDocument document_;
    FakeAnalysis analysis_;
    COrdaView view_;
};

TEST_F(ViewTest, ParseBuildsOneRowPerNode) {
    Parse(QStringLiteral("70 07\r\n5A 02 12 34\t00 FF 00"));
    EXPECT_TRUE(prompts_.History().isEmpty());
    EXPECT_TRUE(document_.modified_);
    EXPECT_EQ(RowTexts(0),
              QStringList({"Application Elementary File (AEF) Data Template", "70", "1 byte", "07",
                           "5A02123400FF00", "7 bytes", "70075A02123400FF00"}));
    EXPECT_EQ(RowTexts(1), QStringList({"Application Primary Account Number(PAN)", "5A", "1 byte",
                                        "02", "1234", "2 bytes", "5A021234"}));
    EXPECT_EQ(RowTexts(2), QStringList({"padding", "", "", "", "00FF00", "3 bytes", "00FF00"}));
    EXPECT_EQ(view_.Grid()->GetRow(3), nullptr);

    GridRow* root = view_.Grid()->GetRow(0);
    GridRow* pan = view_.Grid()->GetRow(1);
    GridRow* padding = view_.Grid()->GetRow(2);
    EXPECT_EQ(root->Data(), view_.Root());
    EXPECT_EQ(pan->ParentRow(), root);
    EXPECT_EQ(root->Item(0).Image(), 1);
    EXPECT_EQ(pan->Item(0).Image(), 3);
    EXPECT_EQ(padding->Item(0).Image(), 5);
    EXPECT_FALSE(root->Item(ELEMENT_COLUMN_VALUE).IsEditable());
    EXPECT_TRUE(pan->Item(ELEMENT_COLUMN_VALUE).IsEditable());
    EXPECT_TRUE(padding->Item(ELEMENT_COLUMN_VALUE).IsEditable());
    EXPECT_TRUE(pan->Item(ELEMENT_COLUMN_LENGTH_IN).IsEditable());
    EXPECT_FALSE(pan->Item(ELEMENT_COLUMN_TAG).IsEditable());
    EXPECT_EQ(pan->Item(ELEMENT_COLUMN_LENGTH_IN).Options(), QStringList({"1 byte", "2 bytes"}));
    EXPECT_TRUE(padding->Item(ELEMENT_COLUMN_LENGTH_IN).Options().isEmpty());
    // A successful parse leaves the pane as typed.
    EXPECT_EQ(PaneText(), QStringLiteral("70 07\r\n5A 02 12 34\t00 FF 00").replace("\r\n", "\n"));
}

TEST_F(ViewTest, LongLengthFormsShowTwoBytes) {
    Parse(QStringLiteral("5A81021234"));
    EXPECT_EQ(RowTexts(0), QStringList({"Application Primary Account Number(PAN)", "5A", "2 bytes",
                                        "8102", "1234", "2 bytes", "5A81021234"}));
}

TEST_F(ViewTest, FailedParseReportsAndNormalisesThePane) {
    struct {
        const char* pane;
        const char* message;
        const char* paneAfter;
    } cases[] = {
        {"5A 02 12", "Bad formatted BER-TLV data !", "5A0212"},
        {"7008A503880101FFFF00",
         "Bad formatted BER-TLV data !\r\n\r\nPadding data is located at the invalid position.",
         "7008A503880101FFFF00"},
        {"5a021234XYZ5A", nullptr, "5a021234XYZ5A"},
    };
    for (const auto& c : cases) {
        prompts_.Clear();
        Parse(QString::fromLatin1(c.pane));
        if (c.message == nullptr) {
            EXPECT_TRUE(prompts_.History().isEmpty());
            EXPECT_EQ(RowTexts(0).value(6), "5A021234");
        } else {
            ASSERT_EQ(prompts_.History().size(), 1) << c.pane;
            EXPECT_FALSE(prompts_.History()[0].question);
            EXPECT_EQ(prompts_.History()[0].text, c.message);
            EXPECT_EQ(prompts_.History()[0].caption, "Data Error");
            EXPECT_EQ(view_.Grid()->GetRow(0), nullptr);
            // Only rewriting the pane is a change, one that Undo takes back.
            EXPECT_EQ(document_.modified_, QString::fromLatin1(c.paneAfter) != c.pane);
        }
        EXPECT_EQ(PaneText(), c.paneAfter);
    }
}

// Keeps the last status-bar prompt the view sends up to its window.
class StatusTipCatcher : public QObject {
public:
    QString tip;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::StatusTip) {
            tip = static_cast<QStatusTipEvent*>(event)->tip();
        }
        return false;
    }
};

// After the editor's message, the pane and the byte tables select the byte where the data went
// wrong, and the status bar says what is wrong there.
TEST_F(ViewTest, AFailedParsePointsAtTheByteInError) {
    StatusTipCatcher catcher;
    view_.installEventFilter(&catcher);
    struct {
        const char* pane;
        int offset;
        const char* tip;
        const char* selected;
    } cases[] = {
        {"5A 02 12", 0, "Truncated value at offset 0.", "5A"},
        {"7707 820219 80 940212 34", 6, "Element reaches past the end of its template at offset 6.",
         "94"},
        {"5A021234 9F0102", 4, "Trailing bytes at offset 4.", "9F"},
        {"7008A503880101FFFF00", 7, "Misplaced padding at offset 7.", "FF"},
        // A length field at fault: the tag and the length's first byte.
        {"5A80", 0, "Indefinite length at offset 0.", "5A80"},
        {"5F2A", 0, "Truncated length at offset 0.", "5F2A"},
        {"9F3682000212 34", 0, "Length field longer than 81 xx at offset 0.", "9F3682"},
    };
    for (const auto& c : cases) {
        catcher.tip.clear();
        Parse(QString::fromLatin1(c.pane));
        EXPECT_EQ(catcher.tip, c.tip) << c.pane;
        const QTextCursor cursor = view_.Pane()->textCursor();
        EXPECT_EQ(cursor.selectionStart(), 2 * c.offset) << c.pane;
        EXPECT_EQ(cursor.selectedText(), c.selected) << c.pane;
        for (int mode = DISPLAY_MODE_8_BYTES; mode <= DISPLAY_MODE_32_BYTES; ++mode) {
            const auto* table = static_cast<ByteTableView*>(view_.PaneWindow(mode));
            const QModelIndex current = table->currentIndex();
            const int perRow = table->model()->columnCount() - 1;
            EXPECT_EQ(current.row() * perRow + current.column() - 1, c.offset) << c.pane;
            EXPECT_TRUE(table->selectionModel()->isSelected(current)) << c.pane;
        }
    }
    // Typing takes the word back, and so does the next Parse.
    QTest::keyClicks(view_.Pane(), "0");
    EXPECT_EQ(catcher.tip, "");
    Parse(QStringLiteral("5A80"));
    EXPECT_EQ(catcher.tip, "Indefinite length at offset 0.");
    Parse(QStringLiteral("5A021234"));
    EXPECT_EQ(catcher.tip, "");
}

// The text a failed Parse leaves out of the pane was typed by the user: one undo brings it back.
TEST_F(ViewTest, TextAFailedParseLeavesOutIsOneUndoAway) {
    const QString typed = QStringLiteral("5A 02 12 XYZ more text");
    Parse(typed);
    EXPECT_EQ(PaneText(), "5A0212");
    QUndoStack* stack = view_.UndoStack();
    ASSERT_TRUE(stack->canUndo());
    EXPECT_EQ(stack->undoText(), "Parse");
    stack->undo();
    EXPECT_EQ(PaneText(), typed);
    stack->redo();
    EXPECT_EQ(PaneText(), "5A0212");

    // Parsing an empty pane over rows, answered No, keeps the rows and the typed text.
    Parse(QStringLiteral("5A021234"));
    const int steps = stack->count();
    prompts_.QueueAnswer(false);
    Parse(QStringLiteral("zz top"));
    EXPECT_EQ(PaneText(), "");
    EXPECT_EQ(RowTexts(0).value(6), "5A021234");
    ASSERT_EQ(stack->count(), steps + 1);
    stack->undo();
    EXPECT_EQ(PaneText(), "zz top");

    // A text the conversion takes whole adds no step.
    Parse(QStringLiteral("7005"));
    EXPECT_EQ(stack->count(), steps + 1);
}

TEST_F(ViewTest, OversizedPaneIsMalformedNotAWrappedPrefix) {
    // 65536 + 4 bytes: as a 16-bit count this would be the valid element 5A 02 12 34.
    Parse(QStringLiteral("5A021234") + QString(2 * 65536, QLatin1Char('0')));
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(prompts_.History()[0].text, "Bad formatted BER-TLV data !");
    EXPECT_EQ(view_.Root(), nullptr);
}

TEST_F(ViewTest, ParseOverExistingRowsAsksFirst) {
    Parse(QStringLiteral("5A021234"));
    TlvNode* first = view_.Root();
    Parse(QStringLiteral("9F4D00"));
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_TRUE(prompts_.History()[0].question);
    EXPECT_EQ(prompts_.History()[0].text,
              "The already existing parsed data will be updated!\r\n\r\nDo you want to continue?");
    EXPECT_EQ(prompts_.History()[0].caption, "Quorvel BERTLV");
    EXPECT_EQ(view_.Root(), first);
    EXPECT_FALSE(document_.modified_);
    EXPECT_EQ(PaneText(), "9F4D00");

    prompts_.QueueAnswer(true);
    Parse(QStringLiteral("9F4D00"));
    EXPECT_TRUE(document_.modified_);
    EXPECT_EQ(RowTexts(0).value(0), "Log Entry");
}

TEST_F(ViewTest, ParseWithoutDataClearsOnlyWhenConfirmed) {
    Parse(QStringLiteral("ZZ"));
    EXPECT_TRUE(prompts_.History().isEmpty());
    EXPECT_FALSE(document_.modified_);

    Parse(QStringLiteral("5A021234"));
    Parse(QStringLiteral("ZZ"));
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(prompts_.History()[0].text,
              "No data exist to parse!\r\n\r\nDo you want to clear the parsed data?");
    EXPECT_EQ(PaneText(), "");
    EXPECT_NE(view_.Root(), nullptr);

    prompts_.QueueAnswer(true);
    Parse(QStringLiteral("ZZ"));
    EXPECT_EQ(view_.Root(), nullptr);
    EXPECT_EQ(view_.Grid()->GetRow(0), nullptr);
    EXPECT_TRUE(document_.modified_);
    EXPECT_EQ(PaneText(), "ZZ");
}

TEST_F(ViewTest, EncodeWritesTheTreeIntoThePane) {
    Parse(QStringLiteral("5A 81 02 12 34"));
    prompts_.QueueAnswer(true);
    document_.modified_ = false;
    view_.OnEncode();
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(prompts_.History()[0].text,
              "The already existing encoded data will be updated!\r\n\r\nDo you want to continue?");
    EXPECT_EQ(PaneText(), "5A81021234");
    EXPECT_TRUE(document_.modified_);
    EXPECT_EQ(view_.ByteBuffer().toHex().toUpper(), "5A81021234");

    prompts_.Clear();
    view_.Pane()->clear();
    view_.OnEncode();
    EXPECT_TRUE(prompts_.History().isEmpty());
    EXPECT_EQ(PaneText(), "5A81021234");
}

TEST_F(ViewTest, EncodeWithAnEmptyGrid) {
    view_.OnEncode();
    view_.Pane()->setPlainText(QStringLiteral(" \r\n\t"));
    view_.OnEncode();
    EXPECT_TRUE(prompts_.History().isEmpty());

    view_.Pane()->setPlainText(QStringLiteral("5A"));
    document_.modified_ = false;
    view_.OnEncode();
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(prompts_.History()[0].text,
              "No data exist to encode!\r\n\r\nDo you want to clear the encoded data?");
    EXPECT_EQ(PaneText(), "5A");
    EXPECT_FALSE(document_.modified_);

    prompts_.QueueAnswer(true);
    view_.OnEncode();
    EXPECT_EQ(PaneText(), "");
    EXPECT_TRUE(document_.modified_);
}

QStringList TableRow(ByteTableModel* model, int row) {
    QStringList cells;
    for (int column = 0; column < model->columnCount(); ++column) {
        cells << model->data(model->index(row, column), Qt::DisplayRole).toString();
    }
    return cells;
}

TEST_F(ViewTest, ByteTablesShowTheBytesInRows) {
    // The user types in Edit Mode, then picks a table.
    const auto showBytes = [this](const char* hex, int mode) {
        view_.ModeList()->setCurrentIndex(DISPLAY_MODE_EDIT);
        view_.OnDisplayModeChange();
        view_.Pane()->setPlainText(QString::fromLatin1(hex));
        view_.ModeList()->setCurrentIndex(mode);
        view_.OnDisplayModeChange();
    };
    showBytes("000102030405060708090A0B0C0D0E0F10111213", DISPLAY_MODE_8_BYTES);
    ByteTableModel* eight = view_.ByteTable(DISPLAY_MODE_8_BYTES)->Model();
    ByteTableModel* sixteen = view_.ByteTable(DISPLAY_MODE_16_BYTES)->Model();
    ByteTableModel* wide = view_.ByteTable(DISPLAY_MODE_32_BYTES)->Model();
    EXPECT_EQ(eight->rowCount(), 3);
    EXPECT_EQ(TableRow(eight, 0),
              QStringList({"1", "00", "01", "02", "03", "04", "05", "06", "07"}));
    EXPECT_EQ(TableRow(eight, 2), QStringList({"3", "10", "11", "12", "13", "", "", "", ""}));
    EXPECT_EQ(sixteen->rowCount(), 2);
    EXPECT_EQ(TableRow(sixteen, 1).mid(0, 6), QStringList({"2", "10", "11", "12", "13", ""}));
    EXPECT_EQ(wide->rowCount(), 1);
    EXPECT_EQ(TableRow(wide, 0).value(20), "13");
    EXPECT_EQ(TableRow(wide, 0).value(21), "");
    EXPECT_EQ(eight->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Row");
    EXPECT_EQ(wide->headerData(32, Qt::Horizontal, Qt::DisplayRole).toString(), "32");
    EXPECT_EQ(eight->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "01");
    EXPECT_EQ(eight->data(eight->index(0, 0), Qt::ForegroundRole).value<QColor>(),
              QColor(34, 34, 238));

    showBytes("000102030405060708090A0B0C0D0E0F", DISPLAY_MODE_16_BYTES);
    EXPECT_EQ(sixteen->rowCount(), 1);
    EXPECT_EQ(eight->rowCount(), 2);

    showBytes("", DISPLAY_MODE_32_BYTES);
    EXPECT_EQ(sixteen->rowCount(), 0);
    EXPECT_EQ(wide->rowCount(), 0);
    EXPECT_EQ(PaneText(), "");
}

TEST_F(ViewTest, TextSetUnderATableReachesThePaneInEditMode) {
    Parse(QStringLiteral("5A021234"));
    view_.ModeList()->setCurrentIndex(DISPLAY_MODE_16_BYTES);
    view_.OnDisplayModeChange();
    prompts_.QueueAnswer(true);
    view_.OnEncode();
    EXPECT_EQ(PaneText(), "5A021234");
    EXPECT_EQ(view_.ByteTable(DISPLAY_MODE_16_BYTES)->Model()->rowCount(), 1);
    QString tree;
    QString pane;
    view_.StoreDocumentData(&tree, &pane);
    EXPECT_EQ(pane, "5A021234");
    view_.ModeList()->setCurrentIndex(DISPLAY_MODE_EDIT);
    view_.OnDisplayModeChange();
    EXPECT_EQ(view_.Pane()->toPlainText(), "5A021234");
}

TEST_F(ViewTest, ModeChangeNormalisesThePaneAndShowsOneWindow) {
    view_.show();
    view_.Pane()->setPlainText(QStringLiteral("5a 02\n12 34"));
    document_.modified_ = false;
    view_.ModeList()->setCurrentIndex(DISPLAY_MODE_8_BYTES);
    view_.OnDisplayModeChange();
    EXPECT_EQ(PaneText(), "5A021234");
    EXPECT_FALSE(document_.modified_);
    EXPECT_EQ(TableRow(view_.ByteTable(DISPLAY_MODE_8_BYTES)->Model(), 0).mid(0, 6),
              QStringList({"1", "5A", "02", "12", "34", ""}));
    for (int mode = 0; mode < DISPLAY_MODE_COUNT; ++mode) {
        EXPECT_EQ(view_.PaneWindow(mode)->isVisible(), mode == DISPLAY_MODE_8_BYTES) << mode;
    }
    view_.ModeList()->setCurrentIndex(DISPLAY_MODE_EDIT);
    view_.OnDisplayModeChange();
    EXPECT_TRUE(view_.Pane()->isVisible());
    EXPECT_EQ(view_.Pane()->toPlainText(), "5A021234");
    // Only white space and letter case changed: nothing to undo.
    EXPECT_EQ(view_.UndoStack()->count(), 0);

    // Typed text the conversion leaves out comes back, in the mode it was typed in.
    view_.Pane()->setPlainText(QStringLiteral("5A02 zz 9F"));
    view_.ModeList()->setCurrentIndex(DISPLAY_MODE_16_BYTES);
    view_.OnDisplayModeChange();
    EXPECT_EQ(PaneText(), "5A02");
    ASSERT_EQ(view_.UndoStack()->count(), 1);
    view_.UndoStack()->undo();
    EXPECT_EQ(PaneText(), "5A02 zz 9F");
    EXPECT_EQ(view_.CurrentDisplayMode(), DISPLAY_MODE_EDIT);
    EXPECT_EQ(view_.ModeList()->currentIndex(), DISPLAY_MODE_EDIT);
    EXPECT_TRUE(view_.Pane()->isVisible());
    view_.UndoStack()->redo();
    EXPECT_EQ(PaneText(), "5A02");
    EXPECT_EQ(view_.CurrentDisplayMode(), DISPLAY_MODE_16_BYTES);
    EXPECT_TRUE(view_.PaneWindow(DISPLAY_MODE_16_BYTES)->isVisible());
}

TEST_F(ViewTest, OnlyUserChangesOfThePaneMarkTheDocument) {
    ASSERT_TRUE(ShowActive(&view_));
    view_.Pane()->setFocus();
    QTest::keyClicks(view_.Pane(), "5A");
    EXPECT_TRUE(document_.modified_);
    EXPECT_GE(document_.titleSets_, 1);

    document_.modified_ = false;
    view_.OnDisplayModeChange();
    QString tree = QStringLiteral("5A021234");
    view_.LoadDocumentData(&tree, QStringLiteral("anything"));
    EXPECT_FALSE(document_.modified_);
}

TEST_F(ViewTest, TabLeavesThePaneWithoutChangingIt) {
    ASSERT_TRUE(ShowActive(&view_));
    view_.Pane()->setFocus();
    QTest::keyClick(view_.Pane(), Qt::Key_Tab);
    EXPECT_FALSE(view_.Pane()->hasFocus());
    EXPECT_EQ(PaneText(), QString());
    EXPECT_FALSE(document_.modified_);
}

TEST_F(ViewTest, StoreAndLoadKeepTreeAndPaneApart) {
    Parse(QStringLiteral("70075A02123400FF00"));
    view_.Pane()->setPlainText(QStringLiteral("typed\r\n 9F 02"));
    QString tree;
    QString pane;
    view_.StoreDocumentData(&tree, &pane);
    EXPECT_EQ(tree, "70075A02123400FF00");
    EXPECT_EQ(pane, "typed\n 9F 02");

    COrdaView other;
    QString stored = QStringLiteral(" 7008A503\r\n880101FFFF00");
    other.LoadDocumentData(&stored, pane);
    EXPECT_EQ(stored, "7008A503880101FFFF00");
    ASSERT_NE(other.Root(), nullptr);
    EXPECT_EQ(other.Grid()->GetRow(3)->Item(0).Value(), "padding");
    EXPECT_EQ(other.PaneText(), pane);

    QString broken = QStringLiteral("5A0212");
    other.LoadDocumentData(&broken, QStringLiteral("x"));
    EXPECT_EQ(other.Grid()->GetRow(0)->Item(6).Value(), "7008A503880101FFFF00");
    EXPECT_EQ(other.PaneText(), "x");

    COrdaView empty;
    empty.StoreDocumentData(&tree, &pane);
    EXPECT_EQ(tree, "");
}

TEST_F(ViewTest, LoadedPaneTextComesBackByteForByte) {
    QString everyByte;
    for (int byte = 1; byte <= 0xFF; ++byte) {
        everyByte += QChar(byte);
    }
    const QString pane = everyByte + QStringLiteral("\r\n5a 02\r12 34\n\r\n");
    QString tree = QStringLiteral("5A021234");
    QString storedTree;
    QString storedPane;
    // With carriage returns and without: every other byte is left as it is by the text widget.
    const QString withoutReturns = QString(everyByte).remove(QLatin1Char('\r')) + "\n\n";
    for (const QString& text : {withoutReturns, pane}) {
        view_.LoadDocumentData(&tree, text);
        EXPECT_EQ(PaneText(), text);
        view_.StoreDocumentData(&storedTree, &storedPane);
        EXPECT_EQ(storedPane, text);
    }

    // Text set under a byte table waits exactly as given.
    view_.ModeList()->setCurrentIndex(DISPLAY_MODE_8_BYTES);
    view_.OnDisplayModeChange();
    view_.LoadDocumentData(&tree, pane);
    view_.StoreDocumentData(&storedTree, &storedPane);
    EXPECT_EQ(storedPane, pane);

    // Once the user edits the pane, its text is what the user sees.
    view_.ModeList()->setCurrentIndex(DISPLAY_MODE_EDIT);
    view_.OnDisplayModeChange();
    view_.LoadDocumentData(&tree, QStringLiteral("5A\r\n02"));
    view_.Pane()->appendPlainText(QStringLiteral("1234"));
    EXPECT_TRUE(document_.modified_);
    EXPECT_EQ(PaneText(), "5A\n02\n1234");
}

TEST_F(ViewTest, OnlySpaceReturnLineFeedAndTabAreWhiteSpace) {
    const QString noBreak(QChar(0xA0));
    const struct {
        QString pane;
        bool typed;
        const char* tlv;
    } cases[] = {
        {"5A 02 12 34" + noBreak + "56", true, "5A021234"},
        {"5A 02 12 34" + noBreak + "56", false, "5A021234"},
        {"5A" + noBreak + "021234", false, nullptr},
        {"5A\r02\r\n12\t34", false, "5A021234"},
    };
    for (const auto& c : cases) {
        view_.ModeList()->setCurrentIndex(DISPLAY_MODE_EDIT);
        view_.OnDisplayModeChange();
        if (c.typed) {
            view_.Pane()->setPlainText(c.pane);
        } else {
            QString tree;
            view_.LoadDocumentData(&tree, c.pane);
        }
        prompts_.Clear();
        prompts_.QueueAnswer(true);
        view_.OnParse();
        if (c.tlv == nullptr) {
            EXPECT_EQ(view_.ByteBuffer().toHex().toUpper(), "5A") << c.pane.toStdString();
            continue;
        }
        for (const ScriptedPrompts::Shown& shown : prompts_.History()) {
            EXPECT_TRUE(shown.question) << shown.text.toStdString();
        }
        EXPECT_EQ(RowTexts(0).value(ELEMENT_COLUMN_TLV), c.tlv) << c.pane.toStdString();
        // Parse leaves the pane as it was.
        EXPECT_EQ(PaneText(), c.pane);
    }
}

TEST_F(ViewTest, SelectionShowsAnalysisAtOnceWhileEditsArePosted) {
    ASSERT_TRUE(ShowActive(&view_));
    Parse(QStringLiteral("70045A021234"));
    GridRow* pan = view_.Grid()->GetRow(1);
    analysis_.calls_.clear();
    view_.Grid()->SelectItem(pan->Item(ELEMENT_COLUMN_VALUE));
    ASSERT_EQ(analysis_.calls_.size(), 1);
    EXPECT_EQ(analysis_.calls_[0].first, TLV_KIND_PRIMITIVE);
    EXPECT_EQ(analysis_.calls_[0].second, view_.Root()->data ? pan->Data() : nullptr);

    document_.modified_ = false;
    view_.Grid()->editItem(pan, ELEMENT_COLUMN_VALUE);
    QLineEdit* editor = view_.Grid()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("5678"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The edit notification waits for the event loop; the selection's did not.
    EXPECT_FALSE(document_.modified_);
    EXPECT_TRUE(QTest::qWaitFor([this] { return document_.modified_; }));

    view_.Grid()->SelectItem(GridItem());
    EXPECT_EQ(analysis_.calls_.last().first, 0);
    EXPECT_EQ(analysis_.calls_.last().second, nullptr);
}

TEST_F(ViewTest, PostedEditOfRemovedRowsIsDropped) {
    ASSERT_TRUE(ShowActive(&view_));
    Parse(QStringLiteral("5A021234"));
    GridRow* row = view_.Grid()->GetRow(0);
    view_.Grid()->editItem(row, ELEMENT_COLUMN_VALUE);
    QLineEdit* editor = view_.Grid()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("5678"));
    QTest::keyClick(editor, Qt::Key_Return);
    document_.modified_ = false;
    prompts_.QueueAnswer(true);
    Parse(QStringLiteral("9F4D00"));
    document_.modified_ = false;
    QTest::qWait(20);
    EXPECT_FALSE(document_.modified_);
}

TEST_F(ViewTest, ContextMenuOnlyOnEmptyGridOrDataElementCell) {
    EXPECT_TRUE(view_.ContextMenuAllowed());
    Parse(QStringLiteral("70045A021234"));
    view_.Grid()->SelectItem(view_.Grid()->GetRow(1)->Item(ELEMENT_COLUMN_TAG));
    EXPECT_FALSE(view_.ContextMenuAllowed());
    view_.Grid()->SelectItem(view_.Grid()->GetRow(1)->Item(ELEMENT_COLUMN_NAME));
    EXPECT_TRUE(view_.ContextMenuAllowed());
    view_.Grid()->SelectItem(GridItem());
    EXPECT_FALSE(view_.ContextMenuAllowed());
}

TEST_F(ViewTest, PasteFollowsTheClipboardCutAndCopyTheSelection) {
    ASSERT_TRUE(ShowActive(&view_));
    QApplication::clipboard()->setText(QStringLiteral("9F4D00"));
    view_.Grid()->setFocus();
    EXPECT_TRUE(view_.CanPaste());
    EXPECT_FALSE(view_.CanCopy());
    view_.OnEditPaste();
    EXPECT_EQ(PaneText(), "");

    view_.Pane()->setFocus();
    view_.OnEditPaste();
    EXPECT_EQ(PaneText(), "9F4D00");
    EXPECT_FALSE(view_.CanCut());
    view_.Pane()->selectAll();
    EXPECT_TRUE(view_.CanCut());
    view_.OnEditCut();
    EXPECT_EQ(PaneText(), "");
    EXPECT_EQ(QApplication::clipboard()->text(), "9F4D00");
    QApplication::clipboard()->clear();
    EXPECT_FALSE(view_.CanPaste());
}

TEST_F(ViewTest, ControlsCarryTheirIdsAndTexts) {
    EXPECT_EQ(view_.EncodeButton()->text(), "Encode");
    EXPECT_EQ(view_.EncodeButton()->toolTip(), "Encode data");
    EXPECT_EQ(view_.EncodeButton()->property("controlId").toInt(), 1901);
    EXPECT_EQ(view_.ParseButton()->text(), "Parse");
    EXPECT_EQ(view_.ParseButton()->toolTip(), "Parse encoded data");
    EXPECT_EQ(view_.ParseButton()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(view_.ParseButton()->icon().isNull());
    EXPECT_EQ(view_.ModeList()->count(), 4);
    EXPECT_EQ(view_.ModeList()->itemText(3), "32 Bytes Read Only Mode");
    QStringList titles;
    for (int column = 0; column < view_.Grid()->GetColumnCount(); ++column) {
        titles << view_.Grid()->ColumnTitle(column);
    }
    EXPECT_EQ(titles, QStringList({"Data Element", "Tag", "Length in", "Length", "Value", "length",
                                   "TLV"}));
    EXPECT_EQ(view_.Grid()->ColumnAlign(1), Qt::AlignRight);
}

// The arrows brighten while the mouse is over their button.
TEST_F(ViewTest, ButtonPicturesBrightenUnderTheMouse) {
    const auto picture = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
    const struct {
        QPushButton* button;
        QIcon image;
        QIcon hotImage;
    } buttons[] = {{view_.EncodeButton(), EncodeButtonIcon(), EncodeButtonHotIcon()},
                   {view_.ParseButton(), ParseButtonIcon(), ParseButtonHotIcon()}};
    for (const auto& b : buttons) {
        ASSERT_NE(picture(b.image), picture(b.hotImage));
        EXPECT_EQ(picture(b.button->icon()), picture(b.image));
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(b.button, &enter);
        EXPECT_EQ(picture(b.button->icon()), picture(b.hotImage));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(b.button, &leave);
        EXPECT_EQ(picture(b.button->icon()), picture(b.image));
    }
}

TEST_F(ViewTest, ColumnsShowEveryTagAndLengthAndTheLeadOfEveryName) {
    // About the width of the view in the first window on a 1280 x 800 screen.
    view_.resize(800, 420);
    view_.show();
    CElementGridCtrl* grid = view_.Grid();
    for (const char* tree : {"6F1A840E315041592E5359532E4444463031A5088801025F2D02656E",
                             "700A9F360200015F2D02656E", "7004DF7F0100"}) {
        if (grid->GetRow(0) != nullptr) {
            prompts_.QueueAnswer(true);
        }
        Parse(QString::fromLatin1(tree));
        QApplication::processEvents();
        for (int index = 0; GridRow* row = grid->GetRow(index); ++index) {
            for (int column : {ELEMENT_COLUMN_TAG, ELEMENT_COLUMN_LENGTH_IN, ELEMENT_COLUMN_LENGTH,
                               ELEMENT_COLUMN_VALUE_LENGTH}) {
                EXPECT_FALSE(grid->IsTextCut(row->Item(column)))
                    << tree << " row " << index << " column " << column << ": "
                    << row->Item(column).Value().toStdString();
            }
            const GridItem name = row->Item(ELEMENT_COLUMN_NAME);
            const QString whole = name.Value();
            name.SetValue(whole.left(CElementGridCtrl::kNameCharactersShown));
            EXPECT_FALSE(grid->IsTextCut(name)) << whole.toStdString();
            name.SetValue(whole);
        }
    }
    // The first window's grid shows every column without scrolling sideways.
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
    // Names longer than the column show cut, and so get their tooltip.
    prompts_.QueueAnswer(true);
    Parse(QStringLiteral("6F02A500"));
    EXPECT_TRUE(grid->IsTextCut(grid->GetRow(1)->Item(ELEMENT_COLUMN_NAME)));
    for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
        EXPECT_FALSE(grid->header()->sectionSizeHint(column) > grid->columnWidth(column))
            << "title of column " << column;
    }
    // In a narrow window the grid scrolls sideways rather than squeeze the bytes out of sight.
    view_.resize(480, 420);
    prompts_.QueueAnswer(true);
    Parse(QStringLiteral("70109F360800010203040506075F2D02656E"));
    QApplication::processEvents();
    GridRow* counter = grid->GetRow(1);
    ASSERT_EQ(counter->Item(ELEMENT_COLUMN_TAG).Value(), QStringLiteral("9F36"));
    for (const int column : {ELEMENT_COLUMN_VALUE, ELEMENT_COLUMN_TLV}) {
        grid->horizontalScrollBar()->setValue(grid->header()->sectionPosition(column));
        const GridItem bytes = counter->Item(column);
        const QString whole = bytes.Value();
        bytes.SetValue(whole.left(2 * CElementGridCtrl::kBytesShown));
        EXPECT_FALSE(grid->IsTextCut(bytes)) << "column " << column;
        bytes.SetValue(whole);
    }
    EXPECT_GT(grid->horizontalScrollBar()->maximum(), 0);
}

}  // namespace

namespace {

TEST_F(ViewTest, PrintingRendersEveryRow) {
    Parse(QStringLiteral("70075A02123400FF00"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.pdf"));
    {
        QPdfWriter writer(path);
        PrintGrid(view_.Grid(), &writer);
    }
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_GT(pdf.size(), 1000);
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

}  // namespace
