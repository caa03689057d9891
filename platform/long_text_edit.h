// A plain text editor for texts whose lines run to megabytes, such as pasted hexadecimal data.
//
// A text widget lays out a whole paragraph whenever one character of it changes, so a line of
// a million characters would cost every keystroke a second. This editor keeps each long line as
// pieces of at most kPieceLength characters, one text block each, and joins them again
// wherever the text leaves it: Text(), copying and dragging. The user does not see the pieces:
// deleting and moving by characters step over their joins, and long lines wrap anywhere, so a
// piece boundary shows at most as an early line wrap.
//
// Text enters through SetText (the program's own text: line ends kept as given, CR LF and CR
// included, until the user first changes the text; the undo history starts afresh), typing,
// pasting and dropping. QPlainTextEdit's insertPlainText and appendPlainText do not split long
// lines and may continue a piece; use SetText or the clipboard paths instead.
#ifndef QUORVEL_PLATFORM_LONG_TEXT_EDIT_H
#define QUORVEL_PLATFORM_LONG_TEXT_EDIT_H

#include <QLatin1String>
#include <QPlainTextEdit>
#include <QStringView>

class QTextBlock;

class LongTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    enum { kPieceLength = 4096 };

    explicit LongTextEdit(QWidget* parent = nullptr);

    // Replaces the whole text; this is not an edit of the user's, and it cannot be undone.
    void SetText(QStringView text);
    void SetText(QLatin1String text);
    // The text: with the line ends SetText was given until the user changes the text, after
    // that with a line feed for each line break (a line separator counts as one).
    QString Text() const;
    // Whether Text() would return `text`, without building it.
    bool HasText(QStringView text) const;
    bool HasText(QLatin1String text) const;
    // Inserts `text` at the cursor in place of the selection, as pasting does: one undo step.
    void InsertText(QStringView text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    template <typename Chars>
    void Replace(Chars text);
    template <typename Chars>
    bool Equals(Chars text) const;
    // The text between two cursor positions, pieces joined and line breaks as `exactBreaks`
    // says: the ones SetText was given, or line feeds.
    QString Collect(int from, int to, bool exactBreaks) const;
    // Delete and Backspace at a join of pieces remove the character beyond it.
    bool DeleteAcrossJoin(bool forward);
    // After the cursor moved one character onto the other side of a join, it moves on by one.
    void StepOverJoins(int before, int direction, bool select);
    bool IsJoinAt(int position) const;

    bool settingText_ = false;
    bool exactBreaks_ = true;
};

#endif
