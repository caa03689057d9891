#include "platform/long_text_edit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Marks a block that continues the line of the block before it. A block without it starts a
// new line, as every block the text widget makes itself does.
const int kJoinProperty = QTextFormat::UserProperty + 0x51;

// Line ends of the program's text.
const char kLineFeed = 0;
const char kCrLf = 1;
const char kCr = 2;

bool IsJoin(const QTextBlock& block) {
    return block.blockFormat().boolProperty(kJoinProperty);
}

QTextBlockFormat JoinFormat() {
    QTextBlockFormat format;
    format.setProperty(kJoinProperty, true);
    return format;
}

// The characters that end a line in text handed to the editor; the text widget turns all but
// the line separator into block breaks of its own.
bool IsLineEnd(char16_t c) {
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator || c == 0xFDD0 || c == 0xFDD1;
}

QLatin1String LineEndText(char lineEnd) {
    switch (lineEnd) {
        case kCrLf:
            return QLatin1String("\r\n");
        case kCr:
            return QLatin1String("\r");
        default:
            return QLatin1String("\n");
    }
}

}  // namespace

LongTextEdit::LongTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    // Hexadecimal text has no words: a line wraps wherever the width ends.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAnywhere);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!settingText_) {
            exactBreaks_ = false;
            lineEnds_.clear();
            endsInCr_ = false;
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
    exactBreaks_ = true;
    lineEnds_.clear();
    endsInCr_ = false;
    QTextDocument* doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    // One edit block: the layout hears of the new text once, and lays out only what it shows.
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    Insert(&cursor, text, true);
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(undo);
    setTextCursor(QTextCursor(doc));
    settingText_ = false;
}

void LongTextEdit::AppendText(QLatin1String text) {
    settingText_ = true;
    QTextDocument* doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    // Moved inside the edit block, the cursor does not lay out the last block to learn where
    // it stands; every block laid out so would keep its layout.
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    Insert(&cursor, text, exactBreaks_);
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(undo);
    settingText_ = false;
}

void LongTextEdit::InsertText(QStringView text) {
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    Insert(&cursor, text, false);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

template <typename Chars>
void LongTextEdit::Insert(QTextCursor* cursor, Chars text, bool programText) {
    const qsizetype size = text.size();
    qsizetype at = 0;
    if (programText && endsInCr_ && size > 0 && text.at(0) == QLatin1Char('\n')) {
        lineEnds_.back() = kCrLf;
        at = 1;
    }
    endsInCr_ = false;
    // Characters of the cursor's block before the cursor, and those still to be inserted there.
    qsizetype used = cursor->positionInBlock();
    QString pending;
    const auto startBlock = [&](bool join) {
        cursor->insertText(pending);
        pending.clear();
        cursor->insertBlock(join ? JoinFormat() : QTextBlockFormat());
        used = 0;
    };
    for (bool firstLine = true;; firstLine = false) {
        qsizetype end = at;
        while (end < size && !IsLineEnd(QChar(text.at(end)).unicode())) {
            ++end;
        }
        // A line goes after a line separator in the block, or starts one when it does not fit.
        if (!firstLine) {
            if (used > 0 && used + 1 + (end - at) > kPieceLength) {
                startBlock(false);
            } else {
                pending += QChar::LineSeparator;
                ++used;
            }
        }
        while (at < end) {
            if (used >= kPieceLength) {
                startBlock(true);
            }
            qsizetype take = qMin<qsizetype>(end - at, kPieceLength - used);
            // A surrogate pair stays in one piece.
            if (take > 1 && at + take < end && QChar(text.at(at + take - 1)).isHighSurrogate()) {
                --take;
            }
            pending += text.sliced(at, take);
            used += take;
            at += take;
        }
        if (end == size) {
            break;
        }
        char lineEnd = kLineFeed;
        at = end + 1;
        if (text.at(end) == QLatin1Char('\r')) {
            lineEnd = kCr;
            if (at < size && text.at(at) == QLatin1Char('\n')) {
                lineEnd = kCrLf;
                ++at;
            } else if (at == size) {
                endsInCr_ = programText;
            }
        }
        if (programText) {
            lineEnds_.append(lineEnd);
        }
    }
    cursor->insertText(pending);
}

template <typename Sink>
bool LongTextEdit::Walk(int from, int to, bool exact, Sink&& sink) const {
    qsizetype lineEnd = 0;
    const auto lineBreak = [&] {
        const char kind = exact && lineEnd < lineEnds_.size() ? lineEnds_[lineEnd] : kLineFeed;
        ++lineEnd;
        return sink(LineEndText(kind));
    };
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const int start = block.position();
        if (start > from && !IsJoin(block) && !lineBreak()) {
            return false;
        }
        const int begin = qMax(from, start) - start;
        const int end = qMin(to, start + block.length() - 1) - start;
        if (end <= begin) {
            continue;
        }
        const QString text = block.text();
        QStringView rest = QStringView(text).sliced(begin, end - begin);
        for (qsizetype separator; (separator = rest.indexOf(QChar::LineSeparator)) >= 0;) {
            if (!sink(rest.first(separator)) || !lineBreak()) {
                return false;
            }
            rest = rest.sliced(separator + 1);
        }
        if (!sink(rest)) {
            return false;
        }
    }
    return true;
}

QString LongTextEdit::Text() const {
    QString text;
    text.reserve(document()->characterCount() + lineEnds_.size());
    Walk(0, document()->characterCount() - 1, exactBreaks_, [&text](auto run) {
        text += run;
        return true;
    });
    return text;
}

bool LongTextEdit::HasText(QStringView text) const {
    return Equals(text);
}

bool LongTextEdit::HasText(QLatin1String text) const {
    return Equals(text);
}

template <typename Chars>
bool LongTextEdit::Equals(Chars text) const {
    qsizetype at = 0;
    const bool walked =
        Walk(0, document()->characterCount() - 1, exactBreaks_, [&text, &at](auto run) {
            if (text.size() - at < run.size() || text.sliced(at, run.size()) != run) {
                return false;
            }
            at += run.size();
            return true;
        });
    return walked && at == text.size();
}

void LongTextEdit::SelectText(int from, int count) {
    QTextCursor cursor(document());
    cursor.setPosition(CursorPosition(from));
    cursor.setPosition(CursorPosition(from + qMax(count, 0)), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

int LongTextEdit::CursorPosition(int at) const {
    int passed = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.position() > 0 && !IsJoin(block)) {
            ++passed;
        }
        const int length = block.length() - 1;
        if (at <= passed + length) {
            return block.position() + qMax(at - passed, 0);
        }
        passed += length;
    }
    return document()->characterCount() - 1;
}

bool LongTextEdit::IsJoinAt(int position) const {
    if (position < 0) {
        return false;
    }
    const QTextBlock next = document()->findBlock(position + 1);
    return next.isValid() && next.position() == position + 1 && IsJoin(next);
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
    QString text;
    Walk(cursor.selectionStart(), cursor.selectionEnd(), false, [&text](auto run) {
        text += run;
        return true;
    });
    QMimeData* data = new QMimeData;
    data->setText(text);
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
