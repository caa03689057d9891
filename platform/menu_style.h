// Menus in every look:
// - A menu taller than the screen scrolls, as on Windows, instead of spreading into columns that
//   run off a screen of common size (the dictionary's elements under Create > Primitive).
// - Fusion draws a menu bar title highlighted only while its menu is open. Once Escape has
//   closed the menu, the bar keeps the keyboard (the arrows move along it, Enter opens a menu)
//   with nothing to show it; under Fusion the title the keyboard is on is drawn as an open one.
#ifndef QUORVEL_PLATFORM_MENU_STYLE_H
#define QUORVEL_PLATFORM_MENU_STYLE_H

#include <QProxyStyle>

class MenuStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Takes ownership of `base`.
    explicit MenuStyle(QStyle* base);

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

#endif
