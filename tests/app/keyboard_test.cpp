// The main window from the keyboard alone: Tab through a document window and the panels, the
// byte tables, Enter on a button, Ctrl+F4, and the About box's links.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "app/about_box.h"
#include "app/app_fixture.h"
#include "editor/element_grid_ctrl.h"
#include "editor/find_bar.h"
#include "editor/orda_view.h"
#include "panels/analysis_bar.h"
#include "panels/description_bar.h"
#include "panels/dictionary_bar.h"
#include "platform/byte_table.h"
#include "platform/long_text_edit.h"
#include "support/active_window.h"

namespace {

class KeyboardTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(ShowActive(Frame()));
    }

    // A new document whose grid shows `hex`, with the grid focused.
    COrdaView* NewDocument(const QString& hex) {
        COrdaView* view = ParsedDocument(hex);
        view->Grid()->setFocus();
        return view;
    }

    // The widgets the focus visits on `count` presses of Tab (or Shift+Tab).
    static QList<QWidget*> Visit(int count, bool forward) {
        QList<QWidget*> visited;
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                            forward ? Qt::NoModifier : Qt::ShiftModifier);
            visited.append(QApplication::focusWidget());
        }
        return visited;
    }
};

TEST_F(KeyboardTest, TabGoesThroughTheDocumentWindowAndThePanelsAndBack) {
    COrdaView* other = NewDocument(QStringLiteral("70045A021234"));
    COrdaView* view = NewDocument(QStringLiteral("5A021234"));
    QApplication::processEvents();
    QList<QWidget*> forward;
    while (forward.size() < 30 && (forward.isEmpty() || forward.last() != view->Grid())) {
        forward += Visit(1, true);
    }
    ASSERT_EQ(forward.last(), view->Grid());
    EXPECT_EQ(forward.mid(0, 4), (QList<QWidget*>{view->EncodeButton(), view->ParseButton(),
                                                  view->ModeList(), view->Pane()}));
    // Then the panels, each control once: none of a document window's, none of the toolbar's.
    const QList<QWidget*> panels = forward.mid(4, forward.size() - 5);
    ASSERT_FALSE(panels.isEmpty());
    const QList<QWidget*> expected = {Frame()->DictionaryBar()->FilterField(),
                                      Frame()->DictionaryBar()->Tree(),
                                      Frame()->DescriptionBar()->Grid()};
    qsizetype at = -1;
    for (QWidget* widget : expected) {
        EXPECT_GT(panels.indexOf(widget), at);
        at = panels.indexOf(widget);
    }
    for (QWidget* widget : panels) {
        EXPECT_FALSE(Frame()->MdiArea()->isAncestorOf(widget));
        EXPECT_FALSE(Frame()->StandardToolBar()->isAncestorOf(widget));
        EXPECT_EQ(panels.count(widget), 1);
    }
    EXPECT_FALSE(other->isAncestorOf(QApplication::focusWidget()));
    // The Data Elements sort button comes first; not the Analysis panel behind its tab.
    EXPECT_TRUE(Frame()->DictionaryBar()->isAncestorOf(panels[0]));
    EXPECT_EQ(panels.indexOf(Frame()->DictionaryBar()->FilterField()), 1);
    EXPECT_FALSE(panels.contains(Frame()->AnalysisBar()->Grid()));

    // Shift+Tab retraces the way.
    QList<QWidget*> back(forward.rbegin() + 1, forward.rend());
    back.append(view->Grid());
    EXPECT_EQ(Visit(back.size(), false), back);

    // Brought forward, the Analysis panel takes the description's place.
    Frame()->ShowAnalysis(0, nullptr);
    QApplication::processEvents();
    view->Pane()->setFocus();
    const QList<QWidget*> withAnalysis = Visit(panels.size(), true);
    EXPECT_TRUE(withAnalysis.contains(Frame()->AnalysisBar()->Grid()));
    EXPECT_FALSE(withAnalysis.contains(Frame()->DescriptionBar()->Grid()));
}

TEST_F(KeyboardTest, OpenFindBarComesBeforeTheGrid) {
    COrdaView* view = NewDocument(QStringLiteral("5A021234"));
    view->OnEditFind();
    ASSERT_EQ(QApplication::focusWidget(), view->GetFindBar()->Field());
    EXPECT_EQ(Visit(2, true), (QList<QWidget*>{view->Grid(), view->EncodeButton()}));
    view->Grid()->setFocus();
    EXPECT_EQ(Visit(1, false), QList<QWidget*>{view->GetFindBar()->Field()});
}

TEST_F(KeyboardTest, TabLeavesAByteTable) {
    COrdaView* view = NewDocument(QStringLiteral("70045A021234"));
    view->ModeList()->setCurrentIndex(3);
    view->OnDisplayModeChange();
    ByteTableView* table = view->ByteTable(3);
    table->setFocus();
    table->SelectByte(0);
    // On to the panels, the table being the document window's last control on show.
    const QWidget* next = Visit(1, true)[0];
    EXPECT_NE(next, table);
    EXPECT_FALSE(Frame()->MdiArea()->isAncestorOf(next));
    table->setFocus();
    EXPECT_EQ(Visit(1, false), QList<QWidget*>{view->ModeList()});
}

TEST_F(KeyboardTest, EnterPressesTheFocusedButton) {
    COrdaView* view = NewDocument(QStringLiteral("70045A021234"));
    view->Pane()->clear();
    view->EncodeButton()->setFocus();
    QTest::keyClick(view->EncodeButton(), Qt::Key_Return);
    EXPECT_EQ(view->Pane()->toPlainText(), "70045A021234");
    // A key held down presses the button once; Enter with Ctrl is no press.
    view->Pane()->clear();
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(view->EncodeButton(), &repeated);
    QTest::keyClick(view->EncodeButton(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(view->Pane()->toPlainText(), "");
    // The keypad's Enter presses it.
    QTest::keyClick(view->EncodeButton(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(view->Pane()->toPlainText(), "70045A021234");

    view->Pane()->setPlainText(QStringLiteral("5A021234"));
    view->ParseButton()->setFocus();
    prompts_.QueueAnswer(true);
    QTest::keyClick(view->ParseButton(), Qt::Key_Return);
    ASSERT_EQ(prompts_.History().size(), 1);
    // The grid holds the one element parsed.
    EXPECT_NE(view->Grid()->GetRow(0), nullptr);
    EXPECT_EQ(view->Grid()->GetRow(1), nullptr);
}

TEST_F(KeyboardTest, CtrlF4ClosesTheActiveDocumentWindow) {
    NewDocument(QStringLiteral("5A021234"))->parentWidget()->setObjectName(QStringLiteral("first"));
    COrdaView* second = NewDocument(QStringLiteral("70045A021234"));
    // A changed document asks first; Cancel keeps the window.
    QTest::keyClick(second->Grid(), Qt::Key_F4, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(Frame()->MdiArea()->subWindowList().size(), 2);

    static_cast<CChildFrame*>(second->parentWidget())->Document()->SetModifiedFlag(false);
    QTest::keyClick(second->Grid(), Qt::Key_F4, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_EQ(Frame()->MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(Frame()->MdiArea()->subWindowList()[0]->objectName(), "first");
}

TEST_F(KeyboardTest, AboutLinkWithoutABrowserSaysSo) {
    CAboutDlg about(Frame());
    QList<QCommandLinkButton*> links = about.findChildren<QCommandLinkButton*>();
    ASSERT_EQ(links.size(), 2);
    // The test platform has no browser to hand a page to.
    links[0]->click();
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(prompts_.History()[0].text,
              "Could not open https://quorvel.example/bertlv: no web browser could show it.");
    EXPECT_EQ(prompts_.History()[0].caption, "Quorvel BERTLV");
}

TEST_F(KeyboardTest, AboutLinkShowsTheKeyboardOnIt) {
    CAboutDlg about(Frame());
    ASSERT_TRUE(ShowActive(&about));
    QCommandLinkButton* link = about.findChildren<QCommandLinkButton*>()[0];
    const QImage unfocused = link->grab().toImage();
    QWidget* start = QApplication::focusWidget();
    while (QApplication::focusWidget() != link) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), start);
    }
    EXPECT_NE(link->grab().toImage(), unfocused);
}

}  // namespace
