// What undo and redo must bring back, read from the view as the user sees it: the encoded tree,
// every cell of every row, the cells in the error colour and the error list, the selection, the
// pane text and the document's modified mark.
#ifndef QUORVEL_TESTS_EDITOR_UNDO_TEST_UTIL_H
#define QUORVEL_TESTS_EDITOR_UNDO_TEST_UTIL_H

#include <QHash>
#include <QUndoStack>

#include "core/hex_text.h"
#include "editor/edit_test_util.h"

struct ViewSnapshot {
    QString tree;
    QStringList rows;
    QStringList errorCells;
    QStringList errorEntries;
    QString selected;
    QString pane;
    bool modified = false;

    // One line per part, for readable failures.
    std::string Text() const {
        return QStringList({"tree " + tree, "rows " + rows.join(" / "),
                            "errorCells " + errorCells.join(" "),
                            "errorEntries " + errorEntries.join(" "), "selected " + selected,
                            "pane " + pane, modified ? "modified" : "not modified"})
            .join('\n')
            .toStdString();
    }
};

class UndoTest : public EditTest {
protected:
    ViewSnapshot Snapshot() {
        ViewSnapshot snapshot;
        if (view_.Root() != nullptr) {
            uint8_t bytes[TLV_ENCODE_BUFFER_SIZE];
            uint16_t length = 0;
            EXPECT_EQ(TlvEncode(bytes, view_.Root(), &length, 0), TLV_OK);
            snapshot.tree = QString::fromStdString(HexString(bytes, length));
        }
        QHash<const GridRow*, int> numbers;
        for (int index = 0; Row(index) != nullptr; ++index) {
            GridRow* row = Row(index);
            numbers.insert(row, index);
            QStringList cells;
            for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
                cells << row->Item(column).Value();
                if (row->Item(column).TextColor() == kErrorTextColor) {
                    snapshot.errorCells << QStringLiteral("%1:%2").arg(index).arg(column);
                }
            }
            int depth = 0;
            for (GridRow* parent = row->ParentRow(); parent != nullptr;
                 parent = parent->ParentRow()) {
                ++depth;
            }
            snapshot.rows << QString(depth, QLatin1Char('>')) + cells.join('|');
        }
        for (const ErrorRowList::Entry& entry : view_.Errors()->Entries()) {
            snapshot.errorEntries << QStringLiteral("%1>%2:%3")
                                         .arg(numbers.value(entry.parent, -1))
                                         .arg(numbers.value(entry.row, -1))
                                         .arg(entry.cell.Column());
        }
        int row = -1;
        int column = -1;
        view_.Grid()->GetCurSel(&row, &column);
        snapshot.selected = QStringLiteral("%1:%2").arg(row).arg(column);
        snapshot.pane = view_.PaneText();
        snapshot.modified = document_.modified_;
        return snapshot;
    }

    // Parses `hex` as the user would, then starts from there as if the document had just been
    // opened.
    void Start(const QString& hex) {
        if (!hex.isEmpty()) {
            Parse(hex);
        }
        view_.UndoStack()->clear();
        view_.MarkSaved();
        document_.modified_ = false;
        prompts_.Clear();
    }

    // An empty view with an empty pane and no steps.
    void Reset() {
        if (view_.Root() != nullptr) {
            view_.Pane()->setPlainText(QString());
            prompts_.QueueAnswer(true);
            view_.OnParse();
        }
        QString tree;
        view_.LoadDocumentData(&tree, QString());
        document_.modified_ = false;
        prompts_.Clear();
    }

    int Steps() { return view_.UndoStack()->count(); }
};

inline void PrintTo(const ViewSnapshot& snapshot, std::ostream* out) {
    *out << snapshot.Text();
}

inline bool operator==(const ViewSnapshot& a, const ViewSnapshot& b) {
    return a.Text() == b.Text();
}

inline bool operator!=(const ViewSnapshot& a, const ViewSnapshot& b) {
    return !(a == b);
}

#endif
