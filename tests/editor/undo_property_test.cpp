// Random sequences of steps with undo and redo in between: every undo brings back the state
// before its step and every redo the state after it, byte for byte; undoing everything returns
// to the start and redoing everything to the end.
#include <functional>
#include <random>

#include "editor/menu_slots.h"
#include "editor/undo_test_util.h"
#include "support/tlv_samples.h"

namespace {

class UndoProperty : public UndoTest, public ::testing::WithParamInterface<unsigned> {
protected:
    int RandomCommand(const QStringList& path) {
        const QList<int> ids = Commands(path);
        return ids.isEmpty() ? 0 : ids[static_cast<int>(random_() % ids.size())];
    }

    QString RandomHex(bool padding) {
        // Now and then long enough to take a template past its limit.
        const int length =
            static_cast<int>(random_() % 5 == 0 ? 200 + random_() % 40 : random_() % 24);
        QString text;
        for (int i = 0; i < length; ++i) {
            const unsigned byte = padding ? (random_() % 2 ? 0xFF : 0x00) : random_() % 256;
            text += QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0'));
        }
        return text;
    }

    int RowCount() {
        int count = 0;
        while (Row(count) != nullptr) {
            ++count;
        }
        return count;
    }

    // One thing a user might do, with the selection it needs made already; it may or may not
    // become a step.
    std::function<void()> RandomAction() {
        const unsigned choice = random_() % 10;
        if (choice == 0) {
            return [this] { view_.OnEncode(); };
        }
        if (choice == 1) {
            return [this] { view_.OnParse(); };
        }
        if (view_.Root() == nullptr) {
            const int id = RandomCommand({"Create", "Constructed"});
            return [this, id] { view_.OnDataElementCommand(id); };
        }
        const int row = static_cast<int>(random_() % RowCount());
        const TlvNode* node = static_cast<const TlvNode*>(Row(row)->Data());
        Select(row, ELEMENT_COLUMN_NAME);
        int id = 0;
        switch (choice) {
            case 2:
                id = random_() % 4 == 0 ? ID_DE_ADD_PADDING : RandomCommand({"Add", "Primitive"});
                break;
            case 3:
                id = random_() % 3 == 0 ? ID_DE_INSERT_PADDING_ABOVE
                                        : RandomCommand({"Insert Above", "Constructed"});
                break;
            case 4:
                id = random_() % 3 == 0 ? ID_DE_INSERT_PADDING_BELOW
                                        : RandomCommand({"Insert Below", "Primitive"});
                break;
            case 5:
                id = ID_DE_DELETE;
                break;
            case 6:
                if (node->isPadding == 0) {
                    Select(row, ELEMENT_COLUMN_LENGTH_IN);
                    const QString form = random_() % 2 ? "1 byte" : "2 bytes";
                    return [this, row, form] { Edit(row, ELEMENT_COLUMN_LENGTH_IN, form); };
                }
                break;
            default:
                if ((node->tag[0] & 0x20) == 0) {
                    Select(row, ELEMENT_COLUMN_VALUE);
                    const QString value = RandomHex(node->isPadding != 0);
                    return [this, row, value] { Edit(row, ELEMENT_COLUMN_VALUE, value); };
                }
                break;
        }
        return [this, id] { view_.OnDataElementCommand(id); };
    }

    // What undo or redo must bring back: the recorded state, with the modified mark set unless
    // the stack is back at the start.
    ViewSnapshot Expected(ViewSnapshot state) {
        state.modified = view_.UndoStack()->index() != 0;
        return state;
    }

    std::mt19937 random_;
};

TEST_P(UndoProperty, UndoAndRedoRetraceEveryStep) {
    random_.seed(GetParam());
    const std::vector<TlvSample>& samples = EmvRecords();
    const TlvSample& sample = samples[GetParam() % samples.size()];
    QString tree = QString::fromStdString(BytesHex(sample.bytes));
    view_.LoadDocumentData(&tree, tree);
    document_.modified_ = false;

    // The state before and after each step of the stack, by its index.
    QList<ViewSnapshot> before;
    QList<ViewSnapshot> after;
    for (int action = 0; action < 160; ++action) {
        const int index = view_.UndoStack()->index();
        const unsigned choice = random_() % 8;
        if (choice == 0 && view_.CanUndo()) {
            view_.OnEditUndo();
            ASSERT_EQ(Snapshot(), Expected(before[index - 1])) << "undo at action " << action;
            continue;
        }
        if (choice == 1 && view_.CanRedo()) {
            view_.OnEditRedo();
            ASSERT_EQ(Snapshot(), Expected(after[index])) << "redo at action " << action;
            continue;
        }
        const std::function<void()> step = RandomAction();
        const ViewSnapshot state = Snapshot();
        prompts_.QueueAnswer(true);
        step();
        prompts_.Clear();
        if (view_.UndoStack()->index() == index) {
            continue;
        }
        ASSERT_EQ(view_.UndoStack()->index(), index + 1);
        ASSERT_EQ(view_.UndoStack()->count(), index + 1);
        before.erase(before.begin() + index, before.end());
        after.erase(after.begin() + index, after.end());
        before << state;
        after << Snapshot();
        // Every step changes the rows or the pane, but a confirmed Encode, which marks the
        // document modified even where the pane already held the encoding.
        ASSERT_TRUE(after.last().rows != state.rows || after.last().pane != state.pane ||
                    (view_.UndoText() == "Encode" && after.last().modified));
    }
    ASSERT_GT(view_.UndoStack()->count(), 5);

    while (view_.CanUndo()) {
        view_.OnEditUndo();
    }
    EXPECT_EQ(Snapshot(), Expected(before.first()));
    EXPECT_FALSE(document_.modified_);
    EXPECT_EQ(Snapshot().tree, QString::fromStdString(BytesHex(sample.bytes)));
    while (view_.CanRedo()) {
        view_.OnEditRedo();
    }
    EXPECT_EQ(Snapshot(), Expected(after.last()));
    EXPECT_TRUE(document_.modified_);
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoProperty, ::testing::Values(3u, 11u, 42u, 2026u));

}  // namespace
