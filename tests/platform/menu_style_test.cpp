// Menus under the program's style: a menu taller than the screen scrolls in one column, and the
// menu bar shows the title the keyboard is on once Escape has closed its menu.
#include "platform/menu_style.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyleFactory>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "support/active_window.h"

namespace {

QStyle* Fusion() {
    return QStyleFactory::create(QStringLiteral("Fusion"));
}

TEST(MenuStyle, MenuTallerThanTheScreenScrollsInOneColumn) {
    std::unique_ptr<QStyle> fusion(Fusion());
    MenuStyle style(Fusion());
    const int screenHeight = QGuiApplication::primaryScreen()->availableGeometry().height();
    const auto fill = [](QMenu* menu) {
        for (int i = 0; i < 300; ++i) {
            menu->addAction(QStringLiteral("9F%1 Element number %1").arg(i));
        }
    };
    QMenu columns;
    columns.setStyle(fusion.get());
    fill(&columns);
    QMenu scrolling;
    scrolling.setStyle(&style);
    fill(&scrolling);
    // Fusion alone spreads the items over several columns.
    ASSERT_GT(columns.sizeHint().width(), 2 * scrolling.sizeHint().width());

    scrolling.popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&scrolling));
    EXPECT_LE(scrolling.height(), screenHeight);
    const QList<QAction*> items = scrolling.actions();
    EXPECT_FALSE(scrolling.actionGeometry(items.last()).intersects(scrolling.rect()));
    // The keyboard brings the last item into view.
    QTest::keyClick(&scrolling, Qt::Key_End);
    EXPECT_EQ(scrolling.activeAction(), items.last());
    EXPECT_TRUE(scrolling.rect().contains(scrolling.actionGeometry(items.last())));
    scrolling.hide();
}

// The menu bar after Alt+E and Escape, drawn.
QImage BarAfterEscape(QStyle* style) {
    QWidget window;
    QMenuBar* bar = new QMenuBar(&window);
    bar->setStyle(style);
    (new QVBoxLayout(&window))->setMenuBar(bar);
    bar->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&New"));
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("&Copy"));
    window.resize(300, 100);
    if (!ShowActive(&window)) {
        return QImage();
    }
    bar->setActiveAction(edit->menuAction());
    if (!QTest::qWaitForWindowExposed(edit)) {
        return QImage();
    }
    QTest::keyClick(edit, Qt::Key_Escape);
    return bar->grab().toImage();
}

TEST(MenuStyle, MenuBarShowsWhereTheKeyboardIsAfterEscape) {
    std::unique_ptr<QStyle> fusion(Fusion());
    MenuStyle style(Fusion());
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    const auto hasHighlight = [&highlight](const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) == highlight) {
                    return true;
                }
            }
        }
        return false;
    };
    // Fusion alone draws no title as the keyboard's.
    EXPECT_FALSE(hasHighlight(BarAfterEscape(fusion.get())));
    EXPECT_TRUE(hasHighlight(BarAfterEscape(&style)));

    // The Windows look draws it already, and draws it as before.
    std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
    MenuStyle windowsMenus(QStyleFactory::create(QStringLiteral("Windows")));
    const QImage drawn = BarAfterEscape(&windowsMenus);
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn, BarAfterEscape(windows.get()));
}

}  // namespace
