#include "app/app_looks.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QTabBar>

#include "platform/lazy_icon_style.h"
#include "platform/menu_style.h"

const AppLook kAppLooks[5] = {
    {32833, "Office &2000", "Windows"}, {32834, "Office &XP", "Fusion"},
    {32835, "Office 200&3", "Fusion"},  {32837, "Visual Studio.NET 200&5", "Fusion"},
    {32836, "&Windows XP", "Windows"},
};

namespace {

const QColor kDisabledText(128, 128, 128);

// Base window colour, highlight colour and button colour of each look.
struct LookColours {
    QColor window;
    QColor highlight;
    QColor button;
};

LookColours ColoursOf(int id) {
    switch (id) {
        case 32833:
            return {QColor(212, 208, 200), QColor(10, 36, 106), QColor(212, 208, 200)};
        case 32834:
            return {QColor(236, 233, 226), QColor(49, 106, 197), QColor(246, 244, 240)};
        case 32835:
            return {QColor(214, 228, 250), QColor(255, 203, 115), QColor(196, 218, 250)};
        case 32836:
            return {QColor(236, 233, 216), QColor(49, 106, 197), QColor(244, 243, 238)};
        default:
            return {QColor(238, 238, 242), QColor(51, 153, 255), QColor(245, 245, 247)};
    }
}

QPalette PaletteOf(int id, const QPalette& base) {
    const LookColours colours = ColoursOf(id);
    QPalette palette = base;
    palette.setColor(QPalette::Window, colours.window);
    palette.setColor(QPalette::Button, colours.button);
    palette.setColor(QPalette::Highlight, colours.highlight);
    palette.setColor(QPalette::HighlightedText, id == 32835 ? Qt::black : Qt::white);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, colours.window.lighter(106));
    // Text is black where it can be used and grey where it cannot, in every look.
    for (const QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(QPalette::Active, role, Qt::black);
        palette.setColor(QPalette::Inactive, role, Qt::black);
        palette.setColor(QPalette::Disabled, role, kDisabledText);
    }
    return palette;
}

}  // namespace

bool IsAppLook(int id) {
    for (const AppLook& look : kAppLooks) {
        if (look.id == id) {
            return true;
        }
    }
    return false;
}

void ApplyAppLook(int id, QMainWindow* frame, QMdiArea* area) {
    for (const AppLook& look : kAppLooks) {
        if (look.id != id) {
            continue;
        }
        if (QStyle* style = QStyleFactory::create(QString::fromLatin1(look.style))) {
            QApplication::setStyle(new LazyIconStyle(new MenuStyle(style)));
        }
        QApplication::setPalette(PaletteOf(id, QApplication::style()->standardPalette()));
        // Office looks draw rounded tabs, the Windows XP and Visual Studio looks angled ones.
        const bool angled = id == 32836 || id == 32837;
        area->setTabShape(angled ? QTabWidget::Triangular : QTabWidget::Rounded);
        area->setTabPosition(QTabWidget::North);
        area->setTabsClosable(false);
        area->setTabsMovable(false);
        area->setDocumentMode(id != 32833);
        area->setBackground(QBrush(ColoursOf(id).window.darker(id == 32837 ? 115 : 130)));
        frame->update();
        return;
    }
}
