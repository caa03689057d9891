#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/orda_app.h"
#include "dictionary/element_row.h"
#include "editor/element_grid_ctrl.h"
#include "editor/menu_slots.h"
#include "editor/orda_view.h"
#include "panels/analysis_bar.h"
#include "panels/description_bar.h"
#include "panels/dictionary_bar.h"
#include "platform/element_images.h"
#include "platform/scripted_prompts.h"
#include "support/qt_printers.h"

namespace {

// The image of the start of menu item `index`, where the check mark stands.
QImage MenuItemStart(QMenu* menu, int index) {
    menu->adjustSize();
    const QRect item = menu->actionGeometry(menu->actions()[index]);
    return menu->grab(QRect(item.topLeft(), QSize(item.height() + 4, item.height()))).toImage();
}

QStringList Children(QTreeWidgetItem* item) {
    QStringList names;
    for (int i = 0; i < item->childCount(); ++i) {
        names << item->child(i)->text(0);
    }
    return names;
}

QTreeWidgetItem* Group(QTreeWidget* tree, const QString& name) {
    QTreeWidgetItem* root = tree->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->text(0) == name) {
            return root->child(i);
        }
    }
    return nullptr;
}

TEST(DictionaryBar, ThreeArrangements) {
    CDictionaryBar bar;
    QTreeWidget* tree = bar.Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), "Data Elements Dictionary");
    EXPECT_TRUE(root->font(0).bold());
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(tree->currentItem(), root);
    const QStringList alphabetical = Children(root);
    ASSERT_EQ(alphabetical.size(), 141);
    EXPECT_EQ(alphabetical.first(), "Account Type");
    EXPECT_EQ(alphabetical.last(), "Upper Consecutive Offline Limit(UCOL)");
    EXPECT_EQ(alphabetical.indexOf("Appilcation Usage Control(AUC)"),
              alphabetical.indexOf("Application Transaction Counter(ATC)") + 1);
    EXPECT_TRUE(bar.SortMenu()->actions()[0]->isChecked());
    EXPECT_EQ(bar.SortMenu()->actions()[0]->text(), "Sort &Alphabetically");

    bar.OnSort(CDictionaryBar::ID_DE_SORT_TYPE);
    root = tree->topLevelItem(0);
    EXPECT_EQ(Children(root), QStringList({"Constructed", "Primitive", "Tag not defined"}));
    QTreeWidgetItem* constructed = Group(tree, "Constructed");
    EXPECT_TRUE(constructed->isExpanded());
    EXPECT_TRUE(Children(constructed).contains("Response Message Template Format 2"));
    EXPECT_TRUE(Children(Group(tree, "Primitive")).contains("Account Type"));
    EXPECT_TRUE(
        Children(Group(tree, "Tag not defined")).contains("Terminal Action Code - Default"));
    EXPECT_EQ(constructed->child(0)->icon(0).pixmap(16).toImage(),
              ElementImages()[1].pixmap(16).toImage());
    EXPECT_EQ(Children(Group(tree, "Tag not defined")).size(), 21);
    EXPECT_TRUE(bar.SortMenu()->actions()[1]->isChecked());
    EXPECT_FALSE(bar.SortMenu()->actions()[0]->isChecked());
    // A check mark shows: dark strokes where the item is light while another arrangement is
    // chosen.
    const QImage checked = MenuItemStart(bar.SortMenu(), 1);
    bar.OnSort(CDictionaryBar::ID_DE_SORT_ALPHA);
    const QImage unchecked = MenuItemStart(bar.SortMenu(), 1);
    ASSERT_EQ(checked.size(), unchecked.size());
    int strokes = 0;
    for (int y = 0; y < checked.height(); ++y) {
        for (int x = 0; x < checked.width(); ++x) {
            strokes += qGray(checked.pixel(x, y)) < 100 && qGray(unchecked.pixel(x, y)) > 160;
        }
    }
    EXPECT_GE(strokes, 8);
    bar.OnSort(CDictionaryBar::ID_DE_SORT_TYPE);
    // Choosing the chosen arrangement again keeps its check.
    bar.SortMenu()->actions()[1]->trigger();
    EXPECT_TRUE(bar.SortMenu()->actions()[1]->isChecked());
    EXPECT_FALSE(bar.SortMenu()->actions()[0]->isChecked());

    bar.OnSort(CDictionaryBar::ID_DE_SORT_SOURCE);
    EXPECT_EQ(Children(tree->topLevelItem(0)),
              QStringList({"Source by ICC", "Source by Terminal", "Source by Issuer"}));
    EXPECT_TRUE(
        Children(Group(tree, "Source by Terminal")).contains("Authorisation Response Code(ARC)"));
    EXPECT_TRUE(
        Children(Group(tree, "Source by Issuer")).contains("Authorisation Response Code(ARC)"));
    EXPECT_TRUE(Children(Group(tree, "Source by ICC")).contains("Application File Locator(AFL)"));
    EXPECT_FALSE(
        Children(Group(tree, "Source by Terminal")).contains("Application File Locator(AFL)"));

    // The active arrangement again changes nothing, not even the selection.
    QTreeWidgetItem* entry = Group(tree, "Source by ICC")->child(0);
    tree->setCurrentItem(entry);
    bar.OnSort(CDictionaryBar::ID_DE_SORT_SOURCE);
    EXPECT_EQ(tree->currentItem(), entry);
}

class PanelWiring : public ::testing::Test {
protected:
    // The caption of the panel in front in the tab group of "DE Description" and "Analysis".
    QString FrontPanel() {
        for (QTabBar* bar : Frame()->findChildren<QTabBar*>()) {
            for (int i = 0; i < bar->count(); ++i) {
                if (bar->tabText(i) == "Analysis") {
                    return bar->tabText(bar->currentIndex());
                }
            }
        }
        return QString();
    }

    PanelWiring()
        : settings_(dir_.filePath("settings.ini"), QSettings::IniFormat), app_(&settings_) {
        app_.InitInstance();
    }
    CMainFrame* Frame() { return app_.MainFrame(); }

    QTemporaryDir dir_;
    QSettings settings_;
    ScriptedPrompts prompts_;
    COrdaApp app_;
};

TEST_F(PanelWiring, GridSelectionFillsAnalysisAndInfoFillsDescription) {
    COrdaView* view = app_.OnFileNew()->View();
    view->Pane()->setPlainText("770482021980");
    view->OnParse();
    view->Grid()->SelectItem(view->Grid()->GetRow(1)->Item(4));
    GridCtrl* analysis = Frame()->AnalysisBar()->Grid();
    ASSERT_NE(analysis->GetRow(0), nullptr);
    EXPECT_EQ(analysis->GetRow(0)->Item(0).Value(), "Application Interchange Profile(AIP)");
    EXPECT_EQ(FrontPanel(), "Analysis");

    // "Data Element Info." on the header row shows the entry and brings its panel forward.
    EXPECT_FALSE(Frame()->AnalysisBar()->PrepareInfoMenu());
    analysis->SelectItem(analysis->GetRow(0)->Item(0));
    ASSERT_TRUE(Frame()->AnalysisBar()->PrepareInfoMenu());
    EXPECT_EQ(Frame()->AnalysisBar()->InfoIndex(), 18);
    Frame()->AnalysisBar()->InfoMenu()->actions()[0]->trigger();
    EXPECT_EQ(Frame()->DescriptionBar()->Grid()->GetRow(0)->Item(0).Value(),
              "Application Interchange Profile(AIP)");
    EXPECT_EQ(FrontPanel(), "DE Description");
    analysis->SelectItem(analysis->GetRow(1)->Item(0));
    EXPECT_FALSE(Frame()->AnalysisBar()->PrepareInfoMenu());

    // Removing the selection clears the Analysis panel.
    view->Grid()->SelectItem(GridItem());
    EXPECT_EQ(analysis->GetRow(0), nullptr);
}

TEST_F(PanelWiring, AnalysisShowsTheSelectedElementAsItIsNow) {
    CChildFrame* first = app_.OnFileNew();
    COrdaView* view = first->View();
    GridCtrl* grid = view->Grid();
    GridCtrl* analysis = Frame()->AnalysisBar()->Grid();
    const auto shown = [analysis] {
        GridRow* header = analysis->GetRow(0);
        return header != nullptr ? header->Item(1).Value() : QString();
    };
    const auto edit = [view, grid](int row, int column, const QString& text) {
        const GridItem cell = grid->GetRow(row)->Item(column);
        cell.SetValue(text);
        view->ApplyEditToCell(cell, column);
    };
    view->Pane()->setPlainText("6F0E8407A0000000031010A503880101");
    view->OnParse();

    // The shown element's value, a value inside the shown template, a length form.
    grid->SelectItem(grid->GetRow(1)->Item(ELEMENT_COLUMN_VALUE));
    EXPECT_EQ(shown(), "8407A0000000031010");
    edit(1, ELEMENT_COLUMN_VALUE, "A000000004");
    EXPECT_EQ(shown(), "8405A000000004");
    grid->SelectItem(grid->GetRow(2)->Item(ELEMENT_COLUMN_NAME));
    edit(3, ELEMENT_COLUMN_VALUE, "02");
    EXPECT_EQ(shown(), "A503880102");
    edit(3, ELEMENT_COLUMN_LENGTH_IN, "2 bytes");
    EXPECT_EQ(shown(), "A50488810102");

    // A structure command rebuilds the rows: no row is selected any more.
    view->OnDataElementCommand(ID_DE_ADD_PADDING);
    ASSERT_EQ(grid->GetRow(4)->Item(ELEMENT_COLUMN_NAME).Value(), "padding");
    EXPECT_EQ(shown(), "");

    grid->SelectItem(grid->GetRow(0)->Item(ELEMENT_COLUMN_NAME));
    ASSERT_TRUE(shown().startsWith("6F"));
    view->Pane()->setPlainText("5A021234");
    prompts_.QueueAnswer(true);
    view->OnParse();
    EXPECT_EQ(shown(), "");

    // Another window shows its own selection, or nothing.
    grid->SelectItem(grid->GetRow(0)->Item(ELEMENT_COLUMN_VALUE));
    EXPECT_EQ(shown(), "5A021234");
    app_.OnFileNew();
    EXPECT_EQ(shown(), "");
    Frame()->MdiArea()->setActiveSubWindow(first);
    EXPECT_EQ(shown(), "5A021234");
}

TEST_F(PanelWiring, DictionarySelectionFillsDescriptionAndGroupsEmptyIt) {
    CDictionaryBar* dictionary = Frame()->DictionaryBar();
    QTreeWidgetItem* root = dictionary->Tree()->topLevelItem(0);
    Frame()->ShowAnalysis(0, nullptr);
    dictionary->Tree()->setCurrentItem(root->child(17));
    EXPECT_EQ(Frame()->DescriptionBar()->Grid()->GetRow(0)->Item(0).Value(),
              "Application Interchange Profile(AIP)");
    EXPECT_EQ(FrontPanel(), "DE Description");

    Frame()->ShowAnalysis(0, nullptr);
    dictionary->Tree()->setCurrentItem(root);
    EXPECT_EQ(Frame()->DescriptionBar()->Grid()->GetRow(0), nullptr);
    EXPECT_EQ(FrontPanel(), "Analysis");
}

}  // namespace
