// A plain text editor for texts of megabytes, such as pasted hexadecimal data.
//
// A text widget lays out a whole text block whenever one character of it changes, and every
// block costs it a hundred bytes and more of bookkeeping. So this editor keeps its text in
// blocks of about kPieceLength characters: a long line is cut into pieces, one block each,
// joined again wherever the text leaves the editor (Text(), copying and dragging), and short
// lines share a block, parted by line separators. The user does not see the pieces: deleting
// and moving by characters step over their joins, and lines wrap anywhere, so a join shows at
// most as an early line wrap.
//
// Text enters through SetText and AppendText (the program's own text: line ends kept as given,
// CR LF and CR included, until the user first changes the text; the undo history starts
// afresh), typing, pasting and dropping. QPlainTextEdit's insertPlainText and appendPlainText
// do not cut long lines and may continue a piece; use SetText or the clipboard paths instead.
#ifndef QUORVEL_PLATFORM_LONG_TEXT_EDIT_H
#define QUORVEL_PLATFORM_LONG_TEXT_EDIT_H

#include <QByteArray>
#include <QLatin1String>
#include <QPlainTextEdit>
#include <QStringView>

class QTextCursor;

class LongTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    enum { kPieceLength = 4096 };

    explicit LongTextEdit(QWidget* parent = nullptr);

    // Replaces the whole text; this is not an edit of the user's, and it cannot be undone.
    void SetText(QStringView text);
    void SetText(QLatin1String text);
    // Continues the text SetText set as if both had come in one, for a text read in parts.
    void AppendText(QLatin1String text);
    // The text: with the line ends SetText was given until the user changes the text, after
    // that with a line feed for each line break.
    QString Text() const;
    // Whether Text() would return `text`, without building it.
    bool HasText(QStringView text) const;
    bool HasText(QLatin1String text) const;
    // Inserts `text` at the cursor in place of the selection, as pasting does: one undo step.
    void InsertText(QStringView text);
    // Selects `count` characters of Text() from `from`, each line end counting as one
    // character, and scrolls them into view; both are cut to the text.
    void SelectText(int from, int count);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    template <typename Chars>
    void Replace(Chars text);
    // Inserts `text` at `cursor`, packed into blocks; the program's own text also records its
    // line ends.
    template <typename Chars>
    void Insert(QTextCursor* cursor, Chars text, bool programText);
    template <typename Chars>
    bool Equals(Chars text) const;
    // Hands the text between two cursor positions to `sink` in runs, pieces joined and each
    // line break as the line end it stands for (exact) or a line feed; stops when `sink`
    // returns false. Exact line ends are known only from the start of the text.
    template <typename Sink>
    bool Walk(int from, int to, bool exact, Sink&& sink) const;
    // Delete and Backspace at a join of pieces remove the character beyond it.
    bool DeleteAcrossJoin(bool forward);
    // After the cursor moved one character onto the other side of a join, it moves on by one.
    void StepOverJoins(int before, int direction, bool select);
    bool IsJoinAt(int position) const;
    // The cursor position of character `at` of Text(), line ends counting as one character.
    int CursorPosition(int at) const;

    bool settingText_ = false;
    // While the text is as the program set it: the line end of each line break, in order, and
    // whether it ended in a CR that a line feed appended next would join.
    bool exactBreaks_ = true;
    QByteArray lineEnds_;
    bool endsInCr_ = false;
};

#endif
