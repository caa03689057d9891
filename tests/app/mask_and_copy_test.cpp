// View > Mask Card Numbers across the main window, and the panels' Copy and Copy All.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_fixture.h"
#include "app/app_ids.h"
#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/orda_app.h"
#include "app/orda_doc.h"
#include "dictionary/dictionary.h"
#include "dictionary/element_row.h"
#include "editor/card_number_cells.h"
#include "editor/element_grid_ctrl.h"
#include "editor/orda_view.h"
#include "panels/analysis_bar.h"
#include "panels/description_bar.h"
#include "platform/row_copy.h"
#include "platform/scripted_prompts.h"
#include "support/qt_printers.h"

namespace {

const char kRecord[] =
    "704957134761739001010010D22122011143804400000F5A0847617390010100105F3401019F1F154142433132"
    "3334353637383930313233343536585A9F200B12345678901234567890FF";
enum { kRoot, kTrack2, kPan, kSequence, kTrack1Data, kTrack2Data };

class MaskAndCopyTest : public AppFixture {
protected:
    QAction* MaskAction() { return Frame()->Action(ID_VIEW_MASK_CARD_NUMBERS); }
    GridCtrl* Analysis() { return Frame()->AnalysisBar()->Grid(); }

    COrdaView* NewDocument() {
        COrdaView* view = app_->OnFileNew()->View();
        view->Pane()->setPlainText(QString::fromLatin1(kRecord));
        view->OnParse();
        return view;
    }

    void Select(COrdaView* view, int row) {
        view->Grid()->SelectItem(view->Grid()->GetRow(row)->Item(ELEMENT_COLUMN_VALUE));
    }

    // Every row of the Analysis panel, as Copy All copies it.
    QString AnalysisText() { return GridCopyAllText(Analysis()); }
};

TEST_F(MaskAndCopyTest, MaskingIsOffAtFirstAndKeptInTheSettings) {
    EXPECT_TRUE(MaskAction()->isCheckable());
    EXPECT_FALSE(MaskAction()->isChecked());
    EXPECT_EQ(MaskAction()->statusTip(),
              "Show card numbers masked in the grids, the Analysis panel, printing and copies");
    MaskAction()->trigger();
    EXPECT_TRUE(settings_.value("V1.0/UISettings/MaskCardNumbers").toBool());
    {
        CMainFrame restarted(app_.get(), &settings_);
        EXPECT_TRUE(restarted.Action(ID_VIEW_MASK_CARD_NUMBERS)->isChecked());
        EXPECT_TRUE(restarted.AnalysisBar()->MaskCardNumbers());
    }
    MaskAction()->trigger();
    EXPECT_FALSE(settings_.value("V1.0/UISettings/MaskCardNumbers").toBool());
    CMainFrame restarted(app_.get(), &settings_);
    EXPECT_FALSE(restarted.Action(ID_VIEW_MASK_CARD_NUMBERS)->isChecked());
}

TEST_F(MaskAndCopyTest, EveryGridAndTheAnalysisPanelFollowTheChoice) {
    COrdaView* first = NewDocument();
    COrdaView* second = NewDocument();
    Select(second, kPan);
    EXPECT_TRUE(AnalysisText().contains("Value\t4761739001010010\t"));

    MaskAction()->trigger();
    for (COrdaView* view : {first, second}) {
        EXPECT_TRUE(CardNumbersMasked(view->Grid()));
        EXPECT_EQ(view->Grid()->ShownText(view->Grid()->GetRow(kPan)->Item(ELEMENT_COLUMN_VALUE)),
                  "476173******0010");
    }
    // The panel shows the selected element again, masked, without another selection.
    EXPECT_EQ(AnalysisText(),
              "Contents\tData\tDescription\n"
              "Application Primary Account Number(PAN)\t5A08476173******0010\t\n"
              "  Tag\t5A\t\n"
              "  Length\t08\t8 bytes\n"
              "  Value\t476173******0010\t\n"
              "  Template\t\t'70' - \"Application Elementary File (AEF) Data Template\"\n");
    Select(second, kTrack2);
    EXPECT_TRUE(
        AnalysisText().contains("    Primary Account Number\t476173******0010\t16 digits\n"));
    Select(second, kTrack1Data);
    EXPECT_TRUE(AnalysisText().contains(
        "  Value\t414243313233343536************33343536585A\tABC123456******3456XZ\n"));
    EXPECT_TRUE(AnalysisText().contains("    Text\t\tABC123456******3456XZ\n"));
    Select(second, kTrack2Data);
    EXPECT_TRUE(
        AnalysisText().contains("    Discretionary Data\t123456**********7890\t20 digits\n"));
    Select(second, kRoot);
    EXPECT_FALSE(AnalysisText().contains("4761739001010010"));
    EXPECT_TRUE(AnalysisText().contains("5A08476173******0010"));

    // A window opened later masks from the start; the data stays whole everywhere.
    COrdaView* third = NewDocument();
    EXPECT_TRUE(CardNumbersMasked(third->Grid()));
    EXPECT_EQ(third->PaneText(), kRecord);
    QString tree;
    QString pane;
    third->StoreDocumentData(&tree, &pane);
    EXPECT_EQ(tree, kRecord);

    Select(third, kPan);
    EXPECT_TRUE(AnalysisText().contains("5A08476173******0010"));

    MaskAction()->trigger();
    EXPECT_FALSE(CardNumbersMasked(third->Grid()));
    EXPECT_FALSE(CardNumbersMasked(first->Grid()));
    EXPECT_TRUE(AnalysisText().contains("5A084761739001010010"));
}

TEST_F(MaskAndCopyTest, AnalysisPanelCopiesRowsAndOffersInfoOnHeaders) {
    COrdaView* view = NewDocument();
    Select(view, kPan);
    CAnalysisBar* bar = Frame()->AnalysisBar();
    // The header row: "Data Element Info." first, then the two copy commands.
    Analysis()->SelectItem(Analysis()->GetRow(0)->Item(0));
    ASSERT_TRUE(bar->PrepareContextMenu());
    QList<QAction*> items = bar->InfoMenu()->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_TRUE(items[0]->isVisible());
    EXPECT_EQ(items[0]->text(), "Data Element Info.");
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), "Copy\tCtrl+C");
    EXPECT_EQ(items[3]->text(), "Copy All");
    EXPECT_TRUE(items[2]->isEnabled());
    items[2]->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Application Primary Account Number(PAN)\t5A084761739001010010\t");
    // A sub-row offers only the copy commands.
    Analysis()->SelectItem(Analysis()->GetRow(2)->Item(2));
    ASSERT_TRUE(bar->PrepareContextMenu());
    EXPECT_FALSE(items[0]->isVisible());
    EXPECT_FALSE(items[1]->isVisible());
    items[2]->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "Length\t08\t8 bytes");
    items[3]->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Contents\tData\tDescription\n"
              "Application Primary Account Number(PAN)\t5A084761739001010010\t\n"
              "  Tag\t5A\t\n"
              "  Length\t08\t8 bytes\n"
              "  Value\t4761739001010010\t\n"
              "  Template\t\t'70' - \"Application Elementary File (AEF) Data Template\"\n");

    // Ctrl+C on the panel copies the selected row, masked while card numbers are.
    MaskAction()->trigger();
    Analysis()->SelectItem(Analysis()->GetRow(3)->Item(0));
    QTest::keyClick(Analysis(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Value\t476173******0010\t");

    // Without an element the panel is empty and opens no menu.
    view->Grid()->SelectItem(GridItem());
    EXPECT_FALSE(bar->PrepareContextMenu());
    EXPECT_FALSE(bar->CopyCommands()->CopyAction()->isEnabled());
    EXPECT_FALSE(bar->CopyCommands()->CopyAllAction()->isEnabled());
}

TEST_F(MaskAndCopyTest, DescriptionPanelCopiesItsRow) {
    CDescriptionBar* bar = Frame()->DescriptionBar();
    Frame()->ShowDescription(15);
    RowCopyCommands* copy = bar->CopyCommands();
    QStringList items;
    for (QAction* action : bar->CopyMenu()->actions()) {
        items << action->text();
    }
    EXPECT_EQ(items, QStringList({"Copy\tCtrl+C", "Copy All"}));
    copy->Update();
    EXPECT_FALSE(copy->CopyAction()->isEnabled());
    EXPECT_TRUE(copy->CopyAllAction()->isEnabled());
    const QString row = QStringLiteral(
                            "Application File Locator(AFL)\t%1\tICC\tvar.\t'77' or "
                            "'80'\t'94'\t0-252")
                            .arg(QString::fromLatin1(DictGetDescription(15)));
    copy->CopyAllAction()->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Name\tDescription\tSource\tFormat\tTemplate\tTag\tLength\n" + row + "\n");
    bar->Grid()->SelectItem(bar->Grid()->GetRow(0)->Item(3));
    copy->Update();
    EXPECT_TRUE(copy->CopyAction()->isEnabled());
    QTest::keyClick(bar->Grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), row);

    Frame()->ShowDescription(0);
    copy->Update();
    EXPECT_FALSE(copy->CopyAllAction()->isEnabled());
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    copy->OnCopyAll();
    copy->OnCopy();
    EXPECT_EQ(QApplication::clipboard()->text(), "kept");
}

}  // namespace
