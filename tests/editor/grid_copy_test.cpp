// The data element grid's copy commands and its card numbers masked, in a view of its own.
#include "editor/grid_copy.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "dictionary/element_row.h"
#include "editor/card_number_cells.h"
#include "editor/editor_ids.h"
#include "editor/element_grid_ctrl.h"
#include "editor/orda_view.h"
#include "editor/view_fakes.h"
#include "platform/grid_printer.h"
#include "platform/scripted_prompts.h"
#include "support/active_window.h"

namespace {

// A READ RECORD response: Track 2, the PAN, its sequence number, and the discretionary data
// of both tracks (9F1F "ABC", sixteen digits, "XZ"; 9F20 twenty digits and a filler).
const char kRecord[] =
    "704957134761739001010010D22122011143804400000F5A0847617390010100105F3401019F1F154142433132"
    "3334353637383930313233343536585A9F200B12345678901234567890FF";
enum { kRoot, kTrack2, kPan, kSequence, kTrack1Data, kTrack2Data };

// What the bertlv tool writes for `arguments`.
QString Bertlv(const std::string& arguments) {
    FILE* pipe = popen((std::string(BERTLV_PATH) + " " + arguments).c_str(), "r");
    std::string out;
    char buffer[4096];
    size_t count = 0;
    while (pipe != nullptr && (count = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, count);
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    return QString::fromUtf8(out.c_str());
}

class GridCopyTest : public ::testing::Test {
protected:
    GridCopyTest() {
        view_.SetDocument(&document_);
        view_.resize(900, 500);
        view_.Pane()->setPlainText(QString::fromLatin1(kRecord));
        view_.OnParse();
        document_.modified_ = false;
    }

    GridCtrl* Grid() { return view_.Grid(); }
    GridItem Cell(int row, int column) { return Grid()->GetRow(row)->Item(column); }
    QString Shown(int row, int column) { return Grid()->ShownText(Cell(row, column)); }

    // Selects the cell and runs the copy menu's command, as a right click there would.
    QString CopyFromMenu(int row, int column, int commandId) {
        QApplication::clipboard()->setText(QStringLiteral("before"));
        Grid()->SelectItem(Cell(row, column));
        EXPECT_FALSE(view_.ContextMenuAllowed());
        EXPECT_TRUE(view_.CopyMenu()->Prepare());
        view_.CopyMenu()->Item(commandId)->trigger();
        return QApplication::clipboard()->text();
    }

    ScriptedPrompts prompts_;
    FakeDocument document_;
    COrdaView view_;
};

TEST_F(GridCopyTest, EachCommandCopiesItsText) {
    EXPECT_EQ(CopyFromMenu(kPan, ELEMENT_COLUMN_TAG, ID_EDIT_COPY), "5A");
    EXPECT_EQ(CopyFromMenu(kPan, ELEMENT_COLUMN_LENGTH_IN, ID_EDIT_COPY), "1 byte");
    EXPECT_EQ(CopyFromMenu(kPan, ELEMENT_COLUMN_VALUE, ID_COPY_ELEMENT), "5A084761739001010010");
    EXPECT_EQ(CopyFromMenu(kPan, ELEMENT_COLUMN_TLV, ID_COPY_VALUE), "4761739001010010");
    EXPECT_EQ(CopyFromMenu(kRoot, ELEMENT_COLUMN_TAG, ID_COPY_VALUE),
              QString::fromLatin1(kRecord).mid(4));
    EXPECT_EQ(CopyFromMenu(kRoot, ELEMENT_COLUMN_LENGTH, ID_COPY_ELEMENT), kRecord);
    EXPECT_EQ(CopyFromMenu(kSequence, ELEMENT_COLUMN_VALUE_LENGTH, ID_EDIT_COPY), "1 bytes");
    // The tree, whichever row is selected, exactly as bertlv parse and parse --json write it.
    const QString text = CopyFromMenu(kTrack2Data, ELEMENT_COLUMN_TAG, ID_COPY_TREE_TEXT);
    EXPECT_EQ(text, Bertlv(std::string("parse ") + kRecord));
    EXPECT_TRUE(text.startsWith("Application Elementary File (AEF) Data Template\t70\t"));
    EXPECT_EQ(text.count('\n'), 6);
    const QString json = CopyFromMenu(kRoot, ELEMENT_COLUMN_VALUE, ID_COPY_TREE_JSON);
    EXPECT_EQ(json, Bertlv(std::string("parse --json ") + kRecord));
    EXPECT_TRUE(json.contains("\"value\": \"4761739001010010\""));
}

TEST_F(GridCopyTest, EmptyValuesAndPaddingCopyAsShown) {
    prompts_.QueueAnswer(true);
    view_.Pane()->setPlainText(QStringLiteral("70075A02123400FF00"));
    view_.OnParse();
    EXPECT_EQ(CopyFromMenu(2, ELEMENT_COLUMN_VALUE, ID_COPY_ELEMENT), "00FF00");
    EXPECT_EQ(CopyFromMenu(2, ELEMENT_COLUMN_TAG, ID_EDIT_COPY), "");
    prompts_.QueueAnswer(true);
    view_.Pane()->setPlainText(QStringLiteral("BF0C039F4D00"));
    view_.OnParse();
    EXPECT_EQ(CopyFromMenu(1, ELEMENT_COLUMN_TAG, ID_COPY_VALUE), "");
    EXPECT_EQ(CopyFromMenu(1, ELEMENT_COLUMN_TAG, ID_COPY_TREE_TEXT), Bertlv("parse BF0C039F4D00"));
}

TEST_F(GridCopyTest, TheDataElementCellKeepsTheStructureMenu) {
    Grid()->SelectItem(Cell(kPan, ELEMENT_COLUMN_NAME));
    EXPECT_TRUE(view_.ContextMenuAllowed());
    Grid()->SelectItem(GridItem());
    EXPECT_FALSE(view_.CopyMenu()->Prepare());
    for (QAction* item : view_.CopyMenu()->actions()) {
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
    }
    QStringList items;
    for (QAction* item : view_.CopyMenu()->actions()) {
        items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    EXPECT_EQ(items, QStringList({"&Copy\tCtrl+C", "Copy &Element", "Copy &Value", "-",
                                  "Copy Tree as &Text", "Copy Tree as &JSON"}));
}

TEST_F(GridCopyTest, EditCopyAndTheCopyKeysTakeTheSelectedCell) {
    ASSERT_TRUE(ShowActive(&view_));
    Grid()->setFocus();
    EXPECT_FALSE(view_.CanCopy());
    Grid()->SelectItem(Cell(kTrack2, ELEMENT_COLUMN_LENGTH));
    EXPECT_TRUE(view_.CanCopy());
    EXPECT_FALSE(view_.CanCut());
    view_.OnEditCopy();
    EXPECT_EQ(QApplication::clipboard()->text(), "13");
    view_.OnEditCut();
    EXPECT_EQ(Cell(kTrack2, ELEMENT_COLUMN_LENGTH).Value(), "13");

    Grid()->SelectItem(Cell(kTrack2, ELEMENT_COLUMN_NAME));
    QTest::keyClick(Grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Track 2 Equivalent Data");
    ShowCardNumbersMasked(Grid(), true);
    Grid()->SelectItem(Cell(kPan, ELEMENT_COLUMN_VALUE));
    QTest::keyClick(Grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "476173******0010");
    QTest::keyClick(Grid(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "476173******0010");
}

TEST_F(GridCopyTest, MaskedCellsShowEveryCardNumberHidden) {
    EXPECT_FALSE(CardNumbersMasked(Grid()));
    EXPECT_EQ(Shown(kPan, ELEMENT_COLUMN_VALUE), "4761739001010010");
    ShowCardNumbersMasked(Grid(), true);
    EXPECT_TRUE(CardNumbersMasked(Grid()));
    const struct {
        int row;
        int column;
        const char* shown;
    } cases[] = {
        {kPan, ELEMENT_COLUMN_VALUE, "476173******0010"},
        {kPan, ELEMENT_COLUMN_TLV, "5A08476173******0010"},
        {kTrack2, ELEMENT_COLUMN_VALUE, "476173******0010D22122011143804400000F"},
        {kTrack1Data, ELEMENT_COLUMN_VALUE, "414243313233343536************33343536585A"},
        {kTrack2Data, ELEMENT_COLUMN_TLV, "9F200B123456**********7890FF"},
        {kSequence, ELEMENT_COLUMN_TLV, "5F340101"},
        {kRoot, ELEMENT_COLUMN_TLV,
         "70495713476173******0010D22122011143804400000F5A08476173******00105F3401019F1F154142"
         "43313233343536************33343536585A9F200B123456**********7890FF"},
        {kPan, ELEMENT_COLUMN_NAME, "Application Primary Account Number(PAN)"},
        {kPan, ELEMENT_COLUMN_LENGTH, "08"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Shown(c.row, c.column), c.shown) << c.row << " " << c.column;
    }
    EXPECT_EQ(Shown(kRoot, ELEMENT_COLUMN_VALUE), Shown(kRoot, ELEMENT_COLUMN_TLV).mid(4));
    // The cells hold the data as it is.
    EXPECT_EQ(Cell(kPan, ELEMENT_COLUMN_VALUE).Value(), "4761739001010010");
    EXPECT_EQ(Cell(kRoot, ELEMENT_COLUMN_TLV).Value(), kRecord);

    // Printing and every copy show what the grid shows.
    const QList<PrintedRow> printed = GridPrintedRows(Grid());
    ASSERT_EQ(printed.size(), 7);
    EXPECT_EQ(printed[1 + kPan].texts.value(ELEMENT_COLUMN_VALUE), "476173******0010");
    EXPECT_EQ(printed[1 + kRoot].texts.value(ELEMENT_COLUMN_TLV), Shown(kRoot, ELEMENT_COLUMN_TLV));
    EXPECT_EQ(CopyFromMenu(kTrack2, ELEMENT_COLUMN_TAG, ID_COPY_VALUE),
              "476173******0010D22122011143804400000F");
    EXPECT_EQ(CopyFromMenu(kPan, ELEMENT_COLUMN_VALUE, ID_EDIT_COPY), "476173******0010");
    EXPECT_EQ(CopyFromMenu(kRoot, ELEMENT_COLUMN_TAG, ID_COPY_ELEMENT),
              Shown(kRoot, ELEMENT_COLUMN_TLV));
    EXPECT_EQ(CopyFromMenu(kRoot, ELEMENT_COLUMN_TAG, ID_COPY_TREE_TEXT),
              Bertlv(std::string("parse --mask ") + kRecord));
    EXPECT_EQ(CopyFromMenu(kRoot, ELEMENT_COLUMN_TAG, ID_COPY_TREE_JSON),
              Bertlv(std::string("parse --mask --json ") + kRecord));

    ShowCardNumbersMasked(Grid(), false);
    EXPECT_EQ(Shown(kRoot, ELEMENT_COLUMN_TLV), kRecord);
    EXPECT_EQ(GridPrintedRows(Grid())[1 + kPan].texts.value(ELEMENT_COLUMN_VALUE),
              "4761739001010010");
}

TEST_F(GridCopyTest, MaskingNeverReachesTheData) {
    ShowCardNumbersMasked(Grid(), true);
    // Encode writes the tree as it is.
    view_.Pane()->setPlainText(QString());
    view_.OnEncode();
    EXPECT_EQ(view_.PaneText(), kRecord);
    QString tree;
    QString pane;
    view_.StoreDocumentData(&tree, &pane);
    EXPECT_EQ(tree, kRecord);
    EXPECT_EQ(pane, kRecord);

    // Editing a masked value starts from its digits, and the edit lands whole.
    ASSERT_TRUE(ShowActive(&view_));
    Grid()->SelectItem(Cell(kPan, ELEMENT_COLUMN_VALUE));
    Grid()->editItem(Grid()->GetRow(kPan), ELEMENT_COLUMN_VALUE);
    QLineEdit* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "4761739001010010");
    editor->setText(QStringLiteral("5413330089600010"));
    QTest::keyClick(editor, Qt::Key_Return);
    view_.CommitEdits();
    EXPECT_TRUE(prompts_.History().isEmpty());
    EXPECT_EQ(Cell(kPan, ELEMENT_COLUMN_VALUE).Value(), "5413330089600010");
    EXPECT_EQ(Shown(kPan, ELEMENT_COLUMN_VALUE), "541333******0010");
    EXPECT_TRUE(Shown(kRoot, ELEMENT_COLUMN_TLV).contains("5A08541333******0010"));
    view_.StoreDocumentData(&tree, &pane);
    EXPECT_TRUE(tree.contains("5A085413330089600010"));
    EXPECT_FALSE(tree.contains('*'));
}

// A template whose length an edit could not rewrite still shows each card number masked in
// place, although its bytes no longer read back.
TEST_F(GridCopyTest, MaskedCellsOfATemplateWhoseLengthFellBehind) {
    prompts_.QueueAnswer(true);
    view_.Pane()->setPlainText(QStringLiteral("7013A50E5A0847617390010100105F3401018201FF"));
    view_.OnParse();
    static_cast<TlvNode*>(Grid()->GetRow(1)->Data())->lengthBytes[0] = 0x02;
    ShowCardNumbersMasked(Grid(), true);
    Cell(0, ELEMENT_COLUMN_TLV)
        .SetValue(QStringLiteral("7013A5025A0847617390010100105F3401018201FF"));
    EXPECT_EQ(Shown(0, ELEMENT_COLUMN_TLV), "7013A5025A08476173******00105F3401018201FF");
}

}  // namespace
