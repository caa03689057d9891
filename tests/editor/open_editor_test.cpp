// Commands act on what the user typed: an open in-place editor of the grid is applied first.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "editor/edit_test_util.h"
#include "editor/menu_slots.h"
#include "support/active_window.h"

namespace {

class OpenEditorTest : public EditTest {
protected:
    OpenEditorTest() { view_.resize(900, 500); }

    // Opens the in-place editor of a cell as a double click would.
    QWidget* OpenEditor(int row, int column) {
        Select(row, column);
        view_.Grid()->editItem(Row(row), column);
        return QApplication::focusWidget();
    }

    // Types into a Value cell and leaves its editor open.
    void TypeValue(int row, const QString& text) {
        QLineEdit* editor = qobject_cast<QLineEdit*>(OpenEditor(row, ELEMENT_COLUMN_VALUE));
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
    }
};

TEST_F(OpenEditorTest, AClickOnEncodeEncodesTheValueBeingTyped) {
    ASSERT_TRUE(ShowActive(&view_));
    for (int attempt = 0; attempt < 4; ++attempt) {
        Parse(QStringLiteral("5A021234"));
        TypeValue(0, QStringLiteral("567%1").arg(attempt));
        prompts_.QueueAnswer(true);
        QTest::mouseClick(view_.EncodeButton(), Qt::LeftButton);
        EXPECT_EQ(view_.PaneText(), QStringLiteral("5A02567%1").arg(attempt));
        QTest::qWait(5);
    }
}

TEST_F(OpenEditorTest, EveryCommandOnTheTreeOrDocumentAppliesTheOpenEditorFirst) {
    ASSERT_TRUE(ShowActive(&view_));
    const struct {
        const char* name;
        std::function<void(COrdaView*)> command;
    } commands[] = {
        {"Parse, answered No", [](COrdaView* view) { view->OnParse(); }},
        {"Encode, answered No", [](COrdaView* view) { view->OnEncode(); }},
        {"display mode change", [](COrdaView* view) { view->OnDisplayModeChange(); }},
        {"data element command", [](COrdaView* view) { view->OnDataElementCommand(ID_DE_DELETE); }},
        {"print",
         [](COrdaView* view) {
             QTemporaryDir dir;
             QPrinter printer;
             printer.setOutputFormat(QPrinter::PdfFormat);
             printer.setOutputFileName(dir.filePath("grid.pdf"));
             view->OnFilePrintDirect(&printer);
         }},
        {"store for saving",
         [](COrdaView* view) {
             QString tree;
             QString pane;
             view->StoreDocumentData(&tree, &pane);
             EXPECT_EQ(tree, "70045A025678");
         }},
    };
    for (const auto& c : commands) {
        Parse(QStringLiteral("70045A021234"));
        TypeValue(1, QStringLiteral("5678"));
        c.command(&view_);
        // Seen at once, without waiting for the event loop.
        EXPECT_EQ(RootTlv(), "70045A025678") << c.name;
        EXPECT_TRUE(document_.modified_) << c.name;
        EXPECT_EQ(view_.Grid()->ActiveTextEditor(), nullptr) << c.name;
        QTest::qWait(5);
    }
}

TEST_F(OpenEditorTest, ChoosingALengthFormAppliesItAtOnce) {
    ASSERT_TRUE(ShowActive(&view_));
    Parse(QStringLiteral("70045A021234"));
    QComboBox* combo = qobject_cast<QComboBox*>(OpenEditor(1, ELEMENT_COLUMN_LENGTH_IN));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), "1 byte");
    QTest::keyClick(combo, Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_EQ(Cell(1, ELEMENT_COLUMN_LENGTH), "8102");
    EXPECT_EQ(RootTlv(), "70055A81021234");
    EXPECT_FALSE(combo->isVisible());
}

TEST_F(OpenEditorTest, ARefusedValueLeavesTheCommandToGoOn) {
    ASSERT_TRUE(ShowActive(&view_));
    Parse(QStringLiteral("70045A021234"));
    TypeValue(1, QStringLiteral("12F4"));
    prompts_.QueueAnswer(true);
    view_.OnEncode();
    ASSERT_EQ(prompts_.History().size(), 2);
    EXPECT_EQ(prompts_.History()[0].caption, "Value Error");
    EXPECT_EQ(view_.PaneText(), "70045A021234");
}

}  // namespace
