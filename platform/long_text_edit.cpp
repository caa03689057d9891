#include "platform/long_text_edit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// What separates a block from the one before it, kept in its block format. Blocks made by the
// text widget itself carry no property: a line feed.
const int kBreakProperty = QTextFormat::UserProperty + 0x51;
enum Break { kBreakLineFeed = 0, kBreakJoin = 1, kBreakCrLf = 2, kBreakCr = 3 };

int BreakBefore(const QTextBlock& block) {
    return block.blockFormat().intProperty(kBreakProperty);
}

QTextBlockFormat BreakFormat(int kind) {
    QTextBlockFormat format;
    if (kind != kBreakLineFeed) {
        format.setProperty(kBreakProperty, kind);
    }
    return format;
}

QLatin1String BreakText(int kind, bool exact) {
    switch (kind) {
        case kBreakJoin:
            return QLatin1String("");
        case kBreakCrLf:
            return QLatin1String(exact ? "\r\n" : "\n");
        case kBreakCr:
            return QLatin1String(exact ? "\r" : "\n");
        default:
            return QLatin1String("\n");
    }
}

// The characters the text widget turns into paragraph breaks.
bool IsLineEnd(char16_t c) {
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == 0xFDD0 || c == 0xFDD1;
}

// One line, in pieces; the first follows `kind` (or continues the cursor's block when negative).
template <typename Chars>
void InsertLine(QTextCursor* cursor, Chars line, int kind) {
    qsizetype at = 0;
    do {
        qsizetype length = qMin<qsizetype>(LongTextEdit::kPieceLength, line.size() - at);
        // A surrogate pair stays in one piece.
        if (at + length < line.size() && QChar(line.at(at + length - 1)).isHighSurrogate()) {
            --length;
        }
        if (at > 0) {
            cursor->insertBlock(BreakFormat(kBreakJoin));
        } else if (kind >= 0) {
            cursor->insertBlock(BreakFormat(kind));
        }
        if (length > 0) {
            cursor->insertText(line.sliced(at, length).toString());
        }
        at += length;
    } while (at < line.size());
}

template <typename Chars>
void InsertLines(QTextCursor* cursor, Chars text) {
    const qsizetype size = text.size();
    qsizetype lineStart = 0;
    int kind = -1;
    for (qsizetype at = 0;; ++at) {
        const char16_t c = at < size ? QChar(text.at(at)).unicode() : u'\0';
        if (at < size && !IsLineEnd(c)) {
            continue;
        }
        InsertLine(cursor, text.sliced(lineStart, at - lineStart), kind);
        if (at == size) {
            break;
        }
        kind = kBreakLineFeed;
        if (c == u'\r') {
            kind = kBreakCr;
            if (at + 1 < size && text.at(at + 1) == QLatin1Char('\n')) {
                kind = kBreakCrLf;
                ++at;
            }
        }
        lineStart = at + 1;
    }
}

char16_t Shown(QChar c) {
    return c == QChar::LineSeparator ? u'\n' : c.unicode();
}

}  // namespace

LongTextEdit::LongTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    // Hexadecimal text has no words: a line wraps wherever the width ends.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAnywhere);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!settingText_) {
            exactBreaks_ = false;
        }
    });
}

void LongTextEdit::SetText(QStringView text) {
    Replace(text);
}

void LongTextEdit::SetText(QLatin1String text) {
    Replace(text);
}

template <typename Chars>
void LongTextEdit::Replace(Chars text) {
    settingText_ = true;
    setPlainText(QString());
    QTextDocument* doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    // One edit block: the layout hears of the new text once, and lays out only what it shows.
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    InsertLines(&cursor, text);
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(undo);
    setTextCursor(QTextCursor(doc));
    settingText_ = false;
    exactBreaks_ = true;
}

QString LongTextEdit::Text() const {
    return Collect(0, document()->characterCount() - 1, exactBreaks_);
}

bool LongTextEdit::HasText(QStringView text) const {
    return Equals(text);
}

bool LongTextEdit::HasText(QLatin1String text) const {
    return Equals(text);
}

template <typename Chars>
bool LongTextEdit::Equals(Chars text) const {
    const QTextDocument* doc = document();
    qsizetype at = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin()) {
            const QLatin1String separator = BreakText(BreakBefore(block), exactBreaks_);
            if (text.size() - at < separator.size() ||
                text.sliced(at, separator.size()) != separator) {
                return false;
            }
            at += separator.size();
        }
        const QString piece = block.text();
        if (text.size() - at < piece.size()) {
            return false;
        }
        for (const QChar c : piece) {
            if (QChar(text.at(at++)).unicode() != Shown(c)) {
                return false;
            }
        }
    }
    return at == text.size();
}

QString LongTextEdit::Collect(int from, int to, bool exactBreaks) const {
    QString text;
    text.reserve(qMax(0, to - from));
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const int start = block.position();
        if (start > from) {
            text += BreakText(BreakBefore(block), exactBreaks);
        }
        const int begin = qMax(from, start) - start;
        const int end = qMin(to, start + block.length() - 1) - start;
        if (end > begin) {
            text += QStringView(block.text()).sliced(begin, end - begin);
        }
    }
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

void LongTextEdit::InsertText(QStringView text) {
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    InsertLines(&cursor, text);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

bool LongTextEdit::IsJoinAt(int position) const {
    if (position < 0) {
        return false;
    }
    const QTextBlock next = document()->findBlock(position + 1);
    return next.isValid() && next.position() == position + 1 && BreakBefore(next) == kBreakJoin;
}

bool LongTextEdit::DeleteAcrossJoin(bool forward) {
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection() || !IsJoinAt(forward ? cursor.position() : cursor.position() - 1)) {
        return false;
    }
    cursor.beginEditBlock();
    if (forward) {
        while (IsJoinAt(cursor.position())) {
            cursor.deleteChar();
        }
        cursor.deleteChar();
    } else {
        while (IsJoinAt(cursor.position() - 1)) {
            cursor.deletePreviousChar();
        }
        cursor.deletePreviousChar();
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
    return true;
}

void LongTextEdit::StepOverJoins(int before, int direction, bool select) {
    QTextCursor cursor = textCursor();
    int from = before;
    while (cursor.position() == from + direction && IsJoinAt(qMin(from, cursor.position()))) {
        from = cursor.position();
        if (!cursor.movePosition(
                direction > 0 ? QTextCursor::NextCharacter : QTextCursor::PreviousCharacter,
                select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor)) {
            break;
        }
    }
    if (cursor.position() != textCursor().position()) {
        setTextCursor(cursor);
    }
}

void LongTextEdit::keyPressEvent(QKeyEvent* event) {
    if (textInteractionFlags() & Qt::TextEditable) {
        if (event->matches(QKeySequence::InsertParagraphSeparator)) {
            InsertText(u"\n");
            event->accept();
            return;
        }
        const bool backspace =
            event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier);
        if ((backspace || event->matches(QKeySequence::Delete)) && DeleteAcrossJoin(!backspace)) {
            event->accept();
            return;
        }
    }
    const bool select = event->matches(QKeySequence::SelectNextChar) ||
                        event->matches(QKeySequence::SelectPreviousChar);
    const bool move = select || event->matches(QKeySequence::MoveToNextChar) ||
                      event->matches(QKeySequence::MoveToPreviousChar);
    const int before = textCursor().position();
    const bool hadSelection = textCursor().hasSelection();
    QPlainTextEdit::keyPressEvent(event);
    const int moved = textCursor().position() - before;
    // Without Shift, a selection collapses instead of moving: nothing to step over then.
    if (move && (moved == 1 || moved == -1) && (select || !hadSelection)) {
        StepOverJoins(before, moved, select);
    }
}

QMimeData* LongTextEdit::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    QMimeData* data = new QMimeData;
    data->setText(Collect(cursor.selectionStart(), cursor.selectionEnd(), false));
    return data;
}

void LongTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!(textInteractionFlags() & Qt::TextEditable) || source == nullptr) {
        return;
    }
    const QString text = source->text();
    if (!text.isNull()) {
        InsertText(text);
    }
}
