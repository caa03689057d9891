// Every text of the grids and panels can be read: cut texts show whole in a tooltip, the
// description wraps, the dictionary scrolls sideways.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <vector>

#include "core/tlv.h"
#include "panels/analysis_bar.h"
#include "panels/description_bar.h"
#include "panels/dictionary_bar.h"
#include "platform/grid_ctrl.h"
#include "support/qt_printers.h"

namespace {

// What a tooltip request at the middle of `rect` in `view` shows; empty when nothing shows.
QString ToolTipAt(QAbstractItemView* view, const QRect& rect) {
    QToolTip::hideText();
    // The last tip fades out first.
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
    const QPoint at = rect.center();
    QHelpEvent event(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

QString CellToolTip(GridCtrl* grid, GridRow* row, int column) {
    return ToolTipAt(grid, grid->visualRect(grid->indexFromItem(row, column)));
}

void ShowAndSettle(QWidget* widget, int width, int height) {
    widget->resize(width, height);
    widget->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widget));
    // Wrapped rows are laid out once the event loop runs.
    QTest::qWait(20);
}

TEST(CutTexts, CellsShownInPartShowThemWholeInATooltip) {
    GridCtrl grid;
    grid.InsertColumn(0, QStringLiteral("Name"), 1);
    grid.InsertColumn(1, QStringLiteral("Data"), 1);
    GridRow* row = grid.CreateRow();
    const QString longText = QStringLiteral("Issuer Application Data 0110A00003220000000000000000");
    row->Item(0).SetValue(longText);
    row->Item(1).SetValue(QStringLiteral("01"));
    grid.AddRow(row);
    ShowAndSettle(&grid, 200, 120);
    EXPECT_TRUE(grid.IsTextCut(row->Item(0)));
    EXPECT_FALSE(grid.IsTextCut(row->Item(1)));
    EXPECT_EQ(CellToolTip(&grid, row, 0), longText);
    EXPECT_EQ(CellToolTip(&grid, row, 1), "");

    // A cell's own tooltip follows its whole text; alone when the text fits.
    row->setToolTip(0, QStringLiteral("AIP Byte 1 - (Leftmost)"));
    row->setToolTip(1, QStringLiteral("AIP Byte 1 - (Leftmost)"));
    EXPECT_EQ(CellToolTip(&grid, row, 0), longText + "\nAIP Byte 1 - (Leftmost)");
    EXPECT_EQ(CellToolTip(&grid, row, 1), "AIP Byte 1 - (Leftmost)");

    // Wide enough, nothing is cut.
    grid.resize(900, 120);
    QTest::qWait(20);
    EXPECT_FALSE(grid.IsTextCut(row->Item(0)));
}

TEST(CutTexts, ALongValueWrapsInItsTooltip) {
    GridCtrl grid;
    grid.InsertColumn(0, QStringLiteral("Value"), 1);
    GridRow* row = grid.CreateRow();
    const QString value = QStringLiteral("5A0847617390010100109F0D05B050808800").repeated(14);
    row->Item(0).SetValue(value);
    grid.AddRow(row);
    ShowAndSettle(&grid, 200, 120);
    const QString tip = CellToolTip(&grid, row, 0);
    EXPECT_EQ(QTextDocumentFragment::fromHtml(tip).toPlainText().remove(QChar(0x200B)), value);
    QWidget* label = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->inherits("QTipLabel")) {
            label = widget;
        }
    }
    ASSERT_NE(label, nullptr);
    EXPECT_LE(label->width(), grid.screen()->availableGeometry().width());
    EXPECT_GT(label->height(), 2 * label->fontMetrics().height());
}

TEST(CutTexts, DescriptionWrapsToItsColumn) {
    CDescriptionBar bar;
    ShowAndSettle(&bar, 900, 260);
    bar.ShowEntry(15);
    QTest::qWait(20);
    GridCtrl* grid = bar.Grid();
    GridRow* row = grid->GetRow(0);
    ASSERT_NE(row, nullptr);
    const QString description = row->Item(1).Value();
    ASSERT_GT(description.size(), 200);
    const int lineHeight = grid->fontMetrics().height();
    EXPECT_GT(grid->visualItemRect(row).height(), 3 * lineHeight);
    for (int column = 0; column < grid->GetColumnCount(); ++column) {
        EXPECT_FALSE(grid->IsTextCut(row->Item(column))) << column;
    }
    // Too low a panel cuts the description: the tooltip has it all.
    bar.resize(900, 60);
    QTest::qWait(20);
    EXPECT_TRUE(grid->IsTextCut(row->Item(1)));
    EXPECT_TRUE(CellToolTip(grid, row, 1).contains(description.left(60).toHtmlEscaped()));
}

TEST(CutTexts, DictionaryScrollsSidewaysAndTipsWhatLiesBeyond) {
    CDictionaryBar bar;
    ShowAndSettle(&bar, 200, 500);
    QTreeWidget* tree = bar.Tree();
    EXPECT_GT(tree->horizontalScrollBar()->maximum(), 0);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QStringList exponents;
    for (int i = 0; i < root->childCount(); ++i) {
        QTreeWidgetItem* item = root->child(i);
        if (!item->text(0).startsWith(QStringLiteral("Application Currency"))) {
            continue;
        }
        tree->scrollToItem(item);
        QTest::qWait(10);
        exponents << ToolTipAt(tree, tree->visualItemRect(item));
    }
    EXPECT_EQ(exponents,
              QStringList({"Application Currency Code", "Application Currency Exponent"}));
    tree->scrollToItem(root->child(0));
    EXPECT_EQ(ToolTipAt(tree, tree->visualItemRect(root->child(0))), "");
}

// Shows the panel drawn throughout in the named style.
testing::AssertionResult ShowInStyle(CDictionaryBar* bar, const char* styleName) {
    QStyle* style = QStyleFactory::create(QString::fromLatin1(styleName));
    if (style == nullptr) {
        return testing::AssertionFailure() << "no style " << styleName;
    }
    style->setParent(bar);
    bar->setStyle(style);
    bar->Tree()->setStyle(style);
    ShowAndSettle(bar, 200, 500);
    return testing::AssertionSuccess();
}

TEST(CutTexts, DictionaryRowsAreAsHighAsTheirTextAndIconNeedInEveryArrangement) {
    // The rows share one height; the bold root and the group rows must fit it too.
    for (const char* styleName : {"Windows", "Fusion"}) {
        CDictionaryBar bar;
        ASSERT_TRUE(ShowInStyle(&bar, styleName));
        for (const int sort : {CDictionaryBar::ID_DE_SORT_TYPE, CDictionaryBar::ID_DE_SORT_SOURCE,
                               CDictionaryBar::ID_DE_SORT_ALPHA}) {
            bar.OnSort(sort);
            QTreeWidget* tree = bar.Tree();
            int rows = 0;
            for (QTreeWidgetItemIterator it(tree); *it; ++it, ++rows) {
                const QModelIndex index = tree->indexFromItem(*it);
                EXPECT_GE(tree->visualRect(index).height(), tree->sizeHintForIndex(index).height())
                    << styleName << " " << sort << " " << (*it)->text(0).toStdString();
            }
            EXPECT_GT(rows, 100) << styleName << " " << sort;
        }
    }
}

// What the view itself measures as its widest row (public on the base class).
int WidestRow(const QAbstractItemView* view) {
    return view->sizeHintForColumn(0);
}

TEST(CutTexts, DictionaryColumnIsAsWideAsTheWidestShownRow) {
    for (const char* styleName : {"Windows", "Fusion"}) {
        CDictionaryBar bar;
        ASSERT_TRUE(ShowInStyle(&bar, styleName));
        QTreeWidget* tree = bar.Tree();
        for (const int sort : {CDictionaryBar::ID_DE_SORT_TYPE, CDictionaryBar::ID_DE_SORT_SOURCE,
                               CDictionaryBar::ID_DE_SORT_ALPHA}) {
            bar.OnSort(sort);
            QTest::qWait(10);
            EXPECT_EQ(tree->columnWidth(0), WidestRow(tree)) << styleName << " " << sort;
        }
        // Filtered, the column fits the rows that stay.
        const int unfiltered = tree->columnWidth(0);
        bar.FilterField()->setText(QStringLiteral("Date"));
        bar.OnSort(CDictionaryBar::ID_DE_SORT_TYPE);
        QTest::qWait(10);
        EXPECT_LT(tree->columnWidth(0), unfiltered) << styleName;
        EXPECT_EQ(tree->columnWidth(0), WidestRow(tree)) << styleName;
        QFont larger = tree->font();
        larger.setPointSizeF(larger.pointSizeF() * 2);
        tree->setFont(larger);
        EXPECT_EQ(tree->columnWidth(0), WidestRow(tree)) << styleName;
    }
}

// Notes the size of a widget's area at its first paint.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !size.isValid()) {
            size = static_cast<QWidget*>(watched)->size();
        }
        return false;
    }
    QSize size;
};

TEST(CutTexts, DictionaryIsFirstDrawnWithItsColumnFittedAndItsScrollBars) {
    CDictionaryBar bar;
    QTreeWidget* tree = bar.Tree();
    FirstPaint firstPaint;
    tree->viewport()->installEventFilter(&firstPaint);
    ShowAndSettle(&bar, 200, 500);
    // A column fitted after the first paint would bring in the horizontal scroll bar only
    // then, and the rows would be drawn twice, the first time in a taller area.
    EXPECT_TRUE(tree->horizontalScrollBar()->isVisible());
    EXPECT_EQ(firstPaint.size, tree->viewport()->size());
    EXPECT_EQ(tree->columnWidth(0), WidestRow(tree));
}

TEST(CutTexts, AnalysisCellsTipTheirWholeText) {
    std::vector<uint8_t> bytes = {0x9F, 0x10, 18};
    bytes.resize(3 + 18, 0x11);
    TlvNode* node = nullptr;
    uint32_t constructed = 0;
    ASSERT_EQ(TlvParse(bytes.data(), static_cast<uint16_t>(bytes.size()), &node, &constructed),
              TLV_OK);
    CAnalysisBar bar;
    ShowAndSettle(&bar, 350, 200);
    bar.ShowElement(TLV_KIND_PRIMITIVE, node);
    GridCtrl* grid = bar.Grid();
    GridRow* header = grid->GetRow(0);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(CellToolTip(grid, header, 0), header->Item(0).Value());
    TlvFree(node);
}

}  // namespace
