// The file dialogs start in the folder the last one ended in; a document's own path keeps its
// folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/message_box_prompts.h"

namespace {

class FileDialogFolderTest : public ::testing::Test {
protected:
    // Answers the next file dialog with `path`, noting the folder it opened in.
    void Answer(const QString& path) {
        QTimer::singleShot(0, [this, path] {
            QFileDialog* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            opened_ << dialog->directory().absolutePath();
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    }

    MessageBoxPrompts prompts_;
    QStringList opened_;
};

TEST_F(FileDialogFolderTest, DialogsStartWhereTheLastOneEnded) {
    QTemporaryDir first;
    QTemporaryDir second;
    const QString existing = second.filePath("b.tlv");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString filter = QStringLiteral("TLV Files(*.tlv)");

    Answer(first.filePath("a.tlv"));
    EXPECT_EQ(prompts_.AskSavePath(nullptr, QStringLiteral("TLV.tlv"), filter),
              first.filePath("a.tlv"));
    Answer(existing);
    EXPECT_EQ(prompts_.AskOpenPaths(nullptr, filter), QStringList({existing}));
    Answer(second.filePath("c.tlv"));
    EXPECT_EQ(prompts_.AskSavePath(nullptr, QStringLiteral("TLV.tlv"), filter),
              second.filePath("c.tlv"));
    // A document saved before is offered where it is.
    Answer(first.filePath("a.tlv"));
    prompts_.AskSavePath(nullptr, first.filePath("a.tlv"), filter);

    ASSERT_EQ(opened_.size(), 4);
    EXPECT_EQ(opened_[1], first.path());
    EXPECT_EQ(opened_[2], second.path());
    EXPECT_EQ(opened_[3], first.path());
}

}  // namespace
