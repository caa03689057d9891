#include "platform/long_text_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

namespace {

const int kPiece = LongTextEdit::kPieceLength;

// `count` characters whose every position differs from its neighbours'.
QString Digits(int count, int offset = 0) {
    static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QLatin1Char(kDigits[(i + offset) % 36]);
    }
    return text;
}

// Empty when the texts are equal, else where they first differ: the texts are too long to print.
std::string Difference(const QString& actual, const QString& expected) {
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) {
        ++at;
    }
    if (at == actual.size() && at == expected.size()) {
        return std::string();
    }
    return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size()) +
           ", first difference at " + std::to_string(at) + ": \"" +
           actual.mid(at, 8).toStdString() + "\" instead of \"" +
           expected.mid(at, 8).toStdString() + "\"";
}

class LongTextEditTest : public ::testing::Test {
protected:
    LongTextEditTest() { edit_.resize(400, 200); }

    // Puts the cursor on the document position `at` (pieces count one position each).
    void PlaceCursor(int at) {
        QTextCursor cursor = edit_.textCursor();
        cursor.setPosition(at);
        edit_.setTextCursor(cursor);
    }

    LongTextEdit edit_;
};

TEST_F(LongTextEditTest, LongLinesAreKeptInPiecesAndComeBackWhole) {
    const QString line = Digits(3 * kPiece + 5);
    const QString text = QStringLiteral("ab\r\n") + line + QStringLiteral("\rcd\n\nef");
    edit_.SetText(text);
    // ab; the long line in four pieces, the last of which cd, the empty line and ef share.
    EXPECT_EQ(edit_.document()->blockCount(), 5);
    for (QTextBlock block = edit_.document()->begin(); block.isValid(); block = block.next()) {
        EXPECT_LE(block.length() - 1, kPiece);
    }
    EXPECT_EQ(Difference(edit_.Text(), text), "");
    EXPECT_TRUE(edit_.HasText(text));
    EXPECT_TRUE(edit_.HasText(QLatin1String(text.toLatin1())));
    EXPECT_FALSE(edit_.HasText(QString(text).replace(QStringLiteral("\r\n"), "\n")));
    EXPECT_FALSE(edit_.HasText(text.chopped(1)));
    EXPECT_FALSE(edit_.HasText(text + QLatin1Char('x')));
    EXPECT_EQ(edit_.document()->isUndoAvailable(), false);

    edit_.SetText(QLatin1String("\xA0 5A\t"));
    EXPECT_EQ(edit_.Text(), QStringLiteral("\u00A0 5A\t"));
}

TEST_F(LongTextEditTest, ShortLinesShareBlocks) {
    QString text;
    for (int line = 0; line < 1000; ++line) {
        text += Digits(16, line) + (line % 3 == 0 ? "\r\n" : line % 3 == 1 ? "\n" : "\r");
    }
    edit_.SetText(text);
    EXPECT_LE(edit_.document()->blockCount(), 1000 * 18 / kPiece + 2);
    EXPECT_EQ(Difference(edit_.Text(), text), "");
    // Copied, every line break is a line feed.
    edit_.selectAll();
    edit_.copy();
    EXPECT_EQ(Difference(QApplication::clipboard()->text(),
                         QString(text).replace("\r\n", "\n").replace('\r', '\n')),
              "");
}

TEST_F(LongTextEditTest, AppendedPartsReadAsOneText) {
    const QString text = Digits(kPiece + 100) + "\r\n" + Digits(50) + "\r" + Digits(kPiece * 2);
    const QString edited = QString(text).replace("\r\n", "\n").replace('\r', '\n') + "X";
    // Cut anywhere, CR LF included: it stays one line break, also once the user types.
    for (int cut : {10, kPiece + 101, kPiece + 102, kPiece + 152, kPiece + 153}) {
        edit_.SetText(QLatin1String(text.left(cut).toLatin1()));
        edit_.AppendText(QLatin1String(text.mid(cut).toLatin1()));
        EXPECT_EQ(Difference(edit_.Text(), text), "") << cut;
        EXPECT_TRUE(edit_.HasText(text)) << cut;
        EXPECT_FALSE(edit_.document()->isUndoAvailable());
        PlaceCursor(edit_.document()->characterCount() - 1);
        QTest::keyClicks(&edit_, "X");
        EXPECT_EQ(Difference(edit_.Text(), edited), "") << cut;
    }
}

TEST_F(LongTextEditTest, TheUsersFirstChangeTurnsLineEndsIntoLineFeeds) {
    edit_.SetText(QStringLiteral("5A\r\n02\r12"));
    PlaceCursor(edit_.document()->characterCount() - 1);
    QTest::keyClicks(&edit_, "34");
    EXPECT_EQ(edit_.Text(), "5A\n02\n1234");
}

TEST_F(LongTextEditTest, DeletingAtAJoinRemovesTheCharacterBeyondIt) {
    const QString line = Digits(2 * kPiece);
    const struct {
        Qt::Key key;
        int removed;  // index of the character that goes
    } cases[] = {{Qt::Key_Backspace, kPiece - 1}, {Qt::Key_Delete, kPiece}};
    for (const auto& c : cases) {
        edit_.SetText(line);
        ASSERT_EQ(edit_.document()->blockCount(), 2);
        // Both sides of the join: the end of the first piece and the start of the second.
        for (int at : {kPiece, kPiece + 1}) {
            edit_.SetText(line);
            PlaceCursor(at);
            QTest::keyClick(&edit_, c.key);
            EXPECT_EQ(Difference(edit_.Text(), QString(line).remove(c.removed, 1)), "")
                << c.key << " " << at;
            QTest::keyClicks(&edit_, "X");
            EXPECT_EQ(
                Difference(edit_.Text(), QString(line).replace(c.removed, 1, QLatin1Char('X'))), "")
                << c.key << " " << at;
        }
    }
}

TEST_F(LongTextEditTest, ArrowKeysStepOverJoinsOneCharacterAtATime) {
    const QString line = Digits(2 * kPiece);
    edit_.SetText(line);
    // From the end of the first piece one step right passes the second piece's first character.
    PlaceCursor(kPiece);
    QTest::keyClick(&edit_, Qt::Key_Right);
    QTest::keyClicks(&edit_, "X");
    EXPECT_EQ(Difference(edit_.Text(), QString(line).insert(kPiece + 1, QLatin1Char('X'))), "");

    edit_.SetText(line);
    PlaceCursor(kPiece + 1);
    QTest::keyClick(&edit_, Qt::Key_Left);
    QTest::keyClicks(&edit_, "X");
    EXPECT_EQ(Difference(edit_.Text(), QString(line).insert(kPiece - 1, QLatin1Char('X'))), "");

    // Selecting across the join takes the characters on both sides, and no line break.
    edit_.SetText(line);
    PlaceCursor(kPiece - 1);
    QTest::keyClick(&edit_, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&edit_, Qt::Key_Right, Qt::ShiftModifier);
    edit_.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), line.mid(kPiece - 1, 2));
}

TEST_F(LongTextEditTest, PastingSplitsLongLinesAndUndoesInOneStep) {
    edit_.SetText(QStringLiteral("5A"));
    PlaceCursor(1);
    const QString pasted = Digits(kPiece + 10) + QStringLiteral("\n") + Digits(kPiece * 2 + 1, 7);
    QApplication::clipboard()->setText(pasted);
    edit_.paste();
    const QString expected = QStringLiteral("5") + pasted + QStringLiteral("A");
    EXPECT_EQ(Difference(edit_.Text(), expected), "");
    // The first line joins the line it was pasted into; each long line is split into pieces.
    EXPECT_EQ(edit_.document()->blockCount(), 5);

    edit_.undo();
    EXPECT_EQ(edit_.Text(), "5A");
    edit_.redo();
    EXPECT_EQ(Difference(edit_.Text(), expected), "");

    // Copying all gives the text back as one.
    edit_.selectAll();
    edit_.copy();
    EXPECT_EQ(Difference(QApplication::clipboard()->text(), expected), "");
}

TEST_F(LongTextEditTest, EnterInsideAPieceBreaksTheLine) {
    const QString line = Digits(2 * kPiece);
    edit_.SetText(line);
    PlaceCursor(kPiece + 1 + 3);
    QTest::keyClick(&edit_, Qt::Key_Return);
    EXPECT_EQ(Difference(edit_.Text(), QString(line).insert(kPiece + 3, QLatin1Char('\n'))), "");
    // Typing at the start of the new line continues it.
    QTest::keyClicks(&edit_, "Z");
    EXPECT_EQ(Difference(edit_.Text(), QString(line).insert(kPiece + 3, QStringLiteral("\nZ"))),
              "");
    edit_.undo();
    edit_.undo();
    EXPECT_EQ(Difference(edit_.Text(), line), "");
}

}  // namespace

namespace {

// Positions count the characters of Text(): the joins of pieces count none, line ends one.
TEST_F(LongTextEditTest, SelectingTextCountsItsCharactersNotItsPieces) {
    const QString line = Digits(3 * kPiece + 5);
    const QString text = QStringLiteral("ab\n") + line + QStringLiteral("\ncd\nef");
    edit_.SetText(text);
    const int size = static_cast<int>(text.size());
    const int lineStart = 3;
    const int cases[][2] = {
        {0, 2},                           // in the first block
        {1, 4},                           // across a line end
        {lineStart + kPiece - 1, 2},      // across a join of pieces
        {lineStart + 2 * kPiece + 7, 2},  // inside the third piece
        {size - 4, 4},                    // over the last line ends to the end
    };
    for (const auto& c : cases) {
        edit_.SelectText(c[0], c[1]);
        edit_.copy();
        EXPECT_EQ(QApplication::clipboard()->text(), text.mid(c[0], c[1])) << c[0];
    }
    // Beyond the text the selection stops at its end.
    edit_.SelectText(size - 1, 10);
    edit_.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "f");
}

}  // namespace
