// The main window's commands, menus, bars and layout as the user meets them.
#include "app/main_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <QWidgetAction>

#include "app/about_box.h"
#include "app/app_fixture.h"
#include "app/app_ids.h"
#include "app/app_looks.h"
#include "app/child_frame.h"
#include "app/customize_dialog.h"
#include "app/lock_indicators.h"
#include "app/orda_app.h"
#include "app/orda_doc.h"
#include "dictionary/element_row.h"
#include "editor/editor_ids.h"
#include "editor/element_grid_ctrl.h"
#include "editor/menu_slots.h"
#include "editor/orda_view.h"
#include "panels/description_bar.h"
#include "panels/dictionary_bar.h"
#include "platform/scripted_prompts.h"
#include "support/active_window.h"
#include "support/qt_printers.h"

namespace {

class MainFrameTest : public AppFixture {
protected:
    static QStringList Texts(QMenu* menu) {
        QStringList texts;
        for (QAction* action : menu->actions()) {
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return texts;
    }

    static QAction* ActionWithData(QMenu* menu, int id) {
        for (QAction* action : menu->actions()) {
            if (action->data().toInt() == id) {
                return action;
            }
        }
        return nullptr;
    }
};

TEST_F(MainFrameTest, DataElementMenuOpensEmptyAndThenFilled) {
    COrdaView* view = ParsedDocument(QStringLiteral("70045A021234"));
    QMenu* menu = Frame()->DataElementMenu();
    for (const char* tree : {"70045A021234", "6F0B8404A0000000A503880102"}) {
        // Parse leaves the view's menu empty; the submenu then gets one disabled placeholder,
        // so that it has a size and opens again later.
        view->Pane()->setPlainText(QString::fromLatin1(tree));
        prompts_.QueueAnswer(true);
        view->OnParse();
        ASSERT_TRUE(view->DataElementMenu()->isEmpty());
        menu->popup(QPoint(10, 10));
        QApplication::processEvents();
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_FALSE(menu->actions()[0]->isEnabled());
        EXPECT_EQ(menu->actions()[0]->data().toInt(), ID_DE_DELETE);
        EXPECT_GT(menu->sizeHint().height(), 0);
        menu->hide();

        view->Grid()->SelectItem(view->Grid()->GetRow(0)->Item(ELEMENT_COLUMN_NAME));
        menu->popup(QPoint(10, 10));
        QApplication::processEvents();
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(Texts(menu), QStringList({"Add", "-", "Delete"}));
        menu->hide();
    }
}

TEST_F(MainFrameTest, PrinterChoicesHoldForTheSession) {
    ParsedDocument(QStringLiteral("70045A021234"));
    prompts_.QueuePrinterChoice(
        [](QPrinter* printer) { printer->setPageOrientation(QPageLayout::Landscape); });
    Frame()->Action(ID_FILE_PRINT_SETUP)->trigger();

    const QString pdf = dir_.filePath(QStringLiteral("grid.pdf"));
    prompts_.QueuePrinterChoice([&pdf](QPrinter* printer) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        printer->setPageSize(QPageSize(QPageSize::A5));
    });
    Frame()->Action(ID_FILE_PRINT)->trigger();
    Frame()->Action(ID_FILE_PRINT_PREVIEW)->trigger();
    // Cancelling the next print changes nothing that was chosen before.
    Frame()->Action(ID_FILE_PRINT)->trigger();

    const QList<ScriptedPrompts::PrintDialog>& dialogs = prompts_.PrintDialogs();
    ASSERT_EQ(dialogs.size(), 4);
    EXPECT_EQ(dialogs[1].name, "Print");
    EXPECT_EQ(dialogs[1].layout.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(dialogs[2].name, "Print Preview");
    EXPECT_EQ(dialogs[2].layout.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(dialogs[2].layout.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(dialogs[3].layout.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(dialogs[3].printer->outputFileName(), pdf);
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");
}

TEST_F(MainFrameTest, CutCopyPasteFollowTheStateAtOnce) {
    ASSERT_TRUE(ShowActive(Frame()));
    QPlainTextEdit* pane = app_->OnFileNew()->View()->Pane();
    pane->setPlainText(QStringLiteral("5A021234"));
    pane->setFocus();
    QApplication::clipboard()->clear();
    QAction* cut = Frame()->Action(ID_EDIT_CUT);
    QAction* copy = Frame()->Action(ID_EDIT_COPY);
    QAction* paste = Frame()->Action(ID_EDIT_PASTE);
    EXPECT_FALSE(cut->isEnabled());
    EXPECT_FALSE(paste->isEnabled());

    QTest::keyClick(pane, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(cut->isEnabled());
    EXPECT_TRUE(copy->isEnabled());

    // Alt+E gives the keyboard to the menu bar; the commands still act on the pane.
    QTest::keyClick(pane, Qt::Key_E, Qt::AltModifier);
    ASSERT_TRUE(qobject_cast<QMenuBar*>(QApplication::focusWidget()) != nullptr);
    QMenu* edit = Frame()->menuBar()->actions()[1]->menu();
    EXPECT_TRUE(edit->isVisible());
    EXPECT_TRUE(cut->isEnabled());
    EXPECT_TRUE(copy->isEnabled());
    copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "5A021234");
    EXPECT_TRUE(paste->isEnabled());
    edit->hide();
}

TEST_F(MainFrameTest, SaveAndPrintNeedADocument) {
    // Before anything has had the focus, too.
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE}) {
        EXPECT_FALSE(Frame()->Action(id)->isEnabled()) << id;
    }
    const int documentCommands[] = {ID_FILE_SAVE, ID_FILE_PRINT, ID_FILE_SAVE_AS, ID_FILE_CLOSE,
                                    ID_FILE_PRINT_PREVIEW};
    for (int id : documentCommands) {
        EXPECT_FALSE(Frame()->Action(id)->isEnabled()) << id;
    }
    CChildFrame* frame = app_->OnFileNew();
    for (int id : documentCommands) {
        EXPECT_TRUE(Frame()->Action(id)->isEnabled()) << id;
    }
    frame->close();
    QApplication::processEvents();
    for (int id : documentCommands) {
        EXPECT_FALSE(Frame()->Action(id)->isEnabled()) << id;
    }
    // Ctrl+S without a document asks for no file name.
    Frame()->Action(ID_FILE_SAVE)->trigger();
    EXPECT_TRUE(prompts_.History().isEmpty());
}

TEST_F(MainFrameTest, AboutBoxShowsTheProgramIcon) {
    CAboutDlg about(Frame());
    bool pictured = false;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        pictured = pictured || !label->pixmap().isNull();
    }
    EXPECT_TRUE(pictured);
}

TEST_F(MainFrameTest, EveryCommandPromptsOnHover) {
    ASSERT_TRUE(ShowActive(Frame()));
    COrdaView* view = ParsedDocument(QStringLiteral("70045A021234"));
    view->Grid()->SelectItem(view->Grid()->GetRow(1)->Item(ELEMENT_COLUMN_NAME));

    // The grid's right-click menu.
    QMenu* context = view->DataElementMenu();
    context->popup(QPoint(20, 20));
    context->setActiveAction(ActionWithData(context, ID_DE_DELETE));
    EXPECT_EQ(Frame()->statusBar()->currentMessage(), "Delete Data Elementt");
    context->hide();
    EXPECT_EQ(Frame()->statusBar()->currentMessage(), "");

    // Edit > Data Element, opened from the menu bar.
    QMenu* edit = Frame()->menuBar()->actions()[1]->menu();
    Frame()->menuBar()->setActiveAction(edit->menuAction());
    edit->setActiveAction(Frame()->DataElementMenu()->menuAction());
    QTest::keyClick(edit, Qt::Key_Right);
    QMenu* dataElement = Frame()->DataElementMenu();
    ASSERT_TRUE(dataElement->isVisible());
    dataElement->setActiveAction(ActionWithData(dataElement, ID_DE_DELETE));
    EXPECT_EQ(Frame()->statusBar()->currentMessage(), "Delete Data Elementt");
    dataElement->hide();
    edit->hide();

    // Every other command of the menus and the toolbar has its prompt.
    QList<QAction*> commands = Frame()->StandardToolBar()->actions();
    QList<QMenu*> menus;
    for (QAction* action : Frame()->menuBar()->actions()) {
        menus << action->menu();
    }
    while (!menus.isEmpty()) {
        QMenu* menu = menus.takeFirst();
        if (menu == nullptr || menu == Frame()->DataElementMenu() ||
            menu == Frame()->RecentFilesMenu()) {
            continue;
        }
        for (QAction* action : menu->actions()) {
            if (action->menu() != nullptr) {
                menus << action->menu();
            } else {
                commands << action;
            }
        }
    }
    for (QAction* action : commands) {
        if (!action->isSeparator() && action->isVisible() && action->menu() == nullptr &&
            qobject_cast<QWidgetAction*>(action) == nullptr) {
            EXPECT_FALSE(action->statusTip().isEmpty()) << action->text().toStdString();
        }
    }
}

TEST_F(MainFrameTest, BarAreaMenuEndsWithCustomize) {
    std::unique_ptr<QMenu> menu(Frame()->createPopupMenu());
    ASSERT_NE(menu, nullptr);
    const QStringList texts = Texts(menu.get());
    EXPECT_TRUE(texts.contains("Standard"));
    EXPECT_TRUE(texts.contains("Data Elements"));
    EXPECT_TRUE(texts.contains("Analysis"));
    EXPECT_EQ(texts.last(), "Customize...");
    EXPECT_EQ(menu->actions().last()->data().toInt(), ID_VIEW_CUSTOMIZE);
    EXPECT_EQ(texts.value(texts.size() - 2), "-");
}

// The darkest grey level in a rectangle of a picture.
int Darkest(const QImage& image, const QRect& rect) {
    int darkest = 255;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            darkest = qMin(darkest, qGray(image.pixel(x, y)));
        }
    }
    return darkest;
}

TEST_F(MainFrameTest, DisabledMenuItemsLookDisabledInEveryLook) {
    for (const AppLook& look : kAppLooks) {
        Frame()->OnApplicationLook(look.id);
        QMenu menu;
        QAction* enabled = menu.addAction(QStringLiteral("Enabled item"));
        QAction* disabled = menu.addAction(QStringLiteral("Disabled item"));
        disabled->setEnabled(false);
        menu.ensurePolished();
        menu.resize(menu.sizeHint());
        const QImage picture = menu.grab().toImage();
        const int enabledInk = Darkest(picture, menu.actionGeometry(enabled));
        const int disabledInk = Darkest(picture, menu.actionGeometry(disabled));
        EXPECT_LT(enabledInk, 60) << look.menuText;
        EXPECT_GT(disabledInk, enabledInk + 60) << look.menuText;
    }
    Frame()->OnApplicationLook(kDefaultAppLook);
}

TEST_F(MainFrameTest, DocumentTabsAreMadeWithTheFirstDocumentInTheLooksShape) {
    QMdiArea* area = Frame()->MdiArea();
    EXPECT_EQ(area->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly), nullptr);
    // The first look is chosen before any tab bar exists, the others change the one there is.
    const struct {
        int look;
        QTabBar::Shape shape;
        bool documentMode;
    } cases[] = {{32836, QTabBar::TriangularNorth, true},
                 {32833, QTabBar::RoundedNorth, false},
                 {32834, QTabBar::RoundedNorth, true}};
    for (const auto& expected : cases) {
        Frame()->OnApplicationLook(expected.look);
        app_->OnFileNew();
        const QTabBar* tabs = area->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_NE(tabs, nullptr) << expected.look;
        EXPECT_EQ(area->viewMode(), QMdiArea::TabbedView);
        EXPECT_EQ(tabs->shape(), expected.shape) << expected.look;
        EXPECT_EQ(tabs->documentMode(), expected.documentMode) << expected.look;
        EXPECT_EQ(tabs->count(), 1) << expected.look;
        CloseAll();
    }
    Frame()->OnApplicationLook(kDefaultAppLook);
}

TEST_F(MainFrameTest, CustomizingTheToolbarLeavesTheMenusAndIsKept) {
    QToolBar* toolbar = Frame()->StandardToolBar();
    const QList<QAction*> first = toolbar->actions();
    QAction* cut = Frame()->Action(ID_EDIT_CUT);
    QAction* about = Frame()->Action(ID_APP_ABOUT);
    {
        CustomizeDialog dialog(toolbar, first, Frame());
        QListWidget* list = dialog.findChild<QListWidget*>();
        ASSERT_NE(list, nullptr);
        QStringList names;
        for (int row = 0; row < list->count(); ++row) {
            names << list->item(row)->text();
        }
        // The undo button goes by its own name, not by the step its tooltip names.
        EXPECT_EQ(names, QStringList({"New", "Open", "Save", "Cut", "Copy", "Paste", "Undo", "Redo",
                                      "Print", "About"}));
        list->item(names.indexOf("Cut"))->setCheckState(Qt::Unchecked);
        list->item(names.indexOf("About"))->setCheckState(Qt::Unchecked);
    }
    EXPECT_FALSE(toolbar->actions().contains(cut));
    EXPECT_FALSE(toolbar->actions().contains(about));
    EXPECT_TRUE(cut->isVisible());
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(Frame()->menuBar()->actions().last()->menu()->actions().contains(about));

    Frame()->SaveLayout();
    {
        CMainFrame restarted(app_.get(), &settings_);
        const QList<QAction*> kept = restarted.StandardToolBar()->actions();
        EXPECT_FALSE(kept.contains(restarted.Action(ID_EDIT_CUT)));
        EXPECT_FALSE(kept.contains(restarted.Action(ID_APP_ABOUT)));
        EXPECT_TRUE(kept.contains(restarted.Action(ID_EDIT_COPY)));
    }
    // Back in their places, as the buttons were first laid out.
    CustomizeDialog::ShowButton(toolbar, first, about, true);
    CustomizeDialog::ShowButton(toolbar, first, cut, true);
    EXPECT_EQ(toolbar->actions(), first);
}

// What the toolbar shows, a separator as "|": no two side by side and none first, whichever
// buttons are off it.
TEST_F(MainFrameTest, SeparatorsStandOnlyBetweenGroupsOfButtonsOnShow) {
    QToolBar* toolbar = Frame()->StandardToolBar();
    const QList<QAction*> first = toolbar->actions();
    const auto shown = [toolbar] {
        QString text;
        for (QAction* action : toolbar->actions()) {
            if (action->isSeparator()) {
                text += action->isVisible() ? "|" : "";
            } else {
                text += action->iconText().left(2);
            }
        }
        return text;
    };
    EXPECT_EQ(shown(), "NeOpSa|CuCoPa|UnRe|Pr|Ab");
    const auto show = [&](int id, bool on) {
        CustomizeDialog::ShowButton(toolbar, first, Frame()->Action(id), on);
    };
    show(ID_FILE_PRINT, false);
    EXPECT_EQ(shown(), "NeOpSa|CuCoPa|UnRe|Ab");
    const int fileButtons[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE};
    for (const int id : fileButtons) {
        show(id, false);
    }
    EXPECT_EQ(shown(), "CuCoPa|UnRe|Ab");
    const int otherButtons[] = {ID_EDIT_CUT,  ID_EDIT_COPY, ID_EDIT_PASTE,
                                ID_EDIT_UNDO, ID_EDIT_REDO, ID_APP_ABOUT};
    for (const int id : otherButtons) {
        show(id, false);
    }
    EXPECT_EQ(shown(), "");
    for (QAction* action : first) {
        CustomizeDialog::ShowButton(toolbar, first, action, true);
    }
    EXPECT_EQ(toolbar->actions(), first);
    EXPECT_EQ(shown(), "NeOpSa|CuCoPa|UnRe|Pr|Ab");
}

TEST_F(MainFrameTest, StatusBarVisibilityIsKeptWithTheLayout) {
    Frame()->Action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_TRUE(Frame()->statusBar()->isHidden());
    Frame()->SaveLayout();
    {
        CMainFrame restarted(app_.get(), &settings_);
        EXPECT_TRUE(restarted.statusBar()->isHidden());
        EXPECT_FALSE(restarted.Action(ID_VIEW_STATUS_BAR)->isChecked());
    }
    Frame()->Action(ID_VIEW_STATUS_BAR)->trigger();
    Frame()->SaveLayout();
    CMainFrame restarted(app_.get(), &settings_);
    EXPECT_FALSE(restarted.statusBar()->isHidden());
    EXPECT_TRUE(restarted.Action(ID_VIEW_STATUS_BAR)->isChecked());
}

TEST_F(MainFrameTest, LockPanesClaimNoLockTheyCannotSee) {
    // Offscreen there is no keyboard to ask: the panes show, drawn disabled.
    LockIndicators* locks = Frame()->LockPanes();
    const char* const texts[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(locks->Pane(i)->text(), texts[i]);
        EXPECT_FALSE(locks->Pane(i)->isEnabled()) << texts[i];
    }
    QTest::keyClick(Frame(), Qt::Key_CapsLock);
    EXPECT_FALSE(locks->Pane(0)->isEnabled());
}

TEST_F(MainFrameTest, WindowTextsSkipTheShaperAndHintingAndKeepTheApplicationFont) {
    const COrdaView* view = ParsedDocument(QStringLiteral("70045A021234"));
    QTreeView* dictionary = Frame()->DictionaryBar()->findChild<QTreeView*>();
    ASSERT_NE(dictionary, nullptr);
    const struct {
        const char* name;
        const QWidget* widget;
    } widgets[] = {{"menu bar", Frame()->menuBar()},
                   {"toolbar", Frame()->StandardToolBar()},
                   {"status bar", Frame()->LockPanes()->Pane(0)},
                   {"dictionary", dictionary},
                   // A menu is a window of its own and takes the application's font.
                   {"sort menu", Frame()->DictionaryBar()->SortMenu()},
                   {"grid", view->Grid()},
                   {"pane", view->Pane()}};
    const QFont application = QApplication::font();
    for (const auto& entry : widgets) {
        const QFont font = entry.widget->font();
        EXPECT_TRUE(font.styleStrategy() & QFont::PreferNoShaping) << entry.name;
        EXPECT_EQ(font.hintingPreference(), QFont::PreferNoHinting) << entry.name;
        // The pane shows the fixed-width font; it takes the strategy all the same.
        if (entry.widget != view->Pane()) {
            EXPECT_EQ(font.family(), application.family()) << entry.name;
            EXPECT_EQ(font.pointSizeF(), application.pointSizeF()) << entry.name;
        }
    }
}

TEST_F(MainFrameTest, CascadeLeavesWindowsOfAUsableSize) {
    for (int i = 0; i < 3; ++i) {
        ParsedDocument(QStringLiteral("70045A021234"));
    }
    Frame()->Action(ID_WINDOW_CASCADE)->trigger();
    QApplication::processEvents();
    const QRect area = Frame()->MdiArea()->viewport()->rect();
    QList<QPoint> corners;
    for (QMdiSubWindow* window : Frame()->MdiArea()->subWindowList()) {
        EXPECT_FALSE(window->isMaximized());
        EXPECT_GE(window->width(), area.width() / 2);
        EXPECT_GE(window->height(), area.height() / 2);
        EXPECT_TRUE(area.contains(window->geometry())) << window->geometry().width();
        corners << window->pos();
    }
    ASSERT_EQ(corners.size(), 3);
    EXPECT_NE(corners[0], corners[1]);
    EXPECT_NE(corners[1], corners[2]);
}

TEST_F(MainFrameTest, ArrangeIconsLinesUpMinimisedWindowsOnly) {
    Frame()->show();
    for (int i = 0; i < 3; ++i) {
        ParsedDocument(QStringLiteral("70045A021234"));
    }
    Frame()->Action(ID_WINDOW_CASCADE)->trigger();
    QApplication::processEvents();
    const QList<QMdiSubWindow*> windows = Frame()->MdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 3);
    const QRect normal = windows[1]->geometry();
    for (QMdiSubWindow* window : {windows[0], windows[2]}) {
        window->showMinimized();
        window->move(40, 30);
    }
    QApplication::processEvents();
    Frame()->Action(ID_WINDOW_ARRANGE)->trigger();
    const int bottom = Frame()->MdiArea()->viewport()->height();
    EXPECT_EQ(windows[0]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows[0]->x(), 0);
    EXPECT_EQ(windows[2]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows[2]->x(), windows[0]->width());
    EXPECT_EQ(windows[1]->geometry(), normal);

    // Right to left, the row starts at the right.
    Frame()->MdiArea()->setLayoutDirection(Qt::RightToLeft);
    windows[0]->move(40, 30);
    Frame()->Action(ID_WINDOW_ARRANGE)->trigger();
    EXPECT_EQ(windows[0]->geometry().right() + 1, Frame()->MdiArea()->viewport()->width());
    EXPECT_EQ(windows[0]->geometry().bottom() + 1, bottom);
    Frame()->MdiArea()->setLayoutDirection(Qt::LeftToRight);
}

TEST_F(MainFrameTest, FirstStartUsesMostOfTheScreenThenTheStoredSize) {
    const QRect available = Frame()->screen()->availableGeometry();
    EXPECT_NEAR(Frame()->width(), available.width() * 0.8, 2);
    EXPECT_NEAR(Frame()->height(), available.height() * 0.8, 2);
    EXPECT_TRUE(available.contains(Frame()->geometry()));

    Frame()->resize(500, 400);
    Frame()->SaveLayout();
    CMainFrame restarted(app_.get(), &settings_);
    EXPECT_EQ(restarted.size(), QSize(500, 400));
}

TEST_F(MainFrameTest, OnASmallScreenThePanelsLeaveTheDocumentRoom) {
    const QRect available = Frame()->screen()->availableGeometry();
    ASSERT_LT(available.height() * 0.8 / 4, 200) << "the screen is not small";
    Frame()->show();
    QApplication::processEvents();
    EXPECT_LE(Frame()->DescriptionBar()->height(), Frame()->height() / 4 + 1);
    EXPECT_LE(Frame()->DictionaryBar()->width(), Frame()->width() / 4 + 1);

    // However small its window, a document keeps the grid's header and first rows.
    COrdaView* view =
        ParsedDocument(QStringLiteral("70165A0847617390010100105F24032512315F2503170101"));
    view->resize(view->width(), 1);
    view->resize(view->minimumSizeHint());
    const int row = view->Grid()->sizeHintForRow(0);
    ASSERT_GT(row, 0);
    EXPECT_GE(view->Grid()->viewport()->height(), 3 * row);
}

TEST_F(MainFrameTest, ColumnWidthsFollowTheUserAndAreKept) {
    Frame()->resize(1200, 800);
    COrdaView* view = ParsedDocument(QStringLiteral("70045A021234"));
    CElementGridCtrl* grid = view->Grid();
    QApplication::processEvents();
    const int viewport = grid->viewport()->width();
    const int wider = grid->columnWidth(ELEMENT_COLUMN_VALUE) + 40;
    grid->header()->resizeSection(ELEMENT_COLUMN_VALUE, wider);
    EXPECT_EQ(grid->columnWidth(ELEMENT_COLUMN_VALUE), wider);
    int total = 0;
    for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
        total += grid->columnWidth(column);
    }
    EXPECT_EQ(total, viewport);
    const QList<int> weights = grid->ColumnWeights();
    Frame()->SaveLayout();

    // A later session's grids start as the user left them.
    CMainFrame restarted(app_.get(), &settings_);
    CChildFrame* frame = new CChildFrame(new COrdaDoc);
    restarted.AddChildFrame(frame);
    EXPECT_EQ(frame->View()->Grid()->ColumnWeights(), weights);
}

TEST_F(MainFrameTest, AColumnMadeNarrowerThanItsMinimumStaysSo) {
    Frame()->resize(1200, 800);
    CElementGridCtrl* grid = ParsedDocument(QStringLiteral("70045A021234"))->Grid();
    QApplication::processEvents();
    const int minimum = grid->columnWidth(ELEMENT_COLUMN_NAME);
    const int narrow = minimum / 2;
    grid->header()->resizeSection(ELEMENT_COLUMN_NAME, narrow);
    ASSERT_EQ(grid->columnWidth(ELEMENT_COLUMN_NAME), narrow);

    // Narrower and wider windows keep the user's width as the column's minimum.
    Frame()->resize(900, 800);
    QApplication::processEvents();
    EXPECT_EQ(grid->columnWidth(ELEMENT_COLUMN_NAME), narrow);
    Frame()->resize(1300, 800);
    QApplication::processEvents();
    EXPECT_GE(grid->columnWidth(ELEMENT_COLUMN_NAME), narrow);
    EXPECT_LT(grid->columnWidth(ELEMENT_COLUMN_NAME), minimum);

    // So do the grids of the next session.
    Frame()->SaveLayout();
    CMainFrame restarted(app_.get(), &settings_);
    restarted.resize(1200, 800);
    CChildFrame* frame = new CChildFrame(new COrdaDoc);
    restarted.AddChildFrame(frame);
    restarted.show();
    QApplication::processEvents();
    EXPECT_GE(frame->View()->Grid()->columnWidth(ELEMENT_COLUMN_NAME), narrow - 1);
    EXPECT_LT(frame->View()->Grid()->columnWidth(ELEMENT_COLUMN_NAME), minimum);
}

// The panels come back at the sizes the user dragged them to, not shared out anew when the
// window is first laid out at its restored size.
TEST_F(MainFrameTest, PanelSizesAreKeptWithTheLayout) {
    Frame()->resize(1200, 800);
    QApplication::processEvents();
    Frame()->resizeDocks({Frame()->DictionaryBar()}, {420}, Qt::Horizontal);
    Frame()->resizeDocks({Frame()->DescriptionBar()}, {300}, Qt::Vertical);
    QApplication::processEvents();
    const int width = Frame()->DictionaryBar()->width();
    const int height = Frame()->DescriptionBar()->height();
    ASSERT_GT(width, 400);
    ASSERT_GT(height, 250);
    Frame()->SaveLayout();

    CMainFrame restarted(app_.get(), &settings_);
    restarted.show();
    QApplication::processEvents();
    EXPECT_NEAR(restarted.DictionaryBar()->width(), width, 2);
    EXPECT_NEAR(restarted.DescriptionBar()->height(), height, 2);
}

}  // namespace
