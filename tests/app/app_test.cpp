#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <utility>

#include "app/app_fixture.h"
#include "app/app_ids.h"
#include "app/app_looks.h"
#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/orda_app.h"
#include "app/orda_doc.h"
#include "app/tlv_file.h"
#include "editor/editor_ids.h"
#include "editor/element_grid_ctrl.h"
#include "editor/orda_view.h"
#include "panels/analysis_bar.h"
#include "panels/description_bar.h"
#include "panels/dictionary_bar.h"
#include "platform/scripted_prompts.h"
#include "support/active_window.h"
#include "support/qt_printers.h"

namespace {

class AppTest : public AppFixture {
protected:
    QStringList MenuTitles() {
        QStringList titles;
        for (QAction* action : Frame()->menuBar()->actions()) {
            titles << action->text();
        }
        return titles;
    }

    QMenu* Menu(const QString& title) {
        for (QAction* action : Frame()->menuBar()->actions()) {
            if (action->text() == title) {
                return action->menu();
            }
        }
        return nullptr;
    }

    // Item texts of a menu, "-" for separators and "[id]" after items that carry a command id.
    QStringList Items(QMenu* menu) {
        QStringList items;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                items << QStringLiteral("-");
            } else {
                items << action->text() + (action->data().isValid()
                                               ? QStringLiteral(" [%1]").arg(action->data().toInt())
                                               : QString());
            }
        }
        return items;
    }

    static QByteArray FileBytes(const std::string& tree, const std::string& pane) {
        const std::vector<uint8_t> bytes = TlvFileWrite(tree, pane);
        return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    }

    static QByteArray ReadAll(const QString& path) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
};

TEST_F(AppTest, MenusFollowWhetherADocumentIsOpen) {
    EXPECT_EQ(MenuTitles(), QStringList({"&File", "&View", "&Help"}));
    EXPECT_EQ(Items(Menu("&File")),
              QStringList({"&New\tCtrl+N [57600]", "&Open...\tCtrl+O [57601]", "-",
                           "P&rint Setup... [57606]", "-", "Recent Files", "-", "E&xit [57665]"}));
    app_->OnFileNew();
    EXPECT_EQ(MenuTitles(), QStringList({"&File", "&Edit", "&View", "&Window", "&Help"}));
    EXPECT_EQ(Items(Menu("&File")),
              QStringList({"&New\tCtrl+N [57600]", "&Open...\tCtrl+O [57601]", "&Close [57602]",
                           "&Save\tCtrl+S [57603]", "Save &As... [57604]", "-",
                           "&Print...\tCtrl+P [57607]", "Print Pre&view [57609]",
                           "P&rint Setup... [57606]", "-", "Recent Files", "-", "E&xit [57665]"}));
    EXPECT_EQ(Items(Menu("&Edit")),
              QStringList({"&Undo\tCtrl+Z [57643]", "&Redo\tCtrl+Y [57644]", "-", "Data Element",
                           "-", "Cu&t\tCtrl+X [57635]", "&Copy\tCtrl+C [57634]",
                           "&Paste\tCtrl+V [57637]", "-", "&Find...\tCtrl+F [57636]",
                           "Find &Next\tF3 [32862]", "Find Pre&vious\tShift+F3 [32863]"}));
    EXPECT_EQ(Items(Menu("&Window")),
              QStringList({"&New Window [57648]", "&Cascade [57650]", "&Tile [57651]",
                           "&Arrange Icons [57649]", "&Windows... [32823]"}));
    EXPECT_EQ(Items(Menu("&Help")), QStringList({"&About Quorvel BERTLV... [57664]"}));
    const QStringList view = Items(Menu("&View"));
    EXPECT_EQ(view.value(1), "&Status Bar [59393]");
    EXPECT_EQ(view.mid(3), QStringList({"-", "&Mask Card Numbers [32880]"}));
    EXPECT_EQ(Items(Menu("&View")->actions().value(2)->menu()),
              QStringList({"Office &2000 [32833]", "Office &XP [32834]", "Office 200&3 [32835]",
                           "Visual Studio.NET 200&5 [32837]", "&Windows XP [32836]"}));
    CloseAll();
    EXPECT_EQ(MenuTitles(), QStringList({"&File", "&View", "&Help"}));
}

TEST_F(AppTest, CommandsCarryTheirPromptsAndKeys) {
    EXPECT_EQ(Frame()->Action(ID_VIEW_CUSTOMIZE)->statusTip(), "Customize toolbars ane menus.");
    EXPECT_EQ(Frame()->Action(ID_DELETE_DATA_ELEMENT)->statusTip(), "Delete Data Elementt");
    EXPECT_EQ(Frame()->Action(ID_VIEW_ANALYSIS)->toolTip(), "Toggle Analysis");
    EXPECT_EQ(Frame()->Action(ID_VIEW_ANALYSIS)->text(), "Analysis");
    EXPECT_FALSE(Frame()->Action(ID_EDIT_UNDO)->isEnabled());
    EXPECT_FALSE(Frame()->Action(ID_NEXT_PANE)->isEnabled());
    EXPECT_EQ(Frame()->Action(ID_PREV_PANE)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
    EXPECT_TRUE(Frame()
                    ->Action(ID_EDIT_COPY)
                    ->shortcuts()
                    .contains(QKeySequence(Qt::CTRL | Qt::Key_Insert)));
    QStringList toolbar;
    for (QAction* action : Frame()->StandardToolBar()->actions()) {
        toolbar << (action->isSeparator() ? QStringLiteral("-") : action->data().toString());
    }
    EXPECT_EQ(toolbar.mid(0, 14),
              QStringList({"57600", "57601", "57603", "-", "57635", "57634", "57637", "-", "57643",
                           "57644", "-", "57607", "-", "57664"}));
    EXPECT_EQ(Frame()->StandardToolBar()->windowTitle(), "Standard");
}

TEST_F(AppTest, RecentFilesMenuNumbersTheFilledEntries) {
    QMenu* recent = Frame()->RecentFilesMenu();
    Frame()->RebuildRecentFilesMenu();
    ASSERT_EQ(Items(recent), QStringList({"Empty [32858]"}));
    EXPECT_FALSE(recent->actions()[0]->isEnabled());

    app_->GetRecentFiles()->SetEntry(0, dir_.filePath("first.tlv"));
    app_->GetRecentFiles()->SetEntry(2, dir_.filePath("third.tlv"));
    Frame()->RebuildRecentFilesMenu();
    const QString shown = QDir::toNativeSeparators(dir_.path());
    EXPECT_EQ(Items(recent), QStringList({QStringLiteral("&1 %1/first.tlv [32858]").arg(shown),
                                          QStringLiteral("&2 %1/third.tlv [32860]").arg(shown)}));
}

TEST_F(AppTest, RecentFilesMenuShowsLongPathsAndAmpersandsReadably) {
    QMenu* recent = Frame()->RecentFilesMenu();
    const QString folder = QStringLiteral("/") + QString(240, QLatin1Char('f'));
    app_->GetRecentFiles()->SetEntry(0, folder + QStringLiteral("/R&D results.tlv"));
    Frame()->RebuildRecentFilesMenu();
    ASSERT_EQ(recent->actions().size(), 1);
    const QString text = recent->actions()[0]->text();
    // Cut in the middle: the start of the path and the whole file name remain, and the item
    // fits half the screen.
    EXPECT_TRUE(text.startsWith(QStringLiteral("&1 /fff"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("/R&&D results.tlv"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QChar(0x2026))) << text.toStdString();
    const int screenWidth = Frame()->screen()->availableGeometry().width();
    EXPECT_LE(QFontMetrics(recent->font()).horizontalAdvance(text.mid(3)),
              screenWidth / 2 + QFontMetrics(recent->font()).averageCharWidth());
}

TEST_F(AppTest, RecentFilesMoveToTheFrontAndKeepFour) {
    RecentFileList* recent = app_->GetRecentFiles();
    for (const char* name : {"a.tlv", "b.tlv", "c.tlv", "d.tlv", "e.tlv"}) {
        app_->AddToRecentFiles(dir_.filePath(name));
    }
    app_->AddToRecentFiles(dir_.filePath("c.tlv"));
    QStringList names;
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        names << QFileInfo(recent->Entry(i)).fileName();
    }
    EXPECT_EQ(names, QStringList({"c.tlv", "e.tlv", "d.tlv", "b.tlv"}));
    app_->ExitInstance();
    settings_.sync();
    RecentFileList reread;
    reread.Read(&settings_);
    EXPECT_EQ(QFileInfo(reread.Entry(0)).fileName(), "c.tlv");
    EXPECT_EQ(QFileInfo(reread.Entry(3)).fileName(), "b.tlv");
    EXPECT_EQ(settings_.value("V1.0/Recent File List/File2").toString(), recent->Entry(1));
}

TEST_F(AppTest, MissingRecentFileIsReportedAndDropped) {
    app_->AddToRecentFiles(dir_.filePath("gone.tlv"));
    app_->OnOpenRecentFile(0);
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_TRUE(prompts_.History()[0].text.startsWith("Failed to open document."));
    EXPECT_EQ(app_->GetRecentFiles()->Entry(0), "");
    EXPECT_TRUE(Frame()->MdiArea()->subWindowList().isEmpty());
}

TEST_F(AppTest, RecentFileOpenInAWindowIsShownEvenWhenRenamedOnTheDisk) {
    const QString renamed = WriteFile("renamed.tlv", FileBytes("5A021234", ""));
    CChildFrame* first = app_->OpenDocumentFile(renamed);
    CChildFrame* second = app_->OpenDocumentFile(WriteFile("other.tlv", FileBytes("", "")));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(QFile::rename(renamed, dir_.filePath("moved.tlv")));
    ASSERT_EQ(app_->GetRecentFiles()->Entry(1), renamed);
    prompts_.Clear();
    app_->OnOpenRecentFile(1);
    EXPECT_TRUE(prompts_.History().isEmpty());
    EXPECT_EQ(Frame()->MdiArea()->activeSubWindow(), first);
    EXPECT_EQ(app_->GetRecentFiles()->Entry(1), renamed);
    EXPECT_EQ(Frame()->MdiArea()->subWindowList().size(), 2);
}

TEST_F(AppTest, LookIsStoredAndRestored) {
    EXPECT_EQ(Frame()->CurrentAppLook(), 32837);
    EXPECT_TRUE(Frame()->Action(32837)->isChecked());
    Frame()->Action(32834)->trigger();
    EXPECT_TRUE(Frame()->Action(32834)->isChecked());
    EXPECT_FALSE(Frame()->Action(32837)->isChecked());
    EXPECT_EQ(settings_.value("V1.0/UISettings/ApplicationLook").toInt(), 32834);
    CMainFrame restarted(app_.get(), &settings_);
    EXPECT_EQ(restarted.CurrentAppLook(), 32834);
    EXPECT_TRUE(restarted.Action(32834)->isChecked());
    Frame()->OnApplicationLook(32837);
}

TEST_F(AppTest, ClosingTheWindowHidesEveryWindowItOwns) {
    // On X11, Qt restores some stored layouts of panels floated together with a group window
    // that closing leaves on screen, and quitting then tries to close it forever. A window of
    // the frame's own stands in for it here: closing the frame does not hide its windows.
    CMainFrame restarted(app_.get(), &settings_);
    restarted.show();
    restarted.DictionaryBar()->setFloating(true);
    QWidget* floating = new QWidget(&restarted, Qt::Tool);
    floating->setWindowTitle(QStringLiteral("Floating"));
    floating->show();
    QApplication::processEvents();
    const auto shownWindows = [&restarted] {
        QStringList shown;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            for (QWidget* owner = widget->parentWidget(); owner != nullptr;
                 owner = owner->parentWidget()) {
                if (owner == &restarted && widget->isVisible()) {
                    shown << widget->windowTitle();
                }
            }
        }
        shown.sort();
        return shown;
    };
    EXPECT_EQ(shownWindows(), QStringList({"Data Elements", "Floating"}));
    EXPECT_TRUE(restarted.close());
    EXPECT_EQ(shownWindows(), QStringList());
}

TEST_F(AppTest, StartingWithTheStoredLookLeavesTheSettingsFileAlone) {
    settings_.sync();
    EXPECT_EQ(settings_.value("V1.0/UISettings/ApplicationLook").toInt(), 32837);
    const QString path = settings_.fileName();
    const QDateTime yesterday = QDateTime::currentDateTime().addDays(-1);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(yesterday, QFileDevice::FileModificationTime));
    }
    CMainFrame restarted(app_.get(), &settings_);
    QApplication::processEvents();
    settings_.sync();
    EXPECT_EQ(QFileInfo(path).lastModified().toSecsSinceEpoch(), yesterday.toSecsSinceEpoch());
    EXPECT_EQ(restarted.CurrentAppLook(), 32837);
}

TEST_F(AppTest, UnknownStoredLookStaysStoredUntilALookIsChosen) {
    // Another look in use first: the new window must bring the default one.
    Frame()->OnApplicationLook(32833);
    settings_.setValue("V1.0/UISettings/ApplicationLook", 12345);
    CMainFrame restarted(app_.get(), &settings_);
    EXPECT_EQ(settings_.value("V1.0/UISettings/ApplicationLook").toInt(), 12345);
    for (const AppLook& look : kAppLooks) {
        EXPECT_FALSE(restarted.Action(look.id)->isChecked()) << look.id;
    }
    // The default look's window colour, not the Office 2000 look's.
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(238, 238, 242));

    restarted.Action(32834)->trigger();
    EXPECT_TRUE(restarted.Action(32834)->isChecked());
    EXPECT_EQ(settings_.value("V1.0/UISettings/ApplicationLook").toInt(), 32834);
    // The other tests start in the default look.
    Frame()->OnApplicationLook(32837);
}

TEST_F(AppTest, TitleRuleMarksUnsavedChanges) {
    COrdaDoc doc;
    doc.OnNewDocument();
    EXPECT_EQ(doc.Title(), "Untitled");
    doc.SetModifiedFlag(true);
    doc.SetTitle(doc.Title());
    EXPECT_EQ(doc.Title(), "Untitled *");
    doc.SetTitle(doc.Title());
    EXPECT_EQ(doc.Title(), "Untitled *");
    doc.SetModifiedFlag(false);
    doc.SetTitle(doc.Title());
    EXPECT_EQ(doc.Title(), "Untitled");

    CChildFrame* frame = app_->OnFileNew();
    frame->View()->Pane()->setPlainText(QStringLiteral("5A"));
    EXPECT_EQ(frame->windowTitle(), "Untitled *");
    EXPECT_EQ(Frame()->windowTitle(), "Quorvel BERTLV - Untitled *");

    // A change made while another program is active, as a file dropped from a file manager
    // makes, keeps the document's name in the caption.
    frame->View()->Pane()->clear();
    frame->Document()->SetModifiedFlag(false);
    frame->Document()->SetTitle(frame->Document()->Title());
    ASSERT_TRUE(ShowActive(Frame()));
    EXPECT_EQ(Frame()->windowTitle(), "Quorvel BERTLV - Untitled");
    QEvent deactivated(QEvent::ApplicationDeactivate);
    QApplication::sendEvent(qApp, &deactivated);
    frame->View()->Pane()->setPlainText(QStringLiteral("9F36"));
    EXPECT_EQ(Frame()->windowTitle(), "Quorvel BERTLV - Untitled *");
}

TEST_F(AppTest, FilesThatAreNotWholeDocumentsAreRefusedAndKept) {
    const QByteArray magic(reinterpret_cast<const char*>(TLV_FILE_MAGIC), 16);
    const QByteArray tooLong = magic + QByteArray("\x40\x00\x00\x00", 4) + "5A021234";
    const QByteArray noPane = magic + QByteArray("\x08\x00\x00\x00", 4) + "5A021234";
    const char damaged[] = "The document is damaged: the file ends inside it.";
    const char foreign[] = "The file is not a Quorvel BERTLV document.";
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } files[] = {
        {"signature-and-part-of-a-length.tlv", magic + QByteArray(2, '\0'), damaged},
        {"n1-too-large.tlv", tooLong, damaged},
        {"no-pane-text.tlv", noPane, damaged},
        {"short.tlv", magic.left(15), foreign},
        {"hex-text.tlv", QByteArray("701A5A0847617390010100105F2403251231"), foreign},
    };
    for (const auto& file : files) {
        const QString path = WriteFile(file.name, file.bytes);
        prompts_.Clear();
        EXPECT_EQ(app_->OpenDocumentFile(path), nullptr) << file.name;
        ASSERT_EQ(prompts_.History().size(), 1) << file.name;
        EXPECT_EQ(prompts_.History()[0].text,
                  QStringLiteral("Failed to open document.\r\n\r\n%1\r\n%2")
                      .arg(QDir::toNativeSeparators(path), QString::fromLatin1(file.reason)));
        EXPECT_EQ(ReadAll(path), file.bytes) << file.name;
    }
    EXPECT_TRUE(Frame()->MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(app_->GetRecentFiles()->Entry(0), QString());

    // An empty file, or the signature alone, has nothing to lose: it opens as an empty document.
    for (const auto& [name, bytes] :
         {std::pair{"empty.tlv", QByteArray()}, std::pair{"signature-only.tlv", magic}}) {
        CChildFrame* frame = app_->OpenDocumentFile(WriteFile(name, bytes));
        ASSERT_NE(frame, nullptr) << name;
        EXPECT_EQ(frame->View()->Root(), nullptr);
        EXPECT_EQ(frame->View()->PaneText(), "");
        EXPECT_EQ(frame->windowTitle(), name);
        EXPECT_FALSE(frame->Document()->IsModified());
        EXPECT_EQ(QFileInfo(app_->GetRecentFiles()->Entry(0)).fileName(), name);
    }
}

TEST_F(AppTest, OpeningRestoresTreeAndPaneApart) {
    QByteArray bytes = FileBytes("5A02 12\r\n34", "typed\r\n 5a 02");
    CChildFrame* frame = app_->OpenDocumentFile(WriteFile("spaced.tlv", bytes));
    ASSERT_NE(frame->View()->Root(), nullptr);
    EXPECT_EQ(frame->View()->Grid()->GetRow(0)->Item(6).Value(), "5A021234");
    EXPECT_EQ(frame->View()->PaneText(), "typed\r\n 5a 02");

    const std::string withZero("5A021234\0FF", 11);
    frame = app_->OpenDocumentFile(WriteFile("zero.tlv", FileBytes(withZero, "")));
    EXPECT_EQ(frame->Document()->EncodedHex(), "5A021234");
    EXPECT_EQ(frame->View()->Grid()->GetRow(0)->Item(6).Value(), "5A021234");
}

TEST_F(AppTest, SavingWritesTheViewsCurrentContent) {
    CChildFrame* frame = app_->OnFileNew();
    frame->View()->Pane()->setPlainText(QStringLiteral("abc"));
    const QString path = dir_.filePath(QStringLiteral("new.tlv"));
    prompts_.QueuePath(path);
    ASSERT_TRUE(frame->Document()->Save(frame));
    EXPECT_EQ(ReadAll(path).size(), 16 + 4 + 0 + 4 + 3);
    EXPECT_EQ(ReadAll(path), FileBytes("", "abc"));
    EXPECT_EQ(frame->windowTitle(), "new.tlv");
    EXPECT_EQ(QFileInfo(app_->GetRecentFiles()->Entry(0)).fileName(), "new.tlv");

    const QString opened = WriteFile("old.tlv", FileBytes("5A021234", "5A021234"));
    frame = app_->OpenDocumentFile(opened);
    frame->View()->Pane()->setPlainText(QStringLiteral("9F4D00"));
    prompts_.QueueAnswer(true);
    frame->View()->OnParse();
    const QString copy = dir_.filePath(QStringLiteral("copy.tlv"));
    prompts_.QueuePath(copy);
    ASSERT_TRUE(frame->Document()->SaveAs(frame));
    EXPECT_EQ(ReadAll(copy), FileBytes("9F4D00", "9F4D00"));
    EXPECT_FALSE(frame->Document()->IsModified());
}

TEST_F(AppTest, FailingSaveKeepsTheOldFileAndTheChanges) {
    // The save goes through a temporary file beside the old one; with a name this long the
    // temporary file's name is too long to be created, whoever runs the test.
    const QString name = QString(246, QLatin1Char('k')) + QStringLiteral(".tlv");
    const QString path = WriteFile(name, FileBytes("5A021234", "old"));
    CChildFrame* frame = app_->OpenDocumentFile(path);
    ASSERT_NE(frame, nullptr);
    frame->View()->Pane()->setPlainText(QStringLiteral("new text"));
    ASSERT_TRUE(frame->Document()->IsModified());
    EXPECT_FALSE(frame->Document()->Save(frame));
    EXPECT_EQ(ReadAll(path), FileBytes("5A021234", "old"));
    EXPECT_TRUE(frame->Document()->IsModified());
    EXPECT_TRUE(frame->windowTitle().endsWith(" *"));
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_TRUE(prompts_.History()[0].text.startsWith("Failed to save document."));
    // The file stays listed; a file a failed Save As never made is not, and the entry it
    // pushed off a full list comes back.
    RecentFileList* recent = app_->GetRecentFiles();
    EXPECT_EQ(recent->Entry(0), QFileInfo(path).absoluteFilePath());
    for (const char* name : {"c.tlv", "b.tlv", "a.tlv"}) {
        recent->Add(dir_.filePath(QString::fromLatin1(name)));
    }
    QStringList before;
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        before << recent->Entry(i);
    }
    prompts_.QueuePath(dir_.filePath(QStringLiteral("missing/new.tlv")));
    EXPECT_FALSE(frame->Document()->SaveAs(frame));
    EXPECT_EQ(prompts_.History().size(), 2);
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        EXPECT_EQ(recent->Entry(i), before[i]) << i;
    }
}

TEST_F(AppTest, ClosingAModifiedDocumentAsks) {
    CChildFrame* frame = app_->OnFileNew();
    frame->View()->Pane()->setPlainText(QStringLiteral("5A"));
    prompts_.QueueThreeWayAnswer(Prompts::kCancel);
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(prompts_.History()[0].text, "Save changes to Untitled?");
    prompts_.QueueThreeWayAnswer(Prompts::kNo);
    EXPECT_TRUE(frame->close());
}

TEST_F(AppTest, QuitAsksAboutEveryDocumentBeforeClosingAny) {
    QStringList names;
    for (const char* name : {"a.tlv", "b.tlv", "c.tlv"}) {
        CChildFrame* frame = app_->OpenDocumentFile(WriteFile(name, FileBytes("", "")));
        ASSERT_NE(frame, nullptr);
        frame->View()->Pane()->setPlainText(QString::fromLatin1(name));
    }
    Frame()->show();
    // No for the first, Cancel for the second: nothing closes, the third is not asked.
    prompts_.QueueThreeWayAnswer(Prompts::kNo);
    prompts_.QueueThreeWayAnswer(Prompts::kCancel);
    EXPECT_FALSE(Frame()->close());
    QApplication::processEvents();
    ASSERT_EQ(prompts_.History().size(), 2);
    EXPECT_EQ(prompts_.History()[0].text, "Save changes to a.tlv?");
    EXPECT_EQ(prompts_.History()[1].text, "Save changes to b.tlv?");
    const QList<QMdiSubWindow*> windows = Frame()->MdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 3);
    for (QMdiSubWindow* window : windows) {
        EXPECT_TRUE(static_cast<CChildFrame*>(window)->Document()->IsModified());
    }
    EXPECT_TRUE(Frame()->isVisible());

    // Yes saves, No drops: each document is asked once and then every window closes.
    prompts_.Clear();
    prompts_.QueueThreeWayAnswer(Prompts::kYes);
    prompts_.QueueThreeWayAnswer(Prompts::kNo);
    prompts_.QueueThreeWayAnswer(Prompts::kNo);
    EXPECT_TRUE(Frame()->close());
    QApplication::processEvents();
    EXPECT_EQ(prompts_.History().size(), 3);
    EXPECT_TRUE(Frame()->MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(ReadAll(dir_.filePath("a.tlv")), FileBytes("", "a.tlv"));
    EXPECT_EQ(ReadAll(dir_.filePath("b.tlv")), FileBytes("", ""));
}

TEST_F(AppTest, QuitShowsEachNewDocumentItAsksAbout) {
    // New documents share one title; the window in front tells which one a question is about.
    QList<CChildFrame*> frames;
    for (const char* text : {"5A", "9F27", "70"}) {
        frames.append(app_->OnFileNew());
        frames.last()->View()->Pane()->setPlainText(QString::fromLatin1(text));
    }
    Frame()->show();
    Frame()->MdiArea()->setActiveSubWindow(frames.last());
    QList<QMdiSubWindow*> inFront;
    prompts_.OnShown([this, &inFront](const ScriptedPrompts::Shown&) {
        inFront.append(Frame()->MdiArea()->activeSubWindow());
    });
    prompts_.QueueThreeWayAnswer(Prompts::kNo);
    prompts_.QueueThreeWayAnswer(Prompts::kCancel);
    EXPECT_FALSE(Frame()->close());
    prompts_.OnShown(nullptr);
    ASSERT_EQ(prompts_.History().size(), 2);
    EXPECT_EQ(prompts_.History()[0].text, "Save changes to Untitled?");
    const QList<QMdiSubWindow*> order = Frame()->MdiArea()->subWindowList();
    ASSERT_EQ(inFront.size(), 2);
    EXPECT_EQ(inFront[0], order[0]);
    EXPECT_EQ(inFront[1], order[1]);
}

TEST_F(AppTest, PanelsStartDockedWithAnalysisBehindDescription) {
    EXPECT_EQ(Frame()->dockWidgetArea(Frame()->DictionaryBar()), Qt::LeftDockWidgetArea);
    EXPECT_EQ(Frame()->dockWidgetArea(Frame()->DescriptionBar()), Qt::BottomDockWidgetArea);
    EXPECT_TRUE(
        Frame()->tabifiedDockWidgets(Frame()->DescriptionBar()).contains(Frame()->AnalysisBar()));
    EXPECT_FALSE(Frame()->AnalysisBar()->visibleRegion().isEmpty() &&
                 Frame()->DescriptionBar()->visibleRegion().isEmpty());
    Frame()->ShowAnalysis(0, nullptr);
    Frame()->ShowDescription(0);
    EXPECT_EQ(Frame()->DescriptionBar()->Grid()->GetRow(0), nullptr);
    Frame()->ShowDescription(15);
    EXPECT_EQ(Frame()->DescriptionBar()->Grid()->GetRow(0)->Item(0).Value(),
              "Application File Locator(AFL)");
}

}  // namespace
