// The find bar over the data element grid: what matches, where F3 and Shift+F3 go, what the
// bar says, and rows under collapsed templates.
#include "editor/find_bar.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>

#include "editor/card_number_cells.h"
#include "editor/edit_test_util.h"
#include "support/active_window.h"

namespace {

// 6F{84, A5{50, 87, BF0C{9F4D}}}
const char kFci[] = "6F228407A0000000041010A517500A4D415354455243415244870101BF0C059F4D020B0A";

class FindBarTest : public EditTest {
protected:
    void SetUp() override {
        view_.resize(900, 600);
        ASSERT_TRUE(ShowActive(&view_));
        Parse(kFci);
    }

    FindBar* Bar() { return view_.GetFindBar(); }

    void Type(const QString& text) {
        Bar()->Field()->clear();
        QTest::keyClicks(Bar()->Field(), text);
    }

    // The selected cell as "row:column".
    QString Selected() {
        int row = -1;
        int column = -1;
        view_.Grid()->GetCurSel(&row, &column);
        return QStringLiteral("%1:%2").arg(row).arg(column);
    }
};

TEST_F(FindBarTest, FindOpensTheBarAboveTheGrid) {
    EXPECT_TRUE(Bar()->isHidden());
    const int gridTop = view_.Grid()->y();
    view_.OnEditFind();
    EXPECT_FALSE(Bar()->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), Bar()->Field());
    EXPECT_EQ(Bar()->y(), gridTop);
    EXPECT_EQ(view_.Grid()->y(), gridTop + Bar()->height());
    EXPECT_GT(Bar()->height(), 0);

    QTest::keyClick(Bar()->Field(), Qt::Key_Escape);
    EXPECT_TRUE(Bar()->isHidden());
    EXPECT_EQ(view_.Grid()->y(), gridTop);
    EXPECT_EQ(QApplication::focusWidget(), view_.Grid());

    // Escape in the grid closes it as well, but first ends an in-place edit.
    view_.OnEditFind();
    Select(1, ELEMENT_COLUMN_VALUE);
    view_.Grid()->setFocus();
    view_.Grid()->editItem(Row(1), ELEMENT_COLUMN_VALUE);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, view_.Grid());
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(Bar()->isHidden());
    QTest::keyClick(view_.Grid(), Qt::Key_Escape);
    EXPECT_TRUE(Bar()->isHidden());
}

TEST_F(FindBarTest, TextMatchesNamesTagsValuesAndTlvIgnoringCase) {
    view_.OnEditFind();
    const struct {
        int from;
        const char* text;
        const char* selected;
        const char* status;
    } cases[] = {
        {0, "log entry", "6:0", "1 of 1"},             // a name
        {6, "9f4d", "6:1", "4 of 4"},                  // a tag; 6F, A5 and BF0C hold it too
        {0, "4d415354", "0:4", "1 of 3"},              // values of 6F, A5 and 50
        {3, "4d415354", "3:4", "3 of 3"},              // from the selected row on
        {4, "4d415354", "0:4", "1 of 3"},              // and round to the first
        {0, "a0 00 00 00 04", "0:4", "1 of 2"},        // white space is no hex digit
        {3, "870101", "4:6", "3 of 3"},                // the TLV cell of 87
        {0, "APPLICATION priority", "4:0", "1 of 1"},  // a name with spaces
        {5, "zzz", "5:1", "Not found"},                // the selection stays
        {0, "1535", "0:4", "Not found"},               // only across 41 53 (the prefix led to 6F)
        {0, "4153", "0:4", "1 of 3"},                  // the same digits on the bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Select(c.from, ELEMENT_COLUMN_TAG);
        Type(QString::fromLatin1(c.text));
        EXPECT_EQ(Selected(), c.selected);
        EXPECT_EQ(Bar()->Status(), c.status);
    }
}

// With card numbers masked only what shows is found: the hidden digits of a PAN match nothing.
TEST_F(FindBarTest, MaskedCardNumbersMatchOnlyTheDigitsOnShow) {
    Parse(QStringLiteral("700A5A084761739001010010"));
    view_.OnEditFind();
    Type(QStringLiteral("739001"));
    EXPECT_EQ(Bar()->Status(), "1 of 2");
    ShowCardNumbersMasked(view_.Grid(), true);
    Type(QStringLiteral("739001"));
    EXPECT_EQ(Bar()->Status(), "Not found");
    Type(QStringLiteral("476173"));
    EXPECT_EQ(Bar()->Status(), "1 of 2");
    Type(QStringLiteral("0010"));
    EXPECT_EQ(Bar()->Status(), "1 of 2");
    // The status follows the choice while the bar shows.
    ShowCardNumbersMasked(view_.Grid(), false);
    Type(QStringLiteral("739001"));
    EXPECT_EQ(Bar()->Status(), "1 of 2");
    ShowCardNumbersMasked(view_.Grid(), true);
    QApplication::processEvents();
    EXPECT_EQ(Bar()->Status(), "Not found");
    // And when the choice changed while the bar was closed.
    Bar()->Close();
    ShowCardNumbersMasked(view_.Grid(), false);
    view_.OnEditFind();
    QApplication::processEvents();
    EXPECT_EQ(Bar()->Status(), "1 of 2");
}

TEST_F(FindBarTest, NextAndPreviousWrapRoundAndOpenCollapsedTemplates) {
    // 0B0A is in the values of 6F, A5, BF0C and 9F4D.
    Row(2)->setExpanded(false);
    Row(0)->setExpanded(false);
    view_.Grid()->clearSelection();
    view_.OnEditFind();
    QTest::keyClicks(Bar()->Field(), "0b0a");
    EXPECT_EQ(Selected(), "0:4");
    EXPECT_EQ(Bar()->Status(), "1 of 4");

    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        view_.OnEditFindNext();
        visited << Selected() + " " + Bar()->Status();
    }
    EXPECT_EQ(visited, QStringList({"2:4 2 of 4", "5:4 3 of 4", "6:4 4 of 4", "0:4 1 of 4"}));
    // Going to a row under collapsed templates opened them.
    EXPECT_TRUE(Row(0)->isExpanded());
    EXPECT_TRUE(Row(2)->isExpanded());

    view_.OnEditFindPrevious();
    EXPECT_EQ(Selected(), "6:4");
    EXPECT_EQ(Bar()->Status(), "4 of 4");
    view_.OnEditFindPrevious();
    EXPECT_EQ(Selected(), "5:4");
    EXPECT_EQ(Bar()->Status(), "3 of 4");

    // Enter goes on like F3, the rows the user selects in between count.
    Select(3, ELEMENT_COLUMN_NAME);
    QTest::keyClick(Bar()->Field(), Qt::Key_Return);
    EXPECT_EQ(Selected(), "5:4");
    // F3 and Shift+F3 from the keyboard reach the commands only through the main window's
    // actions; the buttons of the bar do the same.
    Bar()->FindPrevious();
    EXPECT_EQ(Selected(), "2:4");
}

TEST_F(FindBarTest, SearchingFindsRowsOfAnEditedTree) {
    view_.OnEditFind();
    QTest::keyClicks(Bar()->Field(), "1234");
    EXPECT_EQ(Bar()->Status(), "Not found");
    // Typing went to the rows that matched "1", "12" and "123" and stayed at the last one.
    EXPECT_EQ(Selected(), "0:4");
    Edit(6, ELEMENT_COLUMN_VALUE, "1234");
    view_.OnEditFindNext();
    EXPECT_EQ(Selected(), "2:4");
    EXPECT_EQ(Bar()->Status(), "2 of 4");
    view_.OnEditFindPrevious();
    view_.OnEditFindPrevious();
    EXPECT_EQ(Selected(), "6:4");
}

TEST_F(FindBarTest, TheStatusFollowsEditsUndoAndTheSelection) {
    // 0B0A is in the values of 6F, A5, BF0C and 9F4D (rows 0, 2, 5 and 6).
    view_.OnEditFind();
    QTest::keyClicks(Bar()->Field(), "0b0a");
    EXPECT_EQ(Bar()->Status(), "1 of 4");
    const auto status = [this] {
        QApplication::processEvents();
        return Bar()->Status();
    };
    Edit(6, ELEMENT_COLUMN_VALUE, "1234");
    EXPECT_EQ(status(), "Not found");
    view_.UndoStack()->undo();
    EXPECT_EQ(status(), "1 of 4");
    Select(3, ELEMENT_COLUMN_NAME);
    EXPECT_EQ(status(), "4 matches");
    Select(5, ELEMENT_COLUMN_NAME);
    EXPECT_EQ(status(), "3 of 4");
    Edit(6, ELEMENT_COLUMN_VALUE, "0B0A0B");
    EXPECT_EQ(status(), "3 of 4");
    Type(QStringLiteral("label"));
    EXPECT_EQ(status(), "1 of 1");
    Select(0, ELEMENT_COLUMN_NAME);
    EXPECT_EQ(status(), "1 match");
    // Hidden, the bar leaves its status as it was.
    Bar()->Close();
    Select(3, ELEMENT_COLUMN_NAME);
    EXPECT_EQ(status(), "1 match");
}

TEST_F(FindBarTest, FindNextWithoutTextOpensTheBar) {
    view_.OnEditFindNext();
    EXPECT_FALSE(Bar()->isHidden());
    EXPECT_EQ(Bar()->Status(), "");
    EXPECT_EQ(QApplication::focusWidget(), Bar()->Field());
}

}  // namespace
