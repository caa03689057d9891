// Files and text dropped onto the main window, a document's grid, pane and byte tables.
#include "app/file_drop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

#include "app/app_fixture.h"
#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/orda_app.h"
#include "app/orda_doc.h"
#include "app/tlv_file.h"
#include "editor/element_grid_ctrl.h"
#include "editor/orda_view.h"
#include "panels/analysis_bar.h"
#include "platform/byte_table.h"
#include "platform/scripted_prompts.h"
#include "support/qt_printers.h"

namespace {

// Drags `data` over `target` and drops it at `position`, as the windowing system delivers a
// drop: the drag enters `target` and goes up its parents until a widget takes it, and the drop
// goes to the widget that took it. The drag proposes to move, as Shift asks. True
// when the drop was taken; what it queued has run. A file taken is only ever copied.
bool DropOnto(QWidget* target, const QPoint& position, const QMimeData* data) {
    QDragEnterEvent enter(position, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                          Qt::ShiftModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(QPointF(position), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                    Qt::ShiftModifier);
    QApplication::sendEvent(target, &drop);
    QApplication::processEvents();
    if (data->hasUrls() && drop.isAccepted()) {
        EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
        EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    }
    return drop.isAccepted();
}

std::unique_ptr<QMimeData> Files(const QStringList& paths) {
    std::unique_ptr<QMimeData> data(new QMimeData);
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    data->setUrls(urls);
    return data;
}

std::unique_ptr<QMimeData> Text(const QString& text) {
    std::unique_ptr<QMimeData> data(new QMimeData);
    data->setText(text);
    return data;
}

class FileDropTest : public AppFixture {
protected:
    QWidget* DocumentArea() { return Frame()->MdiArea()->viewport(); }
    int DocumentCount() { return Frame()->MdiArea()->subWindowList().size(); }
    CChildFrame* Active() { return Frame()->ActiveChildFrame(); }

    QString WriteDocument(const QString& name, const std::string& tree) {
        const std::vector<uint8_t> bytes = TlvFileWrite(tree, tree);
        return WriteFile(name, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                          static_cast<qsizetype>(bytes.size())));
    }

    // A new document whose pane holds `text`, not modified.
    COrdaView* NewDocument(const QString& text) {
        CChildFrame* frame = app_->OnFileNew();
        frame->View()->Pane()->setPlainText(text);
        frame->Document()->SetModifiedFlag(false);
        return frame->View();
    }

    QStringList Shown() {
        QStringList texts;
        for (const ScriptedPrompts::Shown& shown : prompts_.History()) {
            texts << shown.text;
        }
        return texts;
    }
};

TEST_F(FileDropTest, SeveralTlvFilesOpenAsFileOpenOpensThem) {
    const QString first = WriteDocument("first.tlv", "5A021234");
    const QString second = WriteDocument("SECOND.TLV", "70075A02123400FF00");
    ASSERT_TRUE(DropOnto(DocumentArea(), QPoint(20, 20), Files({first, second}).get()));
    ASSERT_EQ(DocumentCount(), 2);
    EXPECT_EQ(Active()->Document()->Title(), "SECOND.TLV");
    EXPECT_EQ(Active()->View()->Grid()->GetRow(0)->Item(6).Value(), "70075A02123400FF00");
    EXPECT_EQ(app_->GetRecentFiles()->Entry(0), QFileInfo(second).absoluteFilePath());
    EXPECT_EQ(app_->GetRecentFiles()->Entry(1), QFileInfo(first).absoluteFilePath());
    EXPECT_TRUE(prompts_.History().isEmpty());

    // A file already open only has its window shown; one that cannot be read is reported.
    const QString missing = dir_.filePath("missing.tlv");
    ASSERT_TRUE(DropOnto(Frame()->AnalysisBar(), QPoint(5, 5), Files({missing, first}).get()));
    EXPECT_EQ(DocumentCount(), 2);
    EXPECT_EQ(Active()->Document()->Title(), "first.tlv");
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(prompts_.History()[0].text, "Failed to open document.\r\n\r\n" +
                                              QDir::toNativeSeparators(missing) +
                                              "\r\nNo such file or directory");
}

TEST_F(FileDropTest, OnlyTlvFilesOpenFromTheMainWindow) {
    const QString document = WriteDocument("record.tlv", "5A021234");
    const QString text = WriteFile("record.txt", "5A021234");
    // Other files alone are not taken there.
    EXPECT_FALSE(DropOnto(DocumentArea(), QPoint(20, 20), Files({text}).get()));
    std::unique_ptr<QMimeData> web(new QMimeData);
    web->setUrls({QUrl(QStringLiteral("https://example.com/record.tlv"))});
    EXPECT_FALSE(DropOnto(DocumentArea(), QPoint(20, 20), web.get()));
    EXPECT_FALSE(DropOnto(DocumentArea(), QPoint(20, 20), Text("5A021234").get()));
    EXPECT_EQ(DocumentCount(), 0);
    EXPECT_TRUE(prompts_.History().isEmpty());
    // Beside a document they are named as not opened.
    ASSERT_TRUE(DropOnto(Frame(), QPoint(20, 20), Files({text, document}).get()));
    EXPECT_EQ(DocumentCount(), 1);
    EXPECT_EQ(Shown(),
              QStringList({"Only TLV files (*.tlv) open as documents; not opened:\r\n\r\n" +
                           QDir::toNativeSeparators(text)}));
}

TEST_F(FileDropTest, AFileOfHexTextGoesIntoThePaneOfTheGridItFallsOn) {
    COrdaView* view = NewDocument(QString());
    const QString path = WriteFile("gpo.txt", "77 16 82 02 19 80\r\n94 10 08010100 10010201\n");
    ASSERT_TRUE(DropOnto(view->Grid()->viewport(), QPoint(30, 30), Files({path}).get()));
    EXPECT_EQ(view->PaneText(), "77 16 82 02 19 80\n94 10 08010100 10010201\n");
    EXPECT_TRUE(prompts_.History().isEmpty());
    EXPECT_TRUE(Active()->Document()->IsModified());
    EXPECT_EQ(DocumentCount(), 1);

    // A pane holding text is replaced only when the user says so, and can be taken back.
    const QString other = WriteFile("other.hex", "5A021234");
    prompts_.QueueAnswer(false);
    ASSERT_TRUE(DropOnto(view->Grid()->viewport(), QPoint(30, 30), Files({other}).get()));
    EXPECT_EQ(Shown(), QStringList({"The already existing encoded data will be replaced by the "
                                    "text of other.hex!\r\n\r\nDo you want to continue?"}));
    EXPECT_TRUE(prompts_.History()[0].question);
    EXPECT_EQ(view->PaneText(), "77 16 82 02 19 80\n94 10 08010100 10010201\n");
    prompts_.QueueAnswer(true);
    ASSERT_TRUE(DropOnto(view->Pane()->viewport(), QPoint(5, 5), Files({other}).get()));
    EXPECT_EQ(view->PaneText(), "5A021234");
    view->Pane()->undo();
    EXPECT_EQ(view->PaneText(), "77 16 82 02 19 80\n94 10 08010100 10010201\n");
    // A pane of white space only holds nothing to ask about.
    prompts_.Clear();
    view->Pane()->setPlainText(QStringLiteral(" \n\t"));
    ASSERT_TRUE(DropOnto(view->Grid()->viewport(), QPoint(30, 30), Files({other}).get()));
    EXPECT_TRUE(prompts_.History().isEmpty());
    EXPECT_EQ(view->PaneText(), "5A021234");
}

TEST_F(FileDropTest, FilesThatHoldNoHexTextAreRefusedWithTheReason) {
    COrdaView* view = NewDocument(QStringLiteral("9F4D00"));
    const QString prefix =
        QStringLiteral("Cannot put the file into the encoded data pane.\r\n\r\n");
    const QString notHex = QStringLiteral(
        "\r\nThe file does not hold hexadecimal text (hexadecimal digits and white space only).");
    const QString words = WriteFile("notes.txt", "5A 02 12 34 and more");
    const QString empty = WriteFile("empty.txt", "");
    const QString binary = WriteFile("record.bin", QByteArray("\x5A\x02\x12\x34", 4));
    const QString folder = dir_.filePath("folder.txt");
    ASSERT_TRUE(QDir().mkdir(folder));
    for (const QString& path : {words, empty, binary}) {
        prompts_.Clear();
        ASSERT_TRUE(DropOnto(view->Grid()->viewport(), QPoint(30, 30), Files({path}).get()));
        EXPECT_EQ(Shown(), QStringList({prefix + QDir::toNativeSeparators(path) + notHex}));
        EXPECT_FALSE(prompts_.History()[0].question);
    }
    prompts_.Clear();
    ASSERT_TRUE(DropOnto(view->Grid()->viewport(), QPoint(30, 30), Files({folder}).get()));
    EXPECT_EQ(Shown(),
              QStringList({prefix + QDir::toNativeSeparators(folder) + "\r\nIs a directory"}));
    EXPECT_EQ(view->PaneText(), "9F4D00");
    EXPECT_FALSE(Active()->Document()->IsModified());
}

TEST_F(FileDropTest, DocumentsAndSeveralFilesOnAGridAreTheMainWindows) {
    COrdaView* view = NewDocument(QStringLiteral("9F4D00"));
    const QString document = WriteDocument("card.tlv", "5A021234");
    ASSERT_TRUE(DropOnto(view->Grid()->viewport(), QPoint(30, 30), Files({document}).get()));
    EXPECT_EQ(DocumentCount(), 2);
    EXPECT_EQ(Active()->Document()->Title(), "card.tlv");
    EXPECT_EQ(view->PaneText(), "9F4D00");

    const QString one = WriteFile("one.txt", "5A021234");
    const QString two = WriteFile("two.txt", "9F4D00");
    EXPECT_FALSE(DropOnto(view->Pane()->viewport(), QPoint(5, 5), Files({one, two}).get()));
    EXPECT_EQ(view->PaneText(), "9F4D00");
    EXPECT_EQ(DocumentCount(), 2);
}

TEST_F(FileDropTest, HexTextGoesIntoThePaneWhereItIsDropped) {
    COrdaView* view = NewDocument(QStringLiteral("5A08AAAA"));
    QPlainTextEdit* pane = view->Pane();
    QTextCursor at(pane->document());
    at.setPosition(4);
    const QPoint point = pane->cursorRect(at).center();
    ASSERT_TRUE(DropOnto(pane->viewport(), point, Text(QStringLiteral("4761 7390")).get()));
    EXPECT_EQ(view->PaneText(), "5A084761 7390AAAA");
    EXPECT_TRUE(Active()->Document()->IsModified());

    // Other text is refused, there and on the grid.
    for (const char* text : {"hello", "0x5A", "", "5A 02 12 34 ;"}) {
        EXPECT_FALSE(DropOnto(pane->viewport(), point, Text(QString::fromLatin1(text)).get()))
            << text;
    }
    EXPECT_FALSE(DropOnto(view->Grid()->viewport(), QPoint(30, 30), Text("5A021234").get()));
    EXPECT_EQ(view->PaneText(), "5A084761 7390AAAA");
    EXPECT_TRUE(prompts_.History().isEmpty());
}

TEST_F(FileDropTest, AFileDroppedOnAByteTableShowsItsBytes) {
    COrdaView* view = NewDocument(QString());
    view->ModeList()->setCurrentIndex(DISPLAY_MODE_16_BYTES);
    view->OnDisplayModeChange();
    const QString path = WriteFile("aid.txt", "4F07A0000000041010");
    ByteTableView* table = view->ByteTable(DISPLAY_MODE_16_BYTES);
    ASSERT_TRUE(DropOnto(table->viewport(), QPoint(10, 10), Files({path}).get()));
    EXPECT_EQ(view->ByteBuffer().toHex().toUpper(), "4F07A0000000041010");
    EXPECT_EQ(table->Model()->rowCount(), 1);
    EXPECT_TRUE(Active()->Document()->IsModified());
}

TEST(DroppedData, FilesAndHexText) {
    QMimeData mixed;
    mixed.setUrls({QUrl::fromLocalFile("/tmp/a.tlv"), QUrl(QStringLiteral("https://b/c.tlv"))});
    EXPECT_TRUE(DroppedFiles(&mixed).isEmpty());
    EXPECT_EQ(DroppedFiles(Files({"/tmp/a.tlv", "/tmp/b c.txt"}).get()),
              QStringList({"/tmp/a.tlv", "/tmp/b c.txt"}));
    EXPECT_TRUE(DroppedFiles(Text("/tmp/a.tlv").get()).isEmpty());
    EXPECT_TRUE(DroppedFiles(nullptr).isEmpty());
    EXPECT_TRUE(IsTlvFilePath("/x/Card.TLV"));
    EXPECT_FALSE(IsTlvFilePath("/x/card.tlv.txt"));
    EXPECT_FALSE(IsTlvFilePath("/x/tlv"));
    EXPECT_TRUE(IsHexText("5a 02\r\n12\t34"));
    EXPECT_TRUE(IsHexText("F"));
    EXPECT_FALSE(IsHexText(""));
    EXPECT_FALSE(IsHexText(" \r\n"));
    EXPECT_FALSE(IsHexText("5A02G1"));
    EXPECT_FALSE(
        IsHexText(QByteArray("5A\0"
                             "02",
                             5)));
}

}  // namespace
